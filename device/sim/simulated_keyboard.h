#pragma once

// A keyboard in software: the firmware side of every command, the three collections, plug
// and unplug, the keyboard's own consumer events, and faults on demand. It serves the HID
// service interface exactly as the hardware backend does: requests are answered on the
// service's own thread, never on the caller's.
//
// With a state file, the keyboard's memory is written back to it (atomically) at the end of
// every access bracket, after a settings write, after a G-bank report and when the service
// ends; so a later run, or `q804ctl sim dump`, sees what the configurator wrote.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "common/result.h"
#include "device/hid_service.h"
#include "device/sim/keyboard_memory.h"

namespace q804::device::sim {

class SimulatedKeyboard final : public HidService {
  public:
    explicit SimulatedKeyboard(KeyboardMemory memory,
                               std::optional<std::filesystem::path> stateFile = std::nullopt);
    ~SimulatedKeyboard() override;
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    // A factory-fresh keyboard without a state file.
    static Result<std::unique_ptr<SimulatedKeyboard>> Create(
        const SimulatedKeyboardConfig& config = {});
    // A keyboard whose memory comes from, and goes back to, a state file.
    static Result<std::unique_ptr<SimulatedKeyboard>> OpenStateFile(
        const std::filesystem::path& path);

    // The service.
    int Init() override;
    void End() override;
    int RequestGetDeviceCount(const DeviceFilter& filter, std::uint32_t key) override;
    int RequestWriteOne(const DeviceFilter& filter, std::span<const std::uint8_t, 64> data,
                        std::uint32_t key) override;
    void RequestAsyncRead(const DeviceFilter& filter, NotificationCallback callback,
                          std::uint32_t tag, std::uint32_t key, std::uint32_t& unitId) override;
    void RequestStatusWrite(const DeviceFilter& filter, NotificationCallback callback,
                            std::uint32_t tag, std::span<const std::uint8_t> data,
                            std::uint32_t key, std::uint32_t& unitId) override;
    void DeleteRequestFromUnitId(std::uint32_t unitId) override;

    // Presence: each change is reported to every lasting read as a device-set change.
    void Plug();
    void Unplug();
    bool IsPlugged() const;
    // Answers the next `requests` command reports, then leaves as if unplugged.
    void UnplugAfter(int requests);

    // Events from the keyboard's side.
    void SendConsumerCode(std::uint16_t code);
    // A report on the vendor collection that answers nothing (as a late or stray reply).
    void InjectVendorReport(std::span<const std::uint8_t> data);

    // Faults, each for the next `count` command reports. A dropped reply still carries out
    // the command; a status answer does not.
    void DropReplies(int count);
    void AnswerWrongCommand(int count);
    void AnswerStatus(std::uint8_t status, int count);
    void SetReplySize(std::size_t bytes, int count);
    // Time from a command report to its reply.
    void SetLatency(std::chrono::microseconds latency);

    // A copy of the whole memory, and a way to change it (tests preset content this way).
    KeyboardMemory Memory() const;
    void ModifyMemory(const std::function<void(KeyboardMemory&)>& change);
    // Command reports received while plugged.
    std::size_t RequestCount() const;

    // Writes the state file now (nothing without one).
    Status Save();
    // The outcome of the last write of the state file.
    Status LastSaveStatus() const;

  private:
    using Clock = std::chrono::steady_clock;

    struct Registration {
        DeviceFilter filter;
        NotificationCallback callback;
        std::uint32_t tag = 0;
        bool lasting = true;
    };
    struct Pending {
        Clock::time_point due;
        std::uint32_t unitId = 0;
        HidNotification notification;
    };

    void Run();
    void Deliver(const Pending& pending);
    void QueueData(const DeviceFilter& collection, std::vector<std::uint8_t> data,
                   Clock::time_point due, std::uint16_t consumerCode = 0);
    void QueueDeviceSetChanged();
    void SetPluggedLocked(bool plugged);
    Status SaveLocked();
    bool OnServiceThread() const;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    KeyboardMemory memory_;
    std::optional<std::filesystem::path> stateFile_;
    bool dirty_ = false;
    Status lastSave_;

    bool plugged_ = true;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
    std::thread::id threadId_;

    std::map<std::uint32_t, Registration> registrations_;
    std::uint32_t nextUnitId_ = 1;
    std::deque<Pending> queue_;
    // The queue's length, for the service thread's short wait without the lock.
    std::atomic<std::size_t> queued_{0};
    // Held while a callback runs, so that a registration deleted from another thread gets no
    // callback once the deletion has returned.
    std::mutex deliverMutex_;

    int dropReplies_ = 0;
    int wrongCommandReplies_ = 0;
    int statusReplies_ = 0;
    std::uint8_t faultStatus_ = 0;
    int resizedReplies_ = 0;
    std::size_t replySize_ = kReportSize;
    int unplugAfter_ = 0;
    std::chrono::microseconds latency_{0};
    std::size_t requestCount_ = 0;
};

}  // namespace q804::device::sim
