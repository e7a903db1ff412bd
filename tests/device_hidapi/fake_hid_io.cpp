#include "tests/device_hidapi/fake_hid_io.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "device/hid_service.h"

namespace q804::device::hidapi::testing {

class FakeHandle final : public HidHandle {
  public:
    FakeHandle(std::shared_ptr<FakeHidBus> bus, std::shared_ptr<FakeHidBus::Queue> queue)
        : bus_(std::move(bus)), queue_(std::move(queue)) {}

    ~FakeHandle() override {
        std::lock_guard lock(bus_->mutex_);
        std::erase(bus_->handles_, queue_);
    }

    int Write(std::span<const std::uint8_t> report) override {
        std::lock_guard lock(bus_->mutex_);
        if (queue_->gone) {
            return -1;
        }
        if (bus_->writeResult_) {
            return *bus_->writeResult_;
        }
        bus_->written_[queue_->path].emplace_back(report.begin(), report.end());
        return static_cast<int>(report.size());
    }

    int Read(std::span<std::uint8_t> buffer, int timeoutMs) override {
        std::unique_lock lock(bus_->mutex_);
        bus_->arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return queue_->gone || !queue_->reports.empty(); });
        if (queue_->gone || queue_->broken) {
            return -1;
        }
        if (queue_->reports.empty()) {
            return 0;
        }
        std::vector<std::uint8_t> report = std::move(queue_->reports.front());
        queue_->reports.pop_front();
        const std::size_t size = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), size, buffer.begin());
        return static_cast<int>(size);
    }

    std::string ErrorText() override { return queue_->gone ? "No such device" : "I/O error"; }

  private:
    std::shared_ptr<FakeHidBus> bus_;
    std::shared_ptr<FakeHidBus::Queue> queue_;
};

void FakeHidBus::Plug(FakeNode node) {
    std::lock_guard lock(mutex_);
    const std::string path = node.path;
    nodes_[path] = std::move(node);
}

void FakeHidBus::Unplug(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        nodes_.erase(path);
        for (const auto& queue : handles_) {
            if (queue->path == path) {
                queue->gone = true;
            }
        }
    }
    arrived_.notify_all();
}

void FakeHidBus::SetOpenError(const std::string& path, int error) {
    std::lock_guard lock(mutex_);
    nodes_.at(path).openError = error;
}

void FakeHidBus::Send(const std::string& path, std::vector<std::uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        for (const auto& queue : handles_) {
            if (queue->path == path && !queue->gone) {
                queue->reports.push_back(report);
            }
        }
    }
    arrived_.notify_all();
}

void FakeHidBus::SetWriteResult(std::optional<int> result) {
    std::lock_guard lock(mutex_);
    writeResult_ = result;
}

void FakeHidBus::SetInitFails(bool fails) {
    std::lock_guard lock(mutex_);
    initFails_ = fails;
}

std::vector<std::vector<std::uint8_t>> FakeHidBus::Written(const std::string& path) const {
    std::lock_guard lock(mutex_);
    auto found = written_.find(path);
    return found == written_.end() ? std::vector<std::vector<std::uint8_t>>{} : found->second;
}

int FakeHidBus::OpenHandles(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(handles_.begin(), handles_.end(),
                                          [&](const auto& queue) { return queue->path == path; }));
}

int FakeHidBus::Opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
}

int FakeHidBus::EnumerationCount() const {
    std::lock_guard lock(mutex_);
    return enumerations_;
}

Status FakeHidIo::Init() {
    std::lock_guard lock(bus_->mutex_);
    if (bus_->initFails_) {
        return Error{"no HID subsystem"};
    }
    return Status::Ok();
}

std::vector<HidDeviceEntry> FakeHidIo::Enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(bus_->mutex_);
    ++bus_->enumerations_;
    std::vector<HidDeviceEntry> entries;
    for (const auto& [path, node] : bus_->nodes_) {
        for (const CollectionId& collection : node.collections) {
            entries.push_back(HidDeviceEntry{.path = path,
                                             .vendorId = vendorId,
                                             .productId = productId,
                                             .usagePage = collection.usagePage,
                                             .usage = collection.usage});
        }
    }
    return entries;
}

OpenOutcome FakeHidIo::Open(const std::string& path) {
    std::lock_guard lock(bus_->mutex_);
    OpenOutcome outcome;
    auto found = bus_->nodes_.find(path);
    if (found == bus_->nodes_.end()) {
        outcome.errorNumber = ENOENT;
    } else if (found->second.openError != 0) {
        outcome.errorNumber = found->second.openError;
    } else {
        auto queue = std::make_shared<FakeHidBus::Queue>();
        queue->path = path;
        queue->broken = found->second.readsFail;
        bus_->handles_.push_back(queue);
        ++bus_->opens_;
        outcome.handle = std::make_unique<FakeHandle>(bus_, std::move(queue));
        return outcome;
    }
    outcome.errorText = std::strerror(outcome.errorNumber);
    return outcome;
}

Result<std::vector<std::uint8_t>> FakeHidIo::ReportDescriptor(const std::string& path) {
    std::lock_guard lock(bus_->mutex_);
    auto found = bus_->nodes_.find(path);
    if (found == bus_->nodes_.end() || !found->second.descriptor) {
        return Error{"no report descriptor for " + path};
    }
    return *found->second.descriptor;
}

}  // namespace q804::device::hidapi::testing
