// The main window's layout: the drawn keyboard, the frame around it and the lighting
// panel.

#include <string>
#include <utility>

#include "tools/skingen/keyboard_table.h"
#include "tools/skingen/layout_builders.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804::skingen {
namespace {

constexpr int kMainWidth = 1332;
constexpr int kMainHeight = 484;
constexpr int kUnit = 40;
constexpr int kCapInset = 2;
constexpr int kGOuterX = 30;
constexpr int kBlockX = 120;
constexpr int kFunctionRowY = 152;
constexpr int kStripY = 114;
constexpr int kPanelX = 1058;
constexpr int kPanelW = 246;

// The function-key row stands a little apart from the five main rows.
int RowTop(int row) {
    return row == 0 ? kFunctionRowY : kFunctionRowY + 52 + (row - 1) * kUnit;
}

SkinRect CapRect(int xPixels, int row, int widthPixels, int rows) {
    return SkinRect{xPixels + kCapInset, RowTop(row) + kCapInset, widthPixels - 2 * kCapInset,
                    rows * kUnit - 2 * kCapInset};
}

Element KeyElement(std::string key, SkinRect rect, Face face, std::string legend,
                   std::string subLegend, int buttonId, unsigned slot) {
    Element e;
    e.key = std::move(key);
    e.rect = rect;
    e.kind = Kind::kKeyButton;
    e.face = face;
    e.legend = std::move(legend);
    e.subLegend = std::move(subLegend);
    e.buttonId = buttonId;
    e.slot = slot;
    return e;
}

void AddKeyboard(DialogLayout& d) {
    for (const KeyPlace& k : KeyboardKeys()) {
        unsigned slot = SlotOfCode(k.code);
        d.elements.push_back(KeyElement(
            KeySkinKey(slot), CapRect(kBlockX + k.xq * kUnit / 4, k.row, k.wq * kUnit / 4, k.rows),
            Face::kKeyCap, k.legend, k.subLegend, k.buttonId, slot));
    }
    d.elements.push_back(KeyElement("KEY_FN", CapRect(kBlockX + 47 * kUnit / 4, 5, kUnit, 1),
                                    Face::kKeyCap, "Fn", "", 1174, 0));
    // G1-G5 on the inner column beside rows 1-5, G6-G9 on the outer column beside rows 2-5.
    constexpr int kGIds[kGKeyCount] = {1000, 1001, 1002, 1003, 1004, 1140, 1141, 1142, 1143};
    for (int j = 0; j < kGKeyCount; ++j) {
        int x = j < 5 ? kGOuterX + kUnit : kGOuterX;
        int row = j < 5 ? j + 1 : j - 3;
        d.elements.push_back(KeyElement(GKeySkinKey(j + 1), CapRect(x, row, kUnit, 1), Face::kGKey,
                                        "", "G" + std::to_string(j + 1), kGIds[j], 0));
    }
    // The six small extra keys above F1-F4; they take over from F1-F4 when the layout is
    // flipped.
    for (int i = 0; i < 6; ++i) {
        d.elements.push_back(KeyElement(std::string(kExtraKeySkinKeys[static_cast<size_t>(i)]),
                                        SkinRect{kBlockX + 2 * kUnit + 1 + i * 27, kStripY, 24, 26},
                                        Face::kSmallKey, "D" + std::to_string(i + 1), "", 1016 + i,
                                        0));
    }
}

void AddMainFrame(DialogLayout& d) {
    // Title bar
    d.elements.push_back(Button("ZELTRA_VER", {262, 17, 120, 16}, Face::kNone));
    d.elements.push_back(
        Button("CONTROL_MENU", {1196, 10, 28, 28}, Face::kWindowIcon, Icon::kMenu));
    d.elements.push_back(
        Button("CONTROL_HELP", {1228, 10, 28, 28}, Face::kWindowIcon, Icon::kHelp));
    d.elements.push_back(
        Button("CONTROL_MINIMIZE", {1260, 10, 28, 28}, Face::kWindowIcon, Icon::kMinimise));
    d.elements.push_back(
        Button("CONTROL_CLOSE", {1292, 10, 28, 28}, Face::kWindowIcon, Icon::kClose));
    // Tool bar
    d.elements.push_back(
        Button("FUNC_PROFILE1", {16, 58, 98, 32}, Face::kSegment, Icon::kNone, "TEXT:PROFILE_1"));
    d.elements.push_back(
        Button("FUNC_PROFILE2", {118, 58, 98, 32}, Face::kSegment, Icon::kNone, "TEXT:PROFILE_2"));
    d.elements.push_back(
        Button("FUNC_PROFILE3", {220, 58, 98, 32}, Face::kSegment, Icon::kNone, "TEXT:PROFILE_3"));
    d.elements.push_back(
        Button("FUNC_PROFILES", {326, 58, 36, 32}, Face::kIconButton, Icon::kProfiles));
    d.elements.push_back(Button("FUNC_SWITCH", {576, 58, 124, 32}, Face::kButton, Icon::kNone,
                                "TEXT:MAIN_SWITCH_FUNCTION_TEXT"));
    d.elements.back().group = kPanelHidden;
    d.elements.push_back(
        Button("FUNC_MACRO", {708, 58, 160, 32}, Face::kButton, Icon::kNone, "TEXT:PROFILE_MACRO"));
    d.elements.push_back(Button("FUNC_DEFAULT", {874, 58, 160, 32}, Face::kButton, Icon::kNone,
                                "TEXT:PROFILE_DEFAULT"));
    // Strip above the function-key row: G-bank lamp, layout flip, lock lamps
    d.elements.push_back(Button("LOCK_AB", {kGOuterX + 2, kStripY, 76, 26}, Face::kBank));
    d.elements.push_back(
        Button("FLIP_0", {kBlockX + 2, kStripY, 36, 26}, Face::kIconButton, Icon::kSwap));
    d.elements.push_back(
        Button("FLIP_1", {kBlockX + 44, kStripY, 20, 26}, Face::kIconButton, Icon::kFlipLeft));
    d.elements.push_back(
        Button("FLIP_2", {kBlockX + 256, kStripY, 20, 26}, Face::kIconButton, Icon::kFlipRight));
    Element lockCaps = Button("LOCK_CAPS", {kBlockX + 742, kStripY, 50, 26}, Face::kIndicator);
    lockCaps.legend = "Caps";
    Element lockNum = Button("LOCK_NUM", {kBlockX + 796, kStripY, 50, 26}, Face::kIndicator);
    lockNum.legend = "Num";
    Element lockScroll = Button("LOCK_SCROLL", {kBlockX + 850, kStripY, 50, 26}, Face::kIndicator);
    lockScroll.legend = "Scroll";
    d.elements.push_back(lockCaps);
    d.elements.push_back(lockNum);
    d.elements.push_back(lockScroll);
    Element left = Control("LEFT_ARROW", {kBlockX + 66, kStripY, 12, 26}, Kind::kArrow, 0);
    Element right = Control("RIGHT_ARROW", {kBlockX + 242, kStripY, 12, 26}, Kind::kArrow, 0);
    d.elements.push_back(left);
    d.elements.push_back(right);
    // Bottom bar
    d.elements.push_back(
        Button("ZELTRA_LINK", {28, 440, 236, 24}, Face::kLink, Icon::kNone, "=LINK"));
    Element web = Control("CONTROL_Network", {272, 438, 28, 28}, Kind::kLinkButton, 0);
    web.face = Face::kIconButton;
    web.icon = Icon::kGlobe;
    Element facebook = Control("CONTROL_Facebook", {304, 438, 28, 28}, Kind::kLinkButton, 0);
    facebook.face = Face::kIconButton;
    facebook.icon = Icon::kFacebook;
    Element twitter = Control("CONTROL_twitter", {336, 438, 28, 28}, Kind::kLinkButton, 0);
    twitter.face = Face::kIconButton;
    twitter.icon = Icon::kBird;
    d.elements.push_back(web);
    d.elements.push_back(facebook);
    d.elements.push_back(twitter);
    d.elements.push_back(Control("CONTROL_JDTStatic", {726, 439, kBusySize, kBusySize},
                                 Kind::kPicture, kPanelBusy, "", BusyPictureName(1)));
    d.elements.push_back(
        Button("CONTROL_OK", {760, 436, 88, 32}, Face::kPrimary, Icon::kNone, "TEXT:PROFILE_OK"));
    d.elements.push_back(Button("CONTROL_CANCEL", {854, 436, 88, 32}, Face::kButton, Icon::kNone,
                                "TEXT:PROFILE_CANCLE"));
    d.elements.push_back(Button("CONTROL2_APPLY", {948, 436, 86, 32}, Face::kButton, Icon::kNone,
                                "TEXT:PROFILE_APPLY"));
}

void AddPanel(DialogLayout& d) {
    const int x = kPanelX;
    auto add = [&d](Element e) { d.elements.push_back(std::move(e)); };
    // Title and switch
    add(Control("CONTROL_DengStatic", {x, 70, 160, 24}, Kind::kCaption, kPanelTitle, "LIGHT:Deng"));
    add(Control("CONTROL_DengStaPic", {x + kPanelW - kSwitchWidth, 69, kSwitchWidth, kSwitchHeight},
                Kind::kPicture, kPanelTitle, "", std::string(kLightingOnPicture)));
    // Effect list and brightness
    add(Control("CONTROL_XGcombox", {x, 114, kPanelW, 30}, Kind::kCombo, kPanelCommon));
    add(Control("CONTROL_LightStatic", {x, 154, 160, 20}, Kind::kCaption, kPanelCommon,
                "LIGHT:Light"));
    add(Control("CONTROL_Sub", {x, 178, kStepButtonSize, kStepButtonSize}, Kind::kPicture,
                kPanelCommon, "", std::string(kMinusPicture)));
    add(Control("CONTROL_LightSlider", {x + 35, 178, kSliderWidth, kSliderHeight}, Kind::kSlider,
                kPanelCommon, "", SliderPictureName(kBrightnessFirstPicture + 4)));
    add(Control("CONTROL_Add",
                {x + kPanelW - kStepButtonSize, 178, kStepButtonSize, kStepButtonSize},
                Kind::kPicture, kPanelCommon, "", std::string(kPlusPicture)));
    // Area A: speed, or the colour of set B, or the colour choice, or the per-key colours,
    // or the direction alone
    add(Control("CONTROL_SpeedStatic", {x, 214, 160, 20}, Kind::kCaption, kPanelSpeed,
                "LIGHT:Speed"));
    add(Control("CONTROL_Sub2", {x, 238, kStepButtonSize, kStepButtonSize}, Kind::kPicture,
                kPanelSpeed, "", std::string(kMinusPicture)));
    add(Control("CONTROL_SpeedSlider", {x + 35, 238, kSliderWidth, kSliderHeight}, Kind::kSlider,
                kPanelSpeed, "", SliderPictureName(kSpeedFirstPicture + 3)));
    add(Control("CONTROL_Add2",
                {x + kPanelW - kStepButtonSize, 238, kStepButtonSize, kStepButtonSize},
                Kind::kPicture, kPanelSpeed, "", std::string(kPlusPicture)));
    add(Control("CONTROL_FYYSStatic", {x, 214, 110, 20}, Kind::kCaption, kPanelColourB,
                "LIGHT:Color"));
    add(Control("CONTROL_FYYSButton", {x, 236, 110, 28}, Kind::kColourPicker, kPanelColourB));
    add(Control("CONTROL_FYSJSStatic", {x + 130, 214, 116, 20}, Kind::kCaption, kPanelColourB,
                "LIGHT:DC"));
    add(Control("CONTROL_FYSJSStaPic", {x + 130, 236, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelColourB, "", std::string(kColourfulOffPicture)));
    const char* choiceKeys[4] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                                 "CONTROL_LANPIC"};
    for (int i = 0; i < 4; ++i) {
        add(Control(choiceKeys[i], {x + i * 63, 236, kChipWidth, kChipHeight}, Kind::kPicture,
                    kPanelChoice, "",
                    std::string(i == 0 ? kColourChoiceChosenPictures[0]
                                       : kColourChoicePictures[static_cast<size_t>(i)])));
    }
    add(Control("CONTROL_USERysStatic", {x, 214, 110, 20}, Kind::kCaption, kPanelPerKey,
                "LIGHT:Color"));
    add(Control("CONTROL_USERysButton", {x, 236, 110, 28}, Kind::kColourPicker, kPanelPerKey));
    add(Control("CONTROL_USERjsStatic", {x + 130, 214, 116, 20}, Kind::kCaption, kPanelPerKey,
                "LIGHT:JColor"));
    add(Control("CONTROL_USERjsButton", {x + 130, 236, 116, 28}, Kind::kColourPicker,
                kPanelPerKey));
    add(Control("CONTROL_BLFXStatic", {x, 214, 160, 20}, Kind::kCaption, kPanelDirection,
                "LIGHT:FX"));
    add(Control("CONTROL_BLFXLStaPic", {x, 236, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection, "", std::string(kOutwardInwardPictures.firstOnSecond)));
    add(Control("CONTROL_BLFXRStaPic", {x + 63, 236, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection, "", std::string(kOutwardInwardPictures.secondOnSecond)));
    // Area B: the colour of set A, or the vertical direction, or the paint tools
    add(Control("CONTROL_HXysStatic", {x, 274, 110, 20}, Kind::kCaption, kPanelColourA,
                "LIGHT:Color"));
    add(Control("CONTROL_HXysButton", {x, 296, 110, 28}, Kind::kColourPicker, kPanelColourA));
    add(Control("CONTROL_HXsjsStatic", {x + 130, 274, 116, 20}, Kind::kCaption, kPanelColourA,
                "LIGHT:DC"));
    add(Control("CONTROL_HXsjsStaPic", {x + 130, 296, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelColourA, "", std::string(kColourfulOffPicture)));
    add(Control("CONTROL_BLFXStatic3", {x, 274, 160, 20}, Kind::kCaption, kPanelDirection3,
                "LIGHT:FX"));
    add(Control("CONTROL_BLFXLStaPic3", {x, 296, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection3, "", std::string(kUpDownPictures.firstOnFirst)));
    add(Control("CONTROL_BLFXRStaPic3", {x + 63, 296, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection3, "", std::string(kUpDownPictures.secondOnFirst)));
    add(Control("CONTROL_USERgjStatic", {x, 274, 160, 20}, Kind::kCaption, kPanelPerKey,
                "LIGHT:Tool"));
    add(Control("CONTROL_USERgjStaPic1", {x, 296, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelPerKey, "", std::string(kToolPictures[0])));
    add(Control("CONTROL_USERgjStaPic2", {x + 63, 296, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelPerKey, "", std::string(kToolPictures[1])));
    add(Control("CONTROL_JTysStatic", {x, 274, 110, 20}, Kind::kCaption, kPanelHidden,
                "LIGHT:Color"));
    add(Control("CONTROL_JTysButton", {x, 296, 110, 28}, Kind::kColourPicker, kPanelHidden));
    // Area C: the horizontal direction, or the user-mode list
    add(Control("CONTROL_BLFXStatic2", {x, 334, 160, 20}, Kind::kCaption, kPanelDirection2,
                "LIGHT:FX"));
    add(Control("CONTROL_BLFXLStaPic2", {x, 356, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection2, "", std::string(kLeftRightPictures.firstOnFirst)));
    add(Control("CONTROL_BLFXRStaPic2", {x + 63, 356, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelDirection2, "", std::string(kLeftRightPictures.secondOnFirst)));
    add(Control("CONTROL_umCombo", {x, 348, kPanelW, 30}, Kind::kEditableCombo, kPanelPerKey));
    // Controls the panel keeps hidden: trigger, secondary colours and the swatches
    add(Control("CONTROL_FYCFStatic", {x, 334, 110, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_FYdjcfStatic", {x, 356, 80, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_FYggcfStatc", {x + 130, 356, 80, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_FYdjcfStaPic", {x + 84, 354, 24, 24}, Kind::kPicture, kPanelHidden));
    add(Control("CONTROL_FYggcfStaPic", {x + 214, 354, 24, 24}, Kind::kPicture, kPanelHidden));
    add(Control("CONTROL_TSysStatic", {x, 334, 110, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_TSysButton", {x, 356, 110, 28}, Kind::kColourPicker, kPanelHidden));
    add(Control("CONTROL_TSsjsStatic", {x + 130, 334, 116, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_TSsjsStaPic", {x + 130, 356, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelHidden));
    add(Control("CONTROL_CDysStatic", {x, 334, 110, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_CDysButton", {x, 356, 110, 28}, Kind::kColourPicker, kPanelHidden));
    add(Control("CONTROL_CDsjsStatic", {x + 130, 334, 116, 20}, Kind::kCaption, kPanelHidden));
    add(Control("CONTROL_CDsjsStaPic", {x + 130, 356, kChipWidth, kChipHeight}, Kind::kPicture,
                kPanelHidden));
    for (int i = 0; i < kSwatchPictureCount; ++i) {
        add(Control("CONTROL_Color" + std::to_string(i + 1),
                    {x + i * 31, 356, kSwatchSize, kSwatchSize}, Kind::kPicture, kPanelHidden, "",
                    SwatchPictureName(i + 1)));
    }
    // R, G, B fields
    add(Control("CONTROL_RGBStatic", {x, 398, 40, 20}, Kind::kCaption, kPanelRgb, "=RGB"));
    add(Control("COLOR_R", {x + 44, 395, 64, 26}, Kind::kEdit, kPanelRgb, "=255"));
    add(Control("COLOR_G", {x + 113, 395, 64, 26}, Kind::kEdit, kPanelRgb, "=255"));
    add(Control("COLOR_B", {x + 182, 395, 64, 26}, Kind::kEdit, kPanelRgb, "=255"));
    // Report rate
    add(Control("CONTROL_UsbStatic", {x, 428, 160, 18}, Kind::kCaption, kPanelReport, "LIGHT:Usb"));
    const char* rates[4] = {"125", "250", "500", "1000"};
    for (int i = 0; i < 4; ++i) {
        Element rate = Button("FUNC_REPORT" + std::to_string(i + 1), {x + i * 63, 448, 57, 22},
                              Face::kLabelSegment);
        rate.legend = std::string(rates[i]) + (i == 3 ? " Hz" : "");
        rate.group = kPanelReport;
        add(rate);
    }
}

}  // namespace

DialogLayout BuildMain() {
    DialogLayout d;
    d.file = std::string(kMainSkinFile);
    d.width = kMainWidth;
    d.height = kMainHeight;
    d.background = "main_back.jpg";
    d.mask = "main_mask.bmp";
    d.link = "https://www.veltrano.com/";
    AddKeyboard(d);
    AddMainFrame(d);
    AddPanel(d);
    // Arrow sprites: up and down for each side, two frames each, side by side in one sheet.
    // Positions are one more than the sprite's corner, as image buttons copy from (x-1, y-1).
    const SkinRect& arrow = d.Find("LEFT_ARROW")->rect;
    int column = 0;
    for (bool rightSide : {false, true}) {
        for (bool up : {true, false}) {
            for (int frame = 1; frame <= 2; ++frame) {
                PicturePosition p;
                p.key = ArrowPictureKey(up ? (rightSide ? "UP_ARROW_RIGHT" : "UP_ARROW_LEFT")
                                           : (rightSide ? "DOWN_ARROW_RIGHT" : "DOWN_ARROW_LEFT"),
                                        frame);
                p.rect = SkinRect{column * arrow.w + 1, 1, arrow.w, arrow.h};
                p.up = up;
                p.right = rightSide;
                p.frame = frame;
                d.picturePositions.push_back(p);
                ++column;
            }
        }
    }
    d.arrowSheetWidth = column * arrow.w;
    d.arrowSheetHeight = arrow.h;
    return d;
}

}  // namespace q804::skingen
