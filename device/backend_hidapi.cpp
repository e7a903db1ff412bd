#include "device/backend.h"
#include "device/hidapi/hidapi_service.h"

namespace q804::device {

Result<std::unique_ptr<HidService>> CreateHardwareService() {
    std::unique_ptr<HidService> service = CreateHidapiService();
    if (!service) {
        return Error{"the hidapi backend could not be created"};
    }
    if (service->Init() <= 0) {
        std::string why = HidapiLastError(*service);
        return Error{why.empty() ? "the hidapi backend could not start" : why};
    }
    return service;
}

std::string HardwareServiceProblem(const HidService& service) {
    return HidapiLastError(service);
}

}  // namespace q804::device
