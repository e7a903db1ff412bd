#include "app/per_user.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "common/file_io.h"

namespace q804 {

namespace fs = std::filesystem;

namespace {

// Templates are a few kilobytes; the bound only keeps a wrong file from being copied.
constexpr std::uintmax_t kMaxTemplateBytes = 4 * 1024 * 1024;

fs::path HomeFolder(const std::function<const char*(const char*)>& getenv_) {
    if (const char* home = getenv_("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/tmp";
}

fs::path XdgFolder(const std::function<const char*(const char*)>& getenv_, const char* variable,
                   const fs::path& fallback) {
    const char* value = getenv_(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    return fallback;
}

}  // namespace

UserDirs UserDirsFromEnvironment(const std::function<const char*(const char*)>& getenv_) {
    std::function<const char*(const char*)> lookup =
        getenv_ ? getenv_ : [](const char* name) { return std::getenv(name); };
    const fs::path home = HomeFolder(lookup);
    return UserDirs{XdgFolder(lookup, "XDG_DATA_HOME", home / ".local" / "share"),
                    XdgFolder(lookup, "XDG_CONFIG_HOME", home / ".config")};
}

fs::path PerUserPaths::UserModeFile(int profile) const {
    return folder / ("UserDengColor_" + std::to_string(profile) + ".userd");
}

PerUserPaths ResolvePerUserPaths(const UserDirs& dirs) {
    PerUserPaths paths;
    paths.folder = dirs.dataHome / kPerUserFolderName;
    paths.settingsFile = paths.folder / "zmkb.ini";
    return paths;
}

Status EnsurePerUserFolder(const PerUserPaths& paths, const fs::path& userModeTemplate) {
    std::error_code ec;
    if (fs::exists(paths.folder, ec)) {
        if (!fs::is_directory(paths.folder, ec)) {
            return Error{"'" + paths.folder.string() + "' exists but is not a folder"};
        }
        return Status::Ok();
    }
    fs::create_directories(paths.folder, ec);
    if (ec) {
        return Error{"Cannot create the folder '" + paths.folder.string() + "': " + ec.message()};
    }
    std::vector<std::uint8_t> content;
    if (auto bytes = ReadRegularFile(userModeTemplate, kMaxTemplateBytes)) {
        content = std::move(bytes).value();
    }
    for (int profile = 0; profile < 3; ++profile) {
        if (Status written = WriteFileAtomically(paths.UserModeFile(profile), content); !written) {
            return written;
        }
    }
    return Status::Ok();
}

}  // namespace q804
