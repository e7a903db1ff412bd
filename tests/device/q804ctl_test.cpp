// q804ctl, run in-process with the user's folders in a temporary folder, and once as the
// real program.

#include "cli/q804ctl.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "device/sim/keyboard_memory.h"
#include "device/sim/simulated_keyboard.h"
#include "device/wire_trace.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace q804::cli {
namespace {

namespace fs = std::filesystem;
using q804::testing::ReadText;
using q804::testing::TempDir;

const fs::path kProgram = fs::path(Q804_RUNTIME_DIR) / "q804ctl";

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

class Q804ctl : public ::testing::Test {
  protected:
    Q804ctl()
        : env{{"HOME", home.path().string()},
              {"XDG_DATA_HOME", (home / "data").string()},
              {"XDG_CONFIG_HOME", (home / "config").string()},
              {"LANG", "en_US.UTF-8"}} {}

    RunResult Run(const std::vector<std::string>& args,
                  const std::function<void(CliContext&)>& prepare = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunQ804ctl(
            args, out, err, kProgram,
            [this](const char* name) -> const char* {
                auto it = env.find(name);
                return it == env.end() ? nullptr : it->second.c_str();
            },
            prepare);
        return {code, out.str(), err.str()};
    }

    // The real program, with only this test's environment.
    RunResult RunProgram(const std::vector<std::string>& args) {
        std::vector<std::string> envText;
        for (const auto& [name, value] : env) {
            envText.push_back(name + "=" + value);
        }
        std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : envText) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);

