#pragma once

// The simulated keyboard's factory key table: what each of its 126 key positions does when
// nothing was assigned. Every one of the 106 keys of the main window appears exactly once
// (by its keyboard-page usage, or by its bit in a modifier record), the eighteen G-key
// records follow one another, and the two spare positions have no function.

#include <array>
#include <cstdint>

#include "device/transfer_engine.h"

namespace q804::device::sim {

using KeyRecord = std::array<std::uint8_t, 3>;

inline constexpr std::uint8_t kRecordNone = 0x00;
inline constexpr std::uint8_t kRecordKeyboard = 0x02;
inline constexpr std::uint8_t kRecordGKey = 0x06;
inline constexpr std::uint8_t kKeyboardUsage = 0x02;  // second byte of a plain key record
inline constexpr std::uint8_t kModifierBits = 0x01;   // second byte of a modifier record
inline constexpr std::uint8_t kGKeyMarker = 0xA2;
inline constexpr int kGKeyRecordCount = 18;
inline constexpr int kMainKeyCount = 106;

const std::array<KeyRecord, kKeyRecordCount>& FactoryKeyRecords();

// The 378 bytes of the table, records in position order.
std::array<std::uint8_t, kKeyTableSize> FactoryKeyTable();

}  // namespace q804::device::sim
