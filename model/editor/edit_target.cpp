#include "model/editor/edit_target.h"

namespace q804::model::editor {

std::optional<EditTarget> ResolveEditTarget(KeyButtonId button, int bank) {
    EditTarget target;
    target.button = button;
    target.macroOnly = button == kMacroOnlyButton;
    if (auto j = GKeyIndexOfButton(button)) {
        target.gKey = *j;
        target.slot = GKeySlotOfButton(button, bank == 0 ? 0 : 1);
        return target;
    }
    if (auto row = KeyButtonRowOfId(button)) {
        target.slot = KeySlotOfCode(kKeyButtonOrder[static_cast<std::size_t>(*row)].code);
        return target;
    }
    return std::nullopt;
}

KeySlot ColourFlagSlot(KeyButtonId button, int bank) {
    if (auto j = GKeyIndexOfButton(button)) {
        return bank == 0 ? *j : *j + kGKeyButtonCount;
    }
    if (auto row = KeyButtonRowOfId(button)) {
        return *row;
    }
    return kNoSlot;
}

ScreenPoint PlaceNextToKey(const ScreenRect& key, int width, int height, int screenWidth,
                           int screenHeight) {
    const bool roomBelow = screenHeight - key.bottom >= height;
    const bool roomAbove = key.top >= height;
    if (screenWidth - key.right >= width) {
        if (roomBelow) {
            return {key.right, key.bottom};
        }
        if (roomAbove) {
            return {key.right, key.top - height};
        }
    }
    if (key.left >= width) {
        if (roomBelow) {
            return {key.left - width, key.bottom};
        }
        if (roomAbove) {
            return {key.left - width, key.top - height};
        }
    }
    return {key.right, key.bottom};
}

ScreenPoint CentreOnScreen(int width, int height, int screenWidth, int screenHeight) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace q804::model::editor
