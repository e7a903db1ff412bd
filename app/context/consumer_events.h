#pragma once

// What the keyboard's own events (consumer codes other than the G-bank switch, which the
// device link handles) ask of the shell.

#include <cstdint>
#include <optional>

namespace q804 {

enum class ConsumerAction {
    kNone,
    kReloadLighting,  // lighting or settings were changed on the keyboard
    kIndicatorOn,     // show the busy icon
    kIndicatorOff,    // back to the icon the presence handler chose
};

ConsumerAction ActionOfConsumerCode(std::uint16_t code);

// The notification-area icon an indicator event asks for; nothing for other actions.
std::optional<int> TrayIconForIndicator(ConsumerAction action, int savedIconId);

}  // namespace q804
