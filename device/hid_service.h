#pragma once

// The narrow interface through which every report reaches the keyboard and comes back.
// Backends: the hidapi backend for real keyboards (device/hidapi/) and the simulated
// keyboard (device/sim/). Notifications are delivered on the service's own thread, never on
// the thread that made the request.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/result.h"

namespace q804::device {

inline constexpr std::uint16_t kVendorId = 0x0C45;
inline constexpr std::uint16_t kProductId = 0x5004;

// Which collection of the keyboard a request goes to. Serialised as 16 bytes: u32 15,
// u16 vendor id, u16 product id, u16 usage page, u16 usage, 4 zero bytes.
struct DeviceFilter {
    std::uint16_t vendorId = kVendorId;
    std::uint16_t productId = kProductId;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;

    friend bool operator==(const DeviceFilter&, const DeviceFilter&) = default;
};

inline constexpr std::size_t kDeviceFilterSize = 16;
std::array<std::uint8_t, kDeviceFilterSize> SerializeFilter(const DeviceFilter& filter);

inline constexpr DeviceFilter kVendorCollection{.usagePage = 0xFF1C, .usage = 0x0092};
inline constexpr DeviceFilter kConsumerCollection{.usagePage = 0x000C, .usage = 0x0001};
inline constexpr DeviceFilter kLedCollection{.usagePage = 0x0008, .usage = 0x0089};

// Request labels.
inline constexpr std::uint32_t kTagReply = 0x4354524C;     // "CTRL": vendor-collection reads
inline constexpr std::uint32_t kTagConsumer = 0x434F4E53;  // "CONS": consumer reads
inline constexpr std::uint32_t kTagGBank = 0x004C4544;     // "LED": the G-bank report
inline constexpr std::uint32_t kTagNone = 0;               // writes and counts

// The 32-bit key passed with every request: FNV-1a over the request's bytes in this order:
// the serialised filter, four bytes naming the callback (1 when there is one, else 0, as a
// little-endian u32), the tag (little-endian u32) and the payload.
std::uint32_t RequestKey(const DeviceFilter& filter, bool hasCallback, std::uint32_t tag,
                         std::span<const std::uint8_t> payload);

enum class NotificationKind : std::uint32_t {
    kDeviceSetChanged = 0,
    kDataArrived = 1,
};

struct HidNotification {
    NotificationKind kind = NotificationKind::kDataArrived;
    std::uint32_t tag = 0;
    // Data arrived: number of bytes in data. Device set changed: keyboards now present.
    std::uint32_t count = 0;
    std::vector<std::uint8_t> data;
    // Consumer reads: the 16-bit consumer code the report carries.
    std::uint16_t consumerCode = 0;
};

// Returns 1, as the service expects of every callback.
using NotificationCallback = std::function<int(const HidNotification&)>;

class HidService {
  public:
    virtual ~HidService() = default;

    // Greater than 0 when the service is ready.
    virtual int Init() = 0;
    // Stops the service's threads; no callback runs after it returns.
    virtual void End() = 0;

    // Number of keyboards whose collection matches the filter.
    virtual int RequestGetDeviceCount(const DeviceFilter& filter, std::uint32_t key) = 0;

    // Writes one 64-byte report (report id first) to the collection. Greater than 0: accepted.
    virtual int RequestWriteOne(const DeviceFilter& filter, std::span<const std::uint8_t, 64> data,
                                std::uint32_t key) = 0;

    // Registers a lasting read of the collection: every report arriving is delivered as a
    // kind-1 notification with the tag, and every change of the set of keyboards as a kind-0
    // notification with the tag and the new count. unitId receives the registration's id.
    virtual void RequestAsyncRead(const DeviceFilter& filter, NotificationCallback callback,
                                  std::uint32_t tag, std::uint32_t key, std::uint32_t& unitId) = 0;

    // Sends a short status report (the G-bank report) to the collection; the outcome is
    // delivered to the callback with the tag.
    virtual void RequestStatusWrite(const DeviceFilter& filter, NotificationCallback callback,
                                    std::uint32_t tag, std::span<const std::uint8_t> data,
                                    std::uint32_t key, std::uint32_t& unitId) = 0;

    // Ends a registration; unknown ids, 0 included, are ignored.
    virtual void DeleteRequestFromUnitId(std::uint32_t unitId) = 0;
};

}  // namespace q804::device
