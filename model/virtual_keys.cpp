// What the macro recorder and the key capture make of keyboard and mouse messages.

#include <array>

#include "model/key_info_table.h"
#include "model/key_tables.h"

namespace q804::model {
namespace {

struct VkException {
    std::uint8_t vk;
    std::uint8_t slot;  // 0 = the virtual key has no slot
};

// Where the lowest-slot rule gives the wrong key or a key the recorder must not produce:
// the generic modifiers land on the left keys, 0x2C is Print Screen rather than Sys Req,
// and mouse buttons, pan, double click and the office keys have no key message of their own.
// clang-format off
constexpr VkException kVkExceptions[] = {
    {0x10, 42}, {0x11, 29}, {0x12, 56}, {0x2C, 183},
    {0x8B, 210}, {0x8C, 211}, {0x9C, 212}, {0x9D, 213},
    {0x01, 0}, {0x02, 0}, {0x04, 0}, {0x0C, 0},
    {0x88, 0}, {0x89, 0}, {0x8A, 0},
    {0x97, 0}, {0x98, 0}, {0x99, 0}, {0x9A, 0}, {0x9B, 0},
    {0x9E, 0}, {0x9F, 0}, {0xFF, 0},
};
// clang-format on

constexpr std::array<std::uint8_t, 256> BuildVkTable() {
    std::array<std::uint8_t, 256> table{};
    for (int slot = kKeyInfoRowCount - 1; slot > 0; --slot) {
        const KeyInfoRow& row = kKeyInfoTable[static_cast<std::size_t>(slot)];
        if (!row.empty()) {
            table[row.vk] = static_cast<std::uint8_t>(slot);
        }
    }
    for (const VkException& exception : kVkExceptions) {
        table[exception.vk] = exception.slot;
    }
    return table;
}
constexpr std::array<std::uint8_t, 256> kVkTable = BuildVkTable();
static_assert(kVkTable[0x0D] == 28, "Enter, not Num Enter");
static_assert(kVkTable[0xA1] == 54, "the first Right Shift row");

}  // namespace

KeySlot VkSlot(std::uint32_t vk) {
    return vk < kVkTable.size() ? kVkTable[vk] : 0;
}

KeyCode KeyCodeOfVirtualKey(std::uint32_t vk, std::uint32_t keyData) {
    const KeyCode vkCode = CodeOfKeySlot(VkSlot(vk));
    // Bits 16-23 hold the scan code and bit 24 the extended-key flag, which together read
    // as a key code: 0x152 is the Insert key of the arrow block, 0x052 keypad 0.
    const auto scanCode = static_cast<KeyCode>((keyData >> 16) & 0x1FF);
    const auto scanByte = static_cast<std::uint8_t>(scanCode & 0xFF);

    if (scanCode == kRightShift) {
        return kRightShift;
    }
    if (vk == 0xFF) {
        return scanCode;
    }
    if (scanByte == 0) {
        return vkCode;
    }
    const KeyInfoRow& scanRow = KeyInfo(KeySlotOfCode(scanCode));
    if (scanRow.vk == vk || scanRow.vkAlternate == vk ||
        static_cast<KeySlot>(scanByte) == VkSlot(vk)) {
        return scanCode;
    }
    return vkCode;
}

KeyCode KeyCodeOfMouseMessage(std::uint32_t message) {
    switch (message) {
        case 0x201:
        case 0x202:
            return kMouseLeft;
        case 0x204:
        case 0x205:
            return kMouseRight;
        case 0x207:
        case 0x208:
            return kMouseMiddle;
        default:
            return kNoKey;
    }
}

bool IsMouseRelease(std::uint32_t message) {
    return message == 0x202 || message == 0x205 || message == 0x208;
}

}  // namespace q804::model
