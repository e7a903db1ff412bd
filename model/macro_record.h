#pragma once

// One macro as the store and the profile files keep it: a fixed block of 16512 bytes. The
// bytes are kept as they are, so a profile file read and written again is unchanged; typed
// access goes through the accessors, which never read or write outside the block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace q804::model {

inline constexpr std::size_t kMacroRecordSize = 16512;
inline constexpr std::size_t kMacroNameUnits = 250;  // UTF-16 units including the terminator
inline constexpr std::size_t kMacroNameMaxChars = 249;
inline constexpr std::size_t kMacroMaxActions = 2000;
inline constexpr std::size_t kMacroActionSize = 8;

namespace macro {
inline constexpr std::size_t kName = 0;           // 250 x u16
inline constexpr std::size_t kLoopCount = 500;    // u8
inline constexpr std::size_t kIsNewMacro = 502;   // u16
inline constexpr std::size_t kId = 506;           // u16
inline constexpr std::size_t kActionCount = 508;  // u16
inline constexpr std::size_t kActions = 512;      // 2000 x 8 bytes
// Action layout: u32 delay in ms, u16 key code, u16 release (0 press, 1 release).
inline constexpr std::size_t kActionDelay = 0;
inline constexpr std::size_t kActionCode = 4;
inline constexpr std::size_t kActionRelease = 6;
}  // namespace macro
static_assert(macro::kActions + kMacroMaxActions * kMacroActionSize == kMacroRecordSize);

struct MacroAction {
    std::uint32_t delayMs = 0;
    std::uint16_t code = 0;
    std::uint16_t release = 0;  // 0 press, 1 release

    friend bool operator==(const MacroAction&, const MacroAction&) = default;
};

class MacroRecord {
  public:
    MacroRecord() { bytes_.fill(0); }
    explicit MacroRecord(std::span<const std::uint8_t, kMacroRecordSize> bytes);

    std::span<const std::uint8_t, kMacroRecordSize> bytes() const { return bytes_; }

    // The name up to its terminator, at most 249 characters.
    std::u16string name() const;
    // Stores at most 249 characters and a terminator; the rest of the field is zeroed.
    void setName(std::u16string_view name);

    std::uint8_t loopCount() const { return bytes_[macro::kLoopCount]; }
    void setLoopCount(std::uint8_t count) { bytes_[macro::kLoopCount] = count; }
    std::uint16_t isNewMacro() const;
    void setIsNewMacro(std::uint16_t flag);
    std::uint16_t id() const;
    void setId(std::uint16_t id);

    // The stored count; actions() and action() never go past 2000 whatever it says.
    std::uint16_t actionCount() const;
    std::size_t usableActionCount() const;
    MacroAction action(std::size_t index) const;
    // Replaces the actions; more than 2000 are cut.
    void setActions(std::span<const MacroAction> actions);

  private:
    std::array<std::uint8_t, kMacroRecordSize> bytes_;
};

}  // namespace q804::model
