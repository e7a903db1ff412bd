#pragma once

// The commands of q804ctl. Each gets the arguments after its name and returns the exit code.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_context.h"

namespace q804::cli {

struct CommandSpec {
    std::string_view name;
    std::string_view summary;
    int (*run)(CliContext& context, std::span<const std::string> args);
};

int RunInfo(CliContext& context, std::span<const std::string> args);
int RunSim(CliContext& context, std::span<const std::string> args);
int RunKeys(CliContext& context, std::span<const std::string> args);
int RunBackup(CliContext& context, std::span<const std::string> args);
int RunRestore(CliContext& context, std::span<const std::string> args);
int RunShow(CliContext& context, std::span<const std::string> args);
int RunProfile(CliContext& context, std::span<const std::string> args);
int RunAssign(CliContext& context, std::span<const std::string> args);
int RunApply(CliContext& context, std::span<const std::string> args);

// Prints "q804ctl <command>: <message>" and the hint to --help; returns the usage exit code.
int UsageError(CliContext& context, std::string_view command, std::string_view message);

// Bytes as hex: upper case separated by blanks for people, lower case packed for scripts.
std::string HexBytes(std::span<const std::uint8_t> bytes);
std::string PackedHex(std::span<const std::uint8_t> bytes);

}  // namespace q804::cli
