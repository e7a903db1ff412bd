#include "device/wire_trace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/device_link.h"
#include "device/sim/simulated_keyboard.h"
#include "tests/support/temp_dir.h"

namespace q804::device {
namespace {

std::string ZeroBytes(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += " 00";
    }
    return text;
}

TEST(WireTrace, LinesAreTheDirectionAndUpperCaseHexBytes) {
    std::array<std::uint8_t, kReportSize> begin{0x04, 0x01, 0x00, 0x01};
    EXPECT_EQ(FormatTraceLine('>', begin), "> 04 01 00 01" + ZeroBytes(60));

    const std::vector<std::uint8_t> reply = {0xAB, 0x0F, 0xF0};
    EXPECT_EQ(FormatTraceLine('<', reply), "< AB 0F F0");

    std::vector<std::uint8_t> tooLong(70, 0xFF);
    EXPECT_EQ(FormatTraceLine('<', tooLong).size(), 2 + 64 * 3 - 1);
}

TEST(WireTrace, ParsingTakesExactlyTheTraceFormat) {
    auto parsed = ParseTraceLine("> 04 2F 00 03 2C" + ZeroBytes(59));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->direction, '>');
    ASSERT_EQ(parsed->bytes.size(), 64u);
    EXPECT_EQ(parsed->bytes[1], 0x2F);
    EXPECT_EQ(parsed->bytes[4], 0x2C);

    const char* notTrace[] = {
        "",       ">",        "> ",       "04 01",  "? 04 01", "> 04 2f",
        ">04 01", "> 04  01", "> 04 01 ", "> 4 01", "> 04-01", "< 0G",
    };
    for (const char* line : notTrace) {
        EXPECT_FALSE(ParseTraceLine(line)) << '"' << line << '"';
    }
    EXPECT_FALSE(ParseTraceLine("<" + ZeroBytes(65)));
}

TEST(WireTrace, AnEngineWithAWriterTracesItsExchangesWholeLineByLine) {
    auto keyboard = sim::SimulatedKeyboard::Create().value();
    keyboard->Init();
    TransferEngine engine(*keyboard);
    DeviceLink link(*keyboard, engine);
    link.RegisterDeviceReads();
    std::ostringstream out;
    engine.SetTraceObserver(TraceWriter::ObserverOf(std::make_shared<TraceWriter>(out)));

    // Two threads at once: every line stays whole.
    std::thread other([&] {
        for (int i = 0; i < 20; ++i) {
            (void)engine.BeginDeviceAccess();
        }
    });
    for (int i = 0; i < 20; ++i) {
        std::array<std::uint8_t, kSettingsSize> settings{};
        (void)engine.ReadDeviceSettings(settings);
    }
    other.join();
    keyboard->End();

    std::istringstream lines(out.str());
    std::string line;
    int sent = 0;
    int received = 0;
    while (std::getline(lines, line)) {
        auto parsed = ParseTraceLine(line);
        ASSERT_TRUE(parsed) << line;
        ASSERT_EQ(parsed->bytes.size(), 64u);
        (parsed->direction == '>' ? sent : received) += 1;
    }
    EXPECT_EQ(sent, 40);
    EXPECT_EQ(received, 40);
}

TEST(WireTrace, FilesAreAppendedTo) {
    q804::testing::TempDir dir;
    const auto path = dir.Write("trace.txt", "> 01\n");
    {
        auto writer = TraceWriter::OpenFile(path);
        ASSERT_TRUE(writer) << writer.error().message;
        const std::array<std::uint8_t, 2> bytes = {0x04, 0x02};
        writer.value()->Write('<', bytes);
    }
    EXPECT_EQ(q804::testing::ReadText(path), "> 01\n< 04 02\n");
    EXPECT_FALSE(TraceWriter::OpenFile(dir / "missing" / "trace.txt"));
}

TEST(WireTrace, TheEnvironmentVariableNamesTheTraceFile) {
    q804::testing::TempDir dir;
    std::string named;
    auto lookup = [&](const char* name) -> const char* {
        return std::string(name) == kTraceFileVariable ? named.c_str() : nullptr;
    };

    auto none = TraceObserverFromEnvironment(lookup);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none.value());

    named = (dir / "gui-trace.txt").string();
    auto observer = TraceObserverFromEnvironment(lookup);
    ASSERT_TRUE(observer) << observer.error().message;
    const std::array<std::uint8_t, 1> bytes = {0x04};
    observer.value()('>', bytes);
    EXPECT_EQ(q804::testing::ReadText(named), "> 04\n");

    named = (dir / "no-such-folder" / "trace.txt").string();
    EXPECT_FALSE(TraceObserverFromEnvironment(lookup));
}

}  // namespace
}  // namespace q804::device
