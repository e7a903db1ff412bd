#include "cli/q804ctl.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "cli/commands.h"

namespace q804::cli {

namespace {

// Later commands join this table; each lives in a file of its own.
constexpr std::array<CommandSpec, 9> kCommands = {{
    {"info", "show the keyboards present and the keyboard's settings", RunInfo},
    {"keys", "list every key with its code, slot, button, usage and names", RunKeys},
    {"show", "show what a profile file (*.fwc) holds", RunShow},
    {"backup", "save the keyboard's profiles and macros to a profile file", RunBackup},
    {"restore", "write a profile file's profiles and macros to the keyboard", RunRestore},
    {"profile", "print or set the keyboard's current profile", RunProfile},
    {"assign", "give a key a new meaning and write it to the keyboard", RunAssign},
    {"apply", "write the working configuration to the keyboard", RunApply},
    {"sim", "create or inspect a simulated keyboard's state file", RunSim},
}};

constexpr std::string_view kUsage =
    "Usage: q804ctl [--simulate[=STATE_FILE]] [--trace] COMMAND [ARGUMENTS]\n"
    "\n"
    "Configures the Veltrano Q804 RGB keyboard (USB 0C45:5004).\n"
    "\n"
    "Global options:\n"
    "  --simulate[=STATE_FILE]  use a simulated keyboard whose memory lives in STATE_FILE;\n"
    "                           without a file, \"simulated-keyboard.state\" in the per-user\n"
    "                           folder (created on first use)\n"
    "  --trace                  write every report sent (\"> \") and received (\"< \") to\n"
    "                           standard error\n"
    "  --help                   show this help\n"
    "\n"
    "Exit codes: 0 success, 1 keyboard error, 2 usage error, 3 no keyboard.\n"
    "\n"
    "Commands:\n";

void PrintUsage(std::ostream& out) {
    out << kUsage;
    for (const CommandSpec& command : kCommands) {
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
            << '\n';
    }
    out << "\nRun 'q804ctl COMMAND --help' for a command's arguments.\n";
}

const CommandSpec* FindCommand(std::string_view name) {
    auto it = std::find_if(kCommands.begin(), kCommands.end(),
                           [&](const CommandSpec& command) { return command.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

int GlobalUsageError(std::ostream& err, std::string_view message) {
    err << "q804ctl: " << message << "\nRun 'q804ctl --help' for usage.\n";
    return kExitUsage;
}

}  // namespace

int RunQ804ctl(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               const std::filesystem::path& executable, CliContext::Getenv getenv_,
               const std::function<void(CliContext&)>& prepare) {
    GlobalOptions options;
    std::size_t next = 0;
    for (; next < args.size(); ++next) {
        const std::string& arg = args[next];
        if (arg == "--help" || arg == "-h") {
            PrintUsage(out);
            return kExitOk;
        }
        if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.starts_with("--simulate=")) {
            const std::string file = arg.substr(std::string_view("--simulate=").size());
            if (file.empty()) {
                return GlobalUsageError(err, "--simulate= needs a state file");
            }
            options.simulate = true;
            options.stateFile = file;
        } else if (arg.starts_with("-")) {
            return GlobalUsageError(err, "unknown option '" + arg + "'");
        } else {
            break;
        }
    }
    if (next == args.size()) {
        PrintUsage(err);
        return kExitUsage;
    }

    std::string_view name = args[next];
    std::span<const std::string> rest = args.subspan(next + 1);
    std::vector<std::string> helpArgs;
    if (name == "help") {
        if (rest.empty()) {
            PrintUsage(out);
            return kExitOk;
        }
        // "help COMMAND [SUBCOMMAND]" is "COMMAND [SUBCOMMAND] --help".
        name = rest.front();
        helpArgs.assign(rest.begin() + 1, rest.end());
        helpArgs.push_back("--help");
        rest = helpArgs;
    }
    const CommandSpec* command = FindCommand(name);
    if (command == nullptr) {
        return GlobalUsageError(err, "unknown command '" + std::string(name) + "'");
    }
    CliContext context(options, out, err, executable, std::move(getenv_));
    if (prepare) {
        prepare(context);
    }
    return command->run(context, rest);
}

}  // namespace q804::cli