        const fs::path outFile = home / "stdout.txt";
        const fs::path errFile = home / "stderr.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid = 0;
        RunResult result;
        if (posix_spawn(&pid, kProgram.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = ReadText(outFile);
        result.err = ReadText(errFile);
        return result;
    }

    fs::path PerUserFolder() const { return home / "data" / "Veltrano Q804 RGB"; }

    // A keyboard served to the command instead of the one its options name.
    static std::function<void(CliContext&)> Serve(
        const std::function<void(device::sim::SimulatedKeyboard&)>& setUp) {
        return [setUp](CliContext& context) {
            auto keyboard = device::sim::SimulatedKeyboard::Create().value();
            setUp(*keyboard);
            context.UseService(std::move(keyboard));
            context.UseTiming({.replyTimeout = std::chrono::milliseconds(100),
                               .retryPause = std::chrono::milliseconds(1),
                               .endAccessPause = std::chrono::milliseconds(1),
                               .takeOverPause = std::chrono::milliseconds(5)});
        };
    }

    TempDir home;
    std::map<std::string, std::string> env;
};

TEST_F(Q804ctl, InfoOnTheDefaultSimulatedKeyboardSeedsThePerUserFolderFirst) {
    const RunResult result = Run({"--simulate", "info"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_NE(result.out.find("Keyboards present: 1\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Firmware version:  0x0109\n"), std::string::npos);
    EXPECT_NE(result.out.find("Current profile:   1\n"), std::string::npos);
    EXPECT_NE(result.out.find("Macro capacity:    16384 bytes\n"), std::string::npos);
    EXPECT_NE(result.out.find("   20  Custom (Per-Key)\n"), std::string::npos);

    EXPECT_TRUE(fs::is_regular_file(PerUserFolder() / "simulated-keyboard.state"));
    // The configurator seeds its user-mode files only into a folder it creates; the tool must
    // not create the folder without them.
    const std::string userModeTemplate =
        ReadText(fs::path(Q804_RUNTIME_DIR) / "Skins" / "UserDengColor_3.userd");
    ASSERT_FALSE(userModeTemplate.empty());
    for (int profile = 0; profile < 3; ++profile) {
        EXPECT_EQ(
            ReadText(PerUserFolder() / ("UserDengColor_" + std::to_string(profile) + ".userd")),
            userModeTemplate);
    }
}

TEST_F(Q804ctl, InfoJsonFollowsTheScriptContract) {
    const std::string state = (home / "kb.state").string();
    ASSERT_EQ(Run({"sim", "new", state, "--firmware", "0x0108", "--macro-units", "3", "--effects",
                   "1,2,20"})
                  .code,
              kExitOk);
    const RunResult result = Run({"--simulate=" + state, "info", "--json"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "{\"keyboards\": 1, \"firmware_version\": 264, \"current_profile\": 1, "
              "\"macro_capacity\": 384, \"effects\": [{\"code\": 1, \"name\": \"Wave\"}, "
              "{\"code\": 2, \"name\": \"Flow\"}, {\"code\": 20, \"name\": \"Custom (Per-Key)\"}]}"
              "\n");
}

TEST_F(Q804ctl, ExitCodesTellUsageErrorsFromKeyboardProblems) {
    const std::string state = (home / "kb.state").string();
    TempDir other;
    const std::string damaged = other.Write("damaged.state", "Q804-SIM but not really").string();
    struct Case {
        std::vector<std::string> args;
        int expected;
    };
    const std::vector<Case> cases = {
        {{}, kExitUsage},
        {{"--help"}, kExitOk},
        {{"help", "sim", "new"}, kExitOk},
        {{"info", "--help"}, kExitOk},
        {{"sim", "--help"}, kExitOk},
        {{"sim", "dump", "--help"}, kExitOk},
        {{"bogus"}, kExitUsage},
        {{"--bogus", "info"}, kExitUsage},
        {{"--simulate=", "info"}, kExitUsage},
        {{"info", "extra"}, kExitUsage},
        {{"info", "--json=yes"}, kExitUsage},
        {{"sim"}, kExitUsage},
        {{"sim", "rename"}, kExitUsage},
        {{"sim", "new"}, kExitUsage},
        {{"sim", "new", state, state}, kExitUsage},
        {{"sim", "new", state, "--firmware", "xyz"}, kExitUsage},
        {{"sim", "new", state, "--firmware", "0x10000"}, kExitUsage},
        {{"sim", "new", state, "--firmware"}, kExitUsage},
        {{"sim", "new", state, "--macro-units", "256"}, kExitUsage},
        {{"sim", "new", state, "--macro-units", "-1"}, kExitUsage},
        {{"sim", "new", state, "--effects", "1,0"}, kExitUsage},
        {{"sim", "new", state, "--effects", "1,1"}, kExitUsage},
        {{"sim", "new", state, "--effects", "1,"}, kExitUsage},
        {{"sim", "new", state, "--effects", "1,,2"}, kExitUsage},
        {{"sim", "new", state, "--effects",
          "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,"
          "28,29,30,31,32,33"},
         kExitUsage},
        {{"sim", "dump"}, kExitUsage},
        {{"sim", "dump", (home / "missing.state").string()}, kExitKeyboardError},
        {{"sim", "dump", damaged}, kExitKeyboardError},
        {{"--simulate=" + (home / "missing.state").string(), "info"}, kExitNoKeyboard},
        {{"--simulate=" + damaged, "info"}, kExitNoKeyboard},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args) {
            joined += arg + ' ';
        }
        SCOPED_TRACE(joined);
        const RunResult result = Run(c.args);
        EXPECT_EQ(result.code, c.expected) << result.err;
        if (c.expected != kExitOk) {
            EXPECT_FALSE(result.err.empty());
        }
        EXPECT_FALSE(fs::exists(state)) << "a refused command created the state file";
    }
}

TEST_F(Q804ctl, KeyboardErrorsAndMissingKeyboardsHaveTheirOwnExitCodes) {
    RunResult refused =
        Run({"info"}, Serve([](auto& keyboard) { keyboard.AnswerStatus(0xFE, 3); }));
    EXPECT_EQ(refused.code, kExitKeyboardError);
    EXPECT_NE(refused.err.find("-103"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("0xFE"), std::string::npos) << refused.err;

    RunResult silent = Run({"info"}, Serve([](auto& keyboard) { keyboard.DropReplies(3); }));
    EXPECT_EQ(silent.code, kExitKeyboardError);
    EXPECT_NE(silent.err.find("-2 "), std::string::npos) << silent.err;

    RunResult absent = Run({"info", "--json"}, Serve([](auto& keyboard) { keyboard.Unplug(); }));
    EXPECT_EQ(absent.code, kExitNoKeyboard);
    EXPECT_EQ(absent.out,
              "{\"keyboards\": 0, \"firmware_version\": 0, \"current_profile\": null, "
              "\"macro_capacity\": 0, \"effects\": []}\n");
    EXPECT_NE(absent.err.find("no keyboard"), std::string::npos);
}

// The few characters of a JSON member's string value, or of the n-th string of an array.
std::string JsonString(const std::string& json, const std::string& key, int index = 0) {
    std::size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos) {
        return "<missing>";
    }
    at = json.find('"', at + key.size() + 3);
    for (int i = 0; i < index; ++i) {
        at = json.find('"', json.find('"', at + 1) + 1);
    }
    return json.substr(at + 1, json.find('"', at + 1) - at - 1);
}

TEST_F(Q804ctl, SimDumpJsonHoldsEveryRegion) {
    const fs::path state = home / "kb.state";
    auto memory = device::sim::MakeFactoryMemory({.macroUnits = 3}).value();
    memory.keyTables[378] = 0xAB;
    memory.colours[1024] = 0xCD;
    memory.gBankReport = std::array<std::uint8_t, 2>{0x05, 0x03};
    ASSERT_TRUE(device::sim::SaveStateFile(state, memory));

    const RunResult result = Run({"sim", "dump", state.string(), "--json"});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    const std::string& json = result.out;
    EXPECT_EQ(json.rfind("{\"settings\": \"", 0), 0u);
    EXPECT_EQ(JsonString(json, "settings").size(), 88u);
    EXPECT_EQ(JsonString(json, "factory_key_table").substr(0, 6), "06a201");
    EXPECT_EQ(JsonString(json, "factory_key_table").size(), 756u);
    EXPECT_EQ(JsonString(json, "key_tables", 0).size(), 756u);
    EXPECT_EQ(JsonString(json, "key_tables", 1).substr(0, 2), "ab");
    EXPECT_EQ(JsonString(json, "key_tables", 2).size(), 756u);
    EXPECT_EQ(JsonString(json, "macro_area").size(), 768u);
    EXPECT_EQ(JsonString(json, "lighting").size(), 512u);
    EXPECT_EQ(JsonString(json, "colours", 2).substr(0, 2), "cd");
    EXPECT_EQ(JsonString(json, "colours", 2).size(), 1024u);
    EXPECT_EQ(JsonString(json, "g_bank_report"), "0503");
    EXPECT_NE(json.find("\"current_profile\": 0, \"firmware_version\": 265, "
                        "\"macro_units\": 3}\n"),
              std::string::npos)
        << json;

    memory.gBankReport.reset();
    ASSERT_TRUE(device::sim::SaveStateFile(state, memory));
    EXPECT_NE(Run({"sim", "dump", state.string(), "--json"}).out.find("\"g_bank_report\": null"),
              std::string::npos);
}

TEST_F(Q804ctl, SimDumpTextShowsRegionsWithTheirAddresses) {
    const std::string state = (home / "kb.state").string();
    ASSERT_EQ(Run({"sim", "new", state, "--macro-units", "1"}).code, kExitOk);
    const RunResult result = Run({"sim", "dump", state});
    ASSERT_EQ(result.code, kExitOk) << result.err;
    const char* expected[] = {
        "settings (44 bytes)\n  0000  00 00 00 00 00 00 00 00 09 01 00 01 01 02 03 04\n",
        "factory key table (378 bytes)\n  0000  06 A2 01",
        "key table 1 (378 bytes)\n  017A  06 A2 01",
        "key table 2 (378 bytes)\n  02F4  ",
        "macro area (128 bytes)\n",
        "lighting memory (256 bytes)\n  0000  01 04 02 00 01 FF FF FF",
        "colour area 2 (512 bytes)\n  0400  FF FF",
        "G-bank report: none received\n",
    };
    for (const char* part : expected) {
        EXPECT_NE(result.out.find(part), std::string::npos) << part;
    }
}

TEST_F(Q804ctl, SimNewKeepsAnExistingFileUnlessForced) {
    const fs::path state = home / "kb.state";
    ASSERT_EQ(Run({"sim", "new", state.string(), "--macro-units", "1"}).code, kExitOk);
    const std::string before = ReadText(state);
    EXPECT_EQ(Run({"sim", "new", state.string(), "--macro-units", "2"}).code, kExitUsage);
    EXPECT_EQ(ReadText(state), before);
    EXPECT_EQ(Run({"sim", "new", state.string(), "--macro-units", "2", "--force"}).code, kExitOk);
    EXPECT_EQ(device::sim::LoadStateFile(state).value().MacroUnits(), 2);
}

TEST_F(Q804ctl, TraceWritesTheExchangesToStandardError) {
    const RunResult result = Run({"--simulate", "--trace", "info", "--json"});
    ASSERT_EQ(result.code, kExitOk);
    std::istringstream lines(result.err);
    std::string line;
    std::vector<device::TraceLine> trace;
    while (std::getline(lines, line)) {
        auto parsed = device::ParseTraceLine(line);
        ASSERT_TRUE(parsed) << line;
        trace.push_back(*parsed);
    }
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].direction, '>');
    EXPECT_EQ(std::vector<std::uint8_t>(trace[0].bytes.begin(), trace[0].bytes.begin() + 8),
              (std::vector<std::uint8_t>{0x04, 0x2F, 0x00, 0x03, 0x2C, 0x00, 0x00, 0x00}));
    EXPECT_EQ(trace[1].direction, '<');
    EXPECT_EQ(trace[1].bytes[3], 0x03);
    // The JSON on standard output is untouched by the trace.
    EXPECT_EQ(result.out.rfind("{\"keyboards\": 1", 0), 0u);
}

TEST_F(Q804ctl, TheProgramRunsWithTheSameExitCodes) {
    const RunResult info = RunProgram({"--simulate", "info"});
    EXPECT_EQ(info.code, kExitOk) << info.err;
    EXPECT_NE(info.out.find("Firmware version:  0x0109"), std::string::npos) << info.out;
    EXPECT_EQ(RunProgram({"bogus"}).code, kExitUsage);
}

}  // namespace
}  // namespace q804::cli
