// editor_screenshots <folder>: renders the assignment editor's pages offscreen, each as the
// simulated keyboard and the English texts fill it, into editor-single-key.png,
// editor-macro.png, editor-media.png, editor-function.png and, opened from the macro-edit
// button, editor-macro-manager.png.

#include <QApplication>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/settings.h"
#include "lang/language.h"
#include "model/assignment_store.h"
#include "model/device_state.h"
#include "tests/support/keyboard_rig.h"
#include "tests/support/temp_dir.h"
#include "ui/editors/composite_dialog.h"

namespace {

using namespace q804;

QImage Render(QWidget& dialog) {
    QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QRegion shape = dialog.mask();
    if (shape.isEmpty()) {
        return shot;
    }
    QImage outside(shot.size(), QImage::Format_ARGB32);
    outside.fill(Qt::transparent);
    QPainter painter(&outside);
    painter.setClipRegion(shape);
    painter.drawImage(0, 0, shot);
    return outside;
}

model::MacroRecord Macro(std::uint16_t id, const char16_t* name, std::uint8_t loops) {
    model::MacroRecord macro;
    macro.setId(id);
    macro.setName(name);
    macro.setLoopCount(loops);
    model::MacroAction actions[] = {{32, 0x01D, 0}, {48, 0x02E, 0}, {20, 0x02E, 1}, {120, 0x01D, 1},
                                    {30, 0x01D, 0}, {52, 0x02F, 0}, {24, 0x02F, 1}, {0, 0x01D, 1}};
    macro.setActions(actions);
    return macro;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_screenshots <folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    testing::TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");
    LanguageTables language(Q804_RUNTIME_DIR, settings, 0x0409);
    testing::KeyboardRig rig;
    model::DeviceState state;
    model::AssignmentStore store;
    store.InstallNewDefaultStore();
    store.working.macros().push_back(Macro(1, u"Copy and paste", 1));
    store.working.macros().push_back(Macro(2, u"Build and run", 3));
    PaintHookRegistry hooks;

    auto entry = [&](std::uint16_t type, std::uint32_t value) {
        model::AssignmentEntry e;
        e.type = type;
        e.value = value;
        store.working.SetEntry(0, 0x3A, e);  // Caps Lock
    };
    EditorServices services{.store = store,
                            .deviceState = state,
                            .engine = *rig.engine,
                            .language = language,
                            .paintHooks = hooks,
                            .skinDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Skins",
                            .helpDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Help"};
    services.findOnScreenKeyboard = [] { return QStringLiteral("/usr/bin/onboard"); };
    Quorvane_DlgComposite dialog(services);

    struct Shot {
        const char* file;
        std::uint16_t type;
        std::uint32_t value;
        model::KeyButtonId button;
    };
    const Shot shots[] = {
        {"editor-single-key.png", 2, 0x15C, 1069},  // Caps Lock as Right Win
        {"editor-macro.png", 4, 2, 1069},          {"editor-media.png", 7, 1, 1069},  // Play/Pause
        {"editor-function.png", 8, 8, 1069},       {"editor-macro-manager.png", 0, 0, 1143},
    };
    for (const Shot& shot : shots) {
        entry(shot.type, shot.value);
        if (dialog.PrepareOpen(shot.button) != Quorvane_DlgComposite::kReady) {
            std::fprintf(stderr, "editor_screenshots: the editor did not open\n");
            return 1;
        }
        dialog.show();
        QApplication::processEvents();
        const std::filesystem::path file = out / shot.file;
        if (!Render(dialog).save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "editor_screenshots: cannot write %s\n", file.c_str());
            return 1;
        }
        dialog.CloseIfOpen();
    }
    return 0;
}
