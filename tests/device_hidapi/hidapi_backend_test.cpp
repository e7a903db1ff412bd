#include "device/hidapi/hidapi_backend.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/device_hidapi/fake_hid_io.h"
#include "tests/device_hidapi/keyboard_descriptors.h"
#include "tests/support/temp_dir.h"

namespace q804::device::hidapi {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using testing::FakeHidBus;
using testing::FakeHidIo;
using testing::FakeNode;

constexpr CollectionId kVendor{0xFF1C, 0x0092};
constexpr CollectionId kConsumer{0x000C, 0x0001};
constexpr CollectionId kLed{0x0008, 0x0089};
constexpr auto kPatience = 5s;  // far beyond any delivery; only a fault makes a test wait it

// Notifications as they arrive, with the thread each came on.
class Recorder {
  public:
    struct Entry {
        HidNotification notification;
        std::thread::id thread;
    };

    NotificationCallback Callback() {
        return [this](const HidNotification& notification) {
            {
                std::lock_guard lock(mutex_);
                entries_.push_back({notification, std::this_thread::get_id()});
            }
            changed_.notify_all();
            return 1;
        };
    }

    // Waits until at least `count` notifications arrived; returns them.
    std::vector<Entry> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kPatience, [&] { return entries_.size() >= count; });
        return entries_;
    }

    std::vector<Entry> Entries() {
        std::lock_guard lock(mutex_);
        return entries_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;
};

bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

std::array<std::uint8_t, 64> CommandReport(std::uint8_t command) {
    std::array<std::uint8_t, 64> report{};
    report[0] = 0x04;
    report[3] = command;
    report[63] = 0xA5;
    return report;
}

FakeNode SharedNode(std::string path = "/dev/hidraw1") {
    return FakeNode{std::move(path), {kConsumer, kVendor, kLed}, testing::SharedNodeDescriptor()};
}

class HidapiBackendTest : public ::testing::Test {
  protected:
    // Members outlive the service each test keeps in a local, so no callback can reach a
    // recorder that is gone.
    Recorder replies;
    Recorder consumer;
    Recorder outcome;
    Recorder presence;
    std::shared_ptr<FakeHidBus> bus = std::make_shared<FakeHidBus>();
    BackendOptions options = [] {
        BackendOptions fast;
        fast.pollInterval = 20ms;
        fast.readTimeout = 5ms;
        return fast;
    }();

    std::unique_ptr<HidapiBackend> Start() {
        auto backend = std::make_unique<HidapiBackend>(std::make_unique<FakeHidIo>(bus), options);
        EXPECT_EQ(backend->Init(), 1);
        return backend;
    }

    static std::uint32_t AsyncRead(HidService& service, const DeviceFilter& filter,
                                   std::uint32_t tag, Recorder& recorder) {
        std::uint32_t unitId = 0;
        service.RequestAsyncRead(filter, recorder.Callback(), tag, 0, unitId);
        return unitId;
    }
};

TEST_F(HidapiBackendTest, SharedNodeRoutesEachReportToItsCollectionOnly) {
    bus->Plug(SharedNode());
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    AsyncRead(*service, kConsumerCollection, kTagConsumer, consumer);

    const auto reply = CommandReport(0x03);
    bus->Send("/dev/hidraw1", Bytes(reply.begin(), reply.end()));
    bus->Send("/dev/hidraw1", Bytes{0x09, 0x11, 0x22});  // an id no collection reads
    bus->Send("/dev/hidraw1", Bytes{0x03, 0xFF, 0x02});

    auto consumerEntries = consumer.WaitFor(1);
    auto replyEntries = replies.WaitFor(1);
    ASSERT_EQ(replyEntries.size(), 1u);
    ASSERT_EQ(consumerEntries.size(), 1u);

    const HidNotification& replyNote = replyEntries[0].notification;
    EXPECT_EQ(replyNote.kind, NotificationKind::kDataArrived);
    EXPECT_EQ(replyNote.tag, kTagReply);
    EXPECT_EQ(replyNote.count, 64u);
    EXPECT_EQ(replyNote.data, Bytes(reply.begin(), reply.end()));

    const HidNotification& consumerNote = consumerEntries[0].notification;
    EXPECT_EQ(consumerNote.tag, kTagConsumer);
    EXPECT_EQ(consumerNote.consumerCode, 0x02FF);
    EXPECT_EQ(consumerNote.data, (Bytes{0x03, 0xFF, 0x02}));

    EXPECT_NE(replyEntries[0].thread, std::this_thread::get_id());
    EXPECT_NE(consumerEntries[0].thread, std::this_thread::get_id());
}

