// q804-skinshot: renders one skinned dialog, with its controls placed from its layout
// file, offscreen into a PNG file, for reviews of the skin.
//
//   q804-skinshot <skin folder> main|composite|profile <out.png>
//                 [--effect N] [--panel-off] [--page 2|4|7|8] [--lang Lang0409.ini]
//                 [--crop x,y,w,h]

#include <QApplication>
#include <QRect>
#include <QString>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/skingen/skin_preview.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: q804-skinshot <skin folder> main|composite|profile <out.png> "
                     "[--effect N] [--panel-off] [--page N] [--lang FILE] [--crop x,y,w,h]\n");
        return 2;
    }
    using namespace q804::skingen;
    PreviewOptions options;
    options.skinDir = argv[1];
    options.languageFile = options.skinDir.parent_path() / "Lang0409.ini";
    std::string which = argv[2];
    QRect crop;
    for (int i = 4; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--effect" && i + 1 < argc) {
            options.effect = std::atoi(argv[++i]);
        } else if (arg == "--page" && i + 1 < argc) {
            options.editorPage = std::atoi(argv[++i]);
        } else if (arg == "--lang" && i + 1 < argc) {
            options.languageFile = argv[++i];
        } else if (arg == "--crop" && i + 1 < argc) {
            int x = 0;
            int y = 0;
            int w = 0;
            int h = 0;
            if (std::sscanf(argv[++i], "%d,%d,%d,%d", &x, &y, &w, &h) != 4 || w <= 0 || h <= 0) {
                std::fprintf(stderr, "q804-skinshot: --crop wants x,y,w,h\n");
                return 2;
            }
            crop = QRect(x, y, w, h);
        } else if (arg == "--panel-off") {
            options.lightingView = false;
        } else {
            std::fprintf(stderr, "q804-skinshot: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    PreviewDialog dialog = which == "composite" ? PreviewDialog::kComposite
                           : which == "profile" ? PreviewDialog::kProfile
                                                : PreviewDialog::kMain;
    q804::PaintHookRegistry hooks;
    auto built = BuildPreview(dialog, options, hooks);
    if (!built) {
        std::fprintf(stderr, "q804-skinshot: %s\n", built.error().message.c_str());
        return 1;
    }
    QImage shot = RenderPreview(*built.value());
    if (crop.isValid()) {
        shot = shot.copy(crop);
    }
    if (!shot.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "q804-skinshot: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
