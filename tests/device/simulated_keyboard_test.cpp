// The engine and the link against the simulated keyboard, with its service thread: the whole
// path a report takes, faults on the way, presence and the keyboard's own events.

#include "device/sim/simulated_keyboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/device_link.h"
#include "device/sim/factory_key_table.h"
#include "device/transfer_engine.h"
#include "tests/support/temp_dir.h"

namespace q804::device::sim {
namespace {

using namespace std::chrono_literals;

constexpr EngineTiming kTestTiming{
    .replyTimeout = 300ms, .retryPause = 1ms, .endAccessPause = 1ms, .takeOverPause = 5ms};

// Waits for something the service thread does; false after five seconds.
bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class SimulatedLink : public ::testing::Test {
  protected:
    explicit SimulatedLink(SimulatedKeyboardConfig config = {})
        : keyboard(SimulatedKeyboard::Create(config).value()) {
        Connect();
    }
    ~SimulatedLink() override { keyboard->End(); }

    void Connect() {
        keyboard->Init();
        engine = std::make_unique<TransferEngine>(*keyboard, kTestTiming);
        link = std::make_unique<DeviceLink>(*keyboard, *engine);
        link->onConsumerCode = [this](std::uint16_t code) {
            std::lock_guard lock(mutex);
            consumerCodes.push_back(code);
            callbackThreads.push_back(std::this_thread::get_id());
        };
        link->onDeviceSetChanged = [this](int count) {
            std::lock_guard lock(mutex);
            deviceCounts.push_back(count);
        };
        link->onGBankChanged = [this](GBank bank) {
            std::lock_guard lock(mutex);
            banks.push_back(bank);
        };
        link->RegisterDeviceReads();
    }

    template <typename T>
    T Locked(const T& value) {
        std::lock_guard lock(mutex);
        return value;
    }

    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<TransferEngine> engine;
    std::unique_ptr<DeviceLink> link;

    std::mutex mutex;
    std::vector<std::uint16_t> consumerCodes;
    std::vector<std::thread::id> callbackThreads;
    std::vector<int> deviceCounts;
    std::vector<GBank> banks;
};

std::array<std::uint8_t, kKeyTableSize> PatternTable(std::uint8_t seed) {
    std::array<std::uint8_t, kKeyTableSize> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<std::uint8_t>(i * 13 + seed);
    }
    return table;
}

TEST_F(SimulatedLink, EveryCommandReachesTheKeyboardsMemory) {
    std::array<std::uint8_t, kSettingsSize> settings{};
    ASSERT_EQ(engine->ReadDeviceSettings(settings), kResultSuccess);
    EXPECT_EQ(settings[8], 0x09);
    EXPECT_EQ(settings[9], 0x01);
    EXPECT_EQ(settings[11], kDefaultMacroUnits);
    EXPECT_EQ(settings[12], 1);

    settings[10] = 2;
    ASSERT_EQ(engine->WriteDeviceSettings(settings), kResultSuccess);
    EXPECT_EQ(keyboard->Memory().CurrentProfile(), 2);

    std::array<std::uint8_t, kKeyTableSize> table{};
    ASSERT_EQ(engine->ReadDefaultKeyTable(table), kResultSuccess);
    EXPECT_EQ(table, FactoryKeyTable());

    const auto written = PatternTable(3);
    ASSERT_EQ(engine->BeginDeviceAccess(), kResultSuccess);
    ASSERT_EQ(engine->WriteKeyTable(written, 2), kResultSuccess);
    ASSERT_EQ(engine->EndDeviceAccess(), kResultSuccess);
    const KeyboardMemory memory = keyboard->Memory();
    EXPECT_TRUE(std::equal(written.begin(), written.end(), memory.keyTables.begin() + 756));
    const auto factory = FactoryKeyTable();
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), memory.keyTables.begin() + 378));
    ASSERT_EQ(engine->ReadKeyTable(table, 2), kResultSuccess);
    EXPECT_EQ(table, written);

    std::vector<std::uint8_t> macro(1000);
    for (std::size_t i = 0; i < macro.size(); ++i) {
        macro[i] = static_cast<std::uint8_t>(i);
    }
    ASSERT_EQ(engine->WriteMacroArea(macro), kResultSuccess);
    std::vector<std::uint8_t> readBack(macro.size());
    ASSERT_EQ(engine->ReadMacroArea(readBack), kResultSuccess);
    EXPECT_EQ(readBack, macro);

    const std::array<std::uint8_t, 3> brightness = {5, 0, 0};
    ASSERT_EQ(engine->WriteDeviceMemory(brightness, 1, 42 + 1), kResultSuccess);
    std::array<std::uint8_t, kChunkSize> record{};
    ASSERT_EQ(engine->ReadDeviceMemory(record, 56, 42), kResultSuccess);
    EXPECT_EQ(record[1], 5);

    const std::array<std::uint8_t, 3> red = {0xFF, 0x00, 0x00};
    ASSERT_EQ(engine->WriteKeyColours(red, 3, 37, 1), kResultSuccess);
    EXPECT_EQ(keyboard->Memory().ColourArea(1)[37 * 3 + 1], 0x00);
    EXPECT_EQ(keyboard->Memory().ColourArea(0)[37 * 3 + 1], 0xFF);
}

