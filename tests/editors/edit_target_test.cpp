// Which entry a key button edits and where the editor appears.

#include <gtest/gtest.h>

#include "model/editor/edit_target.h"

namespace q804::model::editor {
namespace {

struct TargetCase {
    KeyButtonId button;
    int bank;
    KeySlot slot;
    int gKey;  // -1 for none
    bool macroOnly;
};

TEST(EditTarget, KeysEditTheirKeySlotAndGKeysTheSlotOfTheBankShown) {
    const TargetCase cases[] = {
        {1058, 0, 0x1E, -1, false},                            // A
        {1058, 1, 0x1E, -1, false},                            // the bank concerns only G keys
        {1094, 0, 0xD2, -1, false},                            // Insert, code 0x152
        {1000, 0, 256, 0, false},                              // G1, bank A
        {1002, 1, 267, 2, false},                              // G3, bank B
        {1143, 0, 264, 8, true},                               // G9 opens the macro manager
        {1143, 1, 273, 8, true},    {1002, 5, 267, 2, false},  // any bank other than 0 is B
    };
    for (const auto& c : cases) {
        auto target = ResolveEditTarget(c.button, c.bank);
        ASSERT_TRUE(target) << c.button;
        EXPECT_EQ(target->slot, c.slot) << c.button << " bank " << c.bank;
        EXPECT_EQ(target->gKey.value_or(-1), c.gKey) << c.button;
        EXPECT_EQ(target->macroOnly, c.macroOnly) << c.button;
    }
    for (KeyButtonId unlisted : {1016, 1021, 1057, 1174, 1135, 0, -1}) {
        EXPECT_FALSE(ResolveEditTarget(unlisted, 0)) << unlisted;
    }
}

TEST(EditTarget, ColourFlagsSitAtTheButtonsPositionNotItsKeySlot) {
    EXPECT_EQ(ColourFlagSlot(1058, 0), 0);    // A is row 0, although its key slot is 30
    EXPECT_EQ(ColourFlagSlot(1227, 1), 105);  // the last row
    EXPECT_EQ(ColourFlagSlot(1002, 0), 2);    // G3, bank A
    EXPECT_EQ(ColourFlagSlot(1002, 1), 11);   // G3, bank B
    EXPECT_EQ(ColourFlagSlot(1174, 0), kNoSlot);
}

struct PlaceCase {
    const char* where;
    ScreenRect key;
    ScreenPoint expected;
};

TEST(EditTarget, PlacedBesideTheKeyWhereverItFits) {
    constexpr int kW = 560;
    constexpr int kH = 440;
    const PlaceCase cases[] = {
        {"below-right", {100, 100, 150, 140}, {150, 140}},
        {"above-right (no room below)", {100, 700, 150, 740}, {150, 260}},
        {"below-left (no room right)", {1500, 100, 1550, 140}, {940, 140}},
        {"above-left", {1500, 700, 1550, 740}, {940, 260}},
        // 380 pixels below and 400 above: nothing fits on either side, so below-right.
        {"no room above or below", {600, 400, 650, 700}, {650, 700}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceNextToKey(c.key, kW, kH, 1920, 1080), c.expected) << c.where;
    }
    // A dialog larger than the screen still goes below-right.
    EXPECT_EQ(PlaceNextToKey({10, 10, 20, 20}, 3000, 3000, 1920, 1080), (ScreenPoint{20, 20}));
    EXPECT_EQ(CentreOnScreen(kW, kH, 1920, 1080), (ScreenPoint{680, 320}));
}

}  // namespace
}  // namespace q804::model::editor
