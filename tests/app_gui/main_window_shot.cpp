// q804-config-shot: renders the main window as it opens when the simulated keyboard
// arrives, offscreen, into a PNG file (the screenshot in docs/screenshots).
//   q804-config-shot <out.png>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest/QTest>
#include <cstdio>

#include "tests/app_gui/window_rig.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: q804-config-shot <out.png>\n");
        return 2;
    }
    q804::testing::WindowRig rig;
    if (!rig.window->Init()) {
        std::fprintf(stderr, "q804-config-shot: the window did not start\n");
        return 1;
    }
    if (!rig.WaitFor([&] { return rig.window->isVisible() && !rig.window->Busy(); })) {
        std::fprintf(stderr, "q804-config-shot: the window did not open\n");
        return 1;
    }
    QTest::qWait(300);  // the busy picture's delayed hide and the last repaints
    // Outside the window's shape the desktop shows through.
    QImage window = rig.window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage shot(window.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    QPainter painter(&shot);
    const QRegion shape = rig.window->mask();
    painter.setClipRegion(shape.isEmpty() ? QRegion(window.rect()) : shape);
    painter.drawImage(0, 0, window);
    painter.end();
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "q804-config-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
