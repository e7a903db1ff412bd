#include "tests/support/keyboard_rig.h"

#include <stdexcept>

namespace q804::testing {

device::EngineTiming FastTiming() {
    device::EngineTiming timing;
    timing.replyTimeout = std::chrono::milliseconds(200);
    timing.retryPause = std::chrono::milliseconds(1);
    timing.endAccessPause = std::chrono::milliseconds(0);
    timing.takeOverPause = std::chrono::milliseconds(5);
    return timing;
}

KeyboardRig::KeyboardRig(const device::sim::SimulatedKeyboardConfig& config) {
    auto created = device::sim::SimulatedKeyboard::Create(config);
    if (!created) {
        throw std::runtime_error(created.error().message);
    }
    keyboard = std::move(created).value();
    if (keyboard->Init() <= 0) {
        throw std::runtime_error("the simulated keyboard did not start");
    }
    engine = std::make_unique<device::TransferEngine>(*keyboard, FastTiming());
    link = std::make_unique<device::DeviceLink>(*keyboard, *engine);
    link->RegisterDeviceReads();
}

KeyboardRig::~KeyboardRig() {
    if (keyboard) {
        keyboard->End();
    }
}

}  // namespace q804::testing
