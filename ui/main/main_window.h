#pragma once

// CQuorvaneDlg: the configurator's main window. It lives hidden in the notification area,
// is the target of every custom message (other instances, the device threads, itself),
// brings the keyboard link up at initialisation, and runs Apply, backup and restore.
//
// Device work that can take long (Apply, restore) runs on a worker thread while the busy
// indicator animates and the window ignores input; its result is applied on the window's
// thread.

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "app/context/app_context.h"
#include "app/context/presence.h"
#include "ui/main/prompter.h"
#include "ui/main/tray_host.h"
#include "ui/main/window_messages.h"
#include "ui/skin/paint_hook.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_dialog.h"

namespace q804 {

class BusyIndicator;
class CAboutDlg;
class KeyboardView;
class LightingPanel;
class Quorvane_DlgComposite;

// What the window asks of the desktop and the process; tests put recorders in their place.
struct MainWindowHooks {
    // Ends the process at once (the firmware gate); the default exits with the code.
    std::function<void(int exitCode)> endProcess;
    // Ends the window's run after Quit; the default quits the application's event loop.
    std::function<void()> quitApplication;
    // Starts a program detached; false when it could not be started.
    std::function<bool(const QString& program, const QStringList& arguments,
                       const QString& workingDir)>
        startDetached;
    // Opens a document or address with the desktop's handler.
    std::function<void(const QUrl& url)> openUrl;
};

struct MainWindowOptions {
    Prompter* prompter = nullptr;  // message boxes and file dialogs; the desktop's when null
    TrayHost* tray = nullptr;      // the notification-area icon; the desktop's when null
    MainWindowHooks hooks;
    PresenceTiming presenceTiming;
};

class CQuorvaneDlg : public CBaseDialog {
    Q_OBJECT

  public:
    // Control ids of the window's own buttons.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdProfiles = 1005;
    static constexpr int kIdApply = 1006;
    static constexpr int kIdMacro = 1007;
    static constexpr int kIdDynamicMenu = 1009;
    static constexpr int kIdLink = 1121;
    static constexpr int kIdHelp = 1122;
    static constexpr int kIdMinimize = 1123;
    static constexpr int kIdClose = 1124;
    static constexpr int kIdVersion = 1134;
    static constexpr int kIdMenu = 1139;
    static constexpr int kIdWebSite = 1219;
    static constexpr int kIdSocial1 = 1220;
    static constexpr int kIdSocial2 = 1221;
    // Menu commands.
    static constexpr int kCmdOpen = 32771;
    static constexpr int kCmdAbout = 32773;
    static constexpr int kCmdExit = 32774;
    static constexpr int kCmdRestore = 32776;
    static constexpr int kCmdBackup = 32777;
    static constexpr int kCmdDefaultProfile = 9000;
    static constexpr int kCmdLastProfile = 9200;
    // The "Simulated keyboard" submenu of the tray menu (with --simulate).
    static constexpr int kCmdSimPlug = 33001;
    static constexpr int kCmdSimUnplug = 33002;
    static constexpr int kCmdSimGBank = 33003;
    static constexpr int kCmdSimLighting = 33004;
    static constexpr int kCmdSimIndicatorOn = 33005;
    static constexpr int kCmdSimIndicatorOff = 33006;
    // Timers.
    static constexpr int kReloadTimerId = 1051;
    static constexpr int kPreviewTimerId = 1052;

    CQuorvaneDlg(ApplicationContext& context, PaintHookRegistry& paintHooks,
                 MainWindowOptions options = {});
    ~CQuorvaneDlg() override;

    // Brings the keyboard link up and sets the window up. An error means the program must
    // end (no keyboard service, unusable skin); nothing is shown then.
    Status Init();

    // The custom messages.
    WindowMessages& Messages() { return messages_; }
    void HandleMessage(std::uint32_t message, std::uint32_t code, std::int64_t param);

    // Commands, as the buttons and menus give them.
    void OnCommand(int id);
    void ShowWindowFromShell();
    void Quit();
    // Apply; `then` runs on the window's thread once it ended (true: keyboard up to date).
    void Apply(std::function<void(bool ok)> then = nullptr);
    void BackupToFile();
    void RestoreFromFile();
    void OpenAbout();
    void CloseEditors();

