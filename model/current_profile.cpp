#include "model/current_profile.h"

#include <array>

namespace q804::model {

int CurrentProfile(device::TransferEngine& engine, std::atomic<int>& cache) {
    const int cached = cache.load();
    if (cached != -1) {
        return cached;
    }
    std::array<std::uint8_t, device::kSettingsSize> settings{};
    if (engine.ReadDeviceSettings(settings) != device::kResultSuccess) {
        return -1;
    }
    const int profile = settings[device::settings::kCurrentProfile];
    if (profile < 0 || profile >= device::kProfileCount) {
        return -1;  // a keyboard reporting a profile it does not have is not trusted
    }
    cache.store(profile);
    return profile;
}

int SetCurrentProfile(device::TransferEngine& engine, std::atomic<int>& cache, int profile) {
    if (profile < 0 || profile >= device::kProfileCount) {
        return 0;
    }
    std::array<std::uint8_t, device::kSettingsSize> settings{};
    const int read = engine.ReadDeviceSettings(settings);
    if (read != device::kResultSuccess) {
        return read;
    }
    settings[device::settings::kCurrentProfile] = static_cast<std::uint8_t>(profile);
    const int written = engine.WriteDeviceSettings(settings);
    cache.store(written == device::kResultSuccess ? profile : -1);
    return written;
}

}  // namespace q804::model
