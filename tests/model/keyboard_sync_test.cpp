// The model against the simulated keyboard: current profile, uploads, exports, restores and
// profile switches, each checked in the keyboard's memory.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/byte_io.h"
#include "model/current_profile.h"
#include "model/macro_area.h"
#include "model/profile_file.h"
#include "model/profiles.h"
#include "model/upload.h"
#include "tests/support/keyboard_rig.h"
#include "tests/support/temp_dir.h"

namespace q804::model {
namespace {

using device::sim::KeyboardMemory;
using device::sim::SimulatedKeyboardConfig;

struct Shown {
    std::string key;
    std::string argument;
    friend bool operator==(const Shown&, const Shown&) = default;
};

class KeyboardSync : public ::testing::Test {
  protected:
    explicit KeyboardSync(SimulatedKeyboardConfig config = {}) : rig(config) {}

    void SetUp() override {
        store.InstallNewDefaultStore();
        ASSERT_EQ(ReadKeyboardBasics(*rig.engine, state).defaultMatrix, 1);
    }

    KeyboardMemory Memory() const { return rig.keyboard->Memory(); }

    // Position of a key in the keyboard's factory table.
    int PositionOf(KeyCode key) const {
        const KeyTable matrix = state.defaultMatrix.Copy();
        for (int k = 0; k < kMatrixPositions; ++k) {
            if (PositionKey(matrix, k) == key) {
                return k;
            }
        }
        ADD_FAILURE() << "no position for key " << key;
        return 0;
    }
    DeviceKeyRecord KeyboardRecord(int profile, KeyCode key) const {
        const KeyboardMemory memory = Memory();
        return ReadDeviceKeyRecord(memory.KeyTable(profile),
                                   static_cast<std::size_t>(PositionOf(key)) * 3);
    }

    ProfileContext Context() {
        return ProfileContext{store,
                              *rig.engine,
                              state,
                              ResolvePerUserPaths({dir / "data", dir / "config"}),
                              dir / "no-template",
                              u"Macro ",
                              [this](std::string_view key, std::string_view argument) {
                                  shown.push_back({std::string(key), std::string(argument)});
                              }};
    }

