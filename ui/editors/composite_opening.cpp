// Opening and closing the editor: its initialisation, placement, texts, and the key-button
// operations the main window calls through it.

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>

#include "model/current_profile.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_layout.h"
#include "ui/editors/key_capture_filter.h"
#include "ui/skin/color_static.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace q804 {

using namespace composite_layout;

int Quorvane_DlgComposite::PrepareOpen(model::KeyButtonId button) {
    if (editor_.isOpen()) {
        return kNotAKey;  // one opening at a time
    }
    const int bank = Bank();
    std::optional<model::editor::EditTarget> target =
        model::editor::ResolveEditTarget(button, bank);
    if (!target) {
        return kNotAKey;
    }
    const int profile = CurrentProfile();
    if (services_.colourSelectMode && services_.colourSelectMode()) {
        std::optional<bool> selected =
            model::editor::ToggleColourSelection(services_.store.working, profile, button, bank);
        if (selected) {
            if (services_.showColourSelection) {
                services_.showColourSelection(button, *selected);
            }
            if (services_.enableMainApply) {
                services_.enableMainApply();
            }
        }
        return kColourSelectionServed;
    }
    if (profile < 0) {
        // Without a profile there is no entry to edit; an edit would be lost at OK.
        if (services_.showMessage) {
            services_.showMessage("MAIN_NO_DEVICE_PROMPT");
        }
        return kNotAKey;
    }
    if (services_.highlightKey) {
        services_.highlightKey(button, true);
    }
    Status initialised = Initialise(*target, profile);
    if (!initialised) {
        std::fprintf(stderr, "assignment editor: %s\n", initialised.error().message.c_str());
        if (editor_.isOpen()) {
            done(kResultCancel);
        } else if (services_.highlightKey) {
            services_.highlightKey(button, false);
        }
        return kNotAKey;
    }
    return kReady;
}

int Quorvane_DlgComposite::OpenForKey(model::KeyButtonId button) {
    const int prepared = PrepareOpen(button);
    if (prepared != kReady) {
        return prepared;
    }
    return exec();
}

Status Quorvane_DlgComposite::Initialise(const model::editor::EditTarget& target, int profile) {
    Status skin = InitSkin();
    if (!skin) {
        return skin;
    }
    if (!imagesLoaded_) {
        LoadImageSets();
        imagesLoaded_ = true;
    }
    PlaceControls();
    FillLists();

    editor_.Open(target, profile, services_.store.working);
    FillMacroList();

    if (editor_.macroOnly()) {
        for (CPngButton* button : {tabKey_, tabMedia_, tabFunction_, title_, clear_}) {
            button->SetPicturesOnly(macro2Images_.normal, macro2Images_.hover,
                                    macro2Images_.pressed, macro2Images_.disabled,
                                    macro2Images_.checked, true);
        }
    }
    chooseKeyboard_->setText(QString());
    chooseMouse_->setText(QString());
    recordDelay_->setText(QString());

    onScreenKeyboard_ =
        services_.findOnScreenKeyboard ? services_.findOnScreenKeyboard() : QString();
    if (!services_.findOnScreenKeyboard) {
        for (const char* name : kOnScreenKeyboards) {
            onScreenKeyboard_ = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!onScreenKeyboard_.isEmpty()) {
                break;
            }
        }
    }
    osk_->setEnabled(!onScreenKeyboard_.isEmpty() && !placedAtDefault_.contains(osk_));

    pageShown_.reset();
    actionsShownFor_ = -2;
    SyncView();

    if (editor_.macroOnly()) {
        QScreen* screen = parentWidget() != nullptr && parentWidget()->screen() != nullptr
                              ? parentWidget()->screen()
                              : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            const QRect area = screen->geometry();
            auto at = model::editor::CentreOnScreen(width(), height(), area.width(), area.height());
            move(area.left() + at.x, area.top() + at.y);
        }
    } else if (services_.keyScreenRect) {
        if (std::optional<QRect> key = services_.keyScreenRect(target.button)) {
            PlaceNextToKey(*key);
        }
    }
    Relabel(services_.language.CurrentLanguageIndex());
    return Status::Ok();
}

