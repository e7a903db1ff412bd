#pragma once

#include <filesystem>
#include <memory>

#include "device/hidapi/hid_io.h"

namespace q804::device::hidapi {

// HidIo over Debian's hidapi on hidraw. Report descriptors come from sysRoot.
std::unique_ptr<HidIo> CreateHidapiIo(std::filesystem::path sysRoot = "/sys");

}  // namespace q804::device::hidapi
