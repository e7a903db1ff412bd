#include "model/key_tables.h"

#include <algorithm>

#include "model/key_info_table.h"

namespace q804::model {
namespace {

constexpr KeyInfoRow kEmptyRow{};

// First slot (lowest) for each device usage byte, so that a usage resolves the way a scan
// of the table from slot 0 upward would: where two rows share a usage the lower slot wins
// (0xE5 is Right Shift 0x036, not 0x136; 0x48 is Pause, not Break). 0 = no row.
constexpr std::array<std::uint8_t, 256> BuildFirstSlotOfUsage() {
    std::array<std::uint8_t, 256> first{};
    for (int slot = kKeyInfoRowCount - 1; slot > 0; --slot) {
        const KeyInfoRow& row = kKeyInfoTable[static_cast<std::size_t>(slot)];
        if (!row.empty() && row.deviceUsage != 0) {
            first[row.deviceUsage] = static_cast<std::uint8_t>(slot);
        }
    }
    return first;
}
constexpr std::array<std::uint8_t, 256> kFirstSlotOfUsage = BuildFirstSlotOfUsage();
static_assert(kFirstSlotOfUsage[0xE5] == 54 && kFirstSlotOfUsage[0x48] == 69);

// Lowest slot offered at each picker position; position 103 is held by both Right Shift
// rows and the first one wins.
constexpr std::array<std::uint8_t, kPickerPositionCount> BuildPickerSlots() {
    std::array<std::uint8_t, kPickerPositionCount> slots{};
    for (int slot = kKeyInfoRowCount - 1; slot > 0; --slot) {
        const std::uint16_t position = kKeyInfoTable[static_cast<std::size_t>(slot)].pickerPosition;
        if ((position & kNotInPicker) == 0 && position < kPickerPositionCount) {
            slots[position] = static_cast<std::uint8_t>(slot);
        }
    }
    return slots;
}
constexpr std::array<std::uint8_t, kPickerPositionCount> kPickerSlots = BuildPickerSlots();
static_assert(kPickerSlots[103] == 54);

constexpr bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

const KeyInfoRow& KeyInfo(KeySlot slot) {
    if (slot < 0 || slot >= kKeyInfoRowCount) {
        return kEmptyRow;
    }
    return kKeyInfoTable[static_cast<std::size_t>(slot)];
}

HidUsage UsageOfKeyCode(KeyCode code) {
    const std::uint8_t usage = KeyInfo(KeySlotOfCode(code)).deviceUsage;
    if (usage == 0 || usage == 0xFF) {
        return {};
    }
    if (InRange(usage, 0x81, 0x83)) {
        return {UsageKind::kGenericDesktop, usage};
    }
    if (InRange(usage, 0xF1, 0xF8)) {
        return {UsageKind::kMouse, usage};
    }
    // The consumer and office bytes 0xC0-0xD5 are reported on the keyboard page too: the
    // encoder sends them as they stand.
    return {UsageKind::kKeyboard, usage};
}

KeyCode KeyCodeOfUsage(UsageKind kind, std::uint16_t usage) {
    std::uint16_t byte = 0;
    switch (kind) {
        case UsageKind::kKeyboard:
            byte = usage;
            break;
        case UsageKind::kGenericDesktop:
            byte = InRange(usage, 0x81, 0x83) ? usage : 0;
            break;
        case UsageKind::kConsumer: {
            // Usage 0 is "no usage": it must not land on the unused table entries 18-31,
            // whose byte 0xD2 would make a record 03 00 00 read as Zoom-.
            if (usage == 0) {
                return kNoKey;
            }
            const auto* found =
                std::find(kConsumerUsageTable.begin(), kConsumerUsageTable.end(), usage);
            if (found == kConsumerUsageTable.end()) {
                return kNoKey;
            }
            byte = static_cast<std::uint16_t>(kFirstConsumerDeviceUsage +
                                              (found - kConsumerUsageTable.begin()));
            break;
        }
        default:
            return kNoKey;
    }
    if (byte == 0 || byte > 0xFF) {
        return kNoKey;
    }
    const std::uint8_t slot = kFirstSlotOfUsage[byte];
    return slot == 0 ? kNoKey : CodeOfKeySlot(slot);
}

bool IsMediaKeyCode(KeyCode code) {
    return std::any_of(kMediaTable.begin(), kMediaTable.end(),
                       [code](const MediaRow& row) { return row.code == code; });
}

std::optional<int> KeyButtonRowOfId(KeyButtonId button) {
    for (std::size_t row = 0; row < kKeyButtonOrder.size(); ++row) {
        if (kKeyButtonOrder[row].button == button) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

ColourIndex ColourIndexOfButton(KeyButtonId button) {
    if (auto row = KeyButtonRowOfId(button)) {
        return kKeyButtonOrder[static_cast<std::size_t>(*row)].colourIndex;
    }
    if (GKeyIndexOfButton(button)) {
        return kGKeyColourIndex;
    }
    return 0;
}

std::optional<int> GKeyIndexOfButton(KeyButtonId button) {
    const auto* found = std::find(kGKeyButtons.begin(), kGKeyButtons.end(), button);
    if (found == kGKeyButtons.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - kGKeyButtons.begin());
}

KeySlot GKeySlotOfButton(KeyButtonId button, int bank) {
    const std::optional<int> index = GKeyIndexOfButton(button);
    if (!index || (bank != 0 && bank != 1)) {
        return kNoSlot;
    }
    return kFirstGKeySlot + bank * kGKeyButtonCount + *index;
}

DeviceKeyRecord ReadDeviceKeyRecord(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < kDeviceKeyRecordSize) {
        return {};
    }
    return {bytes[offset], bytes[offset + 1], bytes[offset + 2]};
}

void WriteDeviceKeyRecord(std::span<std::uint8_t> bytes, std::size_t offset,
                          const DeviceKeyRecord& record) {
    if (offset > bytes.size() || bytes.size() - offset < kDeviceKeyRecordSize) {
        return;
    }
    bytes[offset] = record.kind;
    bytes[offset + 1] = record.a;
    bytes[offset + 2] = record.b;
}

KeyCode DecodeDeviceKeyRecord(const DeviceKeyRecord& record) {
    const auto wideUsage = static_cast<std::uint16_t>(record.a | (record.b << 8));
    switch (record.kind) {
        case 0x01:
            if (record.a == 0x01) {
                switch (record.b) {
                    case 0x01:
                        return kMouseLeft;
                    case 0x02:
                        return kMouseRight;
                    case 0x04:
                        return kMouseMiddle;
                    default:
                        return kNoKey;
                }
            }
            if (record.a == 0x05) {
                if (record.b == 0x01) {
                    return kWheelUp;
                }
                if (record.b == 0xFF) {
                    return kWheelDown;
                }
            }
            return kNoKey;
        case 0x02:
            if (record.a == 0x02) {
                return KeyCodeOfUsage(UsageKind::kKeyboard, record.b);
            }
            return ModifierCodeOfBits(record.b);
        case 0x03:
            return KeyCodeOfUsage(UsageKind::kConsumer, wideUsage);
        case 0x04:
            return KeyCodeOfUsage(UsageKind::kGenericDesktop, wideUsage);
        case 0x06:
            // G keys are numbered from 1; a 0 would give 0x1FF, which folds onto slot 127.
            if (record.a == 0xA2 && record.b != 0) {
                return static_cast<KeyCode>(kFirstGKeyCode - 1 + record.b);
            }
            return kNoKey;
        default:
            // 0x00 no function, 0x05 macro, stop and keyboard function: no key of their own.
            return kNoKey;
    }
}

KeyCode ModifierCodeOfBits(std::uint8_t bits) {
    // Bit order of the keyboard's modifier byte: left Ctrl, Shift, Alt, Win, then right.
    static constexpr std::array<KeyCode, 8> kModifierCodes = {0x01D, 0x02A, 0x038, 0x15B,
                                                              0x11D, 0x036, 0x138, 0x15C};
    for (std::size_t bit = 0; bit < kModifierCodes.size(); ++bit) {
        if ((bits >> bit) & 1U) {
            return kModifierCodes[bit];
        }
    }
    return kNoKey;
}

KeyCode PickerCodeAt(int position) {
    if (position < 0 || position >= kPickerPositionCount) {
        return kNoKey;
    }
    const std::uint8_t slot = kPickerSlots[static_cast<std::size_t>(position)];
    return slot == 0 ? kNoKey : CodeOfKeySlot(slot);
}

int PickerPositionOfCode(KeyCode code) {
    const std::uint16_t position = KeyInfo(KeySlotOfCode(code)).pickerPosition;
    if ((position & kNotInPicker) != 0 || position >= kPickerPositionCount) {
        return -1;
    }
    return position;
}

}  // namespace q804::model
