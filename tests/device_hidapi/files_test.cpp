// The files the backend reads or points to: report descriptors under sysfs and the udev rule.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "device/hidapi/sysfs_descriptor.h"
#include "device/hidapi/udev_rule.h"
#include "tests/support/temp_dir.h"

namespace q804::device::hidapi {
namespace {

using q804::testing::ReadText;
using q804::testing::TempDir;

TEST(SysfsDescriptor, ReadsTheNodesAttributeAndRefusesOtherPaths) {
    TempDir sys;
    const std::string bytes("\x05\x0C\x09\x01\xA1\x01\xC0", 7);
    sys.Write("class/hidraw/hidraw3/device/report_descriptor", bytes);
    sys.Write("class/hidraw/report_descriptor", bytes);

    Result<std::vector<std::uint8_t>> read = ReadHidrawReportDescriptor(sys.path(), "/dev/hidraw3");
    ASSERT_TRUE(read.ok()) << read.error().message;
    EXPECT_EQ(read.value(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

    EXPECT_FALSE(ReadHidrawReportDescriptor(sys.path(), "/dev/hidraw4").ok());
    for (const char* path : {"/dev/hidraw", "/dev/hidraw3x", "/dev/..", "", "/dev/usb/hiddev0",
                             "/dev/hidraw3/../.."}) {
        Result<std::vector<std::uint8_t>> refused = ReadHidrawReportDescriptor(sys.path(), path);
        EXPECT_FALSE(refused.ok()) << path;
    }
}

class UdevRuleFixture : public ::testing::Test {
  protected:
    TempDir dir;
    std::filesystem::path programDir = dir / "prefix/bin";
    std::vector<std::filesystem::path> ruleDirs = {dir / "etc/udev/rules.d",
                                                   dir / "usr/lib/udev/rules.d"};

    std::optional<UdevRuleLocation> Locate() const { return LocateUdevRule(programDir, ruleDirs); }
};

TEST_F(UdevRuleFixture, PrefersTheInstalledRuleThenTheCopiesBesideTheProgram) {
    EXPECT_FALSE(Locate());

    dir.Write("prefix/lib/udev/rules.d/70-veltrano-q804.rules", "rule");
    ASSERT_TRUE(Locate());
    EXPECT_EQ(Locate()->file, (dir / "prefix/lib/udev/rules.d/70-veltrano-q804.rules"));
    EXPECT_FALSE(Locate()->active);

    dir.Write("prefix/bin/udev/70-veltrano-q804.rules", "rule");
    EXPECT_EQ(Locate()->file, (dir / "prefix/bin/udev/70-veltrano-q804.rules"));

    dir.Write("usr/lib/udev/rules.d/70-veltrano-q804.rules", "rule");
    EXPECT_EQ(Locate()->file, (dir / "usr/lib/udev/rules.d/70-veltrano-q804.rules"));
    EXPECT_TRUE(Locate()->active);
}

TEST(PermissionMessage, NamesTheNodeTheRuleAndTheCommands) {
    struct Case {
        std::optional<UdevRuleLocation> rule;
        std::vector<std::string> wanted;
        std::vector<std::string> unwanted;
    };
    const std::vector<Case> cases = {
        {UdevRuleLocation{"/opt/q804/bin/udev/70-veltrano-q804.rules", false},
         {"sudo cp /opt/q804/bin/udev/70-veltrano-q804.rules /etc/udev/rules.d/",
          "udevadm control --reload-rules", "udevadm trigger", "replug"},
         {"is installed"}},
        // A path with a space is quoted for the shell.
        {UdevRuleLocation{"/home/a b/bin/udev/70-veltrano-q804.rules", false},
         {"sudo cp '/home/a b/bin/udev/70-veltrano-q804.rules' /etc/udev/rules.d/"},
         {}},
        {UdevRuleLocation{"/usr/lib/udev/rules.d/70-veltrano-q804.rules", true},
         {"/usr/lib/udev/rules.d/70-veltrano-q804.rules", "is installed", "udevadm trigger"},
         {"sudo cp"}},
        {std::nullopt, {"sudo cp 70-veltrano-q804.rules /etc/udev/rules.d/", "comes with"}, {}},
    };
    for (const Case& c : cases) {
        const std::string message = PermissionDeniedMessage("/dev/hidraw3", c.rule);
        EXPECT_EQ(message.rfind("Permission denied on /dev/hidraw3.", 0), 0u) << message;
        for (const std::string& text : c.wanted) {
            EXPECT_NE(message.find(text), std::string::npos) << message << "\nlacks: " << text;
        }
        for (const std::string& text : c.unwanted) {
            EXPECT_EQ(message.find(text), std::string::npos) << message << "\nhas: " << text;
        }
    }
}

// The shipped rule grants access through the seat only; a world-writable mode would let any
// local process rewrite the keyboard's memory.
TEST(ShippedUdevRule, TagsTheKeyboardsHidrawNodesForTheSeatOnly) {
    for (const std::filesystem::path& file :
         {std::filesystem::path(Q804_SOURCE_DIR) / "udev/70-veltrano-q804.rules",
          std::filesystem::path(Q804_RUNTIME_DIR) / "udev/70-veltrano-q804.rules"}) {
        const std::string text = ReadText(file);
        std::string rule;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line[0] != '#') {
                EXPECT_TRUE(rule.empty()) << "more than one rule in " << file;
                rule = line;
            }
        }
        for (const char* wanted : {"SUBSYSTEM==\"hidraw\"", "ATTRS{idVendor}==\"0c45\"",
                                   "ATTRS{idProduct}==\"5004\"", "TAG+=\"uaccess\""}) {
            EXPECT_NE(rule.find(wanted), std::string::npos) << file << " lacks " << wanted;
        }
        EXPECT_EQ(rule.find("MODE"), std::string::npos) << file;
    }
}

}  // namespace
}  // namespace q804::device::hidapi
