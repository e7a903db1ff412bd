#include "model/macro_area.h"

#include <string>

#include "common/byte_io.h"
#include "model/key_table_codec.h"
#include "model/key_tables.h"
#include "model/store_image.h"

namespace q804::model {

namespace {

// The record kind and data bytes an action travels as.
struct PackedAction {
    std::uint16_t kindBits = 0;
    std::uint8_t d0 = 0;
    std::uint8_t d1 = 0;
};

// Keyboard keys and mouse actions travel as the records a key assignment uses; system keys
// as generic-desktop records with their usage; keys that cannot be sent as kind 0.
PackedAction PackAction(KeyCode code) {
    const HidUsage usage = UsageOfKeyCode(code);
    switch (usage.kind) {
        case UsageKind::kGenericDesktop:
            return {4, static_cast<std::uint8_t>(usage.usage & 0xFF),
                    static_cast<std::uint8_t>(usage.usage >> 8)};
        case UsageKind::kKeyboard:
        case UsageKind::kMouse: {
            const DeviceKeyRecord record = KeyRecordOfCode(code);
            return {record.kind, record.a, record.b};
        }
        default:
            return {};
    }
}

std::size_t NameLength(const MacroRecord& macro) {
    return macro.name().size();
}

}  // namespace

MacroAreaSize MacroAreaSizes(std::span<const MacroRecord> macros) {
    MacroAreaSize size;
    size.withNames = size.withoutNames = area::kHeaderSize + 2 * macros.size();
    for (const MacroRecord& macro : macros) {
        const std::size_t data =
            area::kDataActions + area::kPackedActionSize * macro.usableActionCount();
        size.withNames += data + 2 * NameLength(macro);
        size.withoutNames += data;
    }
    return size;
}

void EncodeMacroArea(std::span<std::uint8_t> buffer, bool withNames,
                     std::span<const MacroRecord> macros) {
    std::fill(buffer.begin(), buffer.end(), 0);
    WriteU16(buffer, area::kMagic, area::kMagicValue);
    WriteU16(buffer, area::kTotalSize, static_cast<std::uint16_t>(buffer.size()));
    WriteU16(buffer, area::kMacroCount, static_cast<std::uint16_t>(macros.size()));
    WriteU16(buffer, area::kHasNames, withNames ? 1 : 0);
    std::size_t at = area::kOffsets + 2 * macros.size();
    for (std::size_t m = 0; m < macros.size(); ++m) {
        const MacroRecord& macro = macros[m];
        const std::u16string name = withNames ? macro.name() : std::u16string();
        const std::size_t actionCount = macro.usableActionCount();
        WriteU16(buffer, area::kOffsets + 2 * m, static_cast<std::uint16_t>(at));
        WriteU16(buffer, at + area::kDataActionCount, static_cast<std::uint16_t>(actionCount));
        WriteU8(buffer, at + area::kDataLoopCount, macro.loopCount());
        WriteU8(buffer, at + area::kDataNameLength, static_cast<std::uint8_t>(name.size()));
        at += area::kDataActions;
        for (std::size_t a = 0; a < actionCount; ++a) {
            const MacroAction action = macro.action(a);
            const PackedAction packed = PackAction(action.code);
            auto word = static_cast<std::uint16_t>((action.delayMs / area::kDelayUnitMs) &
                                                   area::kDelayMask);
            word = static_cast<std::uint16_t>(word | (packed.kindBits << area::kKindShift));
            if (action.release != 1) {
                word |= area::kPressBit;
            }
            WriteU16(buffer, at, word);
            WriteU8(buffer, at + 2, packed.d0);
            WriteU8(buffer, at + 3, packed.d1);
            at += area::kPackedActionSize;
        }
        for (char16_t unit : name) {
            WriteU16(buffer, at, static_cast<std::uint16_t>(unit));
            at += 2;
        }
    }
}

Result<std::vector<MacroRecord>> DecodeMacroArea(std::span<const std::uint8_t> block,
                                                 std::u16string_view unnamedPrefix) {
    if (block.size() < area::kHeaderSize || ReadU16(block, area::kMagic) != area::kMagicValue) {
        return Error{"The macro area does not start with its mark"};
    }
    const std::size_t total = ReadU16(block, area::kTotalSize);
    const std::size_t count = ReadU16(block, area::kMacroCount);
    if (total > block.size() || total < area::kHeaderSize) {
        return Error{"The macro area's size does not match the data read"};
    }
    if (count > static_cast<std::size_t>(kMaxMacros) || area::kOffsets + 2 * count > total) {
        return Error{"The macro area lists more macros than it can hold"};
    }
    block = block.first(total);
    std::vector<MacroRecord> records;
    records.reserve(count);
    for (std::size_t m = 0; m < count; ++m) {
        const std::size_t data = ReadU16(block, area::kOffsets + 2 * m);
        if (data + area::kDataActions > total) {
            return Error{"Macro " + std::to_string(m + 1) + " starts outside the macro area"};
        }
        const std::size_t actionCount = ReadU16(block, data + area::kDataActionCount);
        const std::size_t nameLength = block[data + area::kDataNameLength];
        const std::size_t actionsEnd =
            data + area::kDataActions + area::kPackedActionSize * actionCount;
        if (actionCount > kMacroMaxActions || actionsEnd + 2 * nameLength > total) {
            return Error{"Macro " + std::to_string(m + 1) + " runs past the end of the macro area"};
        }
        MacroRecord record;
        record.setLoopCount(block[data + area::kDataLoopCount]);
        record.setId(static_cast<std::uint16_t>(m + 1));
        std::vector<MacroAction> actions(actionCount);
        for (std::size_t a = 0; a < actionCount; ++a) {
            const std::size_t at = data + area::kDataActions + area::kPackedActionSize * a;
            const std::uint16_t word = ReadU16(block, at);
            const DeviceKeyRecord keyRecord{
                static_cast<std::uint8_t>((word >> area::kKindShift) & 7), block[at + 2],
                block[at + 3]};
            actions[a] = MacroAction{(word & area::kDelayMask) * area::kDelayUnitMs,
                                     DecodeDeviceKeyRecord(keyRecord),
                                     static_cast<std::uint16_t>((word & area::kPressBit) ? 0 : 1)};
        }
        record.setActions(actions);
        std::u16string name;
        if (nameLength != 0) {
            for (std::size_t i = 0; i < nameLength; ++i) {
                name.push_back(static_cast<char16_t>(ReadU16(block, actionsEnd + 2 * i)));
            }
        } else {
            name = std::u16string(unnamedPrefix);
            for (char digit : std::to_string(m + 1)) {
                name.push_back(static_cast<char16_t>(digit));
            }
        }
        record.setName(name);  // cut to 249 characters
        records.push_back(record);
    }
    return records;
}

}  // namespace q804::model
