#include "ui/main/keyboard_view.h"

#include "model/editor/edit_target.h"
#include "model/key_tables.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/skin_dialog.h"

namespace q804 {

namespace {

struct FrameButton {
    int id;
    std::string_view key;
};

// Buttons of the keyboard view placed with the main set, and their skin keys.
constexpr FrameButton kFrameButtons[] = {
    {KeyboardView::kIdLockCaps, "LOCK_CAPS"},
    {KeyboardView::kIdLockNum, "LOCK_NUM"},
    {KeyboardView::kIdLockScroll, "LOCK_SCROLL"},
    {KeyboardView::kIdGBank, "LOCK_AB"},
    {KeyboardView::kIdFlipIndicator, "FLIP_0"},
    {KeyboardView::kIdFlipLeft, "FLIP_1"},
    {KeyboardView::kIdFlipRight, "FLIP_2"},
    {KeyboardView::kIdProfile1, "FUNC_PROFILE1"},
    {KeyboardView::kIdProfile1 + 1, "FUNC_PROFILE2"},
    {KeyboardView::kIdProfile1 + 2, "FUNC_PROFILE3"},
    {KeyboardView::kIdDefaults, "FUNC_DEFAULT"},
    {KeyboardView::kIdViewSwitch, "FUNC_SWITCH"},
    {1147, "FUNC_REPORT1"},
    {1168, "FUNC_REPORT2"},
    {1169, "FUNC_REPORT3"},
    {1170, "FUNC_REPORT4"},
};

constexpr int kLiveFunctionKeys[] = {1010, 1011, 1012, 1013};
constexpr int kReportRateIds[] = {1147, 1168, 1169, 1170};

}  // namespace

KeyboardView::KeyboardView(CBaseDialog& dialog, PaintHookRegistry& hooks, const ImageSet& mainSet,
                           const QImage& arrows)
    : QObject(&dialog), dialog_(dialog), hooks_(hooks), main_(mainSet), keys_(mainSet) {
    keys_.disabled = mainSet.normal;
    keys_.checked = mainSet.disabled;
    const ImageSet& keys = keys_;
    for (const model::KeyButtonRow& row : model::kKeyButtonOrder) {
        Add(row.button, KeySkinKey(static_cast<unsigned>(model::KeySlotOfCode(row.code))), keys);
    }
    for (int j = 0; j < model::kGKeyButtonCount; ++j) {
        CPngButton* key =
            Add(model::kGKeyButtons[static_cast<std::size_t>(j)], GKeySkinKey(j + 1), keys);
        key->SetCaptionStyle(true, 9, QStringLiteral("Arial Unicode MS"), Qt::white, Qt::white,
                             Qt::white, QColor(0x7F, 0x7F, 0x7F), Qt::white);
    }
    Add(kIdFn, "KEY_FN", keys);
    for (int i = 0; i < kExtraKeyCount; ++i) {
        Add(kIdFirstExtraKey + i, kExtraKeySkinKeys[static_cast<std::size_t>(i)], keys);
    }
    for (const FrameButton& button : kFrameButtons) {
        Add(button.id, button.key, mainSet);
    }
    // The view switch is shown wherever the skin places it: it is the only way into the
    // colour-select view.
    for (int id : {kIdLeftArrow, kIdRightArrow}) {
        auto* arrow = new CPngButton(hooks_, &dialog_);
        const bool right = id == kIdRightArrow;
        dialog_.PlacePicture(*arrow, right ? "RIGHT_ARROW" : "LEFT_ARROW",
                             ArrowPictureKey(right ? "DOWN_ARROW_RIGHT" : "DOWN_ARROW_LEFT", 1),
                             arrows);
        arrow->setEnabled(false);  // an indicator, never clicked
        buttons_[id] = arrow;
    }
    ShowGBank(device::GBank::kA);
}

CPngButton* KeyboardView::Add(int id, std::string_view key, const ImageSet& pictures) {
    auto* button = new CPngButton(hooks_, &dialog_);
    dialog_.PlaceSkinnedButton(*button, key, pictures);
    button->setObjectName(QString::number(id));
    connect(button, &QAbstractButton::clicked, this, [this, id] { OnClicked(id); });
    buttons_[id] = button;
    return button;
}

CPngButton* KeyboardView::Button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

int KeyboardView::ReportRateButtonId(int index) {
    return index >= 0 && index < 4 ? kReportRateIds[index] : 0;
}

void KeyboardView::OnClicked(int id) {
    if (id >= kIdProfile1 && id < kIdProfile1 + 3) {
        if (onProfileClicked) {
            onProfileClicked(id - kIdProfile1);
        }
        return;
    }
    const bool isKey =
        model::KeyButtonRowOfId(id).has_value() || model::GKeyIndexOfButton(id).has_value();
    if (isKey) {
        if (onKeyClicked) {
            onKeyClicked(id);
        }
        return;
    }
    const bool command = id == kIdDefaults || id == kIdFlipLeft || id == kIdFlipRight ||
                         id == kIdViewSwitch || ReportRateIndex(id).has_value();
    if (command && onCommand) {
        onCommand(id);
    }
    // Fn, the extra keys and the lamps do nothing in the function view.
}

std::optional<int> KeyboardView::ReportRateIndex(int id) {
    for (int i = 0; i < 4; ++i) {
        if (kReportRateIds[i] == id) {
            return i;
        }
    }
    return std::nullopt;
}

void KeyboardView::SetColourPictures(const QImage& unselected, const QImage& selected) {
    colourOff_ = unselected;
    colourOn_ = selected;
}

template <typename Visit>
void KeyboardView::ForEachKey(Visit visit) const {
    for (model::KeyButtonId id : model::kGKeyButtons) {
        visit(static_cast<int>(id));
    }
    for (const model::KeyButtonRow& row : model::kKeyButtonOrder) {
        visit(static_cast<int>(row.button));
    }
}

void KeyboardView::ShowLooks(std::span<const model::editor::KeyLook> looks) {
    for (const model::editor::KeyLook& look : looks) {
        if (CPngButton* key = Button(look.button)) {
            key->SetChecked(look.marked);
            key->SetTooltip(QString::fromStdString(look.tooltip), true);
        }
    }
}

void KeyboardView::ShowKeyPictures(int id) {
    if (CPngButton* key = Button(id)) {
        key->SetPicturesOnly(keys_.normal, keys_.hover, keys_.pressed, keys_.disabled,
                             keys_.checked);
    }
}

void KeyboardView::HighlightKey(int id, bool on) {
    CPngButton* key = Button(id);
    if (key == nullptr) {
        return;
    }
    if (on) {
        key->SetPicturesOnly(keys_.hover, keys_.hover, keys_.pressed, keys_.disabled, keys_.hover);
    } else {
        ShowKeyPictures(id);
    }
}

void KeyboardView::ShowColourSelection(int id, bool selected) {
    if (CPngButton* key = Button(id)) {
        const QImage& picture = selected ? colourOn_ : colourOff_;
        key->SetPicturesOnly(picture, picture, picture, picture, picture);
    }
}

void KeyboardView::RedrawAllKeys(const model::WorkingStore& store, int profile, device::GBank bank,
                                 bool colourSelectView) {
    const int bankIndex = static_cast<int>(bank);
    auto lock = store.Lock();
    ForEachKey([&](int id) {
        const model::KeySlot slot =
            model::editor::ColourFlagSlot(static_cast<model::KeyButtonId>(id), bankIndex);
        if (!colourSelectView || slot == model::kNoSlot || profile < 0 || profile > 2) {
            ShowKeyPictures(id);
            return;
        }
        ShowColourSelection(id, store.EntryAt(profile, slot).colourSelected != 0);
    });
}

void KeyboardView::UpdateReportRate(int index) {
    const int latched = index > 3 ? 3 : index;
    for (int i = 0; i < 4; ++i) {
        Button(kReportRateIds[i])->SetChecked(i == latched);
    }
}

void KeyboardView::ClearKeyMarks() {
    ForEachKey([&](int id) { Button(id)->SetChecked(false); });
    Button(kIdFn)->SetChecked(false);
}

void KeyboardView::ShowGBank(device::GBank bank) {
    shownBank_ = bank;
    CPngButton* lamp = Button(kIdGBank);
    if (bank == device::GBank::kB) {
        lamp->SetPicturesOnly(main_.hover, main_.hover, main_.hover, main_.hover, main_.hover);
    } else {
        lamp->SetPicturesOnly(main_.normal, main_.hover, main_.pressed, main_.disabled,
                              main_.checked);
    }
    const QChar letter = bank == device::GBank::kB ? QLatin1Char('B') : QLatin1Char('A');
    for (int j = 0; j < model::kGKeyButtonCount; ++j) {
        Button(model::kGKeyButtons[static_cast<std::size_t>(j)])
            ->setText(j < 5 ? QStringLiteral("%1%2").arg(letter).arg(j + 1) : QString());
    }
}

void KeyboardView::UpdateProfileButtons(int profile) {
    if (profile < 0 || profile > 2) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        Button(kIdProfile1 + k)->SetChecked(k == profile);
    }
}

void KeyboardView::ApplyFlip(bool flipped) {
    for (int id : kLiveFunctionKeys) {
        Button(id)->setEnabled(!flipped);
    }
    for (int i = 0; i < kExtraKeyCount; ++i) {
        Button(kIdFirstExtraKey + i)->setEnabled(flipped);
    }
}

}  // namespace q804
