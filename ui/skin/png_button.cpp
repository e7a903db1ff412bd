#include "ui/skin/png_button.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <cmath>

#include "ui/skin/skin_style.h"

namespace q804 {

QColor ColourFromRef(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

std::uint32_t RefFromColour(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

namespace {

enum CaptionColourIndex {
    kNormalColour,
    kHoverColour,
    kPressedColour,
    kDisabledColour,
    kCheckedColour
};

Qt::Alignment AlignmentOf(int format) {
    Qt::Alignment alignment;
    switch (format & 0x3) {
        case caption::kCentre:
            alignment |= Qt::AlignHCenter;
            break;
        case caption::kRight:
            alignment |= Qt::AlignRight;
            break;
        default:
            alignment |= Qt::AlignLeft;
            break;
    }
    // Vertical placement applies to single lines only, as with the toolkit's text drawing.
    if ((format & caption::kSingleLine) != 0 && (format & caption::kBottom) != 0) {
        alignment |= Qt::AlignBottom;
    } else if ((format & caption::kSingleLine) != 0 && (format & caption::kVCentre) != 0) {
        alignment |= Qt::AlignVCenter;
    } else {
        alignment |= Qt::AlignTop;
    }
    return alignment;
}

}  // namespace

CPngButton::CPngButton(PaintHookRegistry& hooks, QWidget* parent)
    : QAbstractButton(parent), hooks_(hooks) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    const QColor text = QColor::fromRgb(style::kText);
    for (QColor& colour : captionColours_) {
        colour = text;
    }
    captionColours_[kDisabledColour] = QColor(0x7F, 0x7F, 0x7F);
    tooltipTimer_.setSingleShot(true);
    tooltipTimer_.setInterval(kTooltipDelayMs);
    connect(&tooltipTimer_, &QTimer::timeout, this, &CPngButton::ShowTooltip);
}

CPngButton::~CPngButton() {
    HideTooltip();
}

void CPngButton::Redraw(bool redraw) {
    if (redraw) {
        update();
    }
}

void CPngButton::SetPictures(int sourceX, int sourceY, const QImage& normal, const QImage& hover,
                             const QImage& pressed, const QImage& disabled, const QImage& checked,
                             bool redraw) {
    source_ = QPoint(sourceX, sourceY);
    SetPicturesOnly(normal, hover, pressed, disabled, checked, redraw);
}

void CPngButton::SetPicturesOnly(const QImage& normal, const QImage& hover, const QImage& pressed,
                                 const QImage& disabled, const QImage& checked, bool redraw) {
    normal_ = normal;
    hoverPicture_ = hover;
    pressed_ = pressed;
    disabled_ = disabled;
    checkedPicture_ = checked;
    hover_ = false;
    tracking_ = false;
    setDown(false);
    Redraw(redraw);
}

void CPngButton::SetSourcePosition(int x, int y, bool redraw) {
    source_ = QPoint(x, y);
    Redraw(redraw);
}

void CPngButton::SetChecked(bool checked, bool redraw) {
    checked_ = checked;
    Redraw(redraw);
}

void CPngButton::SetLatchedLook(const QImage& pictureA, bool latched, const QImage& pictureB,
                                bool variant, bool redraw) {
    latchedA_ = pictureA;
    latchedB_ = pictureB;
    latched_ = latched;
    variant_ = variant;
    Redraw(redraw);
}

void CPngButton::SetMark(std::uint32_t colour, int value, bool on) {
    marked_ = on;
    markColour_ = colour;
    markValue_ = value > kMaxMarkValue ? kMaxMarkValue : value;
    update();
}

void CPngButton::SetCaptionStyle(bool on, int sizePoints, const QString& face, const QColor& normal,
                                 const QColor& hover, const QColor& pressed, const QColor& disabled,
                                 const QColor& checked, int format) {
    captionOn_ = on;
    captionPoints_ = sizePoints;
    captionFace_ = face;
    captionColours_[kNormalColour] = normal;
    captionColours_[kHoverColour] = hover;
    captionColours_[kPressedColour] = pressed;
    captionColours_[kDisabledColour] = disabled;
    captionColours_[kCheckedColour] = checked;
    captionFormat_ = format;
    update();
}

void CPngButton::SetCaptionInsets(int left, int right, int top, int bottom) {
    insetLeft_ = left;
    insetRight_ = right;
    insetTop_ = top;
    insetBottom_ = bottom;
    update();
}

void CPngButton::SetCaptionAngle(int tenthsOfDegree, bool rotated) {
    captionAngle_ = tenthsOfDegree;
    rotated_ = rotated;
    update();
}

void CPngButton::SetTooltip(const QString& text, bool activate) {
    if (text.isEmpty()) {
        return;
    }
    tooltipText_ = text;
    tooltipActive_ = activate;
    if (!activate) {
        HideTooltip();
    }
}

CPngButton::Face CPngButton::ChosenFace() const {
    if (!isEnabled()) {
        return Face::kDisabled;
    }
    if (latched_) {
        return variant_ ? Face::kLatchedB : Face::kLatchedA;
    }
    if (isDown()) {
        return Face::kPressed;
    }
    if (hover_) {
        return Face::kHover;
    }
    if (checked_) {
        return Face::kChecked;
    }
    return Face::kNormal;
}

const QImage& CPngButton::PictureOf(Face face) const {
    switch (face) {
        case Face::kDisabled:
            return disabled_;
        case Face::kLatchedA:
            return latchedA_;
        case Face::kLatchedB:
            return latchedB_;
        case Face::kPressed:
            return pressed_;
        case Face::kHover:
            return hoverPicture_;
        case Face::kChecked:
            return checkedPicture_;
        case Face::kNormal:
            break;
    }
    return normal_;
}

QColor CPngButton::CaptionColour(Face face) const {
    switch (face) {
        case Face::kDisabled:
            return captionColours_[kDisabledColour];
        case Face::kPressed:
            return captionColours_[kPressedColour];
        case Face::kHover:
            return captionColours_[kHoverColour];
        case Face::kChecked:
            return captionColours_[kCheckedColour];
        default:
            return captionColours_[kNormalColour];
    }
}

QSize CPngButton::sizeHint() const {
    return size().isValid() ? size() : QSize(16, 16);
}

void CPngButton::paintEvent(QPaintEvent*) {
    Face face = ChosenFace();
    {
        QPainter painter(this);
        const QImage& picture = PictureOf(face);
        if (!picture.isNull()) {
            // Parts of the piece that lie outside the picture are left undrawn: blank.
            painter.drawImage(QRectF(0, 0, width(), height()), picture,
                              QRectF(source_.x() - 1, source_.y() - 1, width(), height()));
        }
        if (marked_) {
            // The state picture is drawn under the frame too, so a repaint after the button
            // was covered shows the same as the paint before it.
            QPen pen(ColourFromRef(markColour_), kMarkPenWidth, Qt::SolidLine, Qt::SquareCap,
                     Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
        }
        if (captionOn_) {
            DrawCaption(painter, face);
        }
    }
    hooks_.Call(*this, face == Face::kNormal);
}

void CPngButton::DrawCaption(QPainter& painter, Face face) {
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    QFont font(captionFace_);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(captionPoints_ * logicalDpiY() / 72.0))));
    font.setWeight(static_cast<QFont::Weight>(rotated_ ? kRotatedWeight : kNormalWeight));
    painter.setFont(font);
    painter.setPen(CaptionColour(face));
    QRectF box = QRectF(rect()).adjusted(insetLeft_, insetTop_, insetRight_, insetBottom_);
    Qt::Alignment alignment = AlignmentOf(captionFormat_);
    int flags = static_cast<int>(alignment);
    if ((captionFormat_ & caption::kSingleLine) == 0 && (captionFormat_ & caption::kWordBreak)) {
        flags |= Qt::TextWordWrap;
    }
    if (captionAngle_ == 0) {
        painter.drawText(box, flags, caption);
        return;
    }
    QFontMetricsF metrics(font);
    const double w = metrics.horizontalAdvance(caption);
    const double h = metrics.height();
    const double degrees = captionAngle_ / 10.0;
    const double a = degrees * M_PI / 180.0;
    QPointF origin;
    if (rotated_) {
        // The text's top-left corner is the point it turns about; move it so that the turned
        // text lies in the middle of the rectangle.
        double left = box.left();
        double bottom = box.bottom();
        if (w * std::cos(a) < box.width()) {
            left += (box.width() - w * std::cos(a)) / 2 - h * std::sin(a) / 2;
        }
        if (w * std::sin(a) < box.height()) {
            bottom -= (box.height() - w * std::sin(a)) / 2 - h * std::cos(a) / 2;
        }
        origin = QPointF(left, bottom);
    } else {
        QRectF unturned =
            QStyle::alignedRect(layoutDirection(), alignment, QSizeF(w, h).toSize(), box.toRect());
        origin = unturned.topLeft();
    }
    painter.save();
    painter.translate(origin);
    painter.rotate(-degrees);
    painter.drawText(QRectF(0, 0, w + 1, h), Qt::AlignLeft | Qt::AlignTop, caption);
    painter.restore();
}

