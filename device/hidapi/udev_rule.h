#pragma once

// The udev rule that lets the user at the local seat open the keyboard's hidraw nodes, and
// the message that tells a user without access how to install it.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q804::device::hidapi {

inline constexpr std::string_view kUdevRuleFileName = "70-veltrano-q804.rules";

// The folders udev reads its rules from.
std::vector<std::filesystem::path> UdevRuleDirectories();

struct UdevRuleLocation {
    std::filesystem::path file;
    bool active = false;  // in one of the folders udev reads
};

// Where the rule is: first in udev's own folders (then it is installed and only needs to be
// applied), else in the program's "udev" folder (build tree) or ../lib/udev/rules.d beside
// the program (installed under a prefix udev does not read).
std::optional<UdevRuleLocation> LocateUdevRule(const std::filesystem::path& programDir,
                                               std::span<const std::filesystem::path> ruleDirs);

// The text shown when opening a keyboard node was refused: it names the node and the rule
// file and gives the commands that install and apply it.
std::string PermissionDeniedMessage(std::string_view devicePath,
                                    const std::optional<UdevRuleLocation>& rule);

}  // namespace q804::device::hidapi
