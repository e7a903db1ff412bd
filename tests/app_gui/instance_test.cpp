// The real program, started as separate processes on Qt's offscreen platform: the hand-over
// to a running instance, "/Kill", and recovery from a crashed instance's socket.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QtTest/QTest>
#include <cstring>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace q804::testing {
namespace {

constexpr int kTimeoutMs = 30000;

class InstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_ / "runtime");
        std::filesystem::permissions(dir_ / "runtime", std::filesystem::perms::owner_all);
        env_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            env_.insert(name, QString::fromStdString((dir_ / name).string()));
        }
        env_.insert("XDG_RUNTIME_DIR", Path(dir_ / "runtime"));
        env_.insert("Q804_SHELL_LOG", Path(dir_ / "shell.log"));
        env_.insert("QT_QPA_PLATFORM", "offscreen");
    }
    void TearDown() override {
        for (auto& process : running_) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(kTimeoutMs);
            }
        }
    }

    static QString Path(const std::filesystem::path& path) {
        return QString::fromStdString(path.string());
    }
    std::filesystem::path Socket() const {
        return dir_ / "runtime" / ("TR62M30C-" + std::to_string(::geteuid()));
    }

    QProcess& Start(const QStringList& arguments) {
        auto& process = running_.emplace_back(std::make_unique<QProcess>());
        process->setProcessEnvironment(env_);
        process->start(QString(Q804_RUNTIME_DIR) + "/q804-config", arguments);
        EXPECT_TRUE(process->waitForStarted(kTimeoutMs));
        return *process;
    }
    // Runs a launch that must end by itself; its exit code, or -1 when it did not end.
    int RunToEnd(const QStringList& arguments) {
        QProcess& process = Start(arguments);
        if (!process.waitForFinished(kTimeoutMs)) {
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int LogCount(const std::string& line) const {
        std::string text = ReadText(dir_ / "shell.log");
        int count = 0;
        for (std::size_t at = 0; (at = text.find(line + "\n", at)) != std::string::npos; ++at) {
            if (at == 0 || text[at - 1] == '\n') {
                ++count;
            }
        }
        return count;
    }
    bool WaitForLog(const std::string& line, int count = 1) {
        return QTest::qWaitFor([&] { return LogCount(line) >= count; }, kTimeoutMs);
    }

    TempDir dir_;
    QProcessEnvironment env_;
    std::vector<std::unique_ptr<QProcess>> running_;
};

TEST_F(InstanceTest, SecondLaunchHandsOverAndKillEndsTheFirst) {
    QProcess& first = Start({"--simulate"});
    ASSERT_TRUE(WaitForLog("tray 141"));
    const int opens = LogCount("message 5350 4F50454E");

    EXPECT_EQ(RunToEnd({"--simulate"}), 0);
    EXPECT_EQ(LogCount("message 5350 4F50454E"), opens + 1);  // handled before it ended
    EXPECT_EQ(LogCount("start"), 1);                          // nothing else started

    EXPECT_EQ(RunToEnd({"/kIlL"}), 0);
    EXPECT_EQ(LogCount("quit"), 1);  // the quit was carried out before /Kill returned
    ASSERT_TRUE(first.waitForFinished(kTimeoutMs));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(Socket()));
}

TEST_F(InstanceTest, KillWithoutARunningInstanceJustEnds) {
    EXPECT_EQ(RunToEnd({"--kill"}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "shell.log"));
}

TEST_F(InstanceTest, CrashedInstanceDoesNotBlockTheNextStart) {
    QProcess& crashed = Start({"--simulate"});
    ASSERT_TRUE(WaitForLog("tray 141"));
    ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
    ASSERT_TRUE(crashed.waitForFinished(kTimeoutMs));
    ASSERT_TRUE(std::filesystem::exists(Socket()));  // left behind

    QProcess& next = Start({"--simulate"});
    ASSERT_TRUE(WaitForLog("listening " + Socket().string(), 2));
    ASSERT_TRUE(WaitForLog("tray 141", 2));
    EXPECT_EQ(RunToEnd({"--simulate"}), 0);
    EXPECT_TRUE(WaitForLog("message 5350 4F50454E", 2));
    EXPECT_EQ(RunToEnd({"/Kill"}), 0);
    ASSERT_TRUE(next.waitForFinished(kTimeoutMs));
    EXPECT_EQ(next.exitCode(), 0);
}

TEST_F(InstanceTest, SocketNameOfAnotherUserIsNeitherUsedNorRemoved) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    // A socket of another user at our name, listening.
    const int foreign = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, Socket().c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(foreign, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(foreign, 4), 0);
    ASSERT_EQ(::chown(Socket().c_str(), 4242, 4242), 0);

    QProcess& first = Start({"--simulate"});
    first.setProcessChannelMode(QProcess::SeparateChannels);
    ASSERT_TRUE(WaitForLog("tray 141"));  // it runs, without the hand-over
    EXPECT_EQ(LogCount("listening " + Socket().string()), 0);
    EXPECT_TRUE(std::filesystem::exists(Socket()));
    // A second launch does not talk to the stranger's socket, and ends.
    EXPECT_EQ(RunToEnd({"--simulate"}), 0);
    EXPECT_EQ(LogCount("start"), 1);
    ::close(foreign);
    first.kill();
    first.waitForFinished(kTimeoutMs);
    EXPECT_TRUE(first.readAllStandardError().contains("another user"));
}

}  // namespace
}  // namespace q804::testing
