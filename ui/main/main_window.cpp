#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "app/context/consumer_events.h"
#include "app/context/firmware_gate.h"
#include "app/context/shell_messages.h"
#include "common/text_format.h"
#include "model/profiles.h"
#include "ui/editors/composite_dialog.h"
#include "ui/main/about_box.h"
#include "ui/main/app_icons.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/lighting_panel.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804 {

namespace {

QString Hex(std::uint32_t value, int width) {
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

MainWindowHooks WithDefaults(MainWindowHooks hooks) {
    if (!hooks.endProcess) {
        hooks.endProcess = [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
        };
    }
    if (!hooks.quitApplication) {
        hooks.quitApplication = [] { QCoreApplication::exit(0); };
    }
    if (!hooks.startDetached) {
        hooks.startDetached = [](const QString& program, const QStringList& arguments,
                                 const QString& workingDir) {
            return QProcess::startDetached(program, arguments, workingDir);
        };
    }
    if (!hooks.openUrl) {
        hooks.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }
    return hooks;
}

}  // namespace

CQuorvaneDlg::CQuorvaneDlg(ApplicationContext& context, PaintHookRegistry& paintHooks,
                           MainWindowOptions options)
    : CBaseDialog(context.paths.skinDir, std::string(kMainSkinFile), nullptr, Qt::Window),
      context_(context),
      paintHooks_(paintHooks),
      options_(std::move(options)),
      ownPrompter_(options_.prompter ? nullptr : std::make_unique<DialogPrompter>(this)),
      ownTray_(options_.tray ? nullptr : MakeSystemTray()),
      prompter_(options_.prompter ? options_.prompter : ownPrompter_.get()),
      tray_(options_.tray ? options_.tray : ownTray_.get()),
      messages_(this) {
    options_.hooks = WithDefaults(std::move(options_.hooks));
    messages_.SetHandler([this](std::uint32_t message, std::uint32_t code, std::int64_t param) {
        HandleMessage(message, code, param);
    });
    // Timer 1051: the keyboard reported a lighting change; the lighting panel reads it again.
    reloadTimer_.setSingleShot(true);
    connect(&reloadTimer_, &QTimer::timeout, this, [this] { Log("lighting-reload"); });
    // Timer 1052: the lighting preview's step; nothing to animate while the lighting view is
    // off, so it runs only while the window is shown.
    previewTimer_.setSingleShot(true);
    connect(&previewTimer_, &QTimer::timeout, this, [this] {
        if (isVisible()) {
            previewTimer_.start(50);
        }
    });
    tray_->SetMenu([this](QMenu& menu) { BuildTrayMenu(menu); },
                   [this](int command) { OnCommand(command); }, [this] { activateWindow(); });
}

CQuorvaneDlg::~CQuorvaneDlg() {
    Shutdown();
    // The editor calls back into the keyboard view, which as an older child would go first.
    delete editor_;
    editor_ = nullptr;
    if (about_) {
        delete about_.data();
    }
}

Status CQuorvaneDlg::Init() {
    context_.deviceState.currentProfile.store(-1);
    setWindowIcon(AppIcon(shell::kIconNoKeyboard));
    if (Status up = BringUpDevice(); !up) {
        return up;
    }
    context_.store.InstallNewDefaultStore();
    if (Status skin = InitSkin(); !skin) {
        return skin;
    }
    link_ = QString::fromStdString(Skin().Link("https://www.veltrano.com/"));
    PlaceControls();
    if (Button(kIdOk)->PictureOf(CPngButton::Face::kNormal).isNull()) {
        return Error{"the main window's pictures are missing from " + SkinDir().string()};
    }
    SetApplyEnabled(false);
    keyboard_->ApplyFlip(FlipFlag());
    LabelViewSwitch();
    setWindowTitle(QString::fromStdString(context_.Text("MAIN_CAPTION")));
    setProperty("q804WindowTag", shell::kWindowTag);
    for (const std::string& warning : context_.warnings()) {
        std::fprintf(stderr, "q804-config: %s\n", warning.c_str());
        Log("warning " + warning);
    }
    messages_.Post(shell::kMsgInitDone, shell::kCodeInit);
    messages_.Send(shell::kMsgRelabel, shell::kCodeLang, context_.language.CurrentLanguageIndex());
    previewTimer_.start(100);
    return Status::Ok();
}

Status CQuorvaneDlg::BringUpDevice() {
    if (Status opened = context_.OpenKeyboard(); !opened) {
        return opened;
    }
    context_.SetShowMessage([this](std::string_view key, std::string_view argument) {
        QMetaObject::invokeMethod(
            this, [this, k = std::string(key), a = std::string(argument)] { ShowText(k, a); },
            Qt::QueuedConnection);
    });
    PresenceCallbacks callbacks;
    callbacks.send = [this](std::uint32_t message, std::uint32_t code) {
        messages_.Send(message, code);
    };
    callbacks.post = [this](std::uint32_t message, std::uint32_t code) {
        messages_.Post(message, code);
    };
    callbacks.hideWindow = [this] {
        QMetaObject::invokeMethod(
            this, [this] { HideWindow(); }, Qt::QueuedConnection);
    };
    callbacks.setTrayIcon = [this](int icon) { SetTrayIcon(icon); };
    callbacks.showMessage = [this](std::string_view key) {
        QMetaObject::invokeMethod(
            this, [this, k = std::string(key)] { ShowText(k); }, Qt::QueuedConnection);
    };
    callbacks.reloadFromKeyboard = [this] {
        model::ReloadFromKeyboard(context_.profiles());
        std::array<std::uint8_t, device::kSettingsSize> settings{};
        if (context_.engine().ReadDeviceSettings(settings) == device::kResultSuccess) {
            std::vector<int> effects;
            for (std::size_t i = 0; i < device::settings::kEffectSlots; ++i) {
                if (int code = settings[device::settings::kEffects + i]; code != 0) {
                    effects.push_back(code);
                }
            }
            QMetaObject::invokeMethod(
                this, [this, effects] { panel_->ShowEffects(context_.language, effects); },
                Qt::QueuedConnection);
        }
    };
    presence_ =
        std::make_unique<PresenceHandler>(context_.shell, context_.deviceState, context_.engine(),
                                          std::move(callbacks), options_.presenceTiming);
    device::DeviceLink& link = context_.link();
    link.onConsumerCode = [this](std::uint16_t code) { OnConsumerCode(code); };
    link.onDeviceSetChanged = [this](int count) { presence_->Start(count); };
    // The G-bank path never waits for the window: the service's thread may be needed by a
    // transfer the window is waiting for.
    link.onGBankChanged = [this](device::GBank) {
        messages_.Post(shell::kMsgGBankRedraw, shell::kCodeLed);
    };
    link.RegisterDeviceReads();
    const int count = context_.engine().GetDeviceCount();
    presence_->Start(count);
    if (count == 0) {
        context_.shell.autoOpenDone.store(1);
    }
    return Status::Ok();
}

void CQuorvaneDlg::HandleMessage(std::uint32_t message, std::uint32_t code, std::int64_t param) {
    Log(("message " + Hex(message, 4) + " " + Hex(code, 8)).toStdString());
    switch (message) {
        case shell::kMsgQuit:
            if (code == shell::kCodeKill) {
                Quit();
            }
            break;
        case shell::kMsgOpenOrVersion:
            if (code == shell::kCodeOpen) {
                ShowWindowFromShell();
            } else if (code == shell::kCodeVersion) {
                CheckFirmware();
            }
            break;
        case shell::kMsgInitDone:
            if (code == shell::kCodeInit) {
                OnInitDone();
            }
            break;
        case shell::kMsgProfileRefresh:
            if (code == shell::kCodeProfile) {
                OnProfileRefresh();
            }
            break;
        case shell::kMsgCloseEditors:
            CloseEditors();
            panel_->EffectList().setFocus();
            if (CPngButton* rate = keyboard_->Button(KeyboardView::ReportRateButtonId(0))) {
                rate->setFocus();
            }
            break;
        case shell::kMsgGBankRedraw:
            if (code == shell::kCodeLed) {
                OnGBankChanged();
            }
            break;
        case shell::kMsgRelabel:
            if (code == shell::kCodeLang) {
                Relabel(param >= 0 && param <= 3 ? static_cast<int>(param) : 0);
            }
            break;
        default:
            break;
    }
}

void CQuorvaneDlg::OnInitDone() {
    const bool shown = tray_->Create(shell::kIconNoKeyboard,
                                     QString::fromStdString(context_.Text("KEYBOARD_TRAY_DESC")));
    context_.shell.trayIconId.store(shell::kIconNoKeyboard);
    RebuildProfileMenu();
    context_.shell.initDone.store(1);
    if (shown) {
        Log("tray 128");
        HideWindow();
    } else {
        // Without a notification area a hidden window could never be reached again.
        std::fprintf(stderr,
                     "q804-config: the desktop has no notification area; the window stays "
                     "open\n");
        Log("tray-missing");
        showNormal();
        Log("shown");
    }
}

void CQuorvaneDlg::SetTrayIcon(int iconId) {
    QMetaObject::invokeMethod(
        this,
        [this, iconId] {
            if (context_.shell.initDone.load() == 0 || context_.shell.trayIconId.load() == 0) {
                return;  // no icon yet, or removed at quit
            }
            context_.shell.trayIconId.store(iconId);
            tray_->SetIcon(iconId);
            Log("tray " + std::to_string(iconId));
        },
        Qt::QueuedConnection);
}

void CQuorvaneDlg::OnConsumerCode(std::uint16_t code) {
    const ConsumerAction action = ActionOfConsumerCode(code);
    if (action == ConsumerAction::kReloadLighting) {
        QMetaObject::invokeMethod(
            this, [this] { reloadTimer_.start(0); }, Qt::QueuedConnection);
    } else if (auto icon = TrayIconForIndicator(action, context_.shell.savedTrayIconId.load())) {
        SetTrayIcon(*icon);
    }
}

void CQuorvaneDlg::OnProfileRefresh() {
    const int profile = context_.deviceState.currentProfile.load();
    keyboard_->UpdateProfileButtons(profile);
    RefreshKeyLooks();
    applyPending_ = false;
    SetApplyEnabled(false);
    RebuildProfileMenu();
}

void CQuorvaneDlg::OnGBankChanged() {
    const device::GBank bank = context_.link().ActiveGBank();
    keyboard_->ShowGBank(bank);
    // The G keys now stand for the other bank's entries: their marks and tooltips follow.
    // Only with a cached profile: asking the keyboard here could wait on the service's thread.
    if (context_.deviceState.currentProfile.load() >= 0) {
        RefreshKeyLooks();
    }
    Log(std::string("gbank ") + (bank == device::GBank::kB ? "B" : "A"));
}

void CQuorvaneDlg::CheckFirmware() {
    const std::uint16_t version = ReadFirmwareVersion(context_.engine());
    Log("firmware " + Hex(version, 4).toStdString());
    if (!FirmwareTooOld(version)) {
        return;
    }
    QThread::msleep(10);
    const bool ok = prompter_->OkCancel(QString::fromLatin1(kFirmwarePromptText),
                                        QString::fromLatin1(kFirmwarePromptTitle), true);
    if (ok) {
        QThread::msleep(10);
        const std::filesystem::path help = context_.paths.helpDir;
        if (UpdaterAvailable(help)) {
            const bool started = options_.hooks.startDetached(
                QString::fromStdString(UpdaterPath(help).string()),
                {QString::fromLatin1(kUpdaterArgument)}, QString::fromStdString(help.string()));
            Log(started ? "updater started" : "updater failed");
        }
    }
    tray_->Remove();
    context_.shell.trayIconId.store(0);
    Log("firmware-exit");
    options_.hooks.endProcess(0);
}

void CQuorvaneDlg::ShowWindowFromShell() {
    if (!context_.shell.DevicePresent()) {
        Log("no-device-prompt");
        prompter_->Message(QString::fromStdString(context_.Text("MAIN_NO_DEVICE_PROMPT")),
                           QString());
        return;
    }
    showNormal();
    raise();
    activateWindow();
    if (!previewTimer_.isActive()) {
        previewTimer_.start(50);
    }
    Log("shown");
}

void CQuorvaneDlg::HideWindow() {
    hide();
    previewTimer_.stop();
    Log("hidden");
}

void CQuorvaneDlg::Shutdown() {
    if (quitDone_) {
        return;
    }
    quitDone_ = true;
    context_.shell.quitting.store(true);
    // Device threads waiting for the window are released before they are waited for.
    messages_.Cancel();
    if (presence_) {
        presence_->Stop();
    }
    if (job_.joinable()) {
        job_.join();
        qApp->removeEventFilter(this);
    }
    context_.CloseKeyboard();
}

void CQuorvaneDlg::Quit() {
    if (quitDone_) {
        return;
    }
    HideWindow();
    CloseEditors();
    tray_->Remove();
    context_.shell.trayIconId.store(0);
    applyPending_ = false;
    SetApplyEnabled(false);
    Shutdown();
    {
        auto lock = context_.store.working.Lock();
        context_.store.working.ReleaseWorkingStrings();
        context_.store.working.ReleaseWorkingMacros();
        context_.store.working.ReleaseWorkingImage();
    }
    {
        auto lock = context_.store.snapshot.Lock();
        context_.store.snapshot.ReleaseSnapshotMacros();
        context_.store.snapshot.ReleaseSnapshotImage();
    }
    Log("quit");
    options_.hooks.quitApplication();
}

void CQuorvaneDlg::Relabel(int languageIndex) {
    if (about_) {
        about_->Relabel(languageIndex);
    }
    LanguageTables& language = context_.language;
    auto text = [&](const char* key) {
        return QString::fromStdString(language.LangText(key, languageIndex));
    };
    Button(kIdHelp)->SetTooltip(text("MAIN_HELP_PROMPT"), true);
    Button(kIdMinimize)->SetTooltip(text("MAIN_MINIMIZE_PROMPT"), true);
    Button(kIdMenu)->SetTooltip(text("MAIN_MENU_PROMPT"), true);
    Button(kIdClose)->SetTooltip(text("MAIN_CLOSE_PROMPT"), true);
    panel_->Relabel(language, languageIndex);
    LabelViewSwitch();
    const std::pair<int, const char*> captions[] = {
        {KeyboardView::kIdProfile1, "PROFILE_1"},
        {KeyboardView::kIdProfile1 + 1, "PROFILE_2"},
        {KeyboardView::kIdProfile1 + 2, "PROFILE_3"},
        {kIdMacro, "PROFILE_MACRO"},
        {KeyboardView::kIdDefaults, "PROFILE_DEFAULT"},
        {kIdOk, "PROFILE_OK"},
        {kIdCancel, "PROFILE_CANCLE"},
        {kIdApply, "PROFILE_APPLY"},
    };
    for (const auto& [id, key] : captions) {
        CPngButton* button = Button(id);
        button->setText(text(key));
        button->SetCaptionStyle(true, id == kIdApply ? 10 : 9, QStringLiteral("Arial Unicode MS"),
                                Qt::white, Qt::white, Qt::white, QColor(0x7F, 0x7F, 0x7F),
                                Qt::white);
    }
    emit relabelled(languageIndex);
}

void CQuorvaneDlg::ShowText(std::string_view languageKey, std::string_view argument) {
    const std::string text = FormatText(context_.Text(languageKey), argument);
    Log("message-box " + std::string(languageKey));
    prompter_->Message(QString::fromStdString(text), QString());
}

void CQuorvaneDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // never closes or confirms the window
            return;
        case Qt::Key_F1:
            OnCommand(kIdHelp);
            return;
        default:
            CBaseDialog::keyPressEvent(event);
    }
}

void CQuorvaneDlg::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    CBaseDialog::keyReleaseEvent(event);
}

void CQuorvaneDlg::closeEvent(QCloseEvent* event) {
    // The window's close command hides it, as Cancel does; only Quit ends the program.
    event->ignore();
    OnCommand(kIdCancel);
}

void CQuorvaneDlg::reject() {
    OnCommand(kIdCancel);
}

bool CQuorvaneDlg::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool input = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick || type == QEvent::KeyPress ||
                       type == QEvent::KeyRelease || type == QEvent::Wheel ||
                       type == QEvent::ShortcutOverride;
    if (input && job_.joinable()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && (widget == this || isAncestorOf(widget))) {
            return true;  // the window ignores input while device work runs
        }
    }
    if (panel_ != nullptr && watched == &panel_->EffectList() &&
        (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
            key == Qt::Key_Right) {
            return true;
        }
    }
    return CBaseDialog::eventFilter(watched, event);
}

}  // namespace q804