TEST_F(HidapiBackendTest, SharedNodeTakesWritesAndCountsEachCollection) {
    bus->Plug(SharedNode());
    auto service = Start();

    const auto command = CommandReport(0x01);
    EXPECT_EQ(service->RequestWriteOne(kVendorCollection, command, 0), 64);

    std::uint32_t unitId = 0;
    const Bytes bank{0x05, 0x03};
    service->RequestStatusWrite(kLedCollection, outcome.Callback(), kTagGBank, bank, 0, unitId);
    EXPECT_NE(unitId, 0u);
    auto entries = outcome.WaitFor(1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].notification.kind, NotificationKind::kDataArrived);
    EXPECT_EQ(entries[0].notification.tag, kTagGBank);
    EXPECT_EQ(entries[0].notification.count, 2u);
    EXPECT_NE(entries[0].thread, std::this_thread::get_id());

    EXPECT_EQ(bus->Written("/dev/hidraw1"),
              (std::vector<Bytes>{Bytes(command.begin(), command.end()), bank}));

    const std::vector<std::pair<DeviceFilter, int>> counts = {
        {kVendorCollection, 1},
        {kConsumerCollection, 1},
        {kLedCollection, 1},
        {DeviceFilter{.usagePage = 0xFF1C, .usage = 0x0093}, 0},
        {DeviceFilter{.productId = 0x5005, .usagePage = 0xFF1C, .usage = 0x0092}, 0},
    };
    for (const auto& [filter, expected] : counts) {
        EXPECT_EQ(service->RequestGetDeviceCount(filter, 0), expected)
            << std::hex << filter.productId << " " << filter.usagePage << " " << filter.usage;
    }
}

TEST_F(HidapiBackendTest, SeparateNodesCarryOneCollectionEach) {
    bus->Plug({"/dev/hidraw1", {kVendor}, testing::VendorCollectionBytes()});
    bus->Plug({"/dev/hidraw2", {kConsumer}, testing::ConsumerCollectionBytes(false)});
    bus->Plug({"/dev/hidraw3", {kLed}, testing::LedCollectionBytes()});
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    AsyncRead(*service, kConsumerCollection, kTagConsumer, consumer);

    // Without report ids the consumer usage starts at byte 0.
    bus->Send("/dev/hidraw2", Bytes{0x11, 0x18});
    bus->Send("/dev/hidraw1", Bytes{0x04, 0x00, 0x00, 0x05});
    ASSERT_EQ(consumer.WaitFor(1).size(), 1u);
    ASSERT_EQ(replies.WaitFor(1).size(), 1u);
    EXPECT_EQ(consumer.Entries()[0].notification.consumerCode, 0x1811);
    EXPECT_EQ(replies.Entries()[0].notification.data, (Bytes{0x04, 0x00, 0x00, 0x05}));

    EXPECT_EQ(service->RequestWriteOne(kVendorCollection, CommandReport(0x02), 0), 64);
    std::uint32_t unitId = 0;
    service->RequestStatusWrite(kLedCollection, outcome.Callback(), kTagGBank, Bytes{0x05, 0x02}, 0,
                                unitId);
    ASSERT_EQ(outcome.WaitFor(1).size(), 1u);
    EXPECT_EQ(bus->Written("/dev/hidraw1").size(), 1u);
    EXPECT_TRUE(bus->Written("/dev/hidraw2").empty());
    EXPECT_EQ(bus->Written("/dev/hidraw3"), (std::vector<Bytes>{{0x05, 0x02}}));

    // Only the consumer and reply reads saw data: each exactly one report.
    EXPECT_EQ(consumer.Entries().size(), 1u);
    EXPECT_EQ(replies.Entries().size(), 1u);
}

