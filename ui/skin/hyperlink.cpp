#include "ui/skin/hyperlink.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "ui/skin/skin_style.h"

namespace q804 {

CHyperLink::CHyperLink(QWidget* parent)
    : QWidget(parent),
      link_(QColor::fromRgb(style::kAccent)),
      hover_(QColor::fromRgb(0x7FD6FF)),
      visited_colour_(QColor::fromRgb(0x8F9CFF)),
      opener_([](const QString& url) { QDesktopServices::openUrl(QUrl(url)); }) {
    setCursor(Qt::PointingHandCursor);
}

void CHyperLink::SetText(const QString& text) {
    text_ = text;
    update();
}

void CHyperLink::SetUrl(const QString& url) {
    url_ = url;
    update();
}

void CHyperLink::SetColours(const QColor& link, const QColor& hover, const QColor& visited) {
    link_ = link;
    hover_ = hover;
    visited_colour_ = visited;
    update();
}

void CHyperLink::SetOpener(Opener opener) {
    opener_ = std::move(opener);
}

QSize CHyperLink::sizeHint() const {
    return fontMetrics().size(Qt::TextSingleLine, ShownText()) + QSize(2, 2);
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(under_ ? hover_ : (visited_ ? visited_colour_ : link_));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, ShownText());
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()) ||
        url_.isEmpty()) {
        return;
    }
    visited_ = true;
    update();
    if (opener_) {
        opener_(url_);
    }
    emit opened(url_);
}

void CHyperLink::enterEvent(QEnterEvent*) {
    under_ = true;
    update();
}

void CHyperLink::leaveEvent(QEvent*) {
    under_ = false;
    update();
}

}  // namespace q804
