#include "model/store_image.h"

#include <algorithm>
#include <cassert>

#include "common/byte_io.h"
#include "model/key_tables.h"
#include "model/macro_record.h"

namespace q804::model {

StoreImage::StoreImage(std::span<const std::uint8_t> bytes)
    : bytes_(bytes.begin(), bytes.begin() + kStoreImageSize) {}

AssignmentEntry StoreImage::Entry(int entryNumber) const {
    assert(entryNumber >= 0 && entryNumber < kEntryCount);
    const std::size_t at = kStoreHeaderSize + static_cast<std::size_t>(entryNumber) * kEntrySize;
    return AssignmentEntry{ReadU16(bytes_, at + entry::kType), ReadU16(bytes_, at + entry::kExtra),
                           ReadU32(bytes_, at + entry::kValue),
                           ReadU32(bytes_, at + entry::kColourSelected),
                           ReadU32(bytes_, at + entry::kReserved)};
}

void StoreImage::SetEntry(int entryNumber, const AssignmentEntry& value) {
    assert(entryNumber >= 0 && entryNumber < kEntryCount);
    const std::size_t at = kStoreHeaderSize + static_cast<std::size_t>(entryNumber) * kEntrySize;
    WriteU16(bytes_, at + entry::kType, value.type);
    WriteU16(bytes_, at + entry::kExtra, value.extra);
    WriteU32(bytes_, at + entry::kValue, value.value);
    WriteU32(bytes_, at + entry::kColourSelected, value.colourSelected);
    WriteU32(bytes_, at + entry::kReserved, value.reserved);
}

std::uint16_t StoreImage::macroCount() const {
    return ReadU16(bytes_, header::kMacroCount);
}
std::uint32_t StoreImage::stringBytes() const {
    return ReadU32(bytes_, header::kStringBytes);
}
std::uint32_t StoreImage::totalSize() const {
    return ReadU32(bytes_, header::kTotalSize);
}
std::uint8_t StoreImage::flag() const {
    return bytes_[header::kFlag];
}
std::uint8_t StoreImage::checksum() const {
    return bytes_[header::kChecksum];
}

std::uint8_t StoreImage::ComputedChecksum() const {
    unsigned sum = 0;
    for (std::size_t i = 0; i < header::kChecksum; ++i) {
        sum += bytes_[i];
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

void InitStoreHeader(StoreImage& image, std::uint16_t macroCount, std::uint32_t stringBytes,
                     std::uint8_t flag) {
    auto bytes = image.bytes();
    WriteU16(bytes, header::kMagic, header::kMagicValue);
    WriteU16(bytes, header::kHeaderWords, header::kHeaderWordsValue);
    WriteU16(bytes, header::kVersionA, header::kVersionAValue);
    WriteU16(bytes, header::kVersionB, header::kVersionBValue);
    WriteU32(
        bytes, header::kTotalSize,
        static_cast<std::uint32_t>(macroCount * kMacroRecordSize + stringBytes + kStoreImageSize));
    WriteU16(bytes, header::kEntryCountField, static_cast<std::uint16_t>(kEntryCount));
    WriteU16(bytes, header::kMacroCount, macroCount);
    WriteU32(bytes, header::kStringBytes, stringBytes);
    WriteU32(bytes, header::kReserved20, 0);
    WriteU32(bytes, header::kReserved24, 0);
    WriteU16(bytes, header::kReserved28, 0);
    WriteU8(bytes, header::kFlag, flag);
    WriteU8(bytes, header::kChecksum, image.ComputedChecksum());
}

void WriteHeaderConstantBlock(StoreImage& image) {
    auto bytes = image.bytes();
    std::copy(kHeaderConstantBlock.begin(), kHeaderConstantBlock.end(),
              bytes.begin() + header::kConstantBlock);
    std::fill(bytes.begin() + header::kConstantBlock + kHeaderConstantBlock.size(),
              bytes.begin() + kStoreHeaderSize, 0);
}

namespace {

void GiveGSlotsTheirCodes(StoreImage& image, int profile) {
    for (int k = 0; k < kGKeySlotCount; ++k) {
        const KeySlot slot = kFirstGKeySlot + k;
        AssignmentEntry entry;
        entry.extra = GKeyFunctionCode(slot);
        image.SetEntry(EntryNumber(profile, slot), entry);
    }
}

}  // namespace

void ClearStore(StoreImage& image) {
    auto bytes = image.bytes();
    std::fill(bytes.begin() + kStoreHeaderSize, bytes.end(), 0);
    GiveGSlotsTheirCodes(image, 0);
}

void ClearProfileSlice(StoreImage& image, int profile) {
    assert(profile >= 0 && profile < kEntryCount / kSlotsPerProfile);
    auto bytes = image.bytes();
    const std::size_t begin =
        kStoreHeaderSize + static_cast<std::size_t>(EntryNumber(profile, 0)) * kEntrySize;
    std::fill(bytes.begin() + begin, bytes.begin() + begin + kSlotsPerProfile * kEntrySize, 0);
    GiveGSlotsTheirCodes(image, profile);
}

StoreImage NewDefaultImage() {
    StoreImage image;
    InitStoreHeader(image, 0, 0, 0);
    WriteHeaderConstantBlock(image);
    ClearStore(image);
    return image;
}

}  // namespace q804::model
