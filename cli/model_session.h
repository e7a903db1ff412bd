#pragma once

// What the commands that work on profiles share: the keyboard opened and read as an arrival
// reads it (factory key table, macro capacity), the assignment store, and the profile
// operations wired to print their messages on standard error.

#include <memory>

#include "cli/cli_context.h"
#include "model/assignment_store.h"
#include "model/device_state.h"
#include "model/profiles.h"

namespace q804::cli {

class ModelSession {
  public:
    // Opens the keyboard. On failure the reason is printed and exitCode() says how to end.
    explicit ModelSession(CliContext& context);

    bool ok() const { return exitCode_ == kExitOk; }
    int exitCode() const { return exitCode_; }

    model::AssignmentStore& store() { return store_; }
    model::DeviceState& state() { return state_; }
    model::ProfileContext& profiles() { return *profiles_; }
    device::TransferEngine& engine() { return *engine_; }

    // Loads the profile working file into the store; when there is none yet (or it is
    // damaged) it is made from the keyboard first, as an arrival does.
    bool LoadWorkingFile();

    // Prints a device failure and returns the exit code for it.
    int DeviceFailure(std::string_view what, int result);

  private:
    CliContext& context_;
    int exitCode_ = kExitOk;
    device::TransferEngine* engine_ = nullptr;
    model::AssignmentStore store_;
    model::DeviceState state_;
    std::unique_ptr<model::ProfileContext> profiles_;
};

// Prints a language text (filled with the argument when it is a format) as
// "q804ctl: <text>" on standard error.
void PrintMessage(CliContext& context, std::string_view languageKey, std::string_view argument);

// The name the macros read from the keyboard without one get, in the current language.
std::u16string UnnamedMacroPrefix(CliContext& context);

}  // namespace q804::cli
