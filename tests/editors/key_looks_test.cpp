// Marks and tooltips of the key buttons, restoring factory functions, colour-select flags.

#include "model/editor/key_looks.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/settings.h"
#include "tests/support/temp_dir.h"

namespace q804::model::editor {
namespace {

using q804::testing::TempDir;

constexpr int kProfile = 2;

class KeyLooksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.Write("data/Lang0804.ini",
                  "[TEXT]\n"
                  "IDS_KEYBOARD_A=A\n"
                  "IDS_KEYBOARD_B=B\n"
                  "IDS_KEYBOARD_CAPS=Caps\n"
                  "MEDIA_PALY_PAUSE_2=Play\n"
                  "FUNC_KEY_DESC1=Lock Win\n"
                  "FUNC_KEY_DESC11=Next Colour\n"
                  "KEY_PROMPT_SET=|\n"
                  "KEY_PROMPT_SINGLE=key(\n"
                  "KEY_PROMPT_MACRO=macro(\n"
                  "KEY_PROMPT_MEDIA=media(\n"
                  "KEY_PROMPT_FUNCTION=function(\n"
                  "UNKNOWN_KEY=?%04X\n");
        language.emplace(dir / "data", settings, 0x0804);
        store.InstallImage(NewDefaultImage());
        MacroRecord macro;
        macro.setId(4);
        macro.setName(u"Combo");
        store.macros().push_back(macro);
    }

    void Put(int profile, KeySlot slot, std::uint16_t type, std::uint32_t value,
             std::u16string text = {}) {
        AssignmentEntry entry = store.EntryAt(profile, slot);
        entry.type = type;
        entry.value = value;
        store.SetEntry(profile, slot, entry, text);
    }

    TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");
    std::optional<LanguageTables> language;
    WorkingStore store;
};

TEST_F(KeyLooksTest, TheTooltipSaysWhatTheKeyDoes) {
    struct Case {
        const char* what;
        std::uint16_t type;
        std::uint32_t value;
        bool marked;
        const char* tooltip;
    };
    const Case cases[] = {
        {"factory", 0, 0, false, "A"},
        {"key", 2, 0x030, true, "A|key(B)"},
        {"mouse", 2, kMouseLeft, true, "A|key(#Error)"},
        {"macro", 4, 4, true, "A|macro(Combo)"},
        {"macro nobody has", 4, 9, true, "A|macro()"},
        {"media", 7, 1, true, "A|media(Play)"},
        {"media out of range", 7, 18, true, "A|media(?0000)"},
        {"function", 8, 10, true, "A|function(Next Colour)"},
        {"function out of range", 8, 0xFFFFFFFF, true, "A|function(#Error)"},
        {"disabled", 1, 0, true, "A|"},
        {"program", 3, 0, true, "A|"},
        {"unknown type", 42, 0, true, "A|"},
    };
    for (const auto& c : cases) {
        AssignmentEntry entry;
        entry.type = c.type;
        entry.value = c.value;
        KeyLook look = KeyTooltipText(*language, 1058, "A", entry, store);
        EXPECT_EQ(look.marked, c.marked) << c.what;
        EXPECT_EQ(look.tooltip, c.tooltip) << c.what;
    }
    EXPECT_EQ(KeyBaseText(*language, 1002), "G3");
    EXPECT_EQ(KeyBaseText(*language, 1069), "Caps");
}

TEST_F(KeyLooksTest, AllLooksFollowTheProfileAndTheBankShown) {
    Put(kProfile, 257, 7, 1);  // G2, bank A
    Put(kProfile, 266, 8, 0);  // G2, bank B
    Put(kProfile, 0x1E, 2, 0x030);
    Put(0, 0x30, 2, 0x01E);  // another profile

    for (int bank : {0, 1}) {
        auto looks = AllKeyLooks(*language, store, kProfile, bank);
        ASSERT_EQ(looks.size(), 115u);
        EXPECT_EQ(looks[1].button, 1001);
        EXPECT_EQ(looks[1].tooltip, bank == 0 ? "G2|media(Play)" : "G2|function(Lock Win)");
        EXPECT_EQ(looks[9], (KeyLook{1058, true, "A|key(B)"}));
        EXPECT_EQ(looks[10], (KeyLook{1075, false, "B"}));
        int marked = 0;
        for (const auto& look : looks) {
            marked += look.marked ? 1 : 0;
        }
        EXPECT_EQ(marked, 2);
    }
    for (const auto& look : AllKeyLooks(*language, store, -1, 0)) {
        EXPECT_FALSE(look.marked) << "no profile known: nothing to mark";
    }
}

