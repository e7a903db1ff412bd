#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/assignment_store.h"
#include "model/store_image.h"

namespace q804::model {
namespace {

TEST(StoreImage, NewDefaultImageIsByteExact) {
    const StoreImage image = NewDefaultImage();
    const auto bytes = image.bytes();
    ASSERT_EQ(bytes.size(), 32832u);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00, 0x40,
                                               0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00}));
    for (std::size_t i = 16; i <= 30; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    EXPECT_EQ(bytes[31], 0x76);
    EXPECT_TRUE(
        std::equal(kHeaderConstantBlock.begin(), kHeaderConstantBlock.end(), bytes.begin() + 32));
    for (std::size_t i = 56; i < 64; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    for (int e = 0; e < kEntryCount; ++e) {
        AssignmentEntry expected;
        if (e >= 256 && e < 274) {
            expected.extra =
                static_cast<std::uint16_t>(e < 265 ? 0x301 + (e - 256) : 0x1301 + (e - 265));
        }
        ASSERT_EQ(image.Entry(e), expected) << e;
    }
}

TEST(StoreImage, ClearingOneSliceLeavesTheOthers) {
    StoreImage image = NewDefaultImage();
    const AssignmentEntry marked{.type = 2, .value = 0x1E};
    for (int profile = 0; profile < 3; ++profile) {
        image.SetEntry(EntryNumber(profile, 30), marked);
    }
    ClearProfileSlice(image, 2);
    EXPECT_EQ(image.Entry(EntryNumber(0, 30)), marked);
    EXPECT_EQ(image.Entry(EntryNumber(1, 30)), marked);
    EXPECT_EQ(image.Entry(EntryNumber(2, 30)), AssignmentEntry{});
    EXPECT_EQ(image.Entry(1280).extra, 0x301);
    EXPECT_EQ(image.Entry(1288).extra, 0x309);
    EXPECT_EQ(image.Entry(1289).extra, 0x1301);
    EXPECT_EQ(image.Entry(1297).extra, 0x1309);
    EXPECT_EQ(image.Entry(1298).extra, 0);
    // The second slice never had G codes from a whole-store clear, and keeps none.
    EXPECT_EQ(image.Entry(EntryNumber(1, 256)).extra, 0);
}

TEST(StoreImage, HeaderTracksMacrosAndTexts) {
    StoreImage image = NewDefaultImage();
    InitStoreHeader(image, 2, 20, 0);
    EXPECT_EQ(image.macroCount(), 2);
    EXPECT_EQ(image.stringBytes(), 20u);
    EXPECT_EQ(image.totalSize(), 2u * 16512 + 20 + 32832);
    EXPECT_EQ(image.checksum(), image.ComputedChecksum());
}

MacroRecord Macro(std::uint16_t id, std::uint16_t isNew = 0) {
    MacroRecord macro;
    macro.setId(id);
    macro.setIsNewMacro(isNew);
    macro.setLoopCount(1);
    return macro;
}

class Store : public ::testing::Test {
  protected:
    AssignmentStore store;
    void SetUp() override { store.InstallNewDefaultStore(); }
};

TEST_F(Store, TextsFollowTheirEntries) {
    const AssignmentEntry launch{.type = 3};
    store.working.SetEntry(1, 30, launch, u"/usr/bin/x");  // 10 units + terminator
    EXPECT_EQ(store.working.stringBytes(), 22u);
    EXPECT_EQ(store.working.TextAt(EntryNumber(1, 30)), u"/usr/bin/x");
    store.working.SetEntry(1, 31, AssignmentEntry{.type = 6}, u"hi");
    EXPECT_EQ(store.working.stringBytes(), 28u);
    // A key over the launch entry frees its text.
    store.working.SetEntry(1, 30, AssignmentEntry{.type = 2, .value = 0x1E}, u"ignored");
    EXPECT_EQ(store.working.stringBytes(), 6u);
    EXPECT_FALSE(store.working.TextAt(EntryNumber(1, 30)).has_value());
    // Out-of-range slots are ignored, never written past the image.
    store.working.SetEntry(0, 512, AssignmentEntry{.type = 2});
    store.working.SetEntry(0, -1, AssignmentEntry{.type = 2});
    EXPECT_EQ(store.working.EntryAt(0, 512), AssignmentEntry{});
    EXPECT_EQ(store.working.EntryAt(5, 0), AssignmentEntry{});
}

TEST_F(Store, MacroLookupsFollowTheList) {
    store.working.macros() = {Macro(7), Macro(3), Macro(9)};
    EXPECT_EQ(store.working.MacroPositionOfId(9), 2);
    EXPECT_EQ(store.working.MacroPositionOfId(3), 1);
    EXPECT_EQ(store.working.MacroPositionOfId(42), 0);  // same answer as the first macro
    EXPECT_EQ(store.working.MacroIdAt(0), 7);
    EXPECT_EQ(store.working.MacroIdAt(3), 0);
    EXPECT_EQ(store.working.MacroIdAt(-1), 0);
}

TEST_F(Store, MacroInUseAsksOnlyWhenAnEntryUsesIt) {
    store.working.macros() = {Macro(1), Macro(2, 1)};
    int asked = 0;
    bool answer = false;
    auto ask = [&](std::string_view key) {
        EXPECT_EQ(key, "MACRO_DELETE_CONFIRM_OF_KEYS");
        ++asked;
        return answer;
    };
    EXPECT_TRUE(store.IsMacroInUse(store.working.macros()[0], ask));
    EXPECT_EQ(asked, 0);

    // Used by the third profile: asked; No keeps it.
    store.working.SetEntry(2, 40, AssignmentEntry{.type = 4, .extra = 3, .value = 1});
    EXPECT_FALSE(store.IsMacroInUse(store.working.macros()[0], ask));
    answer = true;
    EXPECT_TRUE(store.IsMacroInUse(store.working.macros()[0], ask));
    EXPECT_EQ(asked, 2);

    // A macro made since the editor opened is never asked about.
    store.working.SetEntry(0, 30, AssignmentEntry{.type = 4, .value = 2});
    EXPECT_TRUE(store.IsMacroInUse(store.working.macros()[1], ask));
    EXPECT_EQ(asked, 2);
}

TEST_F(Store, MacroUsedOnlyByTheFirstGKeyIsAskedAbout) {
    store.working.macros() = {Macro(5)};
    store.working.SetEntry(0, 256, AssignmentEntry{.type = 4, .extra = 0x301, .value = 5});
    int asked = 0;
    EXPECT_FALSE(store.IsMacroInUse(store.working.macros()[0], [&](std::string_view) {
        ++asked;
        return false;
    }));
    EXPECT_EQ(asked, 1);
}

TEST_F(Store, SnapshotIsAnIndependentCopyWithAFreshHeader) {
    store.working.macros() = {Macro(4), Macro(8)};
    store.working.SetEntry(0, 30, AssignmentEntry{.type = 3}, u"abc");
    store.working.image()->bytes()[header::kFlag] = 1;
    ASSERT_TRUE(store.TakeUploadSnapshot());
    const auto& image = *store.snapshot.image();
    EXPECT_EQ(image.macroCount(), 2);
    EXPECT_EQ(image.stringBytes(), 8u);
    EXPECT_EQ(image.flag(), 0);
    EXPECT_EQ(image.checksum(), image.ComputedChecksum());
    EXPECT_EQ(store.snapshot.SnapshotMacroPositionOfId(8), 1);

    store.working.SetEntry(0, 30, AssignmentEntry{.type = 1});
    store.working.macros().clear();
    EXPECT_EQ(store.snapshot.EntryAt(0, 30).type, 3);
    EXPECT_EQ(store.snapshot.macros().size(), 2u);
}

TEST_F(Store, ReleasedStoreReadsAsEmptyAndCannotSnapshot) {
    store.working.ReleaseWorkingImage();
    EXPECT_FALSE(store.working.hasImage());
    EXPECT_EQ(store.working.EntryAt(0, 256), AssignmentEntry{});
    store.working.SetEntry(0, 1, AssignmentEntry{.type = 2});  // ignored, no crash
    EXPECT_FALSE(store.TakeUploadSnapshot());
    EXPECT_FALSE(store.snapshot.image().has_value());
}

TEST(MacroRecord, AccessorsStayInsideTheBlock) {
    MacroRecord macro;
    macro.setName(std::u16string(400, u'x'));
    EXPECT_EQ(macro.name().size(), 249u);
    EXPECT_EQ(macro.bytes()[2 * 249], 0);  // terminator kept
    std::vector<MacroAction> actions(2500, MacroAction{10, 0x1E, 0});
    macro.setActions(actions);
    EXPECT_EQ(macro.actionCount(), 2000);
    // A corrupt count from a file is never followed past the block.
    std::array<std::uint8_t, kMacroRecordSize> raw{};
    raw[macro::kActionCount] = 0xFF;
    raw[macro::kActionCount + 1] = 0xFF;
    MacroRecord corrupt(raw);
    EXPECT_EQ(corrupt.actionCount(), 0xFFFF);
    EXPECT_EQ(corrupt.usableActionCount(), 2000u);
    // A name without a terminator stops at 249 characters.
    std::array<std::uint8_t, kMacroRecordSize> unterminated{};
    std::fill(unterminated.begin(), unterminated.begin() + 500, 0x41);
    EXPECT_EQ(MacroRecord(unterminated).name().size(), 249u);
}

}  // namespace
}  // namespace q804::model
