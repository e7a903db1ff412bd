#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QtTest/QTest>
#include <thread>

#include "app/context/firmware_gate.h"
#include "app/context/shell_messages.h"
#include "device/sim/keyboard_memory.h"
#include "model/profile_file.h"
#include "model/profiles.h"
#include "tests/app_gui/window_rig.h"
#include "ui/main/about_box.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/keyboard_view.h"

namespace q804::testing {
namespace {

using Dlg = CQuorvaneDlg;

// Profile 0's entry of the A key.
constexpr int kKeyASlot = 0x1E;

model::AssignmentEntry EntryOfA(ApplicationContext& context) {
    auto lock = context.store.working.Lock();
    return context.store.working.EntryAt(0, kKeyASlot);
}

void DisableKeyA(WindowRig& rig) {
    model::AssignmentEntry disabled;
    disabled.type = static_cast<std::uint16_t>(model::AssignmentType::kDisabled);
    auto lock = rig.context->store.working.Lock();
    rig.context->store.working.SetEntry(0, kKeyASlot, disabled);
}

bool RunApply(WindowRig& rig) {
    bool finished = false;
    bool ok = false;
    rig.window->Apply([&](bool result) {
        finished = true;
        ok = result;
    });
    EXPECT_TRUE(rig.WaitFor([&] { return finished; }));
    return ok;
}

TEST(MainWindowPresence, NoKeyboardAtStartStaysHiddenAndSaysSoOnOpen) {
    WindowRig rig(RigOptions::Unplugged());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_TRUE(rig.tray.shown);
    EXPECT_EQ(rig.tray.Icon(), shell::kIconNoKeyboard);
    EXPECT_EQ(rig.tray.tooltip, rig.Text("KEYBOARD_TRAY_DESC"));
    rig.tray.Choose(Dlg::kCmdOpen);
    EXPECT_TRUE(rig.prompter.HasMessage(rig.Text("MAIN_NO_DEVICE_PROMPT")));
    EXPECT_FALSE(rig.window->isVisible());
    // Plugged in later: the icon follows, the window does not open by itself.
    rig.keyboard->Plug();
    ASSERT_TRUE(rig.WaitFor([&] { return rig.tray.Icon() == shell::kIconKeyboard; }));
    QTest::qWait(100);
    EXPECT_FALSE(rig.window->isVisible());
    rig.tray.Choose(Dlg::kCmdOpen);
    EXPECT_TRUE(rig.window->isVisible());
}

TEST(MainWindowPresence, ArrivalOpensOnceUnplugClosesAndHidesReplugDoesNotReopen) {
    WindowRig rig;
    rig.Init();
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->isVisible(); }));
    EXPECT_EQ(rig.tray.Icon(), shell::kIconKeyboard);
    rig.window->OpenAbout();
    ASSERT_NE(rig.window->AboutBox(), nullptr);
    EXPECT_TRUE(rig.window->AboutBox()->isVisible());

    rig.keyboard->Unplug();
    ASSERT_TRUE(rig.WaitFor([&] { return rig.tray.Icon() == shell::kIconNoKeyboard; }));
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_TRUE(rig.window->AboutBox() == nullptr || !rig.window->AboutBox()->isVisible());
    EXPECT_EQ(rig.context->deviceState.currentProfile, -1);

    rig.keyboard->Plug();
    ASSERT_TRUE(rig.WaitFor([&] { return rig.tray.Icon() == shell::kIconKeyboard; }));
    QTest::qWait(100);
    EXPECT_FALSE(rig.window->isVisible());
}

TEST(MainWindowPresence, StartedWithStartStaysInTheTrayUntilOpened) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    QTest::qWait(100);
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_EQ(rig.tray.MenuTexts().mid(0, 3),
              (QStringList{rig.Text("MENU_11"), rig.Text("MENU_22"), rig.Text("MENU_33")}));
    rig.tray.Choose(Dlg::kCmdOpen);  // as the icon's double click does
    EXPECT_TRUE(rig.window->isVisible());
    EXPECT_TRUE(rig.prompter.messages.isEmpty());
}

TEST(MainWindowPresence, BankSwitchTwiceSendsBothReportsAndRelabelsTheGKeys) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    CPngButton* g1 = rig.window->Button(1000);
    EXPECT_EQ(g1->text(), "A1");
    using Report = std::array<std::uint8_t, 2>;
    const std::pair<Report, QString> steps[] = {{{0x05, 0x03}, "B1"}, {{0x05, 0x02}, "A1"}};
    for (const auto& [report, caption] : steps) {
        rig.keyboard->SendConsumerCode(device::kConsumerGBankSwitched);
        ASSERT_TRUE(
            rig.WaitFor([&, r = report] { return rig.keyboard->Memory().gBankReport == r; }));
        ASSERT_TRUE(rig.WaitFor([&, c = caption] { return g1->text() == c; }));
        EXPECT_EQ(rig.window->Button(1141)->text(), "");  // G7 carries no caption
    }
}

