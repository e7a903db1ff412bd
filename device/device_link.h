#pragma once

// The notification side of the device link: the two lasting reads of the keyboard, the
// dispatch of everything the service reports, and the G-bank state with its report to the
// keyboard's LED collection. Window reactions (presence handling, redraws) belong to the
// owner, who sets the callbacks before RegisterDeviceReads.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "device/hid_service.h"
#include "device/transfer_engine.h"

namespace q804::device {

// Consumer codes the keyboard sends.
inline constexpr std::uint16_t kConsumerGBankSwitched = 0x02FF;
inline constexpr std::uint16_t kConsumerLightingChanged = 0x0401;
inline constexpr std::uint16_t kConsumerIndicatorOff = 0x1810;
inline constexpr std::uint16_t kConsumerIndicatorOn = 0x1811;

inline constexpr std::size_t kGBankReportSize = 2;
inline constexpr std::uint8_t kGBankReportId = 0x05;
inline constexpr std::uint8_t kGBankBase = 0x02;  // plus the active bank in bit 0

enum class GBank : int { kA = 0, kB = 1 };

class DeviceLink {
  public:
    DeviceLink(HidService& service, TransferEngine& engine);

    // Called on the service's thread. Codes other than the G-bank switch (which the link
    // handles itself) go here.
    std::function<void(std::uint16_t code)> onConsumerCode;
    // Called on the service's thread with the number of keyboards now present. Must not wait
    // for device replies there: start the presence work on a thread of its own.
    std::function<void(int count)> onDeviceSetChanged;
    // Called on the service's thread after the keyboard switched the G bank and the new
    // report was sent.
    std::function<void(GBank bank)> onGBankChanged;

    // Registers the consumer read and then the vendor read, each after deleting its previous
    // registration. Safe to call again.
    void RegisterDeviceReads();

    // The service's callback: routes replies to the engine, consumer codes to the handlers,
    // device-set changes on the vendor read to onDeviceSetChanged; ignores the rest.
    // Always returns 1.
    int OnHidNotification(const HidNotification& notification);

    void OnConsumerCode(std::uint16_t code);

    // The active bank, readable from any thread.
    GBank ActiveGBank() const;
    std::array<std::uint8_t, kGBankReportSize> GBankReport() const;

    // Flips the active bank and sends the new report.
    void ToggleGBank();
    // Sends the current report to the LED collection; its outcome is not examined.
    void SendGBankReport();

    NotificationCallback Callback();

  private:
    HidService& service_;
    TransferEngine& engine_;
    std::atomic<std::uint8_t> bank_{0};
    // Unit ids of the three registrations; exchanged atomically so that the service's thread
    // (bank switch) and the owner's thread never hold a lock across a service call.
    std::atomic<std::uint32_t> consumerReadUnit_{0};
    std::atomic<std::uint32_t> vendorReadUnit_{0};
    std::atomic<std::uint32_t> gBankUnit_{0};
};

}  // namespace q804::device
