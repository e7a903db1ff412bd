#pragma once

// The byte image of the assignment store: a 64-byte header and 2048 entries of 16 bytes.
// The same bytes open every profile file. Entry e = profile * 512 + slot.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace q804::model {

inline constexpr std::size_t kStoreHeaderSize = 64;
inline constexpr std::size_t kEntrySize = 16;
inline constexpr int kEntryCount = 2048;
inline constexpr int kSlotsPerProfile = 512;
inline constexpr int kStoreProfileCount = 3;
inline constexpr std::size_t kStoreImageSize = kStoreHeaderSize + kEntryCount * kEntrySize;
static_assert(kStoreImageSize == 32832);
inline constexpr int kMaxMacros = 100;

// Header layout.
namespace header {
inline constexpr std::size_t kMagic = 0;             // u16 0x4446, the bytes "F" "D"
inline constexpr std::size_t kHeaderWords = 2;       // u16 32
inline constexpr std::size_t kVersionA = 4;          // u16 3
inline constexpr std::size_t kVersionB = 6;          // u16 1
inline constexpr std::size_t kTotalSize = 8;         // u32 macroCount * 16512 + stringBytes + 32832
inline constexpr std::size_t kEntryCountField = 12;  // u16 2048
inline constexpr std::size_t kMacroCount = 14;       // u16, at most 100
inline constexpr std::size_t kStringBytes = 16;      // u32
inline constexpr std::size_t kReserved20 = 20;       // u32 0
inline constexpr std::size_t kReserved24 = 24;       // u32 0
inline constexpr std::size_t kReserved28 = 28;       // u16 0
inline constexpr std::size_t kFlag = 30;             // u8, written 0
inline constexpr std::size_t kChecksum = 31;         // u8, sum of bytes 0..30
inline constexpr std::size_t kConstantBlock = 32;    // 24 constant bytes, then 8 zero bytes

inline constexpr std::uint16_t kMagicValue = 0x4446;
inline constexpr std::uint16_t kHeaderWordsValue = 32;
inline constexpr std::uint16_t kVersionAValue = 3;
inline constexpr std::uint16_t kVersionBValue = 1;
}  // namespace header

inline constexpr std::array<std::uint8_t, 24> kHeaderConstantBlock = {
    0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02,
    0x00, 0x00, 0x00, 0x00, 0x45, 0x0C, 0x04, 0x50, 0x4F, 0x1C, 0x0E, 0x00};

enum class AssignmentType : std::uint16_t {
    kDefault = 0,
    kDisabled = 1,
    kKey = 2,
    kLaunchProgram = 3,
    kMacro = 4,
    kStopMacro = 5,
    kTextBlock = 6,
    kMedia = 7,
    kFunction = 8,
};

// Entry layout.
namespace entry {
inline constexpr std::size_t kType = 0;            // u16
inline constexpr std::size_t kExtra = 2;           // u16
inline constexpr std::size_t kValue = 4;           // u32
inline constexpr std::size_t kColourSelected = 8;  // u32
inline constexpr std::size_t kReserved = 12;       // u32
}  // namespace entry

struct AssignmentEntry {
    std::uint16_t type = 0;  // an AssignmentType; kept as read, unknown values included
    std::uint16_t extra = 0;
    std::uint32_t value = 0;
    std::uint32_t colourSelected = 0;
    std::uint32_t reserved = 0;

    AssignmentType kind() const { return static_cast<AssignmentType>(type); }
    friend bool operator==(const AssignmentEntry&, const AssignmentEntry&) = default;
};

// Types whose entries own a text (program path or text to type).
constexpr bool OwnsText(std::uint16_t type) {
    return type == static_cast<std::uint16_t>(AssignmentType::kLaunchProgram) ||
           type == static_cast<std::uint16_t>(AssignmentType::kTextBlock);
}

constexpr int EntryNumber(int profile, int slot) {
    return profile * kSlotsPerProfile + slot;
}

// One store image, always exactly 32832 bytes.
class StoreImage {
  public:
    StoreImage() : bytes_(kStoreImageSize, 0) {}
    // Takes the first 32832 bytes; the span must hold at least that many.
    explicit StoreImage(std::span<const std::uint8_t> bytes);

    std::span<std::uint8_t> bytes() { return bytes_; }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    AssignmentEntry Entry(int entryNumber) const;
    void SetEntry(int entryNumber, const AssignmentEntry& value);

    std::uint16_t macroCount() const;
    std::uint32_t stringBytes() const;
    std::uint32_t totalSize() const;
    std::uint8_t flag() const;
    std::uint8_t checksum() const;
    // The 8-bit sum of bytes 0..30 that the checksum byte must equal.
    std::uint8_t ComputedChecksum() const;

  private:
    std::vector<std::uint8_t> bytes_;
};

// Writes the header fields, the total size and the checksum; the constant block at 32 is
// left as it is.
void InitStoreHeader(StoreImage& image, std::uint16_t macroCount, std::uint32_t stringBytes,
                     std::uint8_t flag);
void WriteHeaderConstantBlock(StoreImage& image);

// Zeroes all entries; the G slots of the first profile get their function codes.
void ClearStore(StoreImage& image);
// Zeroes one profile's 512 entries and gives its G slots their function codes.
void ClearProfileSlice(StoreImage& image, int profile);

// A fresh image: header (no macros, no texts, flag 0), constant block, cleared entries.
StoreImage NewDefaultImage();

}  // namespace q804::model
