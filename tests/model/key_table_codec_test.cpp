#include "model/key_table_codec.h"

#include <gtest/gtest.h>

namespace q804::model {
namespace {

// Positions of the built-in matrix used below.
constexpr int kEscPosition = 8;        // 02 02 29
constexpr int kCapsPosition = 11;      // 02 02 39
constexpr int kAPosition = 19;         // 02 02 04
constexpr int kLeftCtrlPosition = 13;  // 02 01 01
constexpr int kStopPosition = 53;      // 05 02 02: no key

DeviceKeyRecord RecordAt(const KeyTable& table, int position) {
    return ReadDeviceKeyRecord(table, static_cast<std::size_t>(position) * 3);
}

class KeyTableCodec : public ::testing::Test {
  protected:
    AssignmentStore store;
    KeyTable matrix = DefaultMatrix::BuiltIn();

    void SetUp() override { store.InstallNewDefaultStore(); }

    void Set(int profile, KeyCode key, AssignmentEntry entry) {
        store.working.SetEntry(profile, KeySlotOfCode(key), entry);
    }
    KeyTable Encode(int profile) {
        EXPECT_TRUE(store.TakeUploadSnapshot());
        return EncodeKeyTable(store.snapshot, profile, matrix);
    }
};

TEST_F(KeyTableCodec, DefaultEntriesGiveTheFactoryTable) {
    for (int profile = 0; profile < 3; ++profile) {
        EXPECT_EQ(Encode(profile), matrix);
    }
}

struct EncodeCase {
    const char* name;
    AssignmentEntry entry;
    DeviceKeyRecord expected;
};

class EncodeEntry : public KeyTableCodec, public ::testing::WithParamInterface<EncodeCase> {};

TEST_P(EncodeEntry, AtTheCapsLockPosition) {
    store.working.macros().resize(3);
    store.working.macros()[0].setId(5);
    store.working.macros()[1].setId(9);
    store.working.macros()[2].setId(7);
    Set(1, 0x03A, GetParam().entry);
    const KeyTable table = Encode(1);
    EXPECT_EQ(RecordAt(table, kCapsPosition), GetParam().expected);
    // Nothing else moved.
    for (int k = 0; k < kMatrixPositions; ++k) {
        if (k != kCapsPosition) {
            ASSERT_EQ(RecordAt(table, k), RecordAt(matrix, k)) << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, EncodeEntry,
    ::testing::Values(
        EncodeCase{"default", {.type = 0}, {0x02, 0x02, 0x39}},
        EncodeCase{"disabled", {.type = 1}, {0, 0, 0}},
        EncodeCase{"right_win", {.type = 2, .value = 0x15C}, {0x02, 0x01, 0x80}},
        EncodeCase{"left_ctrl", {.type = 2, .value = 0x01D}, {0x02, 0x01, 0x01}},
        EncodeCase{"num_5", {.type = 2, .value = 0x04C}, {0x02, 0x02, 0x5D}},
        EncodeCase{"mouse_left", {.type = 2, .value = 0x171}, {0x01, 0x01, 0x01}},
        EncodeCase{"wheel_down", {.type = 2, .value = 0x162}, {0x01, 0x05, 0xFF}},
        EncodeCase{
            "sleep_is_not_a_keyboard_usage", {.type = 2, .value = 0x15F}, {0x02, 0x02, 0x00}},
        EncodeCase{"volume_pseudo_key", {.type = 2, .value = 0x130}, {0x02, 0x02, 0xC0}},
        EncodeCase{"launch_program", {.type = 3, .value = 0}, {0x02, 0x02, 0x39}},
        EncodeCase{"third_macro", {.type = 4, .extra = 2, .value = 7}, {0x05, 0x01, 0x02}},
        EncodeCase{"missing_macro", {.type = 4, .value = 99}, {0x05, 0x01, 0x00}},
        EncodeCase{"stop_macro", {.type = 5}, {0x05, 0x02, 0x00}},
        EncodeCase{"text_block", {.type = 6}, {0, 0, 0}},
        EncodeCase{"media_volume_up", {.type = 7, .value = 6}, {0x03, 0xE9, 0x00}},
        EncodeCase{"media_mail", {.type = 7, .value = 17}, {0x03, 0x8A, 0x01}},
        EncodeCase{"media_out_of_range", {.type = 7, .value = 18}, {0x02, 0x02, 0x39}},
        EncodeCase{"function_10", {.type = 8, .value = 10}, {0x05, 0x05, 0x0A}},
        EncodeCase{"unknown_type", {.type = 9, .value = 1}, {0x02, 0x02, 0x39}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(KeyTableCodec, OnlyTheAskedProfileIsEncoded) {
    Set(0, 0x01E, {.type = 1});
    EXPECT_EQ(RecordAt(Encode(0), kAPosition), (DeviceKeyRecord{}));
    EXPECT_EQ(RecordAt(Encode(2), kAPosition), (DeviceKeyRecord{0x02, 0x02, 0x04}));
}

class DecodeTable : public KeyTableCodec {
  protected:
    StoreImage image = NewDefaultImage();
    AssignmentEntry DecodeAt(int position, DeviceKeyRecord record, KeyCode key) {
        KeyTable table = matrix;
        WriteDeviceKeyRecord(table, static_cast<std::size_t>(position) * 3, record);
        DecodeKeyTable(image, 2, table, matrix);
        return image.Entry(EntryNumber(2, KeySlotOfCode(key)));
    }
};

TEST_F(DecodeTable, FactoryTableLeavesTheSliceDefault) {
    image.SetEntry(EntryNumber(2, 30), {.type = 2, .value = 5});
    DecodeKeyTable(image, 2, matrix, matrix);
    for (int slot = 0; slot < kSlotsPerProfile; ++slot) {
        AssignmentEntry expected;
        expected.extra = GKeyFunctionCode(slot);
        ASSERT_EQ(image.Entry(EntryNumber(2, slot)), expected) << slot;
    }
}

TEST_F(DecodeTable, RecordsBecomeEntries) {
    struct Case {
        int position;
        DeviceKeyRecord record;
        KeyCode key;
        AssignmentEntry expected;
    };
    const Case cases[] = {
        {kEscPosition, {0x02, 0x02, 0x04}, 0x001, {.type = 2, .value = 0x01E}},
        {kEscPosition, {0x03, 0xB5, 0x00}, 0x001, {.type = 7, .value = 4}},
        {kEscPosition, {0x03, 0xB5, 0x01}, 0x001, {.type = 1}},
        {kEscPosition, {0x05, 0x01, 0x02}, 0x001, {.type = 4, .value = 3}},
        {kEscPosition, {0x05, 0x02, 0x00}, 0x001, {.type = 5}},
        {kEscPosition, {0x05, 0x05, 0x0A}, 0x001, {.type = 8, .value = 10}},
        {kEscPosition, {0x05, 0x07, 0x00}, 0x001, {.type = 1}},
        {kEscPosition, {0x01, 0x01, 0x04}, 0x001, {.type = 2, .value = 0x173}},
        {kEscPosition, {0x01, 0x05, 0x01}, 0x001, {.type = 2, .value = 0x161}},
        {kEscPosition, {0x01, 0x02, 0x01}, 0x001, {.type = 1}},
        {kEscPosition, {0x02, 0x01, 0x21}, 0x001, {.type = 2, .value = 0x01D}},
        {kEscPosition, {0x02, 0x02, 0x00}, 0x001, {.type = 1}},
        {kEscPosition, {0x04, 0x82, 0x00}, 0x001, {.type = 1}},  // system keys come back disabled
        {kEscPosition, {0x00, 0x00, 0x00}, 0x001, {.type = 1}},
        {kLeftCtrlPosition, {0x02, 0x02, 0x39}, 0x01D, {.type = 2, .value = 0x03A}},
    };
    for (const Case& c : cases) {
        image = NewDefaultImage();
        EXPECT_EQ(DecodeAt(c.position, c.record, c.key), c.expected)
            << "record " << int(c.record.kind) << " " << int(c.record.a) << " " << int(c.record.b);
    }
}

TEST_F(DecodeTable, PositionsWithoutAKeyAreSkipped) {
    KeyTable table = matrix;
    WriteDeviceKeyRecord(table, kStopPosition * 3, {0x02, 0x02, 0x04});
    DecodeKeyTable(image, 0, table, matrix);
    EXPECT_EQ(image.Entry(EntryNumber(0, 0)), AssignmentEntry{});
}

TEST_F(KeyTableCodec, ReadingBackWhatWasWrittenLosesOnlyWhatTheFormatCannotHold) {
    store.working.macros().resize(2);
    store.working.macros()[0].setId(4);
    store.working.macros()[1].setId(8);
    Set(0, 0x03A, {.type = 2, .value = 0x15C});          // kept
    Set(0, 0x01E, {.type = 7, .value = 1});              // kept
    Set(0, 0x001, {.type = 4, .extra = 3, .value = 8});  // id becomes position + 1
    Set(0, 0x01F, {.type = 2, .value = 0x01F});          // its own function: back as default
    Set(0, 0x020, {.type = 3});                          // host-side: back as default
    Set(0, 0x014, {.type = 6});                          // text: back as disabled
    StoreImage image = NewDefaultImage();
    DecodeKeyTable(image, 0, Encode(0), matrix);
    auto at = [&](KeyCode key) { return image.Entry(EntryNumber(0, KeySlotOfCode(key))); };
    EXPECT_EQ(at(0x03A), (AssignmentEntry{.type = 2, .value = 0x15C}));
    EXPECT_EQ(at(0x01E), (AssignmentEntry{.type = 7, .value = 1}));
    EXPECT_EQ(at(0x001), (AssignmentEntry{.type = 4, .value = 2}));
    EXPECT_EQ(at(0x01F), AssignmentEntry{});
    EXPECT_EQ(at(0x020), AssignmentEntry{});
    EXPECT_EQ(at(0x014), (AssignmentEntry{.type = 1}));
}

TEST(DefaultMatrix, StartsBuiltInAndTakesTheKeyboardsTable) {
    DefaultMatrix defaults;
    EXPECT_EQ(RecordAt(defaults.Copy(), kEscPosition), (DeviceKeyRecord{0x02, 0x02, 0x29}));
    EXPECT_EQ(RecordAt(defaults.Copy(), 0), (DeviceKeyRecord{0x05, 0x00, 0x00}));
    EXPECT_EQ(RecordAt(defaults.Copy(), 125), (DeviceKeyRecord{}));
    KeyTable other{};
    other[0] = 0x06;
    defaults.Replace(other);
    EXPECT_EQ(defaults.Copy(), other);
}

}  // namespace
}  // namespace q804::model
