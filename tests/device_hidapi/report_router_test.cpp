#include "device/hidapi/report_router.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/device_hidapi/keyboard_descriptors.h"

namespace q804::device::hidapi {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr CollectionId kVendor{0xFF1C, 0x0092};
constexpr CollectionId kConsumer{0x000C, 0x0001};
constexpr CollectionId kLed{0x0008, 0x0089};

ReportRouter FromBytes(const Bytes& descriptor) {
    Result<ReportDescriptorInfo> parsed = ParseReportDescriptor(descriptor);
    EXPECT_TRUE(parsed.ok());
    return ReportRouter::FromDescriptor(parsed.value());
}

struct RouteCase {
    std::string name;
    ReportRouter router;
    Bytes report;
    std::vector<CollectionId> collections;
    std::size_t payloadOffset;
};

void PrintTo(const RouteCase& c, std::ostream* out) {
    *out << c.name;
}

class Routing : public ::testing::TestWithParam<RouteCase> {};

TEST_P(Routing, SendsEachReportToItsCollection) {
    const RouteCase& c = GetParam();
    const ReportRouter::Route route = c.router.RouteReport(c.report);
    EXPECT_EQ(route.collections, c.collections);
    EXPECT_EQ(route.payloadOffset, c.payloadOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Routing,
    ::testing::Values(
        RouteCase{"SharedVendorReply",
                  FromBytes(testing::SharedNodeDescriptor()),
                  Bytes{0x04, 0x00, 0x00, 0x03},
                  {kVendor},
                  1},
        RouteCase{"SharedConsumer",
                  FromBytes(testing::SharedNodeDescriptor()),
                  Bytes{0x03, 0xFF, 0x02},
                  {kConsumer},
                  1},
        // The LED collection declares id 5 for output only: no input report belongs to it.
        RouteCase{"SharedOutputOnlyId",
                  FromBytes(testing::SharedNodeDescriptor()),
                  Bytes{0x05, 0x02},
                  {},
                  1},
        RouteCase{"SharedUnknownId",
                  FromBytes(testing::SharedNodeDescriptor()),
                  Bytes{0x09, 0x01},
                  {},
                  1},
        RouteCase{"SharedEmptyReport", FromBytes(testing::SharedNodeDescriptor()), Bytes{}, {}, 1},
        RouteCase{"UnnumberedConsumer",
                  FromBytes(testing::ConsumerCollectionBytes(false)),
                  Bytes{0x11, 0x18},
                  {kConsumer},
                  0},
        RouteCase{"NoDescriptorOneCollection",
                  ReportRouter::WithoutDescriptor(std::vector{kLed}),
                  Bytes{0x01},
                  {kLed},
                  0},
        RouteCase{"NoDescriptorCommandId",
                  ReportRouter::WithoutDescriptor(std::vector{kConsumer, kVendor}),
                  Bytes{0x04, 0x00},
                  {kVendor},
                  1},
        RouteCase{"NoDescriptorOtherId",
                  ReportRouter::WithoutDescriptor(std::vector{kConsumer, kVendor, kLed}),
                  Bytes{0x03, 0x01, 0x04},
                  {kConsumer, kLed},
                  1}),
    [](const ::testing::TestParamInfo<RouteCase>& param) { return param.param.name; });

TEST(ConsumerCode, ReadsTheUsageAfterTheReportIdAndPadsShortReports) {
    EXPECT_EQ(ConsumerCode(Bytes{0x03, 0xFF, 0x02, 0x77}, 1), 0x02FF);
    EXPECT_EQ(ConsumerCode(Bytes{0x11, 0x18}, 0), 0x1811);
    EXPECT_EQ(ConsumerCode(Bytes{0x03, 0x01}, 1), 0x0001);
    EXPECT_EQ(ConsumerCode(Bytes{0x03}, 1), 0);
    EXPECT_EQ(ConsumerCode(Bytes{}, 1), 0);
}

}  // namespace
}  // namespace q804::device::hidapi
