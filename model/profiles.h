#pragma once

// Profiles as a whole: the profile working file through which the keyboard's content reaches
// the working store, the keyboard's current profile, backups and restores. Questions to the
// user and dialogs stay with the caller, behind the hooks below.

#include <filesystem>
#include <functional>
#include <string>

#include "app/per_user.h"
#include "common/result.h"
#include "device/transfer_engine.h"
#include "model/assignment_store.h"
#include "model/device_state.h"

namespace q804::model {

// Everything the profile operations work on; owned by the application context.
struct ProfileContext {
    AssignmentStore& store;
    device::TransferEngine& engine;
    DeviceState& state;
    PerUserPaths paths;
    std::filesystem::path userModeTemplate;
    // Name given to macros read from the keyboard without one (followed by their number).
    std::u16string unnamedMacroPrefix;
    ShowMessage show;
    // Set while the switch question is on screen, so a second switch does not ask again.
    bool switchQuestionOpen = false;
};

// The working file: one file, "$Profile0", serves all three profiles.
std::filesystem::path ProfileFilePath(const PerUserPaths& paths, int profile);

// Saves the working store into the working file of the current profile, only when that
// file already exists.
Status SaveToProfileFile(ProfileContext& context);

// Reads the keyboard's three key tables and its macro area and writes them as a profile
// file (atomically). A macro area that is damaged is an error; one without its start mark
// counts as empty.
Status ExportKeyboardToFile(device::TransferEngine& engine, DeviceState& state,
                            const std::filesystem::path& path,
                            std::u16string_view unnamedMacroPrefix);

// Refreshes the working store from the keyboard through the working file; when the keyboard
// cannot be read, a default store is installed instead of a stale one. True when the
// keyboard's content was loaded.
bool ReloadFromKeyboard(ProfileContext& context);

struct SelectProfileHooks {
    std::function<bool()> editorOpen;      // the assignment editor is open
    std::function<bool()> changesPending;  // Apply pending, or the profile manager changed
    std::function<bool(std::string_view key)> askYesNo;  // default answer No
    std::function<bool()> applyNow;        // runs the main window's Apply; true on success
    std::function<void()> discardPending;  // disables Apply
    std::function<void(int profile)> profileSelected;  // marks the row in the profile manager
    std::function<void()> refreshView;                 // tooltips, key marks and the profile menu
};

// The user's profile switch. A profile of 3 or more becomes 0; a negative one selects
// nothing but still refreshes the view. False when the switch was refused.
bool SelectProfile(ProfileContext& context, int profile, const SelectProfileHooks& hooks);

// Restores a profile file: validates it, loads it, saves it as the working file and uploads
// all three profiles. A file that fails validation changes nothing; the user sees
// "PROFILE_FORMAT_ERROR" (wrong header) and "MAIN_PROMPT_INPORT". The result is the upload's
// device result, or 0 when the file was refused.
int RestoreFromFile(ProfileContext& context, const std::filesystem::path& path);

// Writes the working store to a profile file of the user's choice.
Status BackupToFile(ProfileContext& context, const std::filesystem::path& path);

}  // namespace q804::model
