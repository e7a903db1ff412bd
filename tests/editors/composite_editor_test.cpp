// What the assignment editor stores for each page and choice, without its window.

#include "model/editor/composite_editor.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <string>

#include "model/editor/evdev_keys.h"

namespace q804::model::editor {
namespace {

constexpr int kProfile = 1;
constexpr KeyButtonId kButtonA = 1058;     // slot 0x1E
constexpr KeyButtonId kButtonCaps = 1069;  // slot 0x3A
constexpr KeyButtonId kButtonG1 = 1000;

KeyEventWords Press(unsigned evdev, bool press = true) {
    auto words = WindowsKeyOfEvdev(evdev, false);
    return {words->vk, words->keyData, press, false};
}

class CompositeEditorTest : public ::testing::Test {
  protected:
    void SetUp() override { store.InstallImage(NewDefaultImage()); }

    void AddMacro(std::uint16_t id, std::u16string name, std::uint8_t loops) {
        MacroRecord macro;
        macro.setId(id);
        macro.setName(name);
        macro.setLoopCount(loops);
        MacroAction actions[] = {{20, 0x01E, 0}, {0, 0x01E, 1}};
        macro.setActions(actions);
        store.macros().push_back(macro);
    }
    void Put(KeySlot slot, std::uint16_t type, std::uint32_t value, std::u16string text = {}) {
        AssignmentEntry entry = store.EntryAt(kProfile, slot);
        entry.type = type;
        entry.extra = GKeyFunctionCode(slot);
        entry.value = value;
        store.SetEntry(kProfile, slot, entry, text);
    }
    void Open(KeyButtonId button, int bank = 0) {
        auto target = ResolveEditTarget(button, bank);
        ASSERT_TRUE(target);
        editor.Open(*target, kProfile, store);
    }
    AssignmentEntry At(KeySlot slot) const { return store.EntryAt(kProfile, slot); }

