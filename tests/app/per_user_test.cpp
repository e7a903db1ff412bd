#include "app/per_user.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/ini_file.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::ReadText;
using testing::TempDir;

TEST(UserDirs, FollowXdgVariablesAndFallBackToHome) {
    std::map<std::string, std::string> env = {{"HOME", "/home/u"}};
    auto lookup = [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    UserDirs dirs = UserDirsFromEnvironment(lookup);
    EXPECT_EQ(dirs.dataHome, "/home/u/.local/share");
    EXPECT_EQ(dirs.configHome, "/home/u/.config");

    env["XDG_DATA_HOME"] = "/data";
    env["XDG_CONFIG_HOME"] = "relative/ignored";
    dirs = UserDirsFromEnvironment(lookup);
    EXPECT_EQ(dirs.dataHome, "/data");
    EXPECT_EQ(dirs.configHome, "/home/u/.config");
}

class PerUserFolder : public ::testing::Test {
  protected:
    TempDir dir;
    PerUserPaths paths = ResolvePerUserPaths(UserDirs{dir / "data", dir / "config"});
};

TEST_F(PerUserFolder, NamesFollowTheWindowsLayout) {
    EXPECT_EQ(paths.folder, dir / "data" / "Veltrano Q804 RGB");
    EXPECT_EQ(paths.settingsFile, paths.folder / "zmkb.ini");
    EXPECT_EQ(paths.UserModeFile(2), paths.folder / "UserDengColor_2.userd");
}

TEST_F(PerUserFolder, FirstUseCopiesTheTemplateThreeTimes) {
    const auto tmpl = dir.Write("Skins/UserDengColor_3.userd", "[PRESENTMODE]\r\nmode=4\r\n");
    ASSERT_TRUE(EnsurePerUserFolder(paths, tmpl));
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(ReadText(paths.UserModeFile(n)), "[PRESENTMODE]\r\nmode=4\r\n") << n;
    }
    EXPECT_FALSE(std::filesystem::exists(paths.UserModeFile(3)));
    // No settings file yet: the colour-mode flag reads as "0".
    EXPECT_EQ(ReadIniString(paths.settingsFile, "KEYCOLOR", "DengCheck", "0"), "0");
}

TEST_F(PerUserFolder, AnExistingFolderIsLeftAlone) {
    const auto tmpl = dir.Write("tmpl.userd", "template");
    ASSERT_TRUE(EnsurePerUserFolder(paths, tmpl));
    std::filesystem::remove(paths.UserModeFile(1));
    dir.Write("data/Veltrano Q804 RGB/UserDengColor_0.userd", "edited by the user");
    ASSERT_TRUE(EnsurePerUserFolder(paths, tmpl));
    EXPECT_FALSE(std::filesystem::exists(paths.UserModeFile(1)));
    EXPECT_EQ(ReadText(paths.UserModeFile(0)), "edited by the user");
}

TEST_F(PerUserFolder, MissingTemplateGivesEmptyFiles) {
    ASSERT_TRUE(EnsurePerUserFolder(paths, dir / "no-template"));
    for (int n = 0; n < 3; ++n) {
        ASSERT_TRUE(std::filesystem::exists(paths.UserModeFile(n)));
        EXPECT_EQ(std::filesystem::file_size(paths.UserModeFile(n)), 0u);
    }
}

TEST_F(PerUserFolder, UncreatableFolderIsReportedNotFatal) {
    dir.Write("data", "a file where the data folder should be");
    Status status = EnsurePerUserFolder(paths, dir / "no-template");
    EXPECT_FALSE(status);
    EXPECT_NE(status.error().message.find("Veltrano Q804 RGB"), std::string::npos);
}

}  // namespace
}  // namespace q804
