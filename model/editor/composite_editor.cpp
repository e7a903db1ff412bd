#include "model/editor/composite_editor.h"

#include <algorithm>
#include <charconv>

namespace q804::model::editor {

Page PageOfKind(int kind) {
    switch (kind) {
        case kKindMacro:
            return Page::kMacro;
        case kKindMedia:
            return Page::kMedia;
        case kKindFunction:
            return Page::kFunction;
        default:
            return Page::kSingleKey;
    }
}

int KindOfPage(Page page) {
    switch (page) {
        case Page::kMacro:
            return kKindMacro;
        case Page::kMedia:
            return kKindMedia;
        case Page::kFunction:
            return kKindFunction;
        default:
            return kKindKey;
    }
}

bool IsKeptKind(int kind) {
    // Types no page writes, unknown numbers from damaged files included: the editor cannot
    // show what they hold, so it must not rewrite them by accident.
    return kind != kKindNothing && kind != kKindKey && kind != kKindMacro && kind != kKindMedia &&
           kind != kKindFunction;
}

std::optional<int> MouseChoiceOfCode(KeyCode code) {
    auto found = std::find(kMouseChoiceCodes.begin(), kMouseChoiceCodes.end(), code);
    if (found == kMouseChoiceCodes.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - kMouseChoiceCodes.begin());
}

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// The number a text holds (saturated far outside the loop count range); nothing when it
// holds none.
std::optional<long long> ParseNumber(std::string_view text) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        return std::nullopt;
    }
    constexpr unsigned long long kSaturation = 1'000'000;
    if (error == std::errc::result_out_of_range || value > kSaturation) {
        value = kSaturation;
    }
    const auto signedValue = static_cast<long long>(value);
    return negative ? -signedValue : signedValue;
}

}  // namespace

int LoopCountOfText(std::string_view text) {
    const long long value = ParseNumber(text).value_or(kMinLoopCount);
    return static_cast<int>(std::clamp<long long>(value, kMinLoopCount, kMaxLoopCount));
}

std::optional<std::string> CorrectedLoopCountText(std::string_view text) {
    // An emptied field is being typed into; it counts as 1 but is left alone.
    if (Trimmed(text).empty()) {
        return std::nullopt;
    }
    const std::optional<long long> value = ParseNumber(text);
    if (!value || *value < kMinLoopCount) {
        return std::to_string(kMinLoopCount);
    }
    if (*value > kMaxLoopCount) {
        return std::to_string(kMaxLoopCount);
    }
    return std::nullopt;
}

std::vector<MacroChoice> CopyMacroChoices(const WorkingStore& store) {
    auto lock = store.Lock();
    std::vector<MacroChoice> choices;
    choices.reserve(store.macros().size());
    for (const MacroRecord& macro : store.macros()) {
        MacroChoice choice;
        choice.id = macro.id();
        choice.name = macro.name();
        choice.loopCount = macro.loopCount();
        const std::size_t count = macro.usableActionCount();
        choice.actions.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            choice.actions.push_back(macro.action(i));
        }
        choices.push_back(std::move(choice));
    }
    return choices;
}

void CompositeEditor::Open(const EditTarget& target, int profile, const WorkingStore& store) {
    target_ = target;
    profile_ = profile;
    open_ = true;
    ++openCount_;

    // The lists start on their first entries and the loop count at 1 at every opening.
    choice_ = KeyChoice::kKeyboard;
    mouseEntry_ = 0;
    mediaEntry_ = 0;
    functionEntry_ = 0;
    loopCountText_ = "1";
    macros_ = CopyMacroChoices(store);
    currentMacro_ = -1;
    firstMacroVisit_ = true;

    AssignmentEntry entry;
    {
        auto lock = store.Lock();
        entry = store.EntryAt(profile, target.slot);
    }
    openedType_ = entry.type;
    currentKind_ = target.macroOnly ? kKindMacro : entry.type;
    storedValue_ = entry.value;

    // The dialog is reused: what the field showed at the last opening must not look like
    // this key's choice.
    capturedCode_ = kNoKey;
    fieldCode_ = kNoKey;
    ShowPage(true);
    applyEnabled_ = false;
}

void CompositeEditor::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    --openCount_;
    applyEnabled_ = false;
    macros_.clear();
    currentMacro_ = -1;
}

