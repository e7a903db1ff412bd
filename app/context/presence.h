#pragma once

// The presence handler: brings the model and the window in line when a keyboard arrives or
// leaves. Each change of the set of keyboards starts one run on a thread of its own, so the
// service's thread never waits for device replies; the runs take their turns in the order
// the changes were reported, so a quick unplug and replug always ends with the state of the
// last report.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string_view>
#include <thread>

#include "app/context/shell_state.h"
#include "device/transfer_engine.h"
#include "model/device_state.h"

namespace q804 {

// What a run asks of the window. Every call comes from the run's thread.
struct PresenceCallbacks {
    // Delivers a message and returns once the window has handled it (or the program quits).
    std::function<void(std::uint32_t message, std::uint32_t code)> send;
    // Queues a message for the window and returns at once.
    std::function<void(std::uint32_t message, std::uint32_t code)> post;
    std::function<void()> hideWindow;
    std::function<void(int iconId)> setTrayIcon;
    // A message box by language key; must not wait for the user.
    std::function<void(std::string_view languageKey)> showMessage;
    // Reads the keyboard's profiles into the working store (on the run's thread, so the
    // window stays responsive while the keyboard is read).
    std::function<void()> reloadFromKeyboard;
};

struct PresenceTiming {
    std::chrono::milliseconds initPoll{50};
};

class PresenceHandler {
  public:
    PresenceHandler(ShellState& shell, model::DeviceState& device, device::TransferEngine& engine,
                    PresenceCallbacks callbacks, PresenceTiming timing = {});
    ~PresenceHandler();
    PresenceHandler(const PresenceHandler&) = delete;
    PresenceHandler& operator=(const PresenceHandler&) = delete;

    // Starts one run for the number of keyboards now present.
    void Start(int count);
    // No run starts any more; runs waiting for their turn or for the window give up; returns
    // once every run has ended. The caller releases sends that wait for the window first.
    void Stop();
    // Waits until every run started so far has ended (tests).
    void WaitIdle();

    // One run on the caller's thread.
    void Run(int count);

  private:
    struct Worker {
        std::thread thread;
        bool done = false;
    };
    bool Stopping();
    // Waits for the window's initialisation; false when the program quits meanwhile.
    bool WaitForInit();
    void ReapFinished();

    ShellState& shell_;
    model::DeviceState& device_;
    device::TransferEngine& engine_;
    const PresenceCallbacks callbacks_;
    const PresenceTiming timing_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t nextTicket_ = 0;
    std::uint64_t serving_ = 0;
    bool stopping_ = false;
    std::list<Worker> workers_;
};

}  // namespace q804
