#include "device/hidapi/report_descriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "tests/device_hidapi/keyboard_descriptors.h"

namespace q804::device::hidapi {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::ConsumerCollectionBytes;
using testing::LedCollectionBytes;
using testing::SharedNodeDescriptor;
using testing::VendorCollectionBytes;

struct GoldenCase {
    std::string name;
    Bytes descriptor;
    std::vector<TopLevelCollection> expected;
    bool numbered;
};

TopLevelCollection Collection(std::uint16_t page, std::uint16_t usage, Bytes in = {},
                              Bytes out = {}, Bytes feature = {}) {
    return TopLevelCollection{page, usage, 1, std::move(in), std::move(out), std::move(feature)};
}

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.name;
}

class GoldenDescriptors : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenDescriptors, DecodeToTheirCollections) {
    const GoldenCase& golden = GetParam();
    Result<ReportDescriptorInfo> parsed = ParseReportDescriptor(golden.descriptor);
    ASSERT_TRUE(parsed.ok()) << parsed.error().message;
    EXPECT_EQ(parsed.value().collections, golden.expected);
    EXPECT_EQ(parsed.value().numberedReports, golden.numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoldenDescriptors,
    ::testing::Values(
        GoldenCase{"KeyboardSharedNode",
                   SharedNodeDescriptor(),
                   {Collection(0x000C, 0x0001, {3}), Collection(0xFF1C, 0x0092, {4}, {4}),
                    Collection(0x0008, 0x0089, {}, {5})},
                   true},
        GoldenCase{"UnnumberedConsumer",
                   ConsumerCollectionBytes(false),
                   {Collection(0x000C, 0x0001)},
                   false},
        GoldenCase{
            "VendorAlone", VendorCollectionBytes(), {Collection(0xFF1C, 0x92, {4}, {4})}, true},
        GoldenCase{"LedAlone", LedCollectionBytes(), {Collection(0x0008, 0x89, {}, {5})}, true},
        // A 4-byte usage carries its own page, whatever the global usage page says.
        GoldenCase{"ExtendedUsage",
                   {0x06, 0x00, 0xFF, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0xC0},
                   {Collection(0x000C, 0x0001)},
                   false},
        // A short usage takes the page in force when the Collection comes.
        GoldenCase{"UsagePageAfterUsage",
                   {0x09, 0x01, 0x05, 0x0C, 0xA1, 0x01, 0xC0},
                   {Collection(0x000C, 0x0001)},
                   false},
        // Report ids used inside nested collections belong to the top-level one; the
        // nested collection is not a top-level collection of its own.
        GoldenCase{"NestedCollections",
                   {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Mouse, application
                    0x09, 0x01, 0xA1, 0x00,              //   Pointer, physical
                    0x85, 0x07, 0x81, 0x02,              //     Report 7 input
                    0xC0,                                //   End
                    0x85, 0x08, 0xB1, 0x02,              //   Report 8 feature
                    0xC0},
                   {Collection(0x0001, 0x0002, {7}, {}, {8})},
                   true},
        // Long items are stepped over by their declared size, whatever their bytes look like.
        GoldenCase{"LongItemSkipped",
                   {0xFE, 0x03, 0x10, 0xA1, 0x01, 0xC0,  // long item holding collection bytes
                    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0xC0},
                   {Collection(0x000C, 0x0001)},
                   false},
        // Pop restores the usage page and report id saved by Push.
        GoldenCase{"PushAndPop",
                   {0x05, 0x0C, 0x85, 0x02, 0xA4,  // page 0x0C, id 2, Push
                    0x05, 0x01, 0x85, 0x09, 0xB4,  // page 1, id 9, Pop
                    0x09, 0x01, 0xA1, 0x01, 0x81, 0x00, 0xC0},
                   {Collection(0x000C, 0x0001, {2})},
                   true},
        // A data item outside every collection belongs to none; the collection after it
        // takes its own usage, not one left over from before the data item.
        GoldenCase{"DataItemOutsideCollections",
                   {0x05, 0x0C, 0x09, 0x05, 0x81, 0x00, 0xA1, 0x01, 0xC0},
                   {TopLevelCollection{0x0000, 0x0000, 1, {}, {}, {}}},
                   false},
        GoldenCase{"TrailingZeroPadding",
                   [] {
                       Bytes bytes = ConsumerCollectionBytes(false);
                       bytes.insert(bytes.end(), 4, 0x00);
                       return bytes;
                   }(),
                   {Collection(0x000C, 0x0001)},
                   false},
        GoldenCase{"Empty", {}, {}, false}),
    [](const ::testing::TestParamInfo<GoldenCase>& param) { return param.param.name; });

struct BrokenCase {
    std::string name;
    Bytes descriptor;
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
    *out << c.name;
}

class BrokenDescriptors : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenDescriptors, AreRefused) {
    Result<ReportDescriptorInfo> parsed = ParseReportDescriptor(GetParam().descriptor);
    ASSERT_FALSE(parsed.ok());
    EXPECT_NE(parsed.error().message.find("report descriptor"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenDescriptors,
    ::testing::Values(BrokenCase{"TruncatedShortItem", {0x05, 0x0C, 0x06, 0x1C}},
                      BrokenCase{"TruncatedFourByteItem", {0x0B, 0x01, 0x00, 0x0C}},
                      BrokenCase{"TruncatedLongItemHeader", {0xFE, 0x05}},
                      BrokenCase{"TruncatedLongItemData", {0xFE, 0x05, 0x00, 0x01, 0x02}},
                      BrokenCase{"EndWithoutCollection", {0xC0}},
                      BrokenCase{"CollectionLeftOpen", {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01}},
                      BrokenCase{"ReportIdZero", {0x85, 0x00}},
                      BrokenCase{"ReportIdAbove255", {0x86, 0x00, 0x01}},
                      BrokenCase{"PopWithoutPush", {0xB4}},
                      BrokenCase{"PushTooDeep", Bytes(40, 0xA4)},
                      BrokenCase{"LongerThanAnyDevice", Bytes(kMaxReportDescriptorSize + 1, 0x00)}),
    [](const ::testing::TestParamInfo<BrokenCase>& param) { return param.param.name; });

// Every cut of a real descriptor and a mass of random bytes come back as a result or an
// error, never as a read past the end (the sanitizer build watches for that). A cut inside a
// collection is refused; an accepted cut decodes to the collections before it.
TEST(ReportDescriptorRobustness, CutsAndGarbageNeverReadPastTheEnd) {
    const Bytes full = SharedNodeDescriptor();
    const std::vector<TopLevelCollection> all = ParseReportDescriptor(full).value().collections;
    const std::size_t consumerEnd = ConsumerCollectionBytes(true).size();
    const std::size_t vendorEnd = consumerEnd + VendorCollectionBytes().size();
    // Each collection from its Collection item to its End Collection, whole items included.
    const std::vector<std::pair<std::size_t, std::size_t>> insides = {
        {4, consumerEnd}, {consumerEnd + 5, vendorEnd}, {vendorEnd + 4, full.size()}};
    for (std::size_t size = 0; size < full.size(); ++size) {
        // A copy of exactly `size` bytes, so that a read past it lands outside the buffer.
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        Result<ReportDescriptorInfo> parsed = ParseReportDescriptor(cut);
        const bool inside = std::any_of(insides.begin(), insides.end(), [&](const auto& range) {
            return size > range.first && size < range.second;
        });
        if (inside) {
            EXPECT_FALSE(parsed.ok()) << "cut at " << size;
        } else if (parsed.ok()) {
            const auto& found = parsed.value().collections;
            ASSERT_LE(found.size(), all.size());
            EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << "cut at " << size;
        }
    }
    std::mt19937 random(804);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(1, 96);
    for (int round = 0; round < 5000; ++round) {
        Bytes garbage(length(random));
        for (std::uint8_t& value : garbage) {
            value = static_cast<std::uint8_t>(byte(random));
        }
        (void)ParseReportDescriptor(garbage);
    }
}

}  // namespace
}  // namespace q804::device::hidapi
