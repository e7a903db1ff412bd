#pragma once

// Which collection an incoming report belongs to, on a hidraw node that may carry several
// of the keyboard's collections.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "device/hidapi/report_descriptor.h"

namespace q804::device::hidapi {

struct CollectionId {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;

    friend auto operator<=>(const CollectionId&, const CollectionId&) = default;
};

inline constexpr std::uint16_t kConsumerUsagePage = 0x000C;

class ReportRouter {
  public:
    struct Route {
        std::vector<CollectionId> collections;  // empty: the report belongs to nobody
        std::size_t payloadOffset = 0;          // 1 when the report starts with its id
    };

    // From the node's parsed report descriptor: reports are matched by their report id to
    // the collections that declare it for input; other ids belong to nobody.
    static ReportRouter FromDescriptor(const ReportDescriptorInfo& descriptor);

    // When the descriptor cannot be read: a node with one collection gets every report; on
    // a node with several, reports with the command report id go to the vendor collection
    // and all others to the remaining collections.
    static ReportRouter WithoutDescriptor(std::span<const CollectionId> collections);

    Route RouteReport(std::span<const std::uint8_t> report) const;

  private:
    bool numbered_ = false;
    std::vector<CollectionId> unnumbered_;
    std::map<std::uint8_t, std::vector<CollectionId>> byId_;
    std::vector<CollectionId> otherIds_;  // for ids the map does not know
};

// The 16-bit consumer usage a consumer-collection report carries after its id (missing
// bytes read as 0).
std::uint16_t ConsumerCode(std::span<const std::uint8_t> report, std::size_t payloadOffset);

}  // namespace q804::device::hidapi
