#include "device/sim/keyboard_memory.h"

#include <algorithm>
#include <string>

#include "common/byte_io.h"
#include "common/file_io.h"
#include "device/sim/factory_key_table.h"

namespace q804::device::sim {

namespace {

// What ResetLighting writes: effect 1, brightness 4, speed 2, direction 0, multi-colour,
// white; the rest of the record zero.
constexpr std::array<std::uint8_t, 8> kFactoryLightingHead = {0x01, 0x04, 0x02, 0x00,
                                                              0x01, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t kWhite = 0xFF;

// State file layout, version 1, little-endian.
constexpr std::array<std::uint8_t, 8> kMagic = {'Q', '8', '0', '4', '-', 'S', 'I', 'M'};
constexpr std::uint16_t kFormatVersion = 1;
namespace state {
constexpr std::size_t kMagic = 0;
constexpr std::size_t kVersion = 8;      // u16
constexpr std::size_t kMacroUnits = 10;  // u16, equals settings byte 11
constexpr std::size_t kTotalSize = 12;   // u32, the whole file
constexpr std::size_t kSettings = 16;
constexpr std::size_t kFactory = kSettings + kSettingsSize;
constexpr std::size_t kKeyTables = kFactory + kKeyTableSize;
constexpr std::size_t kMacroArea = kKeyTables + kKeyTablesSize;
// The regions after the macro area start at kMacroArea + macro area size:
constexpr std::size_t kLightingAfterMacro = 0;
constexpr std::size_t kColoursAfterMacro = kLightingAfterMacro + kLightingMemorySize;
constexpr std::size_t kGBankFlagAfterMacro = kColoursAfterMacro + kColourMemorySize;
constexpr std::size_t kGBankAfterMacro = kGBankFlagAfterMacro + 1;
constexpr std::size_t kCheckAfterMacro = kGBankAfterMacro + kGBankReportSize;  // u32
constexpr std::size_t kTailSize = kCheckAfterMacro + 4;
static_assert(kSettings == 16 && kFactory == 60 && kKeyTables == 438 && kMacroArea == 1572);
static_assert(kTailSize == 1799);
}  // namespace state

// Largest file a valid state can make, so that a wrong file is refused before it is read.
constexpr std::uintmax_t kMaxStateFileBytes =
    state::kMacroArea + 255 * settings::kMacroUnitBytes + state::kTailSize;

std::uint32_t CheckWord(std::span<const std::uint8_t> bytes) {
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 16777619u;
    }
    return hash;
}

template <std::size_t N>
void Put(std::vector<std::uint8_t>& out, std::size_t offset, const std::array<std::uint8_t, N>& a) {
    std::copy(a.begin(), a.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
}

template <std::size_t N>
void Take(std::span<const std::uint8_t> in, std::size_t offset, std::array<std::uint8_t, N>& a) {
    std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(offset), N, a.begin());
}

}  // namespace

std::uint16_t KeyboardMemory::FirmwareVersion() const {
    return ReadU16(settings, settings::kFirmwareVersion);
}

int KeyboardMemory::CurrentProfile() const {
    return settings[settings::kCurrentProfile];
}

std::uint8_t KeyboardMemory::MacroUnits() const {
    return settings[settings::kMacroUnits];
}

std::vector<std::uint8_t> KeyboardMemory::Effects() const {
    std::vector<std::uint8_t> effects;
    for (std::size_t i = 0; i < settings::kEffectSlots; ++i) {
        if (const std::uint8_t code = settings[settings::kEffects + i]; code != 0) {
            effects.push_back(code);
        }
    }
    return effects;
}

std::span<std::uint8_t, kKeyTableSize> KeyboardMemory::KeyTable(int profile) {
    return std::span(keyTables)
        .subspan(static_cast<std::size_t>(profile) * kKeyTableSize)
        .first<kKeyTableSize>();
}

std::span<const std::uint8_t, kKeyTableSize> KeyboardMemory::KeyTable(int profile) const {
    return std::span(keyTables)
        .subspan(static_cast<std::size_t>(profile) * kKeyTableSize)
        .first<kKeyTableSize>();
}

std::span<const std::uint8_t, kColourAreaSize> KeyboardMemory::ColourArea(int profile) const {
    return std::span(colours)
        .subspan(static_cast<std::size_t>(profile) * kColourAreaSize)
        .first<kColourAreaSize>();
}

std::span<const std::uint8_t, kLightingRecordSize> KeyboardMemory::LightingRecord(
    int profile) const {
    return std::span(lighting)
        .subspan(static_cast<std::size_t>(profile) * kLightingRecordSize)
        .first<kLightingRecordSize>();
}

Result<KeyboardMemory> MakeFactoryMemory(const SimulatedKeyboardConfig& config) {
    if (config.effects.size() > settings::kEffectSlots) {
        return Error{"A keyboard lists at most 32 effects, not " +
                     std::to_string(config.effects.size())};
    }
    if (std::find(config.effects.begin(), config.effects.end(), 0) != config.effects.end()) {
        return Error{"Effect code 0 marks an empty slot and cannot be listed"};
    }
    if (config.currentProfile >= kProfileCount) {
        return Error{"The current profile must be 0, 1 or 2"};
    }

    KeyboardMemory memory;
    WriteU16(memory.settings, settings::kFirmwareVersion, config.firmwareVersion);
    memory.settings[settings::kCurrentProfile] = config.currentProfile;
    memory.settings[settings::kMacroUnits] = config.macroUnits;
    std::copy(config.effects.begin(), config.effects.end(),
              memory.settings.begin() + settings::kEffects);

    memory.factoryKeyTable = FactoryKeyTable();
    for (int profile = 0; profile < kProfileCount; ++profile) {
        std::copy(memory.factoryKeyTable.begin(), memory.factoryKeyTable.end(),
                  memory.KeyTable(profile).begin());
    }
    memory.macroArea.assign(static_cast<std::size_t>(config.macroUnits) * settings::kMacroUnitBytes,
                            0);

    const bool hasEffect1 =
        std::find(config.effects.begin(), config.effects.end(), 1) != config.effects.end();
    for (int profile = 0; profile < kProfileCount; ++profile) {
        auto record = memory.lighting.begin() + profile * static_cast<int>(kLightingRecordSize);
        std::copy(kFactoryLightingHead.begin(), kFactoryLightingHead.end(), record);
        if (!hasEffect1) {
            *record = config.effects.empty() ? 0 : config.effects.front();
        }
        std::fill_n(memory.colours.begin() + profile * static_cast<int>(kColourAreaSize),
                    kColourIndexCount * kColourBytes, kWhite);
    }
    return memory;
}

std::vector<std::uint8_t> SerializeState(const KeyboardMemory& memory) {
    const std::size_t macroSize = memory.macroArea.size();
    const std::size_t tail = state::kMacroArea + macroSize;
    std::vector<std::uint8_t> out(tail + state::kTailSize, 0);
    Put(out, state::kMagic, kMagic);
    WriteU16(out, state::kVersion, kFormatVersion);
    WriteU16(out, state::kMacroUnits, memory.MacroUnits());
    WriteU32(out, state::kTotalSize, static_cast<std::uint32_t>(out.size()));
    Put(out, state::kSettings, memory.settings);
    Put(out, state::kFactory, memory.factoryKeyTable);
    Put(out, state::kKeyTables, memory.keyTables);
    std::copy(memory.macroArea.begin(), memory.macroArea.end(),
              out.begin() + static_cast<std::ptrdiff_t>(state::kMacroArea));
    Put(out, tail + state::kLightingAfterMacro, memory.lighting);
    Put(out, tail + state::kColoursAfterMacro, memory.colours);
    if (memory.gBankReport) {
        out[tail + state::kGBankFlagAfterMacro] = 1;
        Put(out, tail + state::kGBankAfterMacro, *memory.gBankReport);
    }
    const std::size_t checkAt = tail + state::kCheckAfterMacro;
    WriteU32(out, checkAt, CheckWord(std::span(out).first(checkAt)));
    return out;
}

Result<KeyboardMemory> ParseState(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < state::kMacroArea + state::kTailSize ||
        !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
        return Error{"not a simulated keyboard's state file"};
    }
    if (const std::uint16_t version = ReadU16(bytes, state::kVersion); version != kFormatVersion) {
        return Error{"state file format " + std::to_string(version) + " is not supported"};
    }
    const std::uint16_t units = ReadU16(bytes, state::kMacroUnits);
    const std::size_t macroSize = std::size_t{units} * settings::kMacroUnitBytes;
    const std::size_t expected = state::kMacroArea + macroSize + state::kTailSize;
    if (units > 255 || ReadU32(bytes, state::kTotalSize) != bytes.size() ||
        bytes.size() != expected) {
        return Error{"the state file is truncated or has a wrong size"};
    }
    const std::size_t tail = state::kMacroArea + macroSize;
    const std::size_t checkAt = tail + state::kCheckAfterMacro;
    if (ReadU32(bytes, checkAt) != CheckWord(bytes.first(checkAt))) {
        return Error{"the state file is damaged (check word mismatch)"};
    }

