#include "app/context/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q804 {
namespace {

struct CommandLineCase {
    std::vector<std::string> arguments;
    bool kill;
    bool start;
    bool simulate;
    std::string stateFile;  // empty: none named
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, Parses) {
    const CommandLineCase& c = GetParam();
    const StartOptions options = ParseCommandLine(c.arguments);
    EXPECT_EQ(options.kill, c.kill);
    EXPECT_EQ(options.start, c.start);
    EXPECT_EQ(options.simulate, c.simulate);
    EXPECT_EQ(options.stateFile.value_or("").string(), c.stateFile);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(CommandLineCase{{}, false, false, false, ""},
                      CommandLineCase{{"/kill"}, true, false, false, ""},
                      CommandLineCase{{"/KILL"}, true, false, false, ""},
                      CommandLineCase{{"--Kill"}, true, false, false, ""},
                      CommandLineCase{{"/sTaRt"}, false, true, false, ""},
                      CommandLineCase{{"--start"}, false, true, false, ""},
                      CommandLineCase{{"/Start", "/Kill"}, true, true, false, ""},
                      CommandLineCase{{"--simulate"}, false, false, true, ""},
                      CommandLineCase{
                          {"--simulate=/tmp/k.state", "/start"}, false, true, true, "/tmp/k.state"},
                      // Near misses are other arguments, and those are ignored.
                      CommandLineCase{{"/Killer", "Start", "-start", "--simulate=", "--simulated"},
                                      false,
                                      false,
                                      false,
                                      ""}));

}  // namespace
}  // namespace q804
