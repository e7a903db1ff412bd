#include "device/hidapi/hidapi_service.h"

#include <filesystem>
#include <system_error>

#include "device/hidapi/hidapi_backend.h"
#include "device/hidapi/hidapi_io.h"
#include "device/hidapi/udev_rule.h"

namespace q804::device {
namespace {

std::filesystem::path ProgramDir() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace

std::unique_ptr<HidService> CreateHidapiService() {
    return CreateHidapiService({});
}

std::unique_ptr<HidService> CreateHidapiService(HidapiServiceOptions options) {
    hidapi::BackendOptions backend;
    backend.programDir = ProgramDir();
    backend.udevRuleDirs = hidapi::UdevRuleDirectories();
    backend.onError = std::move(options.onError);
    std::unique_ptr<hidapi::HidIo> io = hidapi::CreateHidapiIo(backend.sysRoot);
    return std::make_unique<hidapi::HidapiBackend>(std::move(io), std::move(backend));
}

std::string HidapiLastError(const HidService& service) {
    const auto* backend = dynamic_cast<const hidapi::HidapiBackend*>(&service);
    return backend != nullptr ? backend->LastError() : std::string();
}

}  // namespace q804::device
