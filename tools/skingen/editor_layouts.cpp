// The layouts of the assignment editor and the profile manager.

#include <string>
#include <utility>

#include "tools/skingen/layout_builders.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804::skingen {

// ---------------------------------------------------------------- assignment editor

DialogLayout BuildComposite() {
    DialogLayout d;
    d.file = std::string(kCompositeSkinFile);
    d.width = 560;
    d.height = 440;
    d.background = "composite_back.jpg";
    d.mask = "composite_mask.bmp";
    auto add = [&d](Element e) { d.elements.push_back(std::move(e)); };
    // Frame: title, tabs, Clear, on-screen keyboard, OK and Cancel (key set)
    add(Button("CONTROL_TITLE", {16, 8, 220, 30}, Face::kTitle, Icon::kKeyboard));
    add(Button("CONTROL_KEY", {16, 52, 108, 32}, Face::kTab, Icon::kNone, "TEXT:SINGLE_KEY"));
    add(Button("CONTROL_MACRO", {128, 52, 108, 32}, Face::kTab, Icon::kNone, "TEXT:MACRO_SETTING"));
    add(Button("CONTROL_MEDIA", {240, 52, 108, 32}, Face::kTab, Icon::kNone, "TEXT:MULTI_MEDIA"));
    add(Button("CONTROL_FUNCTION", {352, 52, 108, 32}, Face::kTab, Icon::kNone,
               "TEXT:FUNCTION_KEY"));
    add(Button("CONTROL_CLEAR", {472, 52, 34, 32}, Face::kIconButton, Icon::kEraser));
    add(Button("CONTROL_OSK", {510, 52, 34, 32}, Face::kIconButton, Icon::kKeyboard));
    add(Control("KEY_SETTING", {18, 92, 300, 22}, Kind::kCaption, kEditorFrame,
                "TEXT:KEY_SETTING_TISHI"));
    add(Button("CONTROL_MASK", {16, 118, 528, 258}, Face::kPage));
    add(Button("CONTROL_OK", {336, 392, 100, 32}, Face::kPrimary, Icon::kNone, "TEXT:MACRO_OK"));
    add(Button("CONTROL_CANCEL", {444, 392, 100, 32}, Face::kButton, Icon::kNone,
               "TEXT:MACRO_CANCLE"));
    // Single-key page
    add(Control("TISHI_SINGLE_STATIC", {32, 132, 496, 40}, Kind::kCaption, kPageSingleKey,
                "TEXT:SINGLE_STATIC"));
    add(Control("FUNC_KEY_INPUT", {32, 176, 496, 50}, Kind::kEdit, kPageSingleKey, "=Caps Lock"));
    add(Control("FUNC_KEY_RADIO_KB", {32, 244, 20, 20}, Kind::kCheck, kPageSingleKey, "=1"));
    add(Control("FUNC_KEY_RADIO_KB_STATIC", {58, 244, 220, 20}, Kind::kCaption, kPageSingleKey,
                "TEXT:IDS_MACRO_KB_KEY"));
    add(Control("FUNC_KEY_RADIO_MOU", {32, 280, 20, 20}, Kind::kCheck, kPageSingleKey));
    add(Control("FUNC_KEY_RADIO_MOU_STATIC", {58, 280, 220, 20}, Kind::kCaption, kPageSingleKey,
                "TEXT:IDS_MACRO_MOU_KEY"));
    add(Control("FUNC_KEY_COMBO_MOU", {58, 310, 250, 30}, Kind::kCombo, kPageSingleKey,
                "TEXT:IDS_KEYBOARD_MOU_LEFT"));
    // Multimedia and function-key pages
    add(Control("MEDIA_SETTING_TISHI", {32, 132, 496, 40}, Kind::kCaption, kPageMedia,
                "TEXT:MEDIA_EDIT_TISHI"));
    add(Control("FUNC_MEDIA_SELECT", {32, 180, 320, 32}, Kind::kCombo, kPageMedia));
    add(Control("FUNCTION_KEY_SETTING_TISHI", {32, 132, 496, 40}, Kind::kCaption, kPageFunction,
                "TEXT:FUNCTION_TISHI"));
    add(Control("FUNC_FUNCTION_SELECT", {32, 180, 320, 32}, Kind::kCombo, kPageFunction));
    // Macro page (macro set)
    add(Control("MARCO_NAME_SETTING", {32, 128, 200, 20}, Kind::kCaption, kPageMacro,
                "TEXT:MACRO_NAME_SETTING"));
    add(Control("FUNC_MACRO_LIST", {32, 152, 210, 30}, Kind::kEditableCombo, kPageMacro));
    add(InGroup(Button("FUNC_MACRO_ADD", {248, 152, 30, 30}, Face::kIconButton, Icon::kPlus),
                kPageMacro, kSetMacro));
    add(InGroup(Button("FUNC_MACRO_DELETE", {282, 152, 30, 30}, Face::kIconButton, Icon::kMinus),
                kPageMacro, kSetMacro));
    add(Control("FUNC_MACRO_LIST2", {32, 190, 280, 178}, Kind::kList, kPageMacro));
    add(InGroup(Button("FUNC_MACRO_RECORD", {326, 152, 202, 30}, Face::kPrimary, Icon::kNone,
                       "TEXT:A_RECORD"),
                kPageMacro, kSetMacro));
    add(InGroup(
        Button("FUNC_MACRO_UP_TOP", {326, 190, 99, 28}, Face::kButton, Icon::kNone, "TEXT:A_TOP"),
        kPageMacro, kSetMacro));
    add(InGroup(
        Button("FUNC_MACRO_UP", {429, 190, 99, 28}, Face::kButton, Icon::kNone, "TEXT:A_UP"),
        kPageMacro, kSetMacro));
    add(InGroup(
        Button("FUNC_MACRO_DOWN", {326, 222, 99, 28}, Face::kButton, Icon::kNone, "TEXT:A_DOWN"),
        kPageMacro, kSetMacro));
    add(InGroup(Button("FUNC_MACRO_DOWN_BOTTOM", {429, 222, 99, 28}, Face::kButton, Icon::kNone,
                       "TEXT:A_BOTTOM"),
                kPageMacro, kSetMacro));
    add(InGroup(Button("FUNC_MACRO_DELETE2", {326, 254, 99, 28}, Face::kButton, Icon::kNone,
                       "TEXT:A_DELETE"),
                kPageMacro, kSetMacro));
    add(InGroup(
        Button("FUNC_MACRO_CLEAR", {429, 254, 99, 28}, Face::kButton, Icon::kNone, "TEXT:A_CLEAR"),
        kPageMacro, kSetMacro));
    add(Control("FUNC_MACRO_CYCLES_PROMPT", {326, 298, 120, 22}, Kind::kCaption, kPageMacro,
                "TEXT:MACRO_CYCLES"));
    add(Control("FUNC_MACRO_CYCLES", {452, 296, 76, 26}, Kind::kEdit, kPageMacro, "=1"));
    add(Control("FUNC_MACRO_RECORD_DELAY", {326, 336, 20, 20}, Kind::kCheck, kPageMacro, "=1"));
    add(Control("FUNC_MACRO_RECORD_DELAY2", {352, 336, 176, 20}, Kind::kCaption, kPageMacro,
                "TEXT:RECORD_DELAY"));
    return d;
}

// ---------------------------------------------------------------- profile manager

DialogLayout BuildProfile() {
    DialogLayout d;
    d.file = std::string(kProfileSkinFile);
    d.width = 480;
    d.height = 318;
    d.background = "profile_back.jpg";
    d.mask = "profile_mask.bmp";
    auto add = [&d](Element e) { d.elements.push_back(std::move(e)); };
    add(Control("PROGRAM_LIST", {16, 54, 448, 200}, Kind::kList, 0));
    add(Button("FUNC_ADD", {16, 270, 36, 32}, Face::kIconButton, Icon::kNewFile));
    add(Button("FUNC_LOAD", {58, 270, 36, 32}, Face::kIconButton, Icon::kOpen));
    add(Button("FUNC_DELETE", {100, 270, 36, 32}, Face::kIconButton, Icon::kTrash));
    add(Button("CONTROL_OK", {252, 270, 68, 32}, Face::kPrimary, Icon::kCheck));
    add(Button("CONTROL_CANCEL", {324, 270, 68, 32}, Face::kButton, Icon::kCross));
    add(Button("CONTROL2_APPLY", {396, 270, 68, 32}, Face::kButton, Icon::kApply));
    return d;
}

}  // namespace q804::skingen
