#include "device/hidapi/report_router.h"

#include <algorithm>

#include "common/byte_io.h"
#include "device/hid_service.h"

namespace q804::device::hidapi {
namespace {

// The report id every command report and reply of the vendor collection carries.
constexpr std::uint8_t kCommandReportId = 0x04;

void AddUnique(std::vector<CollectionId>& list, CollectionId id) {
    if (std::find(list.begin(), list.end(), id) == list.end()) {
        list.push_back(id);
    }
}

}  // namespace

ReportRouter ReportRouter::FromDescriptor(const ReportDescriptorInfo& descriptor) {
    ReportRouter router;
    router.numbered_ = descriptor.numberedReports;
    for (const TopLevelCollection& collection : descriptor.collections) {
        const CollectionId id{collection.usagePage, collection.usage};
        if (!router.numbered_) {
            AddUnique(router.unnumbered_, id);
            continue;
        }
        for (std::uint8_t reportId : collection.inputReportIds) {
            AddUnique(router.byId_[reportId], id);
        }
    }
    return router;
}

ReportRouter ReportRouter::WithoutDescriptor(std::span<const CollectionId> collections) {
    ReportRouter router;
    if (collections.size() <= 1) {
        router.unnumbered_.assign(collections.begin(), collections.end());
        return router;
    }
    // Several collections on one node require numbered reports.
    router.numbered_ = true;
    const CollectionId vendor{kVendorCollection.usagePage, kVendorCollection.usage};
    for (const CollectionId& id : collections) {
        if (id == vendor) {
            AddUnique(router.byId_[kCommandReportId], id);
        } else {
            AddUnique(router.otherIds_, id);
        }
    }
    return router;
}

ReportRouter::Route ReportRouter::RouteReport(std::span<const std::uint8_t> report) const {
    Route route;
    if (!numbered_) {
        route.collections = unnumbered_;
        return route;
    }
    route.payloadOffset = 1;
    if (report.empty()) {
        return route;
    }
    auto owners = byId_.find(report[0]);
    route.collections = owners != byId_.end() ? owners->second : otherIds_;
    return route;
}

std::uint16_t ConsumerCode(std::span<const std::uint8_t> report, std::size_t payloadOffset) {
    if (report.size() >= payloadOffset + 2) {
        return ReadU16(report, payloadOffset);
    }
    if (report.size() == payloadOffset + 1) {
        return ReadU8(report, payloadOffset);
    }
    return 0;
}

}  // namespace q804::device::hidapi
