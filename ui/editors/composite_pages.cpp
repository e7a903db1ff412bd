// The editor's pages: what each shows, kept in step with the editor's state after every
// click and key, and what Apply and a captured key do.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/editors/composite_dialog.h"
#include "ui/editors/key_capture_filter.h"
#include "ui/skin/color_static.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace q804 {
namespace {

using model::editor::KeyChoice;
using model::editor::Page;

// The action cells: a press points down, a release up (after two spaces, as the list shows).
QString ActionText(const model::MacroAction& action) {
    return action.release == 0 ? QStringLiteral("\u2193") : QStringLiteral("  \u2191");
}

}  // namespace

bool Quorvane_DlgComposite::CapturingKeys() const {
    return captureFilter_->IsInstalled();
}

void Quorvane_DlgComposite::SyncView() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    const Page page = editor_.shownPage();
    const bool macroOnly = editor_.macroOnly();
    const bool singleKey = page == Page::kSingleKey;

    // Page controls.
    for (QWidget* control : std::initializer_list<QWidget*>{
             keyField_, chooseKeyboard_, chooseMouse_, keyboardLabel_, mouseLabel_, mouseList_}) {
        control->setVisible(singleKey);
    }
    singleKeyHint_->setVisible(singleKey && !macroOnly);
    mediaList_->setVisible(page == Page::kMedia);
    mediaHint_->setVisible(page == Page::kMedia && !macroOnly);
    functionList_->setVisible(page == Page::kFunction);
    functionHint_->setVisible(page == Page::kFunction && !macroOnly);
    const bool macroPage = page == Page::kMacro;
    for (QWidget* control :
         std::initializer_list<QWidget*>{macroNameLabel_, macroList_, actionList_, loopCount_,
                                         loopCountLabel_, recordDelay_, recordDelayLabel_}) {
        control->setVisible(macroPage);
    }
    for (auto& [control, button] : macroButtons_) {
        button->setVisible(macroPage);
    }

    // Tabs, Clear and the editor's own Apply.
    const std::pair<CPngButton*, Page> tabs[] = {{tabKey_, Page::kSingleKey},
                                                 {tabMacro_, Page::kMacro},
                                                 {tabMedia_, Page::kMedia},
                                                 {tabFunction_, Page::kFunction}};
    for (const auto& [tab, tabPage] : tabs) {
        tab->setEnabled(editor_.tabEnabled(tabPage) && !placedAtDefault_.contains(tab));
        tab->SetChecked(page == tabPage);
    }
    clear_->setEnabled(editor_.clearEnabled() && !placedAtDefault_.contains(clear_));
    apply_->setEnabled(editor_.isOpen() && editor_.applyEnabled());

    // The single-key page.
    const bool keyboard = editor_.keyChoice() == KeyChoice::kKeyboard;
    keyField_->setText(editor_.fieldCode() == model::kNoKey
                           ? QString()
                           : QString::fromStdString(
                                 model::KeyNameOfCode(services_.language, editor_.fieldCode())));
    keyField_->setEnabled(keyboard);
    mouseList_->setEnabled(!keyboard);
    chooseKeyboard_->setChecked(keyboard);
    chooseMouse_->setChecked(!keyboard);
    {
        QSignalBlocker blockMouse(mouseList_);
        QSignalBlocker blockMedia(mediaList_);
        QSignalBlocker blockFunction(functionList_);
        QSignalBlocker blockMacros(macroList_);
        mouseList_->setCurrentIndex(editor_.mouseEntry());
        mediaList_->setCurrentIndex(editor_.mediaEntry());
        functionList_->setCurrentIndex(editor_.functionEntry());
        macroList_->setCurrentIndex(editor_.currentMacro());
    }

    // The macro page: its rows follow the macro shown; the loop count follows the editor
    // unless the user is typing one it accepts as it stands.
    if (actionsShownFor_ != editor_.currentMacro()) {
        ShowActions();
    }
    if (loopCount_->text().toStdString() != editor_.loopCountText()) {
        loopCount_->setText(QString::fromStdString(editor_.loopCountText()));
    }

    // The keys are taken while the single-key page is shown.
    if (editor_.capturesKeys()) {
        captureFilter_->Install();
    } else {
        captureFilter_->Remove();
    }

    if (!pageShown_ || *pageShown_ != page) {
        pageShown_ = page;
        ShowKindPicture();
    }
    syncing_ = false;
}

void Quorvane_DlgComposite::ShowKindPicture() {
    const Page page = editor_.shownPage();
    const ImageSet& set = page == Page::kMacro      ? macroImages_
                          : page == Page::kMedia    ? mediaImages_
                          : page == Page::kFunction ? functionImages_
                                                    : keyImages_;
    kindPicture_->SetPicturesOnly(set.normal, set.hover, set.pressed, set.disabled, set.checked,
                                  true);
    kindPicture_->lower();
    // The page's main control takes the keys; on the macro page the focus stays.
    switch (page) {
        case Page::kSingleKey:
            keyField_->setFocus(Qt::OtherFocusReason);
            break;
        case Page::kMedia:
            mediaList_->setFocus(Qt::OtherFocusReason);
            break;
        case Page::kFunction:
            functionList_->setFocus(Qt::OtherFocusReason);
            break;
        case Page::kMacro:
            break;
    }
}

void Quorvane_DlgComposite::ShowActions() {
    actionsShownFor_ = editor_.currentMacro();
    actionList_->DeleteAllItems();
    const int current = editor_.currentMacro();
    if (current < 0 || current >= static_cast<int>(editor_.macros().size())) {
        return;
    }
    const auto& macro = editor_.macros()[static_cast<std::size_t>(current)];
    actionList_->setUpdatesEnabled(false);
    for (const model::MacroAction& action : macro.actions) {
        const int row = actionList_->AppendItem(
            QString::fromStdString(model::KeyNameOfCode(services_.language, action.code)));
        actionList_->SetItemText(row, 1, ActionText(action));
        actionList_->SetItemText(row, 2, QString::number(action.delayMs));
    }
    actionList_->setUpdatesEnabled(true);
}

void Quorvane_DlgComposite::ApplyEdit() {
    if (!editor_.isOpen()) {
        return;
    }
    editor_.Apply(services_.store.working);
    RefreshAllKeyTooltips();
    SyncView();
    if (services_.enableMainApply) {
        services_.enableMainApply();
    }
}

bool Quorvane_DlgComposite::OnCapturedKey(const model::editor::KeyEventWords& words) {
    const model::KeyCode before = editor_.fieldCode();
    const bool applyBefore = editor_.applyEnabled();
    model::editor::CaptureOutcome outcome = editor_.OnKeyEvent(words);
    if (outcome.captured != model::kNoKey || before != editor_.fieldCode() ||
        applyBefore != editor_.applyEnabled()) {
        SyncView();
    }
    if (outcome.captured != model::kNoKey) {
        emit keyCaptured(outcome.captured);
    }
    return outcome.swallow;
}

}  // namespace q804
