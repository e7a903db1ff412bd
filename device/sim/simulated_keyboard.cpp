#include "device/sim/simulated_keyboard.h"

#include <algorithm>

#include "common/byte_io.h"
#include "device/sim/firmware.h"

namespace q804::device::sim {

namespace {

// Replies due within this window are awaited by polling the clock: a timed wait alone
// overshoots by tens of microseconds, which would distort a simulated latency.
constexpr std::chrono::microseconds kSpinWindow{300};
constexpr std::uint8_t kWrongCommandFlip = 0x80;
// Without latency, the next request usually follows a delivery within microseconds; waiting
// this long for it without sleeping spares the exchange a thread wake-up.
constexpr std::chrono::microseconds kIdleSpin{40};

bool IsKeyboard(const DeviceFilter& filter) {
    return filter.vendorId == kVendorId && filter.productId == kProductId;
}

bool IsCollection(const DeviceFilter& filter) {
    return filter == kVendorCollection || filter == kConsumerCollection || filter == kLedCollection;
}

}  // namespace

SimulatedKeyboard::SimulatedKeyboard(KeyboardMemory memory,
                                     std::optional<std::filesystem::path> stateFile)
    : memory_(std::move(memory)), stateFile_(std::move(stateFile)) {}

SimulatedKeyboard::~SimulatedKeyboard() {
    End();
}

Result<std::unique_ptr<SimulatedKeyboard>> SimulatedKeyboard::Create(
    const SimulatedKeyboardConfig& config) {
    auto memory = MakeFactoryMemory(config);
    if (!memory) {
        return memory.error();
    }
    return std::make_unique<SimulatedKeyboard>(std::move(memory).value());
}

Result<std::unique_ptr<SimulatedKeyboard>> SimulatedKeyboard::OpenStateFile(
    const std::filesystem::path& path) {
    auto memory = LoadStateFile(path);
    if (!memory) {
        return memory.error();
    }
    return std::make_unique<SimulatedKeyboard>(std::move(memory).value(), path);
}

int SimulatedKeyboard::Init() {
    std::lock_guard lock(mutex_);
    if (!running_) {
        running_ = true;
        stopping_ = false;
        thread_ = std::thread(&SimulatedKeyboard::Run, this);
        threadId_ = thread_.get_id();
    }
    return 1;
}

void SimulatedKeyboard::End() {
    {
        std::lock_guard lock(mutex_);
        if (running_) {
            stopping_ = true;
        }
    }
    wake_.notify_all();
    // From a callback the thread cannot wait for itself; it ends after the callback returns.
    if (thread_.joinable() && !OnServiceThread()) {
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    if (!thread_.joinable()) {
        running_ = false;
        queue_.clear();
    }
    if (dirty_) {
        (void)SaveLocked();  // the outcome stays readable through LastSaveStatus
    }
}

bool SimulatedKeyboard::OnServiceThread() const {
    std::lock_guard lock(mutex_);
    return running_ && std::this_thread::get_id() == threadId_;
}

int SimulatedKeyboard::RequestGetDeviceCount(const DeviceFilter& filter, std::uint32_t) {
    std::lock_guard lock(mutex_);
    return plugged_ && IsCollection(filter) ? 1 : 0;
}

int SimulatedKeyboard::RequestWriteOne(const DeviceFilter& filter,
                                       std::span<const std::uint8_t, 64> data, std::uint32_t) {
    std::lock_guard lock(mutex_);
    if (!running_ || stopping_ || !plugged_ || filter != kVendorCollection) {
        return 0;
    }
    ++requestCount_;
    const auto due = Clock::now() + latency_;

    std::array<std::uint8_t, kReportSize> reply{};
    if (statusReplies_ > 0) {
        --statusReplies_;
        reply = StatusReply(data, faultStatus_);
    } else {
        const CommandOutcome outcome = HandleCommand(memory_, data);
        reply = outcome.reply;
        dirty_ = dirty_ || outcome.memoryChanged;
        const auto command = static_cast<Command>(data[report::kCommand]);
        if (dirty_ && (command == Command::kEndAccess || command == Command::kWriteSettings)) {
            (void)SaveLocked();  // the outcome stays readable through LastSaveStatus
        }
    }
    if (wrongCommandReplies_ > 0) {
        --wrongCommandReplies_;
        reply[report::kCommand] ^= kWrongCommandFlip;
    }
    std::size_t size = kReportSize;
    if (resizedReplies_ > 0) {
        --resizedReplies_;
        size = replySize_;
    }
    if (dropReplies_ > 0) {
        --dropReplies_;
    } else {
        std::vector<std::uint8_t> bytes(size, 0);
        std::copy_n(reply.begin(), std::min(size, kReportSize), bytes.begin());
        QueueData(kVendorCollection, std::move(bytes), due);
    }
    if (unplugAfter_ > 0 && --unplugAfter_ == 0) {
        SetPluggedLocked(false);
    }
    return static_cast<int>(kReportSize);
}

void SimulatedKeyboard::RequestAsyncRead(const DeviceFilter& filter, NotificationCallback callback,
                                         std::uint32_t tag, std::uint32_t, std::uint32_t& unitId) {
    std::lock_guard lock(mutex_);
    unitId = nextUnitId_++;
    registrations_[unitId] = Registration{filter, std::move(callback), tag, true};
}

void SimulatedKeyboard::RequestStatusWrite(const DeviceFilter& filter,
                                           NotificationCallback callback, std::uint32_t tag,
                                           std::span<const std::uint8_t> data, std::uint32_t,
                                           std::uint32_t& unitId) {
    std::lock_guard lock(mutex_);
    unitId = nextUnitId_++;
    registrations_[unitId] = Registration{filter, std::move(callback), tag, false};

    std::uint32_t written = 0;
    if (running_ && plugged_ && filter == kLedCollection && data.size() == kGBankReportSize) {
        std::array<std::uint8_t, kGBankReportSize> report{data[0], data[1]};
        if (memory_.gBankReport != report) {
            memory_.gBankReport = report;
            dirty_ = true;
            (void)SaveLocked();  // the outcome stays readable through LastSaveStatus
        }
        written = static_cast<std::uint32_t>(data.size());
    }
    HidNotification outcome{.kind = NotificationKind::kDataArrived,
                            .tag = tag,
                            .count = written,
                            .data = std::vector<std::uint8_t>(data.begin(), data.end()),
                            .consumerCode = 0};
    queue_.push_back(Pending{Clock::now(), unitId, std::move(outcome)});
    queued_.store(queue_.size(), std::memory_order_release);
    wake_.notify_all();
}

void SimulatedKeyboard::DeleteRequestFromUnitId(std::uint32_t unitId) {
    if (unitId == 0) {
        return;
    }
    if (OnServiceThread()) {
        std::lock_guard lock(mutex_);
        registrations_.erase(unitId);
        return;
    }
    std::lock_guard deliver(deliverMutex_);
    std::lock_guard lock(mutex_);
    registrations_.erase(unitId);
}

void SimulatedKeyboard::QueueData(const DeviceFilter& collection, std::vector<std::uint8_t> data,
                                  Clock::time_point due, std::uint16_t consumerCode) {
    for (const auto& [unitId, registration] : registrations_) {
        if (!registration.lasting || registration.filter != collection) {
            continue;
        }
        HidNotification notification{.kind = NotificationKind::kDataArrived,
                                     .tag = registration.tag,
                                     .count = static_cast<std::uint32_t>(data.size()),
                                     .data = data,
                                     .consumerCode = consumerCode};
        queue_.push_back(Pending{due, unitId, std::move(notification)});
    }
    queued_.store(queue_.size(), std::memory_order_release);
    wake_.notify_all();
}

void SimulatedKeyboard::QueueDeviceSetChanged() {
    const auto now = Clock::now();
    for (const auto& [unitId, registration] : registrations_) {
        if (!registration.lasting || !IsKeyboard(registration.filter)) {
            continue;
        }
        HidNotification notification{.kind = NotificationKind::kDeviceSetChanged,
                                     .tag = registration.tag,
                                     .count = plugged_ ? 1u : 0u,
                                     .data = {},
                                     .consumerCode = 0};
        queue_.push_back(Pending{now, unitId, std::move(notification)});
    }
    queued_.store(queue_.size(), std::memory_order_release);
    wake_.notify_all();
}

void SimulatedKeyboard::SetPluggedLocked(bool plugged) {
    if (plugged_ == plugged) {
        return;
    }
    plugged_ = plugged;
    QueueDeviceSetChanged();
}

void SimulatedKeyboard::Plug() {
    std::lock_guard lock(mutex_);
    SetPluggedLocked(true);
}

void SimulatedKeyboard::Unplug() {
    std::lock_guard lock(mutex_);
    SetPluggedLocked(false);
}

bool SimulatedKeyboard::IsPlugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void SimulatedKeyboard::UnplugAfter(int requests) {
    std::lock_guard lock(mutex_);
    if (requests <= 0) {
        SetPluggedLocked(false);
    } else {
        unplugAfter_ = requests;
    }
}

void SimulatedKeyboard::SendConsumerCode(std::uint16_t code) {
    std::lock_guard lock(mutex_);
    if (!plugged_) {
        return;
    }
    std::vector<std::uint8_t> report(2);
    WriteU16(report, 0, code);
    QueueData(kConsumerCollection, std::move(report), Clock::now(), code);
}

void SimulatedKeyboard::InjectVendorReport(std::span<const std::uint8_t> data) {
    std::lock_guard lock(mutex_);
    QueueData(kVendorCollection, std::vector<std::uint8_t>(data.begin(), data.end()), Clock::now());
}

void SimulatedKeyboard::DropReplies(int count) {
    std::lock_guard lock(mutex_);
    dropReplies_ = std::max(count, 0);
}

void SimulatedKeyboard::AnswerWrongCommand(int count) {
    std::lock_guard lock(mutex_);
    wrongCommandReplies_ = std::max(count, 0);
}

void SimulatedKeyboard::AnswerStatus(std::uint8_t status, int count) {
    std::lock_guard lock(mutex_);
    faultStatus_ = status;
    statusReplies_ = std::max(count, 0);
}

void SimulatedKeyboard::SetReplySize(std::size_t bytes, int count) {
    std::lock_guard lock(mutex_);
    replySize_ = bytes;
    resizedReplies_ = std::max(count, 0);
}

void SimulatedKeyboard::SetLatency(std::chrono::microseconds latency) {
    std::lock_guard lock(mutex_);
    latency_ = std::max(latency, std::chrono::microseconds{0});
}

KeyboardMemory SimulatedKeyboard::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void SimulatedKeyboard::ModifyMemory(const std::function<void(KeyboardMemory&)>& change) {
    std::lock_guard lock(mutex_);
    change(memory_);
    dirty_ = true;
}

std::size_t SimulatedKeyboard::RequestCount() const {
    std::lock_guard lock(mutex_);
    return requestCount_;
}

Status SimulatedKeyboard::Save() {
    std::lock_guard lock(mutex_);
    return SaveLocked();
}

Status SimulatedKeyboard::LastSaveStatus() const {
    std::lock_guard lock(mutex_);
    return lastSave_;
}

Status SimulatedKeyboard::SaveLocked() {
    if (!stateFile_) {
        return Status::Ok();
    }
    lastSave_ = SaveStateFile(*stateFile_, memory_);
    if (lastSave_.ok()) {
        dirty_ = false;
    }
    return lastSave_;
}

void SimulatedKeyboard::Run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (queue_.empty()) {
            if (latency_.count() != 0) {
                // The next reply is due a whole latency away: nothing to gain by spinning.
                wake_.wait(lock);
                continue;
            }
            lock.unlock();
            const auto until = Clock::now() + kIdleSpin;
            while (queued_.load(std::memory_order_acquire) == 0 && Clock::now() < until) {
                std::this_thread::yield();
            }
            lock.lock();
            if (queue_.empty() && !stopping_) {
                wake_.wait(lock);
            }
            continue;
        }
        const Clock::time_point due = queue_.front().due;
        const Clock::time_point now = Clock::now();
        if (now < due) {
            if (due - now > kSpinWindow) {
                wake_.wait_until(lock, due - kSpinWindow);
            } else {
                lock.unlock();
                while (Clock::now() < due) {
                    std::this_thread::yield();
                }
                lock.lock();
            }
            continue;
        }
        Pending pending = std::move(queue_.front());
        queue_.pop_front();
        queued_.store(queue_.size(), std::memory_order_release);
        lock.unlock();
        Deliver(pending);
        lock.lock();
    }
}

void SimulatedKeyboard::Deliver(const Pending& pending) {
    std::lock_guard deliver(deliverMutex_);
    NotificationCallback callback;
    {
        std::lock_guard lock(mutex_);
        auto it = registrations_.find(pending.unitId);
        if (it == registrations_.end()) {
            return;
        }
        callback = it->second.callback;
        if (!it->second.lasting) {
            registrations_.erase(it);
        }
    }
    if (callback) {
        callback(pending.notification);
    }
}

}  // namespace q804::device::sim
