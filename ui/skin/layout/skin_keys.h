#pragma once

// The names that tie the program to its skin: layout files, the keys the dialogs read from
// them and the pictures they load. The dialogs, the skin generator and the tests all take
// the names from here, so a key can only be renamed in one place.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace q804 {

// ---- Layout files (in the skin folder)

inline constexpr std::string_view kMainSkinFile = "Main.ini";
inline constexpr std::string_view kCompositeSkinFile = "Composite.ini";
inline constexpr std::string_view kProfileSkinFile = "Profile.ini";

// ---- Main window ("Main.ini")

// Key buttons: "KEY_" + the key's slot in three upper-case hexadecimal digits, and
// "FUNC_G1" ... "FUNC_G9" for the G keys.
inline std::string KeySkinKey(unsigned slot) {
    char text[16];
    std::snprintf(text, sizeof text, "KEY_%03X", slot & 0xFFFu);
    return text;
}
inline std::string GKeySkinKey(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "FUNC_G%d", number);
    return text;
}
inline constexpr int kGKeyCount = 9;

inline constexpr auto kMainImageButtonKeys = std::to_array<std::string_view>({
    "ZELTRA_LINK",   "FUNC_PROFILES", "FUNC_MACRO",       "CONTROL_OK",    "CONTROL_CANCEL",
    "CONTROL_HELP",  "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU",  "CONTROL2_APPLY",
    "LOCK_CAPS",     "LOCK_NUM",      "LOCK_SCROLL",      "LOCK_AB",       "FLIP_0",
    "FLIP_1",        "FLIP_2",        "ZELTRA_VER",       "FUNC_PROFILE1", "FUNC_PROFILE2",
    "FUNC_PROFILE3", "FUNC_DEFAULT",  "FUNC_SWITCH",      "FUNC_REPORT1",  "FUNC_REPORT2",
    "FUNC_REPORT3",  "FUNC_REPORT4",  "KEY_FN",
});

// Controls placed by position and size only: the R, G, B fields and the lighting panel.
inline constexpr auto kMainControlKeys = std::to_array<std::string_view>({
    "COLOR_R",
    "COLOR_G",
    "COLOR_B",
    "CONTROL_UsbStatic",
    "CONTROL_RGBStatic",
    "CONTROL_DengStatic",
    "CONTROL_DengStaPic",
    "CONTROL_XGcombox",
    "CONTROL_JDTStatic",
    "CONTROL_LightStatic",
    "CONTROL_LightSlider",
    "CONTROL_SpeedStatic",
    "CONTROL_SpeedSlider",
    "CONTROL_BLFXStatic",
    "CONTROL_BLFXLStaPic",
    "CONTROL_BLFXRStaPic",
    "CONTROL_FYYSStatic",
    "CONTROL_FYYSButton",
    "CONTROL_FYSJSStaPic",
    "CONTROL_FYSJSStatic",
    "CONTROL_FYCFStatic",
    "CONTROL_FYdjcfStatic",
    "CONTROL_FYggcfStatc",
    "CONTROL_FYdjcfStaPic",
    "CONTROL_FYggcfStaPic",
    "CONTROL_HONGPIC",
    "CONTROL_HUANGPIC",
    "CONTROL_LVPIC",
    "CONTROL_LANPIC",
    "CONTROL_Add",
    "CONTROL_Sub",
    "CONTROL_Add2",
    "CONTROL_Sub2",
    "CONTROL_HXysStatic",
    "CONTROL_HXysButton",
    "CONTROL_HXsjsStatic",
    "CONTROL_HXsjsStaPic",
    "CONTROL_JTysStatic",
    "CONTROL_JTysButton",
    "CONTROL_USERysStatic",
    "CONTROL_USERysButton",
    "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton",
    "CONTROL_USERgjStatic",
    "CONTROL_USERgjStaPic1",
    "CONTROL_USERgjStaPic2",
    "CONTROL_Color1",
    "CONTROL_Color2",
    "CONTROL_Color3",
    "CONTROL_Color4",
    "CONTROL_Color5",
    "CONTROL_Color6",
    "CONTROL_Color7",
    "CONTROL_Color8",
    "CONTROL_Network",
    "CONTROL_Facebook",
    "CONTROL_twitter",
    "CONTROL_TSysStatic",
    "CONTROL_TSysButton",
    "CONTROL_TSsjsStatic",
    "CONTROL_TSsjsStaPic",
    "CONTROL_CDysStatic",
    "CONTROL_CDysButton",
    "CONTROL_CDsjsStatic",
    "CONTROL_CDsjsStaPic",
    "CONTROL_umCombo",
    // Move-only placements of the direction controls (the first three are also above).
    "CONTROL_BLFXStatic2",
    "CONTROL_BLFXLStaPic2",
    "CONTROL_BLFXRStaPic2",
    "CONTROL_BLFXStatic3",
    "CONTROL_BLFXLStaPic3",
    "CONTROL_BLFXRStaPic3",
    // Picture placements: the arrow indicators beside the layout flip buttons.
    "LEFT_ARROW",
    "RIGHT_ARROW",
});

