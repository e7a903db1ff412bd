// The main window's keyboard view with its assignment editor, on the simulated keyboard.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTimer>
#include <QtTest/QTest>
#include <mutex>
#include <vector>

#include "device/sim/keyboard_memory.h"
#include "model/editor/edit_target.h"
#include "model/key_table_codec.h"
#include "tests/app_gui/window_rig.h"
#include "ui/editors/composite_dialog.h"
#include "ui/main/keyboard_view.h"

namespace q804::testing {
namespace {

using Dlg = CQuorvaneDlg;
using model::AssignmentType;
namespace id = composite_id;

constexpr int kF1 = 1010;  // slot 0x3B
constexpr model::KeySlot kF1Slot = 0x3B;
constexpr int kKeyA = 1058;  // slot 0x1E
constexpr model::KeySlot kKeyASlot = 0x1E;
constexpr int kG1 = 1000;
constexpr int kG3 = 1002;
constexpr model::KeySlot kG1SlotA = 256;
constexpr model::KeySlot kG1SlotB = 265;
constexpr model::KeySlot kG3SlotA = 258;
constexpr model::KeySlot kG3SlotB = 267;

model::AssignmentEntry At(WindowRig& rig, model::KeySlot slot, int profile = 0) {
    auto lock = rig.context->store.working.Lock();
    return rig.context->store.working.EntryAt(profile, slot);
}

void Put(WindowRig& rig, model::KeySlot slot, AssignmentType type, std::uint32_t value = 0) {
    model::AssignmentEntry entry = At(rig, slot);
    entry.type = static_cast<std::uint16_t>(type);
    entry.value = value;
    auto lock = rig.context->store.working.Lock();
    rig.context->store.working.SetEntry(0, slot, entry);
}

// The window shown on a plugged keyboard whose profile 0 is current.
void StartShown(WindowRig& rig) {
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->isVisible(); }));
    ASSERT_TRUE(rig.WaitFor([&] { return rig.context->deviceState.currentProfile.load() == 0; }));
}

void ClickButton(WindowRig& rig, int buttonId) {
    CPngButton* button = rig.window->Button(buttonId);
    ASSERT_NE(button, nullptr) << buttonId;
    ASSERT_TRUE(button->isEnabled()) << buttonId;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks a key button; while the editor runs modally, picks the second media function
// (Play/Pause) and presses OK.
void AssignPlayPause(WindowRig& rig, int buttonId) {
    Quorvane_DlgComposite& editor = rig.window->AssignmentEditor();
    bool served = false;
    QTimer::singleShot(0, [&] {
        served = true;
        ASSERT_TRUE(editor.IsOpen());
        QTest::mouseClick(static_cast<QAbstractButton*>(editor.Control(id::kTabMedia)),
                          Qt::LeftButton);
        auto* list = static_cast<QComboBox*>(editor.Control(id::kMediaList));
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::mouseClick(static_cast<QAbstractButton*>(editor.Control(id::kOk)), Qt::LeftButton);
    });
    ClickButton(rig, buttonId);
    EXPECT_TRUE(served) << "the editor did not open for " << buttonId;
    EXPECT_FALSE(editor.IsOpen());
}

TEST(KeyboardView, MediaFunctionChosenForAKeyReachesTheKeyboardAndMarksTheKey) {
    WindowRig rig;
    StartShown(rig);
    CPngButton* f1 = rig.window->Button(kF1);
    EXPECT_FALSE(f1->IsCheckedLook());
    const QString tooltipBefore = f1->TooltipText();
    EXPECT_FALSE(tooltipBefore.isEmpty()) << "every key carries its tooltip after arrival";

    AssignPlayPause(rig, kF1);
    EXPECT_EQ(At(rig, kF1Slot), (model::AssignmentEntry{.type = 7, .value = 1}));
    EXPECT_TRUE(f1->IsCheckedLook());
    EXPECT_NE(f1->TooltipText(), tooltipBefore);
    EXPECT_FALSE(f1->TooltipText().isEmpty());
    EXPECT_TRUE(rig.window->ApplyPending());
    EXPECT_TRUE(rig.window->Button(Dlg::kIdApply)->isEnabled());

    ClickButton(rig, Dlg::kIdApply);
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.window->ApplyPending() && !rig.window->Busy(); }));
    const model::KeyTable matrix = rig.context->deviceState.defaultMatrix.Copy();
    int position = -1;
    for (int p = 0; p < model::kMatrixPositions; ++p) {
        if (model::PositionKey(matrix, p) == kF1Slot) {
            position = p;
        }
    }
    ASSERT_GE(position, 0);
    const auto table = rig.keyboard->Memory().KeyTable(0);
    const auto at = static_cast<std::size_t>(position) * 3;
    EXPECT_EQ(table[at], 0x03);
    EXPECT_EQ(table[at + 1], 0xCD) << "consumer usage of Play/Pause";
    EXPECT_EQ(table[at + 2], 0x00);
}