void Quorvane_DlgComposite::LoadImageSets() {
    keyImages_ = LoadImageSet(kKeyImageSet);
    macroImages_ = LoadImageSet(kMacroImageSet);
    macro2Images_ = LoadImageSet(kMacro2ImageSet);
    mediaImages_ = LoadImageSet(kMediaImageSet);
    functionImages_ = LoadImageSet(kFunctionImageSet);
    // A tab shows its page with its pressed look.
    for (ImageSet* set :
         {&keyImages_, &macroImages_, &macro2Images_, &mediaImages_, &functionImages_}) {
        set->checked = set->pressed;
    }
}

void Quorvane_DlgComposite::PlaceControls() {
    placedAtDefault_.clear();
    for (const Placement& place : kImageButtonPlaces) {
        auto* button = static_cast<CPngButton*>(Control(place.control));
        button->setEnabled(true);
        PlaceSkinnedButton(*button, place.skinKey, keyImages_);
        if (Skin().Rect(place.skinKey).AtDefaultPosition()) {
            placedAtDefault_.insert(button);
        }
    }
    kindPicture_->setEnabled(false);
    kindPicture_->lower();
    for (const Placement& place : kMacroButtonPlaces) {
        PlaceSkinnedButton(*macroButtons_[place.control], place.skinKey, macroImages_);
        macroButtons_[place.control]->setEnabled(false);
    }
    for (const Placement& place : kControlPlaces) {
        PlaceFromSkin(*Control(place.control), place.skinKey);
    }
    apply_->setGeometry(kApplyPlace);
}

void Quorvane_DlgComposite::FillLists() {
    LanguageTables& language = services_.language;
    QSignalBlocker blockMouse(mouseList_);
    QSignalBlocker blockMedia(mediaList_);
    QSignalBlocker blockFunction(functionList_);
    mouseList_->clear();
    for (std::string_view key : model::editor::kMouseChoiceTextKeys) {
        mouseList_->addItem(QString::fromStdString(language.LangText(key)));
    }
    mediaList_->clear();
    for (const model::MediaRow& row : model::kMediaTable) {
        mediaList_->addItem(QString::fromStdString(model::KeyNameOfCode(language, row.code)));
    }
    functionList_->clear();
    for (std::string_view key : model::kFunctionTable) {
        functionList_->addItem(QString::fromStdString(language.LangText(key)));
    }
    mouseList_->setCurrentIndex(0);
    mediaList_->setCurrentIndex(0);
    functionList_->setCurrentIndex(0);
    loopCount_->setText(QStringLiteral("1"));

    actionList_->setColumnCount(0);
    actionList_->InsertColumn(0, Text("MACRO_KEYS_TISHI", language.CurrentLanguageIndex()),
                              Qt::AlignLeft, 62);
    actionList_->InsertColumn(1, Text("MACRO_ACTION_TISHI", language.CurrentLanguageIndex()),
                              Qt::AlignLeft, 50);
    actionList_->InsertColumn(2, Text("MACRO_DELAY_MS", language.CurrentLanguageIndex()),
                              Qt::AlignLeft, 74);
}

void Quorvane_DlgComposite::FillMacroList() {
    QSignalBlocker block(macroList_);
    macroList_->clear();
    for (const model::editor::MacroChoice& macro : editor_.macros()) {
        macroList_->addItem(QString::fromStdU16String(macro.name));
    }
}

