// The simulated keyboard's memory, firmware and state file, without threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "device/sim/factory_key_table.h"
#include "device/sim/firmware.h"
#include "device/sim/keyboard_memory.h"
#include "tests/device/fake_service.h"
#include "tests/support/temp_dir.h"

namespace q804::device::sim {
namespace {

using device::testing::Bytes;
using device::testing::MakeRequest;
using device::testing::Report;

TEST(FactoryKeyTable, HoldsEveryKeyOnceTheEighteenGKeysAndSpareSlots) {
    std::set<std::uint8_t> usages;
    std::set<std::uint8_t> modifierBits;
    std::vector<int> gKeys;
    int none = 0;
    for (const KeyRecord& record : FactoryKeyRecords()) {
        if (record == KeyRecord{0x02, 0x02, record[2]}) {
            EXPECT_TRUE(usages.insert(record[2]).second) << "usage " << int(record[2]) << " twice";
            EXPECT_GE(record[2], 0x04);
        } else if (record == KeyRecord{0x02, 0x01, record[2]}) {
            EXPECT_EQ(std::popcount(record[2]), 1);
            EXPECT_TRUE(modifierBits.insert(record[2]).second);
        } else if (record == KeyRecord{0x06, 0xA2, record[2]}) {
            gKeys.push_back(record[2]);
        } else {
            EXPECT_EQ(record, (KeyRecord{0, 0, 0}));
            ++none;
        }
    }
    EXPECT_EQ(usages.size() + modifierBits.size(), 106u);
    EXPECT_EQ(modifierBits.size(), 8u);
    std::vector<int> oneToEighteen(18);
    std::iota(oneToEighteen.begin(), oneToEighteen.end(), 1);
    EXPECT_EQ(gKeys, oneToEighteen);
    EXPECT_EQ(none, 2);

    const auto table = FactoryKeyTable();
    EXPECT_EQ((KeyRecord{table[0], table[1], table[2]}), (KeyRecord{0x06, 0xA2, 0x01}));
    EXPECT_EQ((KeyRecord{table[375], table[376], table[377]}), (KeyRecord{0, 0, 0}));
}

TEST(FactoryMemory, FollowsTheConfiguration) {
    auto made = MakeFactoryMemory(
        SimulatedKeyboardConfig{.firmwareVersion = 0x0108, .macroUnits = 3, .effects = {2, 20}});
    ASSERT_TRUE(made) << made.error().message;
    const KeyboardMemory& memory = made.value();

    EXPECT_EQ(memory.FirmwareVersion(), 0x0108);
    EXPECT_EQ(memory.settings[8], 0x08);
    EXPECT_EQ(memory.settings[9], 0x01);
    EXPECT_EQ(memory.CurrentProfile(), 0);
    EXPECT_EQ(memory.MacroUnits(), 3);
    EXPECT_EQ(memory.Effects(), (std::vector<std::uint8_t>{2, 20}));
    EXPECT_EQ(memory.macroArea.size(), 384u);
    for (int profile = 0; profile < 3; ++profile) {
        EXPECT_TRUE(std::equal(memory.factoryKeyTable.begin(), memory.factoryKeyTable.end(),
                               memory.KeyTable(profile).begin()));
        // Effect 1 is not offered, so the factory lighting starts on the first one listed.
        EXPECT_EQ(memory.LightingRecord(profile)[0], 2);
        EXPECT_EQ(memory.LightingRecord(profile)[1], 4);
        EXPECT_EQ(memory.ColourArea(profile)[125 * 3 + 2], 0xFF);
        EXPECT_EQ(memory.ColourArea(profile)[126 * 3], 0x00);
    }
    EXPECT_FALSE(memory.gBankReport);
}

TEST(FactoryMemory, RefusesImpossibleKeyboards) {
    const SimulatedKeyboardConfig bad[] = {
        {.effects = std::vector<std::uint8_t>(33, 1)},
        {.effects = {1, 0, 2}},
        {.currentProfile = 3},
    };
    for (const SimulatedKeyboardConfig& config : bad) {
        EXPECT_FALSE(MakeFactoryMemory(config));
    }
}

class Firmware : public ::testing::Test {
  protected:
    Firmware() : memory(MakeFactoryMemory(SimulatedKeyboardConfig{.macroUnits = 2}).value()) {}

