#include "tools/skingen/panel_bitmaps.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/skingen/draw_kit.h"
#include "tools/skingen/skin_table.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/skin_style.h"

namespace q804::skingen {
namespace {

using namespace q804::style;

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Rgb(kCard));
    return image;
}

QImage Switch(bool on) {
    QImage image = Blank(kSwitchWidth, kSwitchHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF track(1.5, 3.5, kSwitchWidth - 3, kSwitchHeight - 7);
    p.setPen(QPen(on ? Rgb(0x56CCFF) : Rgb(0x434957), 1));
    if (on) {
        QLinearGradient fill(track.topLeft(), track.bottomLeft());
        fill.setColorAt(0, Rgb(0x2EBDFF));
        fill.setColorAt(1, Rgb(0x0E86C8));
        p.setBrush(fill);
    } else {
        p.setBrush(Rgb(0x2A2E37));
    }
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    double knobRadius = kSwitchHeight / 2.0 - 2.5;
    QPointF knob(on ? kSwitchWidth - 2 - knobRadius : 2 + knobRadius, kSwitchHeight / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(knob + QPointF(0, 1), knobRadius, knobRadius);
    p.setBrush(on ? Rgb(0xFFFFFF) : Rgb(0x9AA1AE));
    p.drawEllipse(knob, knobRadius, knobRadius);
    return image;
}

QImage SliderFace(int position, int range) {
    QImage image = Blank(kSliderWidth, kSliderHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    double cy = kSliderHeight / 2.0;
    double left = kSliderMargin;
    double right = kSliderWidth - kSliderMargin;
    double thumb = SliderThumbCentre(position, range, kSliderWidth, kSliderMargin);
    QRectF track(left, cy - 3, right - left, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0x2A2E37));
    p.drawRoundedRect(track, 3, 3);
    if (thumb > left) {
        QLinearGradient fill(track.topLeft(), track.topRight());
        fill.setColorAt(0, Rgb(0x0E6FA8));
        fill.setColorAt(1, Rgb(kAccent));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(left, cy - 3, thumb - left, 6), 3, 3);
    }
    if (range <= 6) {
        for (int k = 0; k <= range; ++k) {
            double x = SliderThumbCentre(k, range, kSliderWidth, kSliderMargin);
            p.setBrush(k <= position ? Rgb(0xCFEFFF, 200) : Rgb(0x4A505D));
            p.drawEllipse(QPointF(x, cy), 1.3, 1.3);
        }
    }
    QRadialGradient halo(QPointF(thumb, cy), 11);
    halo.setColorAt(0, Rgb(kAccent, 110));
    halo.setColorAt(1, Rgb(kAccent, 0));
    p.setBrush(halo);
    p.drawEllipse(QPointF(thumb, cy), 11, 11);
    p.setPen(QPen(Rgb(kAccent), 2));
    p.setBrush(Rgb(0xF4F7FB));
    p.drawEllipse(QPointF(thumb, cy), 7, 7);
    return image;
}

QImage StepButton(bool plus) {
    QImage image = Blank(kStepButtonSize, kStepButtonSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rgb(0x434957), 1));
    p.setBrush(Rgb(0x262A32));
    p.drawEllipse(QRectF(1.5, 1.5, kStepButtonSize - 3, kStepButtonSize - 3));
    DrawIcon(p, QRectF(6, 6, kStepButtonSize - 12, kStepButtonSize - 12),
             plus ? Icon::kPlus : Icon::kMinus, Rgb(kText));
    return image;
}

// The common frame of the direction, colourful, colour-choice and tool pictures.
void ChipFrame(QPainter& p, bool chosen) {
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(0.5, 0.5, kChipWidth - 1, kChipHeight - 1);
    if (chosen) {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, Rgb(0x1A8FD0));
        fill.setColorAt(1, Rgb(0x0D5F8F));
        p.setPen(QPen(Rgb(0x56CCFF), 1));
        p.setBrush(fill);
    } else {
        p.setPen(QPen(Rgb(0x3A3F4B), 1));
        p.setBrush(Rgb(0x262A32));
    }
    p.drawRoundedRect(r, 6, 6);
}

enum class Glyph { kLeft, kRight, kUp, kDown, kOutward, kInward };

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& ink) {
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    QPointF d = to - from;
    double length = std::hypot(d.x(), d.y());
    QPointF u(d.x() / length, d.y() / length);
    QPointF n(-u.y(), u.x());
    p.drawLine(to, to - u * 5 + n * 4);
    p.drawLine(to, to - u * 5 - n * 4);
}

