#include "device/transfer_engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "tests/device/fake_service.h"

namespace q804::device {
namespace {

using testing::Bytes;
using testing::EchoReply;
using testing::FakeService;
using testing::MakeRequest;
using testing::Report;

constexpr EngineTiming kFastTiming{.replyTimeout = std::chrono::milliseconds(20),
                                   .retryPause = std::chrono::milliseconds(1),
                                   .endAccessPause = std::chrono::milliseconds(1),
                                   .takeOverPause = std::chrono::milliseconds(5)};

class Engine : public ::testing::Test {
  protected:
    Engine() { service.engine = &engine; }

    // A keyboard whose readable memory holds byte (address & 0xFF) ^ 0x5A at every address.
    void AnswerFromPatternMemory() {
        service.respond = [](const Report& request) {
            Bytes reply = EchoReply(request);
            const std::size_t address = ReadU16(request, 5);
            for (std::size_t i = 0; i < request[4] && i < kChunkSize; ++i) {
                reply[8 + i] = static_cast<std::uint8_t>(((address + i) & 0xFF) ^ 0x5A);
            }
            return std::vector<Bytes>{reply};
        };
    }

    std::vector<std::pair<int, int>> ChunkLengthsAndAddresses() const {
        std::vector<std::pair<int, int>> chunks;
        for (const Report& report : service.written) {
            chunks.emplace_back(report[4], ReadU16(report, 5));
        }
        return chunks;
    }

