#include "app/paths.h"

#include <system_error>

namespace q804 {

namespace fs = std::filesystem;

fs::path DataDirFor(const fs::path& programDir) {
    std::error_code ec;
    if (fs::exists(programDir / "Lang0804.ini", ec) ||
        fs::exists(programDir / "Lang0409.ini", ec)) {
        return programDir;
    }
    fs::path installed = programDir.parent_path() / "share" / kInstalledDataFolder;
    if (fs::is_directory(installed, ec)) {
        return installed;
    }
    return programDir;
}

ProgramPaths ResolveProgramPaths(const fs::path& executable) {
    ProgramPaths paths;
    paths.programFile = executable;
    paths.programDir = executable.parent_path();
    paths.programFileName = executable.filename().string();
    paths.dataDir = DataDirFor(paths.programDir);
    paths.helpDir = paths.dataDir / "Help";
    paths.skinDir = paths.dataDir / "Skins";
    paths.mainSkinFile = paths.skinDir / "Main.ini";
    paths.profileSkinFile = paths.skinDir / "Profile.ini";
    paths.compositeSkinFile = paths.skinDir / "Composite.ini";
    paths.userModeTemplate = paths.skinDir / "UserDengColor_3.userd";
    paths.daemonPath = paths.programDir / "KbDaemon.exe";
    return paths;
}

fs::path CurrentExecutablePath() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self;
}

}  // namespace q804
