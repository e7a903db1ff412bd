#include "app/context/app_context.h"

#include <cstdlib>

#include "common/utf.h"
#include "device/backend.h"
#include "device/sim/simulated_keyboard.h"
#include "device/wire_trace.h"
#include "lang/locale_language.h"

namespace q804 {

namespace {

std::function<const char*(const char*)> OrStdGetenv(std::function<const char*(const char*)> f) {
    if (f) {
        return f;
    }
    return [](const char* name) { return std::getenv(name); };
}

}  // namespace

ApplicationContext::ApplicationContext(ContextOptions options)
    : paths(ResolveProgramPaths(options.executable)),
      userDirs(UserDirsFromEnvironment(OrStdGetenv(options.getenv))),
      perUser(ResolvePerUserPaths(userDirs)),
      settingsKey(SettingsKey::Open(userDirs.configHome)),
      appProfile(userDirs.configHome),
      language(paths.dataDir, settingsKey, SystemLanguageId(OrStdGetenv(options.getenv))),
      log(ShellLog::FromEnvironment(OrStdGetenv(options.getenv))),
      getenv_(OrStdGetenv(std::move(options.getenv))),
      simulate_(options.simulate || options.service != nullptr),
      stateFile_(std::move(options.stateFile)),
      timing_(options.timing),
      injected_(std::move(options.service)),
      simulator_(options.simulator) {
    // The per-user folder is made before anything is read from or written to it; a folder
    // that cannot be made is reported, and every later write reports its own failure.
    if (Status made = EnsurePerUserFolder(perUser, paths.userModeTemplate); !made) {
        warnings_.push_back("per-user folder: " + made.error().message);
    }
    if (!settingsKey.valid()) {
        warnings_.push_back("settings folder " + userDirs.configHome.string() +
                            " cannot be used; the defaults apply");
    }
}

ApplicationContext::~ApplicationContext() {
    CloseKeyboard();
}

Status ApplicationContext::OpenKeyboard() {
    if (connection_) {
        return Status::Ok();
    }
    std::unique_ptr<device::HidService> service = std::move(injected_);
    bool started = false;
    if (!service) {
        if (simulate_) {
            auto keyboard = OpenSimulatedKeyboard(stateFile_, perUser, paths.userModeTemplate);
            if (!keyboard) {
                return keyboard.error();
            }
            simulator_ = keyboard.value().get();
            service = std::move(keyboard).value();
        } else {
            auto hardware = device::CreateHardwareService();
            if (!hardware) {
                return hardware.error();
            }
            service = std::move(hardware).value();
            started = true;
        }
    }
    auto connection = KeyboardConnection::Open(std::move(service), started, timing_);
    if (!connection) {
        simulator_ = nullptr;
        return connection.error();
    }
    connection_ = std::move(connection).value();
    if (auto trace = device::TraceObserverFromEnvironment(getenv_); !trace) {
        warnings_.push_back("wire trace: " + trace.error().message);
    } else if (trace.value()) {
        connection_->engine().SetTraceObserver(std::move(trace).value());
    }
    profiles_ = std::make_unique<model::ProfileContext>(model::ProfileContext{
        store, connection_->engine(), deviceState, perUser, paths.userModeTemplate,
        Utf8ToUtf16(language.LangText("MACRO_NEW_PREFIX")), nullptr});
    return Status::Ok();
}

void ApplicationContext::CloseKeyboard() {
    if (connection_) {
        connection_->Stop();
    }
}

void ApplicationContext::SetShowMessage(model::ShowMessage show) {
    if (profiles_) {
        profiles_->show = std::move(show);
    }
}

}  // namespace q804
