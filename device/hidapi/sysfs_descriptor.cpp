#include "device/hidapi/sysfs_descriptor.h"

#include <algorithm>
#include <string>

#include "common/file_io.h"

namespace q804::device::hidapi {
namespace {

// sysfs declares the attribute at the kernel's largest descriptor size whatever the device
// has; the limit only guards against a path that is not the attribute at all.
constexpr std::uintmax_t kMaxAttributeSize = 65536;

bool IsHidrawNodeName(std::string_view name) {
    constexpr std::string_view kPrefix = "hidraw";
    if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) {
        return false;
    }
    const std::string_view number = name.substr(kPrefix.size());
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Result<std::vector<std::uint8_t>> ReadHidrawReportDescriptor(const std::filesystem::path& sysRoot,
                                                             std::string_view devicePath) {
    const std::string name = std::filesystem::path(devicePath).filename().string();
    if (!IsHidrawNodeName(name)) {
        return Error{"'" + std::string(devicePath) + "' is not a hidraw node"};
    }
    return ReadRegularFile(sysRoot / "class" / "hidraw" / name / "device" / "report_descriptor",
                           kMaxAttributeSize);
}

}  // namespace q804::device::hidapi
