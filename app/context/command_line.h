#pragma once

// The configurator's command line. "/Kill" and "/Start" are compared without regard to
// case, and so are their Linux spellings "--kill" and "--start"; "--simulate" and
// "--simulate=STATE_FILE" run on the simulated keyboard. Anything else is ignored.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace q804 {

struct StartOptions {
    bool kill = false;   // ask the running instance to quit, then end
    bool start = false;  // stay hidden in the notification area until opened
    bool simulate = false;
    std::optional<std::filesystem::path> stateFile;
};

// The arguments after the program name.
StartOptions ParseCommandLine(std::span<const std::string> arguments);

}  // namespace q804
