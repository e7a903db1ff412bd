#pragma once

// The drawn keyboard: every key button of the main window at its physical place.

#include <span>

namespace q804::skingen {

struct KeyPlace {
    int buttonId;
    unsigned code;  // key code; the skin key is "KEY_%03X" of its slot
    int xq;         // left edge in quarter units from the main block's left edge
    int row;        // 0 = function-key row, 5 = bottom row
    int wq;         // width in quarter units
    int rows;       // height in rows (2 for the tall keypad keys)
    const char* legend;
    const char* subLegend;  // shifted character, drawn small above the legend
};

// The 106 keys of the key-button order, in rows from the top.
std::span<const KeyPlace> KeyboardKeys();

// Slot of a key code: codes below 0x100 are their own slot, codes 0x100-0x1FF the code
// minus 0x80 truncated to eight bits.
unsigned SlotOfCode(unsigned code);

}  // namespace q804::skingen
