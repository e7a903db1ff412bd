// q804-config-shot: renders the main window as it opens when the simulated keyboard
// arrives, offscreen, into a PNG file (the screenshot in docs/screenshots). With --marks a
// few keys carry assignments first, so the latched look of assigned keys shows.
//   q804-config-shot [--marks] <out.png>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest/QTest>
#include <cstdio>
#include <string_view>
#include <utility>

#include "tests/app_gui/window_rig.h"
#include "ui/editors/composite_dialog.h"

namespace {

// Caps Lock disabled, F1 and G1 on Play/Pause, in profile 0.
void AssignSomeKeys(q804::testing::WindowRig& rig) {
    using q804::model::AssignmentType;
    const std::pair<int, AssignmentType> assignments[] = {{0x3A, AssignmentType::kDisabled},
                                                          {0x3B, AssignmentType::kMedia},
                                                          {256, AssignmentType::kMedia}};
    {
        auto lock = rig.context->store.working.Lock();
        for (const auto& [slot, type] : assignments) {
            q804::model::AssignmentEntry entry = rig.context->store.working.EntryAt(0, slot);
            entry.type = static_cast<std::uint16_t>(type);
            entry.value = type == AssignmentType::kMedia ? 1 : 0;
            rig.context->store.working.SetEntry(0, slot, entry);
        }
    }
    rig.window->AssignmentEditor().RefreshAllKeyTooltips();
    rig.window->MarkChanged();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool marks = argc == 3 && std::string_view(argv[1]) == "--marks";
    if (argc != 2 && !marks) {
        std::fprintf(stderr, "usage: q804-config-shot [--marks] <out.png>\n");
        return 2;
    }
    const char* out = argv[argc - 1];
    q804::testing::WindowRig rig;
    if (!rig.window->Init()) {
        std::fprintf(stderr, "q804-config-shot: the window did not start\n");
        return 1;
    }
    if (!rig.WaitFor([&] { return rig.window->isVisible() && !rig.window->Busy(); })) {
        std::fprintf(stderr, "q804-config-shot: the window did not open\n");
        return 1;
    }
    if (marks) {
        AssignSomeKeys(rig);
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
    if (!shot.save(QString::fromLocal8Bit(out), "PNG")) {
        std::fprintf(stderr, "q804-config-shot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
