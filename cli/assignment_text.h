#pragma once

// How q804ctl names assignments: the targets "show" prints are the ones "assign" accepts.

#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "model/store_image.h"

namespace q804::cli {

// "Default", "Disabled", "Key", ... ; "Unknown" for types this program does not know.
std::string_view TypeName(std::uint16_t type);

// The English name of a slot's key ("Caps Lock", "G3"), or "slot N".
std::string SlotName(int slot);

// The target of an entry: "default", "disabled", "key:Right Win", "mouse:left",
// "media:Play/Pause", "function:4", "macro:ID:LOOPS", "stop-macro", "program", "text".
std::string TargetOf(const model::AssignmentEntry& entry);

// Parses a target as "assign" takes it. The slot decides the extra word of G keys and
// turns a key assigned to itself into the default.
Result<model::AssignmentEntry> ParseTarget(std::string_view target, int slot);

}  // namespace q804::cli
