#include "model/editor/key_capture.h"

namespace q804::model::editor {

CaptureOutcome DecideKeyCapture(const KeyEventWords& event, KeyChoice choice) {
    // A held key repeats; the user pressed it once.
    const bool fresh = !event.autoRepeat;

    if (event.vk == kVkLeftWin || event.vk == kVkRightWin || event.vk == kVkMenu) {
        const auto code = static_cast<KeyCode>(0x100 + event.vk);
        return {.swallow = true, .captured = fresh ? code : kNoKey, .anyChoice = true};
    }

    const KeyCode code = KeyCodeOfVirtualKey(event.vk, event.keyData);
    if (code == kNoKey || IsMediaKeyCode(code)) {
        return {};
    }
    // Print Screen counts on release as well: some desktops report only its release.
    const bool accepted = fresh && (event.press || code == kPrintScreen);
    const bool taken = accepted && choice == KeyChoice::kKeyboard;
    return {.swallow = true, .captured = taken ? code : kNoKey, .anyChoice = false};
}

}  // namespace q804::model::editor
