#include "device/hidapi/udev_rule.h"

#include <system_error>

namespace q804::device::hidapi {
namespace {

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// A path pasted into a shell command line: quoted when it holds anything a shell would
// treat specially.
std::string ShellQuoted(const std::string& text) {
    const bool plain = !text.empty() && text.find_first_not_of(
                                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                            "0123456789/._-+=:,@") == std::string::npos;
    if (plain) {
        return text;
    }
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += "'";
    return quoted;
}

constexpr std::string_view kApplyCommands =
    "sudo udevadm control --reload-rules && sudo udevadm trigger";

}  // namespace

std::vector<std::filesystem::path> UdevRuleDirectories() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::optional<UdevRuleLocation> LocateUdevRule(const std::filesystem::path& programDir,
                                               std::span<const std::filesystem::path> ruleDirs) {
    for (const std::filesystem::path& dir : ruleDirs) {
        if (IsRegularFile(dir / kUdevRuleFileName)) {
            return UdevRuleLocation{dir / kUdevRuleFileName, true};
        }
    }
    if (programDir.empty()) {
        return std::nullopt;
    }
    for (const std::filesystem::path& candidate :
         {programDir / "udev" / kUdevRuleFileName,
          programDir.parent_path() / "lib" / "udev" / "rules.d" / kUdevRuleFileName}) {
        if (IsRegularFile(candidate)) {
            return UdevRuleLocation{candidate, false};
        }
    }
    return std::nullopt;
}

std::string PermissionDeniedMessage(std::string_view devicePath,
                                    const std::optional<UdevRuleLocation>& rule) {
    std::string message = "Permission denied on " + std::string(devicePath) + ". ";
    if (rule && rule->active) {
        message +=
            "The udev rule " + rule->file.string() +
            " is installed but not applied to the keyboard yet: " + std::string(kApplyCommands) +
            ", then replug the keyboard.";
    } else {
        const std::string source =
            rule ? ShellQuoted(rule->file.string()) : std::string(kUdevRuleFileName);
        message += "Install the udev rule: sudo cp " + source + " /etc/udev/rules.d/ && " +
                   std::string(kApplyCommands) + ", then replug the keyboard.";
        if (!rule) {
            message +=
                " The rule file " + std::string(kUdevRuleFileName) + " comes with the program.";
        }
    }
    message += " The rule gives access to the user logged in at the computer's own seat.";
    return message;
}

}  // namespace q804::device::hidapi
