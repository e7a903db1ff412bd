#pragma once

// Painting primitives of the skin: cards, key caps, buttons, icons and texts in the one
// dark look of ui/skin/skin_style.h.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "tools/skingen/skin_table.h"

namespace q804::skingen {

// The state a picture shows.
enum class Look {
    kNormal,
    kHover,
    kPressed,
    kDisabled,
    kChecked,
    kColourOff,  // colour-select view, key not selected
    kColourOn,   // colour-select view, key selected
};

QColor Rgb(std::uint32_t rgb, int alpha = 255);
QFont SkinFont(double pixelSize, int weight = QFont::Normal);

void DrawWindowGround(QPainter& p, const QRectF& area, double headerHeight);
void DrawCard(QPainter& p, const QRectF& r, double radius = 10);
void DrawInset(QPainter& p, const QRectF& r, double radius = 8);
void DrawSeparator(QPainter& p, double x1, double x2, double y);
void DrawWordmark(QPainter& p, const QPointF& topLeft, double height);

void DrawKeyCap(QPainter& p, const QRectF& r, const QString& legend, const QString& subLegend,
                Look look, bool small = false);
void DrawGKeyCap(QPainter& p, const QRectF& r, const QString& name, Look look);
void DrawButtonFace(QPainter& p, const QRectF& r, Look look, bool primary, double radius = 6);
void DrawSegment(QPainter& p, const QRectF& r, Look look, const QString& label);
void DrawTab(QPainter& p, const QRectF& r, Look look);
void DrawWindowIcon(QPainter& p, const QRectF& r, Icon icon, Look look);
void DrawIndicator(QPainter& p, const QRectF& r, const QString& label, bool lit);
void DrawBank(QPainter& p, const QRectF& r, bool bankB, bool pressed);
void DrawLinkFace(QPainter& p, const QRectF& r, Look look);
void DrawPage(QPainter& p, const QRectF& r, Icon watermark);
void DrawTitle(QPainter& p, const QRectF& r, Icon icon, const QString& subtitle);

// Line icons, drawn inside r in the colour given.
void DrawIcon(QPainter& p, const QRectF& r, Icon icon, const QColor& colour);

// Colour of icons and texts on a face in the given look.
QColor FaceInk(Look look, bool primary = false);

}  // namespace q804::skingen
