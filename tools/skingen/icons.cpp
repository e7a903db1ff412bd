// The skin's line icons, drawn on a 16 x 16 grid scaled to the box.

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "tools/skingen/draw_kit.h"

namespace q804::skingen {

void DrawIcon(QPainter& p, const QRectF& box, Icon icon, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Square area centred in the box; the icons are drawn on a 16 x 16 grid.
    double side = std::min(box.width(), box.height());
    QRectF r(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    p.translate(r.topLeft());
    p.scale(side / 16.0, side / 16.0);
    QPen pen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (icon) {
        case Icon::kNone:
            break;
        case Icon::kMenu:
            p.drawLine(QPointF(2, 4), QPointF(14, 4));
            p.drawLine(QPointF(2, 8), QPointF(14, 8));
            p.drawLine(QPointF(2, 12), QPointF(14, 12));
            break;
        case Icon::kHelp: {
            p.drawEllipse(QRectF(1, 1, 14, 14));
            QPainterPath q;
            q.moveTo(5.8, 6.2);
            q.cubicTo(5.8, 3.6, 10.2, 3.6, 10.2, 6.2);
            q.cubicTo(10.2, 7.8, 8, 8, 8, 9.8);
            p.drawPath(q);
            p.setBrush(colour);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(8, 12), 1, 1);
            break;
        }
        case Icon::kMinimise:
            p.drawLine(QPointF(3, 8.5), QPointF(13, 8.5));
            break;
        case Icon::kClose:
            p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
            break;
        case Icon::kProfiles:
            p.drawRoundedRect(QRectF(2, 3, 12, 10), 1.5, 1.5);
            p.drawLine(QPointF(5, 6.5), QPointF(11, 6.5));
            p.drawLine(QPointF(5, 9.5), QPointF(9, 9.5));
            p.drawLine(QPointF(4, 1.5), QPointF(12, 1.5));
            break;
        case Icon::kSwap:
            p.drawLine(QPointF(5, 2.5), QPointF(5, 13));
            p.drawLine(QPointF(2.5, 5), QPointF(5, 2.5));
            p.drawLine(QPointF(7.5, 5), QPointF(5, 2.5));
            p.drawLine(QPointF(11, 3), QPointF(11, 13.5));
            p.drawLine(QPointF(8.5, 11), QPointF(11, 13.5));
            p.drawLine(QPointF(13.5, 11), QPointF(11, 13.5));
            break;
        case Icon::kFlipLeft:
        case Icon::kFlipRight:
            // A double arrow: the key groups above and below trade places.
            p.drawLine(QPointF(8, 2), QPointF(8, 14));
            p.drawPolyline(QPolygonF() << QPointF(5, 5) << QPointF(8, 2) << QPointF(11, 5));
            p.drawPolyline(QPolygonF() << QPointF(5, 11) << QPointF(8, 14) << QPointF(11, 11));
            break;
        case Icon::kGlobe:
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            break;
        case Icon::kFacebook: {
            QPainterPath f;
            f.moveTo(10.5, 2);
            f.cubicTo(8, 2, 7, 3.2, 7, 5.5);
            f.lineTo(7, 14.5);
            p.drawPath(f);
            p.drawLine(QPointF(4.8, 7.5), QPointF(10.5, 7.5));
            break;
        }
        case Icon::kBird: {
            QPainterPath b;
            b.moveTo(1.5, 12);
            b.cubicTo(5, 13.5, 11.5, 12, 12.5, 5.5);
            b.lineTo(14.5, 3.5);
            b.lineTo(12.2, 4);
            b.cubicTo(10.5, 2, 7, 3, 7.5, 6.5);
            b.cubicTo(5, 6.5, 3, 5, 2, 3.5);
            b.cubicTo(1.5, 6, 2.5, 7.5, 4, 8.5);
            b.lineTo(2.6, 8.4);
            b.cubicTo(3, 10, 4.5, 10.8, 5.5, 11);
            b.cubicTo(4.3, 11.8, 3, 12.1, 1.5, 12);
            p.setBrush(colour);
            p.setPen(Qt::NoPen);
            p.drawPath(b);
            break;
        }
        case Icon::kEraser: {
            QPolygonF body;
            body << QPointF(9.5, 2) << QPointF(14.5, 7) << QPointF(8, 13.5) << QPointF(5, 13.5)
                 << QPointF(1.5, 10) << QPointF(9.5, 2);
            p.drawPolyline(body);
            p.drawLine(QPointF(5.5, 6), QPointF(10.5, 11));
            p.drawLine(QPointF(8, 13.5), QPointF(14.5, 13.5));
            break;
        }
        case Icon::kKeyboard:
            p.drawRoundedRect(QRectF(1, 3.5, 14, 9), 1.5, 1.5);
            for (int i = 0; i < 5; ++i) {
                p.drawPoint(QPointF(3.5 + i * 2.25, 6.2));
                p.drawPoint(QPointF(3.5 + i * 2.25, 8.4));
            }
            p.drawLine(QPointF(5, 10.6), QPointF(11, 10.6));
            break;
        case Icon::kPlus:
            p.drawLine(QPointF(8, 3), QPointF(8, 13));
            p.drawLine(QPointF(3, 8), QPointF(13, 8));
            break;
        case Icon::kMinus:
            p.drawLine(QPointF(3, 8), QPointF(13, 8));
            break;
        case Icon::kNewFile:
            p.drawPolyline(QPolygonF() << QPointF(9.5, 1.5) << QPointF(3, 1.5) << QPointF(3, 14.5)
                                       << QPointF(13, 14.5) << QPointF(13, 5) << QPointF(9.5, 1.5)
                                       << QPointF(9.5, 5) << QPointF(13, 5));
            p.drawLine(QPointF(8, 7.5), QPointF(8, 12.5));
            p.drawLine(QPointF(5.5, 10), QPointF(10.5, 10));
            break;
        case Icon::kOpen:
            p.drawPolyline(QPolygonF() << QPointF(1.5, 13) << QPointF(1.5, 3) << QPointF(6, 3)
                                       << QPointF(7.5, 4.8) << QPointF(13, 4.8) << QPointF(13, 7));
            p.drawPolyline(QPolygonF() << QPointF(1.5, 13) << QPointF(4, 7.5) << QPointF(15, 7.5)
                                       << QPointF(12.5, 13) << QPointF(1.5, 13));
            break;
        case Icon::kTrash:
            p.drawLine(QPointF(2, 4), QPointF(14, 4));
            p.drawPolyline(QPolygonF() << QPointF(6, 4) << QPointF(6.5, 2) << QPointF(9.5, 2)
                                       << QPointF(10, 4));
            p.drawPolyline(QPolygonF() << QPointF(3.5, 4) << QPointF(4.5, 14.5)
                                       << QPointF(11.5, 14.5) << QPointF(12.5, 4));
            p.drawLine(QPointF(6.5, 7), QPointF(6.8, 12));
            p.drawLine(QPointF(9.5, 7), QPointF(9.2, 12));
            break;
        case Icon::kCheck:
            p.drawPolyline(QPolygonF()
                           << QPointF(2.5, 8.5) << QPointF(6.5, 12.5) << QPointF(13.5, 3.5));
            break;
        case Icon::kCross:
            p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
            break;
        case Icon::kApply: {
            // A download-into-device arrow: apply to the keyboard.
            p.drawLine(QPointF(8, 1.5), QPointF(8, 9.5));
            p.drawPolyline(QPolygonF()
                           << QPointF(4.5, 6.5) << QPointF(8, 10) << QPointF(11.5, 6.5));
            p.drawRoundedRect(QRectF(1.5, 11, 13, 3.5), 1, 1);
            break;
        }
        case Icon::kMacro:
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(colour);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(5, 5, 6, 6));
            break;
        case Icon::kMedia: {
            p.drawLine(QPointF(6, 12.5), QPointF(6, 3));
            p.drawLine(QPointF(6, 3), QPointF(14, 1.5));
            p.drawLine(QPointF(14, 1.5), QPointF(14, 11));
            p.setBrush(colour);
            p.drawEllipse(QPointF(4.2, 12.5), 2, 1.6);
            p.drawEllipse(QPointF(12.2, 11), 2, 1.6);
            break;
        }
        case Icon::kGear: {
            p.drawEllipse(QPointF(8, 8), 2.4, 2.4);
            QPainterPath gear;
            for (int i = 0; i < 8; ++i) {
                double a = i * M_PI / 4;
                QPointF inner(8 + 4.6 * std::cos(a), 8 + 4.6 * std::sin(a));
                QPointF outer(8 + 6.8 * std::cos(a), 8 + 6.8 * std::sin(a));
                p.drawLine(inner, outer);
            }
            p.drawEllipse(QPointF(8, 8), 4.8, 4.8);
            break;
        }
    }
    p.restore();
}

}  // namespace q804::skingen
