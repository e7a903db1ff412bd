#include "device/hidapi/hidapi_backend.h"

#include <algorithm>
#include <string>
#include <utility>

#include "device/hidapi/hidapi_backend_parts.h"

namespace q804::device::hidapi {

HidapiBackend::HidapiBackend(std::unique_ptr<HidIo> io, BackendOptions options)
    : io_(std::move(io)), options_(std::move(options)) {}

HidapiBackend::~HidapiBackend() {
    End();
}

int HidapiBackend::Init() {
    std::lock_guard lifecycle(lifecycleMutex_);
    if (running_) {
        return 1;
    }
    if (Status started = io_->Init(); !started) {
        SetError("Cannot start the HID library: " + started.error().message, false, false);
        return 0;
    }
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
        rescanRequested_ = false;
    }
    stopping_ = false;
    // The keyboards present at start are the baseline; only later changes are notified.
    Scan(false);
    running_ = true;
    monitor_ = std::thread([this] { MonitorLoop(); });
    return 1;
}

void HidapiBackend::End() {
    std::lock_guard lifecycle(lifecycleMutex_);
    if (!running_) {
        return;
    }
    stopping_ = true;
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
        pendingWrites_.clear();
    }
    wakeMonitor_.notify_all();
    monitor_.join();

    std::map<std::string, std::shared_ptr<Node>> nodes;
    {
        std::lock_guard lock(mutex_);
        nodes.swap(nodes_);
        vendorPaths_.clear();
    }
    openFailures_.clear();
    for (auto& [path, node] : nodes) {
        CloseNode(*node);
    }
    {
        std::lock_guard lock(mutex_);
        for (auto& [unitId, registration] : registrations_) {
            registration->active = false;
        }
        registrations_.clear();
    }
    running_ = false;
    io_->Exit();
}

int HidapiBackend::RequestGetDeviceCount(const DeviceFilter& filter, std::uint32_t /*key*/) {
    if (!running_ || !IsKeyboard(filter)) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(nodes_.begin(), nodes_.end(), [&](const auto& entry) {
        return !entry.second->failed && entry.second->Carries(IdOf(filter));
    }));
}

int HidapiBackend::RequestWriteOne(const DeviceFilter& filter,
                                   std::span<const std::uint8_t, 64> data, std::uint32_t /*key*/) {
    if (!running_) {
        return 0;
    }
    std::shared_ptr<Node> node = FindNode(filter);
    if (!node) {
        return 0;
    }
    int written = -1;
    std::string reason;
    {
        std::lock_guard lock(node->writeMutex);
        if (!node->writer) {
            return 0;
        }
        written = node->writer->Write(data);
        if (written < 0) {
            reason = node->writer->ErrorText();
        }
    }
    if (written == static_cast<int>(data.size())) {
        return written;
    }
    if (written >= 0) {
        reason = "only " + std::to_string(written) + " of " + std::to_string(data.size()) +
                 " bytes were written";
    }
    SetError("Writing a report to " + node->path + " failed: " + reason, false, false);
    // A refused write is often the first sign of an unplugged keyboard.
    RequestRescan();
    return -1;
}

void HidapiBackend::RequestAsyncRead(const DeviceFilter& filter, NotificationCallback callback,
                                     std::uint32_t tag, std::uint32_t /*key*/,
                                     std::uint32_t& unitId) {
    unitId = Register(filter, std::move(callback), tag, true)->unitId;
}

void HidapiBackend::RequestStatusWrite(const DeviceFilter& filter, NotificationCallback callback,
                                       std::uint32_t tag, std::span<const std::uint8_t> data,
                                       std::uint32_t /*key*/, std::uint32_t& unitId) {
    std::shared_ptr<Registration> registration = Register(filter, std::move(callback), tag, false);
    unitId = registration->unitId;
    {
        std::lock_guard lock(mutex_);
        if (!running_ || stopRequested_) {
            // Nothing will ever perform it, so it must not stay registered.
            registrations_.erase(unitId);
            return;
        }
        // Performed on the monitor thread, so that the outcome never reaches the callback
        // on the caller's thread.
        pendingWrites_.push_back({registration, {data.begin(), data.end()}});
    }
    wakeMonitor_.notify_all();
}

