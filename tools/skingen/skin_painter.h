#pragma once

// Paints the pictures of the three dialogs from their layout tables.

#include <QImage>
#include <string>

#include "tools/skingen/draw_kit.h"
#include "tools/skingen/skin_table.h"

namespace q804::skingen {

// The "SCREEN" "Main" picture: the dialog's ground, drawn at the dialog's top-left.
QImage PaintBackground(const DialogLayout& dialog);
// The "SCREEN" "Mask" picture: black where the window is, white (0xFFFFFF) outside.
QImage PaintMask(const DialogLayout& dialog);
// One full-window state picture of an image set. Buttons copy their piece from (x - 1,
// y - 1) of these pictures, so the scene is drawn one pixel up and to the left of the
// background and the pieces sit seamlessly on it.
QImage PaintStatePicture(const DialogLayout& dialog, int imageSet, Look look);
// "Arrow.jpg": the arrow sprites at their "BUTTONINFO2" positions.
QImage PaintArrowSheet(const DialogLayout& dialog);

// The layout file's text: "SCREEN" and "BUTTONINFO" (and "BUTTONINFO2") from the table.
std::string LayoutFileText(const DialogLayout& dialog);

}  // namespace q804::skingen
