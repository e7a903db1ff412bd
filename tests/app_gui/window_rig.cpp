#include "tests/app_gui/window_rig.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QtTest/QTest>

#include "tests/support/keyboard_rig.h"
#include "ui/skin/skin_menu.h"

namespace q804::testing {

namespace {

int argc = 1;
char name[] = "app_gui_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> app;

class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QApplication>(argc, argv);
        app->setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { app.reset(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

QApplication& GuiApp() {
    return *app;
}

void FakePrompter::Message(const QString& text, const QString&) {
    messages.push_back(text);
}

bool FakePrompter::OkCancel(const QString& text, const QString& title, bool) {
    okCancelPrompts.push_back(title + "|" + text);
    return okCancelAnswer;
}

bool FakePrompter::YesNo(const QString& text) {
    messages.push_back(text);
    return yesNoAnswer;
}

QString FakePrompter::OpenFile(const QString&) {
    return fileToOpen;
}

QString FakePrompter::SaveFile(const QString&, const QString&) {
    return fileToSave;
}

bool FakeTray::Create(int iconId, const QString& text) {
    shown = true;
    tooltip = text;
    icons.push_back(iconId);
    return true;
}

void FakeTray::SetMenu(CTrayIcon::MenuBuilder builder, CTrayIcon::CommandHandler handler,
                       std::function<void()>) {
    builder_ = std::move(builder);
    handler_ = std::move(handler);
}

QStringList FakeTray::MenuTexts() {
    QMenu menu;
    builder_(menu);
    QStringList texts;
    for (QAction* action : menu.actions()) {
        texts.push_back(action->text());
    }
    return texts;
}

WindowRig::WindowRig(const RigOptions& options) {
    environment = {{"HOME", (dir / "home").string()},
                   {"XDG_DATA_HOME", (dir / "data").string()},
                   {"XDG_CONFIG_HOME", (dir / "config").string()},
                   {"LANG", "en_US.UTF-8"}};
    auto created = device::sim::SimulatedKeyboard::Create(options.keyboard);
    EXPECT_TRUE(created) << (created ? "" : created.error().message);
    keyboard = created.value().get();
    if (!options.plugged) {
        keyboard->Unplug();
    }
    ContextOptions contextOptions;
    contextOptions.executable = std::filesystem::path(Q804_RUNTIME_DIR) / "q804-config";
    contextOptions.getenv = [this](const char* variable) -> const char* {
        auto it = environment.find(variable);
        return it == environment.end() ? nullptr : it->second.c_str();
    };
    contextOptions.timing = FastTiming();
    contextOptions.simulator = keyboard;
    contextOptions.service = std::move(created).value();
    context = std::make_unique<ApplicationContext>(std::move(contextOptions));
    if (options.startHidden) {
        context->shell.autoOpenDone = 1;
    }
    MainWindowOptions windowOptions;
    windowOptions.prompter = &prompter;
    windowOptions.tray = &tray;
    windowOptions.presenceTiming.initPoll = std::chrono::milliseconds(5);
    windowOptions.hooks.endProcess = [this](int code) {
        exitCodes.push_back(code);
        trayShownAtExit.push_back(tray.shown);
    };
    windowOptions.hooks.quitApplication = [this] { ++quitCalls; };
    windowOptions.hooks.startDetached = [this](const QString& program, const QStringList& args,
                                               const QString& cwd) {
        launched.push_back(QStringList{program} + args + QStringList{"cwd=" + cwd});
        return true;
    };
    windowOptions.hooks.openUrl = [this](const QUrl& url) { opened.push_back(url); };
    window = std::make_unique<CQuorvaneDlg>(*context, paintHooks, std::move(windowOptions));
}

WindowRig::~WindowRig() {
    window.reset();
    context.reset();
}

void WindowRig::Init() {
    Status ready = window->Init();
    ASSERT_TRUE(ready) << ready.error().message;
}

bool WindowRig::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

bool WindowRig::WaitReady(int timeoutMs) {
    return WaitFor(
        [this] {
            return context->shell.initDone == 1 &&
                   context->shell.deviceCount == (keyboard->IsPlugged() ? 1 : 0) &&
                   context->shell.autoOpenDone == 1 && !window->Busy();
        },
        timeoutMs);
}

}  // namespace q804::testing
