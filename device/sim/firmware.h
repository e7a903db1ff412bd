#pragma once

// The keyboard's side of the command protocol: one 64-byte command report in, one 64-byte
// reply out. Every request is checked before it touches memory; a request that fails a check
// changes nothing and is answered with an error status:
//   0xFF  the report itself is bad: wrong report id, wrong checksum, unknown command;
//   0xFE  the report is well formed but asks for something outside the keyboard's memory
//         (address plus length past the region, more than 56 data bytes, a settings block of
//         the wrong length or with a profile above 2).

#include <array>
#include <cstdint>
#include <span>

#include "device/sim/keyboard_memory.h"

namespace q804::device::sim {

inline constexpr std::uint8_t kStatusOk = 0x00;
inline constexpr std::uint8_t kStatusBadReport = 0xFF;
inline constexpr std::uint8_t kStatusOutOfRange = 0xFE;

struct CommandOutcome {
    std::array<std::uint8_t, kReportSize> reply{};
    bool memoryChanged = false;
};

CommandOutcome HandleCommand(KeyboardMemory& memory,
                             std::span<const std::uint8_t, kReportSize> request);

// A reply for the request with the given status and no data.
std::array<std::uint8_t, kReportSize> StatusReply(
    std::span<const std::uint8_t, kReportSize> request, std::uint8_t status);

}  // namespace q804::device::sim
