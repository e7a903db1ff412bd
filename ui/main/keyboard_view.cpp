#include "ui/main/keyboard_view.h"

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

}  // namespace

KeyboardView::KeyboardView(CBaseDialog& dialog, PaintHookRegistry& hooks, const ImageSet& mainSet,
                           const QImage& arrows)
    : QObject(&dialog), dialog_(dialog), hooks_(hooks), main_(mainSet) {
    ImageSet keys = mainSet;
    keys.disabled = mainSet.normal;
    keys.checked = mainSet.disabled;
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
    // The view switch stays hidden, as the colour-select view is not offered.
    Button(kIdViewSwitch)->hide();
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
    constexpr int kIds[] = {1147, 1168, 1169, 1170};
    return index >= 0 && index < 4 ? kIds[index] : 0;
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
    if (isKey && onKeyClicked) {
        onKeyClicked(id);
    }
    // Fn, the extra keys and the lamps do nothing in the function view.
}

void KeyboardView::RedrawMarks(const model::WorkingStore& store, int profile, device::GBank bank) {
    auto lock = store.Lock();
    const bool known = profile >= 0 && profile < 3;
    auto assigned = [&](model::KeySlot slot) {
        return known && slot != model::kNoSlot &&
               store.EntryAt(profile, slot).kind() != model::AssignmentType::kDefault;
    };
    for (const model::KeyButtonRow& row : model::kKeyButtonOrder) {
        Button(row.button)->SetChecked(assigned(model::KeySlotOfCode(row.code)));
    }
    for (model::KeyButtonId id : model::kGKeyButtons) {
        Button(id)->SetChecked(assigned(model::GKeySlotOfButton(id, static_cast<int>(bank))));
    }
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
