#include "device/sim/factory_key_table.h"

namespace q804::device::sim {

namespace {

constexpr KeyRecord Key(std::uint8_t usage) {
    return {kRecordKeyboard, kKeyboardUsage, usage};
}
constexpr KeyRecord Modifier(std::uint8_t bit) {
    return {kRecordKeyboard, kModifierBits, bit};
}
constexpr KeyRecord GKey(std::uint8_t number) {
    return {kRecordGKey, kGKeyMarker, number};
}
constexpr KeyRecord None() {
    return {kRecordNone, 0, 0};
}

// Positions run along the physical rows, left to right, top to bottom; the G keys sit in
// front of them as the keyboard's first column.
constexpr std::array<KeyRecord, kKeyRecordCount> kRecords = {{
    // 0-17: G keys 1-18 (nine keys, two banks)
    GKey(1),
    GKey(2),
    GKey(3),
    GKey(4),
    GKey(5),
    GKey(6),
    GKey(7),
    GKey(8),
    GKey(9),
    GKey(10),
    GKey(11),
    GKey(12),
    GKey(13),
    GKey(14),
    GKey(15),
    GKey(16),
    GKey(17),
    GKey(18),
    // 18-33: Esc, F1-F12, Print Screen, Scroll Lock, Pause
    Key(0x29),
    Key(0x3A),
    Key(0x3B),
    Key(0x3C),
    Key(0x3D),
    Key(0x3E),
    Key(0x3F),
    Key(0x40),
    Key(0x41),
    Key(0x42),
    Key(0x43),
    Key(0x44),
    Key(0x45),
    Key(0x46),
    Key(0x47),
    Key(0x48),
    // 34-54: ` 1-0 - = Backspace, Insert Home Page Up, Num Lock, Num / Num * Num -
    Key(0x35),
    Key(0x1E),
    Key(0x1F),
    Key(0x20),
    Key(0x21),
    Key(0x22),
    Key(0x23),
    Key(0x24),
    Key(0x25),
    Key(0x26),
    Key(0x27),
    Key(0x2D),
    Key(0x2E),
    Key(0x2A),
    Key(0x49),
    Key(0x4A),
    Key(0x4B),
    Key(0x53),
    Key(0x54),
    Key(0x55),
    Key(0x56),
    // 55-75: Tab Q-P [ ] \, Delete End Page Down, Num 7 Num 8 Num 9 Num +
    Key(0x2B),
    Key(0x14),
    Key(0x1A),
    Key(0x08),
    Key(0x15),
    Key(0x17),
    Key(0x1C),
    Key(0x18),
    Key(0x0C),
    Key(0x12),
    Key(0x13),
    Key(0x2F),
    Key(0x30),
    Key(0x31),
    Key(0x4C),
    Key(0x4D),
    Key(0x4E),
    Key(0x5F),
    Key(0x60),
    Key(0x61),
    Key(0x57),
    // 76-91: Caps Lock A-L ; ' Enter, Num 4 Num 5 Num 6
    Key(0x39),
    Key(0x04),
    Key(0x16),
    Key(0x07),
    Key(0x09),
    Key(0x0A),
    Key(0x0B),
    Key(0x0D),
    Key(0x0E),
    Key(0x0F),
    Key(0x33),
    Key(0x34),
    Key(0x28),
    Key(0x5C),
    Key(0x5D),
    Key(0x5E),
    // 92-110: Shift K45 Z-M , . / K56 Right Shift, Up, Num 1 Num 2 Num 3 Num Enter
    Modifier(0x02),
    Key(0x64),
    Key(0x1D),
    Key(0x1B),
    Key(0x06),
    Key(0x19),
    Key(0x05),
    Key(0x11),
    Key(0x10),
    Key(0x36),
    Key(0x37),
    Key(0x38),
    Key(0x87),
    Modifier(0x20),
    Key(0x52),
    Key(0x59),
    Key(0x5A),
    Key(0x5B),
    Key(0x58),
    // 111-123: Ctrl Win Alt Space Right Alt Right Win App Right Ctrl, Left Down Right,
    // Num 0 Num .
    Modifier(0x01),
    Modifier(0x08),
    Modifier(0x04),
    Key(0x2C),
    Modifier(0x40),
    Modifier(0x80),
    Key(0x65),
    Modifier(0x10),
    Key(0x50),
    Key(0x51),
    Key(0x4F),
    Key(0x62),
    Key(0x63),
    // 124-125: spare positions
    None(),
    None(),
}};

}  // namespace

const std::array<KeyRecord, kKeyRecordCount>& FactoryKeyRecords() {
    return kRecords;
}

std::array<std::uint8_t, kKeyTableSize> FactoryKeyTable() {
    std::array<std::uint8_t, kKeyTableSize> table{};
    for (std::size_t position = 0; position < kRecords.size(); ++position) {
        for (std::size_t i = 0; i < 3; ++i) {
            table[position * 3 + i] = kRecords[position][i];
        }
    }
    return table;
}

}  // namespace q804::device::sim
