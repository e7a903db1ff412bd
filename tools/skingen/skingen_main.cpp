// Build-time skin generator: paints every skin picture and writes the three layout files
// into the folder given on the command line. It needs no display: it always runs on Qt's
// offscreen platform.

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <string>

#include "tools/skingen/panel_bitmaps.h"
#include "tools/skingen/skin_painter.h"
#include "tools/skingen/skin_table.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804::skingen {
namespace {

// JPEG pictures are cut into small pieces and shown beside each other, so they are written
// at a quality where block edges and captions stay clean.
constexpr int kJpegQuality = 95;

bool IsBlackAndWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            if (pixel != 0 && pixel != 0xFFFFFF) {
                return false;
            }
        }
    }
    return true;
}

class Writer {
  public:
    explicit Writer(QDir dir) : dir_(std::move(dir)) {}

    void Picture(std::string_view name, const QImage& image) {
        QString path = dir_.filePath(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
        QSaveFile file(path);
        bool ok = file.open(QIODevice::WriteOnly);
        if (ok) {
            QImageWriter writer(&file, path.endsWith(QLatin1String(".jpg")) ? "jpeg" : "bmp");
            if (path.endsWith(QLatin1String(".jpg"))) {
                writer.setQuality(kJpegQuality);
            }
            QImage out = image;
            if (path.endsWith(QLatin1String(".bmp"))) {
                // Shape pictures hold only black and white: one bit a pixel is plenty.
                out = image.allGray() && IsBlackAndWhite(image)
                          ? image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                          : image.convertToFormat(QImage::Format_RGB888);
            }
            ok = writer.write(out) && file.commit();
        }
        Count(ok, path);
    }

    void Text(const std::string& name, const std::string& text) {
        QString path = dir_.filePath(QString::fromStdString(name));
        QSaveFile file(path);
        bool ok = file.open(QIODevice::WriteOnly) &&
                  file.write(text.data(), static_cast<qint64>(text.size())) ==
                      static_cast<qint64>(text.size()) &&
                  file.commit();
        Count(ok, path);
    }

    int written() const { return written_; }
    int failed() const { return failed_; }

  private:
    void Count(bool ok, const QString& path) {
        if (ok) {
            ++written_;
        } else {
            ++failed_;
            std::fprintf(stderr, "q804-skingen: cannot write %s\n", qPrintable(path));
        }
    }

    QDir dir_;
    int written_ = 0;
    int failed_ = 0;
};

void WriteDialog(Writer& out, const DialogLayout& d) {
    out.Text(d.file, LayoutFileText(d));
    out.Picture(d.background, PaintBackground(d));
    out.Picture(d.mask, PaintMask(d));
}

void WriteSet(Writer& out, const DialogLayout& d, int set, const ImageSetNames& names,
              bool ownDisabled) {
    out.Picture(names.normal, PaintStatePicture(d, set, Look::kNormal));
    out.Picture(names.hover, PaintStatePicture(d, set, Look::kHover));
    out.Picture(names.pressed, PaintStatePicture(d, set, Look::kPressed));
    if (ownDisabled) {
        out.Picture(names.disabled, PaintStatePicture(d, set, Look::kDisabled));
    }
}

int Run(const QString& folder) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "q804-skingen: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    Writer out(dir);
    const DialogLayout& main = MainLayout();
    WriteDialog(out, main);
    WriteSet(out, main, kSetMain, kMainImageSet, true);
    out.Picture(kMainArrowPicture, PaintArrowSheet(main));
    out.Picture(kMainColourUnselectedPicture, PaintStatePicture(main, kSetMain, Look::kColourOff));
    out.Picture(kMainColourSelectedPicture, PaintStatePicture(main, kSetMain, Look::kColourOn));

    const DialogLayout& editor = CompositeLayout();
    WriteDialog(out, editor);
    WriteSet(out, editor, kSetKey, kKeyImageSet, false);
    WriteSet(out, editor, kSetMacro, kMacroImageSet, true);
    WriteSet(out, editor, kSetMacro2, kMacro2ImageSet, true);
    WriteSet(out, editor, kSetMedia, kMediaImageSet, false);
    WriteSet(out, editor, kSetFunction, kFunctionImageSet, false);

    const DialogLayout& profile = ProfileLayout();
    WriteDialog(out, profile);
    WriteSet(out, profile, kSetMain, kProfileImageSet, false);

    for (const auto& [name, image] : PaintPanelBitmaps()) {
        out.Picture(name, image);
    }
    std::printf("q804-skingen: %d files in %s\n", out.written(), qPrintable(folder));
    return out.failed() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace q804::skingen

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: q804-skingen <skin folder>\n");
        return 2;
    }
    return q804::skingen::Run(QString::fromLocal8Bit(argv[1]));
}
