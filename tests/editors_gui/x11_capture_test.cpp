// Real key events: an X server (Xvfb) with keys typed by xdotool reach the open editor and
// are captured as the keys they are. Run by run_under_xvfb.sh.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "tests/editors_gui/editor_fixture.h"

namespace q804 {
namespace {

constexpr model::KeyButtonId kKeyA = 1058;
constexpr int kWaitMs = 3000;

// Counts the repeats the X server generates for a held key, wherever they go.
class RepeatCounter : public QObject {
  public:
    RepeatCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~RepeatCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    int repeats = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWindowType() &&
            static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            ++repeats;
        }
        return false;
    }
};

class X11Capture : public testing::EditorFixture {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run through run_under_xvfb.sh)";
        }
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        ShowFor(kKeyA);
        Dialog().raise();
        Dialog().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog(), kWaitMs));
        ASSERT_TRUE(Dialog().CapturingKeys());
    }

    // Runs xdotool and keeps the event loop going until it has finished.
    void Xdotool(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("xdotool"), arguments);
        ASSERT_TRUE(process.waitForStarted(kWaitMs));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kWaitMs * 3));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
};

TEST_F(X11Capture, RealKeysAreCapturedAsTheKeysTheyAre) {
    struct Case {
        const char* keysym;
        model::KeyCode code;
    };
    // In this order each capture differs from the one before.
    const Case cases[] = {
        {"a", 0x01E},       {"Insert", 0x152}, {"KP_Insert", 0x052},
        {"Shift_R", 0x036}, {"Pause", 0x045},  {"Print", 0x137},
        {"Super_L", 0x15B}, {"KP_End", 0x04F}, {"Control_R", 0x11D},
    };
    for (const auto& c : cases) {
        Xdotool({QStringLiteral("key"), QString::fromLatin1(c.keysym)});
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Dialog().Editor().capturedCode() == c.code; }, kWaitMs))
            << c.keysym << ": captured 0x" << std::hex << Dialog().Editor().capturedCode();
        EXPECT_TRUE(Dialog().isVisible()) << c.keysym;
    }
}

TEST_F(X11Capture, AHeldKeyIsCapturedOnce) {
    int captures = 0;
    QObject::connect(&Dialog(), &Quorvane_DlgComposite::keyCaptured, [&] { ++captures; });
    RepeatCounter counter;
    Xdotool({QStringLiteral("keydown"), QStringLiteral("b")});
    QTest::qWait(1200);  // longer than the X server's delay before repeating
    Xdotool({QStringLiteral("keyup"), QStringLiteral("b")});
    QTest::qWait(200);
    ASSERT_GT(counter.repeats, 0) << "the X server did not repeat the held key";
    EXPECT_EQ(captures, 1);
    EXPECT_EQ(Dialog().Editor().capturedCode(), 0x030);
}

}  // namespace
}  // namespace q804
