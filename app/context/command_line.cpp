#include "app/context/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace q804 {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::string_view kSimulate = "--simulate";

}  // namespace

StartOptions ParseCommandLine(std::span<const std::string> arguments) {
    StartOptions options;
    for (const std::string& argument : arguments) {
        if (SameIgnoringCase(argument, "/Kill") || SameIgnoringCase(argument, "--kill")) {
            options.kill = true;
        } else if (SameIgnoringCase(argument, "/Start") || SameIgnoringCase(argument, "--start")) {
            options.start = true;
        } else if (argument == kSimulate) {
            options.simulate = true;
        } else if (argument.size() > kSimulate.size() + 1 && argument.starts_with(kSimulate) &&
                   argument[kSimulate.size()] == '=') {
            options.simulate = true;
            options.stateFile = argument.substr(kSimulate.size() + 1);
        }
    }
    return options;
}

}  // namespace q804
