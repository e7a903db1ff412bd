#include "model/macro_record.h"

#include <algorithm>
#include <cassert>

#include "common/byte_io.h"

namespace q804::model {

MacroRecord::MacroRecord(std::span<const std::uint8_t, kMacroRecordSize> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::u16string MacroRecord::name() const {
    std::u16string name;
    for (std::size_t i = 0; i < kMacroNameMaxChars; ++i) {
        const char16_t unit = static_cast<char16_t>(ReadU16(bytes_, macro::kName + 2 * i));
        if (unit == 0) {
            break;
        }
        name.push_back(unit);
    }
    return name;
}

void MacroRecord::setName(std::u16string_view name) {
    name = name.substr(0, kMacroNameMaxChars);
    std::fill(bytes_.begin() + macro::kName, bytes_.begin() + macro::kName + 2 * kMacroNameUnits,
              0);
    for (std::size_t i = 0; i < name.size(); ++i) {
        WriteU16(bytes_, macro::kName + 2 * i, static_cast<std::uint16_t>(name[i]));
    }
}

std::uint16_t MacroRecord::isNewMacro() const {
    return ReadU16(bytes_, macro::kIsNewMacro);
}
void MacroRecord::setIsNewMacro(std::uint16_t flag) {
    WriteU16(bytes_, macro::kIsNewMacro, flag);
}
std::uint16_t MacroRecord::id() const {
    return ReadU16(bytes_, macro::kId);
}
void MacroRecord::setId(std::uint16_t id) {
    WriteU16(bytes_, macro::kId, id);
}
std::uint16_t MacroRecord::actionCount() const {
    return ReadU16(bytes_, macro::kActionCount);
}

std::size_t MacroRecord::usableActionCount() const {
    return std::min<std::size_t>(actionCount(), kMacroMaxActions);
}

MacroAction MacroRecord::action(std::size_t index) const {
    assert(index < kMacroMaxActions);
    const std::size_t at = macro::kActions + index * kMacroActionSize;
    return MacroAction{ReadU32(bytes_, at + macro::kActionDelay),
                       ReadU16(bytes_, at + macro::kActionCode),
                       ReadU16(bytes_, at + macro::kActionRelease)};
}

void MacroRecord::setActions(std::span<const MacroAction> actions) {
    actions = actions.first(std::min(actions.size(), kMacroMaxActions));
    std::fill(bytes_.begin() + macro::kActions, bytes_.end(), 0);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const std::size_t at = macro::kActions + i * kMacroActionSize;
        WriteU32(bytes_, at + macro::kActionDelay, actions[i].delayMs);
        WriteU16(bytes_, at + macro::kActionCode, actions[i].code);
        WriteU16(bytes_, at + macro::kActionRelease, actions[i].release);
    }
    WriteU16(bytes_, macro::kActionCount, static_cast<std::uint16_t>(actions.size()));
}

}  // namespace q804::model