void HidapiBackend::DeleteRequestFromUnitId(std::uint32_t unitId) {
    std::lock_guard lock(mutex_);
    auto found = registrations_.find(unitId);
    if (found == registrations_.end()) {
        return;
    }
    found->second->active = false;
    registrations_.erase(found);
}

std::string HidapiBackend::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

std::shared_ptr<HidapiBackend::Registration> HidapiBackend::Register(const DeviceFilter& filter,
                                                                     NotificationCallback callback,
                                                                     std::uint32_t tag,
                                                                     bool asyncRead) {
    auto registration = std::make_shared<Registration>();
    registration->filter = filter;
    registration->callback = std::move(callback);
    registration->tag = tag;
    registration->asyncRead = asyncRead;
    std::lock_guard lock(mutex_);
    // 0 means "no registration" to the callers; ids still in use are never handed out twice.
    do {
        ++lastUnitId_;
    } while (lastUnitId_ == 0 || registrations_.contains(lastUnitId_));
    registration->unitId = lastUnitId_;
    registrations_.emplace(lastUnitId_, registration);
    return registration;
}

void HidapiBackend::MonitorLoop() {
    std::unique_lock lock(mutex_);
    auto nextScan = std::chrono::steady_clock::now() + options_.pollInterval;
    while (!stopRequested_) {
        wakeMonitor_.wait_until(lock, nextScan, [this] {
            return stopRequested_ || rescanRequested_ || !pendingWrites_.empty();
        });
        if (stopRequested_) {
            break;
        }
        if (!pendingWrites_.empty()) {
            PendingWrite write = std::move(pendingWrites_.front());
            pendingWrites_.pop_front();
            lock.unlock();
            PerformStatusWrite(write);
            lock.lock();
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (rescanRequested_ || now >= nextScan) {
            rescanRequested_ = false;
            lock.unlock();
            Scan(true);
            lock.lock();
            nextScan = std::chrono::steady_clock::now() + options_.pollInterval;
        }
    }
}

void HidapiBackend::PerformStatusWrite(const PendingWrite& write) {
    const std::shared_ptr<Registration>& registration = write.registration;
    if (!registration->active) {
        return;
    }
    int written = -1;
    std::string reason = "no keyboard with that collection is open";
    if (std::shared_ptr<Node> node = FindNode(registration->filter)) {
        std::lock_guard lock(node->writeMutex);
        if (node->writer) {
            written = node->writer->Write(write.data);
            if (written < 0) {
                reason = node->writer->ErrorText();
            }
        }
    }
    const bool complete = written == static_cast<int>(write.data.size()) && written > 0;
    if (!complete && written >= 0) {
        reason = "only " + std::to_string(written) + " of " + std::to_string(write.data.size()) +
                 " bytes were written";
    }
    if (!complete) {
        SetError("Writing a status report failed: " + reason, false, false);
    }

    bool deliver = false;
    {
        std::lock_guard lock(mutex_);
        // The write is done: its registration ends here unless it was deleted meanwhile.
        deliver = registration->active.exchange(false);
        auto found = registrations_.find(registration->unitId);
        if (found != registrations_.end() && found->second == registration) {
            registrations_.erase(found);
        }
    }
    if (!deliver || stopping_ || !registration->callback) {
        return;
    }
    HidNotification notification;
    notification.kind = NotificationKind::kDataArrived;
    notification.tag = registration->tag;
    if (complete) {
        notification.count = static_cast<std::uint32_t>(written);
        notification.data = write.data;
    }
    registration->callback(notification);
}

std::shared_ptr<HidapiBackend::Node> HidapiBackend::FindNode(const DeviceFilter& filter) {
    if (!IsKeyboard(filter)) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    for (const auto& [path, node] : nodes_) {
        if (!node->failed && node->Carries(IdOf(filter))) {
            return node;
        }
    }
    return nullptr;
}

void HidapiBackend::RequestRescan() {
    {
        std::lock_guard lock(mutex_);
        rescanRequested_ = true;
    }
    wakeMonitor_.notify_all();
}

void HidapiBackend::SetError(const std::string& text, bool report, bool fromOpen) {
    {
        std::lock_guard lock(mutex_);
        lastError_ = text;
        lastErrorFromOpen_ = fromOpen;
    }
    if (report && options_.onError) {
        options_.onError(text);
    }
}

}  // namespace q804::device::hidapi
