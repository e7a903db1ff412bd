// Shown names from the language file, and the names a user may type.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "app/settings.h"
#include "lang/language.h"
#include "model/key_tables.h"
#include "tests/support/temp_dir.h"

namespace q804::model {
namespace {

using q804::testing::TempDir;

class KeyNames : public ::testing::Test {
  protected:
    TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");
    std::optional<LanguageTables> language;

    void SetUp() override {
        dir.Write("data/Lang0804.ini",
                  "[TEXT]\n"
                  "IDS_KEYBOARD_A=A键\n"
                  "IDS_KEYBOARD_LEFT=左方向键\n"
                  "IDS_KEYBOARD_RIGHT=Right Arrow\n"
                  "IDS_KEYBOARD_ESC=\n"
                  "IDS_KEYBOARD_RSHIFT=右Shift\n"
                  "MEDIA_V_ADD_7=音量+\n"
                  "UNKNOWN_KEY=未知键 (0x%04X)\n");
        language.emplace(dir / "data", settings, 0x0804);
    }
};

struct NameCase {
    KeyCode code;
    const char* text;
};

TEST_F(KeyNames, TextOfTheRowOrTheUnknownText) {
    const NameCase cases[] = {
        {0x01E, "A键"},
        {0x14B, "左方向键"},
        {0x130, "音量+"},
        {0x136, "右Shift"},          // the second Right Shift row names it as well
        {0x030, "#Error"},           // a key missing from the file shows the lookup's error
        {0x001, "未知键 (0x0001)"},  // present but empty
        {0x064, "未知键 (0x0064)"},  // F13 has no text key
        {0x000, "未知键 (0x0000)"},
        {0x200, "未知键 (0x0200)"},   // G keys have no row
        {0xFFFF, "未知键 (0xFFFF)"},  // no slot at all
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyNameOfCode(*language, c.code), c.text) << std::hex << c.code;
    }
}

struct CapacityCase {
    KeyCode code;
    std::size_t capacity;
    const char* text;
};

TEST_F(KeyNames, CapacityCountsCharactersAndTheTerminator) {
    const CapacityCase cases[] = {
        {0x14D, 12, "Right Arrow"},  // 11 characters and the terminator fit
        {0x14D, 11, "Right Arro"},  {0x14D, 2, "R"},    {0x14D, 1, ""}, {0x14D, 0, ""},
        {0x14B, 5, "左方向键"},     {0x14B, 3, "左方"},  // cut between characters, never inside one
        {0x064, 7, "未知键 (0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyNameOfCode(*language, c.code, c.capacity), c.text)
            << std::hex << c.code << " capacity " << std::dec << c.capacity;
    }
}

TEST_F(KeyNames, PickerNamesFollowThePicker) {
    EXPECT_EQ(PickerNameAt(*language, 0), "A键");
    EXPECT_EQ(PickerNameAt(*language, 103), "右Shift");
    EXPECT_EQ(PickerNameAt(*language, 37), "");  // Esc: present but empty, no unknown text
    EXPECT_EQ(PickerNameAt(*language, kPickerPositionCount), "");
    EXPECT_EQ(PickerNameAt(*language, -1), "");
    EXPECT_EQ(PickerNameAt(*language, INT_MIN), "");
}

struct TypedNameCase {
    const char* name;
    std::optional<KeyCode> code;
};

TEST(KeyCodeOfName, EnglishNamesAliasesAndGKeys) {
    const TypedNameCase cases[] = {
        {"A", 0x01E},           {"a", 0x01E},           {"ESC", 0x001},
        {"right shift", 0x036},  // the first of the two rows
        {"Num 7", 0x047},       {"num lock", 0x145},    {"Pause", 0x045},
        {"\\", 0x02B},          {"V+", 0x130},          {"Roll Up", 0x161},
        {"Left Button", 0x171}, {"F13", 0x064},         {"↑", 0x148},
        {"up", 0x148},          {"LEFT", 0x14B},        {"G", 0x022},  // the letter, not a G key
        {"G1", 0x200},          {"g18", 0x211},         {"G19", std::nullopt},
        {"G0", std::nullopt},   {"G01", std::nullopt},  {"G+1", std::nullopt},
        {"G-1", std::nullopt},  {"G1 ", std::nullopt},  {"G99999999999999999999", std::nullopt},
        {"", std::nullopt},     {"Nope", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfName(c.name), c.code) << c.name;
    }
}

TEST(EnglishNameOfCode, NamesOnlyTheKeysThemselves) {
    EXPECT_EQ(EnglishNameOfCode(0x029), "`");
    EXPECT_EQ(EnglishNameOfCode(0x136), "Right Shift");
    EXPECT_EQ(EnglishNameOfCode(0x200), "G1");
    EXPECT_EQ(EnglishNameOfCode(0x211), "G18");
    EXPECT_EQ(EnglishNameOfCode(0x212), "");
    EXPECT_EQ(EnglishNameOfCode(0x1A9), "");  // folds onto slot 41 but is not that key
    EXPECT_EQ(EnglishNameOfCode(0x000), "");
    EXPECT_EQ(EnglishNameOfCode(0xFFFF), "");
}

}  // namespace
}  // namespace q804::model
