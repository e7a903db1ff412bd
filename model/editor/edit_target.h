#pragma once

// Which entry of the store a key button stands for, and where the editor goes on screen.

#include <optional>

#include "model/key_tables.h"

namespace q804::model::editor {

// The ninth G key. The main window's macro-edit button opens the editor for it, and the
// editor then offers only its macro page: it is the program's macro manager.
inline constexpr KeyButtonId kMacroOnlyButton = 1143;

struct EditTarget {
    KeyButtonId button = 0;
    KeySlot slot = kNoSlot;   // the entry edited in the current profile
    std::optional<int> gKey;  // position 0-8 among the G keys
    bool macroOnly = false;
};

// A G key edits slot 256 + j in bank A (0) and 265 + j in bank B (any other value); a key
// of the drawn keyboard edits the slot of its key code. Nothing for any other button.
std::optional<EditTarget> ResolveEditTarget(KeyButtonId button, int bank);

// The slot whose colourSelected word keeps the button's colour-select flag: the button's row
// in the key button order, or j (j + 9 in bank B) for G key j; kNoSlot for other buttons.
KeySlot ColourFlagSlot(KeyButtonId button, int bank);

// Screen geometry in pixels, right and bottom exclusive as on Windows.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Top-left corner of a width x height dialog beside the key rectangle, on a screen of the
// given size: below-right, above-right, below-left, above-left, whichever fits first;
// below-right when none does.
ScreenPoint PlaceNextToKey(const ScreenRect& key, int width, int height, int screenWidth,
                           int screenHeight);

ScreenPoint CentreOnScreen(int width, int height, int screenWidth, int screenHeight);

}  // namespace q804::model::editor
