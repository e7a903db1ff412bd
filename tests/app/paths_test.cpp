#include "app/paths.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::TempDir;

TEST(ProgramPaths, BuildTreeKeepsDataBesideTheExecutable) {
    TempDir dir;
    dir.Write("bin/Lang0804.ini", "[TEXT]\n");
    const ProgramPaths paths = ResolveProgramPaths(dir / "bin" / "q804-config");
    EXPECT_EQ(paths.programDir, dir / "bin");
    EXPECT_EQ(paths.programFileName, "q804-config");
    EXPECT_EQ(paths.dataDir, dir / "bin");
    EXPECT_EQ(paths.mainSkinFile, dir / "bin" / "Skins" / "Main.ini");
    EXPECT_EQ(paths.compositeSkinFile, dir / "bin" / "Skins" / "Composite.ini");
    EXPECT_EQ(paths.profileSkinFile, dir / "bin" / "Skins" / "Profile.ini");
    EXPECT_EQ(paths.userModeTemplate, dir / "bin" / "Skins" / "UserDengColor_3.userd");
    EXPECT_EQ(paths.helpDir, dir / "bin" / "Help");
    EXPECT_EQ(paths.daemonPath, dir / "bin" / "KbDaemon.exe");
}

TEST(ProgramPaths, InstalledDataComesFromShare) {
    TempDir dir;
    std::filesystem::create_directories(dir / "usr" / "bin");
    dir.Write("usr/share/veltrano-q804/Lang0409.ini", "[TEXT]\n");
    const ProgramPaths paths = ResolveProgramPaths(dir / "usr" / "bin" / "q804-config");
    EXPECT_EQ(paths.dataDir, dir / "usr" / "share" / "veltrano-q804");
    EXPECT_EQ(paths.helpDir, dir / "usr" / "share" / "veltrano-q804" / "Help");
    // The daemon is a program and stays in the program folder.
    EXPECT_EQ(paths.daemonPath, dir / "usr" / "bin" / "KbDaemon.exe");
}

TEST(ProgramPaths, LongPathsAreNotCut) {
    TempDir dir;
    std::filesystem::path deep = dir.path();
    for (int i = 0; i < 30; ++i) {
        deep /= "a-rather-long-folder-name";
    }
    const ProgramPaths paths = ResolveProgramPaths(deep / "q804-config");
    EXPECT_GT(paths.mainSkinFile.string().size(), 260u);
    EXPECT_EQ(paths.mainSkinFile, deep / "Skins" / "Main.ini");
}

TEST(ProgramPaths, CurrentExecutableIsThisTest) {
    EXPECT_EQ(CurrentExecutablePath().filename(), "app_tests");
}

}  // namespace
}  // namespace q804
