#include "app/application.h"

#include <unistd.h>

#include <QApplication>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "app/context/app_context.h"
#include "app/context/command_line.h"
#include "app/context/instance_channel.h"
#include "app/context/shell_messages.h"
#include "app/instance_server.h"
#include "ui/main/main_window.h"

namespace q804 {

namespace {

// "/Kill" waits until the running instance has carried the quit out; an instance busy with
// a long upload may take a while.
constexpr std::chrono::seconds kHandOverTimeout{30};

void Warn(const std::string& text) {
    std::fprintf(stderr, "q804-config: %s\n", text.c_str());
}

// The companion daemon is outside the configurator: started when it is there, its outcome
// not examined.
void StartCompanionDaemon(const std::filesystem::path& daemon) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(daemon, ec) && ::access(daemon.c_str(), X_OK) == 0) {
        (void)QProcess::startDetached(QString::fromStdString(daemon.string()), {});
    }
}

}  // namespace

int CQuorvaneApp::Run(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartOptions options = ParseCommandLine(arguments);
    const unsigned userId = ::geteuid();
    const InstancePaths instance = InstancePathsFor(userId, std::getenv("XDG_RUNTIME_DIR"));

    if (options.kill) {
        // Whether or not an instance answered, this process ends here.
        (void)DeliverToRunningInstance(instance.socket, userId, {shell::kMsgQuit, shell::kCodeKill},
                                       kHandOverTimeout);
        return 0;
    }
    InstanceLock lock;
    std::string why;
    const InstanceLock::Outcome outcome = lock.TryAcquire(instance.lockFile, &why);
    if (outcome == InstanceLock::Outcome::kHeld) {
        // Another instance runs: it opens its window; this one starts nothing.
        (void)DeliverToRunningInstance(instance.socket, userId,
                                       {shell::kMsgOpenOrVersion, shell::kCodeOpen},
                                       kHandOverTimeout);
        return 0;
    }
    if (outcome == InstanceLock::Outcome::kUnavailable) {
        Warn(why + "; running without the single-instance hand-over");
    }

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("q804-config"));

    ContextOptions contextOptions;
    contextOptions.executable = CurrentExecutablePath();
    contextOptions.simulate = options.simulate;
    contextOptions.stateFile = options.stateFile;
    ApplicationContext context(std::move(contextOptions));
    context.log.Write("start");
    if (options.start) {
        context.shell.autoOpenDone.store(1);
    }
    StartCompanionDaemon(context.paths.daemonPath);

    InstanceServer* serverRef = nullptr;
    MainWindowOptions windowOptions;
    windowOptions.hooks.endProcess = [&serverRef, &context](int code) {
        if (serverRef != nullptr) {
            serverRef->Close();  // the next start needs no stale-socket recovery
        }
        context.log.Write("exit " + std::to_string(code));
        std::fflush(nullptr);
        std::_Exit(code);
    };
    PaintHookRegistry paintHooks;
    CQuorvaneDlg window(context, paintHooks, std::move(windowOptions));
    InstanceServer server(instance.socket, userId, [&window](const InstanceRequest& request) {
        window.Messages().Send(request.message, request.param);
    });
    serverRef = &server;
    if (outcome == InstanceLock::Outcome::kAcquired) {
        if (server.Listen(&why)) {
            context.log.Write("listening " + instance.socket.string());
        } else {
            Warn(why + "; running without the single-instance hand-over");
        }
    }
    if (Status ready = window.Init(); !ready) {
        // The keyboard service or the skin is unusable: the program ends quietly.
        Warn(ready.error().message);
        context.log.Write("init failed");
        return 0;
    }
    app.exec();
    server.Close();
    context.log.Write("exit 0");
    return 0;
}

}  // namespace q804
