#include "model/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "common/byte_io.h"
#include "tests/support/temp_dir.h"

namespace q804::model {
namespace {

using testing::TempDir;

std::vector<std::uint8_t> DefaultFileBytes() {
    StoreImage image = NewDefaultImage();
    return {image.bytes().begin(), image.bytes().end()};
}

void Reseal(std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < header::kChecksum; ++i) {
        sum += bytes[i];
    }
    bytes[header::kChecksum] = static_cast<std::uint8_t>(sum);
}

std::filesystem::path WriteBytes(const TempDir& dir, const char* name,
                                 const std::vector<std::uint8_t>& bytes) {
    return dir.Write(name, std::string(bytes.begin(), bytes.end()));
}

struct HeaderCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    int expected;
    bool formatMessage;
};

class ValidateHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ValidateHeader, AppliesEveryRule) {
    TempDir dir;
    std::vector<std::uint8_t> bytes = DefaultFileBytes();
    GetParam().damage(bytes);
    const auto path = WriteBytes(dir, "p.fwc", bytes);
    int messages = 0;
    EXPECT_EQ(ValidateProfileFile(path,
                                  [&](const std::filesystem::path& p) {
                                      EXPECT_EQ(p, path);
                                      ++messages;
                                  }),
              GetParam().expected);
    EXPECT_EQ(messages, GetParam().formatMessage ? 1 : 0);
}