void CPngButton::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        // The first move asks for hover and leave notice; hover follows at once.
        tracking_ = true;
        hover_ = true;
        update();
        // Each hover shows the tooltip afresh after its delay.
        HideTooltip();
        if (tooltipActive_ && !tooltipText_.isEmpty()) {
            tooltipTimer_.start();
        }
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CPngButton::mousePressEvent(QMouseEvent* event) {
    HideTooltip();
    QAbstractButton::mousePressEvent(event);
}

void CPngButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double-click is two clicks: keys clicked quickly must react to each click.
    mousePressEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
    hover_ = false;
    tracking_ = false;
    HideTooltip();
    update();
    QAbstractButton::leaveEvent(event);
}

void CPngButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        HideTooltip();
    }
    QAbstractButton::changeEvent(event);
}

void CPngButton::ShowTooltip() {
    if (!tooltipActive_ || tooltipText_.isEmpty() || !isVisible()) {
        return;
    }
    QPoint at = QCursor::pos();
    if (!QRect(mapToGlobal(QPoint(0, 0)), size()).contains(at)) {
        at = mapToGlobal(QPoint(width() / 2, height()));
    }
    QToolTip::showText(at, tooltipText_, this, rect());
}

void CPngButton::HideTooltip() {
    tooltipTimer_.stop();
    if (QToolTip::isVisible() && QToolTip::text() == tooltipText_) {
        QToolTip::hideText();
    }
}

}  // namespace q804
