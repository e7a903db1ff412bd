#pragma once

// What the key buttons of the main window show of the store: a mark on every key that does
// something else than its factory function, and a tooltip that says what. Also the two
// store operations on all key buttons at once: restoring the factory functions and the
// colour-select flag of one key.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/language.h"
#include "model/assignment_store.h"
#include "model/key_tables.h"

namespace q804::model::editor {

struct KeyLook {
    KeyButtonId button = 0;
    bool marked = false;  // drawn latched: the key has an assignment
    std::string tooltip;
    friend bool operator==(const KeyLook&, const KeyLook&) = default;
};

// The name a button's tooltip begins with: its key's name, or "G1" ... "G9" for a G key.
std::string KeyBaseText(LanguageTables& language, KeyButtonId button);

// The look of one button for its entry. Macro names come from the store's macro list.
KeyLook KeyTooltipText(LanguageTables& language, KeyButtonId button, std::string_view base,
                       const AssignmentEntry& entry, const WorkingStore& store);

// The looks of the nine G keys (of the bank shown) and then the 106 keys, in the key button
// order, for one profile.
std::vector<KeyLook> AllKeyLooks(LanguageTables& language, const WorkingStore& store, int profile,
                                 int bank);

// Gives the 115 keys of the profile (its G keys in the bank shown) their factory function.
// The colour-select flags that share these entries stay as they are, and the G keys keep
// their function codes, so the entries are what a freshly cleared profile holds.
void ResetProfileKeys(WorkingStore& store, int profile, int bank);

// Inverts a button's colour-select flag in the profile (any non-zero flag counts as set);
// the new state, or nothing for a button without a flag or a profile outside 0-2.
std::optional<bool> ToggleColourSelection(WorkingStore& store, int profile, KeyButtonId button,
                                          int bank);

}  // namespace q804::model::editor
