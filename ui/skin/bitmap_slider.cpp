#include "ui/skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/skin/skin_style.h"

namespace q804 {

CBitmapSlider::CBitmapSlider(int controlId, QWidget* parent)
    : QWidget(parent), controlId_(controlId) {
    // A click gives the focus, so that keys and the wheel reach the slider afterwards.
    setFocusPolicy(Qt::ClickFocus);
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = Clamp(position_);
    update();
}

void CBitmapSlider::SetPageSize(int page) {
    page_ = std::max(1, page);
}

void CBitmapSlider::SetPosition(int position) {
    position_ = Clamp(position);
    update();
}

void CBitmapSlider::SetFacePictures(std::vector<QImage> pictures) {
    faces_ = std::move(pictures);
    update();
}

void CBitmapSlider::SetThumbPicture(const QImage& thumb, const QImage& channel) {
    thumb_ = thumb;
    channel_ = channel;
    update();
}

void CBitmapSlider::SetMargin(int margin) {
    margin_ = margin;
    update();
}

int CBitmapSlider::Margin() const {
    if (margin_ >= 0) {
        return margin_;
    }
    if (!thumb_.isNull() && faces_.empty()) {
        return thumb_.width() / 2;
    }
    return height() / 2;
}

int CBitmapSlider::Clamp(int position) const {
    return std::clamp(position, minimum_, maximum_);
}

double CBitmapSlider::ThumbCentre(int position) const {
    int range = maximum_ - minimum_;
    double track = width() - 2.0 * Margin();
    if (range <= 0) {
        return Margin();
    }
    return Margin() + (Clamp(position) - minimum_) * track / range;
}

int CBitmapSlider::PositionAt(int x) const {
    int range = maximum_ - minimum_;
    double track = width() - 2.0 * Margin();
    if (range <= 0 || track <= 0) {
        return minimum_;
    }
    double steps = (x - Margin()) * range / track;
    return Clamp(minimum_ + static_cast<int>(std::lround(steps)));
}

void CBitmapSlider::MoveAndNotify(int position) {
    position_ = Clamp(position);
    update();
    emit sliderNotified(controlId_, position_);
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    std::size_t index = static_cast<std::size_t>(position_ - minimum_);
    if (index < faces_.size() && !faces_[index].isNull()) {
        painter.drawImage(0, 0, faces_[index]);
        return;
    }
    if (!channel_.isNull()) {
        painter.drawImage(0, 0, channel_);
    }
    double centre = ThumbCentre(position_);
    if (!thumb_.isNull()) {
        painter.drawImage(
            QPointF(centre - thumb_.width() / 2.0, (height() - thumb_.height()) / 2.0), thumb_);
        return;
    }
    // No pictures: a plain track and knob in the skin's colours.
    painter.setRenderHint(QPainter::Antialiasing);
    double cy = height() / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(0x2A2E37));
    painter.drawRoundedRect(QRectF(Margin(), cy - 3, width() - 2.0 * Margin(), 6), 3, 3);
    painter.setBrush(QColor::fromRgb(style::kAccent));
    painter.drawRoundedRect(QRectF(Margin(), cy - 3, centre - Margin(), 6), 3, 3);
    painter.setPen(QPen(QColor::fromRgb(style::kAccent), 2));
    painter.setBrush(QColor::fromRgb(0xF4F7FB));
    painter.drawEllipse(QPointF(centre, cy), 7, 7);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    MoveAndNotify(PositionAt(static_cast<int>(event->position().x())));
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    int position = PositionAt(static_cast<int>(event->position().x()));
    if (position != position_) {
        MoveAndNotify(position);
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        return;
    }
    dragging_ = false;
    MoveAndNotify(position_);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            MoveAndNotify(position_ - 1);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            MoveAndNotify(position_ + 1);
            break;
        case Qt::Key_PageUp:
            MoveAndNotify(position_ - page_);
            break;
        case Qt::Key_PageDown:
            MoveAndNotify(position_ + page_);
            break;
        case Qt::Key_Home:
            MoveAndNotify(minimum_);
            break;
        case Qt::Key_End:
            MoveAndNotify(maximum_);
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    // 120 units make a notch; a turn towards the user (negative) moves right.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ <= -120) {
        wheelRemainder_ += 120;
        MoveAndNotify(position_ + 1);
    }
    while (wheelRemainder_ >= 120) {
        wheelRemainder_ -= 120;
        MoveAndNotify(position_ - 1);
    }
    event->accept();
}

}  // namespace q804
