#!/usr/bin/env python3
"""Writes data/Skins/UserDengColor_3.userd, the template of the ten user lighting modes.

Each mode gives every key (by its colour index) a colour and says whether that colour is the
mode's base colour. Colour indices run in rows of 21 across the keyboard, which is what the
gradients below use. Run it again after changing a mode; the output is committed.
"""
import colorsys
import os

# Colour indices of the 106 keys of the drawn keyboard, plus Fn (110).
KEY_COLOUR_INDICES = sorted({
    64, 90, 88, 66, 45, 67, 68, 69, 50, 70, 71, 72, 92, 91, 51, 52, 43, 46, 65, 47, 49, 89,
    44, 87, 48, 86, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 76, 0, 34, 42, 108, 32, 33, 53,
    54, 75, 73, 74, 21, 93, 94, 95, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 35, 56,
    36, 57, 37, 58, 99, 120, 119, 121, 15, 63, 111, 105, 113, 84, 97, 107, 109, 106, 112,
    101, 102, 103, 80, 81, 82, 59, 60, 61, 123, 38, 104, 124, 39, 40, 41, 62, 85, 96, 110,
})
WASD_AND_ARROWS = {44, 64, 65, 66, 99, 119, 120, 121}


def rgb_of_hue(h, s=1.0, v=1.0):
    r, g, b = colorsys.hsv_to_rgb(h % 1.0, s, v)
    return round(r * 255), round(g * 255), round(b * 255)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def position(index):
    row, col = divmod(index, 21)
    return row / 5.0, col / 20.0


MODES = [
    ("Ocean", lambda i: blend((0, 40, 200), (0, 230, 255), position(i)[1]), (0, 40, 200), (255, 255, 255)),
    ("Sunset", lambda i: blend((255, 120, 0), (200, 0, 160), position(i)[1]), (255, 120, 0), (255, 220, 0)),
    ("Aurora", lambda i: blend((0, 255, 140), (120, 0, 255), position(i)[0]), (0, 255, 140), (255, 255, 255)),
    ("Rainbow", lambda i: rgb_of_hue(position(i)[1] * 0.85), (255, 0, 0), (255, 255, 255)),
    ("WASD", lambda i: (255, 30, 0) if i in WASD_AND_ARROWS else (0, 60, 255), (0, 60, 255), (255, 30, 0)),
    ("Fire", lambda i: blend((255, 220, 0), (255, 0, 0), position(i)[0]), (255, 0, 0), (255, 220, 0)),
    ("Ice", lambda i: blend((255, 255, 255), (60, 160, 255), position(i)[0]), (60, 160, 255), (255, 255, 255)),
    ("Forest", lambda i: blend((20, 120, 0), (180, 255, 60), position(i)[1]), (20, 120, 0), (255, 200, 0)),
    ("Neon", lambda i: (255, 0, 200) if (i // 21) % 2 == 0 else (0, 255, 230), (255, 0, 200), (0, 255, 230)),
    ("White", lambda i: (255, 255, 255), (255, 255, 255), (0, 160, 255)),
]


def main():
    lines = ["[PRESENTMODE]", "mode=0", "", "[MODENAME]"]
    lines += [f"{n}={name}" for n, (name, *_rest) in enumerate(MODES)]
    for n, (_name, colour_of, base, paint) in enumerate(MODES):
        lines += ["", f"[Mode{n}]", "tool=0", "jcolor=%d,%d,%d" % base, "color=%d,%d,%d" % paint]
        for index in KEY_COLOUR_INDICES:
            r, g, b = colour_of(index)
            flag = 1 if (r, g, b) == base else 0
            lines.append(f"{index}={r},{g},{b},{flag}")
    out = os.path.join(os.path.dirname(__file__), "..", "data", "Skins", "UserDengColor_3.userd")
    with open(out, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
