#include "cli/cli_context.h"

#include <cstdlib>
#include <ostream>
#include <system_error>

#include "device/backend.h"
#include "device/sim/simulated_keyboard.h"
#include "device/wire_trace.h"
#include "lang/locale_language.h"

namespace q804::cli {

namespace fs = std::filesystem;

CliContext::CliContext(GlobalOptions options, std::ostream& out, std::ostream& err,
                       fs::path executable, Getenv getenv)
    : options_(std::move(options)),
      out_(out),
      err_(err),
      getenv_(getenv ? std::move(getenv) : [](const char* name) { return std::getenv(name); }),
      programPaths_(ResolveProgramPaths(executable)),
      userDirs_(UserDirsFromEnvironment(this->getenv_)),
      perUserPaths_(ResolvePerUserPaths(userDirs_)) {}

// The connection stops the service before the link and the engine go.
CliContext::~CliContext() = default;

LanguageTables& CliContext::Language() {
    if (!language_) {
        settingsKey_ = std::make_unique<SettingsKey>(SettingsKey::Open(userDirs_.configHome));
        language_ = std::make_unique<LanguageTables>(programPaths_.dataDir, *settingsKey_,
                                                     SystemLanguageId(getenv_));
    }
    return *language_;
}

void CliContext::UseService(std::unique_ptr<device::HidService> service) {
    service_ = std::move(service);
}

Result<Keyboard> CliContext::OpenKeyboard() {
    if (!connection_) {
        bool started = false;
        if (!service_) {
            if (options_.simulate) {
                auto keyboard = OpenSimulatedKeyboard(options_.stateFile, perUserPaths_,
                                                      programPaths_.userModeTemplate);
                if (!keyboard) {
                    return keyboard.error();
                }
                service_ = std::move(keyboard).value();
            } else {
                auto service = device::CreateHardwareService();
                if (!service) {
                    return service.error();
                }
                service_ = std::move(service).value();
                started = true;
            }
            hardware_ = !options_.simulate;
        }
        auto connection = KeyboardConnection::Open(std::move(service_), started, timing_);
        if (!connection) {
            return connection.error();
        }
        connection_ = std::move(connection).value();
        if (options_.trace) {
            connection_->engine().SetTraceObserver(
                device::TraceWriter::ObserverOf(std::make_shared<device::TraceWriter>(err_)));
        }
        connection_->link().RegisterDeviceReads();
    }
    return Keyboard{connection_->service(), connection_->engine(), connection_->link()};
}

std::string CliContext::KeyboardProblem() const {
    return hardware_ && connection_ ? device::HardwareServiceProblem(connection_->service())
                                    : std::string();
}

}  // namespace q804::cli