void CompositeEditor::ShowPage(bool initial) {
    switch (shownPage()) {
        case Page::kMacro:
            if (initial) {
                auto byId = std::find_if(macros_.begin(), macros_.end(), [this](const auto& m) {
                    return storedValue_ != 0 && m.id == storedValue_;
                });
                currentMacro_ = byId != macros_.end() ? static_cast<int>(byId - macros_.begin())
                                : macros_.empty()     ? -1
                                                      : 0;
                LoadCurrentMacro();
            } else if (firstMacroVisit_) {
                firstMacroVisit_ = false;
                if (currentMacro_ < 0) {
                    SelectDefaultMacro();
                }
            }
            break;
        case Page::kMedia:
            if (initial) {
                mediaEntry_ =
                    storedValue_ < kMediaTable.size() ? static_cast<int>(storedValue_) : 0;
            }
            break;
        case Page::kFunction:
            if (initial) {
                functionEntry_ =
                    storedValue_ < kFunctionTable.size() ? static_cast<int>(storedValue_) : 0;
            }
            break;
        case Page::kSingleKey:
            if (initial) {
                // Only a key entry's value is a key code; other types keep offsets, ids or
                // nothing there.
                capturedCode_ = openedType_ == kKindKey && storedValue_ <= 0xFFFF
                                    ? static_cast<KeyCode>(storedValue_)
                                    : kNoKey;
            }
            if (currentKind_ == kKindKey && capturedCode_ != kNoKey) {
                if (auto mouse = MouseChoiceOfCode(capturedCode_)) {
                    mouseEntry_ = *mouse;
                    choice_ = KeyChoice::kMouse;
                } else {
                    fieldCode_ = capturedCode_;
                    choice_ = KeyChoice::kKeyboard;
                }
            } else {
                choice_ = KeyChoice::kKeyboard;
            }
            break;
    }
}

void CompositeEditor::SelectDefaultMacro() {
    if (macros_.empty()) {
        return;
    }
    // The stored value names a macro only when the entry was one; a media index or a key
    // code there must not pick a macro by accident.
    int choice = 0;
    if (openedType_ == kKindMacro) {
        for (std::size_t i = 0; i < macros_.size(); ++i) {
            if (macros_[i].id == storedValue_) {
                choice = static_cast<int>(i);
                break;
            }
        }
    }
    currentMacro_ = choice;
    LoadCurrentMacro();
}

void CompositeEditor::LoadCurrentMacro() {
    if (currentMacro_ < 0 || currentMacro_ >= static_cast<int>(macros_.size())) {
        return;
    }
    const int count = macros_[static_cast<std::size_t>(currentMacro_)].loopCount;
    loopCountText_ = std::to_string(std::clamp(count, kMinLoopCount, kMaxLoopCount));
}

void CompositeEditor::StoreCurrentMacro() {
    if (currentMacro_ < 0 || currentMacro_ >= static_cast<int>(macros_.size())) {
        return;
    }
    macros_[static_cast<std::size_t>(currentMacro_)].loopCount =
        static_cast<std::uint8_t>(LoopCountOfText(loopCountText_));
}

bool CompositeEditor::ClickTab(Page page) {
    if (!open_ || !tabEnabled(page)) {
        return false;
    }
    if (page == Page::kSingleKey) {
        // Already there: nothing chosen, a key chosen, or an entry without a page of its own.
        if (shownPage() == Page::kSingleKey) {
            return false;
        }
    } else if (shownPage() == page) {
        return false;
    }
    currentKind_ = KindOfPage(page);
    ShowPage(false);
    applyEnabled_ = true;
    return true;
}

void CompositeEditor::ClickClear() {
    if (!open_ || !clearEnabled()) {
        return;
    }
    ClickTab(Page::kSingleKey);
    if (currentKind_ != kKindNothing) {
        fieldCode_ = kNoKey;
        // The cleared key must not come back through the keyboard choice.
        capturedCode_ = kNoKey;
        currentKind_ = kKindNothing;
        choice_ = KeyChoice::kKeyboard;
    }
}

void CompositeEditor::ChooseKeyboard() {
    if (!capturesKeys()) {
        return;
    }
    if (IsKeptKind(currentKind_) && choice_ == KeyChoice::kKeyboard) {
        return;  // ticking what is ticked changes nothing
    }
    choice_ = KeyChoice::kKeyboard;
    currentKind_ = kKindKey;
    // OK stores what the field shows: a mouse entry's code never appears there.
    capturedCode_ = fieldCode_;
}

