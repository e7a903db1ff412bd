#pragma once

// The HID service for real keyboards: hidapi on Linux hidraw nodes.
//
// Keyboards are found by polling the list of 0C45:5004 collections every 500 ms; the
// vendor, consumer and LED collections are told apart by usage page and usage, and reports
// on a node carrying several of them by their report ids. A change in the keyboards with a
// vendor collection reaches every async read as a kind-0 notification with the new count.
// With no keyboard the count is 0 and there is no error.
//
// Failures that keep a keyboard out of reach (a hidraw node the user may not open, the
// library failing to start) are not results of the interface; they are kept as a text that
// HidapiLastError returns. When opening a node is refused, the text names the udev rule
// 70-veltrano-q804.rules and the commands that install it.

#include <functional>
#include <memory>
#include <string>

#include "device/hid_service.h"

namespace q804::device {

struct HidapiServiceOptions {
    // Called on the service's thread whenever a new failure keeps a keyboard out of reach
    // after Init() (a keyboard plugged in later whose node cannot be opened). The failures
    // Init() meets are only kept for HidapiLastError.
    std::function<void(const std::string&)> onError;
};

std::unique_ptr<HidService> CreateHidapiService();
std::unique_ptr<HidService> CreateHidapiService(HidapiServiceOptions options);

// The last failure of a service made by CreateHidapiService (the library failing to start, a
// node that cannot be opened, a refused write): empty when there is none. A node that could
// not be opened stops being reported once every keyboard node is open. Empty for any other
// service.
std::string HidapiLastError(const HidService& service);

}  // namespace q804::device