TEST(KeyboardView, BankBEditsTheBankBSlotOfAGKeyAndCaptionsIt) {
    WindowRig rig;
    StartShown(rig);
    CPngButton* g3 = rig.window->Button(kG3);
    rig.keyboard->SendConsumerCode(device::kConsumerGBankSwitched);
    ASSERT_TRUE(rig.WaitFor([&] { return g3->text() == "B3"; }));
    EXPECT_EQ(rig.window->Button(1140)->text(), "") << "G6 carries no caption";

    const model::AssignmentEntry bankA = At(rig, kG3SlotA);
    AssignPlayPause(rig, kG3);
    EXPECT_EQ(At(rig, kG3SlotB).kind(), AssignmentType::kMedia);
    EXPECT_EQ(At(rig, kG3SlotA), bankA);
    EXPECT_TRUE(g3->IsCheckedLook());

    // Back in bank A the G key shows the untouched bank-A entry, and bank B's again after.
    rig.keyboard->SendConsumerCode(device::kConsumerGBankSwitched);
    ASSERT_TRUE(rig.WaitFor([&] { return g3->text() == "A3"; }));
    EXPECT_FALSE(g3->IsCheckedLook());
    rig.keyboard->SendConsumerCode(device::kConsumerGBankSwitched);
    ASSERT_TRUE(rig.WaitFor([&] { return g3->text() == "B3"; }));
    EXPECT_TRUE(g3->IsCheckedLook());
}

TEST(KeyboardView, RestoreDefaultsAsksThenClearsTheShownBankAndAppliesKeepingBankB) {
    WindowRig rig;
    StartShown(rig);
    const model::AssignmentEntry factoryA = At(rig, kKeyASlot);
    const model::AssignmentEntry factoryG1 = At(rig, kG1SlotA);
    Put(rig, kKeyASlot, AssignmentType::kDisabled);
    Put(rig, kG1SlotA, AssignmentType::kMedia, 1);
    Put(rig, kG1SlotB, AssignmentType::kMedia, 2);
    const model::AssignmentEntry bankB = At(rig, kG1SlotB);
    ClickButton(rig, KeyboardView::kIdProfile1 + 1);  // any reload draws the marks
    ClickButton(rig, KeyboardView::kIdProfile1);
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->Button(kKeyA)->IsCheckedLook(); }));

    // No keeps everything.
    rig.prompter.yesNoAnswer = false;
    ClickButton(rig, KeyboardView::kIdDefaults);
    EXPECT_TRUE(rig.prompter.HasMessage(rig.Text("MAIN_PROMPT_DEFAULT")));
    EXPECT_EQ(At(rig, kKeyASlot).kind(), AssignmentType::kDisabled);
    EXPECT_FALSE(rig.window->ApplyPending());

    rig.prompter.yesNoAnswer = true;
    const std::size_t requests = rig.keyboard->RequestCount();
    ClickButton(rig, KeyboardView::kIdDefaults);
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.window->Busy() && !rig.window->ApplyPending(); }));
    EXPECT_GT(rig.keyboard->RequestCount(), requests) << "restore defaults applies at once";
    EXPECT_EQ(At(rig, kKeyASlot), factoryA);
    EXPECT_EQ(At(rig, kG1SlotA), factoryG1);
    EXPECT_EQ(At(rig, kG1SlotB), bankB);
    EXPECT_FALSE(rig.window->Button(kKeyA)->IsCheckedLook());
    EXPECT_FALSE(rig.window->Button(kG1)->IsCheckedLook());
}

struct FlipCase {
    const char* stored;
    bool flipped;
};

class KeyboardViewFlip : public ::testing::TestWithParam<FlipCase> {};

TEST_P(KeyboardViewFlip, StoredValueChoosesTheLiveKeysAndTheButtonsWriteZeroOrOne) {
    WindowRig rig;
    ASSERT_TRUE(
        rig.context->appProfile.WriteAppProfileString("PROFILES", "Flip", GetParam().stored));
    StartShown(rig);
    auto live = [&] {
        const bool f1 = rig.window->Button(kF1)->isEnabled();
        const bool extra = rig.window->Button(KeyboardView::kIdFirstExtraKey)->isEnabled();
        EXPECT_NE(f1, extra);
        return extra;
    };
    EXPECT_EQ(live(), GetParam().flipped);
    ClickButton(rig, KeyboardView::kIdFlipLeft);
    EXPECT_EQ(rig.context->appProfile.GetAppProfileString("PROFILES", "Flip", "?"),
              GetParam().flipped ? "0" : "1");
    EXPECT_EQ(live(), !GetParam().flipped);
    ClickButton(rig, KeyboardView::kIdFlipRight);
    EXPECT_EQ(rig.context->appProfile.GetAppProfileString("PROFILES", "Flip", "?"),
              GetParam().flipped ? "1" : "0");
    EXPECT_EQ(live(), GetParam().flipped);
}