    testing::TempDir dir;
    testing::KeyboardRig rig;
    AssignmentStore store;
    DeviceState state;
    std::vector<Shown> shown;
    ShowMessage show = [this](std::string_view key, std::string_view argument) {
        shown.push_back({std::string(key), std::string(argument)});
    };
};

MacroRecord Macro(std::uint16_t id, std::u16string name, std::size_t actions = 2) {
    MacroRecord macro;
    macro.setId(id);
    macro.setName(name);
    macro.setLoopCount(2);
    std::vector<MacroAction> list;
    for (std::size_t i = 0; i < actions; ++i) {
        list.push_back({10, 0x01E, static_cast<std::uint16_t>(i % 2)});
    }
    macro.setActions(list);
    return macro;
}

TEST_F(KeyboardSync, ArrivalReadsTheFactoryTableAndCapacity) {
    const KeyboardMemory memory = Memory();
    EXPECT_EQ(state.defaultMatrix.Copy(), memory.factoryKeyTable);
    EXPECT_EQ(state.macroCapacity.load(), memory.MacroUnits() * 128u);
}

TEST_F(KeyboardSync, CurrentProfileIsReadOnceAndWrittenThrough) {
    std::atomic<int> cache{-1};
    EXPECT_EQ(CurrentProfile(*rig.engine, cache), 0);
    const std::size_t requests = rig.keyboard->RequestCount();
    EXPECT_EQ(CurrentProfile(*rig.engine, cache), 0);
    EXPECT_EQ(rig.keyboard->RequestCount(), requests);  // cached

    EXPECT_EQ(SetCurrentProfile(*rig.engine, cache, -1), 0);
    EXPECT_EQ(SetCurrentProfile(*rig.engine, cache, 3), 0);
    EXPECT_EQ(rig.keyboard->RequestCount(), requests);  // neither read nor wrote

    EXPECT_EQ(SetCurrentProfile(*rig.engine, cache, 2), 1);
    EXPECT_EQ(cache.load(), 2);
    EXPECT_EQ(Memory().CurrentProfile(), 2);

    rig.keyboard->AnswerStatus(0xFE, 3);  // the write is refused three times
    rig.keyboard->ModifyMemory([](KeyboardMemory&) {});
    std::atomic<int> other{-1};
    EXPECT_EQ(SetCurrentProfile(*rig.engine, other, 1), -103);
    EXPECT_EQ(other.load(), -1);
}

TEST_F(KeyboardSync, ApplyWritesTheCurrentProfileOnly) {
    state.currentProfile = 1;
    store.working.SetEntry(1, KeySlotOfCode(0x03A), {.type = 2, .value = 0x15C});
    store.working.SetEntry(0, KeySlotOfCode(0x03A), {.type = 1});
    store.working.macros() = {Macro(4, u"hi")};
    ASSERT_EQ(ApplyToKeyboard(store, *rig.engine, state, false, show), 1);
    EXPECT_EQ(KeyboardRecord(1, 0x03A), (DeviceKeyRecord{0x02, 0x01, 0x80}));
    EXPECT_EQ(KeyboardRecord(0, 0x03A),
              ReadDeviceKeyRecord(Memory().factoryKeyTable, PositionOf(0x03A) * 3u));
    const KeyboardMemory memory = Memory();
    const auto decoded = DecodeMacroArea(memory.macroArea, u"M");
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded.value().size(), 1u);
    EXPECT_EQ(decoded.value()[0].name(), u"hi");
    EXPECT_TRUE(shown.empty());
}

TEST_F(KeyboardSync, MacroCapacityDecidesNamesAndRefusals) {
    store.working.macros() = {Macro(1, u"long name here", 10)};
    const MacroAreaSize sizes = MacroAreaSizes(store.working.macros());
    const std::vector<std::uint8_t> before = Memory().macroArea;

    state.macroCapacity = static_cast<unsigned>(sizes.withoutNames - 1);
    EXPECT_EQ(ApplyToKeyboard(store, *rig.engine, state, true, show), 0);
    EXPECT_EQ(shown, (std::vector<Shown>{{"EXTRA_MACRO_TOO_LONG", ""}}));
    EXPECT_EQ(Memory().macroArea, before);

    shown.clear();
    state.macroCapacity = static_cast<unsigned>(sizes.withoutNames);
    EXPECT_EQ(ApplyToKeyboard(store, *rig.engine, state, true, show), 1);
    EXPECT_EQ(shown, (std::vector<Shown>{{"EXTRA_PROFILE_SPACE_TIGHT", ""}}));
    EXPECT_EQ(ReadU16(Memory().macroArea, 6), 0);  // written without names

    shown.clear();
    state.macroCapacity = 0;  // settings never read: even no macros do not fit
    store.working.macros().clear();
    EXPECT_EQ(ApplyToKeyboard(store, *rig.engine, state, true, show), 0);
    EXPECT_EQ(shown, (std::vector<Shown>{{"EXTRA_MACRO_TOO_LONG", ""}}));
}

TEST_F(KeyboardSync, AFailedStepFailsTheUpload) {
    store.working.SetEntry(0, KeySlotOfCode(0x01E), {.type = 1});
    rig.keyboard->UnplugAfter(3);  // begin, then the macro area's first chunks
    EXPECT_NE(ApplyToKeyboard(store, *rig.engine, state, true, show), 1);
}

TEST_F(KeyboardSync, ExportThenRestoreGivesBackTheAssignments) {
    store.working.macros() = {Macro(7, u"first"), Macro(3, u"second")};
    store.working.SetEntry(0, KeySlotOfCode(0x03A), {.type = 2, .value = 0x15C});
    store.working.SetEntry(1, KeySlotOfCode(0x01E), {.type = 7, .value = 1});
    store.working.SetEntry(2, KeySlotOfCode(0x001), {.type = 4, .extra = 5, .value = 3});
    store.working.SetEntry(2, KeySlotOfCode(0x03B), {.type = 8, .value = 4});
    store.working.SetEntry(0, KeySlotOfCode(0x020), {.type = 3}, u"/usr/bin/gimp");
    const auto original = dir / "original.fwc";
    ASSERT_TRUE(SaveStoreFile(original, store.working));

    ProfileContext context = Context();
    ASSERT_TRUE(EnsurePerUserFolder(context.paths, context.userModeTemplate));
    ASSERT_EQ(RestoreFromFile(context, original), 1);
    EXPECT_TRUE(shown.empty());

    const auto backup = dir / "backup.fwc";
    ASSERT_TRUE(ExportKeyboardToFile(*rig.engine, state, backup, u"Macro "));
    ASSERT_EQ(ValidateProfileFile(backup), 1);
    AssignmentStore readBack;
    ASSERT_TRUE(LoadStoreFile(backup, readBack.working));
    auto at = [&](int profile, KeyCode key) {
        return readBack.working.EntryAt(profile, KeySlotOfCode(key));
    };
    EXPECT_EQ(at(0, 0x03A), (AssignmentEntry{.type = 2, .value = 0x15C}));
    EXPECT_EQ(at(1, 0x01E), (AssignmentEntry{.type = 7, .value = 1}));
    EXPECT_EQ(at(2, 0x001), (AssignmentEntry{.type = 4, .value = 2}));  // id 3 sat at position 1
    EXPECT_EQ(at(2, 0x03B), (AssignmentEntry{.type = 8, .value = 4}));
    EXPECT_EQ(at(0, 0x020), AssignmentEntry{});  // host-side launches stay on the host
    ASSERT_EQ(readBack.working.macros().size(), 2u);
    EXPECT_EQ(readBack.working.macros()[1].name(), u"second");
    EXPECT_EQ(readBack.working.macros()[1].id(), 2);
    EXPECT_EQ(readBack.working.macros()[1].action(1), store.working.macros()[1].action(1));
}

TEST_F(KeyboardSync, ExportOfAnAreaWithoutItsMarkHasNoMacros) {
    rig.keyboard->ModifyMemory([](KeyboardMemory& memory) { memory.macroArea[0] = 0; });
    const auto path = dir / "export.fwc";
    ASSERT_TRUE(ExportKeyboardToFile(*rig.engine, state, path, u"M"));
    EXPECT_EQ(std::filesystem::file_size(path), 32832u);
    EXPECT_EQ(ValidateProfileFile(path), 1);
}

TEST_F(KeyboardSync, ExportOfADamagedAreaIsAnErrorAndKeepsTheOldFile) {
    store.working.macros() = {Macro(1, u"m")};
    ASSERT_EQ(ApplyToKeyboard(store, *rig.engine, state, true, show), 1);
    const auto path = dir / "export.fwc";
    ASSERT_TRUE(ExportKeyboardToFile(*rig.engine, state, path, u"M"));
    const std::string good = testing::ReadText(path);
    rig.keyboard->ModifyMemory(
        [](KeyboardMemory& memory) { WriteU16(memory.macroArea, 16, 0x7000); });
    Status exported = ExportKeyboardToFile(*rig.engine, state, path, u"M");
    EXPECT_FALSE(exported);
    EXPECT_NE(exported.error().message.find("damaged"), std::string::npos);
    EXPECT_EQ(testing::ReadText(path), good);
}

TEST_F(KeyboardSync, CorruptRestoreChangesNothing) {
    ProfileContext context = Context();
    ASSERT_TRUE(EnsurePerUserFolder(context.paths, context.userModeTemplate));
    ASSERT_TRUE(ReloadFromKeyboard(context));
    const std::string workingFile = testing::ReadText(ProfileFilePath(context.paths, 0));
    const KeyboardMemory before = Memory();
    store.working.SetEntry(0, 5, {.type = 1});

    const StoreImage image = NewDefaultImage();
    std::vector<std::uint8_t> bytes(image.bytes().begin(), image.bytes().end());
    bytes[31] ^= 1;  // checksum
    const auto bad = dir.Write("bad.fwc", std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(RestoreFromFile(context, bad), 0);
    EXPECT_EQ(shown, (std::vector<Shown>{{"PROFILE_FORMAT_ERROR", bad.string()},
                                         {"MAIN_PROMPT_INPORT", ""}}));

    shown.clear();
    EXPECT_EQ(RestoreFromFile(context, dir.Write("short.fwc", "tiny")), 0);
    EXPECT_EQ(shown, (std::vector<Shown>{{"MAIN_PROMPT_INPORT", ""}}));

    EXPECT_EQ(Memory(), before);
    EXPECT_EQ(testing::ReadText(ProfileFilePath(context.paths, 0)), workingFile);
    EXPECT_EQ(store.working.EntryAt(0, 5).type, 1);
}

TEST_F(KeyboardSync, ReloadWithoutAKeyboardInstallsADefaultStore) {
    ProfileContext context = Context();
    store.working.SetEntry(0, 5, {.type = 1});
    rig.keyboard->Unplug();
    state.currentProfile = -1;
    EXPECT_FALSE(ReloadFromKeyboard(context));
    EXPECT_EQ(store.working.EntryAt(0, 5), AssignmentEntry{});
    EXPECT_TRUE(store.working.hasImage());
}

TEST_F(KeyboardSync, ProfileSwitchRules) {
    ProfileContext context = Context();
    ASSERT_TRUE(EnsurePerUserFolder(context.paths, context.userModeTemplate));
    ASSERT_TRUE(ReloadFromKeyboard(context));
    bool editorOpen = false;
    bool pending = false;
    int asked = 0;
    int refreshed = 0;
    SelectProfileHooks hooks{
        .editorOpen = [&] { return editorOpen; },
        .changesPending = [&] { return pending; },
        .askYesNo =
            [&](std::string_view key) {
                EXPECT_EQ(key, "PROFILE_SELECT_PROMPT");
                ++asked;
                return false;
            },
        .applyNow = [] { return true; },
        .discardPending = [&] { pending = false; },
        .profileSelected = {},
        .refreshView = [&] { ++refreshed; },
    };
    EXPECT_TRUE(SelectProfile(context, 3, hooks));  // 3 and above select the first profile
    EXPECT_EQ(Memory().CurrentProfile(), 0);
    EXPECT_TRUE(SelectProfile(context, 2, hooks));
    EXPECT_EQ(Memory().CurrentProfile(), 2);
    EXPECT_TRUE(SelectProfile(context, -1, hooks));  // selects nothing, still refreshes
    EXPECT_EQ(Memory().CurrentProfile(), 2);
    EXPECT_EQ(refreshed, 3);

    editorOpen = true;
    EXPECT_FALSE(SelectProfile(context, 1, hooks));
    EXPECT_EQ(shown.back(), (Shown{"PROFILE_SEELCT_PROMPT2", ""}));
    editorOpen = false;

    // Unapplied edits and "No": the edits are dropped from the working file, then switched.
    store.working.SetEntry(0, 5, {.type = 1});
    pending = true;
    EXPECT_TRUE(SelectProfile(context, 1, hooks));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(store.working.EntryAt(0, 5), AssignmentEntry{});
    EXPECT_EQ(Memory().CurrentProfile(), 1);
}

}  // namespace
}  // namespace q804::model
