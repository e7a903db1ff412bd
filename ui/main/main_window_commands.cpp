// The main window's controls, commands, menus and device jobs (Apply, backup, restore).

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFileInfo>

#include "app/context/shell_messages.h"
#include "device/sim/simulated_keyboard.h"
#include "model/profile_file.h"
#include "model/profiles.h"
#include "model/upload.h"
#include "ui/main/about_box.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/skin_menu.h"
#include "ui/skin/skin_style.h"

namespace q804 {

namespace {

struct WindowButton {
    int id;
    std::string_view key;
};

constexpr WindowButton kWindowButtons[] = {
    {CQuorvaneDlg::kIdLink, "ZELTRA_LINK"},         {CQuorvaneDlg::kIdProfiles, "FUNC_PROFILES"},
    {CQuorvaneDlg::kIdMacro, "FUNC_MACRO"},         {CQuorvaneDlg::kIdOk, "CONTROL_OK"},
    {CQuorvaneDlg::kIdCancel, "CONTROL_CANCEL"},    {CQuorvaneDlg::kIdHelp, "CONTROL_HELP"},
    {CQuorvaneDlg::kIdClose, "CONTROL_CLOSE"},      {CQuorvaneDlg::kIdMinimize, "CONTROL_MINIMIZE"},
    {CQuorvaneDlg::kIdMenu, "CONTROL_MENU"},        {CQuorvaneDlg::kIdApply, "CONTROL2_APPLY"},
    {CQuorvaneDlg::kIdVersion, "ZELTRA_VER"},       {CQuorvaneDlg::kIdWebSite, "CONTROL_Network"},
    {CQuorvaneDlg::kIdSocial1, "CONTROL_Facebook"}, {CQuorvaneDlg::kIdSocial2, "CONTROL_twitter"},
};

// The maker's web site and social pages of the three link buttons.
constexpr const char* kWebSite = "https://www.veltrano.com/";
constexpr const char* kSocialPage1 = "https://www.facebook.com/veltrano";
constexpr const char* kSocialPage2 = "https://twitter.com/veltrano";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void CQuorvaneDlg::PlaceControls() {
    const ImageSet mainSet = LoadImageSet(kMainImageSet);
    keyboard_ = new KeyboardView(*this, paintHooks_, mainSet, LoadStatePicture(kMainArrowPicture));
    for (const WindowButton& entry : kWindowButtons) {
        auto* button = new CPngButton(paintHooks_, this);
        PlaceSkinnedButton(*button, entry.key, mainSet);
        const int id = entry.id;
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
        buttons_[id] = button;
    }
    // The "Dynamic Menu" button has no place in the skin and stays hidden.
    auto* dynamicMenu = new CPngButton(paintHooks_, this);
    dynamicMenu->hide();
    connect(dynamicMenu, &QAbstractButton::clicked, this, [this] { OnCommand(kIdDynamicMenu); });
    buttons_[kIdDynamicMenu] = dynamicMenu;

    CPngButton* link = Button(kIdLink);
    link->setText(link_);
    link->SetCaptionStyle(true, 9, QStringLiteral("Arial Unicode MS"),
                          QColor::fromRgb(style::kTextDim), Qt::white,
                          QColor::fromRgb(style::kAccent), Qt::gray, Qt::white,
                          caption::kVCentre | caption::kSingleLine);
    link->SetCaptionInsets(6, 0, 0, 0);
    CPngButton* version = Button(kIdVersion);
    version->setText(QString());
    version->SetCaptionStyle(true, 8, QStringLiteral("Verdana Unicode MS"), Qt::white, Qt::white,
                             Qt::white, Qt::gray, Qt::white);
    version->setEnabled(false);

    panel_ = new LightingPanel(*this);
    panel_->EffectList().installEventFilter(this);
    busy_ = new BusyIndicator(*this);

    CreateEditor();

    ConnectMenuCommands(profileMenu_, [this](int id) { OnCommand(id); });
    ConnectMenuCommands(backupMenu_, [this](int id) { OnCommand(id); });
    StyleMenu(profileMenu_);
    StyleMenu(backupMenu_);
}

CPngButton* CQuorvaneDlg::Button(int id) const {
    if (auto it = buttons_.find(id); it != buttons_.end()) {
        return it->second;
    }
    return keyboard_ != nullptr ? keyboard_->Button(id) : nullptr;
}

void CQuorvaneDlg::OnCommand(int id) {
    if (id >= kCmdDefaultProfile && id <= kCmdLastProfile) {
        SelectProfile(id - (kCmdDefaultProfile + 1));
        return;
    }
    switch (id) {
        case kIdOk:
            Apply([this](bool) { HideWindow(); });
            break;
        case kIdCancel:
            HideWindow();
            break;
        case kIdApply:
            Apply();
            break;
        case kIdMacro:
            // The macro-only mode of the assignment editor opens for G9.
            if (keyboard_->onKeyClicked) {
                keyboard_->onKeyClicked(1143);
            }
            break;
        case kIdDynamicMenu:
            ShowMenuAtCursor(profileMenu_);
            break;
        case kIdLink:
            options_.hooks.openUrl(QUrl(link_));
            break;
        case kIdHelp:
            options_.hooks.openUrl(QUrl::fromLocalFile(
                QString::fromStdString((context_.paths.helpDir / "index.html").string())));
            break;
        case kIdMinimize:
            showMinimized();
            break;
        case kIdClose:
        case kCmdExit:
            Quit();
            break;
        case kIdMenu:
            backupMenu_.clear();
            AddMenuCommand(backupMenu_, kCmdRestore, Q(context_.Text("MENU_1")));
            AddMenuCommand(backupMenu_, kCmdBackup, Q(context_.Text("MENU_2")));
            ShowMenuAtCursor(backupMenu_);
            break;
        case kIdWebSite:
            options_.hooks.openUrl(QUrl(QString::fromLatin1(kWebSite)));
            break;
        case kIdSocial1:
            options_.hooks.openUrl(QUrl(QString::fromLatin1(kSocialPage1)));
            break;
        case kIdSocial2:
            options_.hooks.openUrl(QUrl(QString::fromLatin1(kSocialPage2)));
            break;
        case kCmdOpen:
            ShowWindowFromShell();
            break;
        case kCmdAbout:
            OpenAbout();
            break;
        case kCmdRestore:
            RestoreFromFile();
            break;
        case kCmdBackup:
            BackupToFile();
            break;
        default:
            break;
    }
    if (device::sim::SimulatedKeyboard* sim = context_.simulator()) {
        switch (id) {
            case kCmdSimPlug:
                sim->Plug();
                break;
            case kCmdSimUnplug:
                sim->Unplug();
                break;
            case kCmdSimGBank:
                sim->SendConsumerCode(device::kConsumerGBankSwitched);
                break;
            case kCmdSimLighting:
                sim->SendConsumerCode(device::kConsumerLightingChanged);
                break;
            case kCmdSimIndicatorOn:
                sim->SendConsumerCode(device::kConsumerIndicatorOn);
                break;
            case kCmdSimIndicatorOff:
                sim->SendConsumerCode(device::kConsumerIndicatorOff);
                break;
            default:
                break;
        }
    }
}

void CQuorvaneDlg::BuildTrayMenu(QMenu& menu) {
    AddMenuCommand(menu, kCmdOpen, Q(context_.Text("MENU_11")));
    AddMenuCommand(menu, kCmdAbout, Q(context_.Text("MENU_22")));
    AddMenuCommand(menu, kCmdExit, Q(context_.Text("MENU_33")));
    if (context_.simulator() != nullptr) {
        // A developer's tool for trying every path without hardware; English on purpose.
        QMenu* sim = menu.addMenu(QStringLiteral("Simulated keyboard"));
        AddMenuCommand(*sim, kCmdSimPlug, QStringLiteral("Plug in"));
        AddMenuCommand(*sim, kCmdSimUnplug, QStringLiteral("Unplug"));
        AddMenuCommand(*sim, kCmdSimGBank, QStringLiteral("Switch G bank"));
        AddMenuCommand(*sim, kCmdSimLighting, QStringLiteral("Lighting changed"));
        AddMenuCommand(*sim, kCmdSimIndicatorOn, QStringLiteral("Indicator on"));
        AddMenuCommand(*sim, kCmdSimIndicatorOff, QStringLiteral("Indicator off"));
    }
}

void CQuorvaneDlg::ShowMenuAtCursor(QMenu& menu) {
    activateWindow();
    menu.popup(QCursor::pos());
}

void CQuorvaneDlg::RebuildProfileMenu() {
    profileMenu_.clear();
    AddMenuCommand(profileMenu_, kCmdDefaultProfile, Q(context_.Text("DEFAULT_PROFILE_NAME")));
    profileMenu_.addSeparator();
    for (int profile = 0; profile < 3; ++profile) {
        const std::string name = model::ProfileFilePath(context_.perUser, profile).stem().string();
        AddMenuCommand(profileMenu_, kCmdDefaultProfile + 1 + profile, Q(name));
    }
    const int current = context_.deviceState.currentProfile.load();
    const int checkedId =
        current >= 0 && current < 3 ? kCmdDefaultProfile + 1 + current : kCmdDefaultProfile;
    for (QAction* action : profileMenu_.actions()) {
        action->setCheckable(MenuCommandId(action) >= 0);
        action->setChecked(MenuCommandId(action) == checkedId);
    }
    if (QAction* checked = FindMenuCommand(profileMenu_, checkedId)) {
        CPngButton* profiles = Button(kIdProfiles);
        profiles->setText(checked->text());
        profiles->SetTooltip(Q(context_.Text("PROFILE_TIP")) + checked->text(), true);
    }
}

void CQuorvaneDlg::SelectProfile(int profile) {
    model::SelectProfileHooks hooks;
    hooks.editorOpen = [this] { return EditorOpen(); };
    hooks.changesPending = [this] { return applyPending_; };
    hooks.askYesNo = [this](std::string_view key) {
        return prompter_->YesNo(Q(context_.Text(key)));
    };
    hooks.applyNow = [this] { return ApplySync(); };
    hooks.discardPending = [this] {
        applyPending_ = false;
        SetApplyEnabled(false);
    };
    hooks.refreshView = [this] {
        const int current = context_.deviceState.currentProfile.load();
        keyboard_->UpdateProfileButtons(current);
        RefreshKeyLooks();
        RebuildProfileMenu();
    };
    model::SelectProfile(context_.profiles(), profile, hooks);
}

CAboutDlg* CQuorvaneDlg::AboutBox() const {
    return about_.data();
}

void CQuorvaneDlg::OpenAbout() {
    if (about_) {
        return;  // one at a time
    }
    about_ = new CAboutDlg(
        context_.language, link_, [this] { OnCommand(kIdHelp); },
        [this](const QString& url) { options_.hooks.openUrl(QUrl(url)); });
    about_->show();
    about_->Relabel(context_.language.CurrentLanguageIndex());
}

void CQuorvaneDlg::RegisterEditor(QWidget* editor) {
    editors_.emplace_back(editor);
}

bool CQuorvaneDlg::EditorOpen() const {
    for (const QPointer<QWidget>& editor : editors_) {
        if (editor && editor->isVisible()) {
            return true;
        }
    }
    return false;
}

void CQuorvaneDlg::CloseEditors() {
    for (const QPointer<QWidget>& editor : editors_) {
        if (editor && editor->isVisible()) {
            editor->close();
        }
    }
    if (about_) {
        about_->close();
    }
}

void CQuorvaneDlg::MarkChanged() {
    applyPending_ = true;
    SetApplyEnabled(true);
}

void CQuorvaneDlg::SetApplyEnabled(bool enabled) {
    if (CPngButton* apply = Button(kIdApply)) {
        apply->setEnabled(enabled);
    }
}

bool CQuorvaneDlg::RunJob(std::function<int()> work, std::function<void(int result)> done) {
    if (job_.joinable() || quitDone_) {
        return false;
    }
    jobDone_ = std::move(done);
    busy_->Show();
    qApp->installEventFilter(this);
    job_ = std::thread([this, work = std::move(work)] {
        const int result = work();
        QMetaObject::invokeMethod(
            this, [this, result] { FinishJob(result); }, Qt::QueuedConnection);
    });
    return true;
}

void CQuorvaneDlg::FinishJob(int result) {
    if (!job_.joinable()) {
        return;  // joined at quit already
    }
    job_.join();
    qApp->removeEventFilter(this);
    busy_->Hide();
    std::function<void(int)> done = std::move(jobDone_);
    jobDone_ = nullptr;
    if (done) {
        done(result);
    }
}

void CQuorvaneDlg::Apply(std::function<void(bool ok)> then) {
    const bool pending = applyPending_;
    const bool started = RunJob(
        [this, pending]() -> int {
            if (!pending) {
                return 1;  // nothing to write
            }
            Status saved;
            {
                auto lock = context_.store.working.Lock();
                saved = model::SaveToProfileFile(context_.profiles());
            }
            const int uploaded =
                model::ApplyToKeyboard(context_.store, context_.engine(), context_.deviceState,
                                       false, context_.profiles().show);
            if (!saved) {
                Log("apply: " + saved.error().message);
            }
            if (uploaded != device::kResultSuccess) {
                Log("apply: " + std::string(device::DescribeResult(uploaded)));
            }
            return saved && uploaded == device::kResultSuccess ? 1 : 0;
        },
        [this, pending, then](int result) {
            if (pending && result == 1) {
                applyPending_ = false;
                SetApplyEnabled(false);
            }
            Log(result == 1 ? "apply ok" : "apply failed");
            if (then) {
                then(result == 1);
            }
        });
    if (!started && then) {
        then(false);
    }
}

bool CQuorvaneDlg::ApplySync() {
    bool finished = false;
    bool ok = false;
    QEventLoop loop;
    Apply([&](bool result) {
        ok = result;
        finished = true;
        loop.quit();
    });
    if (!finished) {
        loop.exec();
    }
    return ok;
}

void CQuorvaneDlg::BackupToFile() {
    const QString path = prompter_->SaveFile(ProfileFileFilter(), QStringLiteral("fwc"));
    if (path.isEmpty()) {
        return;
    }
    Status saved;
    {
        auto lock = context_.store.working.Lock();
        saved = model::BackupToFile(context_.profiles(), path.toStdString());
    }
    if (!saved) {
        // Never let a backup that was not written look like one that was.
        Log("backup failed: " + saved.error().message);
        prompter_->Message(Q(saved.error().message), QString());
        return;
    }
    Log("backup " + path.toStdString());
}

void CQuorvaneDlg::RestoreFromFile() {
    const QString path = prompter_->OpenFile(ProfileFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const std::filesystem::path file = path.toStdString();
    // 0: file refused, store unchanged; 1: restored and written to the keyboard; 2: restored
    // but the keyboard was not written.
    RunJob(
        [this, file]() -> int {
            const bool valid = model::ValidateProfileFile(file) == model::kProfileValid;
            const int uploaded = model::RestoreFromFile(context_.profiles(), file);
            if (!valid) {
                return 0;
            }
            return uploaded == device::kResultSuccess ? 1 : 2;
        },
        [this](int result) {
            Log("restore " + std::to_string(result));
            if (result == 0) {
                return;
            }
            RefreshKeyLooks();
            // A restore the keyboard did not take stays pending, so Apply can retry it.
            applyPending_ = result == 2;
            SetApplyEnabled(applyPending_);
        });
}

}  // namespace q804