TEST(MainWindowPresence, IndicatorEventsSwitchTheIconAndBack) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    rig.keyboard->SendConsumerCode(device::kConsumerIndicatorOn);
    ASSERT_TRUE(rig.WaitFor([&] { return rig.tray.Icon() == shell::kIconBusy; }));
    rig.keyboard->SendConsumerCode(0x1801);  // ignored
    rig.keyboard->SendConsumerCode(device::kConsumerIndicatorOff);
    ASSERT_TRUE(rig.WaitFor([&] { return rig.tray.Icon() == shell::kIconKeyboard; }));
}

TEST(MainWindowPresence, SimulatedKeyboardMenuDrivesEveryPath) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    EXPECT_TRUE(rig.tray.MenuTexts().contains("Simulated keyboard"));
    const std::pair<int, int> steps[] = {{Dlg::kCmdSimUnplug, shell::kIconNoKeyboard},
                                         {Dlg::kCmdSimPlug, shell::kIconKeyboard},
                                         {Dlg::kCmdSimIndicatorOn, shell::kIconBusy},
                                         {Dlg::kCmdSimIndicatorOff, shell::kIconKeyboard}};
    for (const auto& [command, icon] : steps) {
        rig.tray.Choose(command);
        ASSERT_TRUE(rig.WaitFor([&, i = icon] { return rig.tray.Icon() == i; })) << command;
    }
    rig.tray.Choose(Dlg::kCmdSimGBank);
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->Button(1000)->text() == "B1"; }));
}

struct FirmwareCase {
    std::uint16_t version;
    bool answerOk;
    bool updaterPresent;
    bool prompted;
    bool launched;
};

class FirmwareGateTest : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(FirmwareGateTest, OldFirmwarePromptsAndEnds) {
    const FirmwareCase& c = GetParam();
    RigOptions options = RigOptions::StartHidden();
    options.keyboard.firmwareVersion = c.version;
    WindowRig rig(options);
    rig.prompter.okCancelAnswer = c.answerOk;
    rig.context->paths.helpDir = rig.dir / "Help";
    if (c.updaterPresent) {
        const auto updater = rig.dir.Write("Help/KB-UPDATE-0109.exe", "#!/bin/sh\n");
        ::chmod(updater.c_str(), 0755);
    }
    rig.Init();
    if (c.prompted) {
        ASSERT_TRUE(rig.WaitFor([&] { return !rig.exitCodes.empty(); }));
        EXPECT_EQ(rig.exitCodes, std::vector<int>{0});
        ASSERT_EQ(rig.prompter.okCancelPrompts.size(), 1);
        EXPECT_EQ(rig.prompter.okCancelPrompts[0],
                  QString("Version update|") + kFirmwarePromptText);
        // At start-up the gate runs before the icon is made.
        EXPECT_EQ(rig.trayShownAtExit, std::vector<bool>{false});
    } else {
        ASSERT_TRUE(rig.WaitReady());
        EXPECT_TRUE(rig.exitCodes.empty());
        EXPECT_TRUE(rig.prompter.okCancelPrompts.isEmpty());
    }
    if (c.launched) {
        const QString help = QString::fromStdString((rig.dir / "Help").string());
        ASSERT_EQ(rig.launched.size(), 1u);
        EXPECT_EQ(rig.launched[0],
                  (QStringList{help + "/KB-UPDATE-0109.exe", "In the upgrade", "cwd=" + help}));
    } else {
        EXPECT_TRUE(rig.launched.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, FirmwareGateTest,
    ::testing::Values(FirmwareCase{0x0108, false, true, true, false},  // Cancel
                      FirmwareCase{0x0108, true, true, true, true},    // OK: updater runs
                      FirmwareCase{0x0100, true, false, true, false},  // OK, no updater
                      FirmwareCase{0x0109, true, true, false, false},
                      FirmwareCase{0x0000, true, true, false, false}));  // unknown version

TEST(FirmwareGate, OldKeyboardPluggedInLaterEndsTheRunningProgram) {
    WindowRig rig(RigOptions::Unplugged());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    rig.keyboard->ModifyMemory([](device::sim::KeyboardMemory& memory) {
        memory.settings[device::settings::kFirmwareVersion] = 0x00;
        memory.settings[device::settings::kFirmwareVersion + 1] = 0x01;
    });
    rig.keyboard->Plug();
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.exitCodes.empty(); }));
    EXPECT_EQ(rig.prompter.okCancelPrompts.size(), 1);
    // The icon goes before the program ends, so none is left behind in the tray.
    EXPECT_EQ(rig.trayShownAtExit, std::vector<bool>{false});
    EXPECT_EQ(rig.exitCodes, std::vector<int>{0});
}

