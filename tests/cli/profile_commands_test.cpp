// The q804ctl commands that change or read the keyboard's configuration, run in-process on a
// simulated keyboard whose state file lies in a temporary folder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/q804ctl.h"
#include "common/byte_io.h"
#include "device/sim/keyboard_memory.h"
#include "device/sim/simulated_keyboard.h"
#include "model/key_table_codec.h"
#include "model/profile_file.h"
#include "tests/support/temp_dir.h"

namespace q804::cli {
namespace {

namespace fs = std::filesystem;
using q804::testing::ReadText;
using q804::testing::TempDir;

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

class ProfileCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Run({"sim", "new", state.string()}).code, kExitOk); }

    RunResult Run(std::vector<std::string> args,
                  const std::function<void(CliContext&)>& prepare = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunQ804ctl(
            args, out, err, fs::path(Q804_RUNTIME_DIR) / "q804ctl",
            [this](const char* name) -> const char* {
                auto it = env.find(name);
                return it == env.end() ? nullptr : it->second.c_str();
            },
            prepare);
        return {code, out.str(), err.str()};
    }
    RunResult Sim(std::vector<std::string> args) {
        args.insert(args.begin(), "--simulate=" + state.string());
        return Run(args);
    }

    device::sim::KeyboardMemory Memory() const {
        auto memory = device::sim::LoadStateFile(state);
        EXPECT_TRUE(memory) << memory.error().message;
        return memory.value();
    }
    // The record at a key's position in a profile's key table.
    model::DeviceKeyRecord Record(const device::sim::KeyboardMemory& memory, int profile,
                                  model::KeyCode key) {
        model::KeyTable factory{};
        std::copy(memory.factoryKeyTable.begin(), memory.factoryKeyTable.end(), factory.begin());
        for (int k = 0; k < model::kMatrixPositions; ++k) {
            if (model::PositionKey(factory, k) == key) {
                return model::ReadDeviceKeyRecord(memory.KeyTable(profile),
                                                  static_cast<std::size_t>(k) * 3);
            }
        }
        ADD_FAILURE() << "no position for " << key;
        return {};
    }

    TempDir home;
    fs::path state = home / "keyboard.state";
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_DATA_HOME", (home / "data").string()},
                                           {"XDG_CONFIG_HOME", (home / "config").string()},
                                           {"LANG", "en_US.UTF-8"}};
};

TEST_F(ProfileCommands, AssignReachesTheKeyboardAndTheWorkingFile) {
    EXPECT_EQ(Sim({"assign", "caps lock", "key:Right Win"}).code, kExitOk);
    EXPECT_EQ(Sim({"assign", "G3", "media:Play/Pause"}).code, kExitOk);
    EXPECT_EQ(Sim({"assign", "F1", "mouse:left"}).code, kExitOk);
    EXPECT_EQ(Sim({"assign", "--profile", "2", "A", "function:3"}).code, kExitOk);
    const auto memory = Memory();
    EXPECT_EQ(Record(memory, 0, 0x03A), (model::DeviceKeyRecord{0x02, 0x01, 0x80}));
    EXPECT_EQ(Record(memory, 0, 0x03B), (model::DeviceKeyRecord{0x01, 0x01, 0x01}));
    EXPECT_EQ(Record(memory, 0, 0x202), (model::DeviceKeyRecord{0x03, 0xCD, 0x00}));
    EXPECT_EQ(Record(memory, 1, 0x01E), (model::DeviceKeyRecord{0x05, 0x05, 0x03}));

    const fs::path working = home / "data" / "Veltrano Q804 RGB" / "$Profile0";
    const RunResult shown = Run({"show", "--json", working.string()});
    ASSERT_EQ(shown.code, kExitOk) << shown.err;
    EXPECT_NE(
        shown.out.find(
            R"({"slot": 58, "key": "Caps Lock", "type": 2, "type_name": "Key", "extra": 0, "value": 348, "target": "key:Right Win", "text": null})"),
        std::string::npos)
        << shown.out;
    EXPECT_NE(
        shown.out.find(
            R"("slot": 258, "key": "G3", "type": 7, "type_name": "Media", "extra": 771, "value": 1)"),
        std::string::npos);

    // Back to its own function: stored as the default, and the keyboard has the factory record.
    EXPECT_EQ(Sim({"assign", "Caps Lock", "key:Caps Lock"}).code, kExitOk);
    EXPECT_EQ(Record(Memory(), 0, 0x03A), (model::DeviceKeyRecord{0x02, 0x02, 0x39}));
    EXPECT_EQ(Run({"show", "--json", working.string()}).out.find("\"slot\": 58,"),
              std::string::npos);
}

TEST_F(ProfileCommands, BadArgumentsAreUsageErrorsAndChangeNothing) {
    const std::string before = ReadText(state);
    const std::vector<std::vector<std::string>> cases = {
        {"assign", "NoSuchKey", "disabled"},
        {"assign", "A", "key:NoSuchKey"},
        {"assign", "A", "mouse:side"},
        {"assign", "A", "media:18"},
        {"assign", "A", "function:11"},
        {"assign", "A", "macro:0"},
        {"assign", "A", "macro:1:256"},
        {"assign", "A", "macro:7"},  // no macro 7 in the working configuration
        {"assign", "A", "launch"},
        {"assign", "--profile", "4", "A", "disabled"},
        {"assign", "A"},
        {"profile", "0"},
        {"profile", "1", "2"},
        {"apply", "extra"},
        {"restore"},
        {"backup"},
        {"show"},
    };
    for (const auto& args : cases) {
        const RunResult result = Sim(args);
        EXPECT_EQ(result.code, kExitUsage) << args[0] << " " << (args.size() > 1 ? args[1] : "")
                                           << " " << (args.size() > 2 ? args[2] : "") << "\n"
                                           << result.err;
    }
    EXPECT_EQ(ReadText(state), before);
}