TEST_F(SimulatedLink, KeyboardErrorsBecomeResultCodes) {
    std::vector<std::uint8_t> tooLong(kDefaultMacroUnits * 128 + 1);
    EXPECT_EQ(engine->WriteMacroArea(tooLong), kResultStatusFE);
    // Chunks before the failing one stay written; nothing past the area was touched.
    EXPECT_EQ(keyboard->Memory().macroArea.size(), kDefaultMacroUnits * 128u);
}

TEST_F(SimulatedLink, NotificationsArriveOnTheServiceThread) {
    keyboard->SendConsumerCode(kConsumerLightingChanged);
    ASSERT_TRUE(WaitUntil([&] { return !Locked(callbackThreads).empty(); }));
    EXPECT_NE(Locked(callbackThreads).front(), std::this_thread::get_id());
}

TEST_F(SimulatedLink, ConsumerEventsReachTheOwnerAndTheBankSwitchTheKeyboard) {
    keyboard->SendConsumerCode(kConsumerGBankSwitched);
    ASSERT_TRUE(WaitUntil([&] { return keyboard->Memory().gBankReport.has_value(); }));
    EXPECT_EQ(*keyboard->Memory().gBankReport, (std::array<std::uint8_t, 2>{0x05, 0x03}));

    keyboard->SendConsumerCode(kConsumerGBankSwitched);
    keyboard->SendConsumerCode(kConsumerLightingChanged);
    keyboard->SendConsumerCode(kConsumerIndicatorOn);
    keyboard->SendConsumerCode(kConsumerIndicatorOff);
    ASSERT_TRUE(WaitUntil([&] { return Locked(consumerCodes).size() == 3; }));
    EXPECT_EQ(*keyboard->Memory().gBankReport, (std::array<std::uint8_t, 2>{0x05, 0x02}));
    EXPECT_EQ(Locked(consumerCodes), (std::vector<std::uint16_t>{0x0401, 0x1811, 0x1810}));
    EXPECT_EQ(Locked(banks), (std::vector<GBank>{GBank::kB, GBank::kA}));
}

TEST_F(SimulatedLink, UnplugAndReplugAreReportedAndTransactionsFindNoKeyboard) {
    keyboard->Unplug();
    ASSERT_TRUE(WaitUntil([&] { return Locked(deviceCounts).size() == 1; }));
    EXPECT_EQ(engine->GetDeviceCount(), 0);
    const std::size_t sent = keyboard->RequestCount();
    EXPECT_EQ(engine->BeginDeviceAccess(), kResultNoDevice);
    EXPECT_EQ(keyboard->RequestCount(), sent);

    keyboard->Plug();
    ASSERT_TRUE(WaitUntil([&] { return Locked(deviceCounts).size() == 2; }));
    EXPECT_EQ(Locked(deviceCounts), (std::vector<int>{0, 1}));
    EXPECT_EQ(engine->BeginDeviceAccess(), kResultSuccess);
}

TEST_F(SimulatedLink, UnplugDuringAChunkedWriteEndsItAndKeepsTheEarlierChunks) {
    std::vector<std::uint8_t> macro(200, 0xAB);  // four chunks
    keyboard->UnplugAfter(2);
    EXPECT_EQ(engine->WriteMacroArea(macro), kResultNoDevice);
    const KeyboardMemory memory = keyboard->Memory();
    EXPECT_TRUE(std::all_of(memory.macroArea.begin(), memory.macroArea.begin() + 112,
                            [](std::uint8_t b) { return b == 0xAB; }));
    EXPECT_TRUE(std::all_of(memory.macroArea.begin() + 112, memory.macroArea.end(),
                            [](std::uint8_t b) { return b == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return !Locked(deviceCounts).empty(); }));
    EXPECT_EQ(Locked(deviceCounts).back(), 0);
}

