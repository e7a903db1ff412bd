#pragma once

// What every q804ctl command may need: its output streams, the program's and the user's
// folders, the language texts, and the keyboard, opened on first use: the simulated keyboard
// with --simulate, otherwise the service for real keyboards.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "app/context/keyboard_connection.h"
#include "app/paths.h"
#include "app/per_user.h"
#include "app/settings.h"
#include "common/result.h"
#include "device/device_link.h"
#include "device/hid_service.h"
#include "device/transfer_engine.h"
#include "lang/language.h"

namespace q804::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitKeyboardError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoKeyboard = 3;

inline constexpr const char* kDefaultStateFileName = q804::kDefaultStateFileName;

struct GlobalOptions {
    bool simulate = false;
    std::optional<std::filesystem::path> stateFile;  // --simulate=FILE
    bool trace = false;
};

// The opened keyboard: the service, the engine on it, and the link feeding it.
struct Keyboard {
    device::HidService& service;
    device::TransferEngine& engine;
    device::DeviceLink& link;
};

class CliContext {
  public:
    using Getenv = std::function<const char*(const char*)>;

    CliContext(GlobalOptions options, std::ostream& out, std::ostream& err,
               std::filesystem::path executable, Getenv getenv = nullptr);
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    const GlobalOptions& options() const { return options_; }
    const ProgramPaths& programPaths() const { return programPaths_; }
    const PerUserPaths& perUserPaths() const { return perUserPaths_; }

    LanguageTables& Language();

    // The keyboard, opened on first use; an error tells why it could not be opened (a
    // backend that cannot start, a damaged state file).
    Result<Keyboard> OpenKeyboard();
    // What keeps a real keyboard out of reach, or an empty text.
    std::string KeyboardProblem() const;

    // For tests: serve the keyboard through this service (started by OpenKeyboard), with
    // this timing.
    void UseService(std::unique_ptr<device::HidService> service);
    void UseTiming(device::EngineTiming timing) { timing_ = timing; }

  private:
    GlobalOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    Getenv getenv_;
    ProgramPaths programPaths_;
    UserDirs userDirs_;
    PerUserPaths perUserPaths_;
    device::EngineTiming timing_;

    std::unique_ptr<SettingsKey> settingsKey_;
    std::unique_ptr<LanguageTables> language_;

    bool hardware_ = false;
    // A service given by a test, used when the keyboard is first opened.
    std::unique_ptr<device::HidService> service_;
    std::unique_ptr<KeyboardConnection> connection_;
};

}  // namespace q804::cli
