#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>

#include "cli/cli_context.h"

namespace q804::cli {

// Runs q804ctl with the arguments after the program name and returns the exit code.
// prepare, when given, sees the context before the command runs (tests inject a keyboard).
int RunQ804ctl(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               const std::filesystem::path& executable, CliContext::Getenv getenv_ = nullptr,
               const std::function<void(CliContext&)>& prepare = nullptr);

}  // namespace q804::cli
