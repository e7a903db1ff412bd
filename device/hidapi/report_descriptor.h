#pragma once

// Reading a HID report descriptor far enough to know the top-level collections of a hidraw
// node and which report ids belong to each: one node can carry the keyboard's vendor,
// consumer and LED collections, and an incoming report has to reach the readers of its own
// collection only.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/result.h"

namespace q804::device::hidapi {

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint8_t type = 0;  // 1 = application
    // Report ids used by the collection's main items, sorted, without repeats. All three
    // are empty when the device does not number its reports.
    std::vector<std::uint8_t> inputReportIds;
    std::vector<std::uint8_t> outputReportIds;
    std::vector<std::uint8_t> featureReportIds;

    friend bool operator==(const TopLevelCollection&, const TopLevelCollection&) = default;
};

struct ReportDescriptorInfo {
    std::vector<TopLevelCollection> collections;
    // True when any report id was declared: then every report on the node starts with its
    // report id.
    bool numberedReports = false;
};

// The kernel refuses descriptors larger than this, so anything longer is not a real one.
inline constexpr std::size_t kMaxReportDescriptorSize = 4096;

// Fails on a descriptor that cannot be trusted: an item running past the end, an End
// Collection without its Collection, a collection left open, report id 0, an unbalanced
// Push/Pop or a descriptor above kMaxReportDescriptorSize. Long items are skipped.
Result<ReportDescriptorInfo> ParseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace q804::device::hidapi
