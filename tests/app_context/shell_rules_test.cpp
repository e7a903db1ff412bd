// The firmware gate's decisions and the keyboard's own events.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/context/consumer_events.h"
#include "app/context/firmware_gate.h"
#include "app/context/shell_messages.h"
#include "tests/support/keyboard_rig.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

TEST(FirmwareGate, OnlyKnownOldVersionsAreStopped) {
    const std::pair<std::uint16_t, bool> cases[] = {
        {0x0000, false},  // unknown: the read failed
        {0x0001, true},  {0x0100, true},  {0x0108, true},
        {0x0109, false}, {0x0200, false}, {0xFFFF, false},
    };
    for (const auto& [version, tooOld] : cases) {
        EXPECT_EQ(FirmwareTooOld(version), tooOld) << std::hex << version;
    }
}

TEST(FirmwareGate, ReadsTheVersionAndTreatsAFailedReadAsUnknown) {
    testing::KeyboardRig rig({.firmwareVersion = 0x0108});
    EXPECT_EQ(ReadFirmwareVersion(*rig.engine), 0x0108);
    rig.keyboard->AnswerStatus(0xFE, 3);
    EXPECT_EQ(ReadFirmwareVersion(*rig.engine), 0);
    rig.keyboard->Unplug();
    EXPECT_EQ(ReadFirmwareVersion(*rig.engine), 0);
}

TEST(FirmwareGate, UpdaterMustBeAnExecutableFile) {
    testing::TempDir help;
    EXPECT_FALSE(UpdaterAvailable(help.path()));
    std::filesystem::create_directory(help / kUpdaterFileName);
    EXPECT_FALSE(UpdaterAvailable(help.path()));  // a folder of that name
    std::filesystem::remove(help / kUpdaterFileName);
    const auto updater = help.Write(kUpdaterFileName, "#!/bin/sh\n");
    ::chmod(updater.c_str(), 0644);
    EXPECT_FALSE(UpdaterAvailable(help.path()));
    ::chmod(updater.c_str(), 0755);
    EXPECT_TRUE(UpdaterAvailable(help.path()));
    EXPECT_EQ(UpdaterPath(help.path()), updater);
}

TEST(ConsumerEvents, CodesAndTheIconsTheyAskFor) {
    struct Case {
        std::uint16_t code;
        ConsumerAction action;
        std::optional<int> icon;  // with the presence handler's last icon 141
    };
    const Case cases[] = {
        {0x0401, ConsumerAction::kReloadLighting, std::nullopt},
        {0x1811, ConsumerAction::kIndicatorOn, shell::kIconBusy},
        {0x1810, ConsumerAction::kIndicatorOff, shell::kIconKeyboard},
        {0x1801, ConsumerAction::kNone, std::nullopt},
        {0x1804, ConsumerAction::kNone, std::nullopt},
        {0x0000, ConsumerAction::kNone, std::nullopt},
    };
    for (const Case& c : cases) {
        const ConsumerAction action = ActionOfConsumerCode(c.code);
        EXPECT_EQ(action, c.action) << std::hex << c.code;
        EXPECT_EQ(TrayIconForIndicator(action, shell::kIconKeyboard), c.icon) << std::hex << c.code;
    }
}

}  // namespace
}  // namespace q804