// The three layouts of the direction caption and pictures; the lighting panel moves the
// controls between them with move-only placement.
struct DirectionLayoutKeys {
    std::string_view caption;
    std::string_view first;
    std::string_view second;
};
inline constexpr std::array<DirectionLayoutKeys, 3> kDirectionLayouts = {{
    {"CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"},
    {"CONTROL_BLFXStatic2", "CONTROL_BLFXLStaPic2", "CONTROL_BLFXRStaPic2"},
    {"CONTROL_BLFXStatic3", "CONTROL_BLFXLStaPic3", "CONTROL_BLFXRStaPic3"},
}};

// Section "BUTTONINFO2": where the arrow pictures lie in "Arrow.jpg", formed with "%s%d"
// from these prefixes and the frame number 1 or 2.
inline constexpr auto kArrowPicturePrefixes = std::to_array<std::string_view>(
    {"UP_ARROW_LEFT", "DOWN_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_RIGHT"});
inline std::string ArrowPictureKey(std::string_view prefix, int frame) {
    return std::string(prefix) + std::to_string(frame);
}

// The extra keys 1016-1021 have no key of their own in the original layout files; these
// give them a place in ours, beside the F1-F4 group they swap with.
inline constexpr auto kExtraKeySkinKeys = std::to_array<std::string_view>(
    {"FUNC_D1", "FUNC_D2", "FUNC_D3", "FUNC_D4", "FUNC_D5", "FUNC_D6"});

// ---- Assignment editor ("Composite.ini")

inline constexpr auto kCompositeImageButtonKeys = std::to_array<std::string_view>({
    "CONTROL_MASK",       "CONTROL_TITLE",    "CONTROL_OSK",       "CONTROL_CLEAR",
    "CONTROL_MEDIA",      "CONTROL_MACRO",    "CONTROL_KEY",       "CONTROL_FUNCTION",
    "CONTROL_OK",         "CONTROL_CANCEL",   "FUNC_MACRO_DELETE", "FUNC_MACRO_ADD",
    "FUNC_MACRO_UP_TOP",  "FUNC_MACRO_UP",    "FUNC_MACRO_DOWN",   "FUNC_MACRO_DOWN_BOTTOM",
    "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_RECORD",
});

inline constexpr auto kCompositeControlKeys = std::to_array<std::string_view>({
    "FUNC_MACRO_RECORD_DELAY",
    "FUNC_MACRO_LIST2",
    "FUNC_MACRO_CYCLES",
    "FUNC_MACRO_CYCLES_PROMPT",
    "TISHI_SINGLE_STATIC",
    "MARCO_NAME_SETTING",
    "KEY_SETTING",
    "MEDIA_SETTING_TISHI",
    "FUNCTION_KEY_SETTING_TISHI",
    "FUNC_MACRO_RECORD_DELAY2",
    "FUNC_KEY_INPUT",
    "FUNC_MEDIA_SELECT",
    "FUNC_MACRO_LIST",
    "FUNC_FUNCTION_SELECT",
    "FUNC_KEY_RADIO_KB",
    "FUNC_KEY_RADIO_KB_STATIC",
    "FUNC_KEY_RADIO_MOU",
    "FUNC_KEY_RADIO_MOU_STATIC",
    "FUNC_KEY_COMBO_MOU",
});

// ---- Profile manager ("Profile.ini")

inline constexpr auto kProfileImageButtonKeys = std::to_array<std::string_view>(
    {"CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL2_APPLY"});
inline constexpr auto kProfileControlKeys = std::to_array<std::string_view>({"PROGRAM_LIST"});

// ---- Pictures