void Quorvane_DlgComposite::PlaceNextToKey(const QRect& keyRect) {
    QScreen* screen = QGuiApplication::screenAt(keyRect.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // On this screen's own coordinates, right and bottom exclusive.
    model::editor::ScreenRect key{keyRect.left() - area.left(), keyRect.top() - area.top(),
                                  keyRect.left() - area.left() + keyRect.width(),
                                  keyRect.top() - area.top() + keyRect.height()};
    auto at = model::editor::PlaceNextToKey(key, width(), height(), area.width(), area.height());
    move(area.left() + at.x, area.top() + at.y);
}

void Quorvane_DlgComposite::Relabel(int languageIndex) {
    for (CPngButton* button : {tabKey_, tabMacro_, tabMedia_, tabFunction_, ok_, cancel_}) {
        StyleCaption(*button, kCaptionPoints);
    }
    for (auto& [control, button] : macroButtons_) {
        StyleCaption(*button, control == id::kRecord ? kRecordCaptionPoints : kCaptionPoints);
    }
    for (ColorStatic* label :
         {heading_, singleKeyHint_, keyboardLabel_, mouseLabel_, mediaHint_, functionHint_,
          macroNameLabel_, loopCountLabel_, recordDelayLabel_}) {
        label->SetFontFace(kFontFace, kStaticPoints);
    }
    const bool macroOnly = editor_.macroOnly();
    heading_->SetText(Text(macroOnly ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI", languageIndex));
    tabKey_->setText(macroOnly ? QString() : Text("SINGLE_KEY", languageIndex));
    tabMacro_->setText(Text("MACRO_SETTING", languageIndex));
    tabMedia_->setText(macroOnly ? QString() : Text("MULTI_MEDIA", languageIndex));
    tabFunction_->setText(macroOnly ? QString() : Text("FUNCTION_KEY", languageIndex));
    ok_->setText(Text("MACRO_OK", languageIndex));
    cancel_->setText(Text("MACRO_CANCLE", languageIndex));
    apply_->setText(Text("PROFILE_APPLY", languageIndex));
    clear_->SetTooltip(Text("COMPOSITE_PROMPT_CLEAR", languageIndex), true);
    osk_->SetTooltip(Text("COMPOSITE_PROMPT_OSK", languageIndex), true);
    singleKeyHint_->SetText(Text("SINGLE_STATIC", languageIndex));
    keyboardLabel_->SetText(Text("IDS_MACRO_KB_KEY", languageIndex));
    mouseLabel_->SetText(Text("IDS_MACRO_MOU_KEY", languageIndex));
    mediaHint_->SetText(Text("MEDIA_EDIT_TISHI", languageIndex));
    functionHint_->SetText(Text("FUNCTION_TISHI", languageIndex));
    macroNameLabel_->SetText(Text("MACRO_NAME_SETTING", languageIndex));
    for (const CaptionKey& caption : kMacroCaptions) {
        macroButtons_[caption.control]->setText(Text(caption.key, languageIndex));
    }
    loopCountLabel_->SetText(Text("MACRO_CYCLES", languageIndex));
    recordDelayLabel_->SetText(Text("RECORD_DELAY", languageIndex));
}

void Quorvane_DlgComposite::RefreshAllKeyTooltips() {
    if (!services_.showKeyLooks) {
        return;
    }
    std::vector<model::editor::KeyLook> looks = model::editor::AllKeyLooks(
        services_.language, services_.store.working, CurrentProfile(), Bank());
    services_.showKeyLooks(looks);
}

void Quorvane_DlgComposite::ResetProfileKeys() {
    model::editor::ResetProfileKeys(services_.store.working, CurrentProfile(), Bank());
    RefreshAllKeyTooltips();
    if (services_.enableMainApply) {
        services_.enableMainApply();
    }
}

void Quorvane_DlgComposite::CloseIfOpen() {
    if (editor_.isOpen()) {
        done(kResultCancel);
    }
}

void Quorvane_DlgComposite::done(int result) {
    if (editor_.isOpen()) {
        captureFilter_->Remove();
        const model::KeyButtonId button = editor_.target().button;
        editor_.Close();
        actionList_->DeleteAllItems();
        macroList_->clear();
        apply_->setEnabled(false);
        if (services_.highlightKey) {
            services_.highlightKey(button, false);
        }
    }
    CBaseDialog::done(result);
}

void Quorvane_DlgComposite::reject() {
    done(kResultCancel);
}

}  // namespace q804
