#pragma once

#include <filesystem>
#include <string>

namespace q804 {

// Name of the data folder under share/ when the program is installed.
inline constexpr const char* kInstalledDataFolder = "veltrano-q804";

// Where the program's read-only files live. The data (skins, help, language files) sits
// beside the executable in the build tree and under share/ when installed; DataDirFor is the
// one place that decides.
struct ProgramPaths {
    std::filesystem::path programFile;  // the running executable
    std::filesystem::path programDir;   // its folder
    std::string programFileName;        // its file name, used to recognise a running copy
    std::filesystem::path dataDir;      // skins, help and language files
    std::filesystem::path helpDir;      // working folder of the help page and the updater
    std::filesystem::path skinDir;      // pictures and layout files
    std::filesystem::path mainSkinFile;
    std::filesystem::path profileSkinFile;
    std::filesystem::path compositeSkinFile;
    std::filesystem::path userModeTemplate;  // Skins/UserDengColor_3.userd
    std::filesystem::path daemonPath;        // companion daemon in the program folder
};

// The folder holding Skins/, Help/ and Lang*.ini for a program in programDir: the program
// folder itself when it holds a language file (build tree, portable copy), otherwise
// ../share/veltrano-q804 when that exists (installed), otherwise the program folder.
std::filesystem::path DataDirFor(const std::filesystem::path& programDir);

ProgramPaths ResolveProgramPaths(const std::filesystem::path& executable);

// The running executable's absolute path (/proc/self/exe), or an empty path.
std::filesystem::path CurrentExecutablePath();

}  // namespace q804