TEST_F(KeyLooksTest, ResettingAProfileTouchesOnlyItsKeysInTheBankShown) {
    for (KeySlot slot : {256, 264, 265, 273, 0x1E, 0xD2}) {
        Put(kProfile, slot, 7, 2);
    }
    Put(kProfile, 0x3A, 3, 0, u"/usr/bin/xterm");
    Put(kProfile, 0x64, 2, 0x1E);  // F13 has no button: not one of the 115
    Put(1, 0x1E, 2, 0x30);
    AssignmentEntry flagged = store.EntryAt(kProfile, 0x1E);
    flagged.colourSelected = 1;
    store.SetEntry(kProfile, 0x1E, flagged);

    ResetProfileKeys(store, kProfile, 0);

    for (KeySlot slot : {256, 264}) {
        EXPECT_EQ(store.EntryAt(kProfile, slot), (AssignmentEntry{.extra = GKeyFunctionCode(slot)}))
            << slot;
    }
    for (KeySlot slot : {265, 273}) {
        EXPECT_EQ(store.EntryAt(kProfile, slot).type, 7) << "bank B stays: " << slot;
    }
    EXPECT_EQ(store.EntryAt(kProfile, 0xD2).type, 0);
    EXPECT_EQ(store.EntryAt(kProfile, 0x1E), (AssignmentEntry{.colourSelected = 1}))
        << "the colour-select flag sharing the entry stays";
    EXPECT_EQ(store.EntryAt(kProfile, 0x3A).type, 0);
    EXPECT_EQ(store.stringBytes(), 0u) << "the program path went with its entry";
    EXPECT_EQ(store.EntryAt(kProfile, 0x64).type, 2);
    EXPECT_EQ(store.EntryAt(1, 0x1E).type, 2) << "other profiles stay";

    ResetProfileKeys(store, 3, 1);  // no such profile: nothing, and no crash
    ResetProfileKeys(store, -1, 1);
    EXPECT_EQ(store.EntryAt(kProfile, 265).type, 7);
}

TEST_F(KeyLooksTest, TheColourSelectFlagTogglesInPlace) {
    // Row 58 (F7) keeps its flag in the entry of slot 58, which is Caps Lock's own entry:
    // Caps Lock's assignment and its text must survive the toggle.
    Put(kProfile, 58, 3, 0, u"/usr/bin/xterm");
    const auto textSize = store.stringBytes();
    EXPECT_EQ(ToggleColourSelection(store, kProfile, 1023, 0), std::optional<bool>(true));
    EXPECT_EQ(store.EntryAt(kProfile, 58).colourSelected, 1u);
    EXPECT_EQ(store.EntryAt(kProfile, 58).type, 3);
    EXPECT_EQ(store.stringBytes(), textSize);
    EXPECT_TRUE(store.TextAt(EntryNumber(kProfile, 58)));

    AssignmentEntry odd = store.EntryAt(kProfile, 11);
    odd.colourSelected = 7;  // any non-zero flag counts as set
    store.SetEntry(kProfile, 11, odd);
    EXPECT_EQ(ToggleColourSelection(store, kProfile, 1002, 1), std::optional<bool>(false));
    EXPECT_EQ(store.EntryAt(kProfile, 11).colourSelected, 0u);

    EXPECT_FALSE(ToggleColourSelection(store, kProfile, 1174, 0));
    EXPECT_FALSE(ToggleColourSelection(store, -1, 1058, 0));
}

}  // namespace
}  // namespace q804::model::editor
