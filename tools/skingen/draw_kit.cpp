#include "tools/skingen/draw_kit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

#include "ui/skin/skin_style.h"

namespace q804::skingen {

using namespace q804::style;

QColor Rgb(std::uint32_t rgb, int alpha) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF), alpha);
}

QFont SkinFont(double pixelSize, int weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawWindowGround(QPainter& p, const QRectF& area, double headerHeight) {
    QLinearGradient ground(area.topLeft(), area.bottomLeft());
    ground.setColorAt(0, Rgb(kWindowTop));
    ground.setColorAt(1, Rgb(kWindowBase));
    p.fillRect(area, ground);
    // Title bar: a slightly lighter band with a thin accent line under it.
    QRectF header(area.left(), area.top(), area.width(), headerHeight);
    QLinearGradient band(header.topLeft(), header.bottomLeft());
    band.setColorAt(0, Rgb(0x242832));
    band.setColorAt(1, Rgb(0x1B1E25));
    p.fillRect(header, band);
    QLinearGradient line(header.bottomLeft(), header.bottomRight());
    line.setColorAt(0, Rgb(kAccent, 0));
    line.setColorAt(0.12, Rgb(kAccent, 200));
    line.setColorAt(0.6, Rgb(kAccent, 60));
    line.setColorAt(1, Rgb(kAccent, 0));
    p.fillRect(QRectF(header.left(), header.bottom() - 1, header.width(), 1), line);
}

void DrawCard(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rgb(kCardBorder), 1));
    p.setBrush(Rgb(kCard));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void DrawInset(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rgb(0x262A32), 1));
    p.setBrush(Rgb(kCardInner));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void DrawSeparator(QPainter& p, double x1, double x2, double y) {
    p.fillRect(QRectF(x1, y, x2 - x1, 1), Rgb(kCardBorder));
}

