#include "common/text_format.h"

#include <gtest/gtest.h>

namespace q804 {
namespace {

struct NumberCase {
    const char* format;
    std::int64_t number;
    const char* expected;
};

class FormatNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumber, FillsOnlyTheFirstConversion) {
    EXPECT_EQ(FormatText(GetParam().format, GetParam().number), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumber,
    ::testing::Values(NumberCase{"At most %d macros.", 100, "At most 100 macros."},
                      NumberCase{"Unknown key (0x%04X)", 0x1F, "Unknown key (0x001F)"},
                      NumberCase{"%x|%5d|%-5d|", 255, "ff|%5d|%-5d|"},
                      NumberCase{"%5d|", -42, "  -42|"}, NumberCase{"%05d|", -42, "-0042|"},
                      NumberCase{"%-5d|", 7, "7    |"}, NumberCase{"%u", -1, "4294967295"},
                      NumberCase{"%ld ms", 40000, "40000 ms"},
                      NumberCase{"100%% sure: %d", 3, "100% sure: 3"},
                      NumberCase{"no conversion", 5, "no conversion"},
                      NumberCase{"%n%d", 5, "%n5"},        // %n is never a conversion
                      NumberCase{"%s%s%s", 12, "12%s%s"},  // only the first is filled
                      NumberCase{"trailing %", 1, "trailing %"},
                      NumberCase{"%d", INT64_MIN, "-9223372036854775808"}));

TEST(FormatText, AHugeWidthStaysBounded) {
    EXPECT_EQ(FormatText("%999999999d", 1), std::string(255, ' ') + "1");
}

TEST(FormatText, StringArgumentHonoursPrecisionAndWidth) {
    EXPECT_EQ(FormatText("File \"%s\" is damaged.", "/tmp/a b.fwc"),
              "File \"/tmp/a b.fwc\" is damaged.");
    EXPECT_EQ(FormatText("[%.2s]", "文件名"), "[文件]");
    EXPECT_EQ(FormatText("[%4s]", "ab"), "[  ab]");
    EXPECT_EQ(FormatText("%s %s %n %p", "x"), "x %s %n %p");
    EXPECT_EQ(FormatText("%d items", "many"), "many items");
    EXPECT_EQ(FormatText("% and %s", "x"), "% and x");  // '%' before a blank is no conversion
}

}  // namespace
}  // namespace q804