TEST(MainWindowApply, NothingPendingWritesNothing) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    const auto workingFile = model::ProfileFilePath(rig.context->perUser, 0);
    const std::string before = ReadText(workingFile);
    const std::size_t requests = rig.keyboard->RequestCount();
    EXPECT_FALSE(rig.window->ApplyPending());
    EXPECT_TRUE(RunApply(rig));
    EXPECT_EQ(rig.keyboard->RequestCount(), requests);
    EXPECT_EQ(ReadText(workingFile), before);
}

TEST(MainWindowApply, ChangeReachesTheWorkingFileAndTheKeyboard) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    const auto tablesBefore = rig.keyboard->Memory().keyTables;
    DisableKeyA(rig);
    rig.window->MarkChanged();
    EXPECT_TRUE(rig.window->Button(Dlg::kIdApply)->isEnabled());

    EXPECT_TRUE(RunApply(rig));
    EXPECT_FALSE(rig.window->ApplyPending());
    EXPECT_FALSE(rig.window->Button(Dlg::kIdApply)->isEnabled());
    auto file = model::ReadStoreFile(model::ProfileFilePath(rig.context->perUser, 0));
    ASSERT_TRUE(file);
    EXPECT_EQ(file.value().image.Entry(model::EntryNumber(0, kKeyASlot)).kind(),
              model::AssignmentType::kDisabled);
    const auto tablesAfter = rig.keyboard->Memory().keyTables;
    EXPECT_FALSE(std::equal(tablesAfter.begin(), tablesAfter.begin() + 378, tablesBefore.begin()));
    EXPECT_TRUE(std::equal(tablesAfter.begin() + 378, tablesAfter.end(),
                           tablesBefore.begin() + 378));  // only the current profile
}

TEST(MainWindowApply, UnplugMidwayKeepsApplyAndTheFilesSound) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    DisableKeyA(rig);
    rig.window->MarkChanged();
    rig.keyboard->UnplugAfter(2);
    EXPECT_FALSE(RunApply(rig));
    EXPECT_TRUE(rig.window->ApplyPending());
    EXPECT_TRUE(rig.window->Button(Dlg::kIdApply)->isEnabled());
    EXPECT_FALSE(rig.window->Busy());
    EXPECT_EQ(model::ValidateProfileFile(model::ProfileFilePath(rig.context->perUser, 0)),
              model::kProfileValid);
}

TEST(MainWindowApply, WindowIgnoresInputWhileTheKeyboardIsWritten) {
    WindowRig rig;
    rig.Init();
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->isVisible(); }));
    DisableKeyA(rig);
    rig.window->MarkChanged();
    rig.keyboard->SetLatency(std::chrono::milliseconds(15));  // about a second for the upload
    bool finished = false;
    rig.window->Apply([&](bool) { finished = true; });
    ASSERT_TRUE(rig.window->Busy());
    EXPECT_TRUE(rig.window->BusyPicture().IsShown());
    QTest::mouseClick(rig.window->Button(Dlg::kIdCancel), Qt::LeftButton);
    EXPECT_TRUE(rig.window->isVisible());  // the click did not reach Cancel
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->BusyPicture().Frame() > 2; }));
    ASSERT_TRUE(rig.WaitFor([&] { return finished; }));
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.window->BusyPicture().IsShown(); }));
    QTest::mouseClick(rig.window->Button(Dlg::kIdCancel), Qt::LeftButton);
    EXPECT_FALSE(rig.window->isVisible());
}

TEST(MainWindowFiles, CorruptRestoreIsRefusedAndChangesNothing) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    rig.prompter.fileToOpen =
        QString::fromStdString(rig.dir.Write("broken.fwc", std::string(40000, 'x')).string());
    const auto imageBefore = *rig.context->store.working.image();
    const auto memoryBefore = rig.keyboard->Memory();
    rig.window->OnCommand(Dlg::kCmdRestore);
    ASSERT_TRUE(
        rig.WaitFor([&] { return rig.prompter.HasMessage(rig.Text("MAIN_PROMPT_INPORT")); }));
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.window->Busy(); }));
    EXPECT_TRUE(
        std::ranges::equal(rig.context->store.working.image()->bytes(), imageBefore.bytes()));
    EXPECT_EQ(rig.keyboard->Memory(), memoryBefore);
    EXPECT_FALSE(rig.window->ApplyPending());
}

