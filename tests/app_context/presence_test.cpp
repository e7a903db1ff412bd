#include "app/context/presence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/keyboard_rig.h"

namespace q804 {
namespace {

using namespace std::chrono_literals;

// What the presence handler asked of the window, in order; safe from the handler's threads.
class WindowRecorder {
  public:
    PresenceCallbacks Callbacks() {
        PresenceCallbacks callbacks;
        callbacks.send = [this](std::uint32_t message, std::uint32_t code) {
            Enter();
            Add("send " + Hex(message) + " " + Hex(code));
            std::this_thread::sleep_for(2ms);  // long enough for an overlap to show
            Leave();
        };
        callbacks.post = [this](std::uint32_t message, std::uint32_t code) {
            Add("post " + Hex(message) + " " + Hex(code));
        };
        callbacks.hideWindow = [this] { Add("hide"); };
        callbacks.setTrayIcon = [this](int icon) { Add("tray " + std::to_string(icon)); };
        callbacks.showMessage = [this](std::string_view key) {
            Add("message " + std::string(key));
        };
        callbacks.reloadFromKeyboard = [this] { Add("reload"); };
        return callbacks;
    }

    std::vector<std::string> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int MaxConcurrentRuns() {
        std::lock_guard lock(mutex_);
        return maxInside_;
    }
    bool Has(const std::string& event) {
        auto events = Events();
        return std::find(events.begin(), events.end(), event) != events.end();
    }

  private:
    static std::string Hex(std::uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", value);
        return text;
    }
    void Add(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    void Enter() {
        std::lock_guard lock(mutex_);
        maxInside_ = std::max(maxInside_, ++inside_);
    }
    void Leave() {
        std::lock_guard lock(mutex_);
        --inside_;
    }

    std::mutex mutex_;
    std::vector<std::string> events_;
    int inside_ = 0;
    int maxInside_ = 0;
};

class PresenceTest : public ::testing::Test {
  protected:
    PresenceHandler& Handler() {
        if (!handler_) {
            handler_ = std::make_unique<PresenceHandler>(
                shell_, state_, *rig_.engine, recorder_.Callbacks(), PresenceTiming{1ms});
        }
        return *handler_;
    }

    testing::KeyboardRig rig_{{.macroUnits = 7}};
    ShellState shell_;
    model::DeviceState state_;
    WindowRecorder recorder_;
    std::unique_ptr<PresenceHandler> handler_;
};

TEST_F(PresenceTest, ArrivalChecksFirmwareReadsTheKeyboardAndOpensTheWindowOnce) {
    shell_.initDone = 1;
    Handler().Run(1);
    const std::vector<std::string> expected = {"send 5350 564552", "reload", "send 5452 50524F46",
                                               "tray 141", "post 5350 4F50454E"};
    EXPECT_EQ(recorder_.Events(), expected);
    EXPECT_EQ(shell_.deviceCount, 1);
    EXPECT_EQ(shell_.savedTrayIconId, shell::kIconKeyboard);
    EXPECT_EQ(shell_.autoOpenDone, 1);
    EXPECT_EQ(state_.macroCapacity, 7u * 128u);
    const auto factory = rig_.keyboard->Memory().factoryKeyTable;
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), state_.defaultMatrix.Copy().begin()));
}

TEST_F(PresenceTest, UnplugAndReplugNeverOpenTheWindowAgain) {
    shell_.initDone = 1;
    Handler().Run(1);
    state_.currentProfile = 2;
    Handler().Run(0);
    Handler().Run(1);
    const std::vector<std::string> expected = {"send 5350 564552",
                                               "reload",
                                               "send 5452 50524F46",
                                               "tray 141",
                                               "post 5350 4F50454E",
                                               "send 4753 0",
                                               "hide",
                                               "tray 128",
                                               "send 5350 564552",
                                               "reload",
                                               "send 5452 50524F46",
                                               "tray 141"};
    EXPECT_EQ(recorder_.Events(), expected);
    EXPECT_EQ(state_.currentProfile, -1);  // cleared by the removal, read again on use
}

TEST_F(PresenceTest, NothingChangedOrAlreadyDecidedMeansNoOpening) {
    shell_.initDone = 1;
    Handler().Run(0);  // start-up without a keyboard
    EXPECT_TRUE(recorder_.Events().empty());
    shell_.autoOpenDone = 1;  // "/Start", or no keyboard at start-up
    Handler().Run(1);
    EXPECT_FALSE(recorder_.Has("post 5350 4F50454E"));
    EXPECT_EQ(shell_.deviceCount, 1);
}

TEST_F(PresenceTest, UnreadableDefaultMatrixIsReportedAndTheOldOneKept) {
    shell_.initDone = 1;
    const auto before = state_.defaultMatrix.Copy();
    rig_.keyboard->AnswerStatus(0xFF, 3);  // every attempt of the first read fails
    Handler().Run(1);
    EXPECT_TRUE(recorder_.Has("message MAIN_DEFAULT_MATRIX_PROMPT"));
    EXPECT_EQ(state_.defaultMatrix.Copy(), before);
    EXPECT_TRUE(recorder_.Has("send 5452 50524F46"));  // the arrival goes on
}

TEST_F(PresenceTest, QuickChangesRunOneAtATimeAndEndWithTheLastReport) {
    shell_.initDone = 1;
    for (int count : {1, 0, 1, 0, 1}) {
        Handler().Start(count);
    }
    Handler().WaitIdle();
    EXPECT_EQ(recorder_.MaxConcurrentRuns(), 1);
    EXPECT_EQ(shell_.deviceCount, 1);
    EXPECT_EQ(recorder_.Events().back(), "tray 141");
}

TEST_F(PresenceTest, WaitsForTheWindowAndGivesUpWhenTheProgramQuits) {
    Handler().Start(1);
    // The device work is done before the window is ready; the icon waits for it.
    for (int i = 0; i < 2000 && !recorder_.Has("send 5452 50524F46"); ++i) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(recorder_.Has("send 5452 50524F46"));
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(recorder_.Has("tray 141"));
    const auto before = std::chrono::steady_clock::now();
    Handler().Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    EXPECT_FALSE(recorder_.Has("tray 141"));
    EXPECT_EQ(shell_.deviceCount, 0);
    Handler().Start(1);  // after Stop nothing runs
    EXPECT_EQ(shell_.deviceCount, 0);
}

}  // namespace
}  // namespace q804
