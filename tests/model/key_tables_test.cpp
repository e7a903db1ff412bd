// Slot arithmetic, usages, key records, the picker and the button lookups, including the
// out-of-range inputs that must give "no key" rather than reach outside a table.

#include "model/key_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <set>
#include <vector>

namespace q804::model {
namespace {

struct SlotOfCodeCase {
    KeyCode code;
    KeySlot slot;
};

TEST(KeySlots, CodesFoldOntoTheSlotsOfAProfile) {
    const SlotOfCodeCase cases[] = {
        {0x000, 0},
        {0x001, 1},
        {0x045, 69},
        {0x07F, 127},
        {0x0FF, 255},
        {0x100, 128},
        {0x11D, 157},
        {0x17F, 255},
        {0x180, 0},
        {0x1FF, 127},
        {0x200, 256},
        {0x211, 273},
        {0x2FF, 511},
        // Past the last slot of a profile: no slot, so no caller can index beyond it.
        {0x300, kNoSlot},
        {0xFFFF, kNoSlot},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeySlotOfCode(c.code), c.slot) << std::hex << c.code;
    }
}

TEST(KeySlots, EverySlotOfAProfileHasACodeThatLeadsBackToIt) {
    for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
        EXPECT_EQ(KeySlotOfCode(CodeOfKeySlot(slot)), slot) << slot;
    }
    EXPECT_EQ(CodeOfKeySlot(157), 0x11D);
    EXPECT_EQ(CodeOfKeySlot(256), 0x200);  // G key 1, not 0x180 (which is slot 0)
    for (KeySlot outside : {-1, kKeySlotCount, INT_MIN, INT_MAX}) {
        EXPECT_EQ(CodeOfKeySlot(outside), kNoKey) << outside;
    }
}

TEST(KeyInfoRows, OutsideTheTableIsTheEmptyRow) {
    for (KeySlot slot : {0, 85, 256, 273, 511, kKeySlotCount, -1, INT_MIN, INT_MAX}) {
        const KeyInfoRow& row = KeyInfo(slot);
        EXPECT_TRUE(row.empty()) << slot;
        EXPECT_TRUE(row.textKey.empty()) << slot;
        EXPECT_EQ(row.deviceUsage, 0) << slot;
        EXPECT_NE(row.pickerPosition & kNotInPicker, 0) << slot;
    }
}

TEST(KeyInfoRows, AlternateVirtualKeyDiffersOnlyForKeypadDigits) {
    EXPECT_EQ(KeyInfo(71).vk, 0x67);  // Num 7, Home with NumLock off
    EXPECT_EQ(KeyInfo(71).vkAlternate, 0x24);
    EXPECT_EQ(KeyInfo(71).alternateText, "Num Home");
    for (KeySlot slot = 0; slot < kKeyInfoRowCount; ++slot) {
        const KeyInfoRow& row = KeyInfo(slot);
        if (!row.empty() && row.keyClass != KeyClass::kKeypadDigit) {
            EXPECT_EQ(row.vkAlternate, row.vk) << slot;
        }
    }
}

struct UsageCase {
    KeyCode code;
    HidUsage usage;
};

TEST(Usages, KindFollowsTheDeviceByte) {
    const UsageCase cases[] = {
        {0x01E, {UsageKind::kKeyboard, 0x04}},
        {0x130, {UsageKind::kKeyboard, 0xC0}},  // media byte stays on the keyboard page
        {0x17B, {UsageKind::kKeyboard, 0xD4}},  // Word
        {0x070, {UsageKind::kKeyboard, 0x88}},
        {0x171, {UsageKind::kMouse, 0xF1}},
        {0x162, {UsageKind::kMouse, 0xF5}},
        {0x15E, {UsageKind::kGenericDesktop, 0x81}},
        {0x163, {UsageKind::kGenericDesktop, 0x83}},
        {0x064, {}},  // F13: no byte
        {0x054, {}},  // Sys Req
        {0x16E, {}},  // Pan Left
        {0x000, {}},
        {0x200, {}},  // G keys have no row
        {0xFFFF, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UsageOfKeyCode(c.code), c.usage) << std::hex << c.code;
    }
}

struct CodeOfUsageCase {
    UsageKind kind;
    std::uint16_t usage;
    KeyCode code;
};

