#include "ui/main/app_icons.h"

#include <QPainter>
#include <QPixmap>

#include "app/context/shell_messages.h"

namespace q804 {

namespace {

QPixmap DrawIcon(int side, const QColor& body, const QColor& keys, const QColor& lamp) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    // A keyboard seen from above: body, three rows of keys and a space bar.
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 8, 30, 17), 3, 3);
    p.setBrush(keys);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 7; ++col) {
            p.drawRect(QRectF(3.5 + col * 3.7, 10.5 + row * 3.6, 2.6, 2.4));
        }
    }
    p.drawRect(QRectF(9, 21.3, 14, 2.2));
    if (lamp.isValid()) {
        p.setBrush(lamp);
        p.setPen(QPen(Qt::white, 1.2));
        p.drawEllipse(QRectF(21, 0.5, 10, 10));
    }
    return pixmap;
}

}  // namespace

QIcon AppIcon(int iconId) {
    QColor body(0x4A, 0x4F, 0x57);
    QColor keys(0xB8, 0xBE, 0xC6);
    QColor lamp;
    if (iconId == shell::kIconKeyboard) {
        body = QColor(0x1E, 0x2A, 0x38);
        keys = QColor(0x3D, 0xD6, 0xC8);
    } else if (iconId == shell::kIconBusy) {
        body = QColor(0x1E, 0x2A, 0x38);
        keys = QColor(0x3D, 0xD6, 0xC8);
        lamp = QColor(0xFF, 0x8C, 0x1A);
    }
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(DrawIcon(side, body, keys, lamp));
    }
    return icon;
}

}  // namespace q804