TEST_F(HidapiBackendTest, UnreadableDescriptorFallsBackToTheCommandReportId) {
    bus->Plug({"/dev/hidraw1", {kConsumer, kVendor}, std::nullopt});
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    AsyncRead(*service, kConsumerCollection, kTagConsumer, consumer);

    bus->Send("/dev/hidraw1", Bytes{0x03, 0x01, 0x04});
    bus->Send("/dev/hidraw1", Bytes{0x04, 0x00, 0x00, 0x07});
    ASSERT_EQ(consumer.WaitFor(1).size(), 1u);
    ASSERT_EQ(replies.WaitFor(1).size(), 1u);
    EXPECT_EQ(consumer.Entries()[0].notification.consumerCode, 0x0401);
    EXPECT_EQ(replies.Entries()[0].notification.data[3], 0x07);
    EXPECT_EQ(consumer.Entries().size(), 1u);
}

TEST_F(HidapiBackendTest, NoKeyboardCountsZeroWithoutError) {
    auto service = Start();
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    EXPECT_EQ(service->RequestWriteOne(kVendorCollection, CommandReport(0x01), 0), 0);
    EXPECT_EQ(service->LastError(), "");

    // The G-bank report still gets its outcome, as nothing written, on the service's thread.
    std::uint32_t unitId = 0;
    service->RequestStatusWrite(kLedCollection, outcome.Callback(), kTagGBank, Bytes{0x05, 0x02}, 0,
                                unitId);
    auto entries = outcome.WaitFor(1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].notification.count, 0u);
    EXPECT_NE(entries[0].thread, std::this_thread::get_id());
}

TEST_F(HidapiBackendTest, LibraryThatFailsToStartFailsInit) {
    bus->SetInitFails(true);
    HidapiBackend service(std::make_unique<FakeHidIo>(bus), options);
    EXPECT_LE(service.Init(), 0);
    EXPECT_NE(service.LastError().find("no HID subsystem"), std::string::npos);
    EXPECT_EQ(service.RequestGetDeviceCount(kVendorCollection, 0), 0);
}

TEST_F(HidapiBackendTest, RefusedWritesAreFailuresNotSuccesses) {
    bus->Plug(SharedNode());
    auto service = Start();
    std::size_t attempts = 0;
    for (int result : {-1, 10}) {  // an error, then a report cut short
        bus->SetWriteResult(result);
        ++attempts;
        EXPECT_EQ(service->RequestWriteOne(kVendorCollection, CommandReport(0x01), 0), -1);
        EXPECT_NE(service->LastError().find("/dev/hidraw1"), std::string::npos);

        std::uint32_t unitId = 0;
        service->RequestStatusWrite(kLedCollection, outcome.Callback(), kTagGBank,
                                    Bytes{0x05, 0x03}, 0, unitId);
        auto entries = outcome.WaitFor(attempts);
        ASSERT_EQ(entries.size(), attempts);
        EXPECT_EQ(entries.back().notification.count, 0u) << result;
    }
}

