#include "model/key_table_codec.h"

namespace q804::model {

namespace {

struct BuiltInRecord {
    int position;
    DeviceKeyRecord record;
};

// The records known before the keyboard has been asked for its own.
constexpr BuiltInRecord kBuiltInRecords[] = {
    {0, {0x05, 0x00, 0x00}},  {1, {0x05, 0x00, 0x00}},  {2, {0x05, 0x00, 0x00}},
    {3, {0x05, 0x00, 0x00}},  {4, {0x05, 0x00, 0x00}},  {5, {0x05, 0x00, 0x00}},
    {8, {0x02, 0x02, 0x29}},  {9, {0x02, 0x02, 0x35}},  {10, {0x02, 0x02, 0x2B}},
    {11, {0x02, 0x02, 0x39}}, {12, {0x02, 0x01, 0x02}}, {13, {0x02, 0x01, 0x01}},
    {16, {0x02, 0x02, 0x3A}}, {17, {0x02, 0x02, 0x1E}}, {18, {0x02, 0x02, 0x14}},
    {19, {0x02, 0x02, 0x04}}, {20, {0x02, 0x02, 0x1D}}, {21, {0x02, 0x01, 0x08}},
    {24, {0x02, 0x02, 0x3B}}, {25, {0x02, 0x02, 0x1F}}, {26, {0x02, 0x02, 0x1A}},
    {27, {0x02, 0x02, 0x16}}, {28, {0x02, 0x02, 0x1B}}, {29, {0x02, 0x01, 0x04}},
    {32, {0x02, 0x02, 0x3C}}, {33, {0x02, 0x02, 0x20}}, {34, {0x02, 0x02, 0x08}},
    {35, {0x02, 0x02, 0x07}}, {36, {0x02, 0x02, 0x06}}, {37, {0x02, 0x02, 0x2C}},
    {38, {0x02, 0x02, 0x46}}, {40, {0x02, 0x02, 0x3D}}, {41, {0x02, 0x02, 0x21}},
    {42, {0x02, 0x02, 0x15}}, {43, {0x02, 0x02, 0x09}}, {44, {0x02, 0x02, 0x19}},
    {45, {0x02, 0x01, 0x40}}, {46, {0x02, 0x02, 0x47}}, {48, {0x02, 0x02, 0x3E}},
    {49, {0x02, 0x02, 0x22}}, {50, {0x02, 0x02, 0x17}}, {51, {0x02, 0x02, 0x0A}},
    {52, {0x02, 0x02, 0x05}}, {53, {0x05, 0x02, 0x02}}, {54, {0x02, 0x02, 0x2E}},
    {56, {0x02, 0x02, 0x3F}}, {57, {0x02, 0x02, 0x23}}, {58, {0x02, 0x02, 0x1C}},
    {59, {0x02, 0x02, 0x0B}}, {60, {0x02, 0x02, 0x11}}, {61, {0x02, 0x02, 0x65}},
    {62, {0x02, 0x02, 0x48}},
};

constexpr std::size_t RecordOffset(int position) {
    return static_cast<std::size_t>(position) * kDeviceKeyRecordSize;
}

DeviceKeyRecord ModifierRecord(KeyCode code) {
    switch (code) {
        case 0x01D:
            return {0x02, 0x01, 0x01};
        case 0x02A:
            return {0x02, 0x01, 0x02};
        case 0x038:
            return {0x02, 0x01, 0x04};
        case 0x15B:
            return {0x02, 0x01, 0x08};
        case 0x11D:
            return {0x02, 0x01, 0x10};
        case 0x036:
            return {0x02, 0x01, 0x20};
        case 0x138:
            return {0x02, 0x01, 0x40};
        case 0x15C:
            return {0x02, 0x01, 0x80};
        default:
            return {};
    }
}

}  // namespace

DeviceKeyRecord KeyRecordOfCode(KeyCode code) {
    if (DeviceKeyRecord modifier = ModifierRecord(code); modifier.kind != 0) {
        return modifier;
    }
    switch (code) {
        case kMouseLeft:
            return {0x01, 0x01, 0x01};
        case kMouseRight:
            return {0x01, 0x01, 0x02};
        case kMouseMiddle:
            return {0x01, 0x01, 0x04};
        case kWheelUp:
            return {0x01, 0x05, 0x01};
        case kWheelDown:
            return {0x01, 0x05, 0xFF};
        default:
            break;
    }
    const HidUsage usage = UsageOfKeyCode(code);
    return {0x02, 0x02,
            usage.kind == UsageKind::kKeyboard ? static_cast<std::uint8_t>(usage.usage)
                                               : std::uint8_t{0}};
}

namespace {

DeviceKeyRecord RecordOfEntry(const AssignmentEntry& entry, const DeviceKeyRecord& factory,
                              const UploadSnapshot& snapshot) {
    switch (entry.kind()) {
        case AssignmentType::kDefault:
        case AssignmentType::kLaunchProgram:
            return factory;
        case AssignmentType::kDisabled:
        case AssignmentType::kTextBlock:
            return {};
        case AssignmentType::kKey:
            return KeyRecordOfCode(static_cast<KeyCode>(entry.value));
        case AssignmentType::kMacro:
            return {0x05, 0x01,
                    static_cast<std::uint8_t>(snapshot.SnapshotMacroPositionOfId(
                        static_cast<int>(entry.value & 0xFFFF)))};
        case AssignmentType::kStopMacro:
            return {0x05, 0x02, 0x00};
        case AssignmentType::kMedia:
            if (entry.value < static_cast<std::uint32_t>(kMediaCount)) {
                const std::uint16_t usage = kMediaTable[entry.value].consumerUsage;
                return {0x03, static_cast<std::uint8_t>(usage & 0xFF),
                        static_cast<std::uint8_t>(usage >> 8)};
            }
            return factory;  // no such media function: keep the key working as it came
        case AssignmentType::kFunction:
            return {0x05, 0x05, static_cast<std::uint8_t>(entry.value & 0xFF)};
    }
    return factory;  // an entry type this program does not know
}

}  // namespace

DefaultMatrix::DefaultMatrix() : table_(BuiltIn()) {}

KeyTable DefaultMatrix::BuiltIn() {
    KeyTable table{};
    for (const BuiltInRecord& entry : kBuiltInRecords) {
        WriteDeviceKeyRecord(table, RecordOffset(entry.position), entry.record);
    }
    return table;
}

KeyTable DefaultMatrix::Copy() const {
    std::lock_guard lock(mutex_);
    return table_;
}

void DefaultMatrix::Replace(std::span<const std::uint8_t, device::kKeyTableSize> table) {
    std::lock_guard lock(mutex_);
    std::copy(table.begin(), table.end(), table_.begin());
}

KeyCode PositionKey(const KeyTable& matrix, int position) {
    return DecodeDeviceKeyRecord(ReadDeviceKeyRecord(matrix, RecordOffset(position)));
}

KeyTable EncodeKeyTable(const UploadSnapshot& snapshot, int profile, const KeyTable& matrix) {
    KeyTable table = matrix;
    auto lock = snapshot.Lock();
    for (int k = 0; k < kMatrixPositions; ++k) {
        const KeyCode key = PositionKey(matrix, k);
        const KeySlot slot = KeySlotOfCode(key);
        if (key == kNoKey || slot == kNoSlot) {
            continue;
        }
        const DeviceKeyRecord factory = ReadDeviceKeyRecord(matrix, RecordOffset(k));
        WriteDeviceKeyRecord(table, RecordOffset(k),
                             RecordOfEntry(snapshot.EntryAt(profile, slot), factory, snapshot));
    }
    return table;
}

void DecodeKeyTable(StoreImage& image, int slice,
                    std::span<const std::uint8_t, device::kKeyTableSize> table,
                    const KeyTable& matrix) {
    ClearProfileSlice(image, slice);
    for (int k = 0; k < kMatrixPositions; ++k) {
        const DeviceKeyRecord record = ReadDeviceKeyRecord(table, RecordOffset(k));
        if (record == ReadDeviceKeyRecord(matrix, RecordOffset(k))) {
            continue;
        }
        const KeySlot slot = KeySlotOfCode(PositionKey(matrix, k));
        if (slot == kNoSlot || slot == 0) {
            continue;
        }
        const int number = EntryNumber(slice, slot);
        AssignmentEntry entry = image.Entry(number);
        entry.type = static_cast<std::uint16_t>(AssignmentType::kDisabled);
        entry.value = 0;
        auto setKey = [&](KeyCode code) {
            entry.type = static_cast<std::uint16_t>(AssignmentType::kKey);
            entry.value = code;
        };
        switch (record.kind) {
            case 0x05:
                if (record.a == 0x01) {
                    entry.type = static_cast<std::uint16_t>(AssignmentType::kMacro);
                    entry.value = record.b + 1u;
                } else if (record.a == 0x02) {
                    entry.type = static_cast<std::uint16_t>(AssignmentType::kStopMacro);
                } else if (record.a == 0x05) {
                    entry.type = static_cast<std::uint16_t>(AssignmentType::kFunction);
                    entry.value = record.b;
                }
                break;
            case 0x03: {
                const std::uint16_t usage = static_cast<std::uint16_t>(record.a | (record.b << 8));
                for (int i = 0; i < kMediaCount; ++i) {
                    if (kMediaTable[static_cast<std::size_t>(i)].consumerUsage == usage) {
                        entry.type = static_cast<std::uint16_t>(AssignmentType::kMedia);
                        entry.value = static_cast<std::uint32_t>(i);
                        break;
                    }
                }
                break;
            }
            case 0x01:
                if (record.a == 0x01 && record.b == 0x01)
                    setKey(kMouseLeft);
                else if (record.a == 0x01 && record.b == 0x02)
                    setKey(kMouseRight);
                else if (record.a == 0x01 && record.b == 0x04)
                    setKey(kMouseMiddle);
                else if (record.a == 0x05 && record.b == 0x01)
                    setKey(kWheelUp);
                else if (record.a == 0x05 && record.b == 0xFF)
                    setKey(kWheelDown);
                break;
            case 0x02:
                if (record.a == 0x02) {
                    if (KeyCode code = KeyCodeOfUsage(UsageKind::kKeyboard, record.b);
                        code != kNoKey) {
                        setKey(code);
                    }
                } else if (record.a == 0x01) {
                    setKey(ModifierCodeOfBits(record.b));
                }
                break;
            default:
                break;
        }
        image.SetEntry(number, entry);
    }
}

}  // namespace q804::model