void CompositeEditor::ChooseMouse() {
    if (!capturesKeys()) {
        return;
    }
    choice_ = KeyChoice::kMouse;
    currentKind_ = kKindKey;
}

void CompositeEditor::SelectMouseEntry(int index) {
    if (index >= 0 && index < static_cast<int>(kMouseChoiceCodes.size())) {
        mouseEntry_ = index;
    }
}

void CompositeEditor::SelectMediaEntry(int index) {
    if (index >= 0 && index < static_cast<int>(kMediaTable.size())) {
        mediaEntry_ = index;
    }
}

void CompositeEditor::SelectFunctionEntry(int index) {
    if (index >= 0 && index < static_cast<int>(kFunctionTable.size())) {
        functionEntry_ = index;
    }
}

void CompositeEditor::SelectMacro(int index) {
    if (index < 0 || index >= static_cast<int>(macros_.size()) || index == currentMacro_) {
        return;
    }
    StoreCurrentMacro();
    currentMacro_ = index;
    LoadCurrentMacro();
}

std::optional<std::string> CompositeEditor::SetLoopCountText(std::string_view text) {
    std::optional<std::string> corrected = CorrectedLoopCountText(text);
    loopCountText_ = corrected ? *corrected : std::string(text);
    if (open_) {
        applyEnabled_ = true;
    }
    return corrected;
}

CaptureOutcome CompositeEditor::OnKeyEvent(const KeyEventWords& event) {
    if (!capturesKeys()) {
        return {};
    }
    CaptureOutcome outcome = DecideKeyCapture(event, choice_);
    if (outcome.captured != kNoKey) {
        // The Windows and Menu keys are taken even with the mouse chosen; the field then
        // names them, so the keyboard choice must be what OK stores.
        choice_ = KeyChoice::kKeyboard;
        Capture(outcome.captured);
    }
    return outcome;
}

void CompositeEditor::Capture(KeyCode code) {
    fieldCode_ = code;
    capturedCode_ = code;
    currentKind_ = kKindKey;
    applyEnabled_ = true;
}

std::optional<AssignmentEntry> CompositeEditor::EntryToWrite(const AssignmentEntry& current) const {
    if (IsKeptKind(currentKind_)) {
        return std::nullopt;
    }
    AssignmentEntry entry = current;  // the colour-select flag and the reserved word stay
    entry.type = static_cast<std::uint16_t>(currentKind_);
    entry.extra = GKeyFunctionCode(target_.slot);
    entry.value = 0;
    auto toDefault = [&entry] {
        entry.type = static_cast<std::uint16_t>(AssignmentType::kDefault);
        entry.value = 0;
    };
    switch (currentKind_) {
        case kKindKey:
            if (choice_ == KeyChoice::kKeyboard) {
                // A key given its own meaning is back to its factory function.
                if (capturedCode_ == kNoKey || KeySlotOfCode(capturedCode_) == target_.slot) {
                    toDefault();
                } else {
                    entry.value = capturedCode_;
                }
            } else {
                entry.value = kMouseChoiceCodes[static_cast<std::size_t>(
                    std::clamp(mouseEntry_, 0, static_cast<int>(kMouseChoiceCodes.size()) - 1))];
            }
            break;
        case kKindMacro:
            if (macros_.empty()) {
                toDefault();
            } else {
                entry.value = currentMacro_ >= 0 && currentMacro_ < static_cast<int>(macros_.size())
                                  ? macros_[static_cast<std::size_t>(currentMacro_)].id
                                  : 0;
                entry.extra = static_cast<std::uint16_t>(LoopCountOfText(loopCountText_));
            }
            break;
        case kKindMedia:
            entry.value = static_cast<std::uint32_t>(mediaEntry_);
            break;
        case kKindFunction:
            entry.value = static_cast<std::uint32_t>(functionEntry_);
            break;
        default:
            break;
    }
    return entry;
}

bool CompositeEditor::Apply(WorkingStore& store) {
    if (!open_) {
        return false;
    }
    StoreCurrentMacro();
    applyEnabled_ = false;
    auto lock = store.Lock();
    std::optional<AssignmentEntry> entry = EntryToWrite(store.EntryAt(profile_, target_.slot));
    if (!entry) {
        return false;
    }
    store.SetEntry(profile_, target_.slot, *entry);
    return true;
}

}  // namespace q804::model::editor
