#pragma once

// The keyboard's macro area: every macro of the store packed into one block, which the key
// tables point into by macro position.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "model/macro_record.h"

namespace q804::model {

namespace area {
inline constexpr std::size_t kMagic = 0;        // u16 0x55AA
inline constexpr std::size_t kTotalSize = 2;    // u16
inline constexpr std::size_t kMacroCount = 4;   // u16
inline constexpr std::size_t kHasNames = 6;     // u16 1 / 0
inline constexpr std::size_t kOffsets = 16;     // u16 per macro, from the block's start
inline constexpr std::size_t kHeaderSize = 16;  // bytes 8..15 are reserved zeros
inline constexpr std::uint16_t kMagicValue = 0x55AA;
// One macro's data: u16 action count, u8 loop count, u8 name length L, the actions, then
// L UTF-16 units of name.
inline constexpr std::size_t kDataActionCount = 0;
inline constexpr std::size_t kDataLoopCount = 2;
inline constexpr std::size_t kDataNameLength = 3;
inline constexpr std::size_t kDataActions = 4;
inline constexpr std::size_t kPackedActionSize = 4;  // u16 word, two record data bytes
// Word bits: 0-11 delay / 10 ms, 12-14 record kind, 15 set for a press.
inline constexpr std::uint16_t kDelayMask = 0x0FFF;
inline constexpr std::uint16_t kPressBit = 0x8000;
inline constexpr unsigned kKindShift = 12;
inline constexpr std::uint32_t kDelayUnitMs = 10;
}  // namespace area

struct MacroAreaSize {
    std::size_t withNames = 0;
    std::size_t withoutNames = 0;
};

MacroAreaSize MacroAreaSizes(std::span<const MacroRecord> macros);

// Fills buffer (exactly the size MacroAreaSizes gave for the same choice of names) with
// the packed macros. The size goes into the header as it is, so it must fit in 16 bits.
void EncodeMacroArea(std::span<std::uint8_t> buffer, bool withNames,
                     std::span<const MacroRecord> macros);

// Unpacks a block read from the keyboard into records with ids 1..n in position order.
// Every count, offset and length is checked against the block: a damaged block is an error,
// never a read past its end. Macros without a stored name are called unnamedPrefix + number.
Result<std::vector<MacroRecord>> DecodeMacroArea(std::span<const std::uint8_t> block,
                                                 std::u16string_view unnamedPrefix);

}  // namespace q804::model