void DrawWordmark(QPainter& p, const QPointF& topLeft, double height) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A slanted accent bar, then the brand and the model.
    QPolygonF mark;
    mark << QPointF(topLeft.x() + height * 0.28, topLeft.y())
         << QPointF(topLeft.x() + height * 0.62, topLeft.y())
         << QPointF(topLeft.x() + height * 0.34, topLeft.y() + height)
         << QPointF(topLeft.x(), topLeft.y() + height);
    QLinearGradient glow(mark.boundingRect().topLeft(), mark.boundingRect().bottomRight());
    glow.setColorAt(0, Rgb(0x6FD6FF));
    glow.setColorAt(1, Rgb(kAccent));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPolygon(mark);
    QFont brand = SkinFont(height * 0.78, QFont::Bold);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, height * 0.12);
    p.setFont(brand);
    p.setPen(Rgb(kText));
    QRectF textArea(topLeft.x() + height * 0.85, topLeft.y() - height * 0.2, 400, height * 1.4);
    QRectF used;
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELTRANO"), &used);
    QFont model = SkinFont(height * 0.62, QFont::Normal);
    model.setLetterSpacing(QFont::AbsoluteSpacing, height * 0.06);
    p.setFont(model);
    p.setPen(Rgb(kTextDim));
    p.drawText(QRectF(used.right() + height * 0.5, textArea.top(), 300, textArea.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Q804 RGB"));
    p.restore();
}

namespace {

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Largest font size up to maxSize at which the text fits the width.
QFont FittingFont(const QString& text, double maxSize, double width, int weight) {
    double size = maxSize;
    for (; size > 7; size -= 0.5) {
        QFontMetricsF metrics(SkinFont(size, weight));
        if (metrics.horizontalAdvance(text) <= width) {
            break;
        }
    }
    return SkinFont(size, weight);
}

}  // namespace

QColor FaceInk(Look look, bool primary) {
    switch (look) {
        case Look::kHover:
            return primary ? Rgb(kAccentText) : Rgb(kAccent);
        case Look::kPressed:
            return primary ? Rgb(0xD8F2FF) : Rgb(kAccent);
        case Look::kDisabled:
            return Rgb(kTextDisabled);
        case Look::kChecked:
            return Rgb(kAccentText);
        default:
            return primary ? Rgb(kAccentText) : Rgb(kText);
    }
}

void DrawKeyCap(QPainter& p, const QRectF& r, const QString& legend, const QString& subLegend,
                Look look, bool small) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool pressed = look == Look::kPressed;
    const bool hover = look == Look::kHover;
    const bool latched = look == Look::kChecked;
    const bool selected = look == Look::kColourOn;
    const bool colourView = look == Look::kColourOff || selected;
    QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (pressed) {
        body.translate(0, 1);
    }
    // Shadow under the cap, skirt of the cap, then the dished top.
    p.setPen(Qt::NoPen);
    if (!pressed) {
        p.setBrush(Rgb(kCapShadow, 200));
        p.drawRoundedRect(body.translated(0, 2), 5, 5);
    }
    QColor top = Rgb(kCapTop);
    QColor bottom = Rgb(kCapBottom);
    if (hover) {
        top = top.lighter(118);
        bottom = bottom.lighter(115);
    } else if (pressed) {
        top = Rgb(0x23272F);
        bottom = Rgb(0x1E2128);
    } else if (selected) {
        top = Mix(Rgb(kCapTop), Rgb(kAccent), 0.35);
        bottom = Mix(Rgb(kCapBottom), Rgb(kAccentDark), 0.5);
    } else if (colourView) {
        top = Rgb(0x2A2E36);
        bottom = Rgb(0x22252C);
    }
    QLinearGradient skirt(body.topLeft(), body.bottomLeft());
    skirt.setColorAt(0, top);
    skirt.setColorAt(1, bottom.darker(125));
    QColor border = Rgb(kCapBorder);
    if (hover || pressed || latched || selected) {
        border = Rgb(kAccent, hover ? 230 : 255);
    }
    p.setPen(QPen(border, hover || pressed || selected ? 1.2 : 1));
    p.setBrush(skirt);
    p.drawRoundedRect(body, 5, 5);
    QRectF dish = body.adjusted(3, 2, -3, -5);
    QLinearGradient face(dish.topLeft(), dish.bottomLeft());
    face.setColorAt(0, top.lighter(108));
    face.setColorAt(1, top);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(dish, 3.5, 3.5);
    if (latched) {
        // An assigned key: an accent underline and a dot in the corner.
        p.setBrush(Rgb(kAccent));
        p.drawRoundedRect(QRectF(dish.left() + 4, body.bottom() - 3.5, dish.width() - 8, 2), 1, 1);
        p.drawEllipse(QPointF(dish.right() - 3.5, dish.top() + 3.5), 2.2, 2.2);
    }
    if (colourView) {
        QPointF centre(dish.right() - 4.5, dish.top() + 4.5);
        if (selected) {
            p.setBrush(Rgb(kAccent));
            p.drawEllipse(centre, 3.6, 3.6);
        } else {
            p.setPen(QPen(Rgb(kTextDim), 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(centre, 3.2, 3.2);
        }
    }
    // Legends
    QColor ink = Rgb(kText);
    if (pressed || latched) {
        ink = Rgb(0xBFE9FF);
    } else if (hover) {
        ink = Rgb(0xFFFFFF);
    } else if (look == Look::kColourOff) {
        ink = Rgb(kTextDim);
    }
    QRectF textArea = dish.adjusted(2, 1, -2, -1);
    const bool single = legend.size() <= 2 && subLegend.isEmpty();
    double size = small ? 10 : (single ? 13 : 10.5);
    QFont font =
        FittingFont(legend, size, textArea.width(), single ? QFont::DemiBold : QFont::Medium);
    if (!subLegend.isEmpty()) {
        p.setFont(SkinFont(9.5, QFont::Normal));
        p.setPen(Mix(ink, Rgb(kCapTop), 0.35));
        p.drawText(QRectF(textArea.left(), textArea.top(), textArea.width(), textArea.height() / 2),
                   Qt::AlignHCenter | Qt::AlignBottom, subLegend);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(
            QRectF(textArea.left(), textArea.center().y(), textArea.width(), textArea.height() / 2),
            Qt::AlignHCenter | Qt::AlignTop, legend);
    } else {
        p.setFont(font);
        p.setPen(ink);
        p.drawText(textArea, Qt::AlignCenter, legend);
    }
    p.restore();
}

void DrawGKeyCap(QPainter& p, const QRectF& r, const QString& name, Look look) {
    DrawKeyCap(p, r, QString(), QString(), look);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (look == Look::kPressed) {
        body.translate(0, 1);
    }
    // A macro key: an accent edge on the left and its name small in the corner, so that
    // the bank caption drawn at run time can take the centre.
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kAccent, look == Look::kColourOff ? 90 : 170));
    p.drawRoundedRect(QRectF(body.left() + 3, body.top() + 6, 2, body.height() - 14), 1, 1);
    p.setFont(SkinFont(7.5, QFont::Normal));
    p.setPen(Rgb(kTextDim));
    p.drawText(QRectF(body.left() + 7, body.top() + 2, body.width() - 10, 11),
               Qt::AlignLeft | Qt::AlignTop, name);
    p.restore();
}

