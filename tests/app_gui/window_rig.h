#pragma once

// The main window on a simulated keyboard, with recorders in place of the desktop: message
// boxes and file dialogs answer from the test, the notification area is a fake that always
// exists, and ending the process is only recorded. Every folder lies in a temporary folder.

#include <QApplication>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/context/app_context.h"
#include "device/sim/simulated_keyboard.h"
#include "tests/support/temp_dir.h"
#include "ui/main/main_window.h"

namespace q804::testing {

QApplication& GuiApp();

class FakePrompter : public Prompter {
  public:
    void Message(const QString& text, const QString& title) override;
    bool OkCancel(const QString& text, const QString& title, bool english) override;
    bool YesNo(const QString& text) override;
    QString OpenFile(const QString& filter) override;
    QString SaveFile(const QString& filter, const QString& defaultSuffix) override;

    bool HasMessage(const QString& text) const { return messages.contains(text); }

    QStringList messages;
    QStringList okCancelPrompts;  // "title|text"
    bool okCancelAnswer = false;
    bool yesNoAnswer = false;
    QString fileToOpen;
    QString fileToSave;
};

class FakeTray : public TrayHost {
  public:
    bool Create(int iconId, const QString& tooltip) override;
    void SetIcon(int iconId) override { icons.push_back(iconId); }
    void Remove() override { shown = false; }
    bool IsShown() const override { return shown; }
    void SetMenu(CTrayIcon::MenuBuilder builder, CTrayIcon::CommandHandler handler,
                 std::function<void()> beforeMenu) override;

    int Icon() const { return icons.empty() ? 0 : icons.back(); }
    // The user picks a menu item (or double-clicks: the first item).
    void Choose(int command) { handler_(command); }
    // The texts of the menu as it would show now.
    QStringList MenuTexts();

    bool shown = false;
    QString tooltip;
    std::vector<int> icons;

  private:
    CTrayIcon::MenuBuilder builder_;
    CTrayIcon::CommandHandler handler_;
};

struct RigOptions {
    device::sim::SimulatedKeyboardConfig keyboard;
    bool plugged = true;
    bool startHidden = false;  // "/Start"

    static RigOptions StartHidden() {
        RigOptions options;
        options.startHidden = true;
        return options;
    }
    static RigOptions Unplugged() {
        RigOptions options;
        options.plugged = false;
        return options;
    }
};

class WindowRig {
  public:
    explicit WindowRig(const RigOptions& options = {});
    ~WindowRig();

    // Init must succeed; the test then waits for what it needs.
    void Init();
    // The window finished its start: icon shown and the presence handler's first run done.
    bool WaitReady(int timeoutMs = 10000);
    bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
    QString Text(const char* key) { return QString::fromStdString(context->Text(key)); }

    TempDir dir;
    std::map<std::string, std::string> environment;
    device::sim::SimulatedKeyboard* keyboard = nullptr;
    std::unique_ptr<ApplicationContext> context;
    PaintHookRegistry paintHooks;
    FakePrompter prompter;
    FakeTray tray;
    std::vector<int> exitCodes;
    std::vector<bool> trayShownAtExit;
    int quitCalls = 0;
    std::vector<QStringList> launched;  // program, arguments..., "cwd=" + working folder
    std::vector<QUrl> opened;
    std::unique_ptr<CQuorvaneDlg> window;
};

}  // namespace q804::testing