QImage DirectionChip(Glyph glyph, bool chosen) {
    QImage image = Blank(kChipWidth, kChipHeight);
    QPainter p(&image);
    ChipFrame(p, chosen);
    QColor ink = chosen ? Rgb(0xFFFFFF) : Rgb(kTextDim);
    QPointF c(kChipWidth / 2.0, kChipHeight / 2.0);
    switch (glyph) {
        case Glyph::kLeft:
            DrawArrow(p, c + QPointF(12, 0), c - QPointF(12, 0), ink);
            break;
        case Glyph::kRight:
            DrawArrow(p, c - QPointF(12, 0), c + QPointF(12, 0), ink);
            break;
        case Glyph::kUp:
            DrawArrow(p, c + QPointF(0, 8), c - QPointF(0, 8), ink);
            break;
        case Glyph::kDown:
            DrawArrow(p, c - QPointF(0, 8), c + QPointF(0, 8), ink);
            break;
        case Glyph::kOutward:
            DrawArrow(p, c - QPointF(4, 0), c - QPointF(16, 0), ink);
            DrawArrow(p, c + QPointF(4, 0), c + QPointF(16, 0), ink);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(c, 2, 2);
            break;
        case Glyph::kInward:
            DrawArrow(p, c - QPointF(17, 0), c - QPointF(5, 0), ink);
            DrawArrow(p, c + QPointF(17, 0), c + QPointF(5, 0), ink);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(c, 2, 2);
            break;
    }
    return image;
}

QImage ColourfulChip(bool on) {
    QImage image = Blank(kChipWidth, kChipHeight);
    QPainter p(&image);
    ChipFrame(p, on);
    QPointF c(kChipWidth / 2.0, kChipHeight / 2.0);
    QConicalGradient wheel(c, 90);
    const std::uint32_t hues[] = {0xFF3B3B, 0xFFB224, 0xF4F43A, 0x3BE36B,
                                  0x2AD4FF, 0x4A6BFF, 0xC04BFF, 0xFF3B3B};
    for (int i = 0; i < 8; ++i) {
        QColor hue = Rgb(hues[i]);
        if (!on) {
            hue = QColor::fromHsv(hue.hsvHue(), 70, 150);
        }
        wheel.setColorAt(i / 7.0, hue);
    }
    p.setPen(QPen(on ? Rgb(0xFFFFFF) : Rgb(0x4A505D), 1.5));
    p.setBrush(wheel);
    p.drawEllipse(c, 8, 8);
    return image;
}

QImage ChoiceChip(std::uint32_t colour, bool chosen) {
    QImage image = Blank(kChipWidth, kChipHeight);
    QPainter p(&image);
    ChipFrame(p, chosen);
    QPointF c(kChipWidth / 2.0, kChipHeight / 2.0);
    p.setPen(QPen(chosen ? Rgb(0xFFFFFF) : Rgb(0x14161B), 1.5));
    p.setBrush(Rgb(colour));
    p.drawEllipse(c, 8, 8);
    if (chosen) {
        p.setPen(QPen(Rgb(0x14161B), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF()
                       << c + QPointF(-4, 0) << c + QPointF(-1, 3) << c + QPointF(4, -3));
    }
    return image;
}

QImage ToolChip(bool brush, bool chosen) {
    QImage image = Blank(kChipWidth, kChipHeight);
    QPainter p(&image);
    ChipFrame(p, chosen);
    QColor ink = chosen ? Rgb(0xFFFFFF) : Rgb(kTextDim);
    QRectF box(kChipWidth / 2.0 - 8, kChipHeight / 2.0 - 8, 16, 16);
    if (brush) {
        // A paint brush: handle, ferrule and a filled tip.
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(box.topRight() + QPointF(-1, 1), box.center() + QPointF(1.5, -1.5));
        QPainterPath tip;
        tip.moveTo(box.center() + QPointF(2.5, -0.5));
        tip.lineTo(box.center() + QPointF(-0.5, -3.5));
        tip.cubicTo(box.center() + QPointF(-5, -1), box.center() + QPointF(-4, 4),
                    box.bottomLeft() + QPointF(1, -1));
        tip.cubicTo(box.center() + QPointF(-1, 6), box.center() + QPointF(4, 3),
                    box.center() + QPointF(2.5, -0.5));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(tip);
    } else {
        DrawIcon(p, box, Icon::kEraser, ink);
    }
    return image;
}

QImage Swatch(std::uint32_t colour) {
    QImage image = Blank(kSwatchSize, kSwatchSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rgb(0x4A505D), 1));
    p.setBrush(Rgb(colour));
    p.drawRoundedRect(QRectF(1.5, 1.5, kSwatchSize - 3, kSwatchSize - 3), 5, 5);
    return image;
}

