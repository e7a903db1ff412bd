#include "ui/skin/skin_dialog.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

#include "ui/skin/png_button.h"
#include "ui/skin/skin_place.h"
#include "ui/skin/skin_style.h"

namespace q804 {

QRegion ShapeOfPicture(const QImage& picture) {
    if (picture.isNull()) {
        return QRegion();
    }
    QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    // The mask marks the white pixels; a bitmap region holds the unmarked ones.
    QImage white = opaque.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(white));
}

CBaseDialog::CBaseDialog(std::filesystem::path skinDir, std::string skinFile, QWidget* parent,
                         Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::FramelessWindowHint),
      skinDir_(std::move(skinDir)),
      skinFile_(std::move(skinFile)) {
    // The background picture covers the whole window; nothing is erased under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setStyleSheet(style::DarkControlStyleSheet());
}

Status CBaseDialog::InitSkin() {
    skin_ = SkinLayout::ReadOrEmpty(skinDir_ / skinFile_);
    std::string backgroundName = skin_.BackgroundPicture();
    std::string shapeName = skin_.MaskPicture();
    if (!IsPlainPictureName(backgroundName)) {
        return Error{"no usable background picture in " + (skinDir_ / skinFile_).string()};
    }
    if (!IsPlainPictureName(shapeName)) {
        return Error{"no usable shape picture in " + (skinDir_ / skinFile_).string()};
    }
    auto background = LoadSkinPicture(skinDir_ / backgroundName);
    if (!background) {
        return background.error();
    }
    auto shape = shapeName == backgroundName ? background : LoadSkinPicture(skinDir_ / shapeName);
    if (!shape) {
        return shape.error();
    }
    background_ = background.value().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    shape_ = shape.value();
    setFixedSize(background_.size());
    setMask(ShapeOfPicture(shape_));
    update();
    return Status::Ok();
}

void CBaseDialog::ReleaseSkin() {
    background_ = QImage();
    shape_ = QImage();
}

ImageSet CBaseDialog::LoadImageSet(const ImageSetNames& names) const {
    return q804::LoadImageSet(skinDir_, names, ClientSize());
}

QImage CBaseDialog::LoadStatePicture(std::string_view name) const {
    return MakeStatePicture(skinDir_ / std::string(name), ClientSize());
}

void CBaseDialog::PlaceFromSkin(QWidget& control, std::string_view key) const {
    q804::PlaceFromSkin(control, skin_, key);
}

void CBaseDialog::PlaceSkinnedButton(CPngButton& button, std::string_view key,
                                     const ImageSet& pictures) const {
    q804::PlaceSkinnedButton(button, skin_, key, pictures);
}

void CBaseDialog::MoveFromSkin(QWidget& control, std::string_view key) const {
    q804::MoveFromSkin(control, skin_, key);
}

void CBaseDialog::PlacePicture(CPngButton& button, std::string_view key, std::string_view key2,
                               const QImage& picture) const {
    q804::PlacePicture(button, skin_, key, key2, picture);
}

void CBaseDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) {
        painter.drawImage(0, 0, background_);
    } else {
        painter.fillRect(rect(), QColor::fromRgb(style::kWindowBase));
    }
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
    // A press on the dialog's own surface (controls take their own presses) moves the
    // window, as a title bar would.
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    QWindow* window = windowHandle();
    if (window != nullptr && window->startSystemMove()) {
        return;
    }
    // No window manager move: follow the mouse ourselves.
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

void CBaseDialog::done(int result) {
    QDialog::done(result);
    ReleaseSkin();
}

}  // namespace q804
