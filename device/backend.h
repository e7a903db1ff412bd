#pragma once

// The service for real keyboards, as the program's front ends open it. Which backend serves
// is decided when the program is built; a build without one reports that as an error.

#include <memory>
#include <string>

#include "common/result.h"
#include "device/hid_service.h"

namespace q804::device {

// A started service (its Init() returned greater than 0), or why none could start.
Result<std::unique_ptr<HidService>> CreateHardwareService();

// What keeps a keyboard out of reach right now (a hidraw node the user may not open, with
// the udev rule that fixes it), or an empty text.
std::string HardwareServiceProblem(const HidService& service);

}  // namespace q804::device