TEST_F(HidapiBackendTest, PermissionDeniedNamesTheUdevRule) {
    q804::testing::TempDir dir;
    dir.Write("bin/udev/70-veltrano-q804.rules", "rule");
    options.programDir = dir / "bin";
    std::vector<std::string> reported;
    std::mutex reportedMutex;
    options.onError = [&](const std::string& text) {
        std::lock_guard lock(reportedMutex);
        reported.push_back(text);
    };
    FakeNode node = SharedNode("/dev/hidraw3");
    node.openError = EACCES;
    bus->Plug(node);
    auto service = Start();

    // No keyboard can be used, but the reason is there to show.
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    const std::string message = service->LastError();
    EXPECT_NE(message.find("Permission denied on /dev/hidraw3"), std::string::npos) << message;
    EXPECT_NE(message.find((dir / "bin/udev/70-veltrano-q804.rules").string()), std::string::npos)
        << message;
    EXPECT_NE(message.find("udevadm trigger"), std::string::npos) << message;

    // A second keyboard plugged in later is refused too: reported once, not at every poll.
    AsyncRead(*service, kVendorCollection, kTagReply, presence);
    FakeNode second = SharedNode("/dev/hidraw7");
    second.openError = EACCES;
    bus->Plug(second);
    ASSERT_TRUE(Eventually([&] {
        std::lock_guard lock(reportedMutex);
        return !reported.empty();
    }));
    const int polls = bus->EnumerationCount();
    ASSERT_TRUE(Eventually([&] { return bus->EnumerationCount() > polls + 3; }));
    {
        std::lock_guard lock(reportedMutex);
        EXPECT_EQ(reported.size(), 1u);
        EXPECT_NE(reported[0].find("/dev/hidraw"), std::string::npos);
    }

    // Once the rule applies, the keyboards arrive and the error is gone.
    bus->SetOpenError("/dev/hidraw3", 0);
    bus->SetOpenError("/dev/hidraw7", 0);
    ASSERT_TRUE(Eventually([&] {
        auto entries = presence.Entries();
        return !entries.empty() && entries.back().notification.count == 2;
    }));
    for (const auto& entry : presence.Entries()) {
        EXPECT_EQ(entry.notification.kind, NotificationKind::kDeviceSetChanged);
    }
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 2);
    EXPECT_TRUE(Eventually([&] { return service->LastError().empty(); }));
}

TEST_F(HidapiBackendTest, ArrivalAndRemovalReachEveryAsyncReadWithTheNewCount) {
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    AsyncRead(*service, kConsumerCollection, kTagConsumer, consumer);

    bus->Plug(SharedNode("/dev/hidraw1"));
    ASSERT_EQ(replies.WaitFor(1).size(), 1u);
    bus->Plug(SharedNode("/dev/hidraw2"));
    ASSERT_EQ(replies.WaitFor(2).size(), 2u);
    bus->Unplug("/dev/hidraw1");
    ASSERT_EQ(replies.WaitFor(3).size(), 3u);
    // A consumer node alone is no keyboard the configurator can talk to.
    bus->Plug({"/dev/hidraw9", {kConsumer}, testing::ConsumerCollectionBytes(false)});
    bus->Unplug("/dev/hidraw2");
    ASSERT_EQ(replies.WaitFor(4).size(), 4u);

    for (Recorder* recorder : {&replies, &consumer}) {
        auto entries = recorder->WaitFor(4);
        std::vector<std::uint32_t> counts;
        for (const auto& entry : entries) {
            EXPECT_EQ(entry.notification.kind, NotificationKind::kDeviceSetChanged);
            EXPECT_NE(entry.thread, std::this_thread::get_id());
            counts.push_back(entry.notification.count);
        }
        EXPECT_EQ(counts, (std::vector<std::uint32_t>{1, 2, 1, 0}));
    }
    EXPECT_EQ(replies.Entries()[0].notification.tag, kTagReply);
    EXPECT_EQ(consumer.Entries()[0].notification.tag, kTagConsumer);
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    EXPECT_EQ(service->RequestGetDeviceCount(kConsumerCollection, 0), 1);
}

TEST_F(HidapiBackendTest, RemovalMidReadIsNoticedWithoutWaitingForThePoll) {
    options.pollInterval = std::chrono::hours(1);
    bus->Plug(SharedNode());
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    ASSERT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 1);

    bus->Unplug("/dev/hidraw1");
    auto entries = replies.WaitFor(1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].notification.kind, NotificationKind::kDeviceSetChanged);
    EXPECT_EQ(entries[0].notification.count, 0u);
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    EXPECT_EQ(service->RequestWriteOne(kVendorCollection, CommandReport(0x01), 0), 0);
    EXPECT_TRUE(Eventually([&] { return bus->OpenHandles("/dev/hidraw1") == 0; }));
    EXPECT_EQ(service->LastError(), "");
}