    CommandOutcome Send(const Report& request) { return HandleCommand(memory, request); }

    KeyboardMemory memory;
};

TEST_F(Firmware, RepliesEchoTheRequestAndCarryAValidChecksum) {
    const CommandOutcome outcome = Send(MakeRequest(0x05, 8, 42));
    const Report& reply = outcome.reply;
    EXPECT_EQ(reply[0], 0x04);
    EXPECT_EQ(reply[3], 0x05);
    EXPECT_EQ(reply[4], 8);
    EXPECT_EQ(ReadU16(reply, 5), 42);
    EXPECT_EQ(reply[7], kStatusOk);
    EXPECT_EQ(ReadU16(reply, 1), ReportChecksum(reply));
    EXPECT_FALSE(outcome.memoryChanged);
}

TEST_F(Firmware, WritesLandAtTheirAddressAndReadBack) {
    struct Case {
        std::string name;
        std::uint8_t write;
        std::uint8_t read;  // 0: no read command for this region
        std::uint16_t address;
        std::function<const std::uint8_t*(const KeyboardMemory&)> at;
    };
    const std::vector<Case> cases = {
        {"key table of profile 2", 0x08, 0x07, 756, [](auto& m) { return &m.keyTables[756]; }},
        {"end of the key tables", 0x08, 0x07, 1134 - 56,
         [](auto& m) { return &m.keyTables[1134 - 56]; }},
        {"macro area", 0x0A, 0x09, 100, [](auto& m) { return &m.macroArea[100]; }},
        {"end of the macro area", 0x0A, 0x09, 256 - 56,
         [](auto& m) { return &m.macroArea[256 - 56]; }},
        {"lighting record 3", 0x06, 0x05, 84, [](auto& m) { return &m.lighting[84]; }},
        {"colours of profile 3", 0x11, 0, 1024 + 378, [](auto& m) { return &m.colours[1402]; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes data(56);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::uint8_t>(c.address + i * 3);
        }
        const CommandOutcome written = Send(MakeRequest(c.write, 56, c.address, data));
        EXPECT_EQ(written.reply[7], kStatusOk);
        EXPECT_TRUE(written.memoryChanged);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), c.at(memory)));
        if (c.read != 0) {
            const CommandOutcome read = Send(MakeRequest(c.read, 56, c.address));
            EXPECT_EQ(read.reply[7], kStatusOk);
            EXPECT_TRUE(std::equal(data.begin(), data.end(), read.reply.begin() + 8));
        }
    }
}

TEST_F(Firmware, RefusesBadReportsAndOutOfRangeRequestsWithoutTouchingMemory) {
    auto withChecksum = [](Report report, std::uint16_t checksum) {
        WriteU16(report, 1, checksum);
        return report;
    };
    auto withReportId = [](Report report, std::uint8_t id) {
        report[0] = id;
        return report;
    };
    Bytes settings(memory.settings.begin(), memory.settings.end());
    Bytes badProfile = settings;
    badProfile[10] = 3;
    const Bytes fill(56, 0xAA);
    struct Case {
        std::string name;
        Report request;
        std::uint8_t status;
    };
    const std::vector<Case> cases = {
        {"wrong checksum", withChecksum(MakeRequest(0x08, 56, 0, fill), 0x1234), 0xFF},
        {"wrong report id", withReportId(MakeRequest(0x08, 56, 0, fill), 0x05), 0xFF},
        {"unknown command", MakeRequest(0x20, 0, 0), 0xFF},
        {"key table write past the end", MakeRequest(0x08, 56, 1134 - 55, fill), 0xFE},
        {"more than 56 bytes", MakeRequest(0x08, 57, 0, fill), 0xFE},
        {"macro write past the capacity", MakeRequest(0x0A, 56, 256 - 55, fill), 0xFE},
        {"macro read past the capacity", MakeRequest(0x09, 1, 256), 0xFE},
        {"lighting read past the end", MakeRequest(0x05, 56, 256 - 55), 0xFE},
        {"colour write past the end", MakeRequest(0x11, 3, 1536 - 2, fill), 0xFE},
        {"factory table read past the end", MakeRequest(0x0F, 56, 378 - 55), 0xFE},
        {"settings of the wrong length", MakeRequest(0x04, 43, 0, settings), 0xFE},
        {"settings with profile 4", MakeRequest(0x04, 44, 0, badProfile), 0xFE},
    };
    const KeyboardMemory before = memory;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandOutcome outcome = Send(c.request);
        EXPECT_EQ(outcome.reply[7], c.status);
        EXPECT_EQ(outcome.reply[3], c.request[3]);
        EXPECT_FALSE(outcome.memoryChanged);
        EXPECT_TRUE(memory == before);
    }
}

