#pragma once

// Linux key codes (the kernel's evdev numbering, which X11 and Wayland hand on as the key
// code minus 8) turned into the words a Windows key message carries: the virtual key and the
// data word with the set-1 scan code and the extended-key flag. KeyCodeOfVirtualKey then
// decides the key code exactly as it does for the Windows program, so both see the same key.

#include <cstdint>
#include <optional>

#include "model/key_tables.h"

namespace q804::model::editor {

// X11 and Wayland number their key codes as the kernel's plus this.
inline constexpr std::uint32_t kXkbKeycodeOffset = 8;

struct EvdevKey {
    // Set-1 scan code; 0x100 marks the E0 prefix (0x152 Insert, 0x15B Left Win).
    std::uint16_t scan = 0;
    std::uint8_t vk = kNoVirtualKey;
    // The virtual key a keypad digit sends with NumLock off (0x2D for keypad 0); the same as
    // vk for every other key.
    std::uint8_t vkNumLockOff = kNoVirtualKey;
};

// The key behind a kernel key code, or nothing for codes no PC keyboard sends.
std::optional<EvdevKey> EvdevKeyInfo(std::uint32_t evdevCode);

// True for the keypad keys whose meaning NumLock changes (digits and the decimal point).
bool IsNumLockDependent(std::uint32_t evdevCode);

// The data word of a key message: bits 16-23 the scan code, bit 24 the extended-key flag.
constexpr std::uint32_t KeyDataOfScan(std::uint16_t scan) {
    return (static_cast<std::uint32_t>(scan & 0xFF) << 16) | ((scan & 0x100) != 0 ? 1u << 24 : 0);
}

// A key message's virtual key and data word.
struct WindowsKey {
    std::uint32_t vk = 0;
    std::uint32_t keyData = 0;
    friend constexpr bool operator==(const WindowsKey&, const WindowsKey&) = default;
};

// What Windows would report for a kernel key code; `numLockOffMeaning` picks the
// navigation virtual key of a keypad digit. Nothing for unknown codes.
std::optional<WindowsKey> WindowsKeyOfEvdev(std::uint32_t evdevCode, bool numLockOffMeaning);

// The key code the editor sees for a kernel key code: 0 for codes it cannot name.
KeyCode KeyCodeOfEvdev(std::uint32_t evdevCode, bool numLockOffMeaning);

}  // namespace q804::model::editor
