#pragma once

// The drawn keyboard of the main window: the 106 key buttons, the nine G keys, Fn, the six
// extra keys, and the buttons around them (profiles, restore defaults, report rate, lock and
// G-bank lamps, layout flip, view switch).
//
// The seam to the editors: a click on a key or G key calls onKeyClicked with the button id
// (the assignment editor opens from there); a click on a profile button calls
// onProfileClicked with the profile index. The view reads the working store to draw which
// keys carry an assignment; it never writes it.

#include <QObject>
#include <functional>
#include <map>
#include <optional>
#include <span>

#include "device/device_link.h"
#include "model/assignment_store.h"
#include "model/editor/key_looks.h"
#include "ui/skin/paint_hook.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_image.h"

namespace q804 {

class CBaseDialog;

class KeyboardView : public QObject {
    Q_OBJECT

  public:
    // Button ids of the controls around the keys.
    static constexpr int kIdLockCaps = 1125;
    static constexpr int kIdLockNum = 1126;
    static constexpr int kIdLockScroll = 1127;
    static constexpr int kIdGBank = 1128;
    static constexpr int kIdFlipIndicator = 1129;
    static constexpr int kIdFlipLeft = 1130;
    static constexpr int kIdFlipRight = 1131;
    static constexpr int kIdLeftArrow = 1132;
    static constexpr int kIdRightArrow = 1133;
    static constexpr int kIdProfile1 = 1135;  // 1135-1137: profiles 1-3
    static constexpr int kIdDefaults = 1138;
    static constexpr int kIdViewSwitch = 1144;
    static constexpr int kIdFn = 1174;
    static constexpr int kIdFirstExtraKey = 1016;  // 1016-1021
    static constexpr int kExtraKeyCount = 6;

    // Places every button from the dialog's skin: the keys with the key look (their disabled
    // look is the normal picture, their latched look the disabled picture), the rest with
    // the main set.
    KeyboardView(CBaseDialog& dialog, PaintHookRegistry& hooks, const ImageSet& mainSet,
                 const QImage& arrows);

    std::function<void(int buttonId)> onKeyClicked;
    std::function<void(int profile)> onProfileClicked;
    // Restore defaults, the layout flip buttons, the view switch and the report-rate buttons.
    std::function<void(int buttonId)> onCommand;

    // The two colour-select pictures (flag clear, flag set) of the colour-select view.
    void SetColourPictures(const QImage& unselected, const QImage& selected);

    // nullptr for ids the view does not hold.
    CPngButton* Button(int id) const;
    // The report-rate button of index 0-3.
    static int ReportRateButtonId(int index);
    // The index 0-3 of a report-rate button id.
    static std::optional<int> ReportRateIndex(int id);

    // The G-bank lamp and the G-key captions ("A1"-"A5" or "B1"-"B5", G6-G9 blank).
    void ShowGBank(device::GBank bank);
    // Latches the button of the profile and releases the two others; other values change
    // nothing.
    void UpdateProfileButtons(int profile);
    // Flag 0: F1-F4 (1010-1013) live and the extra keys off; 1 the other way round.
    void ApplyFlip(bool flipped);
    device::GBank ShownBank() const { return shownBank_; }

    // Latched state and tooltip of each listed key and G key.
    void ShowLooks(std::span<const model::editor::KeyLook> looks);
    // The edited key: normal, hover and latched looks all show the hover picture.
    void HighlightKey(int id, bool on);
    // One key drawn with the colour-select picture of its flag.
    void ShowColourSelection(int id, bool selected);
    // Every key and G key: colour-select pictures from their flags in the colour-select
    // view, the ordinary pictures otherwise.
    void RedrawAllKeys(const model::WorkingStore& store, int profile, device::GBank bank,
                       bool colourSelectView);
    // Latches the report-rate button of the index (above 3 counts as 3).
    void UpdateReportRate(int index);
    // Removes the latched state of every G key, key and Fn.
    void ClearKeyMarks();

  private:
    CPngButton* Add(int id, std::string_view key, const ImageSet& pictures);
    void OnClicked(int id);
    void ShowKeyPictures(int id);
    template <typename Visit>
    void ForEachKey(Visit visit) const;

    CBaseDialog& dialog_;
    PaintHookRegistry& hooks_;
    ImageSet main_;
    ImageSet keys_;
    QImage colourOff_;
    QImage colourOn_;
    std::map<int, CPngButton*> buttons_;
    device::GBank shownBank_ = device::GBank::kA;
};

}  // namespace q804
