#pragma once

// What the single-key page makes of one key event: whether the event reaches the rest of
// the program and which key, if any, it names for the assignment. The rules are those of
// the Windows program's two hooks: the Windows and Menu keys are always taken (they would
// otherwise open the desktop's menu), every other key is taken only while the keyboard
// choice is checked, and media keys and keys without a code pass through.

#include <cstdint>

#include "model/key_tables.h"

namespace q804::model::editor {

enum class KeyChoice { kKeyboard, kMouse };

struct KeyEventWords {
    std::uint32_t vk = 0;
    std::uint32_t keyData = 0;  // bits 16-23 scan code, bit 24 extended key
    bool press = true;          // false for a release
    bool autoRepeat = false;
};

struct CaptureOutcome {
    bool swallow = false;    // the event goes no further
    KeyCode captured = 0;    // the key the event assigns, 0 for none
    bool anyChoice = false;  // taken whatever the keyboard / mouse choice says
};

// Virtual keys of the Windows and Menu keys, and the key codes they are captured as.
inline constexpr std::uint32_t kVkLeftWin = 0x5B;
inline constexpr std::uint32_t kVkRightWin = 0x5C;
inline constexpr std::uint32_t kVkMenu = 0x5D;

CaptureOutcome DecideKeyCapture(const KeyEventWords& event, KeyChoice choice);

}  // namespace q804::model::editor
