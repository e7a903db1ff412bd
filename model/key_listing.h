#pragma once

// The list of every key the tools and the editor know, as the command-line tool prints it:
// the 106 key buttons in button order, then the other named codes (media, mouse, system,
// office and the keys the keyboard lacks) by slot, then the G-key slots 256-273.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/key_tables.h"

namespace q804 {
class LanguageTables;
}

namespace q804::model {

struct KeyListEntry {
    KeySlot slot = 0;
    KeyCode code = 0;
    std::optional<KeyButtonId> button;
    std::optional<ColourIndex> colourIndex;
    HidUsage usage;
    std::string name;  // English name, the one KeyCodeOfName accepts
    std::string text;  // name in the current language
};

std::vector<KeyListEntry> BuildKeyList(LanguageTables& language);

// One line per key under a heading line; absent button and colour print as "-".
void WriteKeyListText(std::ostream& out, const std::vector<KeyListEntry>& entries);

// A JSON list of {"slot", "code", "button", "colour_index", "usage_kind", "usage", "name",
// "text"}, numbers as numbers, absent button and colour as null. Scripts depend on it.
void WriteKeyListJson(std::ostream& out, const std::vector<KeyListEntry>& entries);

}  // namespace q804::model
