#pragma once

// Everything the simulated keyboard remembers, its factory content and its state file.
//
// Memory regions, each with its own address space as the commands address them:
//   settings          44 bytes (firmware version, current profile, macro units, effects)
//   factory key table 378 bytes, read-only
//   key tables        3 x 378 bytes, profile p at p x 378
//   macro area        macro units x 128 bytes
//   lighting memory   256 bytes, the profiles' 42-byte records at 0, 42 and 84
//   colour area       3 x 512 bytes, profile p at p x 512, 3 bytes per colour index
//   the last G-bank report received (2 bytes), if any

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "common/result.h"
#include "device/device_link.h"
#include "device/transfer_engine.h"

namespace q804::device::sim {

inline constexpr std::size_t kKeyTablesSize = kKeyTableSize * kProfileCount;
inline constexpr std::size_t kLightingMemorySize = 256;
inline constexpr std::size_t kLightingRecordSize = 42;
inline constexpr std::size_t kColourMemorySize = kColourAreaSize * kProfileCount;
inline constexpr std::size_t kColourIndexCount = 126;
static_assert(kLightingRecordSize * kProfileCount + kChunkSize <= kLightingMemorySize,
              "a 56-byte read of the last record must stay inside the lighting memory");

inline constexpr std::uint16_t kDefaultFirmwareVersion = 0x0109;
inline constexpr std::uint8_t kDefaultMacroUnits = 128;  // 16 KiB

// A simulated keyboard's fixed facts, for tests and `q804ctl sim new`:
//   SimulatedKeyboardConfig{.firmwareVersion = 0x0108, .macroUnits = 3, .effects = {1, 2, 20}}
struct SimulatedKeyboardConfig {
    std::uint16_t firmwareVersion = kDefaultFirmwareVersion;
    std::uint8_t macroUnits = kDefaultMacroUnits;
    std::vector<std::uint8_t> effects = {1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                         11, 12, 13, 14, 15, 16, 17, 18, 20};
    std::uint8_t currentProfile = 0;
};

struct KeyboardMemory {
    std::array<std::uint8_t, kSettingsSize> settings{};
    std::array<std::uint8_t, kKeyTableSize> factoryKeyTable{};
    std::array<std::uint8_t, kKeyTablesSize> keyTables{};
    std::vector<std::uint8_t> macroArea;
    std::array<std::uint8_t, kLightingMemorySize> lighting{};
    std::array<std::uint8_t, kColourMemorySize> colours{};
    std::optional<std::array<std::uint8_t, kGBankReportSize>> gBankReport;

    std::uint16_t FirmwareVersion() const;
    int CurrentProfile() const;
    std::uint8_t MacroUnits() const;
    std::vector<std::uint8_t> Effects() const;

    std::span<std::uint8_t, kKeyTableSize> KeyTable(int profile);
    std::span<const std::uint8_t, kKeyTableSize> KeyTable(int profile) const;
    std::span<const std::uint8_t, kColourAreaSize> ColourArea(int profile) const;
    std::span<const std::uint8_t, kLightingRecordSize> LightingRecord(int profile) const;

    friend bool operator==(const KeyboardMemory&, const KeyboardMemory&) = default;
};

// A keyboard fresh from the factory: the factory key table in all three profiles, an empty
// macro area, the default lighting in every profile, white keys. Refuses more than 32
// effects, an effect code 0 and a profile above 2.
Result<KeyboardMemory> MakeFactoryMemory(const SimulatedKeyboardConfig& config);

// The state file: a versioned header, every region, and a check word over all of it.
std::vector<std::uint8_t> SerializeState(const KeyboardMemory& memory);
Result<KeyboardMemory> ParseState(std::span<const std::uint8_t> bytes);

// Written atomically: a crash leaves the old file or the new one.
Status SaveStateFile(const std::filesystem::path& path, const KeyboardMemory& memory);
Result<KeyboardMemory> LoadStateFile(const std::filesystem::path& path);

}  // namespace q804::device::sim