// Image sets, in the order normal, hover, pressed, disabled. Where a set has no picture of
// its own for a state the dialogs reuse one of the others, as noted.
struct ImageSetNames {
    std::string_view normal;
    std::string_view hover;
    std::string_view pressed;
    std::string_view disabled;
};
inline constexpr ImageSetNames kMainImageSet = {"main_normal.jpg", "main_over.jpg", "main_down.jpg",
                                                "main_disable.jpg"};
inline constexpr std::string_view kMainArrowPicture = "Arrow.jpg";
inline constexpr std::string_view kMainColourUnselectedPicture = "main_color0.jpg";
inline constexpr std::string_view kMainColourSelectedPicture = "main_color1.jpg";

// The key, media and function sets have no disabled picture: the normal one serves.
inline constexpr ImageSetNames kKeyImageSet = {"key_normal.jpg", "key_over.jpg", "key_down.jpg",
                                               "key_normal.jpg"};
inline constexpr ImageSetNames kMacroImageSet = {"macro_normal.jpg", "macro_over.jpg",
                                                 "macro_down.jpg", "macro_disable.jpg"};
inline constexpr ImageSetNames kMacro2ImageSet = {"macro2_normal.jpg", "macro2_over.jpg",
                                                  "macro2_down.jpg", "macro2_disable.jpg"};
inline constexpr ImageSetNames kMediaImageSet = {"media_normal.jpg", "media_over.jpg",
                                                 "media_down.jpg", "media_normal.jpg"};
inline constexpr ImageSetNames kFunctionImageSet = {"function_normal.jpg", "function_over.jpg",
                                                    "function_down.jpg", "function_normal.jpg"};
// The profile manager's pressed picture serves also as its disabled one.
inline constexpr ImageSetNames kProfileImageSet = {"Profile_normal.jpg", "Profile_over.jpg",
                                                   "Profile_down.jpg", "Profile_down.jpg"};

// Lighting panel bitmaps.
inline constexpr std::string_view kLightingOnPicture = "dengdown.bmp";
inline constexpr std::string_view kLightingOffPicture = "dengup.bmp";
inline constexpr int kSliderPictureCount = 26;  // "0.bmp" ... "25.bmp"
inline std::string SliderPictureName(int number) {
    return std::to_string(number) + ".bmp";
}
inline constexpr std::string_view kPlusPicture = "add.bmp";
inline constexpr std::string_view kMinusPicture = "sub.bmp";
inline constexpr std::string_view kColourfulOnPicture = "sjsdown.bmp";
inline constexpr std::string_view kColourfulOffPicture = "sjsup.bmp";

// Direction pictures: {first when direction 255, second when 255, first when 0, second when 0}.
struct DirectionPictureNames {
    std::string_view firstOnFirst;
    std::string_view secondOnFirst;
    std::string_view firstOnSecond;
    std::string_view secondOnSecond;
};
inline constexpr DirectionPictureNames kOutwardInwardPictures = {"kuosandown.bmp", "julong.bmp",
                                                                 "kuosan.bmp", "julongdown.bmp"};
inline constexpr DirectionPictureNames kUpDownPictures = {"updown.bmp", "downup.bmp", "upup.bmp",
                                                          "downdown.bmp"};
inline constexpr DirectionPictureNames kLeftRightPictures = {"leftdown.bmp", "rightup.bmp",
                                                             "leftup.bmp", "rightdown.bmp"};

// Colour choice pictures, red, yellow, green, blue: plain and chosen.
inline constexpr auto kColourChoicePictures =
    std::to_array<std::string_view>({"hong.bmp", "huang.bmp", "lv.bmp", "lan.bmp"});
inline constexpr auto kColourChoiceChosenPictures =
    std::to_array<std::string_view>({"hongok.bmp", "huangok.bmp", "lvok.bmp", "lanok.bmp"});

// Paint tools: {tool 0 picture, tool 1 picture} when tool 0 is active, then when tool 1 is.
inline constexpr auto kToolPictures = std::to_array<std::string_view>(
    {"user1down.bmp", "user2up.bmp", "user1up.bmp", "user2down.bmp"});

inline constexpr int kSwatchPictureCount = 8;  // "Color1.bmp" ... "Color8.bmp"
inline std::string SwatchPictureName(int number) {
    return "Color" + std::to_string(number) + ".bmp";
}
inline constexpr int kBusyPictureCount = 10;  // "jdt1.bmp" ... "jdt10.bmp"
inline std::string BusyPictureName(int number) {
    return "jdt" + std::to_string(number) + ".bmp";
}

}  // namespace q804
