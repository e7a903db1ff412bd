#pragma once

// Report descriptors shaped like the keyboard's: its consumer, vendor and LED collections on
// one node with report ids, and each of them alone on a node of its own.

#include <cstdint>
#include <vector>

namespace q804::device::hidapi::testing {

inline std::vector<std::uint8_t> ConsumerCollectionBytes(bool withReportId) {
    std::vector<std::uint8_t> bytes = {
        0x05, 0x0C,  // Usage Page (Consumer)
        0x09, 0x01,  // Usage (Consumer Control)
        0xA1, 0x01,  // Collection (Application)
    };
    if (withReportId) {
        bytes.insert(bytes.end(), {0x85, 0x03});  // Report ID (3)
    }
    bytes.insert(bytes.end(), {
                                  0x15, 0x00,        // Logical Minimum (0)
                                  0x26, 0xFF, 0x3F,  // Logical Maximum (0x3FFF)
                                  0x19, 0x00,        // Usage Minimum (0)
                                  0x2A, 0xFF, 0x3F,  // Usage Maximum (0x3FFF)
                                  0x75, 0x10,        // Report Size (16)
                                  0x95, 0x01,        // Report Count (1)
                                  0x81, 0x00,        // Input (Data, Array)
                                  0xC0,              // End Collection
                              });
    return bytes;
}

inline std::vector<std::uint8_t> VendorCollectionBytes() {
    return {
        0x06, 0x1C, 0xFF,  // Usage Page (0xFF1C)
        0x09, 0x92,        // Usage (0x92)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x04,        //   Report ID (4)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x01,        //   Usage (1)
        0x81, 0x02,        //   Input (Data, Variable)
        0x09, 0x02,        //   Usage (2)
        0x91, 0x02,        //   Output (Data, Variable)
        0xC0,              // End Collection
    };
}

inline std::vector<std::uint8_t> LedCollectionBytes() {
    return {
        0x05, 0x08,  // Usage Page (LEDs)
        0x09, 0x89,  // Usage (0x89)
        0xA1, 0x01,  // Collection (Application)
        0x85, 0x05,  //   Report ID (5)
        0x75, 0x08,  //   Report Size (8)
        0x95, 0x01,  //   Report Count (1)
        0x09, 0x01,  //   Usage (1)
        0x91, 0x02,  //   Output (Data, Variable)
        0xC0,        // End Collection
    };
}

// The three collections on one node, as the keyboard's second interface carries them.
inline std::vector<std::uint8_t> SharedNodeDescriptor() {
    std::vector<std::uint8_t> bytes = ConsumerCollectionBytes(true);
    for (const auto& part : {VendorCollectionBytes(), LedCollectionBytes()}) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

}  // namespace q804::device::hidapi::testing