    // The working store changed: Apply becomes possible. Editors call this.
    void MarkChanged();
    bool ApplyPending() const { return applyPending_; }
    // Device work running on the worker thread.
    bool Busy() const { return job_.joinable(); }

    // Editors the window must close on removal of the keyboard and at quit.
    void RegisterEditor(QWidget* editor);
    bool EditorOpen() const;

    // Parts, for the keyboard view's owner and for tests.
    KeyboardView& Keyboard() { return *keyboard_; }
    Quorvane_DlgComposite& AssignmentEditor() { return *editor_; }
    bool ColourSelectMode() const { return colourSelectMode_; }
    // The layout flip flag of the settings: anything but "0" counts as flipped.
    bool FlipFlag() const;
    LightingPanel& Panel() { return *panel_; }
    BusyIndicator& BusyPicture() { return *busy_; }
    CPngButton* Button(int id) const;
    CAboutDlg* AboutBox() const;
    QMenu& ProfileMenu() { return profileMenu_; }
    QMenu& BackupMenu() { return backupMenu_; }
    // Fills a tray menu as the notification area shows it.
    void BuildTrayMenu(QMenu& menu);
    TrayHost& Tray() { return *tray_; }
    const QString& LinkAddress() const { return link_; }

  signals:
    // The window was relabelled in a language; editors relabel themselves with it.
    void relabelled(int languageIndex);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Initialisation steps.
    Status BringUpDevice();
    void PlaceControls();
    void ConnectCommands();
    // Message handlers.
    void OnInitDone();
    void OnProfileRefresh();
    void OnGBankChanged();
    void CheckFirmware();
    void Relabel(int languageIndex);
    // Device notifications (service thread).
    void OnConsumerCode(std::uint16_t code);
    void SetTrayIcon(int iconId);
    // Runs work on the worker thread with the window busy; `done` gets its result on the
    // window's thread. False when a job runs already.
    bool RunJob(std::function<int()> work, std::function<void(int result)> done);
    void FinishJob(int result);
    void SetApplyEnabled(bool enabled);
    void RebuildProfileMenu();
    void SelectProfile(int profile);
    // The keyboard view and its assignment editor.
    void CreateEditor();
    void OnProfileClicked(int profile);
    void OnViewCommand(int id);
    void RestoreDefaults();
    void ToggleFlip();
    void ToggleViewSwitch();
    void LabelViewSwitch();
    void SetReportRate(int index);
    // Marks and tooltips of every key from the store, for the profile and bank shown.
    void RefreshKeyLooks();
    void ShowMenuAtCursor(QMenu& menu);
    void ShowText(std::string_view languageKey, std::string_view argument = {});
    void HideWindow();
    bool ApplySync();
    // Releases the device threads and the keyboard; the first half of Quit, also run when
    // the window goes without a Quit.
    void Shutdown();
    void Log(const std::string& line) const { context_.log.Write(line); }

    ApplicationContext& context_;
    PaintHookRegistry& paintHooks_;
    MainWindowOptions options_;
    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<TrayHost> ownTray_;
    Prompter* prompter_;
    TrayHost* tray_;

    WindowMessages messages_;
    std::unique_ptr<PresenceHandler> presence_;
    KeyboardView* keyboard_ = nullptr;
    Quorvane_DlgComposite* editor_ = nullptr;
    bool colourSelectMode_ = false;
    LightingPanel* panel_ = nullptr;
    BusyIndicator* busy_ = nullptr;
    std::map<int, CPngButton*> buttons_;
    QPointer<CAboutDlg> about_;
    std::vector<QPointer<QWidget>> editors_;
    QMenu profileMenu_;
    QMenu backupMenu_;
    QString link_;

    bool applyPending_ = false;
    bool quitDone_ = false;
    std::thread job_;
    std::function<void(int)> jobDone_;
    QTimer reloadTimer_;   // 1051
    QTimer previewTimer_;  // 1052
};

}  // namespace q804
