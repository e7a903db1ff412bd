#include "model/macro_area.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/byte_io.h"

namespace q804::model {
namespace {

using Bytes = std::vector<std::uint8_t>;

MacroRecord Macro(std::u16string name, std::uint8_t loops, std::vector<MacroAction> actions,
                  std::uint16_t id = 1) {
    MacroRecord macro;
    macro.setName(name);
    macro.setLoopCount(loops);
    macro.setId(id);
    macro.setActions(actions);
    return macro;
}

Bytes Encode(const std::vector<MacroRecord>& macros, bool withNames) {
    const MacroAreaSize sizes = MacroAreaSizes(macros);
    Bytes area(withNames ? sizes.withNames : sizes.withoutNames);
    EncodeMacroArea(area, withNames, macros);
    return area;
}

// A pressed then released after 120 ms, A released 0 ms later, loop count 3.
const MacroRecord kAb = Macro(u"ab", 3, {{120, 0x01E, 0}, {0, 0x01E, 1}});

TEST(MacroArea, EmptyAreaIsSixteenBytes) {
    EXPECT_EQ(Encode({}, true),
              (Bytes{0xAA, 0x55, 0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MacroArea, TwoActionMacroIsByteExact) {
    const MacroAreaSize sizes = MacroAreaSizes(std::vector<MacroRecord>{kAb});
    EXPECT_EQ(sizes.withNames, 34u);
    EXPECT_EQ(sizes.withoutNames, 30u);
    EXPECT_EQ(
        Encode({kAb}, true),
        (Bytes{0xAA, 0x55, 0x22, 0x00, 0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,  // header
               0x12, 0x00,                                                              // offset
               0x02, 0x00, 0x03, 0x02,                                                  // data
               0x0C, 0xA0, 0x02, 0x04, 0x00, 0x20, 0x02, 0x04,                          // actions
               0x61, 0x00, 0x62, 0x00}));                                               // "ab"
    const Bytes noNames = Encode({kAb}, false);
    ASSERT_EQ(noNames.size(), 30u);
    EXPECT_EQ(ReadU16(noNames, 2), 30);
    EXPECT_EQ(noNames[6], 0);   // names flag
    EXPECT_EQ(noNames[21], 0);  // name length
}

struct ActionCase {
    const char* name;
    MacroAction action;
    std::uint16_t word;
    std::uint8_t d0, d1;
};

class PackedAction : public ::testing::TestWithParam<ActionCase> {};

TEST_P(PackedAction, TravelsAsItsRecordKind) {
    const Bytes area = Encode({Macro(u"", 1, {GetParam().action})}, false);
    EXPECT_EQ(ReadU16(area, 22), GetParam().word);
    EXPECT_EQ(area[24], GetParam().d0);
    EXPECT_EQ(area[25], GetParam().d1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PackedAction,
    ::testing::Values(ActionCase{"left_shift_press", {50, 0x02A, 0}, 0xA005, 0x01, 0x02},
                      ActionCase{"right_win_release", {0, 0x15C, 1}, 0x2000, 0x01, 0x80},
                      ActionCase{"right_mouse_release", {30, 0x172, 1}, 0x1003, 0x01, 0x02},
                      ActionCase{"wheel_down_press", {0, 0x162, 0}, 0x9000, 0x05, 0xFF},
                      ActionCase{"sleep_key", {0, 0x15F, 0}, 0xC000, 0x82, 0x00},
                      ActionCase{"media_pseudo_key", {0, 0x130, 0}, 0xA000, 0x02, 0xC0},
                      ActionCase{"unsendable_key", {0, 0x064, 0}, 0x8000, 0x00, 0x00},
                      ActionCase{"max_delay", {40950, 0x01E, 1}, 0x2FFF, 0x02, 0x04},
                      ActionCase{"delay_wraps", {40960, 0x01E, 1}, 0x2000, 0x02, 0x04},
                      ActionCase{"delay_rounds_down", {125, 0x01E, 1}, 0x200C, 0x02, 0x04}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MacroArea, DecodeGivesPositionIdsAndNamesForUnnamedMacros) {
    const std::vector<MacroRecord> macros = {kAb, Macro(u"x", 7, {{1000, 0x171, 0}}, 42)};
    const auto decoded = DecodeMacroArea(Encode(macros, false), u"Macro ");
    ASSERT_TRUE(decoded) << decoded.error().message;
    ASSERT_EQ(decoded.value().size(), 2u);
    EXPECT_EQ(decoded.value()[0].name(), u"Macro 1");
    EXPECT_EQ(decoded.value()[1].name(), u"Macro 2");
    EXPECT_EQ(decoded.value()[1].id(), 2);  // ids follow positions, not the written ids
    EXPECT_EQ(decoded.value()[1].loopCount(), 7);
    EXPECT_EQ(decoded.value()[0].action(0), (MacroAction{120, 0x01E, 0}));
    EXPECT_EQ(decoded.value()[0].action(1), (MacroAction{0, 0x01E, 1}));
    EXPECT_EQ(decoded.value()[1].action(0), (MacroAction{1000, 0x171, 0}));

    const auto named = DecodeMacroArea(Encode(macros, true), u"Macro ");
    ASSERT_TRUE(named);
    EXPECT_EQ(named.value()[0].name(), u"ab");
    // 125 ms goes out as 12 steps and comes back as 120 ms.
    const auto rounded = DecodeMacroArea(Encode({Macro(u"r", 1, {{125, 0x01E, 0}})}, false), u"");
    ASSERT_TRUE(rounded);
    EXPECT_EQ(rounded.value()[0].action(0).delayMs, 120u);
}

struct DamageCase {
    const char* name;
    void (*damage)(Bytes&);
};

class DamagedArea : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedArea, IsAnErrorNotARead) {
    Bytes area = Encode({kAb, Macro(u"second", 2, {{0, 0x01E, 0}, {0, 0x01E, 1}}, 2)}, true);
    GetParam().damage(area);
    EXPECT_FALSE(DecodeMacroArea(area, u"M"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedArea,
    ::testing::Values(
        DamageCase{"no_mark", [](Bytes& a) { a[0] = 0; }},
        DamageCase{"size_past_block",
                   [](Bytes& a) { WriteU16(a, 2, static_cast<std::uint16_t>(a.size() + 1)); }},
        DamageCase{"size_below_header", [](Bytes& a) { WriteU16(a, 2, 8); }},
        DamageCase{"too_many_macros", [](Bytes& a) { WriteU16(a, 4, 101); }},
        DamageCase{"offset_table_past_end", [](Bytes& a) { WriteU16(a, 4, 40); }},
        DamageCase{"offset_past_end", [](Bytes& a) { WriteU16(a, 18, 0xFFF0); }},
        DamageCase{"actions_past_end", [](Bytes& a) { WriteU16(a, ReadU16(a, 18), 500); }},
        DamageCase{"name_past_end", [](Bytes& a) { a[ReadU16(a, 18) + 3] = 200; }},
        DamageCase{"truncated", [](Bytes& a) { a.resize(a.size() - 1); }},
        DamageCase{"tiny", [](Bytes& a) { a.resize(3); }}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace q804::model