    KeyboardMemory memory;
    Take(bytes, state::kSettings, memory.settings);
    if (memory.MacroUnits() != units) {
        return Error{"the state file's macro size disagrees with its settings"};
    }
    if (memory.CurrentProfile() >= kProfileCount) {
        return Error{"the state file's current profile is out of range"};
    }
    Take(bytes, state::kFactory, memory.factoryKeyTable);
    Take(bytes, state::kKeyTables, memory.keyTables);
    memory.macroArea.assign(bytes.begin() + static_cast<std::ptrdiff_t>(state::kMacroArea),
                            bytes.begin() + static_cast<std::ptrdiff_t>(tail));
    Take(bytes, tail + state::kLightingAfterMacro, memory.lighting);
    Take(bytes, tail + state::kColoursAfterMacro, memory.colours);
    switch (bytes[tail + state::kGBankFlagAfterMacro]) {
        case 0:
            break;
        case 1:
            memory.gBankReport.emplace();
            Take(bytes, tail + state::kGBankAfterMacro, *memory.gBankReport);
            break;
        default:
            return Error{"the state file's G-bank field is invalid"};
    }
    return memory;
}

Status SaveStateFile(const std::filesystem::path& path, const KeyboardMemory& memory) {
    return WriteFileAtomically(path, SerializeState(memory));
}

Result<KeyboardMemory> LoadStateFile(const std::filesystem::path& path) {
    auto bytes = ReadRegularFile(path, kMaxStateFileBytes);
    if (!bytes) {
        return bytes.error();
    }
    auto memory = ParseState(bytes.value());
    if (!memory) {
        return Error{"Cannot load '" + path.string() + "': " + memory.error().message};
    }
    return memory;
}

}  // namespace q804::device::sim
