#include "app/settings.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::ReadText;
using testing::TempDir;

TEST(SettingsKey, StoresNumbersUnderTheRegistryNames) {
    TempDir dir;
    SettingsKey key = SettingsKey::Open(dir / "config");
    ASSERT_TRUE(key.valid());
    EXPECT_FALSE(key.ReadDword("dwLanguageId"));
    ASSERT_TRUE(key.WriteDword("dwLanguageId", 0x0804));
    EXPECT_EQ(key.ReadDword("DWLANGUAGEID"), 0x0804u);
    EXPECT_EQ(ReadText(dir / "config" / "Brimvale_30C.ini"), "[Brimvale_30C]\ndwLanguageId=2052\n");
}

TEST(SettingsKey, ReadsHexadecimalAndRejectsGarbage) {
    TempDir dir;
    dir.Write("config/Brimvale_30C.ini", "[Brimvale_30C]\na=0x0409\nb=12x\nc=\nd=99999999999\n");
    SettingsKey key = SettingsKey::Open(dir / "config");
    EXPECT_EQ(key.ReadDword("a"), 0x0409u);
    EXPECT_FALSE(key.ReadDword("b"));
    EXPECT_FALSE(key.ReadDword("c"));
    EXPECT_FALSE(key.ReadDword("d"));
}

TEST(SettingsKey, UncreatableFolderMakesAnInvalidKey) {
    TempDir dir;
    dir.Write("config", "not a folder");
    SettingsKey key = SettingsKey::Open(dir / "config");
    EXPECT_FALSE(key.valid());
    EXPECT_FALSE(key.ReadDword("dwLanguageId"));
    EXPECT_FALSE(key.WriteDword("dwLanguageId", 1));
}

TEST(AppProfile, ReadsDefaultsAndCreatesItsFoldersOnWrite) {
    TempDir dir;
    AppProfile profile(dir / "config");
    EXPECT_EQ(profile.GetAppProfileString("PROFILES", "Flip", "0"), "0");
    ASSERT_TRUE(profile.WriteAppProfileString("PROFILES", "Flip", "1"));
    ASSERT_TRUE(profile.WriteAppProfileString("PROFILES", "PROFILE01", "/home/u/a.fwc"));
    EXPECT_EQ(profile.GetAppProfileString("profiles", "FLIP", "0"), "1");
    EXPECT_EQ(profile.file(), dir / "config" / "Quorvane_Palimar" / "Veltrano Q804RGB.ini");
    EXPECT_EQ(ReadText(profile.file()), "[PROFILES]\nFlip=1\nPROFILE01=/home/u/a.fwc\n");
}

}  // namespace
}  // namespace q804
