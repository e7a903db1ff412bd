// Linux key codes to the editor's key codes, and which key events the single-key page takes.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdio>
#include <string>

#include "model/editor/evdev_keys.h"
#include "model/editor/key_capture.h"
#include "model/key_tables.h"

namespace q804::model::editor {
namespace {

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", value);
    return text;
}

struct EvdevCase {
    const char* name;
    unsigned evdev;
    bool numLockOff;
    KeyCode code;
};

TEST(EvdevKeys, KeysComeOutAsTheWindowsProgramSeesThem) {
    const EvdevCase cases[] = {
        {"A", KEY_A, false, 0x01E},
        {"Insert (arrow block)", KEY_INSERT, false, 0x152},
        {"Num 0, NumLock off", KEY_KP0, true, 0x052},
        {"Num 0, NumLock on", KEY_KP0, false, 0x052},
        {"Num 5, NumLock off", KEY_KP5, true, 0x04C},
        {"Num ., NumLock off", KEY_KPDOT, true, 0x053},
        {"Right Shift", KEY_RIGHTSHIFT, false, 0x036},
        {"Left Shift", KEY_LEFTSHIFT, false, 0x02A},
        {"Pause", KEY_PAUSE, false, 0x045},
        {"Num Lock", KEY_NUMLOCK, false, 0x145},
        {"Scroll Lock", KEY_SCROLLLOCK, false, 0x046},
        {"Print Screen", KEY_SYSRQ, false, 0x137},
        {"Left Win", KEY_LEFTMETA, false, 0x15B},
        {"Right Win", KEY_RIGHTMETA, false, 0x15C},
        {"Menu", KEY_COMPOSE, false, 0x15D},
        {"Num Enter", KEY_KPENTER, false, 0x11C},
        {"Enter", KEY_ENTER, false, 0x01C},
        {"Right Ctrl", KEY_RIGHTCTRL, false, 0x11D},
        {"Right Alt", KEY_RIGHTALT, false, 0x138},
        {"Num /", KEY_KPSLASH, false, 0x135},
        {"Home", KEY_HOME, false, 0x147},
        {"ISO key beside Left Shift", KEY_102ND, false, 0x056},
        {"Japanese Ro", KEY_RO, false, 0x073},
        {"Play/Pause", KEY_PLAYPAUSE, false, 0x122},
        {"Volume up", KEY_VOLUMEUP, false, 0x130},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(KeyCodeOfEvdev(c.evdev, c.numLockOff)), Hex(c.code)) << c.name;
    }
}

TEST(EvdevKeys, KeypadDigitsCarryTheKeypadScanWithTheNavigationVirtualKey) {
    // What KeyCodeOfVirtualKey must be given for the NumLock-off rule to pick the keypad.
    auto insertKey = WindowsKeyOfEvdev(KEY_INSERT, false);
    auto keypadZero = WindowsKeyOfEvdev(KEY_KP0, true);
    auto pause = WindowsKeyOfEvdev(KEY_PAUSE, false);
    ASSERT_TRUE(insertKey && keypadZero && pause);
    EXPECT_EQ(*insertKey, (WindowsKey{0x2D, 0x01520000}));
    EXPECT_EQ(*keypadZero, (WindowsKey{0x2D, 0x00520000}));
    EXPECT_EQ(*pause, (WindowsKey{0x13, 0x00450000}));
    EXPECT_TRUE(IsNumLockDependent(KEY_KP7));
    EXPECT_FALSE(IsNumLockDependent(KEY_KPPLUS));
    EXPECT_FALSE(IsNumLockDependent(KEY_HOME));
}

TEST(EvdevKeys, EveryListedKeyThatHasANameComesOutAsItsScanCode) {
    // A wrong virtual key in the table would make KeyCodeOfVirtualKey fall back to another
    // key's code; both NumLock meanings must agree with the scan code.
    int checked = 0;
    for (unsigned evdev = 0; evdev < 256; ++evdev) {
        auto key = EvdevKeyInfo(evdev);
        if (!key || KeyInfo(KeySlotOfCode(key->scan)).empty()) {
            continue;
        }
        ++checked;
        EXPECT_EQ(Hex(KeyCodeOfEvdev(evdev, false)), Hex(key->scan)) << "evdev " << evdev;
        EXPECT_EQ(Hex(KeyCodeOfEvdev(evdev, true)), Hex(key->scan)) << "evdev " << evdev;
    }
    EXPECT_GT(checked, 0);
}

TEST(EvdevKeys, EveryKeyOfTheDrawnKeyboardCanBeCaptured) {
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        bool reachable = false;
        for (unsigned evdev = 0; evdev < 256 && !reachable; ++evdev) {
            reachable = KeyCodeOfEvdev(evdev, false) == row.code;
        }
        EXPECT_TRUE(reachable) << "button " << row.button << " code " << Hex(row.code);
    }
}

TEST(EvdevKeys, CodesNoKeyboardSendsNameNothing) {
    for (unsigned evdev : {0u, 84u, 255u, 256u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(EvdevKeyInfo(evdev)) << evdev;
        EXPECT_EQ(KeyCodeOfEvdev(evdev, false), kNoKey) << evdev;
    }
}

struct HookCase {
    const char* name;
    unsigned evdev;
    bool press;
    bool autoRepeat;
    KeyChoice choice;
    bool swallow;
    KeyCode captured;
};

TEST(KeyCapture, TakesKeysAsTheTwoHooksDo) {
    const auto kKb = KeyChoice::kKeyboard;
    const auto kMouse = KeyChoice::kMouse;
    const HookCase cases[] = {
        {"press", KEY_A, true, false, kKb, true, 0x01E},
        {"release is swallowed but names nothing", KEY_A, false, false, kKb, true, 0},
        {"a held key repeats without a new capture", KEY_A, true, true, kKb, true, 0},
        {"mouse chosen: swallowed, not taken", KEY_A, true, false, kMouse, true, 0},
        {"Escape does not close, it is a key", KEY_ESC, true, false, kKb, true, 0x001},
        {"Print Screen counts on release", KEY_SYSRQ, false, false, kKb, true, 0x137},
        {"Win with the mouse chosen", KEY_LEFTMETA, true, false, kMouse, true, 0x15B},
        {"Win release", KEY_RIGHTMETA, false, false, kKb, true, 0x15C},
        {"Menu with the mouse chosen", KEY_COMPOSE, true, false, kMouse, true, 0x15D},
        {"media keys reach the desktop", KEY_PLAYPAUSE, true, false, kKb, false, 0},
        {"keys without a code reach the desktop", KEY_F24, true, false, kKb, false, 0},
    };
    for (const auto& c : cases) {
        auto words = WindowsKeyOfEvdev(c.evdev, false);
        ASSERT_TRUE(words) << c.name;
        CaptureOutcome outcome =
            DecideKeyCapture({words->vk, words->keyData, c.press, c.autoRepeat}, c.choice);
        EXPECT_EQ(outcome.swallow, c.swallow) << c.name;
        EXPECT_EQ(Hex(outcome.captured), Hex(c.captured)) << c.name;
    }
}

}  // namespace
}  // namespace q804::model::editor