TEST_F(ProfileCommands, BackupAndRestoreRoundTrip) {
    ASSERT_EQ(Sim({"assign", "Esc", "disabled"}).code, kExitOk);
    ASSERT_EQ(Sim({"assign", "--profile", "3", "Z", "stop-macro"}).code, kExitOk);
    const fs::path backup = home / "backup.fwc";
    ASSERT_EQ(Sim({"backup", backup.string()}).code, kExitOk);
    ASSERT_EQ(model::ValidateProfileFile(backup), model::kProfileValid);

    ASSERT_EQ(Sim({"assign", "Esc", "default"}).code, kExitOk);
    ASSERT_EQ(Record(Memory(), 0, 0x001), (model::DeviceKeyRecord{0x02, 0x02, 0x29}));
    const RunResult restored = Sim({"restore", backup.string()});
    ASSERT_EQ(restored.code, kExitOk) << restored.err;
    EXPECT_EQ(Record(Memory(), 0, 0x001), (model::DeviceKeyRecord{}));
    EXPECT_EQ(Record(Memory(), 2, 0x02C), (model::DeviceKeyRecord{0x05, 0x02, 0x00}));
}

TEST_F(ProfileCommands, ADamagedFileIsRefusedBeforeTheKeyboardIsTouched) {
    ASSERT_EQ(Sim({"assign", "Esc", "disabled"}).code, kExitOk);
    const std::string stateBefore = ReadText(state);
    const fs::path working = home / "data" / "Veltrano Q804 RGB" / "$Profile0";
    const std::string workingBefore = ReadText(working);

    std::string bytes = ReadText(working);
    bytes[31] = static_cast<char>(bytes[31] + 1);  // checksum
    const fs::path bad = home.Write("bad.fwc", bytes);
    const fs::path tooShort = home.Write("short.fwc", bytes.substr(0, 100));
    ASSERT_EQ(::mkfifo((home / "fifo.fwc").c_str(), 0600), 0);
    std::filesystem::create_directory(home / "folder.fwc");

    const RunResult badHeader = Sim({"restore", bad.string()});
    EXPECT_EQ(badHeader.code, kExitKeyboardError);
    EXPECT_NE(badHeader.err.find(bad.string()), std::string::npos)
        << badHeader.err;  // the format message
    for (const fs::path& path :
         {tooShort, home / "fifo.fwc", home / "folder.fwc", home / "missing.fwc"}) {
        EXPECT_EQ(Sim({"restore", path.string()}).code, kExitKeyboardError) << path;
        EXPECT_EQ(Run({"show", path.string()}).code, kExitKeyboardError) << path;
    }
    EXPECT_EQ(ReadText(state), stateBefore);
    EXPECT_EQ(ReadText(working), workingBefore);
}

TEST_F(ProfileCommands, ProfileIsPrintedAndSet) {
    EXPECT_EQ(Sim({"profile"}).out, "1\n");
    EXPECT_EQ(Sim({"profile", "3"}).out, "3\n");
    EXPECT_EQ(Memory().CurrentProfile(), 2);
    // Apply now writes the third profile.
    ASSERT_EQ(Sim({"assign", "B", "disabled"}).code, kExitOk);
    EXPECT_EQ(Record(Memory(), 2, 0x030), (model::DeviceKeyRecord{}));
    EXPECT_EQ(Record(Memory(), 0, 0x030), (model::DeviceKeyRecord{0x02, 0x02, 0x05}));
}

TEST_F(ProfileCommands, NoKeyboardExitsWithThree) {
    auto unplugged = [](CliContext& context) {
        auto keyboard = device::sim::SimulatedKeyboard::Create().value();
        keyboard->Unplug();
        context.UseService(std::move(keyboard));
    };
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"profile"},
                                               {"apply"},
                                               {"assign", "A", "disabled"},
                                               {"backup", (home / "x.fwc").string()}}) {
        EXPECT_EQ(Run(args, unplugged).code, kExitNoKeyboard) << args[0];
    }
}

TEST_F(ProfileCommands, KeyboardLeavingDuringARestoreIsAnError) {
    const fs::path backup = home / "backup.fwc";
    ASSERT_EQ(Sim({"backup", backup.string()}).code, kExitOk);
    const RunResult result = Run({"restore", backup.string()}, [](CliContext& context) {
        auto keyboard = device::sim::SimulatedKeyboard::Create().value();
        keyboard->UnplugAfter(40);  // the arrival reads and part of the upload
        context.UseService(std::move(keyboard));
        context.UseTiming({.replyTimeout = std::chrono::milliseconds(50),
                           .retryPause = std::chrono::milliseconds(1),
                           .endAccessPause = std::chrono::milliseconds(0),
                           .takeOverPause = std::chrono::milliseconds(5)});
    });
    EXPECT_NE(result.code, kExitOk);
    EXPECT_NE(result.err.find("failed"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace q804::cli
