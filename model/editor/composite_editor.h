#pragma once

// The assignment editor without its window: which page shows, what the user chose on it,
// and the entry Apply writes. The dialog draws this state and hands it every click and key;
// everything that decides what a key will do lives here.
//
// Entries of the types the editor has no page for (1 disabled, 3 program, 5 stop macro,
// 6 text) open on the single-key page and are left exactly as they are, value and text
// included, until the user really changes them: captures a key, chooses the mouse, another
// page or Clear.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/assignment_store.h"
#include "model/editor/edit_target.h"
#include "model/editor/key_capture.h"
#include "model/key_tables.h"

namespace q804::model::editor {

// The page kinds; an opened entry of another type keeps its own number while unchanged.
inline constexpr int kKindNothing = 0;
inline constexpr int kKindKey = 2;
inline constexpr int kKindMacro = 4;
inline constexpr int kKindMedia = 7;
inline constexpr int kKindFunction = 8;

enum class Page { kSingleKey, kMacro, kMedia, kFunction };

// Kinds 4, 7 and 8 have their own pages; every other kind shows the single-key page.
Page PageOfKind(int kind);
int KindOfPage(Page page);
// The types that only profile files and the keyboard produce.
bool IsKeptKind(int kind);

// The mouse list, in its order.
inline constexpr std::array<KeyCode, 5> kMouseChoiceCodes = {kMouseLeft, kMouseRight, kMouseMiddle,
                                                             kWheelUp, kWheelDown};
inline constexpr std::array<std::string_view, 5> kMouseChoiceTextKeys = {
    "IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE",
    "IDS_KEYBOARD_ROLL_UP", "IDS_KEYBOARD_ROLL_DOWN"};
std::optional<int> MouseChoiceOfCode(KeyCode code);

// The loop count field holds 1-255. Text that is not a number counts as below the range.
inline constexpr int kMinLoopCount = 1;
inline constexpr int kMaxLoopCount = 255;
int LoopCountOfText(std::string_view text);
// The text the field must be corrected to, or nothing when it may stay as typed.
std::optional<std::string> CorrectedLoopCountText(std::string_view text);

// A copy of one macro as the macro page shows it.
struct MacroChoice {
    std::uint16_t id = 0;
    std::u16string name;
    std::uint8_t loopCount = 1;
    std::vector<MacroAction> actions;
};
std::vector<MacroChoice> CopyMacroChoices(const WorkingStore& store);

class CompositeEditor {
  public:
    // Initialisation: reads the entry of (profile, target slot) under the store's lock and
    // copies the macros, then shows the page of the entry's kind.
    void Open(const EditTarget& target, int profile, const WorkingStore& store);
    // Close: capture off, own Apply off, nothing written.
    void Close();

    // Tabs: true when the page changed. Tabs a mode does not offer do nothing.
    bool ClickTab(Page page);
    void ClickClear();
    void ChooseKeyboard();
    void ChooseMouse();
    void SelectMouseEntry(int index);
    void SelectMediaEntry(int index);
    void SelectFunctionEntry(int index);
    void SelectMacro(int index);
    // Returns the text the field must show instead, if the typed one is out of range.
    std::optional<std::string> SetLoopCountText(std::string_view text);

    // One key event while the single-key page is shown; events on other pages pass.
    CaptureOutcome OnKeyEvent(const KeyEventWords& event);

    // Writes the edited entry into the store under its lock. False when the editor is not
    // open or the entry was left as it was (an untouched entry without a page).
    bool Apply(WorkingStore& store);

    // The entry Apply would write, given the entry now in the store (whose colour-select
    // and reserved words it keeps). Nothing when the entry stays as it is.
    std::optional<AssignmentEntry> EntryToWrite(const AssignmentEntry& current) const;

    // State for the window.
    bool isOpen() const { return open_; }
    int openCount() const { return openCount_; }
    const EditTarget& target() const { return target_; }
    int profile() const { return profile_; }
    bool macroOnly() const { return target_.macroOnly; }
    int currentKind() const { return currentKind_; }
    Page shownPage() const { return PageOfKind(currentKind_); }
    bool capturesKeys() const { return open_ && shownPage() == Page::kSingleKey; }
    bool tabEnabled(Page page) const { return !macroOnly() || page == Page::kMacro; }
    bool clearEnabled() const { return !macroOnly(); }
    KeyCode capturedCode() const { return capturedCode_; }
    std::uint32_t storedValue() const { return storedValue_; }
    // The key whose name the key field shows; 0 for an empty field.
    KeyCode fieldCode() const { return fieldCode_; }
    KeyChoice keyChoice() const { return choice_; }
    int mouseEntry() const { return mouseEntry_; }
    int mediaEntry() const { return mediaEntry_; }
    int functionEntry() const { return functionEntry_; }
    const std::vector<MacroChoice>& macros() const { return macros_; }
    int currentMacro() const { return currentMacro_; }
    const std::string& loopCountText() const { return loopCountText_; }
    bool applyEnabled() const { return applyEnabled_; }

  private:
    void ShowPage(bool initial);
    void SelectDefaultMacro();
    void LoadCurrentMacro();
    void StoreCurrentMacro();
    void Capture(KeyCode code);

    EditTarget target_;
    int profile_ = -1;
    bool open_ = false;
    int openCount_ = 0;
    int openedType_ = kKindNothing;
    int currentKind_ = kKindNothing;
    KeyCode capturedCode_ = kNoKey;
    std::uint32_t storedValue_ = 0;
    KeyCode fieldCode_ = kNoKey;
    KeyChoice choice_ = KeyChoice::kKeyboard;
    int mouseEntry_ = 0;
    int mediaEntry_ = 0;
    int functionEntry_ = 0;
    std::vector<MacroChoice> macros_;
    int currentMacro_ = -1;
    bool firstMacroVisit_ = true;
    std::string loopCountText_ = "1";
    bool applyEnabled_ = false;
};

}  // namespace q804::model::editor
