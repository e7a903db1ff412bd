#include "cli/assignment_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "model/key_tables.h"

namespace q804::cli {

namespace {

using model::AssignmentEntry;
using model::AssignmentType;

struct MouseTarget {
    std::string_view name;
    model::KeyCode code;
};
constexpr std::array<MouseTarget, 5> kMouseTargets = {{
    {"left", model::kMouseLeft},
    {"right", model::kMouseRight},
    {"middle", model::kMouseMiddle},
    {"wheel-up", model::kWheelUp},
    {"wheel-down", model::kWheelDown},
}};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<unsigned> ParseNumber(std::string_view text) {
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

AssignmentEntry Typed(AssignmentType type, std::uint32_t value = 0) {
    AssignmentEntry entry;
    entry.type = static_cast<std::uint16_t>(type);
    entry.value = value;
    return entry;
}

}  // namespace

std::string_view TypeName(std::uint16_t type) {
    static constexpr std::array<std::string_view, 9> kNames = {
        "Default",   "Disabled",  "Key",   "LaunchProgram", "Macro",
        "StopMacro", "TextBlock", "Media", "Function"};
    return type < kNames.size() ? kNames[type] : "Unknown";
}

std::string SlotName(int slot) {
    std::string name = model::EnglishNameOfCode(model::CodeOfKeySlot(slot));
    return name.empty() ? "slot " + std::to_string(slot) : name;
}

std::string TargetOf(const AssignmentEntry& entry) {
    switch (entry.kind()) {
        case AssignmentType::kDefault:
            return "default";
        case AssignmentType::kDisabled:
            return "disabled";
        case AssignmentType::kKey: {
            for (const MouseTarget& mouse : kMouseTargets) {
                if (mouse.code == entry.value) {
                    return "mouse:" + std::string(mouse.name);
                }
            }
            const std::string name =
                model::EnglishNameOfCode(static_cast<model::KeyCode>(entry.value));
            return "key:" + (name.empty() ? std::to_string(entry.value) : name);
        }
        case AssignmentType::kLaunchProgram:
            return "program";
        case AssignmentType::kMacro:
            return "macro:" + std::to_string(entry.value) + ":" + std::to_string(entry.extra);
        case AssignmentType::kStopMacro:
            return "stop-macro";
        case AssignmentType::kTextBlock:
            return "text";
        case AssignmentType::kMedia:
            if (entry.value < model::kMediaTable.size()) {
                return "media:" + std::string(model::kMediaTable[entry.value].name);
            }
            return "media:" + std::to_string(entry.value);
        case AssignmentType::kFunction:
            return "function:" + std::to_string(entry.value);
    }
    return "type " + std::to_string(entry.type);
}

Result<AssignmentEntry> ParseTarget(std::string_view target, int slot) {
    const std::size_t colon = target.find(':');
    const std::string_view kind = target.substr(0, colon);
    const std::string_view rest =
        colon == std::string_view::npos ? std::string_view() : target.substr(colon + 1);
    AssignmentEntry entry;
    if (EqualsNoCase(target, "default")) {
        entry = Typed(AssignmentType::kDefault);
    } else if (EqualsNoCase(target, "disabled")) {
        entry = Typed(AssignmentType::kDisabled);
    } else if (EqualsNoCase(target, "stop-macro")) {
        entry = Typed(AssignmentType::kStopMacro);
    } else if (EqualsNoCase(kind, "key")) {
        const auto code = model::KeyCodeOfName(rest);
        if (!code || *code >= model::kFirstGKeyCode) {
            return Error{"unknown key '" + std::string(rest) + "' (see 'q804ctl keys')"};
        }
        // A key given its own function is simply back to default.
        entry = model::KeySlotOfCode(*code) == slot ? Typed(AssignmentType::kDefault)
                                                    : Typed(AssignmentType::kKey, *code);
    } else if (EqualsNoCase(kind, "mouse")) {
        auto it =
            std::find_if(kMouseTargets.begin(), kMouseTargets.end(),
                         [&](const MouseTarget& mouse) { return EqualsNoCase(mouse.name, rest); });
        if (it == kMouseTargets.end()) {
            return Error{"unknown mouse action '" + std::string(rest) +
                         "' (left, right, middle, wheel-up, wheel-down)"};
        }
        entry = Typed(AssignmentType::kKey, it->code);
    } else if (EqualsNoCase(kind, "media")) {
        std::optional<unsigned> index = ParseNumber(rest);
        for (std::size_t i = 0; !index && i < model::kMediaTable.size(); ++i) {
            if (EqualsNoCase(model::kMediaTable[i].name, rest)) {
                index = static_cast<unsigned>(i);
            }
        }
        if (!index || *index >= model::kMediaTable.size()) {
            return Error{"unknown media function '" + std::string(rest) + "' (0-17 or its name)"};
        }
        entry = Typed(AssignmentType::kMedia, *index);
    } else if (EqualsNoCase(kind, "function")) {
        const auto index = ParseNumber(rest);
        if (!index || *index >= static_cast<unsigned>(model::kFunctionCount)) {
            return Error{"unknown keyboard function '" + std::string(rest) + "' (0-10)"};
        }
        entry = Typed(AssignmentType::kFunction, *index);
    } else if (EqualsNoCase(kind, "macro")) {
        const std::size_t second = rest.find(':');
        const auto id = ParseNumber(rest.substr(0, second));
        const auto loops = second == std::string_view::npos ? std::optional<unsigned>(1)
                                                            : ParseNumber(rest.substr(second + 1));
        if (!id || *id == 0 || *id > 0xFFFF || !loops || *loops < 1 || *loops > 255) {
            return Error{"a macro target is macro:ID or macro:ID:LOOPS with LOOPS 1-255"};
        }
        entry = Typed(AssignmentType::kMacro, *id);
        entry.extra = static_cast<std::uint16_t>(*loops);
        return entry;  // a macro's extra word is its loop count, on G keys too
    } else {
        return Error{"unknown target '" + std::string(target) + "'"};
    }
    entry.extra = model::GKeyFunctionCode(slot);
    return entry;
}

}  // namespace q804::cli
