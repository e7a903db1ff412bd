// The key tables against the shipped language files, the public Windows virtual-key
// numbering and the keyboard's own colour grid; the uniqueness the keyboard view needs; and
// the usage round trips the key-table decoder relies on.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "model/key_tables.h"
#include "tests/model/named_slots.h"
#include "tests/support/temp_dir.h"

namespace q804::model {
namespace {

namespace fs = std::filesystem;

// --- Language files ------------------------------------------------------------------------

class ShippedLanguageKeyNames : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguageKeyNames, HaveATextForEveryNamedKey) {
    const IniDocument file(
        q804::testing::ReadText(fs::path(Q804_SOURCE_DIR) / "data" / GetParam()));
    auto expectText = [&](std::string_view key, std::string_view what) {
        const auto value = file.Find("TEXT", key);
        ASSERT_TRUE(value.has_value()) << GetParam() << " lacks " << key << " (" << what << ")";
        EXPECT_FALSE(value->empty()) << GetParam() << " has no text for " << key;
    };
    for (const KeyButtonRow& button : kKeyButtonOrder) {
        const KeyInfoRow& row = KeyInfo(KeySlotOfCode(button.code));
        ASSERT_FALSE(row.textKey.empty()) << "button " << button.button << " has no text key";
        expectText(row.textKey, row.name);
    }
    for (KeySlot slot : NamedSlots()) {
        if (!KeyInfo(slot).textKey.empty()) {
            expectText(KeyInfo(slot).textKey, KeyInfo(slot).name);
        }
    }
    for (const MediaRow& media : kMediaTable) {
        expectText(media.textKey, media.name);
    }
    for (std::string_view key : kFunctionTable) {
        expectText(key, "keyboard function");
    }
    expectText("UNKNOWN_KEY", "unnamed codes");
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageKeyNames,
                         ::testing::Values("Lang0804.ini", "Lang0409.ini"));

// --- Uniqueness and agreement between the tables --------------------------------------------

TEST(KeyTableConsistency, ButtonsCodesAndColoursAreUnique) {
    std::set<KeyButtonId> buttons(kGKeyButtons.begin(), kGKeyButtons.end());
    ASSERT_EQ(buttons.size(), kGKeyButtons.size());
    std::set<KeyCode> codes;
    std::set<ColourIndex> colours;
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        EXPECT_TRUE(buttons.insert(row.button).second) << "button " << row.button;
        EXPECT_TRUE(codes.insert(row.code).second) << "code " << std::hex << row.code;
        EXPECT_TRUE(colours.insert(row.colourIndex).second) << "colour " << row.colourIndex;
        // 125 belongs to the G keys.
        EXPECT_GE(row.colourIndex, 0);
        EXPECT_LT(row.colourIndex, kGKeyColourIndex) << row.button;
        EXPECT_FALSE(KeyInfo(KeySlotOfCode(row.code)).empty()) << row.button;
        EXPECT_EQ(CodeOfKeySlot(KeySlotOfCode(row.code)), row.code) << row.button;
    }
}

