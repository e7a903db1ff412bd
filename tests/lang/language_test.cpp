#include "lang/language.h"

#include <gtest/gtest.h>

#include "common/text_format.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::TempDir;

class Language : public ::testing::Test {
  protected:
    TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");

    void SetUp() override {
        dir.Write("data/Lang0804.ini", "[TEXT]\nMAIN_CAPTION=键盘\nEMPTY=\n[MODE]\n1=常亮\n");
        dir.Write("data/Lang0409.ini",
                  "\xEF\xBB\xBF[TEXT]\r\nMAIN_CAPTION=Keyboard\r\nEMPTY=\r\n"
                  "PERCENT_N=%n%s%s%s\r\n[LIGHT]\r\nSpeed=Speed\r\n");
    }
    LanguageTables Tables(std::uint32_t systemLanguage) {
        return LanguageTables(dir / "data", settings, systemLanguage);
    }
};

struct ChoiceCase {
    std::uint32_t system;
    std::uint32_t expected;
};

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, MapsTheSystemLanguageAndRemembersIt) {
    TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");
    LanguageTables tables(dir.path(), settings, GetParam().system);
    EXPECT_EQ(tables.CurrentLanguageId(), GetParam().expected);
    EXPECT_EQ(settings.ReadDword("dwLanguageId"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageChoice,
                         ::testing::Values(ChoiceCase{0x0804, 0x0804},  // zh_CN
                                           ChoiceCase{0x0C04, 0x0804},  // zh_HK maps to zh_CN
                                           ChoiceCase{0x0409, 0x0409},  // en_US is shipped
                                           ChoiceCase{0x0809, 0x0409},  // en_GB maps to en_US
                                           ChoiceCase{0x2C09, 0x0409},  // last English pair
                                           ChoiceCase{0x1004,
                                                      0x0804},  // zh_SG -> zh_TW, not shipped
                                           ChoiceCase{0x0404, 0x0804},  // zh_TW not shipped
                                           ChoiceCase{0x0407, 0x0804}));

TEST_F(Language, AStoredChoiceWinsEvenWhenNotShipped) {
    ASSERT_TRUE(settings.WriteDword("dwLanguageId", 0x0409));
    LanguageTables tables = Tables(0x0804);
    EXPECT_EQ(tables.CurrentLanguageIndex(), 1);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "Keyboard");
    // A language nobody ships is kept as chosen; lookups fall back to position 0.
    ASSERT_TRUE(settings.WriteDword("dwLanguageId", 0x0411));
    EXPECT_EQ(tables.CurrentLanguageId(), 0x0411u);
    EXPECT_EQ(tables.CurrentLanguageIndex(), 0);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "键盘");
}

TEST_F(Language, LookupRules) {
    LanguageTables tables = Tables(0x0409);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION", 1), "Keyboard");  // BOM and CRLF file
    EXPECT_EQ(tables.LangText("MAIN_CAPTION", 0), "键盘");
    EXPECT_EQ(tables.LangText("MAIN_CAPTION", 4), "键盘");    // 4 and above count as 0
    EXPECT_EQ(tables.LangText("MAIN_CAPTION", 3), "#Error");  // position 3 names no file
    EXPECT_EQ(tables.LangText("EMPTY", 1), "");
    EXPECT_EQ(tables.LangText("NOT_THERE", 1), "#Error");
    EXPECT_EQ(tables.LangLightText("Speed", 1), "Speed");
    EXPECT_EQ(tables.LangLightText("MAIN_CAPTION", 1), "#Error");  // other section
    EXPECT_EQ(tables.LangModeText("1", 0), "常亮");
    EXPECT_EQ(tables.LanguageFilePath(0), dir / "data" / "Lang0804.ini");
}

TEST_F(Language, MissingFileGivesErrorText) {
    std::filesystem::remove(dir / "data" / "Lang0804.ini");
    LanguageTables tables = Tables(0x0804);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "#Error");
}

TEST_F(Language, AChangedFileIsSeenAtTheNextLookup) {
    LanguageTables tables = Tables(0x0804);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "键盘");
    dir.Write("data/Lang0804.ini", "[TEXT]\nMAIN_CAPTION=新的标题文字\n");
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "新的标题文字");
    // So is a changed language choice.
    ASSERT_TRUE(settings.WriteDword("dwLanguageId", 0x0409));
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "Keyboard");
}

TEST_F(Language, LongValuesAreCutAndFormatsStayData) {
    dir.Write("data/Lang0804.ini", "[TEXT]\nLONG=" + std::string(300, 'y') + "\n");
    LanguageTables tables = Tables(0x0409);
    EXPECT_EQ(tables.LangText("LONG", 0), std::string(259, 'y'));
    // A hostile value is filled as data, never interpreted beyond its first conversion.
    EXPECT_EQ(FormatText(tables.LangText("PERCENT_N", 1), 7), "%n7%s%s");
}

TEST_F(Language, UnwritableSettingsStillChooseALanguage) {
    dir.Write("blocked", "");
    SettingsKey blocked = SettingsKey::Open(dir / "blocked" / "config");
    LanguageTables tables(dir / "data", blocked, 0x0409);
    EXPECT_EQ(tables.CurrentLanguageId(), 0x0409u);
    EXPECT_EQ(tables.LangText("MAIN_CAPTION"), "Keyboard");
}

}  // namespace
}  // namespace q804
