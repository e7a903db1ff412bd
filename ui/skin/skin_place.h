#pragma once

// The four placement operations: every control's place comes from its dialog's layout file.

#include <QImage>
#include <QRect>
#include <string_view>

#include "ui/skin/layout/skin_layout.h"
#include "ui/skin/skin_image.h"

class QWidget;

namespace q804 {

class CPngButton;

QRect ToQRect(const SkinRect& rect);

// Moves and sizes the control to its rectangle (without asking for a repaint).
void PlaceFromSkin(QWidget& control, const SkinLayout& skin, std::string_view key);

// As PlaceFromSkin, then gives the button its source position (the rectangle's x and y) and
// the pictures of the set. A button left at the default position (1, 1) is disabled: its
// key is missing, so it has no place and no picture to show.
void PlaceSkinnedButton(CPngButton& button, const SkinLayout& skin, std::string_view key,
                        const ImageSet& pictures);

// Moves the control to the rectangle's x and y, keeping its size, and repaints it.
void MoveFromSkin(QWidget& control, const SkinLayout& skin, std::string_view key);

// As PlaceFromSkin with key; then shows, in every state, the piece of the one picture at
// the position that key2 gives in "BUTTONINFO2" (copied, like every image button's piece,
// from one pixel up and left of that position).
void PlacePicture(CPngButton& button, const SkinLayout& skin, std::string_view key,
                  std::string_view key2, const QImage& picture);

}  // namespace q804
