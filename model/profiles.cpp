#include "model/profiles.h"

#include <array>
#include <new>
#include <vector>

#include "common/byte_io.h"
#include "common/file_io.h"
#include "model/current_profile.h"
#include "model/key_table_codec.h"
#include "model/macro_area.h"
#include "model/profile_file.h"
#include "model/upload.h"

namespace q804::model {

namespace {

void Show(const ProfileContext& context, std::string_view key, std::string_view argument = {}) {
    if (context.show) {
        context.show(key, argument);
    }
}

Error DeviceError(std::string_view what, int result) {
    return Error{std::string(what) + ": " + device::DescribeResult(result) + " (" +
                 std::to_string(result) + ")"};
}

}  // namespace

std::filesystem::path ProfileFilePath(const PerUserPaths& paths, int /*profile*/) {
    return paths.folder / "$Profile0";
}

Status SaveToProfileFile(ProfileContext& context) {
    const int profile = CurrentProfile(context.engine, context.state.currentProfile);
    const std::filesystem::path path = ProfileFilePath(context.paths, profile);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return Error{"The working file '" + path.string() + "' does not exist yet"};
    }
    return SaveStoreFile(path, context.store.working);
}

Status ExportKeyboardToFile(device::TransferEngine& engine, DeviceState& state,
                            const std::filesystem::path& path,
                            std::u16string_view unnamedMacroPrefix) {
    const int current = CurrentProfile(engine, state.currentProfile);
    if (current < 0) {
        return Error{"The keyboard's current profile cannot be read"};
    }
    std::array<KeyTable, 3> tables{};
    for (int profile = 0; profile < 3; ++profile) {
        if (int result = engine.ReadKeyTable(tables[static_cast<std::size_t>(profile)], profile);
            result != device::kResultSuccess) {
            return DeviceError("Reading key table " + std::to_string(profile + 1), result);
        }
    }
    std::vector<std::uint8_t> area(area::kHeaderSize);
    if (int result = engine.ReadMacroArea(area); result != device::kResultSuccess) {
        return DeviceError("Reading the macro area", result);
    }
    std::vector<MacroRecord> macros;
    if (ReadU16(area, area::kMagic) == area::kMagicValue) {
        const std::size_t size = ReadU16(area, area::kTotalSize);
        if (size < area::kHeaderSize) {
            return Error{"The keyboard's macro area is damaged: it claims " + std::to_string(size) +
                         " bytes"};
        }
        area.resize(size);
        if (int result = engine.ReadMacroArea(area); result != device::kResultSuccess) {
            return DeviceError("Reading the macro area", result);
        }
        auto decoded = DecodeMacroArea(area, unnamedMacroPrefix);
        if (!decoded) {
            return Error{"The keyboard's macro area is damaged: " + decoded.error().message};
        }
        macros = std::move(decoded).value();
    }

    const KeyTable matrix = state.defaultMatrix.Copy();
    StoreImage image;
    InitStoreHeader(image, static_cast<std::uint16_t>(macros.size()), 0, 0);
    WriteHeaderConstantBlock(image);
    for (int profile = 0; profile < 3; ++profile) {
        DecodeKeyTable(image, profile, tables[static_cast<std::size_t>(profile)], matrix);
    }
    std::vector<std::uint8_t> file;
    try {
        file.assign(image.bytes().begin(), image.bytes().end());
        for (const MacroRecord& macro : macros) {
            file.insert(file.end(), macro.bytes().begin(), macro.bytes().end());
        }
    } catch (const std::bad_alloc&) {
        return Error{"Out of memory while saving the keyboard's profiles"};
    }
    return WriteFileAtomically(path, file);
}

bool ReloadFromKeyboard(ProfileContext& context) {
    (void)EnsurePerUserFolder(context.paths, context.userModeTemplate);  // failures show below
    const int profile = CurrentProfile(context.engine, context.state.currentProfile);
    bool loaded = false;
    if (profile >= 0) {
        const std::filesystem::path path = ProfileFilePath(context.paths, profile);
        if (ExportKeyboardToFile(context.engine, context.state, path, context.unnamedMacroPrefix)) {
            if (auto file = ReadStoreFile(path)) {
                InstallLoadedStore(context.store.working, std::move(file).value());
                loaded = true;
            }
        }
    }
    if (!loaded) {
        context.store.InstallNewDefaultStore();
    }
    return loaded;
}

bool SelectProfile(ProfileContext& context, int profile, const SelectProfileHooks& hooks) {
    if (profile >= 3) {
        profile = 0;
    }
    if (hooks.editorOpen && hooks.editorOpen()) {
        Show(context, "PROFILE_SEELCT_PROMPT2");
        return false;
    }
    if (hooks.changesPending && hooks.changesPending()) {
        if (!context.switchQuestionOpen) {
            context.switchQuestionOpen = true;
            const bool apply = hooks.askYesNo && hooks.askYesNo("PROFILE_SELECT_PROMPT");
            context.switchQuestionOpen = false;
            if (apply) {
                if (hooks.applyNow) {
                    hooks.applyNow();
                }
            } else {
                if (hooks.discardPending) {
                    hooks.discardPending();
                }
                const int current = CurrentProfile(context.engine, context.state.currentProfile);
                if (auto file = ReadStoreFile(ProfileFilePath(context.paths, current))) {
                    InstallLoadedStore(context.store.working, std::move(file).value());
                }
            }
        }
        (void)SetCurrentProfile(context.engine, context.state.currentProfile, profile);
    } else {
        (void)SetCurrentProfile(context.engine, context.state.currentProfile, profile);
        if (hooks.profileSelected && profile >= 0) {
            hooks.profileSelected(profile);
        }
    }
    if (hooks.refreshView) {
        hooks.refreshView();
    }
    return true;
}

int RestoreFromFile(ProfileContext& context, const std::filesystem::path& path) {
    const int valid = ValidateProfileFile(path, [&](const std::filesystem::path& bad) {
        Show(context, "PROFILE_FORMAT_ERROR", bad.string());
    });
    if (valid != kProfileValid) {
        Show(context, "MAIN_PROMPT_INPORT");
        return 0;
    }
    auto file = ReadStoreFile(path);
    if (!file) {
        Show(context, "MAIN_PROMPT_INPORT");
        return 0;
    }
    auto lock = context.store.working.Lock();
    InstallLoadedStore(context.store.working, std::move(file).value());
    (void)SaveToProfileFile(context);  // without a working file yet there is nothing to keep
    return ApplyToKeyboard(context.store, context.engine, context.state, true, context.show);
}

Status BackupToFile(ProfileContext& context, const std::filesystem::path& path) {
    return SaveStoreFile(path, context.store.working);
}

}  // namespace q804::model