TEST_F(SimulatedLink, FaultsEndInTheirResultCodes) {
    struct Case {
        std::string name;
        std::function<void(SimulatedKeyboard&)> fault;
        int expected;
        std::size_t requests;
    };
    const std::vector<Case> cases = {
        {"one reply lost", [](auto& k) { k.DropReplies(1); }, 1, 2},
        {"every reply lost", [](auto& k) { k.DropReplies(3); }, -2, 3},
        {"status 0xFE three times", [](auto& k) { k.AnswerStatus(0xFE, 3); }, -103, 3},
        {"status 0xFF once", [](auto& k) { k.AnswerStatus(0xFF, 1); }, 1, 2},
        {"wrong command three times", [](auto& k) { k.AnswerWrongCommand(3); }, -2, 3},
        {"a longer reply", [](auto& k) { k.SetReplySize(70, 1); }, 1, 1},
        {"replies cut before the status", [](auto& k) { k.SetReplySize(5, 3); }, -2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.fault(*keyboard);
        const std::size_t before = keyboard->RequestCount();
        std::array<std::uint8_t, kSettingsSize> settings{};
        EXPECT_EQ(engine->ReadDeviceSettings(settings), c.expected);
        EXPECT_EQ(keyboard->RequestCount() - before, c.requests);
        if (c.expected == kResultSuccess) {
            EXPECT_EQ(settings[8], 0x09);
        }
    }
}

TEST_F(SimulatedLink, LateAndStrayRepliesNeverAnswerALaterRequest) {
    // Replies slower than the engine waits: every attempt times out, and the replies arrive
    // when nobody waits for them any more.
    keyboard->SetLatency(
        std::chrono::duration_cast<std::chrono::microseconds>(kTestTiming.replyTimeout * 4));
    std::array<std::uint8_t, kChunkSize> record{};
    EXPECT_EQ(engine->ReadDeviceMemory(record, 56, 0), kResultNoReply);
    keyboard->SetLatency(0us);
    std::this_thread::sleep_for(kTestTiming.replyTimeout * 4);

    // A stray reply with an error status for the very command that follows.
    std::array<std::uint8_t, kReportSize> stray{0x04, 0, 0, 0x05};
    stray[7] = 0xFE;
    keyboard->InjectVendorReport(stray);
    std::this_thread::sleep_for(20ms);

    keyboard->ModifyMemory([](KeyboardMemory& memory) { memory.lighting[84] = 0x33; });
    EXPECT_EQ(engine->ReadDeviceMemory(record, 56, 84), kResultSuccess);
    EXPECT_EQ(record[0], 0x33);
}

// Two threads share one engine: each transaction holds the engine until its reply came, so
// every caller gets the reply to its own request.
TEST_F(SimulatedLink, ConcurrentCallersEachGetTheirOwnReplies) {
    keyboard->ModifyMemory([](KeyboardMemory& memory) {
        const auto zero = PatternTable(1);
        const auto one = PatternTable(2);
        std::copy(zero.begin(), zero.end(), memory.KeyTable(0).begin());
        std::copy(one.begin(), one.end(), memory.KeyTable(1).begin());
    });
    constexpr int kRounds = 30;
    auto reader = [&](int profile, int& mismatches) {
        const auto expected = PatternTable(static_cast<std::uint8_t>(profile + 1));
        std::array<std::uint8_t, kKeyTableSize> table{};
        for (int round = 0; round < kRounds; ++round) {
            if (engine->ReadKeyTable(table, profile) != kResultSuccess || table != expected) {
                ++mismatches;
            }
        }
    };
    int mismatchesZero = 0;
    int mismatchesOne = 0;
    std::thread first(reader, 0, std::ref(mismatchesZero));
    std::thread second(reader, 1, std::ref(mismatchesOne));
    first.join();
    second.join();
    EXPECT_EQ(mismatchesZero, 0);
    EXPECT_EQ(mismatchesOne, 0);
}

TEST(SimulatedKeyboardState, WhatTheHostWritesIsInTheStateFile) {
    q804::testing::TempDir dir;
    const auto path = dir / "kb.state";
    auto factory = MakeFactoryMemory(SimulatedKeyboardConfig{.macroUnits = 2});
    ASSERT_TRUE(SaveStateFile(path, factory.value()));

    const auto written = PatternTable(9);
    {
        auto opened = SimulatedKeyboard::OpenStateFile(path);
        ASSERT_TRUE(opened) << opened.error().message;
        SimulatedKeyboard& keyboard = *opened.value();
        keyboard.Init();
        TransferEngine engine(keyboard, kTestTiming);
        DeviceLink link(keyboard, engine);
        link.RegisterDeviceReads();

        ASSERT_EQ(engine.BeginDeviceAccess(), kResultSuccess);
        ASSERT_EQ(engine.WriteKeyTable(written, 1), kResultSuccess);
        ASSERT_EQ(engine.EndDeviceAccess(), kResultSuccess);
        // Written at the end of the access bracket, before the service ends.
        auto saved = LoadStateFile(path);
        ASSERT_TRUE(saved);
        EXPECT_TRUE(std::equal(written.begin(), written.end(), saved.value().KeyTable(1).begin()));

        link.SendGBankReport();
        ASSERT_TRUE(WaitUntil([&] { return keyboard.Memory().gBankReport.has_value(); }));
        keyboard.ModifyMemory([](KeyboardMemory& memory) { memory.lighting[0] = 0x07; });
        keyboard.End();
        EXPECT_TRUE(keyboard.LastSaveStatus());
    }
    auto reopened = LoadStateFile(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened.value().lighting[0], 0x07);
    EXPECT_EQ(*reopened.value().gBankReport, (std::array<std::uint8_t, 2>{0x05, 0x02}));

    // A damaged state file is refused with a reason, and left as it was.
    std::filesystem::resize_file(path, 100);
    auto damaged = SimulatedKeyboard::OpenStateFile(path);
    ASSERT_FALSE(damaged);
    EXPECT_NE(damaged.error().message.find(path.string()), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(path), 100u);
}

}  // namespace
}  // namespace q804::device::sim
