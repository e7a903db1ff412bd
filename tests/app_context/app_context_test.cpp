#include "app/context/app_context.h"

#include <gtest/gtest.h>

#include <map>

#include "app/context/keyboard_connection.h"
#include "common/file_io.h"
#include "device/sim/keyboard_memory.h"
#include "device/sim/simulated_keyboard.h"
#include "tests/support/keyboard_rig.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

// An environment whose every folder lies in a temporary folder.
class FakeEnvironment {
  public:
    explicit FakeEnvironment(const std::filesystem::path& root) {
        values_["HOME"] = (root / "home").string();
        values_["XDG_DATA_HOME"] = (root / "data").string();
        values_["XDG_CONFIG_HOME"] = (root / "config").string();
        values_["LANG"] = "en_US.UTF-8";
    }
    void Set(const std::string& name, const std::string& value) { values_[name] = value; }
    std::function<const char*(const char*)> Getenv() {
        return [this](const char* name) -> const char* {
            auto it = values_.find(name);
            return it == values_.end() ? nullptr : it->second.c_str();
        };
    }

  private:
    std::map<std::string, std::string> values_;
};

// A factory-fresh keyboard's state file.
std::filesystem::path NewStateFile(const std::filesystem::path& path) {
    auto memory = device::sim::MakeFactoryMemory({});
    EXPECT_TRUE(memory && device::sim::SaveStateFile(path, memory.value()));
    return path;
}

ContextOptions SimulatedOptions(FakeEnvironment& env, const std::filesystem::path& state) {
    ContextOptions options;
    options.executable = std::filesystem::path(Q804_RUNTIME_DIR) / "q804-config";
    options.simulate = true;
    options.stateFile = state;
    options.getenv = env.Getenv();
    options.timing = testing::FastTiming();
    return options;
}

TEST(KeyboardConnection, DefaultStateFileIsMadeOnceInThePerUserFolder) {
    testing::TempDir dir;
    const PerUserPaths paths = ResolvePerUserPaths({dir / "data", dir / "config"});
    auto keyboard = OpenSimulatedKeyboard(std::nullopt, paths, dir / "no-template");
    ASSERT_TRUE(keyboard) << keyboard.error().message;
    ASSERT_TRUE(std::filesystem::is_regular_file(DefaultStateFile(paths)));
    EXPECT_TRUE(std::filesystem::exists(paths.UserModeFile(0)));  // seeded on the way
    // A second opening finds what the first one left.
    keyboard.value()->ModifyMemory([](device::sim::KeyboardMemory& m) { m.keyTables[0] = 0x42; });
    ASSERT_TRUE(keyboard.value()->Save());
    auto again = OpenSimulatedKeyboard(std::nullopt, paths, dir / "no-template");
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value()->Memory().keyTables[0], 0x42);
}

TEST(KeyboardConnection, DamagedStateFileIsRefusedAndKept) {
    testing::TempDir dir;
    const PerUserPaths paths = ResolvePerUserPaths({dir / "data", dir / "config"});
    const auto state = dir.Write("broken.state", "not a keyboard");
    auto keyboard = OpenSimulatedKeyboard(state, paths, {});
    EXPECT_FALSE(keyboard);
    EXPECT_EQ(testing::ReadText(state), "not a keyboard");
}

TEST(ApplicationContext, OpensTheSimulatedKeyboardWithTheModelOnIt) {
    testing::TempDir dir;
    FakeEnvironment env(dir.path());
    ApplicationContext context(SimulatedOptions(env, NewStateFile(dir / "kb.state")));
    EXPECT_TRUE(context.warnings().empty());
    EXPECT_TRUE(std::filesystem::is_directory(context.perUser.folder));
    ASSERT_TRUE(context.OpenKeyboard());
    ASSERT_NE(context.simulator(), nullptr);
    context.link().RegisterDeviceReads();
    EXPECT_EQ(context.engine().GetDeviceCount(), 1);
    // The profile operations work on the context's own store, engine and folders.
    EXPECT_EQ(&context.profiles().store, &context.store);
    EXPECT_EQ(context.profiles().paths.folder, context.perUser.folder);
    EXPECT_TRUE(model::ReloadFromKeyboard(context.profiles()));
    EXPECT_TRUE(std::filesystem::is_regular_file(model::ProfileFilePath(context.perUser, 0)));
    EXPECT_EQ(context.Text("MAIN_CAPTION"), "Veltrano Q804 RGB");
}

TEST(ApplicationContext, UnusableFoldersAreWarningsNotFailures) {
    testing::TempDir dir;
    FakeEnvironment env(dir.path());
    // Files where the data and settings folders should be.
    env.Set("XDG_DATA_HOME", dir.Write("data-file", "x").string());
    env.Set("XDG_CONFIG_HOME", dir.Write("config-file", "x").string());
    ApplicationContext context(SimulatedOptions(env, NewStateFile(dir / "kb.state")));
    EXPECT_EQ(context.warnings().size(), 2u);
    ASSERT_TRUE(context.OpenKeyboard());
    context.link().RegisterDeviceReads();
    // Nothing can be kept on disk, but the keyboard still answers and nothing crashes.
    EXPECT_FALSE(model::ReloadFromKeyboard(context.profiles()));
    EXPECT_TRUE(context.store.working.hasImage());
    EXPECT_EQ(testing::ReadText(dir / "data-file"), "x");
}

TEST(ApplicationContext, DamagedStateFileStopsTheKeyboardFromOpening) {
    testing::TempDir dir;
    FakeEnvironment env(dir.path());
    ApplicationContext context(SimulatedOptions(env, dir.Write("kb.state", "garbage")));
    EXPECT_FALSE(context.OpenKeyboard());
    EXPECT_FALSE(context.keyboardOpen());
    EXPECT_EQ(context.simulator(), nullptr);
}

}  // namespace
}  // namespace q804
