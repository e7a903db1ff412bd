#pragma once

// The editor's controls: where each is placed from the layout file, and the fonts and
// colours of its texts. Shared by the files of the editor's window only.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <array>
#include <string_view>

#include "ui/editors/composite_dialog.h"
#include "ui/skin/png_button.h"

namespace q804::composite_layout {

namespace id = composite_id;

inline const QString kFontFace = QStringLiteral("Arial Unicode MS");
inline constexpr double kStaticPoints = 10.8;
inline constexpr int kKeyFieldPoints = 18;
inline constexpr int kListPoints = 12;
inline constexpr int kActionListPoints = 8;
inline constexpr int kCaptionPoints = 9;
inline constexpr int kRecordCaptionPoints = 8;
inline const QColor kStaticColour(0xE4, 0xE4, 0xE4);
inline const QColor kDisabledCaption(0x7F, 0x7F, 0x7F);

// The Apply button has no place in the layout file; this is its place in our window.
inline const QRect kApplyPlace(228, 392, 100, 32);

// Desktop on-screen keyboards, in the order they are tried.
inline constexpr std::array<const char*, 5> kOnScreenKeyboards = {
    "onboard", "florence", "matchbox-keyboard", "kvkbd", "xvkbd"};

struct Placement {
    int control;
    std::string_view skinKey;
};

inline constexpr Placement kImageButtonPlaces[] = {
    {id::kTabKey, "CONTROL_KEY"},     {id::kTabMacro, "CONTROL_MACRO"},
    {id::kTabMedia, "CONTROL_MEDIA"}, {id::kTabFunction, "CONTROL_FUNCTION"},
    {id::kClear, "CONTROL_CLEAR"},    {id::kKindPicture, "CONTROL_MASK"},
    {id::kTitle, "CONTROL_TITLE"},    {id::kOnScreenKeyboard, "CONTROL_OSK"},
    {id::kOk, "CONTROL_OK"},          {id::kCancel, "CONTROL_CANCEL"},
};

inline constexpr Placement kMacroButtonPlaces[] = {
    {id::kMacroAdd, "FUNC_MACRO_ADD"},
    {id::kMacroDelete, "FUNC_MACRO_DELETE"},
    {id::kRecord, "FUNC_MACRO_RECORD"},
    {id::kDeleteAction, "FUNC_MACRO_DELETE2"},
    {id::kClearActions, "FUNC_MACRO_CLEAR"},
    {id::kMoveTop, "FUNC_MACRO_UP_TOP"},
    {id::kMoveUp, "FUNC_MACRO_UP"},
    {id::kMoveDown, "FUNC_MACRO_DOWN"},
    {id::kMoveBottom, "FUNC_MACRO_DOWN_BOTTOM"},
};

inline constexpr Placement kControlPlaces[] = {
    {id::kHeading, "KEY_SETTING"},
    {id::kSingleKeyHint, "TISHI_SINGLE_STATIC"},
    {id::kKeyField, "FUNC_KEY_INPUT"},
    {id::kChooseKeyboard, "FUNC_KEY_RADIO_KB"},
    {id::kKeyboardLabel, "FUNC_KEY_RADIO_KB_STATIC"},
    {id::kChooseMouse, "FUNC_KEY_RADIO_MOU"},
    {id::kMouseLabel, "FUNC_KEY_RADIO_MOU_STATIC"},
    {id::kMouseList, "FUNC_KEY_COMBO_MOU"},
    {id::kMediaHint, "MEDIA_SETTING_TISHI"},
    {id::kMediaList, "FUNC_MEDIA_SELECT"},
    {id::kFunctionHint, "FUNCTION_KEY_SETTING_TISHI"},
    {id::kFunctionList, "FUNC_FUNCTION_SELECT"},
    {id::kMacroNameLabel, "MARCO_NAME_SETTING"},
    {id::kMacroList, "FUNC_MACRO_LIST"},
    {id::kActionList, "FUNC_MACRO_LIST2"},
    {id::kRecordDelay, "FUNC_MACRO_RECORD_DELAY"},
    {id::kRecordDelayLabel, "FUNC_MACRO_RECORD_DELAY2"},
    {id::kLoopCount, "FUNC_MACRO_CYCLES"},
    {id::kLoopCountLabel, "FUNC_MACRO_CYCLES_PROMPT"},
};

// Captions of the image buttons that carry one, and tooltips.
struct CaptionKey {
    int control;
    std::string_view key;
};
inline constexpr CaptionKey kMacroCaptions[] = {
    {id::kMoveTop, "A_TOP"},       {id::kMoveUp, "A_UP"},           {id::kMoveDown, "A_DOWN"},
    {id::kMoveBottom, "A_BOTTOM"}, {id::kDeleteAction, "A_DELETE"}, {id::kClearActions, "A_CLEAR"},
    {id::kRecord, "A_RECORD"},
};

inline QFont FontOfPoints(double points) {
    QFont font(kFontFace);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

inline void StyleCaption(CPngButton& button, int points) {
    button.SetCaptionStyle(true, points, kFontFace, Qt::white, Qt::white, Qt::white,
                           kDisabledCaption, Qt::white);
}

}  // namespace q804::composite_layout
