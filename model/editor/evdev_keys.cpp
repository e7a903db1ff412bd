#include "model/editor/evdev_keys.h"

#include <array>

namespace q804::model::editor {
namespace {

struct ListedEvdevKey {
    std::uint16_t evdev;  // the kernel's KEY_* number
    std::uint16_t scan;
    std::uint8_t vk;
    std::uint8_t vkNumLockOff;  // 0: the same as vk
};

// Scan codes and virtual keys as a Windows PC reports the same key. Pause arrives as E1 1D 45,
// which Windows reports as scan 0x45 without the extended flag (in the key code space Pause
// and Num Lock are exchanged, so Num Lock is 0x145). Keys without a virtual key of their
// own (0xFF) are decided by their scan code alone.
// clang-format off
constexpr ListedEvdevKey kListed[] = {
    {1, 0x001, 0x1B, 0},    // KEY_ESC
    {2, 0x002, 0x31, 0},    // KEY_1
    {3, 0x003, 0x32, 0},    // KEY_2
    {4, 0x004, 0x33, 0},    // KEY_3
    {5, 0x005, 0x34, 0},    // KEY_4
    {6, 0x006, 0x35, 0},    // KEY_5
    {7, 0x007, 0x36, 0},    // KEY_6
    {8, 0x008, 0x37, 0},    // KEY_7
    {9, 0x009, 0x38, 0},    // KEY_8
    {10, 0x00A, 0x39, 0},   // KEY_9
    {11, 0x00B, 0x30, 0},   // KEY_0
    {12, 0x00C, 0xBD, 0},   // KEY_MINUS
    {13, 0x00D, 0xBB, 0},   // KEY_EQUAL
    {14, 0x00E, 0x08, 0},   // KEY_BACKSPACE
    {15, 0x00F, 0x09, 0},   // KEY_TAB
    {16, 0x010, 0x51, 0},   // KEY_Q
    {17, 0x011, 0x57, 0},   // KEY_W
    {18, 0x012, 0x45, 0},   // KEY_E
    {19, 0x013, 0x52, 0},   // KEY_R
    {20, 0x014, 0x54, 0},   // KEY_T
    {21, 0x015, 0x59, 0},   // KEY_Y
    {22, 0x016, 0x55, 0},   // KEY_U
    {23, 0x017, 0x49, 0},   // KEY_I
    {24, 0x018, 0x4F, 0},   // KEY_O
    {25, 0x019, 0x50, 0},   // KEY_P
    {26, 0x01A, 0xDB, 0},   // KEY_LEFTBRACE
    {27, 0x01B, 0xDD, 0},   // KEY_RIGHTBRACE
    {28, 0x01C, 0x0D, 0},   // KEY_ENTER
    {29, 0x01D, 0xA2, 0},   // KEY_LEFTCTRL
    {30, 0x01E, 0x41, 0},   // KEY_A
    {31, 0x01F, 0x53, 0},   // KEY_S
    {32, 0x020, 0x44, 0},   // KEY_D
    {33, 0x021, 0x46, 0},   // KEY_F
    {34, 0x022, 0x47, 0},   // KEY_G
    {35, 0x023, 0x48, 0},   // KEY_H
    {36, 0x024, 0x4A, 0},   // KEY_J
    {37, 0x025, 0x4B, 0},   // KEY_K
    {38, 0x026, 0x4C, 0},   // KEY_L
    {39, 0x027, 0xBA, 0},   // KEY_SEMICOLON
    {40, 0x028, 0xDE, 0},   // KEY_APOSTROPHE
    {41, 0x029, 0xC0, 0},   // KEY_GRAVE
    {42, 0x02A, 0xA0, 0},   // KEY_LEFTSHIFT
    {43, 0x02B, 0xDC, 0},   // KEY_BACKSLASH
    {44, 0x02C, 0x5A, 0},   // KEY_Z
    {45, 0x02D, 0x58, 0},   // KEY_X
    {46, 0x02E, 0x43, 0},   // KEY_C
    {47, 0x02F, 0x56, 0},   // KEY_V
    {48, 0x030, 0x42, 0},   // KEY_B
    {49, 0x031, 0x4E, 0},   // KEY_N
    {50, 0x032, 0x4D, 0},   // KEY_M
    {51, 0x033, 0xBC, 0},   // KEY_COMMA
    {52, 0x034, 0xBE, 0},   // KEY_DOT
    {53, 0x035, 0xBF, 0},   // KEY_SLASH
    {54, 0x036, 0xA1, 0},   // KEY_RIGHTSHIFT
    {55, 0x037, 0x6A, 0},   // KEY_KPASTERISK
    {56, 0x038, 0xA4, 0},   // KEY_LEFTALT
    {57, 0x039, 0x20, 0},   // KEY_SPACE
    {58, 0x03A, 0x14, 0},   // KEY_CAPSLOCK
    {59, 0x03B, 0x70, 0},   // KEY_F1
    {60, 0x03C, 0x71, 0},   // KEY_F2
    {61, 0x03D, 0x72, 0},   // KEY_F3
    {62, 0x03E, 0x73, 0},   // KEY_F4
    {63, 0x03F, 0x74, 0},   // KEY_F5
    {64, 0x040, 0x75, 0},   // KEY_F6
    {65, 0x041, 0x76, 0},   // KEY_F7
    {66, 0x042, 0x77, 0},   // KEY_F8
    {67, 0x043, 0x78, 0},   // KEY_F9
    {68, 0x044, 0x79, 0},   // KEY_F10
    {69, 0x145, 0x90, 0},   // KEY_NUMLOCK
    {70, 0x046, 0x91, 0},   // KEY_SCROLLLOCK
    {71, 0x047, 0x67, 0x24},  // KEY_KP7 / Home
    {72, 0x048, 0x68, 0x26},  // KEY_KP8 / Up
    {73, 0x049, 0x69, 0x21},  // KEY_KP9 / Page Up
    {74, 0x04A, 0x6D, 0},   // KEY_KPMINUS
    {75, 0x04B, 0x64, 0x25},  // KEY_KP4 / Left
    {76, 0x04C, 0x65, 0x0C},  // KEY_KP5 / Clear
    {77, 0x04D, 0x66, 0x27},  // KEY_KP6 / Right
    {78, 0x04E, 0x6B, 0},   // KEY_KPPLUS
    {79, 0x04F, 0x61, 0x23},  // KEY_KP1 / End
    {80, 0x050, 0x62, 0x28},  // KEY_KP2 / Down
    {81, 0x051, 0x63, 0x22},  // KEY_KP3 / Page Down
    {82, 0x052, 0x60, 0x2D},  // KEY_KP0 / Insert
    {83, 0x053, 0x6E, 0x2E},  // KEY_KPDOT / Delete
    {86, 0x056, 0xE2, 0},   // KEY_102ND
    {87, 0x057, 0x7A, 0},   // KEY_F11
    {88, 0x058, 0x7B, 0},   // KEY_F12
    {89, 0x073, 0xC1, 0},   // KEY_RO
    {92, 0x079, 0xFF, 0},   // KEY_HENKAN
    {93, 0x070, 0xFF, 0},   // KEY_KATAKANAHIRAGANA
    {94, 0x07B, 0xEB, 0},   // KEY_MUHENKAN
    {96, 0x11C, 0x0D, 0},   // KEY_KPENTER
    {97, 0x11D, 0xA3, 0},   // KEY_RIGHTCTRL
    {98, 0x135, 0x6F, 0},   // KEY_KPSLASH
    {99, 0x137, 0x2C, 0},   // KEY_SYSRQ (Print Screen)
    {100, 0x138, 0xA5, 0},  // KEY_RIGHTALT
    {102, 0x147, 0x24, 0},  // KEY_HOME
    {103, 0x148, 0x26, 0},  // KEY_UP
    {104, 0x149, 0x21, 0},  // KEY_PAGEUP
    {105, 0x14B, 0x25, 0},  // KEY_LEFT
    {106, 0x14D, 0x27, 0},  // KEY_RIGHT
    {107, 0x14F, 0x23, 0},  // KEY_END
    {108, 0x150, 0x28, 0},  // KEY_DOWN
    {109, 0x151, 0x22, 0},  // KEY_PAGEDOWN
    {110, 0x152, 0x2D, 0},  // KEY_INSERT
    {111, 0x153, 0x2E, 0},  // KEY_DELETE
    {113, 0x120, 0xAD, 0},  // KEY_MUTE
    {114, 0x12E, 0xAE, 0},  // KEY_VOLUMEDOWN
    {115, 0x130, 0xAF, 0},  // KEY_VOLUMEUP
    {116, 0x15E, 0xFF, 0},  // KEY_POWER
    {117, 0x059, 0x92, 0},  // KEY_KPEQUAL
    {119, 0x045, 0x13, 0},  // KEY_PAUSE
    {121, 0x07E, 0xC2, 0},  // KEY_KPCOMMA
    {122, 0x072, 0xFF, 0},  // KEY_HANGEUL
    {123, 0x071, 0xFF, 0},  // KEY_HANJA
    {124, 0x07D, 0xFF, 0},  // KEY_YEN
    {125, 0x15B, 0x5B, 0},  // KEY_LEFTMETA
    {126, 0x15C, 0x5C, 0},  // KEY_RIGHTMETA
    {127, 0x15D, 0x5D, 0},  // KEY_COMPOSE (Menu)
    {128, 0x168, 0xA9, 0},  // KEY_STOP (browser stop)
    {140, 0x121, 0xB7, 0},  // KEY_CALC
    {142, 0x15F, 0x5F, 0},  // KEY_SLEEP
    {143, 0x163, 0xFF, 0},  // KEY_WAKEUP
    {155, 0x16C, 0xB4, 0},  // KEY_MAIL
    {156, 0x166, 0xAB, 0},  // KEY_BOOKMARKS
    {157, 0x16B, 0xB6, 0},  // KEY_COMPUTER
    {158, 0x16A, 0xA6, 0},  // KEY_BACK
    {159, 0x169, 0xA7, 0},  // KEY_FORWARD
    {163, 0x119, 0xB0, 0},  // KEY_NEXTSONG
    {164, 0x122, 0xB3, 0},  // KEY_PLAYPAUSE
    {165, 0x110, 0xB1, 0},  // KEY_PREVIOUSSONG
    {166, 0x124, 0xB2, 0},  // KEY_STOPCD
    {172, 0x132, 0xAC, 0},  // KEY_HOMEPAGE
    {173, 0x167, 0xA8, 0},  // KEY_REFRESH
    {183, 0x064, 0x7C, 0},  // KEY_F13
    {184, 0x065, 0x7D, 0},  // KEY_F14
    {185, 0x066, 0x7E, 0},  // KEY_F15
    {186, 0x067, 0x7F, 0},  // KEY_F16
    {187, 0x068, 0x80, 0},  // KEY_F17
    {188, 0x069, 0x81, 0},  // KEY_F18
    {189, 0x06A, 0x82, 0},  // KEY_F19
    {190, 0x06B, 0x83, 0},  // KEY_F20
    {191, 0x06C, 0x84, 0},  // KEY_F21
    {192, 0x06D, 0x85, 0},  // KEY_F22
    {193, 0x06E, 0x86, 0},  // KEY_F23
    {194, 0x076, 0x87, 0},  // KEY_F24
    {217, 0x165, 0xAA, 0},  // KEY_SEARCH
    {226, 0x16D, 0xB5, 0},  // KEY_MEDIA
};
// clang-format on

inline constexpr std::size_t kEvdevTableSize = 256;

struct Row {
    bool listed = false;
    EvdevKey key;
};

constexpr std::array<Row, kEvdevTableSize> BuildTable() {
    std::array<Row, kEvdevTableSize> table{};
    for (const ListedEvdevKey& listed : kListed) {
        Row& row = table[listed.evdev];
        row.listed = true;
        row.key.scan = listed.scan;
        row.key.vk = listed.vk;
        row.key.vkNumLockOff = listed.vkNumLockOff == 0 ? listed.vk : listed.vkNumLockOff;
    }
    return table;
}

constexpr bool ListedInOrder() {
    int previous = 0;
    for (const ListedEvdevKey& listed : kListed) {
        if (listed.evdev <= previous || listed.evdev >= kEvdevTableSize) {
            return false;
        }
        previous = listed.evdev;
    }
    return true;
}
static_assert(ListedInOrder(), "one row per kernel key code, in increasing order");

constexpr std::array<Row, kEvdevTableSize> kTable = BuildTable();

}  // namespace

std::optional<EvdevKey> EvdevKeyInfo(std::uint32_t evdevCode) {
    if (evdevCode >= kTable.size() || !kTable[evdevCode].listed) {
        return std::nullopt;
    }
    return kTable[evdevCode].key;
}

bool IsNumLockDependent(std::uint32_t evdevCode) {
    auto key = EvdevKeyInfo(evdevCode);
    return key && key->vk != key->vkNumLockOff;
}

std::optional<WindowsKey> WindowsKeyOfEvdev(std::uint32_t evdevCode, bool numLockOffMeaning) {
    auto key = EvdevKeyInfo(evdevCode);
    if (!key) {
        return std::nullopt;
    }
    return WindowsKey{numLockOffMeaning ? key->vkNumLockOff : key->vk, KeyDataOfScan(key->scan)};
}

KeyCode KeyCodeOfEvdev(std::uint32_t evdevCode, bool numLockOffMeaning) {
    auto key = WindowsKeyOfEvdev(evdevCode, numLockOffMeaning);
    return key ? KeyCodeOfVirtualKey(key->vk, key->keyData) : kNoKey;
}

}  // namespace q804::model::editor
