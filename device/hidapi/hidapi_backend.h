#pragma once

// The HID service for real keyboards, written against HidIo so that its logic (collection
// matching, routing, arrival and removal) runs the same on hidapi and on a test fake.
//
// Threads: one monitor thread polls the set of keyboards, opens and closes nodes, performs
// status writes and delivers kind-0 notifications and status-write outcomes; one reader
// thread per open node delivers kind-1 notifications. Callbacks for different nodes may run
// at the same time. No callback runs on a caller's thread, and none after End() returns.
// End() must not be called from a callback.

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
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_service.h"
#include "device/hidapi/hid_io.h"
#include "device/hidapi/report_router.h"

namespace q804::device::hidapi {

struct BackendOptions {
    std::chrono::milliseconds pollInterval{500};
    // How long a reader waits for a report before it looks whether it should stop; bounds
    // how long End() and a removal take.
    std::chrono::milliseconds readTimeout{100};
    // Where the permission message looks for the shipped udev rule.
    std::filesystem::path programDir;
    std::vector<std::filesystem::path> udevRuleDirs;
    std::filesystem::path sysRoot = "/sys";
    // Called on the monitor thread when a new failure keeps a keyboard out of reach (a node
    // that cannot be opened). Failures of Init() are only kept for LastError().
    std::function<void(const std::string&)> onError;
};

class HidapiBackend final : public HidService {
  public:
    HidapiBackend(std::unique_ptr<HidIo> io, BackendOptions options);
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

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

    // The last failure to reach a keyboard (library start, opening a node, a refused write);
    // empty when none. A refused open is withdrawn once every keyboard node is open.
    std::string LastError() const;

  private:
    struct Node;
    struct Registration;
    struct PendingWrite {
        std::shared_ptr<Registration> registration;
        std::vector<std::uint8_t> data;
    };

    void MonitorLoop();
    // Brings the open nodes in line with the keyboards present; with notify, reports a
    // change of the keyboards with a vendor collection to every async read.
    void Scan(bool notify);
    // Null when the node cannot be opened; failure then says why, unless the node merely
    // vanished.
    std::shared_ptr<Node> OpenNode(const std::string& path, std::vector<CollectionId> collections,
                                   std::string& failure);
    void CloseNode(Node& node);
    void ReaderLoop(Node& node);
    void DeliverReport(const Node& node, std::span<const std::uint8_t> report);
    void DeliverDeviceCount(std::uint32_t count);
    void PerformStatusWrite(const PendingWrite& write);
    // A node carrying the filter's collection, if any keyboard has one.
    std::shared_ptr<Node> FindNode(const DeviceFilter& filter);
    std::shared_ptr<Registration> Register(const DeviceFilter& filter,
                                           NotificationCallback callback, std::uint32_t tag,
                                           bool asyncRead);
    void RequestRescan();
    void SetError(const std::string& text, bool report, bool fromOpen);

    const std::unique_ptr<HidIo> io_;
    const BackendOptions options_;

    std::mutex lifecycleMutex_;  // serialises Init and End
    std::atomic<bool> running_{false};
    std::atomic<bool> stopping_{false};  // End() has begun: deliver nothing more
    std::thread monitor_;

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable wakeMonitor_;
    bool stopRequested_ = false;
    bool rescanRequested_ = false;
    std::map<std::string, std::shared_ptr<Node>> nodes_;
    std::set<std::string> vendorPaths_;  // the keyboards last reported
    std::map<std::uint32_t, std::shared_ptr<Registration>> registrations_;
    std::uint32_t lastUnitId_ = 0;
    std::deque<PendingWrite> pendingWrites_;
    std::string lastError_;
    bool lastErrorFromOpen_ = false;

    // Nodes that could not be opened at the last scan, with the reason; used by the scanning
    // thread only.
    std::map<std::string, std::string> openFailures_;
};

}  // namespace q804::device::hidapi
