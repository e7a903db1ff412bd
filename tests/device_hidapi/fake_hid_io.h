#pragma once

// A scripted stand-in for the hidraw nodes of plugged-in keyboards. Like hidraw, every open
// handle gets its own copy of each incoming report, and an unplugged node fails the reads of
// the handles still open on it.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hidapi/hid_io.h"
#include "device/hidapi/report_router.h"

namespace q804::device::hidapi::testing {

struct FakeNode {
    std::string path;
    std::vector<CollectionId> collections;
    // The report descriptor the node shows; none when reading it fails.
    std::optional<std::vector<std::uint8_t>> descriptor;
    int openError = 0;       // errno an open fails with, 0 when it succeeds
    bool readsFail = false;  // every read fails although the node stays listed
};

class FakeHidBus {
  public:
    void Plug(FakeNode node);
    void Unplug(const std::string& path);
    void SetOpenError(const std::string& path, int error);
    // Every handle open on the node receives the report.
    void Send(const std::string& path, std::vector<std::uint8_t> report);
    // What Write returns from now on; nullopt: the length written.
    void SetWriteResult(std::optional<int> result);
    void SetInitFails(bool fails);

    std::vector<std::vector<std::uint8_t>> Written(const std::string& path) const;
    int OpenHandles(const std::string& path) const;
    int Opens() const;  // successful opens so far
    int EnumerationCount() const;

  private:
    friend class FakeHidIo;
    friend class FakeHandle;

    struct Queue {
        std::string path;
        std::deque<std::vector<std::uint8_t>> reports;
        bool gone = false;
        bool broken = false;
    };

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::map<std::string, FakeNode> nodes_;
    std::vector<std::shared_ptr<Queue>> handles_;
    std::map<std::string, std::vector<std::vector<std::uint8_t>>> written_;
    std::optional<int> writeResult_;
    bool initFails_ = false;
    int enumerations_ = 0;
    int opens_ = 0;
};

class FakeHidIo final : public HidIo {
  public:
    explicit FakeHidIo(std::shared_ptr<FakeHidBus> bus) : bus_(std::move(bus)) {}

    Status Init() override;
    void Exit() override {}
    std::vector<HidDeviceEntry> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenOutcome Open(const std::string& path) override;
    Result<std::vector<std::uint8_t>> ReportDescriptor(const std::string& path) override;

  private:
    std::shared_ptr<FakeHidBus> bus_;
};

}  // namespace q804::device::hidapi::testing
