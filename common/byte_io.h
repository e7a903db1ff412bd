#pragma once

// The one place where multi-byte integers of the keyboard's reports and of the stored files
// are read and written: always little-endian, always through explicit byte arithmetic.

#include <cstddef>
#include <cstdint>
#include <span>

namespace q804 {

inline std::uint8_t ReadU8(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return bytes[offset];
}

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

inline void WriteU8(std::span<std::uint8_t> bytes, std::size_t offset, std::uint8_t value) {
    bytes[offset] = value;
}

inline void WriteU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace q804
