#pragma once

// What the shell's threads share: the start-up flags, the presence state and the
// notification-area icon. Plain atomics: each field has one meaning and no field is
// updated together with another.

#include <atomic>

#include "app/context/shell_messages.h"

namespace q804 {

struct ShellState {
    // 1 once the window must no longer open by itself: after "/Start", when no keyboard is
    // present at start-up, and after the first automatic opening.
    std::atomic<int> autoOpenDone{0};
    // Keyboards last reported present.
    std::atomic<int> deviceCount{0};
    // 1 once the notification-area icon exists; the device threads wait for it.
    std::atomic<int> initDone{0};
    // The icon shown now (0 once removed at quit), and the last one chosen by the presence
    // handler, which the end of a busy indication restores.
    std::atomic<int> trayIconId{0};
    std::atomic<int> savedTrayIconId{shell::kIconNoKeyboard};
    // Set when the program begins to quit: waiting threads give up.
    std::atomic<bool> quitting{false};

    bool DevicePresent() const { return deviceCount.load() > 0; }
};

}  // namespace q804
