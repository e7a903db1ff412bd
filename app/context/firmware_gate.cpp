#include "app/context/firmware_gate.h"

#include <unistd.h>

#include <array>
#include <system_error>

#include "common/byte_io.h"

namespace q804 {

std::uint16_t ReadFirmwareVersion(device::TransferEngine& engine) {
    std::array<std::uint8_t, device::kSettingsSize> settings{};
    if (engine.ReadDeviceSettings(settings) != device::kResultSuccess) {
        return 0;
    }
    return ReadU16(settings, device::settings::kFirmwareVersion);
}

std::filesystem::path UpdaterPath(const std::filesystem::path& helpDir) {
    return helpDir / kUpdaterFileName;
}

bool UpdaterAvailable(const std::filesystem::path& helpDir) {
    const std::filesystem::path path = UpdaterPath(helpDir);
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace q804