TEST(Usages, FirstRowWithTheByteWins) {
    const CodeOfUsageCase cases[] = {
        {UsageKind::kKeyboard, 0x04, 0x01E},
        {UsageKind::kKeyboard, 0xE5, 0x036},  // not the second Right Shift row 0x136
        {UsageKind::kKeyboard, 0x48, 0x045},  // Pause, not Break 0x146
        {UsageKind::kKeyboard, 0xC0, 0x130},  // pseudo bytes resolve on the keyboard page
        {UsageKind::kKeyboard, 0xF1, 0x171},
        {UsageKind::kKeyboard, 0x00, 0},
        {UsageKind::kKeyboard, 0xFF, 0},
        {UsageKind::kKeyboard, 0x104, 0},  // not cut to 0x04
        {UsageKind::kGenericDesktop, 0x82, 0x15F},
        {UsageKind::kGenericDesktop, 0x84, 0},
        {UsageKind::kGenericDesktop, 0x04, 0},
        {UsageKind::kConsumer, 0x0E9, 0x130},
        {UsageKind::kConsumer, 0x0B5, 0x119},
        {UsageKind::kConsumer, 0x22A, 0x166},
        {UsageKind::kConsumer, 0x22D, 0},
        // Consumer usage 0 is no usage, even though the unused table entries hold 0.
        {UsageKind::kConsumer, 0x000, 0},
        {UsageKind::kMouse, 0xF1, 0},
        {UsageKind::kNone, 0x04, 0},
        {static_cast<UsageKind>(99), 0x04, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfUsage(c.kind, c.usage), c.code)
            << static_cast<int>(c.kind) << ":" << std::hex << c.usage;
    }
}

struct DecodeCase {
    DeviceKeyRecord record;
    KeyCode code;
};

TEST(DeviceKeyRecords, DecodeToTheKeyTheyStandFor) {
    const DecodeCase cases[] = {
        {{0x00, 0x00, 0x00}, 0},     {{0x01, 0x01, 0x01}, 0x171},
        {{0x01, 0x01, 0x02}, 0x172}, {{0x01, 0x01, 0x04}, 0x173},
        {{0x01, 0x01, 0x03}, 0},     {{0x01, 0x05, 0x01}, 0x161},
        {{0x01, 0x05, 0xFF}, 0x162}, {{0x01, 0x05, 0x02}, 0},
        {{0x01, 0x02, 0x01}, 0},     {{0x02, 0x02, 0x04}, 0x01E},
        {{0x02, 0x02, 0xE5}, 0x036}, {{0x02, 0x02, 0x00}, 0},
        {{0x02, 0x01, 0x21}, 0x01D},  // Left Ctrl wins over Right Shift
        {{0x02, 0x01, 0x00}, 0},     {{0x02, 0x01, 0x40}, 0x138},
        {{0x02, 0x07, 0x80}, 0x15C},  // any a other than 02 is modifier bits
        {{0x03, 0xE9, 0x00}, 0x130}, {{0x03, 0xB5, 0x00}, 0x119},
        {{0x03, 0xB5, 0x01}, 0},     {{0x03, 0x00, 0x00}, 0},  // not Zoom-
        {{0x04, 0x82, 0x00}, 0x15F}, {{0x04, 0x84, 0x00}, 0},
        {{0x04, 0x81, 0x01}, 0},     {{0x05, 0x01, 0x00}, 0},
        {{0x05, 0x02, 0x00}, 0},     {{0x05, 0x05, 0x03}, 0},
        {{0x06, 0xA2, 0x01}, 0x200}, {{0x06, 0xA2, 0x03}, 0x202},
        {{0x06, 0xA2, 0x12}, 0x211}, {{0x06, 0xA1, 0x03}, 0},
        {{0x06, 0xA2, 0x00}, 0},  // no G key 0; 0x1FF would land on slot 127
        {{0x07, 0x02, 0x04}, 0},     {{0xFF, 0xFF, 0xFF}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDeviceKeyRecord(c.record), c.code)
            << std::hex << int{c.record.kind} << " " << int{c.record.a} << " " << int{c.record.b};
    }
}

TEST(DeviceKeyRecords, LowestModifierBitWins) {
    const std::array<KeyCode, 8> codes = {0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C};
    EXPECT_EQ(ModifierCodeOfBits(0), kNoKey);
    for (unsigned bit = 0; bit < 8; ++bit) {
        const auto alone = static_cast<std::uint8_t>(1U << bit);
        const auto withHigher = static_cast<std::uint8_t>(0xFFU << bit);
        EXPECT_EQ(ModifierCodeOfBits(alone), codes[bit]) << bit;
        EXPECT_EQ(ModifierCodeOfBits(withHigher), codes[bit]) << bit;
    }
}

TEST(DeviceKeyRecords, ReadAndWriteStayInsideTheBuffer) {
    std::vector<std::uint8_t> table(378, 0xEE);
    WriteDeviceKeyRecord(table, 375, {0x02, 0x02, 0x29});
    EXPECT_EQ(ReadDeviceKeyRecord(table, 375), (DeviceKeyRecord{0x02, 0x02, 0x29}));
    EXPECT_EQ(table[374], 0xEE);

    // A record that would reach past the end is neither read nor written.
    WriteDeviceKeyRecord(table, 376, {0x01, 0x01, 0x01});
    WriteDeviceKeyRecord(table, 1000, {0x01, 0x01, 0x01});
    EXPECT_EQ(table[376], 0x02);
    EXPECT_EQ(table[377], 0x29);
    EXPECT_EQ(ReadDeviceKeyRecord(table, 376), DeviceKeyRecord{});
    EXPECT_EQ(ReadDeviceKeyRecord(table, SIZE_MAX), DeviceKeyRecord{});
    EXPECT_EQ(ReadDeviceKeyRecord({}, 0), DeviceKeyRecord{});
}

