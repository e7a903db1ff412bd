#pragma once

// Key identities: the 16-bit key code of every key, mouse button and special function, the
// slot it occupies in a profile of the assignment store, the constant tables hanging off it
// and the conversions to and from the keyboard's 3-byte key records. Constant data and pure
// functions only, safe from any thread; the key names need the language tables.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace q804 {
class LanguageTables;
}

namespace q804::model {

// Set-1 scan code based key identity; see KeySlotOfCode for how it maps onto slots.
using KeyCode = std::uint16_t;
// Index of a key within one profile of the assignment store, 0-511; kNoSlot for none.
using KeySlot = int;
// Control identifier of a key on the drawn keyboard.
using KeyButtonId = int;
// Position of a key in the keyboard's per-key colour tables, 0-125.
using ColourIndex = int;

inline constexpr KeySlot kNoSlot = -1;
inline constexpr int kKeySlotCount = 512;
inline constexpr int kKeyInfoRowCount = 256;

inline constexpr KeyCode kNoKey = 0;
inline constexpr KeyCode kFirstGKeyCode = 0x200;
inline constexpr KeySlot kFirstGKeySlot = 256;
inline constexpr int kGKeySlotCount = 18;
inline constexpr int kGKeyButtonCount = 9;
inline constexpr ColourIndex kGKeyColourIndex = 125;

// Codes with a meaning of their own in the encoders and the recorder.
inline constexpr KeyCode kMouseLeft = 0x171;
inline constexpr KeyCode kMouseRight = 0x172;
inline constexpr KeyCode kMouseMiddle = 0x173;
inline constexpr KeyCode kWheelUp = 0x161;
inline constexpr KeyCode kWheelDown = 0x162;
inline constexpr KeyCode kRightShift = 0x036;
inline constexpr KeyCode kPrintScreen = 0x137;

// --- Slot arithmetic -----------------------------------------------------------------------

// Codes below 0x100 are their own slot; E0-prefixed codes 0x100-0x1FF fold onto 128-255;
// G-key codes from 0x200 sit at 256 upward. A code whose slot would lie past the store's 512
// slots has none, so that no caller can index beyond a profile.
constexpr KeySlot KeySlotOfCode(KeyCode code) {
    if (code < 0x100) {
        return code;
    }
    if (code < 0x200) {
        return (code - 0x80) & 0xFF;
    }
    const int slot = code - 0x100;
    return slot < kKeySlotCount ? slot : kNoSlot;
}

// The inverse for every slot of a profile: 256 and above give the G-key codes 0x200 upward
// (slot + 0x80 there would give a code that folds back onto slot 0). Slots outside 0-511
// give no key.
constexpr KeyCode CodeOfKeySlot(KeySlot slot) {
    if (slot < 0 || slot >= kKeySlotCount) {
        return kNoKey;
    }
    if (slot < 128) {
        return static_cast<KeyCode>(slot);
    }
    if (slot < 256) {
        return static_cast<KeyCode>(slot + 0x80);
    }
    return static_cast<KeyCode>(slot + 0x100);
}

// --- Key information table -----------------------------------------------------------------

enum class KeyClass : std::uint8_t {
    kPlain = 0,
    kLetter = 1,            // alternateText: the lower-case letter
    kShiftedCharacter = 2,  // alternateText: the shifted character
    kKeypadDigit = 3,       // alternateText: the NumLock-off name; vkAlternate differs
};

inline constexpr std::uint8_t kNoVirtualKey = 0xFF;
// Picker positions with this bit are not offered in the key picker.
inline constexpr std::uint16_t kNotInPicker = 0x8000;
inline constexpr int kPickerPositionCount = 111;

struct KeyInfoRow {
    std::uint8_t vk = kNoVirtualKey;
    std::uint16_t pickerPosition = kNotInPicker;
    std::string_view name;  // English name; the shown text comes from textKey
    KeyClass keyClass = KeyClass::kPlain;
    std::uint8_t vkAlternate = kNoVirtualKey;
    std::uint8_t deviceUsage = 0;  // the key's byte towards the keyboard, 0 = cannot be sent
    std::string_view alternateText;
    std::string_view textKey;  // language key of the shown name, empty for no name

