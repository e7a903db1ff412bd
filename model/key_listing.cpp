#include "model/key_listing.h"

#include <algorithm>
#include <cstdio>

#include "common/json_text.h"
#include "common/utf.h"
#include "lang/language.h"
#include "model/key_info_table.h"

namespace q804::model {
namespace {

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

// Pads by characters, not bytes, so that names like the arrows line up.
std::string PadRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    const std::size_t length = Utf8Length(text);
    if (length < width) {
        padded.append(width - length, ' ');
    }
    return padded;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void WriteJsonString(std::ostream& out, std::string_view text) { out << JsonQuote(text); }

template <typename T>
void WriteJsonOptional(std::ostream& out, const std::optional<T>& value) {
    if (value) {
        out << *value;
    } else {
        out << "null";
    }
}

KeyListEntry EntryOfCode(LanguageTables& language, KeyCode code) {
    KeyListEntry entry;
    entry.slot = KeySlotOfCode(code);
    entry.code = code;
    entry.usage = UsageOfKeyCode(code);
    entry.name = EnglishNameOfCode(code);
    entry.text = KeyNameOfCode(language, code);
    return entry;
}

}  // namespace

std::vector<KeyListEntry> BuildKeyList(LanguageTables& language) {
    std::vector<KeyListEntry> entries;
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        KeyListEntry entry = EntryOfCode(language, row.code);
        entry.button = row.button;
        entry.colourIndex = row.colourIndex;
        entries.push_back(std::move(entry));
    }
    for (KeySlot slot = 0; slot < kKeyInfoRowCount; ++slot) {
        const KeyCode code = CodeOfKeySlot(slot);
        const bool onAButton =
            std::any_of(kKeyButtonOrder.begin(), kKeyButtonOrder.end(),
                        [code](const KeyButtonRow& row) { return row.code == code; });
        if (!KeyInfo(slot).empty() && !onAButton) {
            entries.push_back(EntryOfCode(language, code));
        }
    }
    for (int k = 0; k < kGKeySlotCount; ++k) {
        KeyListEntry entry;
        entry.slot = kFirstGKeySlot + k;
        entry.code = CodeOfKeySlot(entry.slot);
        entry.button = kGKeyButtons[static_cast<std::size_t>(k % kGKeyButtonCount)];
        entry.colourIndex = kGKeyColourIndex;
        entry.name = EnglishNameOfCode(entry.code);
        // The language files carry no G-key names; the program labels them G1, G2, ...
        entry.text = entry.name;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void WriteKeyListText(std::ostream& out, const std::vector<KeyListEntry>& entries) {
    constexpr std::size_t kNameWidth = 14;
    out << "slot  code   button colour usage    " << PadRight("name", kNameWidth) << " text\n";
    for (const KeyListEntry& entry : entries) {
        const std::string usage =
            entry.usage.kind == UsageKind::kNone
                ? "-"
                : std::to_string(static_cast<int>(entry.usage.kind)) + ":" +
                      Hex(entry.usage.usage, entry.usage.kind == UsageKind::kConsumer ? 3 : 2);
        out << PadLeft(std::to_string(entry.slot), 4) << "  " << Hex(entry.code, 3) << "  "
            << PadLeft(entry.button ? std::to_string(*entry.button) : "-", 6) << " "
            << PadLeft(entry.colourIndex ? std::to_string(*entry.colourIndex) : "-", 6) << " "
            << PadRight(usage, 8) << " " << PadRight(entry.name, kNameWidth) << " " << entry.text
            << "\n";
    }
}

void WriteKeyListJson(std::ostream& out, const std::vector<KeyListEntry>& entries) {
    out << "[";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const KeyListEntry& entry = entries[i];
        out << (i == 0 ? "\n" : ",\n") << "  {\"slot\": " << entry.slot
            << ", \"code\": " << entry.code << ", \"button\": ";
        WriteJsonOptional(out, entry.button);
        out << ", \"colour_index\": ";
        WriteJsonOptional(out, entry.colourIndex);
        out << ", \"usage_kind\": " << static_cast<int>(entry.usage.kind)
            << ", \"usage\": " << entry.usage.usage << ", \"name\": ";
        WriteJsonString(out, entry.name);
        out << ", \"text\": ";
        WriteJsonString(out, entry.text);
        out << "}";
    }
    out << (entries.empty() ? "]\n" : "\n]\n");
}

}  // namespace q804::model