void DrawButtonFace(QPainter& p, const QRectF& r, Look look, bool primary, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top, bottom, border;
    if (primary) {
        top = Rgb(0x33C1FF);
        bottom = Rgb(0x0F8FD6);
        border = Rgb(0x5CCFFF);
        if (look == Look::kHover) {
            top = top.lighter(112);
            bottom = bottom.lighter(115);
            border = Rgb(0xA8E6FF);
        } else if (look == Look::kPressed) {
            top = Rgb(0x0D78B5);
            bottom = Rgb(0x0B6AA0);
            border = Rgb(0x3AAEE8);
        } else if (look == Look::kDisabled) {
            top = Rgb(0x2A3440);
            bottom = Rgb(0x232B35);
            border = Rgb(0x33404F);
        }
    } else {
        top = Rgb(0x30343E);
        bottom = Rgb(0x262930);
        border = Rgb(0x3E4350);
        if (look == Look::kHover) {
            top = Rgb(0x383D49);
            bottom = Rgb(0x2D313A);
            border = Rgb(kAccent);
        } else if (look == Look::kPressed) {
            top = Rgb(0x1B1E24);
            bottom = Rgb(0x20232A);
            border = Rgb(kAccent);
        } else if (look == Look::kDisabled) {
            top = Rgb(0x22252B);
            bottom = Rgb(0x1F2227);
            border = Rgb(0x2C3038);
        } else if (look == Look::kChecked) {
            top = Rgb(0x1C9BE0);
            bottom = Rgb(0x0E72AE);
            border = Rgb(0x4CC6FF);
        }
    }
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    if (look != Look::kPressed && look != Look::kDisabled) {
        // A faint light edge along the top.
        p.setPen(QPen(QColor(255, 255, 255, primary ? 70 : 22), 1));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                   QPointF(body.right() - radius, body.top() + 1.5));
    }
    p.restore();
}

void DrawSegment(QPainter& p, const QRectF& r, Look look, const QString& label) {
    DrawButtonFace(p, r, look, false, 6);
    if (label.isEmpty()) {
        return;
    }
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(FittingFont(label, 11, r.width() - 6, QFont::DemiBold));
    p.setPen(look == Look::kChecked ? Rgb(kAccentText) : FaceInk(look));
    p.drawText(r.translated(0, look == Look::kPressed ? 1 : 0), Qt::AlignCenter, label);
    p.restore();
}

void DrawTab(QPainter& p, const QRectF& r, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF body = r.adjusted(0.5, 0.5, -0.5, 0);
    QPainterPath shape;
    shape.addRoundedRect(body.adjusted(0, 0, 0, 8), 7, 7);
    p.setClipRect(r);
    if (look == Look::kPressed || look == Look::kChecked) {
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0, Rgb(0x2A2F3A));
        fill.setColorAt(1, Rgb(kCard));
        p.setPen(QPen(Rgb(kCardBorder), 1));
        p.setBrush(fill);
        p.drawPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(kAccent));
        p.drawRoundedRect(QRectF(body.left() + 8, body.top() + 0.5, body.width() - 16, 3), 1.5,
                          1.5);
    } else if (look == Look::kHover) {
        p.setPen(QPen(Rgb(0x343946), 1));
        p.setBrush(Rgb(0x252932));
        p.drawPath(shape);
    } else if (look != Look::kDisabled) {
        p.setPen(QPen(Rgb(0x2A2E37), 1));
        p.setBrush(Rgb(0x1C1F25));
        p.drawPath(shape);
    }
    p.restore();
}