// The colour tables are a grid of six rows of 21 positions; each key sits in its physical
// row, keys run left to right, and the letter and digit rows have no gaps.
TEST(KeyTableConsistency, ColourIndicesFollowThePhysicalRows) {
    struct PhysicalRun {
        int row;
        bool gapless;
        std::vector<std::string> keys;  // left to right
    };
    const PhysicalRun runs[] = {
        {0,
         false,
         {"Esc", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
          "Print Screen", "Scroll Lock", "Pause"}},
        {0, true, {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"}},
        {1, true, {"`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "Backspace"}},
        {1,
         false,
         {"Backspace", "Insert", "Home", "Page Up", "Num Lock", "Num /", "Num *", "Num -"}},
        {2, true, {"Tab", "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]"}},
        {2, false, {"]", "Delete", "End", "Page Down", "Num 7", "Num 8", "Num 9", "Num +"}},
        {3, true, {"Caps Lock", "A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'"}},
        {3, false, {"'", "Enter", "Num 4", "Num 5", "Num 6"}},
        {4, true, {"Shift", "K45", "Z", "X", "C", "V", "B", "N", "M", ",", ".", "/"}},
        {4, false, {"/", "Right Shift", "Up", "Num 1", "Num 2", "Num 3", "Num Enter"}},
        {5,
         false,
         {"Ctrl", "Win", "Alt", "Space", "Right Alt", "Right Ctrl", "Left", "Down", "Right",
          "Num 0", "Num ."}},
    };
    auto colourOf = [](const std::string& name) -> int {
        const std::optional<KeyCode> code = KeyCodeOfName(name);
        for (const KeyButtonRow& row : kKeyButtonOrder) {
            if (code && row.code == *code) {
                return row.colourIndex;
            }
        }
        ADD_FAILURE() << name << " is not on a key button";
        return -1;
    };
    constexpr int kRowLength = 21;
    for (const PhysicalRun& run : runs) {
        int previous = -1;
        for (const std::string& key : run.keys) {
            const int colour = colourOf(key);
            EXPECT_EQ(colour / kRowLength, run.row) << key << " at " << colour;
            if (previous >= 0) {
                EXPECT_GT(colour, previous) << key;
                if (run.gapless) {
                    EXPECT_EQ(colour, previous + 1) << key;
                }
            }
            previous = colour;
        }
    }
}

TEST(KeyTableConsistency, OnlyTheKnownPairsShareADeviceUsage) {
    std::map<std::uint8_t, std::vector<KeySlot>> slotsOfUsage;
    for (KeySlot slot : NamedSlots()) {
        if (KeyInfo(slot).deviceUsage != 0) {
            slotsOfUsage[KeyInfo(slot).deviceUsage].push_back(slot);
        }
    }
    std::map<std::uint8_t, std::vector<KeySlot>> shared;
    for (const auto& [usage, slots] : slotsOfUsage) {
        if (slots.size() > 1) {
            shared[usage] = slots;
        }
    }
    // Right Shift twice, and Pause/Break on the one HID Pause usage.
    const std::map<std::uint8_t, std::vector<KeySlot>> expected = {{0x48, {69, 198}},
                                                                   {0xE5, {54, 182}}};
    EXPECT_EQ(shared, expected);
}

TEST(KeyTableConsistency, MediaRowsAgreeWithTheirKeysAndTheConsumerTable) {
    std::set<std::uint16_t> mediaUsages;
    for (std::size_t i = 0; i < kMediaTable.size(); ++i) {
        const MediaRow& media = kMediaTable[i];
        SCOPED_TRACE(media.name);
        EXPECT_TRUE(mediaUsages.insert(media.consumerUsage).second);
        const KeyInfoRow& row = KeyInfo(KeySlotOfCode(media.code));
        EXPECT_EQ(row.textKey, media.textKey);
        EXPECT_EQ(row.name, media.name);
        // The key's device byte stands for the consumer usage the media row sends.
        ASSERT_GE(row.deviceUsage, kFirstConsumerDeviceUsage);
        const std::size_t entry = row.deviceUsage - kFirstConsumerDeviceUsage;
        ASSERT_LT(entry, kConsumerUsageTable.size());
        EXPECT_EQ(kConsumerUsageTable[entry], media.consumerUsage);
        // And the keyboard's consumer record decodes back to the key.
        EXPECT_EQ(DecodeDeviceKeyRecord({0x03, static_cast<std::uint8_t>(media.consumerUsage),
                                         static_cast<std::uint8_t>(media.consumerUsage >> 8)}),
                  media.code);
    }
    const std::set<std::uint16_t> tableUsages(kConsumerUsageTable.begin(),
                                              kConsumerUsageTable.begin() + kMediaCount);
    EXPECT_EQ(tableUsages, mediaUsages);
}

// Windows numbers its virtual keys after ASCII for letters and digits and in runs for the
// function and keypad keys; the rows must follow.
TEST(KeyTableConsistency, VirtualKeysFollowTheWindowsNumbering) {
    for (KeySlot slot : NamedSlots()) {
        const KeyInfoRow& row = KeyInfo(slot);
        SCOPED_TRACE(std::string(row.name));
        const std::string name(row.name);
        if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
            EXPECT_EQ(row.vk, name[0]);
            EXPECT_EQ(row.keyClass, KeyClass::kLetter);
            EXPECT_EQ(row.alternateText, std::string(1, static_cast<char>(name[0] - 'A' + 'a')));
        } else if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
            EXPECT_EQ(row.vk, name[0]);
            EXPECT_EQ(row.keyClass, KeyClass::kShiftedCharacter);
        } else if (std::regex_match(name, std::regex("F[0-9]+"))) {
            EXPECT_EQ(row.vk, 0x70 + std::stoi(name.substr(1)) - 1);  // VK_F1 = 0x70
        } else if (std::regex_match(name, std::regex("Num [0-9]"))) {
            EXPECT_EQ(row.vk, 0x60 + (name[4] - '0'));  // VK_NUMPAD0 = 0x60
            EXPECT_EQ(row.keyClass, KeyClass::kKeypadDigit);
        }
    }
}

// --- Round trips ---------------------------------------------------------------------------

TEST(UsageRoundTrip, EveryKeyButtonComesBackFromItsUsage) {
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        const HidUsage usage = UsageOfKeyCode(row.code);
        EXPECT_EQ(usage.kind, UsageKind::kKeyboard) << row.button;
        EXPECT_EQ(KeyCodeOfUsage(usage.kind, usage.usage), row.code) << row.button;
        // The same path as a key table read back from the keyboard.
        EXPECT_EQ(DecodeDeviceKeyRecord({0x02, 0x02, static_cast<std::uint8_t>(usage.usage)}),
                  row.code)
            << row.button;
    }
}

TEST(UsageRoundTrip, OnlyKnownKeysDoNotComeBack) {
    std::set<KeyCode> lost;
    for (KeySlot slot : NamedSlots()) {
        const KeyCode code = CodeOfKeySlot(slot);
        const HidUsage usage = UsageOfKeyCode(code);
        if (KeyCodeOfUsage(usage.kind, usage.usage) != code) {
            lost.insert(code);
        }
    }
    const std::set<KeyCode> expected = {
        0x054, 0x064,                       // no device byte
        0x136, 0x146,                       // share a byte with a lower slot
        0x16E, 0x16F, 0x170,                // pan and double click: no byte
        0x171, 0x172, 0x173, 0x161, 0x162,  // mouse: a pair the keyboard page cannot take
        0x176, 0x177, 0x178, 0x179, 0x17A, 0x17D, 0x17E,  // office keys without a byte
    };
    EXPECT_EQ(lost, expected);
}

}  // namespace
}  // namespace q804::model
