#pragma once

// Every language key that the program reads by name, by section. Key names of keys, media
// and functions live with the key tables; lighting effect names are read by their code.
// The language-file tests check that each shipped language has all of these.

#include <array>
#include <string_view>

namespace q804 {

inline constexpr std::array<std::string_view, 100> kTextKeys = {
    // Assignment editor and key tooltips
    "A_BOTTOM",
    "A_CLEAR",
    "A_DELETE",
    "A_DOWN",
    "A_RECORD",
    "A_TOP",
    "A_UP",
    "COMPOSITE_PROMPT_CLEAR",
    "COMPOSITE_PROMPT_OSK",
    "FUNCTION_KEY",
    "FUNCTION_TISHI",
    "IDS_MACRO_KB_KEY",
    "IDS_MACRO_MOU_KEY",
    "KEY_SETTING_TISHI",
    "MACRO_CANCLE",
    "MACRO_CYCLES",
    "MACRO_EDIT_TISHI",
    "MACRO_NAME_SETTING",
    "MACRO_OK",
    "MACRO_SETTING",
    "MEDIA_EDIT_TISHI",
    "MULTI_MEDIA",
    "RECORD_DELAY",
    "SINGLE_KEY",
    "SINGLE_STATIC",
    "KEY_PROMPT_SET",
    "KEY_PROMPT_SINGLE",
    "KEY_PROMPT_MACRO",
    "KEY_PROMPT_MEDIA",
    "KEY_PROMPT_FUNCTION",
    "FUNC_KEY_DESC1",
    "FUNC_KEY_DESC2",
    "FUNC_KEY_DESC3",
    "FUNC_KEY_DESC4",
    "FUNC_KEY_DESC5",
    "FUNC_KEY_DESC6",
    "FUNC_KEY_DESC7",
    "FUNC_KEY_DESC8",
    "FUNC_KEY_DESC9",
    "FUNC_KEY_DESC10",
    "FUNC_KEY_DESC11",
    "IDS_KEYBOARD_MOU_LEFT",
    "IDS_KEYBOARD_MOU_RIGHT",
    "IDS_KEYBOARD_MOU_MIDDLE",
    "IDS_KEYBOARD_ROLL_UP",
    "IDS_KEYBOARD_ROLL_DOWN",
    // Macro page and recorder
    "MACRO_KEYS_TISHI",
    "MACRO_ACTION_TISHI",
    "MACRO_DELAY_MS",
    "MACRO_NEW_PREFIX",
    "MACRO_ERR_MAX",
    "MACRO_ACTION_ERR_DELAY_MAX",
    "MACRO_ACTION_CLEAR_CONFIRM",
    "MACRO_ACTION_RECORD",
    "MACRO_ACTION_STOP_RECORD",
    "MACRO_ACTION_RECORD_DELAY",
    // Unnamed keys
    "UNKNOWN_KEY",
    // Assignment store, encoding and profiles
    "MACRO_DELETE_CONFIRM_OF_KEYS",
    "EXTRA_MACRO_TOO_LONG",
    "EXTRA_PROFILE_SPACE_TIGHT",
    "DEFAULT_PROFILE_NAME",
    "PROFILE_FORMAT_ERROR",
    "PROFILE_LOAD_PROMPT",
    "PROFILE_NEW",
    "PROFILE_SELECT_PROMPT",
    "PROFILE_SEELCT_PROMPT2",
    "PROFILE_TIP",
    "MAIN_DEFAULT_MATRIX_PROMPT",
    // Main window, tray, menus and About box
    "MAIN_CAPTION",
    "MAIN_APPLY_PROMPT",
    "MAIN_CLOSE_PROMPT",
    "MAIN_HELP_PROMPT",
    "MAIN_MENU_PROMPT",
    "MAIN_MINIMIZE_PROMPT",
    "MAIN_NO_DEVICE_PROMPT",
    "MAIN_PROMPT_DEFAULT",
    "MAIN_PROMPT_INPORT",
    "MAIN_SWITCH_FUNCTION_TEXT",
    "MAIN_SWITCH_COLOR_TEXT",
    "KEYBOARD_TRAY_DESC",
    "IDS_TrayTip_Keyboard",
    "PROFILE_1",
    "PROFILE_2",
    "PROFILE_3",
    "PROFILE_APPLY",
    "PROFILE_CANCLE",
    "PROFILE_DEFAULT",
    "PROFILE_MACRO",
    "PROFILE_OK",
    "MENU_1",
    "MENU_2",
    "MENU_3",
    "MENU_4",
    "MENU_11",
    "MENU_22",
    "MENU_33",
    "GUANYU_BANQUAN",
    "GUANYU_JIESHAO",
    "LANG_ABOUT_OK",
    "LANG_ABOUT_TITLE",
};

inline constexpr std::array<std::string_view, 9> kLightKeys = {
    "Color", "DC", "Deng", "FX", "JColor", "Light", "Speed", "Tool", "Usb",
};

// Lighting effects the keyboard may list; their names are read from section MODE by code.
inline constexpr std::array<int, 19> kNamedEffectCodes = {1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                                          11, 12, 13, 14, 15, 16, 17, 18, 20};

}  // namespace q804
