#include "tools/skingen/skin_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/skin/skin_style.h"

namespace q804::skingen {
namespace {

using namespace q804::style;

constexpr int kRadius = 12;

QRectF RectOf(const Element& e) {
    return QRectF(e.rect.x, e.rect.y, e.rect.w, e.rect.h);
}

bool IsKey(const Element& e) {
    return e.face == Face::kKeyCap || e.face == Face::kGKey || e.face == Face::kSmallKey;
}

void PaintFace(QPainter& p, const Element& e, Look look) {
    QRectF r = RectOf(e);
    QString legend = QString::fromStdString(e.legend);
    QString sub = QString::fromStdString(e.subLegend);
    switch (e.face) {
        case Face::kNone:
            break;
        case Face::kKeyCap:
            DrawKeyCap(p, r, legend, sub, look);
            break;
        case Face::kGKey:
            DrawGKeyCap(p, r, sub, look);
            break;
        case Face::kSmallKey:
            DrawKeyCap(p, r, legend, QString(), look, true);
            break;
        case Face::kButton:
            DrawButtonFace(p, r, look, false);
            if (e.icon != Icon::kNone) {
                DrawIcon(p, r.adjusted(8, 8, -8, -8), e.icon, FaceInk(look));
            }
            break;
        case Face::kPrimary:
            DrawButtonFace(p, r, look, true);
            if (e.icon != Icon::kNone) {
                DrawIcon(p, r.adjusted(8, 8, -8, -8), e.icon, FaceInk(look, true));
            }
            break;
        case Face::kSegment:
            DrawSegment(p, r, look, QString());
            break;
        case Face::kLabelSegment:
            DrawSegment(p, r, look, legend);
            break;
        case Face::kIconButton: {
            DrawButtonFace(p, r, look, false);
            double inset = std::min(r.width(), r.height()) * 0.25;
            QRectF iconBox = r.adjusted(inset, inset, -inset, -inset);
            if (look == Look::kPressed) {
                iconBox.translate(0, 1);
            }
            DrawIcon(p, iconBox, e.icon, look == Look::kChecked ? Rgb(kAccentText) : FaceInk(look));
            break;
        }
        case Face::kWindowIcon:
            DrawWindowIcon(p, r, e.icon, look);
            break;
        case Face::kIndicator:
            DrawIndicator(p, r, legend, look == Look::kChecked || look == Look::kDisabled);
            break;
        case Face::kBank:
            DrawBank(p, r, look == Look::kHover, look == Look::kPressed);
            break;
        case Face::kTab:
            DrawTab(p, r, look);
            break;
        case Face::kLink:
            DrawLinkFace(p, r, look);
            break;
        case Face::kPage:
            break;  // drawn by the dialog's own painter: it depends on the image set
        case Face::kTitle:
            DrawTitle(p, r, e.icon, QStringLiteral("Q804 RGB"));
            break;
    }
}

// ---------------------------------------------------------------- frames

void PaintMainFrame(QPainter& p, const DialogLayout& d) {
    DrawWindowGround(p, QRectF(-2, -2, d.width + 4, d.height + 4), 48);
    DrawWordmark(p, QPointF(24, 15), 18);
    // Keyboard card with the key plate, and the lighting panel card.
    DrawCard(p, QRectF(16, 102, 1018, 318));
    DrawInset(p, QRectF(24, 142, 1002, 272), 8);
    DrawCard(p, QRectF(1046, 58, 270, 414));
    DrawSeparator(p, 1058, 1304, 104);
    DrawSeparator(p, 1058, 1304, 386);
    DrawSeparator(p, 1058, 1304, 424);
}

void PaintEditorFrame(QPainter& p, const DialogLayout& d, Icon titleIcon) {
    DrawWindowGround(p, QRectF(-2, -2, d.width + 4, d.height + 4), 44);
    DrawTitle(p, RectOf(*d.Find("CONTROL_TITLE")), titleIcon, QStringLiteral("Q804 RGB"));
    DrawSeparator(p, 16, d.width - 16, 84);
}

void PaintProfileFrame(QPainter& p, const DialogLayout& d) {
    DrawWindowGround(p, QRectF(-2, -2, d.width + 4, d.height + 4), 44);
    DrawTitle(p, QRectF(16, 8, 300, 30), Icon::kProfiles, QStringLiteral("Q804 RGB"));
    DrawInset(p, QRectF(14, 52, d.width - 28, 204), 6);
}

Icon PageEmblem(int imageSet) {
    switch (imageSet) {
        case kSetMacro:
        case kSetMacro2:
            return Icon::kMacro;
        case kSetMedia:
            return Icon::kMedia;
        case kSetFunction:
            return Icon::kGear;
        default:
            return Icon::kKeyboard;
    }
}

bool IsMacroOnlyFrameButton(const Element& e) {
    return e.key == "CONTROL_KEY" || e.key == "CONTROL_MEDIA" || e.key == "CONTROL_FUNCTION" ||
           e.key == "CONTROL_TITLE" || e.key == "CONTROL_CLEAR";
}

void PaintComposite(QPainter& p, const DialogLayout& d, int imageSet, Look look) {
    PaintEditorFrame(p, d, Icon::kKeyboard);
    for (const Element& e : d.elements) {
        if (e.kind != Kind::kImageButton) {
            continue;
        }
        if (e.face == Face::kPage) {
            DrawPage(p, RectOf(e), PageEmblem(imageSet));
            continue;
        }
        Look own = e.imageSet == imageSet ? look : Look::kNormal;
        if (imageSet == kSetMacro2 && IsMacroOnlyFrameButton(e)) {
            // In macro-only mode these buttons are disabled: the tabs and Clear fade into the
            // ground and the title names the macro manager.
            if (e.key == "CONTROL_TITLE") {
                DrawTitle(p, RectOf(e), Icon::kMacro, QStringLiteral("Q804 RGB"));
            } else if (look != Look::kDisabled) {
                PaintFace(p, e, look);
            }
            continue;
        }
        if (e.imageSet == kSetMacro && imageSet != kSetMacro) {
            continue;  // macro buttons exist only on the macro page
        }
        PaintFace(p, e, own);
    }
}

}  // namespace

QImage PaintBackground(const DialogLayout& d) {
    QImage image(d.width, d.height, QImage::Format_RGB32);
    QPainter p(&image);
    if (d.file == MainLayout().file) {
        PaintMainFrame(p, d);
    } else if (d.file == CompositeLayout().file) {
        PaintEditorFrame(p, d, Icon::kKeyboard);
        DrawPage(p, RectOf(*d.Find("CONTROL_MASK")), Icon::kKeyboard);
    } else {
        PaintProfileFrame(p, d);
    }
    return image;
}

QImage PaintMask(const DialogLayout& d) {
    QImage image(d.width, d.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // No antialiasing: the shape is a set of whole pixels.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, d.width, d.height), kRadius, kRadius);
    p.drawPath(shape);
    return image;
}

QImage PaintStatePicture(const DialogLayout& d, int imageSet, Look look) {
    QImage image(d.width, d.height, QImage::Format_RGB32);
    QPainter p(&image);
    p.translate(-1, -1);
    if (d.file == MainLayout().file) {
        PaintMainFrame(p, d);
        for (const Element& e : d.elements) {
            if (e.kind != Kind::kImageButton && e.kind != Kind::kKeyButton &&
                e.kind != Kind::kLinkButton) {
                continue;
            }
            Look own = look;
            if (look == Look::kDisabled) {
                // The main set has no checked picture of its own: keys and toggles show
                // their latched look in the disabled picture, other buttons their disabled
                // look.
                bool latches = IsKey(e) || e.face == Face::kSegment ||
                               e.face == Face::kLabelSegment || e.face == Face::kIndicator;
                own = latches ? Look::kChecked : Look::kDisabled;
            } else if ((look == Look::kColourOff || look == Look::kColourOn) && !IsKey(e)) {
                own = Look::kNormal;
            }
            PaintFace(p, e, own);
        }
    } else if (d.file == CompositeLayout().file) {
        PaintComposite(p, d, imageSet, look);
    } else {
        PaintProfileFrame(p, d);
        for (const Element& e : d.elements) {
            if (e.kind == Kind::kImageButton) {
                // The pressed picture serves also as the disabled one, so it shows a sunken,
                // quiet face that reads as either.
                PaintFace(p, e, look == Look::kPressed ? Look::kDisabled : look);
            }
        }
    }
    return image;
}

QImage PaintArrowSheet(const DialogLayout& d) {
    QImage sheet(d.arrowSheetWidth, d.arrowSheetHeight, QImage::Format_RGB32);
    QImage ground = PaintBackground(d);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (const PicturePosition& pos : d.picturePositions) {
        const Element& place = *d.Find(pos.right ? "RIGHT_ARROW" : "LEFT_ARROW");
        QRect cell(pos.rect.x - 1, pos.rect.y - 1, pos.rect.w, pos.rect.h);
        // The sprite carries the ground it is shown on, so it sits on the window seamlessly.
        p.drawImage(cell.topLeft(),
                    ground.copy(place.rect.x, place.rect.y, place.rect.w, place.rect.h));
        QColor ink = pos.frame == 1 ? Rgb(kAccent) : Rgb(kTextDim);
        QPointF c = QRectF(cell).center();
        double half = cell.width() / 2.0 - 1.5;
        QPolygonF arrow;
        if (pos.up) {
            arrow << QPointF(c.x(), c.y() - 6) << QPointF(c.x() + half, c.y() + 1)
                  << QPointF(c.x() + 2, c.y() + 1) << QPointF(c.x() + 2, c.y() + 7)
                  << QPointF(c.x() - 2, c.y() + 7) << QPointF(c.x() - 2, c.y() + 1)
                  << QPointF(c.x() - half, c.y() + 1);
        } else {
            arrow << QPointF(c.x(), c.y() + 6) << QPointF(c.x() + half, c.y() - 1)
                  << QPointF(c.x() + 2, c.y() - 1) << QPointF(c.x() + 2, c.y() - 7)
                  << QPointF(c.x() - 2, c.y() - 7) << QPointF(c.x() - 2, c.y() - 1)
                  << QPointF(c.x() - half, c.y() - 1);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(arrow);
    }
    return sheet;
}

std::string LayoutFileText(const DialogLayout& d) {
    std::string text = "; Skin layout, written by the skin generator from its layout table.\n";
    text += "[SCREEN]\nMain=" + d.background + "\nMask=" + d.mask + "\n";
    if (!d.link.empty()) {
        text += "Link=" + d.link + "\n";
    }
    text += "\n[BUTTONINFO]\n";
    for (const Element& e : d.elements) {
        text += e.key + "=" + FormatSkinRect(e.rect) + "\n";
    }
    if (!d.picturePositions.empty()) {
        text += "\n[BUTTONINFO2]\n";
        for (const PicturePosition& pos : d.picturePositions) {
            text += pos.key + "=" + FormatSkinRect(pos.rect) + "\n";
        }
    }
    return text;
}

}  // namespace q804::skingen
