#pragma once

// The parts of HidapiBackend shared by its two source files: the open nodes and the
// registrations.

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_service.h"
#include "device/hidapi/hid_io.h"
#include "device/hidapi/hidapi_backend.h"
#include "device/hidapi/report_router.h"

namespace q804::device::hidapi {

inline constexpr CollectionId kVendorCollectionId{kVendorCollection.usagePage,
                                                  kVendorCollection.usage};

inline bool IsKeyboard(const DeviceFilter& filter) {
    return filter.vendorId == kVendorId && filter.productId == kProductId;
}

inline CollectionId IdOf(const DeviceFilter& filter) {
    return {filter.usagePage, filter.usage};
}

struct HidapiBackend::Node {
    std::string path;
    std::vector<CollectionId> collections;  // sorted
    ReportRouter router;
    // Reading and writing go through separate handles: hidapi keeps one error record per
    // handle and replaces it on every read and write, so one handle shared by the reader
    // thread and a writing thread would free that record twice. hidraw gives every open
    // handle its own copy of each input report, so the reader misses nothing.
    std::unique_ptr<HidHandle> reader;  // used by the reader thread only
    std::mutex writeMutex;
    std::unique_ptr<HidHandle> writer;  // guarded by writeMutex; null once closed
    std::atomic<bool> stop{false};
    std::atomic<bool> failed{false};
    std::thread thread;

    ~Node() {
        stop = true;
        if (thread.joinable()) {
            thread.join();
        }
    }

    bool Carries(CollectionId id) const {
        return std::binary_search(collections.begin(), collections.end(), id);
    }
};

struct HidapiBackend::Registration {
    std::uint32_t unitId = 0;
    DeviceFilter filter;
    NotificationCallback callback;
    std::uint32_t tag = 0;
    bool asyncRead = false;
    std::atomic<bool> active{true};
};

}  // namespace q804::device::hidapi
