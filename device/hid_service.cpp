#include "device/hid_service.h"

#include "common/byte_io.h"

namespace q804::device {

namespace {

constexpr std::uint32_t kFilterSizeField = 15;
constexpr std::uint32_t kFnvOffsetBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;

std::uint32_t FnvAppend(std::uint32_t hash, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= kFnvPrime;
    }
    return hash;
}

}  // namespace

std::array<std::uint8_t, kDeviceFilterSize> SerializeFilter(const DeviceFilter& filter) {
    std::array<std::uint8_t, kDeviceFilterSize> bytes{};
    WriteU32(bytes, 0, kFilterSizeField);
    WriteU16(bytes, 4, filter.vendorId);
    WriteU16(bytes, 6, filter.productId);
    WriteU16(bytes, 8, filter.usagePage);
    WriteU16(bytes, 10, filter.usage);
    return bytes;
}

std::uint32_t RequestKey(const DeviceFilter& filter, bool hasCallback, std::uint32_t tag,
                         std::span<const std::uint8_t> payload) {
    std::array<std::uint8_t, 4> word{};
    std::uint32_t hash = FnvAppend(kFnvOffsetBasis, SerializeFilter(filter));
    WriteU32(word, 0, hasCallback ? 1u : 0u);
    hash = FnvAppend(hash, word);
    WriteU32(word, 0, tag);
    hash = FnvAppend(hash, word);
    return FnvAppend(hash, payload);
}

}  // namespace q804::device