const HeaderCase kHeaderCases[] = {
    {"exact_default", [](auto&) {}, 1, false},
    {"checksum_off_by_one", [](auto& b) { b[header::kChecksum] += 1; }, 0, true},
    {"macro_count_101",
     [](auto& b) {
         WriteU16(b, header::kMacroCount, 101);
         WriteU32(b, header::kTotalSize, 101 * 16512 + 32832);
         b.resize(101 * 16512 + 32832);
         Reseal(b);
     },
     0, true},
    {"flag_2",
     [](auto& b) {
         b[header::kFlag] = 2;
         Reseal(b);
     },
     0, true},
    {"flag_1_accepted",
     [](auto& b) {
         b[header::kFlag] = 1;
         Reseal(b);
     },
     1, false},
    {"total_size_mismatch",
     [](auto& b) {
         WriteU32(b, header::kTotalSize, 32833);
         Reseal(b);
     },
     0, true},
    {"wrong_magic",
     [](auto& b) {
         b[0] = 'X';
         Reseal(b);
     },
     0, true},
    {"wrong_entry_count",
     [](auto& b) {
         WriteU16(b, header::kEntryCountField, 2047);
         Reseal(b);
     },
     0, true},
    {"string_bytes_past_end",
     [](auto& b) {
         WriteU32(b, header::kStringBytes, 100);
         WriteU32(b, header::kTotalSize, 32932);
         Reseal(b);
     },
     0, true},
    {"longer_than_announced_is_fine", [](auto& b) { b.push_back(0); }, 1, false},
    {"too_short_no_message", [](auto& b) { b.resize(32831); }, 0, false},
    {"empty_no_message", [](auto& b) { b.clear(); }, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Rules, ValidateHeader, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ValidateProfileFile, WhatCannotBeOpened) {
    TempDir dir;
    EXPECT_EQ(ValidateProfileFile(dir / "missing.fwc"), 0);
    EXPECT_EQ(ValidateProfileFile(dir.path()), -2);
    ASSERT_EQ(::mkfifo((dir / "fifo.fwc").c_str(), 0600), 0);
    EXPECT_EQ(ValidateProfileFile(dir / "fifo.fwc"), -2);
}

class ProfileFiles : public ::testing::Test {
  protected:
    TempDir dir;
    AssignmentStore store;
    void SetUp() override { store.InstallNewDefaultStore(); }

    MacroRecord Macro(std::uint16_t id, std::u16string name) {
        MacroRecord macro;
        macro.setId(id);
        macro.setName(name);
        macro.setLoopCount(3);
        const std::vector<MacroAction> actions = {{120, 0x1E, 0}, {0, 0x1E, 1}};
        macro.setActions(actions);
        return macro;
    }
};

TEST_F(ProfileFiles, ProgramPathIsStoredInTheStringArea) {
    store.working.SetEntry(0, 30, AssignmentEntry{.type = 3}, u"/bin/true");  // 9 characters
    const auto path = dir / "launch.fwc";
    ASSERT_TRUE(SaveStoreFile(path, store.working));
    EXPECT_EQ(std::filesystem::file_size(path), 32832u + 20);
    EXPECT_EQ(ValidateProfileFile(path), 1);

    AssignmentStore other;
    ASSERT_TRUE(LoadStoreFile(path, other.working));
    EXPECT_EQ(other.working.image()->stringBytes(), 20u);
    EXPECT_EQ(other.working.EntryAt(0, 30).value, 0u);
    EXPECT_EQ(other.working.TextAt(30), u"/bin/true");
    EXPECT_EQ(other.working.stringBytes(), 20u);
}

TEST_F(ProfileFiles, SaveAndLoadRoundTripByteForByte) {
    store.working.macros() = {Macro(1, u"宏 one"), Macro(2, u"two")};
    store.working.SetEntry(1, 30, AssignmentEntry{.type = 4, .extra = 2, .value = 2});
    store.working.SetEntry(2, 31, AssignmentEntry{.type = 6}, u"hello 世界");
    store.working.SetEntry(2, 32, AssignmentEntry{.type = 3}, u"/usr/bin/gimp");
    const auto first = dir / "a.fwc";
    ASSERT_TRUE(SaveStoreFile(first, store.working));
    ASSERT_EQ(ValidateProfileFile(first), 1);

    AssignmentStore other;
    ASSERT_TRUE(LoadStoreFile(first, other.working));
    const auto second = dir / "b.fwc";
    ASSERT_TRUE(SaveStoreFile(second, other.working));
    EXPECT_EQ(testing::ReadText(first), testing::ReadText(second));
    EXPECT_EQ(other.working.macros().size(), 2u);
    EXPECT_EQ(other.working.macros()[0].name(), u"宏 one");
    EXPECT_EQ(other.working.TextAt(EntryNumber(2, 31)), u"hello 世界");
}

TEST_F(ProfileFiles, TruncatedFileLeavesTheStoreAlone) {
    store.working.macros() = {Macro(1, u"m")};
    const auto path = dir / "full.fwc";
    ASSERT_TRUE(SaveStoreFile(path, store.working));
    std::filesystem::resize_file(path, 32832 + 100);

    AssignmentStore target;
    target.InstallNewDefaultStore();
    target.working.SetEntry(0, 1, AssignmentEntry{.type = 1});
    Status loaded = LoadStoreFile(path, target.working);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(target.working.EntryAt(0, 1).type, 1);
    EXPECT_TRUE(target.working.macros().empty());
    EXPECT_EQ(ValidateProfileFile(path), 0);
}

TEST_F(ProfileFiles, BadTextOffsetsGiveNoText) {
    // Hand-made file: three text entries, a 12-byte string area.
    std::vector<std::uint8_t> bytes = DefaultFileBytes();
    auto setEntry = [&](int e, std::uint16_t type, std::uint32_t value) {
        WriteU16(bytes, 64 + 16 * e, type);
        WriteU32(bytes, 64 + 16 * e + 4, value);
    };
    setEntry(10, 3, 0);    // "ab"
    setEntry(11, 6, 7);    // odd offset: the low bit is ignored, "cd"
    setEntry(12, 3, 400);  // outside the area
    setEntry(13, 6, 10);   // the last unit has no terminator inside the area
    const std::vector<std::uint8_t> area = {'a', 0, 'b', 0, 0, 0, 'c', 0, 'd', 0, 'e', 0};
    WriteU32(bytes, header::kStringBytes, 12);
    WriteU32(bytes, header::kTotalSize, 32832 + 12);
    Reseal(bytes);
    bytes.insert(bytes.end(), area.begin(), area.end());
    const auto path = WriteBytes(dir, "texts.fwc", bytes);
    ASSERT_EQ(ValidateProfileFile(path), 1);
    ASSERT_TRUE(LoadStoreFile(path, store.working));
    EXPECT_EQ(store.working.TextAt(10), u"ab");
    EXPECT_EQ(store.working.TextAt(11), std::nullopt);  // "cd" runs into 'e' with no terminator
    EXPECT_EQ(store.working.TextAt(12), std::nullopt);
    EXPECT_EQ(store.working.TextAt(13), std::nullopt);
    EXPECT_EQ(store.working.stringBytes(), 6u);

    // Saved again, the text-less entries point past the area and stay without text.
    const auto again = dir / "again.fwc";
    ASSERT_TRUE(SaveStoreFile(again, store.working));
    AssignmentStore reread;
    ASSERT_TRUE(LoadStoreFile(again, reread.working));
    EXPECT_EQ(reread.working.TextAt(10), u"ab");
    EXPECT_EQ(reread.working.TextAt(12), std::nullopt);
}

TEST_F(ProfileFiles, SavingIntoAnUnwritablePlaceKeepsTheOldFile) {
    const auto path = dir / "keep.fwc";
    ASSERT_TRUE(SaveStoreFile(path, store.working));
    const std::string before = testing::ReadText(path);
    EXPECT_FALSE(SaveStoreFile(dir / "keep.fwc" / "child.fwc", store.working));
    EXPECT_FALSE(SaveStoreFile(dir.path(), store.working));
    EXPECT_EQ(testing::ReadText(path), before);
}

}  // namespace
}  // namespace q804::model