void DrawWindowIcon(QPainter& p, const QRectF& r, Icon icon, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor ink = Rgb(kTextDim);
    if (look == Look::kHover || look == Look::kPressed) {
        QColor fill = icon == Icon::kClose ? Rgb(kDanger) : Rgb(0x2E3340);
        if (look == Look::kPressed) {
            fill = fill.darker(125);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 6, 6);
        ink = Rgb(0xFFFFFF);
    } else if (look == Look::kDisabled) {
        ink = Rgb(kTextDisabled);
    }
    DrawIcon(p, r.adjusted(7, 7, -7, -7), icon, ink);
    p.restore();
}

void DrawIndicator(QPainter& p, const QRectF& r, const QString& label, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPointF lamp(r.left() + 8, r.center().y());
    if (lit) {
        QRadialGradient halo(lamp, 8);
        halo.setColorAt(0, Rgb(kAccent, 160));
        halo.setColorAt(1, Rgb(kAccent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(lamp, 8, 8);
    }
    p.setPen(QPen(lit ? Rgb(0x9BE3FF) : Rgb(0x3A404C), 1));
    p.setBrush(lit ? Rgb(kAccent) : Rgb(0x262A32));
    p.drawEllipse(lamp, 3.5, 3.5);
    p.setFont(SkinFont(10, QFont::Medium));
    p.setPen(lit ? Rgb(kText) : Rgb(kTextDim));
    p.drawText(QRectF(r.left() + 15, r.top(), r.width() - 15, r.height()),
               Qt::AlignLeft | Qt::AlignVCenter, label);
    p.restore();
}

void DrawBank(QPainter& p, const QRectF& r, bool bankB, bool pressed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRectF body = r.adjusted(0.5, 3.5, -0.5, -3.5);
    p.setPen(QPen(Rgb(0x343946), 1));
    p.setBrush(Rgb(pressed ? 0x15171C : 0x1A1D23));
    p.drawRoundedRect(body, body.height() / 2, body.height() / 2);
    QRectF half(body.left() + 2, body.top() + 2, body.width() / 2 - 2, body.height() - 4);
    QRectF lit = bankB ? half.translated(body.width() / 2 - 2, 0) : half;
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(kAccent));
    p.drawRoundedRect(lit, lit.height() / 2, lit.height() / 2);
    p.setFont(SkinFont(10.5, QFont::Bold));
    p.setPen(bankB ? Rgb(kTextDim) : Rgb(0xFFFFFF));
    p.drawText(half, Qt::AlignCenter, QStringLiteral("A"));
    p.setPen(bankB ? Rgb(0xFFFFFF) : Rgb(kTextDim));
    p.drawText(half.translated(body.width() / 2 - 2, 0), Qt::AlignCenter, QStringLiteral("B"));
    p.restore();
}

void DrawLinkFace(QPainter& p, const QRectF& r, Look look) {
    if (look != Look::kHover && look != Look::kPressed) {
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(look == Look::kHover ? Rgb(0x252A33) : Rgb(0x1A1D23));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.restore();
}

void DrawPage(QPainter& p, const QRectF& r, Icon watermark) {
    DrawInset(p, r, 10);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // A large, very faint emblem in the corner tells the pages apart at a glance.
    QRectF mark(r.right() - 118, r.bottom() - 110, 100, 100);
    DrawIcon(p, mark, watermark, Rgb(kAccent, 16));
    p.restore();
}

void DrawTitle(QPainter& p, const QRectF& r, Icon icon, const QString& subtitle) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRectF badge(r.left(), r.top() + 2, r.height() - 4, r.height() - 4);
    p.setPen(Qt::NoPen);
    QLinearGradient fill(badge.topLeft(), badge.bottomRight());
    fill.setColorAt(0, Rgb(0x2C9FE0));
    fill.setColorAt(1, Rgb(0x0E5F91));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 6, 6);
    DrawIcon(p, badge.adjusted(5, 5, -5, -5), icon, Rgb(0xFFFFFF));
    QFont brand = SkinFont(13, QFont::Bold);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(brand);
    p.setPen(Rgb(kText));
    QRectF used;
    p.drawText(QRectF(badge.right() + 10, r.top(), r.width(), r.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELTRANO"), &used);
    p.setFont(SkinFont(11, QFont::Normal));
    p.setPen(Rgb(kTextDim));
    p.drawText(QRectF(used.right() + 8, r.top(), r.width(), r.height()),
               Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    p.restore();
}

}  // namespace q804::skingen