TEST_F(HidapiBackendTest, QuickReplugOnTheSamePathIsRemovalThenArrival) {
    bus->Plug(SharedNode());
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);

    bus->Unplug("/dev/hidraw1");
    bus->Plug(SharedNode());
    auto entries = replies.WaitFor(2);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].notification.count, 0u);
    EXPECT_EQ(entries[1].notification.count, 1u);

    // The new node works: a reply reaches the read again.
    bus->Send("/dev/hidraw1", Bytes{0x04, 0x00, 0x00, 0x01});
    ASSERT_EQ(replies.WaitFor(3).size(), 3u);
    EXPECT_EQ(replies.Entries()[2].notification.kind, NotificationKind::kDataArrived);
}

// A node that opens but fails every read is retried at the poll's pace, not in a tight loop
// of opening, failing and closing that would flood the readers with arrivals and removals.
TEST_F(HidapiBackendTest, NodeFailingEveryReadIsRetriedOnlyAtEachPoll) {
    options.pollInterval = 50ms;
    FakeNode broken = SharedNode();
    broken.readsFail = true;
    bus->Plug(broken);
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    std::this_thread::sleep_for(500ms);
    service->End();
    // Two handles per attempt, one attempt per poll: about 22 opens in 500 ms.
    EXPECT_LE(bus->Opens(), 40);
    EXPECT_LE(replies.Entries().size(), 25u);
}

TEST_F(HidapiBackendTest, DeletedRegistrationsGetNothingMore) {
    bus->Plug(SharedNode());
    auto service = Start();
    AsyncRead(*service, kVendorCollection, kTagReply, replies);
    const std::uint32_t consumerId =
        AsyncRead(*service, kConsumerCollection, kTagConsumer, consumer);
    EXPECT_NE(consumerId, 0u);
    service->DeleteRequestFromUnitId(consumerId);
    service->DeleteRequestFromUnitId(consumerId);  // unknown by now: ignored
    service->DeleteRequestFromUnitId(0);

    // One reader delivers in order: once the reply is in, the consumer report was handled.
    bus->Send("/dev/hidraw1", Bytes{0x03, 0xFF, 0x02});
    bus->Send("/dev/hidraw1", Bytes{0x04, 0x00, 0x00, 0x01});
    ASSERT_EQ(replies.WaitFor(1).size(), 1u);
    EXPECT_TRUE(consumer.Entries().empty());
}

TEST_F(HidapiBackendTest, NoCallbackRunsAfterEndReturns) {
    std::atomic<int> delivered{0};
    std::atomic<bool> ended{false};
    std::atomic<bool> lateCallback{false};
    bus->Plug(SharedNode());
    auto service = Start();
    std::uint32_t unitId = 0;
    service->RequestAsyncRead(
        kConsumerCollection,
        [&](const HidNotification&) {
            if (ended) {
                lateCallback = true;
            }
            std::this_thread::sleep_for(3ms);
            ++delivered;
            return 1;
        },
        kTagConsumer, 0, unitId);
    for (int i = 0; i < 50; ++i) {
        bus->Send("/dev/hidraw1", Bytes{0x03, 0x01, 0x04});
    }
    ASSERT_TRUE(Eventually([&] { return delivered > 0; }));

    service->End();
    ended = true;
    const int deliveredAtEnd = delivered;
    EXPECT_EQ(bus->OpenHandles("/dev/hidraw1"), 0);
    bus->Send("/dev/hidraw1", Bytes{0x03, 0x01, 0x04});
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(lateCallback);
    EXPECT_EQ(delivered, deliveredAtEnd);
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    EXPECT_EQ(service->RequestWriteOne(kVendorCollection, CommandReport(0x01), 0), 0);
    service->End();

    // The service can be started again and finds the keyboard afresh.
    EXPECT_EQ(service->Init(), 1);
    EXPECT_EQ(service->RequestGetDeviceCount(kVendorCollection, 0), 1);
}

}  // namespace
}  // namespace q804::device::hidapi
