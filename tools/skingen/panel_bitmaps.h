#pragma once

// The lighting panel's bitmaps: switch, slider faces, step buttons, direction, colourful,
// colour-choice and tool chips, swatches and the busy indicator. Bitmaps have no
// transparency, so each is painted on the panel card's colour.

#include <QImage>
#include <string>
#include <utility>
#include <vector>

namespace q804::skingen {

std::vector<std::pair<std::string, QImage>> PaintPanelBitmaps();

// Thumb centre of a bitmap slider position: the rule CBitmapSlider::ThumbCentre follows.
double SliderThumbCentre(int position, int range, int width, int margin);

}  // namespace q804::skingen
