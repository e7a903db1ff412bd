#include "model/editor/key_looks.h"

#include <cstdint>

#include "common/utf.h"
#include "model/editor/edit_target.h"

namespace q804::model::editor {
namespace {

std::string MacroNameOfId(const WorkingStore& store, std::uint32_t id) {
    auto lock = store.Lock();
    for (const MacroRecord& macro : store.macros()) {
        if (macro.id() == id) {
            return Utf16ToUtf8(macro.name());
        }
    }
    return {};
}

std::string FunctionText(LanguageTables& language, std::uint32_t index) {
    // Numbered from 1 in the language file; an index no function has names a key no file
    // holds, which shows as the missing-text mark rather than as another function.
    return language.LangText("FUNC_KEY_DESC" + std::to_string(std::uint64_t{index} + 1));
}

bool IsValidProfile(int profile) {
    return profile >= 0 && profile < kStoreProfileCount;
}

}  // namespace

std::string KeyBaseText(LanguageTables& language, KeyButtonId button) {
    if (auto j = GKeyIndexOfButton(button)) {
        return "G" + std::to_string(*j + 1);
    }
    if (auto row = KeyButtonRowOfId(button)) {
        return KeyNameOfCode(language, kKeyButtonOrder[static_cast<std::size_t>(*row)].code);
    }
    return {};
}

KeyLook KeyTooltipText(LanguageTables& language, KeyButtonId button, std::string_view base,
                       const AssignmentEntry& entry, const WorkingStore& store) {
    KeyLook look{button, false, std::string(base)};
    if (entry.kind() == AssignmentType::kDefault) {
        return look;
    }
    look.marked = true;
    look.tooltip += language.LangText("KEY_PROMPT_SET");
    switch (entry.kind()) {
        case AssignmentType::kKey:
            look.tooltip += language.LangText("KEY_PROMPT_SINGLE") +
                            KeyNameOfCode(language, static_cast<KeyCode>(entry.value)) + ")";
            break;
        case AssignmentType::kMacro:
            look.tooltip +=
                language.LangText("KEY_PROMPT_MACRO") + MacroNameOfId(store, entry.value) + ")";
            break;
        case AssignmentType::kMedia: {
            const KeyCode code =
                entry.value < kMediaTable.size() ? kMediaTable[entry.value].code : kNoKey;
            look.tooltip +=
                language.LangText("KEY_PROMPT_MEDIA") + KeyNameOfCode(language, code) + ")";
            break;
        }
        case AssignmentType::kFunction:
            look.tooltip += language.LangText("KEY_PROMPT_FUNCTION") +
                            FunctionText(language, entry.value) + ")";
            break;
        default:
            break;
    }
    return look;
}

std::vector<KeyLook> AllKeyLooks(LanguageTables& language, const WorkingStore& store, int profile,
                                 int bank) {
    std::vector<KeyLook> looks;
    looks.reserve(kGKeyButtonCount + kKeyButtonCount);
    auto add = [&](KeyButtonId button, KeySlot slot) {
        const AssignmentEntry entry =
            IsValidProfile(profile) ? store.EntryAt(profile, slot) : AssignmentEntry{};
        looks.push_back(
            KeyTooltipText(language, button, KeyBaseText(language, button), entry, store));
    };
    for (KeyButtonId button : kGKeyButtons) {
        add(button, GKeySlotOfButton(button, bank == 0 ? 0 : 1));
    }
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        add(row.button, KeySlotOfCode(row.code));
    }
    return looks;
}

void ResetProfileKeys(WorkingStore& store, int profile, int bank) {
    if (!IsValidProfile(profile)) {
        return;
    }
    auto lock = store.Lock();
    auto reset = [&](KeySlot slot) {
        AssignmentEntry entry = store.EntryAt(profile, slot);
        entry.type = static_cast<std::uint16_t>(AssignmentType::kDefault);
        entry.extra = GKeyFunctionCode(slot);
        entry.value = 0;
        store.SetEntry(profile, slot, entry);
    };
    for (KeyButtonId button : kGKeyButtons) {
        reset(GKeySlotOfButton(button, bank == 0 ? 0 : 1));
    }
    for (const KeyButtonRow& row : kKeyButtonOrder) {
        reset(KeySlotOfCode(row.code));
    }
}

std::optional<bool> ToggleColourSelection(WorkingStore& store, int profile, KeyButtonId button,
                                          int bank) {
    const KeySlot slot = ColourFlagSlot(button, bank);
    if (!IsValidProfile(profile) || slot == kNoSlot) {
        return std::nullopt;
    }
    auto lock = store.Lock();
    AssignmentEntry entry = store.EntryAt(profile, slot);
    entry.colourSelected = entry.colourSelected != 0 ? 0 : 1;
    // The flag shares its entry with whatever key owns that slot; that key's text stays.
    const std::optional<std::u16string> text = store.TextAt(EntryNumber(profile, slot));
    store.SetEntry(profile, slot, entry, text ? std::u16string_view(*text) : std::u16string_view());
    return entry.colourSelected != 0;
}

}  // namespace q804::model::editor
