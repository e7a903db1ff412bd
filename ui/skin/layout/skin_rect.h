#pragma once

// A control's rectangle in a skin layout file: "x,y,w,h" in pixels of the dialog's client
// area, read the way "%d,%d,%d,%d" reads it.

#include <string>
#include <string_view>

namespace q804 {

struct SkinRect {
    int x = 1;
    int y = 1;
    int w = 1;
    int h = 1;

    // A control placed at (1, 1) is one whose key was missing or unreadable; image buttons
    // placed there are disabled.
    bool AtDefaultPosition() const { return x == 1 && y == 1; }
    bool operator==(const SkinRect&) const = default;
};

// The value used when a key is absent: a 1 x 1 control at (1, 1).
inline constexpr std::string_view kDefaultSkinRectText = "1,1,1,1,x";
inline constexpr SkinRect kDefaultSkinRect{};

// Coordinates and sizes beyond this are no layout anyone drew; a value holding one is
// treated as unreadable rather than producing a window larger than any screen.
inline constexpr int kSkinCoordinateLimit = 32767;

// Reads the four numbers. Each number is what "%d" accepts (leading blanks, an optional
// sign, decimal digits); the commas must follow the digits directly. A value with fewer than
// four numbers, or with a number outside +-kSkinCoordinateLimit, gives the default
// rectangle; a negative width or height becomes 0 (a control with no area).
SkinRect ParseSkinRect(std::string_view text);

// "x,y,w,h" as the skin files write it.
std::string FormatSkinRect(const SkinRect& rect);

}  // namespace q804
