#include "ui/skin/skin_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <map>
#include <string>

#include "common/file_io.h"

namespace q804 {

Result<QImage> LoadSkinPicture(const std::filesystem::path& file) {
    // Reading through ReadRegularFile refuses folders, FIFOs and devices up front, so a bad
    // name can never block the program on a stream.
    auto bytes = ReadRegularFile(file, kMaxSkinPictureBytes);
    if (!bytes) {
        return bytes.error();
    }
    if (bytes.value().empty()) {
        return Error{"empty picture file: " + file.string()};
    }
    QByteArray data(reinterpret_cast<const char*>(bytes.value().data()),
                    static_cast<qsizetype>(bytes.value().size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > kMaxSkinPictureSide || size.height() > kMaxSkinPictureSide)) {
        return Error{"picture too large: " + file.string()};
    }
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return Error{"not a picture: " + file.string() + " (" + reader.errorString().toStdString() +
                     ")"};
    }
    if (image.width() > kMaxSkinPictureSide || image.height() > kMaxSkinPictureSide) {
        return Error{"picture too large: " + file.string()};
    }
    return image;
}

QImage MakeStatePicture(const std::filesystem::path& file, QSize clientSize) {
    QSize canvasSize = clientSize.expandedTo(QSize(0, 0)) +
                       QSize(2 * kStatePictureMargin, 2 * kStatePictureMargin);
    QImage canvas(canvasSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    auto picture = LoadSkinPicture(file);
    if (picture) {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture.value());
    }
    return canvas;
}

ImageSet LoadImageSet(const std::filesystem::path& skinDir, const ImageSetNames& names,
                      QSize clientSize) {
    std::map<std::string_view, QImage> loaded;
    auto get = [&](std::string_view name) {
        auto found = loaded.find(name);
        if (found != loaded.end()) {
            return found->second;
        }
        QImage picture = MakeStatePicture(skinDir / std::string(name), clientSize);
        loaded.emplace(name, picture);
        return picture;
    };
    ImageSet set;
    set.normal = get(names.normal);
    set.hover = get(names.hover);
    set.pressed = get(names.pressed);
    set.disabled = get(names.disabled);
    set.checked = set.disabled;
    return set;
}

}  // namespace q804