    FakeService service;
    TransferEngine engine{service, kFastTiming};
};

TEST_F(Engine, SingleCommandReportsAreByteExact) {
    const Bytes colours = {0x11, 0x22, 0x33};
    const Bytes lightingByte = {0x03};
    std::array<std::uint8_t, kSettingsSize> settings{};
    std::array<std::uint8_t, kSettingsSize> newSettings{};
    std::iota(newSettings.begin(), newSettings.end(), std::uint8_t{1});
    std::array<std::uint8_t, kChunkSize> memory{};
    struct Case {
        std::string name;
        std::function<int()> run;
        Report expected;
    };
    const std::vector<Case> cases = {
        {"BeginDeviceAccess", [&] { return engine.BeginDeviceAccess(); }, MakeRequest(0x01, 0, 0)},
        {"EndDeviceAccess", [&] { return engine.EndDeviceAccess(); }, MakeRequest(0x02, 0, 0)},
        {"ReadDeviceSettings", [&] { return engine.ReadDeviceSettings(settings); },
         MakeRequest(0x03, 0x2C, 0)},
        {"WriteDeviceSettings", [&] { return engine.WriteDeviceSettings(newSettings); },
         MakeRequest(0x04, 0x2C, 0, Bytes(newSettings.begin(), newSettings.end()))},
        {"ReadDeviceMemory", [&] { return engine.ReadDeviceMemory(memory, 56, 84); },
         MakeRequest(0x05, 56, 84)},
        {"WriteDeviceMemory", [&] { return engine.WriteDeviceMemory(lightingByte, 1, 42 + 15); },
         MakeRequest(0x06, 1, 57, lightingByte)},
        {"WriteDeviceMemory with length 0", [&] { return engine.WriteDeviceMemory({}, 0, 3); },
         MakeRequest(0x06, 0, 3)},
        {"WriteKeyColours", [&] { return engine.WriteKeyColours(colours, 3, 37, 2); },
         MakeRequest(0x11, 3, 2 * 512 + 37 * 3, colours)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service.written.clear();
        EXPECT_EQ(c.run(), kResultSuccess);
        ASSERT_EQ(service.written.size(), 1u);
        EXPECT_EQ(service.written[0], c.expected);
    }
}

TEST_F(Engine, KnownReportsCarryTheirDocumentedChecksums) {
    ASSERT_EQ(engine.BeginDeviceAccess(), kResultSuccess);
    std::array<std::uint8_t, kSettingsSize> settings{};
    ASSERT_EQ(engine.ReadDeviceSettings(settings), kResultSuccess);
    ASSERT_EQ(service.written.size(), 2u);

    Report begin{0x04, 0x01, 0x00, 0x01};
    EXPECT_EQ(service.written[0], begin);
    Report readSettings{0x04, 0x2F, 0x00, 0x03, 0x2C};
    EXPECT_EQ(service.written[1], readSettings);
}

TEST_F(Engine, ReadsCopyOutExactlyTheReplyDataTheCommandDefines) {
    std::array<std::uint8_t, kSettingsSize> settings{};
    service.respond = [](const Report& request) {
        Bytes reply = EchoReply(request);
        std::iota(reply.begin() + 8, reply.end(), std::uint8_t{100});
        return std::vector<Bytes>{reply};
    };
    ASSERT_EQ(engine.ReadDeviceSettings(settings), kResultSuccess);
    for (std::size_t i = 0; i < kSettingsSize; ++i) {
        EXPECT_EQ(settings[i], 100 + i) << "settings byte " << i;
    }

    std::array<std::uint8_t, kChunkSize> memory{};
    ASSERT_EQ(engine.ReadDeviceMemory(memory, 56, 0), kResultSuccess);
    EXPECT_EQ(memory[0], 100);
    EXPECT_EQ(memory[55], 155);
}

TEST_F(Engine, ChunkedTransfersUseTheDocumentedLengthsAndAbsoluteAddresses) {
    std::array<std::uint8_t, kKeyTableSize> table{};
    std::vector<std::uint8_t> macro(57);
    using Chunks = std::vector<std::pair<int, int>>;
    struct Case {
        std::string name;
        std::function<int()> run;
        Chunks expected;
    };
    const std::vector<Case> cases = {
        {"WriteKeyTable profile 2",
         [&] { return engine.WriteKeyTable(table, 2); },
         {{56, 756}, {56, 812}, {56, 868}, {56, 924}, {56, 980}, {56, 1036}, {42, 1092}}},
        {"ReadKeyTable profile 1",
         [&] { return engine.ReadKeyTable(table, 1); },
         {{56, 378}, {56, 434}, {56, 490}, {56, 546}, {56, 602}, {56, 658}, {42, 714}}},
        {"ReadDefaultKeyTable",
         [&] { return engine.ReadDefaultKeyTable(table); },
         {{56, 0}, {56, 56}, {56, 112}, {56, 168}, {56, 224}, {56, 280}, {42, 336}}},
        {"ReadMacroArea of 57", [&] { return engine.ReadMacroArea(macro); }, {{56, 0}, {1, 56}}},
        {"WriteMacroArea of 56",
         [&] { return engine.WriteMacroArea(std::span(macro).first(56)); },
         {{56, 0}}},
        {"ReadMacroArea of 0", [&] { return engine.ReadMacroArea({}); }, {}},
        {"WriteMacroArea of 0", [&] { return engine.WriteMacroArea({}); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service.written.clear();
        EXPECT_EQ(c.run(), kResultSuccess);
        EXPECT_EQ(ChunkLengthsAndAddresses(), c.expected);
    }
}

TEST_F(Engine, KeyTableWriteSendsTheTableAndKeepsThePreviousTailInTheLastChunk) {
    std::array<std::uint8_t, kKeyTableSize> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    ASSERT_EQ(engine.WriteKeyTable(table, 1), kResultSuccess);
    ASSERT_EQ(service.written.size(), 7u);

    const Report& first = service.written[0];
    EXPECT_EQ(first[3], 0x08);
    EXPECT_EQ(first[4], 0x38);
    EXPECT_EQ(first[5], 0x7A);
    EXPECT_EQ(first[6], 0x01);
    unsigned sum = 0x08 + 0x38 + 0x7A + 0x01;
    for (std::size_t i = 0; i < 56; ++i) {
        EXPECT_EQ(first[8 + i], table[i]);
        sum += table[i];
    }
    EXPECT_EQ(ReadU16(first, 1), sum & 0xFFFF);

    // The last chunk carries 42 new bytes; bytes 50..63 still hold the sixth chunk's tail and
    // count in the checksum.
    const Report& last = service.written[6];
    for (std::size_t i = 0; i < 42; ++i) {
        EXPECT_EQ(last[8 + i], table[336 + i]);
    }
    for (std::size_t i = 42; i < 56; ++i) {
        EXPECT_EQ(last[8 + i], table[280 + i]) << "data byte " << i;
    }
    unsigned lastSum = 0;
    for (std::size_t i = 3; i < 64; ++i) {
        lastSum += last[i];
    }
    EXPECT_EQ(ReadU16(last, 1), lastSum & 0xFFFF);
}

TEST_F(Engine, ChunkedReadsAssembleTheRepliesInOrder) {
    AnswerFromPatternMemory();
    std::array<std::uint8_t, kKeyTableSize> table{};
    ASSERT_EQ(engine.ReadKeyTable(table, 2), kResultSuccess);
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_EQ(table[i], static_cast<std::uint8_t>(((756 + i) & 0xFF) ^ 0x5A)) << "byte " << i;
    }
}

TEST_F(Engine, RequestsThatCannotBeSentAreRefusedBeforeAnythingIsSent) {
    std::array<std::uint8_t, kKeyTableSize> table{};
    std::array<std::uint8_t, kChunkSize> memory{};
    const Bytes four(4, 0xAB);
    const Bytes many(64, 0xAB);
    std::vector<std::uint8_t> huge(0x10000 + 1);
    struct Case {
        std::string name;
        std::function<int()> run;
        int expected;
    };
    const std::vector<Case> cases = {
        {"ReadKeyTable profile 3", [&] { return engine.ReadKeyTable(table, 3); }, -201},
        {"ReadKeyTable profile -1", [&] { return engine.ReadKeyTable(table, -1); }, -201},
        {"WriteKeyTable profile 3", [&] { return engine.WriteKeyTable(table, 3); }, -201},
        {"WriteKeyColours profile 3", [&] { return engine.WriteKeyColours(four, 3, 0, 3); }, -201},
        {"WriteKeyColours index -1", [&] { return engine.WriteKeyColours(four, 3, -1, 0); }, -1},
        {"WriteDeviceMemory of 57", [&] { return engine.WriteDeviceMemory(many, 57, 0); }, -1},
        {"WriteDeviceMemory past its data", [&] { return engine.WriteDeviceMemory(four, 10, 0); },
         -1},
        {"ReadDeviceMemory of 57", [&] { return engine.ReadDeviceMemory(memory, 57, 0); }, -1},
        {"macro area past 64 KiB", [&] { return engine.WriteMacroArea(huge); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.run(), c.expected);
    }
    EXPECT_TRUE(service.written.empty());
}

enum class Answer { kOk, kLost, kWrongCommand, kStatusFF, kStatusFE, kShort, kLong };

std::vector<Bytes> AnswerFor(Answer answer, const Report& request) {
    Bytes reply = EchoReply(request);
    switch (answer) {
        case Answer::kOk:
            return {reply};
        case Answer::kLost:
            return {};
        case Answer::kWrongCommand:
            reply[3] = static_cast<std::uint8_t>(request[3] + 1);
            return {reply};
        case Answer::kStatusFF:
            reply[7] = 0xFF;
            return {reply};
        case Answer::kStatusFE:
            reply[7] = 0xFE;
            return {reply};
        case Answer::kShort:
            reply.resize(7);  // ends before the status byte
            return {reply};
        case Answer::kLong:
            reply.resize(100, 0xEE);
            return {reply};
    }
    return {};
}

TEST_F(Engine, RetriesLostMismatchedAndRefusedRepliesUpToThreeAttempts) {
    using A = Answer;
    struct Case {
        std::string name;
        std::vector<Answer> answers;
        int expected;
        std::size_t reportsSent;
    };
    const std::vector<Case> cases = {
        {"answered at once", {A::kOk}, 1, 1},
        {"three lost replies", {A::kLost, A::kLost, A::kLost}, -2, 3},
        {"three wrong commands", {A::kWrongCommand, A::kWrongCommand, A::kWrongCommand}, -2, 3},
        {"three 0xFE statuses", {A::kStatusFE, A::kStatusFE, A::kStatusFE}, -103, 3},
        {"three 0xFF statuses", {A::kStatusFF, A::kStatusFF, A::kStatusFF}, -102, 3},
        {"the last status decides", {A::kStatusFF, A::kStatusFE, A::kStatusFE}, -103, 3},
        {"0xFE once, then success", {A::kStatusFE, A::kOk}, 1, 2},
        {"lost, wrong, then success", {A::kLost, A::kWrongCommand, A::kOk}, 1, 3},
        {"replies too short to judge", {A::kShort, A::kShort, A::kShort}, -2, 3},
        {"a long reply is accepted", {A::kLong}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service.written.clear();
        std::size_t attempt = 0;
        service.respond = [&](const Report& request) {
            const Answer answer = attempt < c.answers.size() ? c.answers[attempt] : A::kOk;
            ++attempt;
            return AnswerFor(answer, request);
        };
        EXPECT_EQ(engine.BeginDeviceAccess(), c.expected);
        EXPECT_EQ(service.written.size(), c.reportsSent);
    }
}

TEST_F(Engine, NoKeyboardSendsNothingAndARefusedWriteFreesTheSlot) {
    service.deviceCount = 0;
    EXPECT_EQ(engine.BeginDeviceAccess(), kResultNoDevice);
    EXPECT_TRUE(service.written.empty());

    service.deviceCount = 1;
    service.writeResult = 0;
    EXPECT_EQ(engine.BeginDeviceAccess(), kResultWriteRefused);
    EXPECT_EQ(service.written.size(), 1u);

    // The refused transaction left nothing waiting: the next one is answered at once.
    service.writeResult = 64;
    EXPECT_EQ(engine.BeginDeviceAccess(), kResultSuccess);
    EXPECT_EQ(service.written.size(), 2u);
}

TEST_F(Engine, RepliesAreCutToTheCallersBufferAndNeverWrittenPastIt) {
    struct Case {
        std::size_t capacity;
        std::size_t replySize;
        std::size_t expectedLength;
    };
    const Case cases[] = {{64, 64, 64}, {16, 64, 16}, {64, 100, 64}, {64, 20, 20}, {8, 8, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.capacity) + " byte buffer, " + std::to_string(c.replySize) +
                     " byte reply");
        service.respond = [&](const Report& request) {
            Bytes reply = EchoReply(request);
            reply.resize(c.replySize, 0x77);
            return std::vector<Bytes>{reply};
        };
        std::vector<std::uint8_t> buffer(c.capacity + 8, 0xEE);
        std::size_t length = 99;
        const Report request = MakeRequest(0x01, 0, 0);
        ASSERT_EQ(engine.DeviceTransact(request, std::span(buffer).first(c.capacity), length),
                  kResultSuccess);
        EXPECT_EQ(length, c.expectedLength);
        EXPECT_EQ(buffer[3], 0x01);
        for (std::size_t i = c.expectedLength; i < buffer.size(); ++i) {
            EXPECT_EQ(buffer[i], 0xEE) << "byte " << i << " was written";
        }
    }
}

TEST_F(Engine, ShortRequestsArePaddedWithZerosAndLongOnesCut) {
    std::array<std::uint8_t, 4> shortRequest = {0x04, 0x01, 0x00, 0x01};
    std::vector<std::uint8_t> longRequest(80, 0x01);
    std::array<std::uint8_t, kReportSize> reply{};
    std::size_t length = 0;

    ASSERT_EQ(engine.DeviceTransact(shortRequest, reply, length), kResultSuccess);
    EXPECT_EQ(service.written.back(), MakeRequest(0x01, 0, 0));

    ASSERT_EQ(engine.DeviceTransact(longRequest, reply, length), kResultSuccess);
    Report firstSixtyFour;
    firstSixtyFour.fill(0x01);
    EXPECT_EQ(service.written.back(), firstSixtyFour);
}

TEST_F(Engine, RepliesOutsideATransactionAreDropped) {
    // A stray error reply for the very command that comes next must not answer it.
    Report stray{};
    stray[3] = 0x01;
    stray[7] = 0xFE;
    engine.OnReplyData(stray);
    EXPECT_EQ(engine.BeginDeviceAccess(), kResultSuccess);
    EXPECT_EQ(service.written.size(), 1u);
}

TEST_F(Engine, TraceShowsEveryReportSentAndEveryReplyReceived) {
    std::vector<std::pair<char, Bytes>> trace;
    engine.SetTraceObserver([&](char direction, std::span<const std::uint8_t> report) {
        trace.emplace_back(direction, Bytes(report.begin(), report.end()));
    });
    int attempt = 0;
    service.respond = [&](const Report& request) {
        return AnswerFor(attempt++ == 0 ? Answer::kLost : Answer::kOk, request);
    };
    ASSERT_EQ(engine.BeginDeviceAccess(), kResultSuccess);

    const Report begin = MakeRequest(0x01, 0, 0);
    const Bytes sent(begin.begin(), begin.end());
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0], std::make_pair('>', sent));
    EXPECT_EQ(trace[1], std::make_pair('>', sent));
    EXPECT_EQ(trace[2], std::make_pair('<', EchoReply(begin)));

    engine.SetTraceObserver(nullptr);
    ASSERT_EQ(engine.BeginDeviceAccess(), kResultSuccess);
    EXPECT_EQ(trace.size(), 3u);
}

}  // namespace
}  // namespace q804::device
