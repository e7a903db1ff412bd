#include "device/hidapi/hidapi_service.h"

#include <gtest/gtest.h>

namespace q804::device {
namespace {

// The real library on this machine: whatever keyboards are plugged in, it starts, answers
// and stops without leaving a thread behind.
TEST(HidapiService, StartsAnswersAndStopsOnTheRealLibrary) {
    std::unique_ptr<HidService> service = CreateHidapiService();
    ASSERT_GT(service->Init(), 0) << HidapiLastError(*service);
    EXPECT_GE(service->RequestGetDeviceCount(kVendorCollection, 0), 0);
    std::uint32_t unitId = 0;
    service->RequestAsyncRead(
        kVendorCollection, [](const HidNotification&) { return 1; }, kTagReply, 0, unitId);
    EXPECT_NE(unitId, 0u);
    service->DeleteRequestFromUnitId(unitId);
    service->End();
    service->End();
}

TEST(HidapiService, OtherServicesHaveNoErrorText) {
    class Other final : public HidService {
      public:
        int Init() override { return 1; }
        void End() override {}
        int RequestGetDeviceCount(const DeviceFilter&, std::uint32_t) override { return 0; }
        int RequestWriteOne(const DeviceFilter&, std::span<const std::uint8_t, 64>,
                            std::uint32_t) override {
            return 0;
        }
        void RequestAsyncRead(const DeviceFilter&, NotificationCallback, std::uint32_t,
                              std::uint32_t, std::uint32_t&) override {}
        void RequestStatusWrite(const DeviceFilter&, NotificationCallback, std::uint32_t,
                                std::span<const std::uint8_t>, std::uint32_t,
                                std::uint32_t&) override {}
        void DeleteRequestFromUnitId(std::uint32_t) override {}
    };
    Other other;
    EXPECT_EQ(HidapiLastError(other), "");
}

}  // namespace
}  // namespace q804::device