TEST_F(Firmware, SettingsWritesChangeOnlyTheProfileAndTheUninterpretedHead) {
    Bytes settings(44, 0x77);
    settings[10] = 2;
    const CommandOutcome outcome = Send(MakeRequest(0x04, 44, 0, settings));
    EXPECT_EQ(outcome.reply[7], kStatusOk);
    EXPECT_TRUE(outcome.memoryChanged);
    EXPECT_EQ(memory.CurrentProfile(), 2);
    EXPECT_EQ(memory.settings[0], 0x77);
    EXPECT_EQ(memory.settings[7], 0x77);
    EXPECT_EQ(memory.FirmwareVersion(), kDefaultFirmwareVersion);
    EXPECT_EQ(memory.MacroUnits(), 2);
    EXPECT_EQ(memory.Effects().size(), 19u);
}

class StateFile : public ::testing::Test {
  protected:
    StateFile() : memory(MakeFactoryMemory(SimulatedKeyboardConfig{.macroUnits = 3}).value()) {
        memory.keyTables[800] = 0x42;
        memory.macroArea.back() = 0x99;
        memory.lighting[100] = 0x10;
        memory.colours[1535] = 0x20;
        memory.settings[10] = 1;
        memory.gBankReport = std::array<std::uint8_t, 2>{0x05, 0x03};
    }

    q804::testing::TempDir dir;
    KeyboardMemory memory;
};

TEST_F(StateFile, KeepsTheWholeMemory) {
    const auto path = dir / "kb.state";
    ASSERT_TRUE(SaveStateFile(path, memory));
    auto loaded = LoadStateFile(path);
    ASSERT_TRUE(loaded) << loaded.error().message;
    EXPECT_TRUE(loaded.value() == memory);

    memory.gBankReport.reset();
    auto reparsed = ParseState(SerializeState(memory));
    ASSERT_TRUE(reparsed);
    EXPECT_TRUE(reparsed.value() == memory);
}

TEST_F(StateFile, DamagedOrForeignFilesAreRefused) {
    const Bytes good = SerializeState(memory);
    struct Case {
        std::string name;
        std::function<void(Bytes&)> damage;
    };
    const std::vector<Case> cases = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"truncated", [](Bytes& b) { b.pop_back(); }},
        {"one byte more", [](Bytes& b) { b.push_back(0); }},
        {"foreign magic", [](Bytes& b) { b[0] = 'X'; }},
        {"newer format", [](Bytes& b) { b[8] = 2; }},
        {"flipped bit in the macro area", [](Bytes& b) { b[1572 + 10] ^= 0x01; }},
        {"flipped bit in the check word", [](Bytes& b) { b.back() ^= 0x80; }},
        {"macro size from another keyboard", [](Bytes& b) { b[10] = 4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good;
        c.damage(bytes);
        EXPECT_FALSE(ParseState(bytes));
    }
}

TEST_F(StateFile, ContentThatNoKeyboardCouldHoldIsRefused) {
    // Well sealed, but the settings name a fourth profile.
    memory.settings[10] = 3;
    EXPECT_FALSE(ParseState(SerializeState(memory)));

    // Well sealed, but the macro area disagrees with the settings' macro units.
    memory.settings[10] = 0;
    memory.macroArea.resize(128);
    EXPECT_FALSE(ParseState(SerializeState(memory)));
}

TEST_F(StateFile, MissingFilesAndFoldersGiveAnError) {
    EXPECT_FALSE(LoadStateFile(dir / "missing.state"));
    EXPECT_FALSE(LoadStateFile(dir.path()));
    EXPECT_FALSE(SaveStateFile(dir / "no" / "such" / "folder.state", memory));
}

}  // namespace
}  // namespace q804::device::sim