QImage BusyFrame(int frame) {
    QImage image = Blank(kBusySize, kBusySize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPointF c(kBusySize / 2.0, kBusySize / 2.0);
    // Ten dots round a circle; the lit one runs round with the frames, trailed by two.
    for (int i = 0; i < 10; ++i) {
        double a = (i * 36 - 90) * M_PI / 180;
        QPointF dot = c + QPointF(9 * std::cos(a), 9 * std::sin(a));
        int age = (frame - i + 10) % 10;
        int alpha = age == 0 ? 255 : age == 1 ? 170 : age == 2 ? 100 : 45;
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(kAccent, alpha));
        p.drawEllipse(dot, age == 0 ? 2.4 : 2.0, age == 0 ? 2.4 : 2.0);
    }
    return image;
}

}  // namespace

double SliderThumbCentre(int position, int range, int width, int margin) {
    if (range <= 0) {
        return margin;
    }
    return margin + static_cast<double>(position) * (width - 2 * margin) / range;
}

std::vector<std::pair<std::string, QImage>> PaintPanelBitmaps() {
    std::vector<std::pair<std::string, QImage>> out;
    auto add = [&out](std::string_view name, QImage image) {
        out.emplace_back(std::string(name), std::move(image));
    };
    add(kLightingOffPicture, Switch(false));
    add(kLightingOnPicture, Switch(true));
    for (int k = 0; k <= 5; ++k) {
        add(SliderPictureName(kBrightnessFirstPicture + k), SliderFace(k, 5));
        add(SliderPictureName(kSpeedFirstPicture + k), SliderFace(k, 5));
    }
    for (int k = 0; k <= kFineSliderRange; ++k) {
        add(SliderPictureName(kFineFirstPicture + k), SliderFace(k, kFineSliderRange));
    }
    add(kPlusPicture, StepButton(true));
    add(kMinusPicture, StepButton(false));
    // Direction: "down" pictures are the chosen ones.
    add(kLeftRightPictures.firstOnFirst, DirectionChip(Glyph::kLeft, true));
    add(kLeftRightPictures.firstOnSecond, DirectionChip(Glyph::kLeft, false));
    add(kLeftRightPictures.secondOnFirst, DirectionChip(Glyph::kRight, false));
    add(kLeftRightPictures.secondOnSecond, DirectionChip(Glyph::kRight, true));
    add(kUpDownPictures.firstOnFirst, DirectionChip(Glyph::kUp, true));
    add(kUpDownPictures.firstOnSecond, DirectionChip(Glyph::kUp, false));
    add(kUpDownPictures.secondOnFirst, DirectionChip(Glyph::kDown, false));
    add(kUpDownPictures.secondOnSecond, DirectionChip(Glyph::kDown, true));
    add(kOutwardInwardPictures.firstOnFirst, DirectionChip(Glyph::kOutward, true));
    add(kOutwardInwardPictures.firstOnSecond, DirectionChip(Glyph::kOutward, false));
    add(kOutwardInwardPictures.secondOnFirst, DirectionChip(Glyph::kInward, false));
    add(kOutwardInwardPictures.secondOnSecond, DirectionChip(Glyph::kInward, true));
    add(kColourfulOffPicture, ColourfulChip(false));
    add(kColourfulOnPicture, ColourfulChip(true));
    const std::uint32_t choices[4] = {0xFF3B3B, 0xFFD23B, 0x3BE36B, 0x3B7BFF};
    for (std::size_t i = 0; i < 4; ++i) {
        add(kColourChoicePictures[i], ChoiceChip(choices[i], false));
        add(kColourChoiceChosenPictures[i], ChoiceChip(choices[i], true));
    }
    add(kToolPictures[0], ToolChip(true, true));    // user1down
    add(kToolPictures[1], ToolChip(false, false));  // user2up
    add(kToolPictures[2], ToolChip(true, false));   // user1up
    add(kToolPictures[3], ToolChip(false, true));   // user2down
    const std::uint32_t swatches[kSwatchPictureCount] = {0xFF3B3B, 0xFF8A24, 0xFFE03B, 0x3BE36B,
                                                         0x2AD4FF, 0x3B6BFF, 0xB04BFF, 0xFFFFFF};
    for (int i = 0; i < kSwatchPictureCount; ++i) {
        add(SwatchPictureName(i + 1), Swatch(swatches[i]));
    }
    for (int i = 0; i < kBusyPictureCount; ++i) {
        add(BusyPictureName(i + 1), BusyFrame(i));
    }
    return out;
}

}  // namespace q804::skingen
