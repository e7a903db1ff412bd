#pragma once

// The application context: everything the running configurator owns that is not a window.
// One object, made at start-up and passed by reference; there are no process-wide records.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/context/keyboard_connection.h"
#include "app/context/shell_log.h"
#include "app/context/shell_state.h"
#include "app/paths.h"
#include "app/per_user.h"
#include "app/settings.h"
#include "common/result.h"
#include "device/hid_service.h"
#include "device/transfer_engine.h"
#include "lang/language.h"
#include "model/assignment_store.h"
#include "model/device_state.h"
#include "model/profiles.h"

namespace q804::device::sim {
class SimulatedKeyboard;
}

namespace q804 {

struct ContextOptions {
    std::filesystem::path executable;
    bool simulate = false;
    std::optional<std::filesystem::path> stateFile;  // --simulate=FILE
    // Environment lookups (HOME, XDG_*, locale, trace and log files); std::getenv by default.
    std::function<const char*(const char*)> getenv;
    device::EngineTiming timing{};
    // A service to serve the keyboard instead of opening one (tests); started when the
    // keyboard is opened. A simulated keyboard given here also drives the simulation menu.
    std::unique_ptr<device::HidService> service;
    device::sim::SimulatedKeyboard* simulator = nullptr;
};

class ApplicationContext {
  public:
    explicit ApplicationContext(ContextOptions options);
    ~ApplicationContext();
    ApplicationContext(const ApplicationContext&) = delete;
    ApplicationContext& operator=(const ApplicationContext&) = delete;

    // Paths, settings and texts.
    ProgramPaths paths;
    UserDirs userDirs;
    PerUserPaths perUser;
    SettingsKey settingsKey;
    AppProfile appProfile;
    LanguageTables language;

    // The configuration model and what is known about the keyboard.
    model::AssignmentStore store;
    model::DeviceState deviceState;

    ShellState shell;
    ShellLog log;

    bool simulating() const { return simulate_; }

    // Opens the keyboard service, the transfer engine and the device link; the link's reads
    // are registered by the caller once its callbacks are set. With a hardware service that
    // cannot start, or a damaged state file, this fails and the program ends.
    Status OpenKeyboard();
    bool keyboardOpen() const { return connection_ != nullptr; }
    device::HidService& service() { return connection_->service(); }
    device::TransferEngine& engine() { return connection_->engine(); }
    device::DeviceLink& link() { return connection_->link(); }
    // The simulated keyboard, when the program runs on it.
    device::sim::SimulatedKeyboard* simulator() { return simulator_; }
    // Stops the service's thread: no notification arrives after it returns.
    void CloseKeyboard();

    // The profile operations' context; exists once the keyboard is open.
    model::ProfileContext& profiles() { return *profiles_; }
    // Where messages of the model go (a message box in the window).
    void SetShowMessage(model::ShowMessage show);

    // Text of the TEXT section in the current language.
    std::string Text(std::string_view key) { return language.LangText(key); }

    // What went wrong on the way that did not stop the start (unusable per-user folder,
    // trace file that cannot be opened), for the log and stderr.
    const std::vector<std::string>& warnings() const { return warnings_; }

  private:
    std::function<const char*(const char*)> getenv_;
    bool simulate_ = false;
    std::optional<std::filesystem::path> stateFile_;
    device::EngineTiming timing_;
    std::unique_ptr<device::HidService> injected_;
    device::sim::SimulatedKeyboard* simulator_ = nullptr;
    std::unique_ptr<KeyboardConnection> connection_;
    std::unique_ptr<model::ProfileContext> profiles_;
    std::vector<std::string> warnings_;
};

}  // namespace q804
