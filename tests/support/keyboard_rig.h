#pragma once

#include <memory>

#include "device/device_link.h"
#include "device/sim/simulated_keyboard.h"
#include "device/transfer_engine.h"

namespace q804::testing {

// A simulated keyboard wired to a transfer engine the way the program wires a real one:
// the engine sends through the keyboard, and the keyboard's replies come back through the
// device link's notification dispatch. Time-outs are short so fault tests stay fast.
struct KeyboardRig {
    explicit KeyboardRig(const device::sim::SimulatedKeyboardConfig& config = {});
    ~KeyboardRig();

    std::unique_ptr<device::sim::SimulatedKeyboard> keyboard;
    std::unique_ptr<device::TransferEngine> engine;
    std::unique_ptr<device::DeviceLink> link;
};

device::EngineTiming FastTiming();

}  // namespace q804::testing
