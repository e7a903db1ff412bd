#pragma once

// Opening the keyboard the way both front ends do: the simulated keyboard with its state
// file, or the service for real keyboards; then the transfer engine on it and the device
// link that feeds it. The link's reads are not registered here, so that the owner can set
// its callbacks first.

#include <filesystem>
#include <memory>
#include <optional>

#include "app/per_user.h"
#include "common/result.h"
#include "device/device_link.h"
#include "device/hid_service.h"
#include "device/transfer_engine.h"

namespace q804::device::sim {
class SimulatedKeyboard;
}

namespace q804 {

inline constexpr const char* kDefaultStateFileName = "simulated-keyboard.state";

// The simulated keyboard's memory when no state file is named: one per user, beside the
// user's other files, so the configurator and q804ctl see the same keyboard.
std::filesystem::path DefaultStateFile(const PerUserPaths& paths);

// The simulated keyboard on a state file, not started. Without a named file the default one
// is used and made factory-fresh when missing; the per-user folder is seeded on the way, as
// the configurator's first run would seed it. A damaged state file is an error.
Result<std::unique_ptr<device::sim::SimulatedKeyboard>> OpenSimulatedKeyboard(
    const std::optional<std::filesystem::path>& stateFile, const PerUserPaths& paths,
    const std::filesystem::path& userModeTemplate);

// The service, the engine on it and the link feeding the engine, torn down in the safe
// order: the service stops first, so no notification reaches a link or engine that is gone.
class KeyboardConnection {
  public:
    // Starts the service unless it already runs (the hardware service comes started).
    static Result<std::unique_ptr<KeyboardConnection>> Open(
        std::unique_ptr<device::HidService> service, bool alreadyStarted,
        device::EngineTiming timing = {});
    ~KeyboardConnection();
    KeyboardConnection(const KeyboardConnection&) = delete;
    KeyboardConnection& operator=(const KeyboardConnection&) = delete;

    device::HidService& service() { return *service_; }
    device::TransferEngine& engine() { return *engine_; }
    device::DeviceLink& link() { return *link_; }

    // Stops the service's thread; callbacks end here. Safe to call twice.
    void Stop();

  private:
    KeyboardConnection() = default;

    std::unique_ptr<device::HidService> service_;
    std::unique_ptr<device::TransferEngine> engine_;
    std::unique_ptr<device::DeviceLink> link_;
    bool stopped_ = false;
};

}  // namespace q804