INSTANTIATE_TEST_SUITE_P(Values, KeyboardViewFlip,
                         ::testing::Values(FlipCase{"0", false}, FlipCase{"1", true},
                                           FlipCase{"2", true}, FlipCase{"yes", true},
                                           FlipCase{"-1", true}));

TEST(KeyboardView, CurrentProfileButtonDoesNotSelectAgainButAnotherDoes) {
    WindowRig rig;
    StartShown(rig);
    std::mutex mutex;
    std::vector<std::uint8_t> commands;
    rig.context->engine().SetTraceObserver([&](char direction, std::span<const std::uint8_t> r) {
        if (direction == '>' && r.size() > device::report::kCommand) {
            std::lock_guard lock(mutex);
            commands.push_back(r[device::report::kCommand]);
        }
    });
    auto settingsWrites = [&] {
        std::lock_guard lock(mutex);
        return std::count(commands.begin(), commands.end(),
                          static_cast<std::uint8_t>(device::Command::kWriteSettings));
    };
    ClickButton(rig, KeyboardView::kIdProfile1);
    QTest::qWait(50);
    EXPECT_EQ(settingsWrites(), 0);
    EXPECT_TRUE(rig.window->Button(KeyboardView::kIdProfile1)->IsCheckedLook());

    ClickButton(rig, KeyboardView::kIdProfile1 + 2);
    EXPECT_EQ(rig.keyboard->Memory().CurrentProfile(), 2);
    EXPECT_GT(settingsWrites(), 0);
    EXPECT_TRUE(rig.window->Button(KeyboardView::kIdProfile1 + 2)->IsCheckedLook());
    EXPECT_FALSE(rig.window->Button(KeyboardView::kIdProfile1)->IsCheckedLook());
    rig.context->engine().SetTraceObserver(nullptr);
}

TEST(KeyboardView, ReportRateLatchesItsButtonAndWritesTheCurrentProfilesByte) {
    WindowRig rig;
    StartShown(rig);
    ClickButton(rig, KeyboardView::kIdProfile1 + 1);
    ASSERT_EQ(rig.keyboard->Memory().CurrentProfile(), 1);
    const auto before = rig.keyboard->Memory().lighting;
    ClickButton(rig, 1169);  // index 2
    const auto after = rig.keyboard->Memory().lighting;
    EXPECT_EQ(after[42 + 15], 2);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i != 42 + 15) {
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(rig.window->Button(KeyboardView::ReportRateButtonId(index))->IsCheckedLook(),
                  index == 2);
    }
}

TEST(KeyboardView, ViewSwitchTurnsKeyClicksIntoColourSelection) {
    WindowRig rig;
    StartShown(rig);
    CPngButton* viewSwitch = rig.window->Button(KeyboardView::kIdViewSwitch);
    ASSERT_TRUE(viewSwitch->isVisible());
    EXPECT_EQ(viewSwitch->text(), rig.Text("MAIN_SWITCH_FUNCTION_TEXT"));
    CPngButton* key = rig.window->Button(kKeyA);
    auto look = [&] { return key->PictureOf(CPngButton::Face::kNormal); };
    const QImage functionLook = look();

    ClickButton(rig, KeyboardView::kIdViewSwitch);
    EXPECT_TRUE(rig.window->ColourSelectMode());
    EXPECT_EQ(viewSwitch->text(), rig.Text("MAIN_SWITCH_COLOR_TEXT"));
    const QImage unselectedLook = look();
    EXPECT_NE(unselectedLook, functionLook);

    const model::KeySlot flagSlot = model::editor::ColourFlagSlot(kKeyA, 0);
    ASSERT_NE(flagSlot, model::kNoSlot);
    ASSERT_EQ(At(rig, flagSlot).colourSelected, 0U);
    ClickButton(rig, kKeyA);  // no editor: a modal run would block here
    EXPECT_FALSE(rig.window->AssignmentEditor().IsOpen());
    EXPECT_NE(At(rig, flagSlot).colourSelected, 0U);
    EXPECT_NE(look(), unselectedLook);
    EXPECT_TRUE(rig.window->ApplyPending());
    EXPECT_EQ(At(rig, kKeyASlot).kind(), AssignmentType::kDefault) << "no assignment made";

    ClickButton(rig, KeyboardView::kIdViewSwitch);
    EXPECT_FALSE(rig.window->ColourSelectMode());
    EXPECT_EQ(look(), functionLook);
}

}  // namespace
}  // namespace q804::testing
