// What the recorder and the key capture make of key and mouse messages.

#include <gtest/gtest.h>

#include <cstdint>

#include "model/key_tables.h"

namespace q804::model {
namespace {

struct VkSlotCase {
    std::uint32_t vk;
    KeySlot slot;
};

TEST(VkTable, LowestSlotWithTheExceptions) {
    const VkSlotCase cases[] = {
        // The lowest slot with the virtual key.
        {0x41, 30},
        {0x0D, 28},
        {0xA1, 54},
        {0x24, 199},
        {0x2D, 210},
        {0x13, 69},
        {0x03, 198},
        {0x90, 197},
        {0x7C, 100},
        {0x5F, 223},
        {0xB3, 162},
        {0xD1, 225},
        // Exceptions.
        {0x10, 42},
        {0x11, 29},
        {0x12, 56},
        {0x2C, 183},
        {0x8B, 210},
        {0x8C, 211},
        {0x9C, 212},
        {0x9D, 213},
        // No slot.
        {0x01, 0},
        {0x02, 0},
        {0x04, 0},
        {0x0C, 0},
        {0x88, 0},
        {0x89, 0},
        {0x8A, 0},
        {0x97, 0},
        {0x98, 0},
        {0x99, 0},
        {0x9A, 0},
        {0x9B, 0},
        {0x9E, 0},
        {0x9F, 0},
        {0xFF, 0},
        {0x00, 0},
        {0x07, 0},
        // Outside the table.
        {0x100, 0},
        {0xFFFFFFFF, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VkSlot(c.vk), c.slot) << std::hex << c.vk;
    }
}

constexpr std::uint32_t Data(std::uint32_t scanCode) {
    return (scanCode << 16) | 0x0001;
}

struct VirtualKeyCase {
    const char* what;
    std::uint32_t vk;
    std::uint32_t keyData;
    KeyCode code;
};

TEST(KeyCodeOfVirtualKey, ScanCodeWhenItFitsTheVirtualKey) {
    const VirtualKeyCase cases[] = {
        {"right shift keeps its scan code", 0xA1, Data(0x36), 0x036},
        {"right shift even under the left shift key", 0xA0, Data(0x36), 0x036},
        {"generic shift", 0x10, Data(0x2A), 0x02A},
        {"generic ctrl with E0 is right ctrl", 0x11, Data(0x11D), 0x11D},
        {"generic alt with E0 is right alt", 0x12, Data(0x138), 0x138},
        {"insert of the arrow block", 0x2D, Data(0x152), 0x152},
        {"keypad 0 with NumLock off", 0x2D, Data(0x52), 0x052},
        {"keypad 7 with NumLock off", 0x24, Data(0x47), 0x047},
        {"home of the arrow block", 0x24, Data(0x147), 0x147},
        {"keypad 7", 0x67, Data(0x47), 0x047},
        {"keypad enter", 0x0D, Data(0x11C), 0x11C},
        {"enter", 0x0D, Data(0x1C), 0x01C},
        {"print screen", 0x2C, Data(0x137), 0x137},
        {"num lock with the pause scan code", 0x90, Data(0x45), 0x145},
        {"pause", 0x13, Data(0x45), 0x045},
        {"no virtual key: the scan code", 0xFF, Data(0x70), 0x070},
        {"no virtual key, no scan code", 0xFF, 0, 0},
        {"no scan code: the virtual key", 0x41, 0, 0x01E},
        {"only the extended bit: the virtual key", 0x41, Data(0x100), 0x01E},
        {"scan code of another key: the virtual key", 0x41, Data(0x30), 0x01E},
        {"bits above 24 are not part of the code", 0x41, 0xFE1E0001, 0x01E},
        {"virtual key outside the table", 0x1000, Data(0x30), 0},
        {"virtual key without a slot", 0x07, Data(0x30), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfVirtualKey(c.vk, c.keyData), c.code) << c.what;
    }
}

struct MouseCase {
    std::uint32_t message;
    KeyCode code;
    bool release;
};

TEST(MouseMessages, ButtonsAndReleases) {
    const MouseCase cases[] = {
        {0x201, 0x171, false}, {0x202, 0x171, true}, {0x204, 0x172, false}, {0x205, 0x172, true},
        {0x207, 0x173, false}, {0x208, 0x173, true}, {0x200, 0, false},     {0x0A0, 0, false},
        {0x203, 0, false},  // double click
        {0x206, 0, false},     {0x20A, 0, false},    {0x000, 0, false},     {0xFFFFFFFF, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfMouseMessage(c.message), c.code) << std::hex << c.message;
        EXPECT_EQ(IsMouseRelease(c.message), c.release) << std::hex << c.message;
    }
}

}  // namespace
}  // namespace q804::model