    WorkingStore store;
    CompositeEditor editor;
};

TEST_F(CompositeEditorTest, ACapturedKeyIsStoredUnlessItIsTheKeyItselfOrNothing) {
    struct Case {
        const char* what;
        unsigned evdev;  // 0: no key pressed
        std::uint16_t type;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"another key", KEY_RIGHTMETA, 2, 0x15C},
        {"the key itself", KEY_CAPSLOCK, 0, 0},
        {"no key pressed", 0, 0, 0},
    };
    for (const auto& c : cases) {
        Put(0x3A, 7, 3);  // was a media key
        Open(kButtonCaps);
        editor.ClickTab(Page::kSingleKey);
        if (c.evdev != 0) {
            editor.OnKeyEvent(Press(c.evdev));
        }
        EXPECT_TRUE(editor.Apply(store)) << c.what;
        editor.Close();
        EXPECT_EQ(At(0x3A).type, c.type) << c.what;
        EXPECT_EQ(At(0x3A).value, c.value) << c.what;
    }
}

TEST_F(CompositeEditorTest, ClearOnTheMediaPageLeavesNothingChosen) {
    Put(0x1E, 7, 4);
    Open(kButtonA);
    ASSERT_EQ(editor.shownPage(), Page::kMedia);
    editor.ClickClear();
    EXPECT_EQ(editor.shownPage(), Page::kSingleKey);
    EXPECT_EQ(editor.currentKind(), kKindNothing);
    EXPECT_EQ(editor.fieldCode(), kNoKey);
    EXPECT_TRUE(editor.applyEnabled()) << "the page changed";
    editor.Apply(store);
    EXPECT_EQ(At(0x1E), (AssignmentEntry{}));
}

TEST_F(CompositeEditorTest, TheKeyboardChoiceStoresWhatTheFieldShows) {
    struct Case {
        const char* what;
        std::uint16_t type;
        std::uint32_t value;
        void (*before)(CompositeEditor&);
    };
    const Case cases[] = {
        {"a key captured, then Clear", 0, 0,
         [](CompositeEditor& e) {
             e.OnKeyEvent(Press(KEY_B));
             e.ClickClear();
             e.ChooseMouse();
         }},
        {"a mouse entry opened", 2, kMouseMiddle, [](CompositeEditor& e) { (void)e; }},
    };
    for (const auto& c : cases) {
        Put(0x1E, c.type, c.value);
        Open(kButtonA);
        c.before(editor);
        editor.ChooseKeyboard();
        EXPECT_EQ(editor.fieldCode(), kNoKey) << c.what;
        editor.Apply(store);
        editor.Close();
        EXPECT_EQ(At(0x1E).type, 0) << c.what << ": the field is empty, so nothing is stored";
    }
}

TEST_F(CompositeEditorTest, GKeysKeepTheirFunctionCodeExceptForMacros) {
    AddMacro(9, u"Nine", 4);
    struct Case {
        const char* what;
        Page page;
        std::uint16_t type;
    };
    const Case cases[] = {
        {"media", Page::kMedia, 7},
        {"function", Page::kFunction, 8},
        {"key", Page::kSingleKey, 2},
    };
    for (int bank : {0, 1}) {
        const KeySlot slot = bank == 0 ? 256 : 265;
        for (const auto& c : cases) {
            Put(slot, 4, 9);  // start from a macro so that every tab changes the page
            Open(kButtonG1, bank);
            editor.ClickTab(c.page);
            if (c.page == Page::kSingleKey) {
                editor.OnKeyEvent(Press(KEY_F5));
            }
            editor.Apply(store);
            editor.Close();
            EXPECT_EQ(At(slot).type, c.type) << c.what;
            EXPECT_EQ(At(slot).extra, GKeyFunctionCode(slot)) << c.what << " bank " << bank;
        }
        Open(kButtonG1, bank);
        editor.ClickClear();
        editor.Apply(store);
        editor.Close();
        EXPECT_EQ(At(slot).extra, GKeyFunctionCode(slot)) << "cleared, bank " << bank;

        Open(kButtonG1, bank);
        editor.ClickTab(Page::kMacro);
        editor.SetLoopCountText("12");
        editor.Apply(store);
        editor.Close();
        EXPECT_EQ(At(slot).type, 4);
        EXPECT_EQ(At(slot).value, 9u);
        EXPECT_EQ(At(slot).extra, 12) << "a macro's extra word is its loop count";
    }
}

TEST_F(CompositeEditorTest, MacroOnlyModeStoresTheSelectedMacroInG9) {
    AddMacro(3, u"Three", 1);
    AddMacro(7, u"Seven", 2);
    Put(273, 7, 1);  // G9 of bank B held a media key
    const AssignmentEntry bankA = At(264);
    Open(1143, 1);
    EXPECT_TRUE(editor.macroOnly());
    EXPECT_EQ(editor.shownPage(), Page::kMacro);
    EXPECT_EQ(editor.currentMacro(), 0) << "no macro id stored: the first macro";
    for (Page page : {Page::kSingleKey, Page::kMedia, Page::kFunction}) {
        EXPECT_FALSE(editor.tabEnabled(page));
        EXPECT_FALSE(editor.ClickTab(page));
    }
    EXPECT_FALSE(editor.clearEnabled());
    editor.ClickClear();
    EXPECT_EQ(editor.shownPage(), Page::kMacro);

    editor.SelectMacro(1);
    EXPECT_EQ(editor.loopCountText(), "2");
    editor.Apply(store);
    EXPECT_EQ(At(273).type, 4);
    EXPECT_EQ(At(273).value, 7u);
    EXPECT_EQ(At(273).extra, 2);
    EXPECT_EQ(At(264), bankA) << "bank A untouched";
}

TEST_F(CompositeEditorTest, TheMacroPageWithoutMacrosStoresNothingChosen) {
    Put(0x1E, 2, 0x30);
    Open(kButtonA);
    editor.ClickTab(Page::kMacro);
    EXPECT_EQ(editor.currentMacro(), -1);
    editor.Apply(store);
    EXPECT_EQ(At(0x1E).type, 0);
}

TEST_F(CompositeEditorTest, OpeningShowsWhatTheEntryHolds) {
    AddMacro(2, u"Two", 6);
    AddMacro(5, u"Five", 9);
    struct Case {
        const char* what;
        std::uint16_t type;
        std::uint32_t value;
        Page page;
        KeyChoice choice;
        KeyCode field;
        int listEntry;  // mouse, media or function entry; macro position on the macro page
    };
    const Case cases[] = {
        {"key", 2, 0x030, Page::kSingleKey, KeyChoice::kKeyboard, 0x030, 0},
        {"mouse button", 2, kMouseRight, Page::kSingleKey, KeyChoice::kMouse, 0, 1},
        {"wheel", 2, kWheelDown, Page::kSingleKey, KeyChoice::kMouse, 0, 4},
        {"media", 7, 5, Page::kMedia, KeyChoice::kKeyboard, 0, 5},
        {"media index out of range", 7, 99, Page::kMedia, KeyChoice::kKeyboard, 0, 0},
        {"function", 8, 10, Page::kFunction, KeyChoice::kKeyboard, 0, 10},
        {"macro by id", 4, 5, Page::kMacro, KeyChoice::kKeyboard, 0, 1},
        {"macro id nobody has", 4, 77, Page::kMacro, KeyChoice::kKeyboard, 0, 0},
    };
    for (const auto& c : cases) {
        Put(0x1E, c.type, c.value);
        Open(kButtonA);
        EXPECT_EQ(editor.shownPage(), c.page) << c.what;
        EXPECT_EQ(editor.keyChoice(), c.choice) << c.what;
        EXPECT_EQ(editor.fieldCode(), c.field) << c.what;
        EXPECT_FALSE(editor.applyEnabled()) << c.what;
        int entry = c.page == Page::kMedia      ? editor.mediaEntry()
                    : c.page == Page::kFunction ? editor.functionEntry()
                    : c.page == Page::kMacro    ? editor.currentMacro()
                                                : editor.mouseEntry();
        EXPECT_EQ(entry, c.listEntry) << c.what;
        editor.Close();
    }
    Put(0x1E, 4, 5);
    Open(kButtonA);
    EXPECT_EQ(editor.loopCountText(), "9") << "the selected macro's loop count";
}

TEST_F(CompositeEditorTest, OkWithoutAChangeStoresTheSameEntry) {
    AddMacro(5, u"Five", 9);
    const std::pair<std::uint16_t, std::uint32_t> entries[] = {{2, 0x030}, {2, kWheelUp}, {7, 17},
                                                               {8, 4},     {4, 5},        {0, 0}};
    for (const auto& [type, value] : entries) {
        Put(0x1E, type, value);
        AssignmentEntry before = At(0x1E);
        if (type == 4) {
            before.extra = 9;
        }
        Open(kButtonA);
        editor.Apply(store);
        editor.Close();
        EXPECT_EQ(At(0x1E), before) << "type " << type;
    }
}

TEST_F(CompositeEditorTest, EntriesWithoutAPageStayUntilReallyChanged) {
    struct Action {
        const char* what;
        void (*act)(CompositeEditor&);
        bool kept;
    };
    const Action actions[] = {
        {"nothing", [](CompositeEditor&) {}, true},
        {"the single-key tab of the page shown",
         [](CompositeEditor& e) { e.ClickTab(Page::kSingleKey); }, true},
        {"ticking the ticked keyboard choice", [](CompositeEditor& e) { e.ChooseKeyboard(); },
         true},
        {"a list entry of another page", [](CompositeEditor& e) { e.SelectMediaEntry(3); }, true},
        {"a key release", [](CompositeEditor& e) { e.OnKeyEvent(Press(KEY_B, false)); }, true},
        {"a captured key", [](CompositeEditor& e) { e.OnKeyEvent(Press(KEY_B)); }, false},
        {"the mouse choice", [](CompositeEditor& e) { e.ChooseMouse(); }, false},
        {"another page", [](CompositeEditor& e) { e.ClickTab(Page::kFunction); }, false},
        {"Clear", [](CompositeEditor& e) { e.ClickClear(); }, false},
    };
    for (std::uint16_t type : {std::uint16_t{1}, std::uint16_t{3}, std::uint16_t{5},
                               std::uint16_t{6}, std::uint16_t{42}}) {
        for (const auto& a : actions) {
            store.ReleaseWorkingStrings();
            Put(0x1E, type, 0x40, u"/usr/bin/true");
            const AssignmentEntry before = At(0x1E);
            const auto textBefore = store.TextAt(EntryNumber(kProfile, 0x1E));
            Open(kButtonA);
            EXPECT_EQ(editor.shownPage(), Page::kSingleKey);
            EXPECT_EQ(editor.fieldCode(), kNoKey);
            a.act(editor);
            const bool wrote = editor.Apply(store);
            editor.Close();
            const std::string label = std::string(a.what) + ", type " + std::to_string(type);
            if (a.kept) {
                EXPECT_FALSE(wrote) << label;
                EXPECT_EQ(At(0x1E), before) << label;
                EXPECT_EQ(store.TextAt(EntryNumber(kProfile, 0x1E)), textBefore) << label;
            } else {
                EXPECT_TRUE(wrote) << label;
                EXPECT_NE(At(0x1E).type, type) << label;
                EXPECT_FALSE(store.TextAt(EntryNumber(kProfile, 0x1E))) << label;
                EXPECT_EQ(store.stringBytes(), 0u) << label;
            }
        }
    }
}

TEST_F(CompositeEditorTest, AProgramEntrysStoredValueIsNeverTakenForAKey) {
    // The value of a program entry is an offset into the string area, not a key code.
    Put(0x1E, 3, 0x030, u"/usr/bin/true");
    Open(kButtonA);
    EXPECT_EQ(editor.capturedCode(), kNoKey);
    editor.ChooseMouse();
    editor.ChooseKeyboard();
    editor.Apply(store);
    EXPECT_EQ(At(0x1E).type, 0);
    EXPECT_EQ(At(0x1E).value, 0u);
}

TEST_F(CompositeEditorTest, ApplyKeepsTheColourSelectFlagAndTheReservedWord) {
    AssignmentEntry entry;
    entry.type = 7;
    entry.colourSelected = 1;
    entry.reserved = 0xABCD;
    store.SetEntry(kProfile, 0x1E, entry);
    Open(kButtonA);
    editor.ClickTab(Page::kFunction);
    editor.SelectFunctionEntry(6);
    editor.Apply(store);
    EXPECT_EQ(At(0x1E), (AssignmentEntry{8, 0, 6, 1, 0xABCD}));
}

TEST_F(CompositeEditorTest, TheMouseChoiceStoresTheChosenMouseAction) {
    Open(kButtonA);
    editor.ChooseMouse();
    editor.SelectMouseEntry(3);
    editor.SelectMouseEntry(9);  // not in the list: ignored
    editor.Apply(store);
    EXPECT_EQ(At(0x1E).type, 2);
    EXPECT_EQ(At(0x1E).value, kWheelUp);
}

TEST_F(CompositeEditorTest, TheWindowsKeyTakenWithTheMouseChosenIsWhatOkStores) {
    Open(kButtonA);
    editor.ChooseMouse();
    editor.OnKeyEvent(Press(KEY_A));  // swallowed, but the mouse is chosen
    EXPECT_EQ(editor.fieldCode(), kNoKey);
    CaptureOutcome outcome = editor.OnKeyEvent(Press(KEY_LEFTMETA));
    EXPECT_TRUE(outcome.swallow);
    EXPECT_EQ(editor.fieldCode(), 0x15B);
    EXPECT_EQ(editor.keyChoice(), KeyChoice::kKeyboard);
    editor.Apply(store);
    EXPECT_EQ(At(0x1E).value, 0x15Bu);
}

TEST_F(CompositeEditorTest, KeysPassWhileAnotherPageIsShownOrTheEditorIsClosed) {
    Open(kButtonA);
    editor.ClickTab(Page::kMedia);
    EXPECT_FALSE(editor.OnKeyEvent(Press(KEY_B)).swallow);
    EXPECT_FALSE(editor.OnKeyEvent(Press(KEY_LEFTMETA)).swallow);
    editor.ClickTab(Page::kSingleKey);
    EXPECT_TRUE(editor.OnKeyEvent(Press(KEY_B)).swallow);
    editor.Close();
    EXPECT_FALSE(editor.OnKeyEvent(Press(KEY_B)).swallow);
    EXPECT_FALSE(editor.Apply(store));
}

TEST_F(CompositeEditorTest, ATabToTheMacroPageFromAnotherKindPicksTheFirstMacro) {
    AddMacro(5, u"Five", 1);
    AddMacro(2, u"Two", 1);
    Put(0x1E, 7, 2);  // media index 2, which is also a macro id
    Open(kButtonA);
    editor.ClickTab(Page::kMacro);
    EXPECT_EQ(editor.currentMacro(), 0);
    editor.Apply(store);
    EXPECT_EQ(At(0x1E).value, 5u);
}

TEST_F(CompositeEditorTest, TheFieldOfTheLastOpeningIsNotShownAgain) {
    Open(kButtonA);
    editor.OnKeyEvent(Press(KEY_Q));
    editor.Close();
    Open(kButtonCaps);
    EXPECT_EQ(editor.fieldCode(), kNoKey);
    EXPECT_EQ(editor.capturedCode(), kNoKey);
    EXPECT_EQ(editor.openCount(), 1);
    editor.Close();
    editor.Close();
    EXPECT_EQ(editor.openCount(), 0);
}

TEST_F(CompositeEditorTest, TabsAndCapturesEnableTheEditorsApply) {
    Open(kButtonA);
    EXPECT_FALSE(editor.applyEnabled());
    editor.ChooseMouse();
    EXPECT_FALSE(editor.applyEnabled()) << "the choice alone does not";
    editor.OnKeyEvent(Press(KEY_LEFTMETA));
    EXPECT_TRUE(editor.applyEnabled());
    editor.Apply(store);
    EXPECT_FALSE(editor.applyEnabled());
    editor.ClickTab(Page::kMedia);
    EXPECT_TRUE(editor.applyEnabled());
}

struct LoopCase {
    const char* text;
    int count;
    const char* corrected;  // nullptr: left as typed
};

TEST(LoopCount, OutOfRangeAndNonNumbersAreCorrected) {
    const LoopCase cases[] = {
        {"12", 12, nullptr},   {"1", 1, nullptr},
        {"255", 255, nullptr}, {"007", 7, nullptr},
        {"0", 1, "1"},         {"300", 255, "255"},
        {"-3", 1, "1"},        {"99999999999999999999999", 255, "255"},
        {"abc", 1, "1"},       {"12x", 1, "1"},
        {"", 1, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoopCountOfText(c.text), c.count) << '"' << c.text << '"';
        auto corrected = CorrectedLoopCountText(c.text);
        EXPECT_EQ(corrected.has_value(), c.corrected != nullptr) << '"' << c.text << '"';
        if (corrected && c.corrected) {
            EXPECT_EQ(*corrected, c.corrected);
        }
    }
}

}  // namespace
}  // namespace q804::model::editor
