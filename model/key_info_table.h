#pragma once

// The key information table: one row per slot 0-255, every slot not listed below empty.
// Kept apart from key_tables.h so that only the lookups and the checks that need the whole
// table compile it; everyone else goes through KeyInfo().

#include <array>
#include <cstdint>
#include <string_view>

#include "model/key_tables.h"

namespace q804::model {

namespace key_info_detail {

inline constexpr std::uint8_t kSameVk = 0;  // vkAlternate equal to vk
inline constexpr int kNoPicker = -1;

// One listed row, with its slot and code side by side so that the pair can be checked.
struct ListedKey {
    int slot;
    KeyCode code;
    std::string_view name;
    std::string_view textKey;
    std::uint8_t vk;
    std::uint8_t vkAlternate;  // NumLock-off virtual key of a keypad digit, else kSameVk
    std::uint8_t deviceUsage;
    std::uint8_t keyClass;
    std::string_view alternateText;
    int picker;  // 0-110, or kNoPicker when the key is not offered
};

// clang-format off
inline constexpr ListedKey kListedKeys[] = {
    // slot code   name             text key                         vk    vk alt   usage cls alt text    picker
    {  1, 0x001, "Esc",           "IDS_KEYBOARD_ESC",              0x1B, kSameVk, 0x29, 0, "",            37},
    {  2, 0x002, "1",             "IDS_KEYBOARD_1",                0x31, kSameVk, 0x1E, 2, "!",           26},
    {  3, 0x003, "2",             "IDS_KEYBOARD_2",                0x32, kSameVk, 0x1F, 2, "@",           27},
    {  4, 0x004, "3",             "IDS_KEYBOARD_3",                0x33, kSameVk, 0x20, 2, "#",           28},
    {  5, 0x005, "4",             "IDS_KEYBOARD_4",                0x34, kSameVk, 0x21, 2, "$",           29},
    {  6, 0x006, "5",             "IDS_KEYBOARD_5",                0x35, kSameVk, 0x22, 2, "%",           30},
    {  7, 0x007, "6",             "IDS_KEYBOARD_6",                0x36, kSameVk, 0x23, 2, "^",           31},
    {  8, 0x008, "7",             "IDS_KEYBOARD_7",                0x37, kSameVk, 0x24, 2, "&",           32},
    {  9, 0x009, "8",             "IDS_KEYBOARD_8",                0x38, kSameVk, 0x25, 2, "*",           33},
    { 10, 0x00A, "9",             "IDS_KEYBOARD_9",                0x39, kSameVk, 0x26, 2, "(",           34},
    { 11, 0x00B, "0",             "IDS_KEYBOARD_0",                0x30, kSameVk, 0x27, 2, ")",           35},
    { 12, 0x00C, "-",             "IDS_KEYBOARD_MINUS",            0xBD, kSameVk, 0x2D, 2, "_",           41},
    { 13, 0x00D, "=",             "IDS_KEYBOARD_EQU",              0xBB, kSameVk, 0x2E, 2, "+",           42},
    { 14, 0x00E, "Backspace",     "IDS_KEYBOARD_BS",               0x08, kSameVk, 0x2A, 0, "",            38},
    { 15, 0x00F, "Tab",           "IDS_KEYBOARD_TAB",              0x09, kSameVk, 0x2B, 0, "",            39},
    { 16, 0x010, "Q",             "IDS_KEYBOARD_Q",                0x51, kSameVk, 0x14, 1, "q",           16},
    { 17, 0x011, "W",             "IDS_KEYBOARD_W",                0x57, kSameVk, 0x1A, 1, "w",           22},
    { 18, 0x012, "E",             "IDS_KEYBOARD_E",                0x45, kSameVk, 0x08, 1, "e",            4},
    { 19, 0x013, "R",             "IDS_KEYBOARD_R",                0x52, kSameVk, 0x15, 1, "r",           17},
    { 20, 0x014, "T",             "IDS_KEYBOARD_T",                0x54, kSameVk, 0x17, 1, "t",           19},
    { 21, 0x015, "Y",             "IDS_KEYBOARD_Y",                0x59, kSameVk, 0x1C, 1, "y",           24},
    { 22, 0x016, "U",             "IDS_KEYBOARD_U",                0x55, kSameVk, 0x18, 1, "u",           20},
    { 23, 0x017, "I",             "IDS_KEYBOARD_I",                0x49, kSameVk, 0x0C, 1, "i",            8},
    { 24, 0x018, "O",             "IDS_KEYBOARD_O",                0x4F, kSameVk, 0x12, 1, "o",           14},
    { 25, 0x019, "P",             "IDS_KEYBOARD_P",                0x50, kSameVk, 0x13, 1, "p",           15},
    { 26, 0x01A, "[",             "IDS_KEYBOARD_SB1",              0xDB, kSameVk, 0x2F, 2, "{",           43},
    { 27, 0x01B, "]",             "IDS_KEYBOARD_SB2",              0xDD, kSameVk, 0x30, 2, "}",           44},
    { 28, 0x01C, "Enter",         "IDS_KEYBOARD_ENTER",            0x0D, kSameVk, 0x28, 0, "",            36},
    { 29, 0x01D, "Ctrl",          "IDS_KEYBOARD_LCTRL",            0xA2, kSameVk, 0xE0, 0, "",            98},
    { 30, 0x01E, "A",             "IDS_KEYBOARD_A",                0x41, kSameVk, 0x04, 1, "a",            0},
    { 31, 0x01F, "S",             "IDS_KEYBOARD_S",                0x53, kSameVk, 0x16, 1, "s",           18},
    { 32, 0x020, "D",             "IDS_KEYBOARD_D",                0x44, kSameVk, 0x07, 1, "d",            3},
    { 33, 0x021, "F",             "IDS_KEYBOARD_F",                0x46, kSameVk, 0x09, 1, "f",            5},
    { 34, 0x022, "G",             "IDS_KEYBOARD_G",                0x47, kSameVk, 0x0A, 1, "g",            6},
    { 35, 0x023, "H",             "IDS_KEYBOARD_H",                0x48, kSameVk, 0x0B, 1, "h",            7},
    { 36, 0x024, "J",             "IDS_KEYBOARD_J",                0x4A, kSameVk, 0x0D, 1, "j",            9},
    { 37, 0x025, "K",             "IDS_KEYBOARD_K",                0x4B, kSameVk, 0x0E, 1, "k",           10},
    { 38, 0x026, "L",             "IDS_KEYBOARD_L",                0x4C, kSameVk, 0x0F, 1, "l",           11},
    { 39, 0x027, ";",             "IDS_KEYBOARD_SEM",              0xBA, kSameVk, 0x33, 2, ":",           46},
    { 40, 0x028, "'",             "IDS_KEYBOARD_QUOT",             0xDE, kSameVk, 0x34, 2, "\"",          47},
    { 41, 0x029, "`",             "IDS_KEYBOARD_AID1",             0xC0, kSameVk, 0x35, 2, "~",           48},
    { 42, 0x02A, "Shift",         "IDS_KEYBOARD_LSHIFT",           0xA0, kSameVk, 0xE1, 0, "",            99},
    { 43, 0x02B, "\\",            "IDS_KEYBOARD_AV",               0xDC, kSameVk, 0x31, 2, "|",           45},
    { 44, 0x02C, "Z",             "IDS_KEYBOARD_Z",                0x5A, kSameVk, 0x1D, 1, "z",           25},
    { 45, 0x02D, "X",             "IDS_KEYBOARD_X",                0x58, kSameVk, 0x1B, 1, "x",           23},
    { 46, 0x02E, "C",             "IDS_KEYBOARD_C",                0x43, kSameVk, 0x06, 1, "c",            2},
    { 47, 0x02F, "V",             "IDS_KEYBOARD_V",                0x56, kSameVk, 0x19, 1, "v",           21},
    { 48, 0x030, "B",             "IDS_KEYBOARD_B",                0x42, kSameVk, 0x05, 1, "b",            1},
    { 49, 0x031, "N",             "IDS_KEYBOARD_N",                0x4E, kSameVk, 0x11, 1, "n",           13},
    { 50, 0x032, "M",             "IDS_KEYBOARD_M",                0x4D, kSameVk, 0x10, 1, "m",           12},
    { 51, 0x033, ",",             "IDS_KEYBOARD_COMMA",            0xBC, kSameVk, 0x36, 2, "<",           49},
    { 52, 0x034, ".",             "IDS_KEYBOARD_PER",              0xBE, kSameVk, 0x37, 2, ">",           50},
    { 53, 0x035, "/",             "IDS_KEYBOARD_VIR",              0xBF, kSameVk, 0x38, 2, "?",           51},
    { 54, 0x036, "Right Shift",   "IDS_KEYBOARD_RSHIFT",           0xA1, kSameVk, 0xE5, 0, "",           103},
    { 55, 0x037, "Num *",         "IDS_KEYBOARD_S_AST",            0x6A, kSameVk, 0x55, 0, "",            81},
    { 56, 0x038, "Alt",           "IDS_KEYBOARD_LALT",             0xA4, kSameVk, 0xE2, 0, "",           100},
    { 57, 0x039, "Space",         "IDS_KEYBOARD_SPACE",            0x20, kSameVk, 0x2C, 0, "",            40},
    { 58, 0x03A, "Caps Lock",     "IDS_KEYBOARD_CAPS",             0x14, kSameVk, 0x39, 0, "",            78},
    { 59, 0x03B, "F1",            "IDS_KEYBOARD_F1",               0x70, kSameVk, 0x3A, 0, "",            52},
    { 60, 0x03C, "F2",            "IDS_KEYBOARD_F2",               0x71, kSameVk, 0x3B, 0, "",            53},
    { 61, 0x03D, "F3",            "IDS_KEYBOARD_F3",               0x72, kSameVk, 0x3C, 0, "",            54},
    { 62, 0x03E, "F4",            "IDS_KEYBOARD_F4",               0x73, kSameVk, 0x3D, 0, "",            55},
    { 63, 0x03F, "F5",            "IDS_KEYBOARD_F5",               0x74, kSameVk, 0x3E, 0, "",            56},
    { 64, 0x040, "F6",            "IDS_KEYBOARD_F6",               0x75, kSameVk, 0x3F, 0, "",            57},
    { 65, 0x041, "F7",            "IDS_KEYBOARD_F7",               0x76, kSameVk, 0x40, 0, "",            58},
    { 66, 0x042, "F8",            "IDS_KEYBOARD_F8",               0x77, kSameVk, 0x41, 0, "",            59},
    { 67, 0x043, "F9",            "IDS_KEYBOARD_F9",               0x78, kSameVk, 0x42, 0, "",            60},
    { 68, 0x044, "F10",           "IDS_KEYBOARD_F10",              0x79, kSameVk, 0x43, 0, "",            61},
    { 69, 0x045, "Pause",         "IDS_KEYBOARD_PAUSE",            0x13, kSameVk, 0x48, 0, "",            65},
    { 70, 0x046, "Scroll Lock",   "IDS_KEYBOARD_SCROLL",           0x91, kSameVk, 0x47, 0, "",            77},
    { 71, 0x047, "Num 7",         "IDS_KEYBOARD_S_7",              0x67, 0x24,    0x5F, 3, "Num Home",    91},
    { 72, 0x048, "Num 8",         "IDS_KEYBOARD_S_8",              0x68, 0x26,    0x60, 3, "Num Up",      92},
    { 73, 0x049, "Num 9",         "IDS_KEYBOARD_S_9",              0x69, 0x21,    0x61, 3, "Num PageUp",  93},
    { 74, 0x04A, "Num -",         "IDS_KEYBOARD_S_MINUS",          0x6D, kSameVk, 0x56, 0, "",            82},
    { 75, 0x04B, "Num 4",         "IDS_KEYBOARD_S_4",              0x64, 0x25,    0x5C, 3, "Num Left",    88},
    { 76, 0x04C, "Num 5",         "IDS_KEYBOARD_S_5",              0x65, 0x0C,    0x5D, 3, "Num 5",       89},
    { 77, 0x04D, "Num 6",         "IDS_KEYBOARD_S_6",              0x66, 0x27,    0x5E, 3, "Num Right",   90},
    { 78, 0x04E, "Num +",         "IDS_KEYBOARD_S_PLUS",           0x6B, kSameVk, 0x57, 0, "",            83},
    { 79, 0x04F, "Num 1",         "IDS_KEYBOARD_S_1",              0x61, 0x23,    0x59, 3, "Num End",     85},
    { 80, 0x050, "Num 2",         "IDS_KEYBOARD_S_2",              0x62, 0x28,    0x5A, 3, "Num Down",    86},
    { 81, 0x051, "Num 3",         "IDS_KEYBOARD_S_3",              0x63, 0x22,    0x5B, 3, "Num PageDn",  87},
    { 82, 0x052, "Num 0",         "IDS_KEYBOARD_S_0",              0x60, 0x2D,    0x62, 3, "Num Insert",  94},
    { 83, 0x053, "Num .",         "IDS_KEYBOARD_S_DEL",            0x6E, 0x2E,    0x63, 3, "Num Del",     95},
    { 84, 0x054, "Sys Req",       "IDS_KEYBOARD_SYSREQ",           0x2C, kSameVk, 0x00, 0, "",            -1},
    { 86, 0x056, "K45",           "IDS_KEYBOARD_K45",              0xE2, kSameVk, 0x64, 0, "",            96},
    { 87, 0x057, "F11",           "IDS_KEYBOARD_F11",              0x7A, kSameVk, 0x44, 0, "",            62},
    { 88, 0x058, "F12",           "IDS_KEYBOARD_F12",              0x7B, kSameVk, 0x45, 0, "",            63},
    {100, 0x064, "F13",           "",                              0x7C, kSameVk, 0x00, 0, "",            -1},
    {112, 0x070, "ROMA (133)",    "IDS_KEYBOARD_ROMA",             0xFF, kSameVk, 0x88, 0, "",            -1},
    {113, 0x071, "KL",            "IDS_KEYBOARD_KL",               0xE9, kSameVk, 0x91, 0, "",            -1},
    {114, 0x072, "KR",            "IDS_KEYBOARD_KR",               0xFF, kSameVk, 0x90, 0, "",            -1},
    {115, 0x073, "K56",           "IDS_KEYBOARD_K56",              0xC1, kSameVk, 0x87, 0, "",            -1},
    {121, 0x079, "CHG (132)",     "IDS_KEYBOARD_CHG",              0xFF, kSameVk, 0x8A, 0, "",            -1},
    {123, 0x07B, "N-CHG (131)",   "IDS_KEYBOARD_N_CHG",            0xEB, kSameVk, 0x8B, 0, "",            -1},
    {125, 0x07D, "K14",           "IDS_KEYBOARD_K14",              0xFF, kSameVk, 0x89, 0, "",            -1},
    {126, 0x07E, "K107",          "IDS_KEYBOARD_K107",             0xC2, kSameVk, 0x85, 0, "",            -1},
    {144, 0x110, "Prev Track",    "MEDIA_PREV_TRACK_4",            0xB1, kSameVk, 0xD0, 0, "",            -1},
    {153, 0x119, "Next Track",    "MEDIA_Next_TRACK_5",            0xB0, kSameVk, 0xD1, 0, "",            -1},
    {156, 0x11C, "Num Enter",     "IDS_KEYBOARD_S_ENTER",          0x0D, kSameVk, 0x58, 0, "",            84},
    {157, 0x11D, "Right Ctrl",    "IDS_KEYBOARD_RCTRL",            0xA3, kSameVk, 0xE4, 0, "",           102},
    {160, 0x120, "Mute",          "MEDIA_MUTE_8",                  0xAD, kSameVk, 0xCD, 0, "",            -1},
    {161, 0x121, "Calc",          "MEDIA_CALC_17",                 0xB7, kSameVk, 0xC4, 0, "",            -1},
    {162, 0x122, "Play/Pause",    "MEDIA_PALY_PAUSE_2",            0xB3, kSameVk, 0xCE, 0, "",            -1},
    {164, 0x124, "Stop Play",     "MEDIA_STOP_PALY_3",             0xB2, kSameVk, 0xCF, 0, "",            -1},
    {174, 0x12E, "V-",            "MEDIA_V_LOW_6",                 0xAE, kSameVk, 0xC1, 0, "",            -1},
    {176, 0x130, "V+",            "MEDIA_V_ADD_7",                 0xAF, kSameVk, 0xC0, 0, "",            -1},
    {178, 0x132, "WWW Home",      "MEDIA_WWW_HOME_9",              0xAC, kSameVk, 0xC7, 0, "",            -1},
    {181, 0x135, "Num /",         "IDS_KEYBOARD_S_VIR",            0x6F, kSameVk, 0x54, 0, "",            80},
    {182, 0x136, "Right Shift",   "IDS_KEYBOARD_RSHIFT",           0xA1, kSameVk, 0xE5, 0, "",           103},
    {183, 0x137, "Print Screen",  "IDS_KEYBOARD_PRINT",            0x2C, kSameVk, 0x46, 0, "",            64},
    {184, 0x138, "Right Alt",     "IDS_KEYBOARD_RALT",             0xA5, kSameVk, 0xE6, 0, "",           104},
    {197, 0x145, "Num Lock",      "IDS_KEYBOARD_NUM",              0x90, kSameVk, 0x53, 0, "",            79},
    {198, 0x146, "Break",         "IDS_KEYBOARD_BREAK",            0x03, kSameVk, 0x48, 0, "",            66},
    {199, 0x147, "Home",          "IDS_KEYBOARD_HOME",             0x24, kSameVk, 0x4A, 0, "",            69},
    {200, 0x148, "↑",             "IDS_KEYBOARD_UP",               0x26, kSameVk, 0x52, 0, "",            73},
    {201, 0x149, "Page Up",       "IDS_KEYBOARD_PAGE_UP",          0x21, kSameVk, 0x4B, 0, "",            71},
    {203, 0x14B, "←",             "IDS_KEYBOARD_LEFT",             0x25, kSameVk, 0x50, 0, "",            75},
    {205, 0x14D, "→",             "IDS_KEYBOARD_RIGHT",            0x27, kSameVk, 0x4F, 0, "",            76},
    {207, 0x14F, "End",           "IDS_KEYBOARD_END",              0x23, kSameVk, 0x4D, 0, "",            70},
    {208, 0x150, "↓",             "IDS_KEYBOARD_DOWN",             0x28, kSameVk, 0x51, 0, "",            74},
    {209, 0x151, "Page Down",     "IDS_KEYBOARD_PAGE_DOWN",        0x22, kSameVk, 0x4E, 0, "",            72},
    {210, 0x152, "Insert",        "IDS_KEYBOARD_INSERT",           0x2D, kSameVk, 0x49, 0, "",            67},
    {211, 0x153, "Delete",        "IDS_KEYBOARD_DELETE",           0x2E, kSameVk, 0x4C, 0, "",            68},
    {219, 0x15B, "Win",           "IDS_KEYBOARD_LWIN",             0x5B, kSameVk, 0xE3, 0, "",           101},
    {220, 0x15C, "Right Win",     "IDS_KEYBOARD_RWIN",             0x5C, kSameVk, 0xE7, 0, "",           105},
    {221, 0x15D, "App",           "IDS_KEYBOARD_APP",              0x5D, kSameVk, 0x65, 0, "",            97},
    {222, 0x15E, "Power",         "IDS_KEYBOARD_POWER",            0xFF, kSameVk, 0x81, 0, "",            -1},
    {223, 0x15F, "Sleep",         "IDS_KEYBOARD_SLEEP",            0x5F, kSameVk, 0x82, 0, "",            -1},
    {225, 0x161, "Roll Up",       "IDS_KEYBOARD_ROLL_UP",          0xD1, kSameVk, 0xF4, 0, "",           109},
    {226, 0x162, "Roll Down",     "IDS_KEYBOARD_ROLL_DOWN",        0xD2, kSameVk, 0xF5, 0, "",           110},
    {227, 0x163, "Wake",          "IDS_KEYBOARD_WAKE",             0xFF, kSameVk, 0x83, 0, "",            -1},
    {229, 0x165, "WWW Search",    "MEDIA_WWW_SEARCH_15",           0xAA, kSameVk, 0xC6, 0, "",            -1},
    {230, 0x166, "WWW Favorite",  "MEDIA_WWW_FAVORITE_14",         0xAB, kSameVk, 0xCC, 0, "",            -1},
    {231, 0x167, "WWW Refresh",   "MEDIA_WWW_REFRESH_10",          0xA8, kSameVk, 0xCB, 0, "",            -1},
    {232, 0x168, "WWW Stop",      "MEDIA_WWW_STOP_11",             0xA9, kSameVk, 0xCA, 0, "",            -1},
    {233, 0x169, "WWW Forward",   "MEDIA_WWW_FORWARD_13",          0xA7, kSameVk, 0xC9, 0, "",            -1},
    {234, 0x16A, "WWW Back",      "MEDIA_WWW_BACK_12",             0xA6, kSameVk, 0xC8, 0, "",            -1},
    {235, 0x16B, "My PC",         "MEDIA_MY_PC_16",                0xB6, kSameVk, 0xC5, 0, "",            -1},
    {236, 0x16C, "Mail",          "MEDIA_MAIL_18",                 0xB4, kSameVk, 0xC3, 0, "",            -1},
    {237, 0x16D, "Media Player",  "MEDIA_PALYER_1",                0xB5, kSameVk, 0xC2, 0, "",            -1},
    {238, 0x16E, "Pan Left",      "IDS_KEYBOARD_MOU_PANLEFT",      0x88, kSameVk, 0x00, 0, "",            -1},
    {239, 0x16F, "Pan Right",     "IDS_KEYBOARD_MOU_PANRIGHT",     0x89, kSameVk, 0x00, 0, "",            -1},
    {240, 0x170, "Double Click",  "IDS_KEYBOARD_MOU_DBCLICK",      0x8A, kSameVk, 0x00, 0, "",            -1},
    {241, 0x171, "Left Button",   "IDS_KEYBOARD_MOU_LEFT",         0x01, kSameVk, 0xF1, 0, "",           106},
    {242, 0x172, "Right Button",  "IDS_KEYBOARD_MOU_RIGHT",        0x02, kSameVk, 0xF2, 0, "",           107},
    {243, 0x173, "Middle Button", "IDS_KEYBOARD_MOU_MIDDLE",       0x04, kSameVk, 0xF3, 0, "",           108},
    {244, 0x174, "Zoom-",         "IDS_KEYBOARD_FUNC_ZOOMOUT",     0x8B, kSameVk, 0xD2, 0, "",            -1},
    {245, 0x175, "Zoom+",         "IDS_KEYBOARD_FUNC_ZOOMIN",      0x8C, kSameVk, 0xD3, 0, "",            -1},
    {246, 0x176, "Copy",          "IDS_KEYBOARD_FUNC_COPY",        0x97, kSameVk, 0x00, 0, "",            -1},
    {247, 0x177, "Cut",           "IDS_KEYBOARD_FUNC_CUT",         0x98, kSameVk, 0x00, 0, "",            -1},
    {248, 0x178, "Paste",         "IDS_KEYBOARD_FUNC_PASTE",       0x99, kSameVk, 0x00, 0, "",            -1},
    {249, 0x179, "Minimize",      "IDS_KEYBOARD_FUNC_MINI",        0x9A, kSameVk, 0x00, 0, "",            -1},
    {250, 0x17A, "Maximize",      "IDS_KEYBOARD_FUNC_MAXI",        0x9B, kSameVk, 0x00, 0, "",            -1},
    {251, 0x17B, "Word",          "IDS_KEYBOARD_FUNC_WORD",        0x9C, kSameVk, 0xD4, 0, "",            -1},
    {252, 0x17C, "Excel",         "IDS_KEYBOARD_FUNC_EXCEL",       0x9D, kSameVk, 0xD5, 0, "",            -1},
    {253, 0x17D, "PowerPoint",    "IDS_KEYBOARD_FUNC_POWERPOINT",  0x9E, kSameVk, 0x00, 0, "",            -1},
    {254, 0x17E, "Calendar",      "IDS_KEYBOARD_FUNC_CALENDAR",    0x9F, kSameVk, 0x00, 0, "",            -1},
};
// clang-format on

constexpr std::array<KeyInfoRow, kKeyInfoRowCount> BuildKeyInfoTable() {
    std::array<KeyInfoRow, kKeyInfoRowCount> table{};
    for (const ListedKey& key : kListedKeys) {
        KeyInfoRow& row = table[static_cast<std::size_t>(key.slot)];
        row.vk = key.vk;
        row.pickerPosition =
            key.picker == kNoPicker ? kNotInPicker : static_cast<std::uint16_t>(key.picker);
        row.name = key.name;
        row.keyClass = static_cast<KeyClass>(key.keyClass);
        row.vkAlternate = key.vkAlternate == kSameVk ? key.vk : key.vkAlternate;
        row.deviceUsage = key.deviceUsage;
        row.alternateText = key.alternateText;
        row.textKey = key.textKey;
    }
    return table;
}

// Typing slips that would put a key on the wrong slot or a second row on the same slot.
constexpr bool ListedKeysAreConsistent() {
    int previousSlot = 0;
    for (const ListedKey& key : kListedKeys) {
        if (key.slot <= previousSlot || key.slot >= kKeyInfoRowCount ||
            CodeOfKeySlot(key.slot) != key.code || KeySlotOfCode(key.code) != key.slot ||
            key.name.empty() || key.keyClass > 3 ||
            (key.picker != kNoPicker && (key.picker < 0 || key.picker >= kPickerPositionCount)) ||
            ((key.keyClass == 3) != (key.vkAlternate != kSameVk))) {
            return false;
        }
        previousSlot = key.slot;
    }
    return true;
}
static_assert(ListedKeysAreConsistent());

}  // namespace key_info_detail

inline constexpr std::array<KeyInfoRow, kKeyInfoRowCount> kKeyInfoTable =
    key_info_detail::BuildKeyInfoTable();

}  // namespace q804::model
