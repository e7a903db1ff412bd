#pragma once

// hidapi 0.13 cannot hand out a node's report descriptor; the kernel shows it under sysfs.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace q804::device::hidapi {

// The report descriptor of a hidraw node ("/dev/hidraw3") read from
// <sysRoot>/class/hidraw/hidraw3/device/report_descriptor. Paths that do not name a hidraw
// node are refused without touching the file system.
Result<std::vector<std::uint8_t>> ReadHidrawReportDescriptor(const std::filesystem::path& sysRoot,
                                                             std::string_view devicePath);

}  // namespace q804::device::hidapi