TEST(MainWindowFiles, BackupThenRestoreBringsTheProfilesBack) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    const QString backup = QString::fromStdString((rig.dir / "mine.fwc").string());
    rig.prompter.fileToSave = backup;
    rig.window->OnCommand(Dlg::kCmdBackup);
    ASSERT_EQ(model::ValidateProfileFile(backup.toStdString()), model::kProfileValid);

    DisableKeyA(rig);
    rig.window->MarkChanged();
    rig.prompter.fileToOpen = backup;
    rig.window->OnCommand(Dlg::kCmdRestore);
    ASSERT_TRUE(rig.WaitFor([&] { return !rig.window->Busy() && !rig.window->ApplyPending(); }));
    EXPECT_EQ(EntryOfA(*rig.context).kind(), model::AssignmentType::kDefault);
    EXPECT_FALSE(rig.window->Button(Dlg::kIdApply)->isEnabled());
    EXPECT_TRUE(rig.prompter.messages.isEmpty());
}

TEST(MainWindowFiles, BackupThatCannotBeWrittenIsReported) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    rig.prompter.fileToSave = QString::fromStdString((rig.dir / "no-folder" / "x.fwc").string());
    rig.window->OnCommand(Dlg::kCmdBackup);
    EXPECT_EQ(rig.prompter.messages.size(), 1);
}

TEST(MainWindowMessages, QuitOnlyWithItsCodeAndOpenFromAnotherThread) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    // Another instance's request arrives from outside the window's thread and returns only
    // once the window has handled it.
    bool delivered = false;
    std::thread other([&] {
        delivered = rig.window->Messages().Send(shell::kMsgOpenOrVersion, shell::kCodeOpen);
    });
    ASSERT_TRUE(rig.WaitFor([&] { return rig.window->isVisible(); }));
    other.join();
    EXPECT_TRUE(delivered);

    rig.window->Messages().Send(shell::kMsgQuit, 0x12345678);
    EXPECT_EQ(rig.quitCalls, 0);
    EXPECT_TRUE(rig.window->isVisible());
    rig.window->Messages().Send(shell::kMsgQuit, shell::kCodeKill);
    EXPECT_EQ(rig.quitCalls, 1);
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_FALSE(rig.tray.shown);
    EXPECT_EQ(rig.context->shell.trayIconId, 0);
    // After quit nothing reaches the window any more, and nobody waits for it.
    EXPECT_FALSE(rig.window->Messages().Send(shell::kMsgOpenOrVersion, shell::kCodeOpen));
}

TEST(MainWindowProfiles, ProfileMenuSwitchesTheKeyboardAndAsksAboutPendingChanges) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    EXPECT_TRUE(rig.window->Button(KeyboardView::kIdProfile1)->IsCheckedLook());
    rig.window->OnCommand(Dlg::kCmdDefaultProfile + 2);  // the menu item of profile 2
    EXPECT_EQ(rig.keyboard->Memory().CurrentProfile(), 1);
    EXPECT_TRUE(rig.window->Button(KeyboardView::kIdProfile1 + 1)->IsCheckedLook());
    EXPECT_FALSE(rig.window->Button(KeyboardView::kIdProfile1)->IsCheckedLook());
    EXPECT_TRUE(rig.prompter.messages.isEmpty());

    // With a change pending the user is asked; No throws the change away.
    DisableKeyA(rig);
    rig.window->MarkChanged();
    rig.prompter.yesNoAnswer = false;
    rig.window->OnCommand(Dlg::kCmdDefaultProfile + 3);
    EXPECT_TRUE(rig.prompter.HasMessage(rig.Text("PROFILE_SELECT_PROMPT")));
    EXPECT_EQ(rig.keyboard->Memory().CurrentProfile(), 2);
    EXPECT_FALSE(rig.window->ApplyPending());
    EXPECT_EQ(EntryOfA(*rig.context).kind(), model::AssignmentType::kDefault);
}

TEST(MainWindowMessages, HelpOpensTheShippedPage) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    rig.window->OnCommand(Dlg::kIdHelp);
    ASSERT_EQ(rig.opened.size(), 1u);
    EXPECT_TRUE(rig.opened[0].isLocalFile());
    EXPECT_TRUE(rig.opened[0].toLocalFile().endsWith("/Help/index.html"));
    EXPECT_TRUE(std::filesystem::is_regular_file(rig.opened[0].toLocalFile().toStdString()));
}

TEST(MainWindowMessages, RelabelFollowsTheLanguageOfTheMessage) {
    WindowRig rig(RigOptions::StartHidden());
    rig.Init();
    ASSERT_TRUE(rig.WaitReady());
    const QString english = rig.window->Button(Dlg::kIdApply)->text();
    EXPECT_EQ(english, QString::fromStdString(rig.context->language.LangText("PROFILE_APPLY", 1)));
    rig.window->Messages().Send(shell::kMsgRelabel, shell::kCodeLang, 0);  // Chinese
    EXPECT_EQ(rig.window->Button(Dlg::kIdApply)->text(),
              QString::fromStdString(rig.context->language.LangText("PROFILE_APPLY", 0)));
    EXPECT_NE(rig.window->Button(Dlg::kIdApply)->text(), english);
}

}  // namespace
}  // namespace q804::testing
