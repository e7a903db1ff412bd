#include "app/context/consumer_events.h"

#include "app/context/shell_messages.h"
#include "device/device_link.h"

namespace q804 {

ConsumerAction ActionOfConsumerCode(std::uint16_t code) {
    switch (code) {
        case device::kConsumerLightingChanged:
            return ConsumerAction::kReloadLighting;
        case device::kConsumerIndicatorOn:
            return ConsumerAction::kIndicatorOn;
        case device::kConsumerIndicatorOff:
            return ConsumerAction::kIndicatorOff;
        default:
            return ConsumerAction::kNone;  // 0x1801-0x1804 and everything else
    }
}

std::optional<int> TrayIconForIndicator(ConsumerAction action, int savedIconId) {
    switch (action) {
        case ConsumerAction::kIndicatorOn:
            return shell::kIconBusy;
        case ConsumerAction::kIndicatorOff:
            return savedIconId;
        default:
            return std::nullopt;
    }
}

}  // namespace q804
