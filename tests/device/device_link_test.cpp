#include "device/device_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/device/fake_service.h"

namespace q804::device {
namespace {

using testing::Bytes;
using testing::FakeService;

class Link : public ::testing::Test {
  protected:
    Link() {
        service.engine = &engine;
        link.onConsumerCode = [this](std::uint16_t code) { consumerCodes.push_back(code); };
        link.onDeviceSetChanged = [this](int count) { deviceCounts.push_back(count); };
        link.onGBankChanged = [this](GBank bank) { banks.push_back(bank); };
    }

    std::vector<FakeService::Call> CallsOf(const std::string& operation) const {
        std::vector<FakeService::Call> found;
        for (const auto& call : service.calls) {
            if (call.operation == operation) {
                found.push_back(call);
            }
        }
        return found;
    }

    FakeService service;
    TransferEngine engine{service};
    DeviceLink link{service, engine};
    std::vector<std::uint16_t> consumerCodes;
    std::vector<int> deviceCounts;
    std::vector<GBank> banks;
};

TEST_F(Link, RegistersTheConsumerReadThenTheVendorReadReplacingEarlierOnes) {
    link.RegisterDeviceReads();
    link.RegisterDeviceReads();

    ASSERT_EQ(service.calls.size(), 8u);
    // First round: deletions of the ids not yet given (0), then the two reads.
    EXPECT_EQ(service.calls[0].operation, "delete");
    EXPECT_EQ(service.calls[0].unitId, 0u);
    EXPECT_EQ(service.calls[1].operation, "read");
    EXPECT_EQ(service.calls[1].filter, kConsumerCollection);
    EXPECT_EQ(service.calls[1].tag, kTagConsumer);
    EXPECT_EQ(service.calls[1].key, RequestKey(kConsumerCollection, true, kTagConsumer, {}));
    EXPECT_EQ(service.calls[3].operation, "read");
    EXPECT_EQ(service.calls[3].filter, kVendorCollection);
    EXPECT_EQ(service.calls[3].tag, kTagReply);
    // Second round: each registration deletes its own predecessor first.
    EXPECT_EQ(service.calls[4].operation, "delete");
    EXPECT_EQ(service.calls[4].unitId, service.calls[1].unitId);
    EXPECT_EQ(service.calls[6].operation, "delete");
    EXPECT_EQ(service.calls[6].unitId, service.calls[3].unitId);
}

TEST_F(Link, DispatchesEachNotificationByKindAndTag) {
    using Kind = NotificationKind;
    struct Case {
        std::string name;
        HidNotification notification;
        std::vector<std::uint16_t> codes;
        std::vector<int> counts;
    };
    const std::vector<Case> cases = {
        {"consumer code",
         {Kind::kDataArrived, kTagConsumer, 2, {0x01, 0x04}, 0x0401},
         {0x0401},
         {}},
        {"unhandled consumer code",
         {Kind::kDataArrived, kTagConsumer, 2, {}, 0x1801},
         {0x1801},
         {}},
        {"device set on the vendor read", {Kind::kDeviceSetChanged, kTagReply, 1, {}, 0}, {}, {1}},
        {"keyboard gone", {Kind::kDeviceSetChanged, kTagReply, 0, {}, 0}, {}, {0}},
        {"device set on the consumer read",
         {Kind::kDeviceSetChanged, kTagConsumer, 1, {}, 0},
         {},
         {}},
        {"G-bank report outcome", {Kind::kDataArrived, kTagGBank, 2, {5, 3}, 0}, {}, {}},
        {"unknown tag", {Kind::kDataArrived, 0x12345678, 2, {1, 2}, 0x0401}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        consumerCodes.clear();
        deviceCounts.clear();
        EXPECT_EQ(link.OnHidNotification(c.notification), 1);
        EXPECT_EQ(consumerCodes, c.codes);
        EXPECT_EQ(deviceCounts, c.counts);
    }
}

TEST_F(Link, GBankSwitchFlipsTheBankAndSendsTheNewReport) {
    EXPECT_EQ(link.ActiveGBank(), GBank::kA);
    EXPECT_EQ(link.GBankReport(), (std::array<std::uint8_t, 2>{0x05, 0x02}));

    HidNotification bankSwitch{NotificationKind::kDataArrived, kTagConsumer, 2, {}, 0x02FF};
    link.OnHidNotification(bankSwitch);
    link.OnHidNotification(bankSwitch);

    const auto sent = CallsOf("status");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].filter, kLedCollection);
    EXPECT_EQ(sent[0].tag, kTagGBank);
    EXPECT_EQ(sent[0].data, (Bytes{0x05, 0x03}));
    EXPECT_EQ(sent[0].key, RequestKey(kLedCollection, true, kTagGBank, sent[0].data));
    EXPECT_EQ(sent[1].data, (Bytes{0x05, 0x02}));
    EXPECT_EQ(banks, (std::vector<GBank>{GBank::kB, GBank::kA}));
    EXPECT_EQ(link.ActiveGBank(), GBank::kA);
    // The switch is the link's own business; the owner only hears of the new bank.
    EXPECT_TRUE(consumerCodes.empty());

    // Each report replaces the registration of the one before.
    const auto deletions = CallsOf("delete");
    ASSERT_EQ(deletions.size(), 2u);
    EXPECT_EQ(deletions[0].unitId, 0u);
    EXPECT_EQ(deletions[1].unitId, sent[0].unitId);
}

TEST_F(Link, ReplyDataReachTheEngineButNeverPastTheBytesPresent) {
    // A count larger than the data must not make the engine read beyond them.
    service.respond = [this](const testing::Report& request) {
        HidNotification reply{NotificationKind::kDataArrived, kTagReply, 1000,
                              testing::EchoReply(request), 0};
        link.OnHidNotification(reply);
        return std::vector<Bytes>{};
    };
    std::array<std::uint8_t, kReportSize> buffer{};
    std::size_t length = 0;
    const auto request = testing::MakeRequest(0x01, 0, 0);
    ASSERT_EQ(engine.DeviceTransact(request, buffer, length), kResultSuccess);
    EXPECT_EQ(length, kReportSize);
}

TEST(RequestKeys, DependOnEveryPartOfTheRequestInOrder) {
    const Bytes payload = {1, 2, 3};
    const std::uint32_t base = RequestKey(kVendorCollection, false, kTagReply, payload);
    EXPECT_EQ(base, RequestKey(kVendorCollection, false, kTagReply, payload));
    EXPECT_NE(base, RequestKey(kConsumerCollection, false, kTagReply, payload));
    EXPECT_NE(base, RequestKey(kVendorCollection, true, kTagReply, payload));
    EXPECT_NE(base, RequestKey(kVendorCollection, false, kTagConsumer, payload));
    EXPECT_NE(base, RequestKey(kVendorCollection, false, kTagReply, Bytes{3, 2, 1}));
    EXPECT_NE(base, RequestKey(kVendorCollection, false, kTagReply, Bytes{1, 2}));
}

TEST(DeviceFilters, SerialiseAsSixteenLittleEndianBytes) {
    const std::array<std::uint8_t, 16> expected = {0x0F, 0,    0,    0,    0x45, 0x0C, 0x04, 0x50,
                                                   0x1C, 0xFF, 0x92, 0x00, 0,    0,    0,    0};
    EXPECT_EQ(SerializeFilter(kVendorCollection), expected);
}

}  // namespace
}  // namespace q804::device
