#include "ui/skin/layout/skin_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/layout/skin_rect.h"

namespace q804 {
namespace {

using testing::TempDir;

struct RectCase {
    const char* name;
    const char* text;
    SkinRect expected;
};

class SkinRectParsing : public ::testing::TestWithParam<RectCase> {};

TEST_P(SkinRectParsing, ReadsFourNumbersOrFallsBackToTheDefault) {
    EXPECT_EQ(ParseSkinRect(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SkinRectParsing,
    ::testing::Values(RectCase{"plain", "10,20,30,40", {10, 20, 30, 40}},
                      RectCase{"default_text", "1,1,1,1,x", {1, 1, 1, 1}},
                      RectCase{"trailing_text_ignored", "5,6,7,8 some comment", {5, 6, 7, 8}},
                      RectCase{"blanks_before_numbers", " 5, 6,\t7, 8", {5, 6, 7, 8}},
                      RectCase{"blank_before_comma_stops", "5 ,6,7,8", kDefaultSkinRect},
                      RectCase{"three_numbers", "10,20,30", kDefaultSkinRect},
                      RectCase{"empty", "", kDefaultSkinRect},
                      RectCase{"words", "left,top,width,height", kDefaultSkinRect},
                      RectCase{"sign_only", "10,-,30,40", kDefaultSkinRect},
                      RectCase{"negative_position_kept", "-5,-6,7,8", {-5, -6, 7, 8}},
                      RectCase{"negative_size_is_empty", "5,6,-7,-8", {5, 6, 0, 0}},
                      RectCase{"plus_sign", "+5,+6,+7,+8", {5, 6, 7, 8}},
                      RectCase{"limit_accepted", "32767,-32767,32767,1", {32767, -32767, 32767, 1}},
                      RectCase{"just_over_limit", "32768,1,1,1", kDefaultSkinRect},
                      RectCase{"huge", "10,20,99999999999999999999999999,40", kDefaultSkinRect},
                      RectCase{"huge_negative", "-99999999999999999999,20,30,40",
                               kDefaultSkinRect}),
    [](const ::testing::TestParamInfo<RectCase>& param) { return std::string(param.param.name); });

TEST(SkinRectParsing, SurvivesAThousandDigitNumber) {
    std::string text = "1,2," + std::string(1000, '9') + ",4";
    EXPECT_EQ(ParseSkinRect(text), kDefaultSkinRect);
}

TEST(SkinLayout, ReadsRectanglesAndScreenKeys) {
    TempDir dir;
    auto file = dir.Write("Main.ini",
                          "[SCREEN]\nMain=back.jpg\nMask=shape.bmp\nLink=https://example.org/\n"
                          "[BUTTONINFO]\nCONTROL_OK=10,20,30,40\nkey_fn = 3,4,5,6\n"
                          "EMPTY_VALUE=\nNO_EQUALS\n"
                          "[BUTTONINFO2]\nUP_ARROW_LEFT1=100,0,16,16\n");
    auto layout = SkinLayout::Read(file);
    ASSERT_TRUE(layout.ok());
    const SkinLayout& skin = layout.value();
    EXPECT_EQ(skin.Rect("CONTROL_OK"), (SkinRect{10, 20, 30, 40}));
    EXPECT_EQ(skin.Rect("KEY_FN"), (SkinRect{3, 4, 5, 6})) << "keys are matched without case";
    EXPECT_EQ(skin.Rect("EMPTY_VALUE"), kDefaultSkinRect);
    EXPECT_EQ(skin.Rect("NO_EQUALS"), kDefaultSkinRect);
    EXPECT_EQ(skin.Rect("MISSING"), kDefaultSkinRect);
    EXPECT_EQ(skin.Rect("UP_ARROW_LEFT1"), kDefaultSkinRect) << "BUTTONINFO2 is its own section";
    EXPECT_EQ(skin.PictureRect("UP_ARROW_LEFT1"), (SkinRect{100, 0, 16, 16}));
    EXPECT_EQ(skin.BackgroundPicture(), "back.jpg");
    EXPECT_EQ(skin.MaskPicture(), "shape.bmp");
    EXPECT_EQ(skin.Link("fallback"), "https://example.org/");
}

TEST(SkinLayout, MaskDefaultsToTheBackground) {
    SkinLayout skin(IniDocument("[SCREEN]\nMain=back.jpg\n"));
    EXPECT_EQ(skin.MaskPicture(), "back.jpg");
    EXPECT_EQ(skin.Link("https://fallback/"), "https://fallback/");
}

TEST(SkinLayout, MissingOrUnusableFilesGiveDefaultsEverywhere) {
    TempDir dir;
    std::filesystem::create_directories(dir / "folder.ini");
    for (const auto& file :
         {dir / "absent.ini", dir.Write("empty.ini", ""),
          dir.Write("binary.ini", std::string("\0\xFF[\x01=\n\0", 7)), dir / "folder.ini"}) {
        SkinLayout skin = SkinLayout::ReadOrEmpty(file);
        EXPECT_EQ(skin.Rect("CONTROL_OK"), kDefaultSkinRect) << file;
        EXPECT_EQ(skin.BackgroundPicture(), "") << file;
        EXPECT_EQ(skin.MaskPicture(), "") << file;
    }
    EXPECT_FALSE(SkinLayout::Read(dir / "absent.ini").ok());
    EXPECT_FALSE(SkinLayout::Read(dir / "folder.ini").ok());
}

TEST(SkinLayout, ValuesAreReadUpTo259Characters) {
    // The numbers after the cut are lost, so the value no longer holds four numbers.
    std::string padded = "10,20,30," + std::string(250, ' ') + "40";
    SkinLayout skin(IniDocument("[BUTTONINFO]\nK=" + padded + "\n"));
    EXPECT_EQ(skin.Rect("K"), kDefaultSkinRect);
}

TEST(SkinLayout, PictureNamesMustStayInTheSkinFolder) {
    EXPECT_TRUE(IsPlainPictureName("main_normal.jpg"));
    EXPECT_TRUE(IsPlainPictureName("..hidden.jpg"));
    for (const char* bad :
         {"", ".", "..", "../x.jpg", "sub/x.jpg", "..\\x.jpg", "/etc/passwd", "C:x.jpg"}) {
        EXPECT_FALSE(IsPlainPictureName(bad)) << bad;
    }
}

TEST(SkinKeys, KeyButtonKeysUseThreeUpperCaseHexDigits) {
    EXPECT_EQ(KeySkinKey(0x3B), "KEY_03B");
    EXPECT_EQ(KeySkinKey(157), "KEY_09D");
    EXPECT_EQ(KeySkinKey(0x1C), "KEY_01C");
    EXPECT_EQ(GKeySkinKey(9), "FUNC_G9");
    EXPECT_EQ(ArrowPictureKey("UP_ARROW_LEFT", 2), "UP_ARROW_LEFT2");
}

}  // namespace
}  // namespace q804
