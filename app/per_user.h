#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "common/result.h"

namespace q804 {

inline constexpr const char* kPerUserFolderName = "Veltrano Q804 RGB";

// The per-user base folders: data ($XDG_DATA_HOME, default ~/.local/share) and settings
// ($XDG_CONFIG_HOME, default ~/.config).
struct UserDirs {
    std::filesystem::path dataHome;
    std::filesystem::path configHome;
};

// Reads the XDG variables and HOME through getenv (or the given lookup, for tests). Relative
// XDG values are ignored, as the XDG rules say.
UserDirs UserDirsFromEnvironment(const std::function<const char*(const char*)>& getenv_ = nullptr);

struct PerUserPaths {
    std::filesystem::path folder;                           // <data home>/Veltrano Q804 RGB
    std::filesystem::path settingsFile;                     // zmkb.ini
    std::filesystem::path UserModeFile(int profile) const;  // UserDengColor_<n>.userd
};

PerUserPaths ResolvePerUserPaths(const UserDirs& dirs);

// First use of the per-user folder: when it does not exist yet, create it and seed the three
// user-mode files from the template (a missing template gives three empty files). An
// existing folder is left exactly as it is, even with files missing. Failures are returned so
// that a caller may show them; the program goes on with its defaults either way.
Status EnsurePerUserFolder(const PerUserPaths& paths,
                           const std::filesystem::path& userModeTemplate);

}  // namespace q804
