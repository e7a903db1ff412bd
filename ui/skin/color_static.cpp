#include "ui/skin/color_static.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "ui/skin/skin_style.h"

namespace q804 {

ColorStatic::ColorStatic(QWidget* parent)
    : QWidget(parent), colour_(QColor::fromRgb(style::kStaticText)) {
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void ColorStatic::SetText(const QString& text) {
    text_ = text;
    update();
}

void ColorStatic::SetTextColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColorStatic::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void ColorStatic::SetFontFace(const QString& face, double points, bool bold) {
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * logicalDpiY() / 72.0))));
    font.setBold(bold);
    setFont(font);
    update();
}

void ColorStatic::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ColorStatic::SetClickable(bool clickable) {
    clickable_ = clickable;
    setAttribute(Qt::WA_TransparentForMouseEvents, !clickable);
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void ColorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.drawImage(0, 0, picture_);
    }
    if (!text_.isEmpty()) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen(colour_);
        painter.drawText(rect(), static_cast<int>(alignment_) | Qt::TextWordWrap, text_);
    }
}

void ColorStatic::mousePressEvent(QMouseEvent* event) {
    if (clickable_ && event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ColorStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (clickable_ && pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace q804
