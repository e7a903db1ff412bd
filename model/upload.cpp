#include "model/upload.h"

#include <new>
#include <vector>

#include "model/current_profile.h"
#include "model/macro_area.h"

namespace q804::model {

ArrivalReadResult ReadKeyboardBasics(device::TransferEngine& engine, DeviceState& state) {
    ArrivalReadResult result;
    KeyTable table{};
    result.defaultMatrix = engine.ReadDefaultKeyTable(table);
    if (result.defaultMatrix == device::kResultSuccess) {
        state.defaultMatrix.Replace(table);
    }
    std::array<std::uint8_t, device::kSettingsSize> settings{};
    result.settings = engine.ReadDeviceSettings(settings);
    if (result.settings == device::kResultSuccess) {
        state.macroCapacity.store(static_cast<unsigned>(settings[device::settings::kMacroUnits]) *
                                  device::settings::kMacroUnitBytes);
    }
    return result;
}

int UploadKeyTables(const UploadSnapshot& snapshot, device::TransferEngine& engine,
                    DeviceState& state, bool allProfiles, const ShowMessage& show) {
    auto lock = snapshot.Lock();
    const MacroAreaSize sizes = MacroAreaSizes(snapshot.macros());
    const std::size_t capacity = state.macroCapacity.load();
    if (sizes.withoutNames > capacity) {
        if (show) {
            show("EXTRA_MACRO_TOO_LONG", {});
        }
        return 0;
    }
    const bool tight = sizes.withNames > capacity;
    std::vector<std::uint8_t> area;
    try {
        area.resize(tight ? sizes.withoutNames : sizes.withNames);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    EncodeMacroArea(area, !tight, snapshot.macros());

    std::vector<int> profiles;
    if (allProfiles) {
        profiles = {0, 1, 2};
    } else {
        const int current = CurrentProfile(engine, state.currentProfile);
        if (current < 0) {
            return 0;
        }
        profiles = {current};
    }
    const KeyTable matrix = state.defaultMatrix.Copy();
    std::vector<KeyTable> tables;
    for (int profile : profiles) {
        tables.push_back(EncodeKeyTable(snapshot, profile, matrix));
    }

    (void)engine.BeginDeviceAccess();  // its answer says nothing the writes will not say
    int result = engine.WriteMacroArea(area);
    for (std::size_t i = 0; i < profiles.size() && result == device::kResultSuccess; ++i) {
        result = engine.WriteKeyTable(tables[i], profiles[i]);
    }
    (void)engine.EndDeviceAccess();
    if (tight && show) {
        show("EXTRA_PROFILE_SPACE_TIGHT", {});
    }
    return result;
}

int ApplyToKeyboard(AssignmentStore& store, device::TransferEngine& engine, DeviceState& state,
                    bool allProfiles, const ShowMessage& show) {
    auto workingLock = store.working.Lock();
    auto snapshotLock = store.snapshot.Lock();
    if (!store.TakeUploadSnapshot()) {
        return 0;
    }
    workingLock.unlock();  // the snapshot lock alone keeps what is sent stable
    return UploadKeyTables(store.snapshot, engine, state, allProfiles, show);
}

}  // namespace q804::model
