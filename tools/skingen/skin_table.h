#pragma once

// The layout of the three skinned dialogs, element by element. The skin generator paints
// every picture from this table and writes the layout files from it, and the screenshot
// tool builds its preview from it, so the rectangles in the files and the drawings in the
// pictures can never disagree.

#include <string>
#include <vector>

#include "ui/skin/layout/skin_rect.h"

namespace q804::skingen {

// What the dialog puts at the element's rectangle.
enum class Kind {
    kImageButton,    // image button cut from one of the dialog's image sets
    kKeyButton,      // key of the drawn keyboard (an image button with the key look)
    kArrow,          // arrow indicator cut from "Arrow.jpg"
    kCaption,        // text without a background of its own
    kPicture,        // clickable bitmap
    kCombo,          // drop-down list
    kEditableCombo,  // drop-down list with an edit field
    kEdit,           // edit field
    kSlider,         // bitmap slider
    kColourPicker,   // colour-picker button
    kList,           // report list
    kCheck,          // check box without a caption
    kLinkButton,     // web link button
};

// What the state pictures show at the element's rectangle.
enum class Face {
    kNone,          // only the background
    kKeyCap,        // keyboard key with its legend
    kGKey,          // G key: blank cap with its name in a corner; the caption comes at run time
    kSmallKey,      // one of the six small extra keys
    kButton,        // push button; the caption comes at run time
    kPrimary,       // the confirming push button, in the accent colour
    kSegment,       // one of a row of toggles (profiles, report rate); caption at run time
    kLabelSegment,  // a toggle whose label is part of the picture
    kIconButton,    // square button with an icon
    kWindowIcon,    // flat icon of the title bar
    kIndicator,     // lamp with a label
    kBank,          // G-bank lamp: A lit in the normal picture, B lit in the hover one
    kTab,           // tab of the assignment editor; the caption comes at run time
    kLink,          // flat text link; the caption comes at run time
    kPage,          // the card behind one page of the assignment editor
    kTitle,         // the dialog's title graphic
};

enum class Icon {
    kNone,
    kMenu,
    kHelp,
    kMinimise,
    kClose,
    kProfiles,
    kSwap,
    kFlipLeft,
    kFlipRight,
    kGlobe,
    kFacebook,
    kBird,
    kEraser,
    kKeyboard,
    kPlus,
    kMinus,
    kNewFile,
    kOpen,
    kTrash,
    kCheck,
    kCross,
    kApply,
    kMacro,
    kMedia,
    kGear,
};

// Image sets of the assignment editor, in the order of the sets' table.
enum ImageSetIndex {
    kSetMain = 0,
    kSetKey = 0,
    kSetMacro = 1,
    kSetMacro2 = 2,
    kSetMedia = 3,
    kSetFunction = 4
};

struct Element {
    std::string key;
    SkinRect rect;
    Kind kind = Kind::kImageButton;
    Face face = Face::kNone;
    Icon icon = Icon::kNone;
    std::string legend;       // main text painted into the pictures
    std::string subLegend;    // small second text (shifted character, G-key name)
    std::string caption;      // text the dialog sets at run time: "TEXT:KEY", "LIGHT:KEY" or
                              // "=literal"; used by the preview
    int group = 0;            // page or panel group the element belongs to (preview)
    int imageSet = kSetMain;  // image set the element is cut from
    std::string picture;      // first picture of a bitmap control
    int buttonId = 0;         // control id, for keys
    unsigned slot = 0;        // key slot, for keys
};

// Arrow sprite positions in "Arrow.jpg" (section "BUTTONINFO2").
struct PicturePosition {
    std::string key;
    SkinRect rect;
    bool up = false;
    bool right = false;
    int frame = 1;
};

struct DialogLayout {
    std::string file;  // layout file name
    int width = 0;
    int height = 0;
    std::string background;  // "SCREEN" "Main"
    std::string mask;        // "SCREEN" "Mask"
    std::string link;        // "SCREEN" "Link" (main window only)
    std::vector<Element> elements;
    std::vector<PicturePosition> picturePositions;
    int arrowSheetWidth = 0;
    int arrowSheetHeight = 0;

    const Element* Find(const std::string& key) const;
};

// Panel groups of the main window: which effect shows which controls.
enum PanelGroup {
    kMainFrame = 0,  // not part of the lighting panel
    kPanelTitle,     // lighting title and switch: always shown
    kPanelCommon,    // effect list and brightness: shown with the panel
    kPanelSpeed,
    kPanelColourA,
    kPanelColourB,
    kPanelChoice,
    kPanelPerKey,
    kPanelDirection,  // direction caption and pictures in their first layout
    kPanelDirection2,
    kPanelDirection3,
    kPanelRgb,
    kPanelReport,  // report-rate caption: always shown
    kPanelHidden,  // placed and labelled, never shown
    kPanelBusy,    // shown only while Apply runs
};

// Pages of the assignment editor.
enum EditorPage {
    kEditorFrame = 0,
    kPageSingleKey = 2,
    kPageMacro = 4,
    kPageMedia = 7,
    kPageFunction = 8
};

const DialogLayout& MainLayout();
const DialogLayout& CompositeLayout();
const DialogLayout& ProfileLayout();

// Geometry of the bitmap sliders: the thumb centre of position k lies at
// kSliderMargin + k * (width - 2 * kSliderMargin) / range.
inline constexpr int kSliderWidth = 176;
inline constexpr int kSliderHeight = 24;
inline constexpr int kSliderMargin = 12;
// Pictures "0.bmp" ... "25.bmp": brightness positions 0-5, speed positions 0-5, and a
// fourteen-step slider in the same look.
inline constexpr int kBrightnessFirstPicture = 0;
inline constexpr int kSpeedFirstPicture = 6;
inline constexpr int kFineFirstPicture = 12;
inline constexpr int kFineSliderRange = 13;

// Sizes of the panel bitmaps.
inline constexpr int kSwitchWidth = 52;
inline constexpr int kSwitchHeight = 26;
inline constexpr int kChipWidth = 56;
inline constexpr int kChipHeight = 28;
inline constexpr int kStepButtonSize = 24;
inline constexpr int kSwatchSize = 26;
inline constexpr int kBusySize = 26;

}  // namespace q804::skingen
