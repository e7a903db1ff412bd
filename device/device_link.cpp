#include "device/device_link.h"

#include <algorithm>

namespace q804::device {

DeviceLink::DeviceLink(HidService& service, TransferEngine& engine)
    : service_(service), engine_(engine) {}

NotificationCallback DeviceLink::Callback() {
    return [this](const HidNotification& notification) { return OnHidNotification(notification); };
}

void DeviceLink::RegisterDeviceReads() {
    struct Registration {
        const DeviceFilter& filter;
        std::uint32_t tag;
        std::atomic<std::uint32_t>& unit;
    };
    const Registration registrations[] = {
        {kConsumerCollection, kTagConsumer, consumerReadUnit_},
        {kVendorCollection, kTagReply, vendorReadUnit_},
    };
    for (const Registration& registration : registrations) {
        service_.DeleteRequestFromUnitId(registration.unit.exchange(0));
        std::uint32_t unit = 0;
        service_.RequestAsyncRead(registration.filter, Callback(), registration.tag,
                                  RequestKey(registration.filter, true, registration.tag, {}),
                                  unit);
        registration.unit.store(unit);
    }
}

int DeviceLink::OnHidNotification(const HidNotification& notification) {
    if (notification.kind == NotificationKind::kDataArrived) {
        if (notification.tag == kTagReply) {
            // The byte count never reaches past the data actually there.
            const std::size_t count =
                std::min<std::size_t>(notification.count, notification.data.size());
            engine_.OnReplyData(std::span(notification.data).first(count));
        } else if (notification.tag == kTagConsumer) {
            OnConsumerCode(notification.consumerCode);
        }
    } else if (notification.kind == NotificationKind::kDeviceSetChanged &&
               notification.tag == kTagReply) {
        if (onDeviceSetChanged) {
            onDeviceSetChanged(static_cast<int>(notification.count));
        }
    }
    return 1;
}

void DeviceLink::OnConsumerCode(std::uint16_t code) {
    if (code == kConsumerGBankSwitched) {
        ToggleGBank();
        if (onGBankChanged) {
            onGBankChanged(ActiveGBank());
        }
        return;
    }
    if (onConsumerCode) {
        onConsumerCode(code);
    }
}

GBank DeviceLink::ActiveGBank() const {
    return bank_.load() == 0 ? GBank::kA : GBank::kB;
}

std::array<std::uint8_t, kGBankReportSize> DeviceLink::GBankReport() const {
    return {kGBankReportId, static_cast<std::uint8_t>(kGBankBase | bank_.load())};
}

void DeviceLink::ToggleGBank() {
    bank_.fetch_xor(1);
    SendGBankReport();
}

void DeviceLink::SendGBankReport() {
    const std::array<std::uint8_t, kGBankReportSize> report = GBankReport();
    service_.DeleteRequestFromUnitId(gBankUnit_.exchange(0));
    std::uint32_t unit = 0;
    service_.RequestStatusWrite(kLedCollection, Callback(), kTagGBank, report,
                                RequestKey(kLedCollection, true, kTagGBank, report), unit);
    gBankUnit_.store(unit);
}

}  // namespace q804::device
