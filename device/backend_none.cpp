#include "device/backend.h"

namespace q804::device {

Result<std::unique_ptr<HidService>> CreateHardwareService() {
    return Error{"hidapi backend not built"};
}

std::string HardwareServiceProblem(const HidService&) {
    return {};
}

}  // namespace q804::device
