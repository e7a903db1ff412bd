// Names of keys: the shown text from the language file and the English names that the
// command-line tool prints and accepts.

#include <array>
#include <charconv>

#include "common/text_format.h"
#include "common/utf.h"
#include "lang/language.h"
#include "model/key_info_table.h"
#include "model/key_tables.h"

namespace q804::model {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (lower(left[i]) != lower(right[i])) {
            return false;
        }
    }
    return true;
}

// The arrow rows are named by their arrows, which nobody types on a command line.
struct NameAlias {
    std::string_view alias;
    KeyCode code;
};
constexpr std::array<NameAlias, 4> kNameAliases = {{
    {"Up", 0x148},
    {"Down", 0x150},
    {"Left", 0x14B},
    {"Right", 0x14D},
}};

// "G1" to "G18" -> 1..18; anything else (no digits, leading zero, signs) -> nothing.
std::optional<int> GKeyNumberOfName(std::string_view name) {
    if (name.size() < 2 || (name[0] != 'G' && name[0] != 'g') || name[1] == '0') {
        return std::nullopt;
    }
    int number = 0;
    const char* first = name.data() + 1;
    const char* last = name.data() + name.size();
    auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < 1 || number > kGKeySlotCount) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::string KeyNameOfCode(LanguageTables& language, KeyCode code, std::size_t capacity) {
    const KeyInfoRow& row = KeyInfo(KeySlotOfCode(code));
    std::string text;
    if (!row.textKey.empty()) {
        text = language.LangText(row.textKey);
    }
    if (text.empty()) {
        text = FormatText(language.LangText("UNKNOWN_KEY"), static_cast<std::int64_t>(code));
    }
    if (capacity == 0) {
        return {};
    }
    return std::string(Utf8Prefix(text, capacity - 1));
}

std::string PickerNameAt(LanguageTables& language, int position) {
    const KeyCode code = PickerCodeAt(position);
    if (code == kNoKey) {
        return {};
    }
    const KeyInfoRow& row = KeyInfo(KeySlotOfCode(code));
    return row.textKey.empty() ? std::string() : language.LangText(row.textKey);
}

std::optional<KeyCode> KeyCodeOfName(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    for (int slot = 0; slot < kKeyInfoRowCount; ++slot) {
        if (EqualsIgnoringAsciiCase(kKeyInfoTable[static_cast<std::size_t>(slot)].name, name)) {
            return CodeOfKeySlot(slot);
        }
    }
    for (const NameAlias& alias : kNameAliases) {
        if (EqualsIgnoringAsciiCase(alias.alias, name)) {
            return alias.code;
        }
    }
    if (auto number = GKeyNumberOfName(name)) {
        return static_cast<KeyCode>(kFirstGKeyCode + *number - 1);
    }
    return std::nullopt;
}

std::string EnglishNameOfCode(KeyCode code) {
    if (code >= kFirstGKeyCode && code < kFirstGKeyCode + kGKeySlotCount) {
        return "G" + std::to_string(code - kFirstGKeyCode + 1);
    }
    const KeySlot slot = KeySlotOfCode(code);
    // Codes that only fold onto a row's slot (0x1A9 onto slot 41) are not that key.
    if (CodeOfKeySlot(slot) != code) {
        return {};
    }
    return std::string(KeyInfo(slot).name);
}

}  // namespace q804::model