    constexpr bool empty() const { return name.empty(); }
};

// The row of a slot; slots outside 0-255 (G keys, out of range) give the empty row.
const KeyInfoRow& KeyInfo(KeySlot slot);

// --- HID usages ----------------------------------------------------------------------------

enum class UsageKind : int {
    kNone = 0,
    kGenericDesktop = 1,
    kMouse = 2,
    kKeyboard = 7,
    kConsumer = 12,
};

struct HidUsage {
    UsageKind kind = UsageKind::kNone;
    std::uint16_t usage = 0;
    friend constexpr bool operator==(const HidUsage&, const HidUsage&) = default;
};

// Consumer-page usages behind the device usage bytes 0xC0 + i; entries 18-31 are unused.
inline constexpr std::array<std::uint16_t, 32> kConsumerUsageTable = {
    0x0E9, 0x0EA, 0x183, 0x18A, 0x192, 0x194, 0x221, 0x223, 0x224, 0x225, 0x226,
    0x227, 0x22A, 0x0E2, 0x0CD, 0x0B7, 0x0B6, 0x0B5, 0,     0,     0,     0,
    0,     0,     0,     0,     0,     0,     0,     0,     0,     0,
};
inline constexpr std::uint8_t kFirstConsumerDeviceUsage = 0xC0;

// The pair a key is sent as: the row's device usage, kind 1 for the system keys, kind 2 for
// mouse buttons and wheel, kind 7 for everything else (media and office bytes included);
// (0, 0) when the key cannot be sent.
HidUsage UsageOfKeyCode(KeyCode code);

// The first key (lowest slot) whose device usage matches; 0 when none does.
KeyCode KeyCodeOfUsage(UsageKind kind, std::uint16_t usage);

// --- Media and keyboard functions ----------------------------------------------------------

struct MediaRow {
    std::string_view textKey;
    std::string_view name;
    std::uint16_t consumerUsage;
    KeyCode code;
};

inline constexpr int kMediaCount = 18;
// clang-format off
inline constexpr std::array<MediaRow, kMediaCount> kMediaTable = {{
    // text key                 name            usage  code      index
    {"MEDIA_PALYER_1",          "Media Player", 0x183, 0x16D},  // 0
    {"MEDIA_PALY_PAUSE_2",      "Play/Pause",   0x0CD, 0x122},  // 1
    {"MEDIA_STOP_PALY_3",       "Stop Play",    0x0B7, 0x124},  // 2
    {"MEDIA_PREV_TRACK_4",      "Prev Track",   0x0B6, 0x110},  // 3
    {"MEDIA_Next_TRACK_5",      "Next Track",   0x0B5, 0x119},  // 4
    {"MEDIA_V_LOW_6",           "V-",           0x0EA, 0x12E},  // 5
    {"MEDIA_V_ADD_7",           "V+",           0x0E9, 0x130},  // 6
    {"MEDIA_MUTE_8",            "Mute",         0x0E2, 0x120},  // 7
    {"MEDIA_WWW_HOME_9",        "WWW Home",     0x223, 0x132},  // 8
    {"MEDIA_WWW_REFRESH_10",    "WWW Refresh",  0x227, 0x167},  // 9
    {"MEDIA_WWW_STOP_11",       "WWW Stop",     0x226, 0x168},  // 10
    {"MEDIA_WWW_BACK_12",       "WWW Back",     0x224, 0x16A},  // 11
    {"MEDIA_WWW_FORWARD_13",    "WWW Forward",  0x225, 0x169},  // 12
    {"MEDIA_WWW_FAVORITE_14",   "WWW Favorite", 0x22A, 0x166},  // 13
    {"MEDIA_WWW_SEARCH_15",     "WWW Search",   0x221, 0x165},  // 14
    {"MEDIA_MY_PC_16",          "My PC",        0x194, 0x16B},  // 15
    {"MEDIA_CALC_17",           "Calc",         0x192, 0x121},  // 16
    {"MEDIA_MAIL_18",           "Mail",         0x18A, 0x16C},  // 17
}};
// clang-format on

// True for the key codes of the MediaTable: the recorder and the key capture let them pass.
bool IsMediaKeyCode(KeyCode code);

// Keyboard functions 0-10, shown by these texts; what they do is the keyboard's business.
inline constexpr int kFunctionCount = 11;
inline constexpr std::array<std::string_view, kFunctionCount> kFunctionTable = {
    "FUNC_KEY_DESC1", "FUNC_KEY_DESC2",  "FUNC_KEY_DESC3",  "FUNC_KEY_DESC4",
    "FUNC_KEY_DESC5", "FUNC_KEY_DESC6",  "FUNC_KEY_DESC7",  "FUNC_KEY_DESC8",
    "FUNC_KEY_DESC9", "FUNC_KEY_DESC10", "FUNC_KEY_DESC11",
};

// --- Key buttons of the main window --------------------------------------------------------

struct KeyButtonRow {
    KeyButtonId button;
    KeyCode code;
    ColourIndex colourIndex;
};

inline constexpr int kKeyButtonCount = 106;
inline constexpr std::array<KeyButtonRow, kKeyButtonCount> kKeyButtonOrder = {{
    // row: button, code, colour index
    {1058, 0x01E, 64},   //   0 A
    {1075, 0x030, 90},   //   1 B
    {1073, 0x02E, 88},   //   2 C
    {1060, 0x020, 66},   //   3 D
    {1046, 0x012, 45},   //   4 E
    {1061, 0x021, 67},   //   5 F
    {1062, 0x022, 68},   //   6 G
    {1063, 0x023, 69},   //   7 H
    {1051, 0x017, 50},   //   8 I
    {1064, 0x024, 70},   //   9 J
    {1065, 0x025, 71},   //  10 K
    {1066, 0x026, 72},   //  11 L
    {1077, 0x032, 92},   //  12 M
    {1076, 0x031, 91},   //  13 N
    {1052, 0x018, 51},   //  14 O
    {1053, 0x019, 52},   //  15 P
    {1044, 0x010, 43},   //  16 Q
    {1047, 0x013, 46},   //  17 R
    {1059, 0x01F, 65},   //  18 S
    {1048, 0x014, 47},   //  19 T
    {1050, 0x016, 49},   //  20 U
    {1074, 0x02F, 89},   //  21 V
    {1045, 0x011, 44},   //  22 W
    {1072, 0x02D, 87},   //  23 X
    {1049, 0x015, 48},   //  24 Y
    {1071, 0x02C, 86},   //  25 Z
    {1030, 0x002, 22},   //  26 1
    {1031, 0x003, 23},   //  27 2
    {1032, 0x004, 24},   //  28 3
    {1033, 0x005, 25},   //  29 4
    {1034, 0x006, 26},   //  30 5
    {1035, 0x007, 27},   //  31 6
    {1036, 0x008, 28},   //  32 7
    {1037, 0x009, 29},   //  33 8
    {1038, 0x00A, 30},   //  34 9
    {1039, 0x00B, 31},   //  35 0
    {1070, 0x01C, 76},   //  36 Enter
    {1022, 0x001, 0},    //  37 Esc
    {1043, 0x00E, 34},   //  38 Backspace
    {1056, 0x00F, 42},   //  39 Tab
    {1090, 0x039, 108},  //  40 Space
    {1040, 0x00C, 32},   //  41 -
    {1041, 0x00D, 33},   //  42 =
    {1054, 0x01A, 53},   //  43 [
    {1055, 0x01B, 54},   //  44 ]
    {1042, 0x02B, 75},   //  45 Backslash
    {1067, 0x027, 73},   //  46 ;
    {1068, 0x028, 74},   //  47 '
    {1029, 0x029, 21},   //  48 `
    {1078, 0x033, 93},   //  49 ,
    {1079, 0x034, 94},   //  50 .
    {1080, 0x035, 95},   //  51 /
    {1010, 0x03B, 1},    //  52 F1
    {1011, 0x03C, 2},    //  53 F2
    {1012, 0x03D, 3},    //  54 F3
    {1013, 0x03E, 4},    //  55 F4
    {1014, 0x03F, 5},    //  56 F5
    {1015, 0x040, 6},    //  57 F6
    {1023, 0x041, 7},    //  58 F7
    {1024, 0x042, 8},    //  59 F8
    {1025, 0x043, 9},    //  60 F9
    {1026, 0x044, 10},   //  61 F10
    {1027, 0x057, 11},   //  62 F11
    {1028, 0x058, 12},   //  63 F12
    {1091, 0x137, 14},   //  64 Print Screen
    {1093, 0x045, 16},   //  65 Pause
    {1094, 0x152, 35},   //  66 Insert
    {1097, 0x153, 56},   //  67 Delete
    {1095, 0x147, 36},   //  68 Home
    {1098, 0x14F, 57},   //  69 End
    {1096, 0x149, 37},   //  70 Page Up
    {1099, 0x151, 58},   //  71 Page Down
    {1103, 0x148, 99},   //  72 Up
    {1101, 0x150, 120},  //  73 Down
    {1100, 0x14B, 119},  //  74 Left
    {1102, 0x14D, 121},  //  75 Right
    {1092, 0x046, 15},   //  76 Scroll Lock
    {1069, 0x03A, 63},   //  77 Caps Lock
    {1088, 0x15D, 111},  //  78 App
    {1083, 0x01D, 105},  //  79 Ctrl
    {1089, 0x11D, 113},  //  80 Right Ctrl
    {1082, 0x02A, 84},   //  81 Shift
    {1081, 0x036, 97},   //  82 Right Shift
    {1085, 0x038, 107},  //  83 Alt
    {1086, 0x138, 109},  //  84 Right Alt
    {1084, 0x15B, 106},  //  85 Win
    {1087, 0x15C, 112},  //  86 Right Win
    {1115, 0x04F, 101},  //  87 Num 1
    {1116, 0x050, 102},  //  88 Num 2
    {1117, 0x051, 103},  //  89 Num 3
    {1112, 0x04B, 80},   //  90 Num 4
    {1113, 0x04C, 81},   //  91 Num 5
    {1114, 0x04D, 82},   //  92 Num 6
    {1108, 0x047, 59},   //  93 Num 7
    {1109, 0x048, 60},   //  94 Num 8
    {1110, 0x049, 61},   //  95 Num 9
    {1120, 0x052, 123},  //  96 Num 0
    {1104, 0x145, 38},   //  97 Num Lock
    {1118, 0x11C, 104},  //  98 Num Enter
    {1119, 0x053, 124},  //  99 Num .
    {1105, 0x135, 39},   // 100 Num /
    {1106, 0x037, 40},   // 101 Num *
    {1107, 0x04A, 41},   // 102 Num -
    {1111, 0x04E, 62},   // 103 Num +
    {1226, 0x056, 85},   // 104 K45
    {1227, 0x073, 96},   // 105 K56
}};

// G keys 1-9 (captions G1-G9). Button j shows slot 256 + j in bank 0 and 265 + j in bank 1.
inline constexpr std::array<KeyButtonId, kGKeyButtonCount> kGKeyButtons = {
    1000, 1001, 1002, 1003, 1004, 1140, 1141, 1142, 1143,
};

// Row of kKeyButtonOrder for a button id; nothing for G keys and unknown ids.
std::optional<int> KeyButtonRowOfId(KeyButtonId button);
// Colour index of a key button; kGKeyColourIndex for a G key, 0 for an unknown id.
ColourIndex ColourIndexOfButton(KeyButtonId button);
// Position j (0-8) of a G key button; nothing for any other id.
std::optional<int> GKeyIndexOfButton(KeyButtonId button);
// The slot a G key button shows in a bank (0 or 1); kNoSlot for other ids or banks.
KeySlot GKeySlotOfButton(KeyButtonId button, int bank);

// The constant stored in the extra word of G slot 256 + k: 0x301 + k for k = 0-8,
// 0x1301 + (k - 9) for k = 9-17; 0 for every other slot.
constexpr std::uint16_t GKeyFunctionCode(KeySlot slot) {
    if (slot < kFirstGKeySlot || slot >= kFirstGKeySlot + kGKeySlotCount) {
        return 0;
    }
    const int k = slot - kFirstGKeySlot;
    if (k < kGKeyButtonCount) {
        return static_cast<std::uint16_t>(0x301 + k);
    }
    return static_cast<std::uint16_t>(0x1301 + (k - kGKeyButtonCount));
}

// --- Keyboard key records ------------------------------------------------------------------

// The keyboard's 3-byte description of what a key does.
struct DeviceKeyRecord {
    std::uint8_t kind = 0;
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(const DeviceKeyRecord&, const DeviceKeyRecord&) = default;
};
inline constexpr std::size_t kDeviceKeyRecordSize = 3;

// The record at a byte offset of a key table. A record that would reach past the end of
// the bytes reads as no function and is not written.
DeviceKeyRecord ReadDeviceKeyRecord(std::span<const std::uint8_t> bytes, std::size_t offset);
void WriteDeviceKeyRecord(std::span<std::uint8_t> bytes, std::size_t offset,
                          const DeviceKeyRecord& record);

// The key a record stands for; 0 for records that are no key (none, macros, functions) and
// for every combination the keyboard does not use.
KeyCode DecodeDeviceKeyRecord(const DeviceKeyRecord& record);

// Code of the lowest set modifier bit (0x01 Left Ctrl ... 0x80 Right Win); 0 for no bit.
KeyCode ModifierCodeOfBits(std::uint8_t bits);

// --- Key picker of the macro action list ---------------------------------------------------

// The key at picker position 0-110 (lowest slot wins); 0 for any other position.
KeyCode PickerCodeAt(int position);
// The picker position of a key, or -1 when the key is not offered.
int PickerPositionOfCode(KeyCode code);

// --- Names ---------------------------------------------------------------------------------

inline constexpr std::size_t kNoCapacityLimit = std::numeric_limits<std::size_t>::max();

// Shown name of a key in the current language: the row's text, or the "UNKNOWN_KEY" text
// filled with the code when the row has no name or its text is empty. capacity counts
// characters including a terminator, as the text fields it is shown in do.
std::string KeyNameOfCode(LanguageTables& language, KeyCode code,
                          std::size_t capacity = kNoCapacityLimit);
// Text of the key at a picker position; empty when there is none or it has no text key.
std::string PickerNameAt(LanguageTables& language, int position);

// Resolves a name a user typed: the English name of a key (ASCII case ignored, the first
// slot wins where two rows share one), "Up"/"Down"/"Left"/"Right" for the arrows, or
// "G1"-"G18" for the G-key slots.
std::optional<KeyCode> KeyCodeOfName(std::string_view name);
// English name of a code: the row's name, "G1"-"G18" for the G-key codes, empty otherwise.
std::string EnglishNameOfCode(KeyCode code);

// --- Macro recorder ------------------------------------------------------------------------

// Slot for a virtual-key code (0 = none): the lowest slot with that vk, with the exceptions
// the recorder needs (generic Shift/Ctrl/Alt, Print Screen rather than Sys Req, ...).
KeySlot VkSlot(std::uint32_t vk);

// Key code of a key message from its virtual key and its 32-bit data word (bits 16-23 scan
// code, bit 24 extended key). Prefers the scan code when it is consistent with the virtual
// key, so that a keypad key with NumLock off is recorded as itself.
KeyCode KeyCodeOfVirtualKey(std::uint32_t vk, std::uint32_t keyData);

// Mouse button messages: 0x201/0x202 left, 0x204/0x205 right, 0x207/0x208 middle; others 0.
KeyCode KeyCodeOfMouseMessage(std::uint32_t message);
bool IsMouseRelease(std::uint32_t message);

}  // namespace q804::model