TEST(Picker, EveryPositionOffersOneKeyThatKnowsItsPosition) {
    std::set<KeyCode> offered;
    for (int position = 0; position < kPickerPositionCount; ++position) {
        const KeyCode code = PickerCodeAt(position);
        ASSERT_NE(code, kNoKey) << position;
        EXPECT_EQ(PickerPositionOfCode(code), position) << position;
        offered.insert(code);
    }
    EXPECT_EQ(offered.size(), static_cast<std::size_t>(kPickerPositionCount));

    // Both Right Shift rows hold 103; the first one is offered.
    EXPECT_EQ(PickerCodeAt(103), 0x036);
    EXPECT_EQ(PickerPositionOfCode(0x136), 103);
}

TEST(Picker, KeysNotOfferedAndPositionsOutsideGiveNothing) {
    for (int position : {-1, kPickerPositionCount, 0x8000, 0x8000 | 5, INT_MIN, INT_MAX}) {
        EXPECT_EQ(PickerCodeAt(position), kNoKey) << position;
    }
    for (KeyCode code : std::initializer_list<KeyCode>{0x000, 0x054, 0x064, 0x070, 0x130, 0x15E,
                                                       0x174, 0x200, 0xFFFF}) {
        EXPECT_EQ(PickerPositionOfCode(code), -1) << std::hex << code;
    }
}

TEST(KeyButtons, LookupsByButtonId) {
    EXPECT_EQ(KeyButtonRowOfId(1058), 0);
    EXPECT_EQ(KeyButtonRowOfId(1227), 105);
    EXPECT_EQ(KeyButtonRowOfId(1022), 37);
    for (KeyButtonId other : {1000, 1143, 1174, 0, -1, 9999}) {
        EXPECT_FALSE(KeyButtonRowOfId(other).has_value()) << other;
    }

    EXPECT_EQ(ColourIndexOfButton(1022), 0);  // Esc
    EXPECT_EQ(ColourIndexOfButton(1058), 64);
    EXPECT_EQ(ColourIndexOfButton(1143), kGKeyColourIndex);
    EXPECT_EQ(ColourIndexOfButton(1000), kGKeyColourIndex);
    EXPECT_EQ(ColourIndexOfButton(1174), 0);  // Fn has no colour of its own
    EXPECT_EQ(ColourIndexOfButton(-1), 0);

    EXPECT_EQ(GKeyIndexOfButton(1000), 0);
    EXPECT_EQ(GKeyIndexOfButton(1004), 4);
    EXPECT_EQ(GKeyIndexOfButton(1140), 5);
    EXPECT_EQ(GKeyIndexOfButton(1143), 8);
    EXPECT_FALSE(GKeyIndexOfButton(1005).has_value());
    EXPECT_FALSE(GKeyIndexOfButton(1058).has_value());
}

TEST(GKeys, BanksAndFunctionCodes) {
    EXPECT_EQ(GKeySlotOfButton(1000, 0), 256);
    EXPECT_EQ(GKeySlotOfButton(1000, 1), 265);
    EXPECT_EQ(GKeySlotOfButton(1141, 0), 262);
    EXPECT_EQ(GKeySlotOfButton(1143, 1), 273);
    EXPECT_EQ(GKeySlotOfButton(1143, 2), kNoSlot);
    EXPECT_EQ(GKeySlotOfButton(1143, -1), kNoSlot);
    EXPECT_EQ(GKeySlotOfButton(1058, 0), kNoSlot);

    const std::pair<KeySlot, std::uint16_t> cases[] = {
        {255, 0},      {256, 0x301}, {264, 0x309}, {265, 0x1301},
        {273, 0x1309}, {274, 0},     {-1, 0},      {INT_MIN, 0},
    };
    for (const auto& [slot, code] : cases) {
        EXPECT_EQ(GKeyFunctionCode(slot), code) << slot;
    }
}

TEST(MediaKeys, OnlyTheEighteenMediaCodes) {
    for (const MediaRow& row : kMediaTable) {
        EXPECT_TRUE(IsMediaKeyCode(row.code)) << row.name;
    }
    for (KeyCode code : std::initializer_list<KeyCode>{0x000, 0x01E, 0x171, 0x174, 0x15F}) {
        EXPECT_FALSE(IsMediaKeyCode(code)) << std::hex << code;
    }
}

}  // namespace
}  // namespace q804::model
