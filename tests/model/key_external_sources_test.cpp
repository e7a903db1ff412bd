// The key tables against sources other than our own typing: the kernel's evdev key
// numbers (linux-libc-dev) and the HID usage names of the usb.ids database.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>

#include "model/key_tables.h"
#include "tests/model/named_slots.h"

namespace q804::model {
namespace {
// --- evdev key numbers ---------------------------------------------------------------------

std::optional<std::map<std::string, int>> ReadEvdevKeyNumbers() {
    std::ifstream file("/usr/include/linux/input-event-codes.h");
    if (!file) {
        return std::nullopt;
    }
    static const std::regex define(R"(^#define\s+(KEY_\w+)\s+(0x[0-9a-fA-F]+|[0-9]+)\b)");
    std::map<std::string, int> numbers;
    std::string line;
    std::smatch match;
    while (std::getline(file, line)) {
        if (std::regex_search(line, match, define)) {
            numbers[match[1]] = std::stoi(match[2], nullptr, 0);
        }
    }
    return numbers;
}

// evdev name of each named row below 0x59, where set-1 codes and evdev numbers coincide.
std::optional<std::string> EvdevNameOf(std::string_view name) {
    static const std::map<std::string, std::string, std::less<>> named = {
        {"Esc", "KEY_ESC"},
        {"-", "KEY_MINUS"},
        {"=", "KEY_EQUAL"},
        {"Backspace", "KEY_BACKSPACE"},
        {"Tab", "KEY_TAB"},
        {"[", "KEY_LEFTBRACE"},
        {"]", "KEY_RIGHTBRACE"},
        {"Enter", "KEY_ENTER"},
        {"Ctrl", "KEY_LEFTCTRL"},
        {";", "KEY_SEMICOLON"},
        {"'", "KEY_APOSTROPHE"},
        {"`", "KEY_GRAVE"},
        {"Shift", "KEY_LEFTSHIFT"},
        {"\\", "KEY_BACKSLASH"},
        {",", "KEY_COMMA"},
        {".", "KEY_DOT"},
        {"/", "KEY_SLASH"},
        {"Right Shift", "KEY_RIGHTSHIFT"},
        {"Num *", "KEY_KPASTERISK"},
        {"Alt", "KEY_LEFTALT"},
        {"Space", "KEY_SPACE"},
        {"Caps Lock", "KEY_CAPSLOCK"},
        {"Scroll Lock", "KEY_SCROLLLOCK"},
        // This keyboard trades Pause and Num Lock: Pause sits on the usual Num Lock code.
        {"Pause", "KEY_NUMLOCK"},
        {"Num -", "KEY_KPMINUS"},
        {"Num +", "KEY_KPPLUS"},
        {"Num .", "KEY_KPDOT"},
        {"K45", "KEY_102ND"},
    };
    if (auto it = named.find(name); it != named.end()) {
        return it->second;
    }
    const std::string text(name);
    if (std::regex_match(text, std::regex("[A-Z0-9]|F[0-9]+"))) {
        return "KEY_" + text;
    }
    if (std::regex_match(text, std::regex("Num [0-9]"))) {
        return "KEY_KP" + text.substr(4);
    }
    return std::nullopt;
}

TEST(EvdevKeyNumbers, AgreeWithTheSetOneCodes) {
    const auto evdev = ReadEvdevKeyNumbers();
    if (!evdev) {
        GTEST_SKIP() << "/usr/include/linux/input-event-codes.h (linux-libc-dev) is absent";
    }
    int checked = 0;
    for (KeySlot slot : NamedSlots()) {
        const KeyCode code = CodeOfKeySlot(slot);
        const KeyInfoRow& row = KeyInfo(slot);
        if (code >= 0x59 || row.name == "Sys Req") {  // evdev has no key 84
            continue;
        }
        const auto evdevName = EvdevNameOf(row.name);
        ASSERT_TRUE(evdevName.has_value()) << "no evdev name for " << row.name;
        const auto number = evdev->find(*evdevName);
        ASSERT_NE(number, evdev->end()) << *evdevName;
        EXPECT_EQ(code, number->second) << row.name << " / " << *evdevName;
        ++checked;
    }
    EXPECT_GT(checked, 0);
    // The other half of the trade: Num Lock is the E0 form of the usual Num Lock code.
    EXPECT_EQ(*KeyCodeOfName("Num Lock"), 0x100 + evdev->at("KEY_NUMLOCK"));
}

// --- HID usage names of usb.ids ------------------------------------------------------------

// Sections "HUT xx" of usb.ids: usage -> name, per page. Usage lines are a tab, three hex
// digits, two blanks and the name.
std::optional<std::map<std::string, std::map<int, std::string>>> ReadHidUsageNames() {
    std::ifstream file("/usr/share/misc/usb.ids");
    if (!file) {
        return std::nullopt;
    }
    std::map<std::string, std::map<int, std::string>> pages;
    std::map<int, std::string>* page = nullptr;
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("HUT ", 0) == 0 && line.size() >= 6) {
            page = &pages[line.substr(4, 2)];
        } else if (!line.empty() && line[0] != '\t' && line[0] != '#') {
            page = nullptr;
        } else if (page != nullptr && line.size() > 6 && line[0] == '\t' &&
                   line.compare(4, 2, "  ") == 0) {
            (*page)[std::stoi(line.substr(1, 3), nullptr, 16)] = line.substr(6);
        }
    }
    return pages;
}

// How usb.ids begins the name of the keyboard-page usage of each row (its own wording and
// spelling). Letters are named by themselves.
const std::map<std::string, std::string, std::less<>>& KeyboardPageNames() {
    static const std::map<std::string, std::string, std::less<>> names = {
        {"1", "1 and !"},
        {"2", "2 and @"},
        {"3", "3 and #"},
        {"4", "4 and $"},
        {"5", "5 and %"},
        {"6", "6 and ^"},
        {"7", "7 and &"},
        {"8", "8 and *"},
        {"9", "9 and ("},
        {"0", "0 and )"},
        {"Enter", "Return (Enter)"},
        {"Esc", "Escape"},
        {"Backspace", "Delete (Backspace)"},
        {"Tab", "Tab"},
        {"Space", "Space Bar"},
        {"-", "- and _"},
        {"=", "= and +"},
        {"[", "[ and {"},
        {"]", "] and }"},
        {"\\", "\\ and | (Backslash and Bar)"},
        {";", "; and :"},
        {"'", "´ and \""},
        {"`", "` and ~"},
        {",", ", and <"},
        {".", ". and >"},
        {"/", "/ and ?"},
        {"Caps Lock", "Caps Lock"},
        {"F1", "F1"},
        {"F2", "F2"},
        {"F3", "F3"},
        {"F4", "F4"},
        {"F5", "F5"},
        {"F6", "F6"},
        {"F7", "F7"},
        {"F8", "F8"},
        {"F9", "F9"},
        {"F10", "F10"},
        {"F11", "F11"},
        {"F12", "F12"},
        {"Print Screen", "Print Screen"},
        {"Scroll Lock", "Scroll Lock"},
        {"Pause", "Pause"},
        {"Break", "Pause"},
        {"Insert", "Insert"},
        {"Home", "Home"},
        {"Page Up", "Page Up"},
        {"Delete", "Delete Forward"},
        {"End", "End"},
        {"Page Down", "Page Down"},
        {"→", "Right Arrow"},
        {"←", "Left Arrow"},
        {"↓", "Down Arrow"},
        {"↑", "Up Arrow"},
        {"Num Lock", "Num Lock"},
        {"Num /", "Keypad /"},
        {"Num *", "Keypad *"},
        {"Num -", "Keypad -"},
        {"Num +", "Keypad +"},
        {"Num Enter", "Keypad Enter"},
        {"Num 1", "Keypad 1 "},
        {"Num 2", "Keypad 2 "},
        {"Num 3", "Keypad 3 "},
        {"Num 4", "Keypad 4 "},
        {"Num 5", "Keypad 5 "},
        {"Num 6", "Keypad 6 "},
        {"Num 7", "Keypad 7 "},
        {"Num 8", "Keypad 8 "},
        {"Num 9", "Keypad 9 "},
        {"Num 0", "Keypad 0 "},
        {"Num .", "Keypad . "},
        {"K45", "\\ and | (Backslash and Bar, UK and Non-US"},
        {"App", "Keyboard Application"},
        {"K107", "Keypad Comma"},
        {"K56", "International 1"},
        {"ROMA (133)", "International 2"},
        {"K14", "International 3"},
        {"CHG (132)", "International 4"},
        {"N-CHG (131)", "International 5"},
        {"KR", "LANG 1"},
        {"KL", "LANG 2"},
        {"Ctrl", "Control Left"},
        {"Shift", "Shift Left"},
        {"Alt", "Alt Left"},
        {"Win", "GUI Left"},
        {"Right Ctrl", "Control Right"},
        {"Right Shift", "Shift Right"},
        {"Right Alt", "Alt Ri"},  // the file spells it "Rigth"
        {"Right Win", "GUI Right"},
    };
    return names;
}

// usb.ids leaves out keypad 6 at 0x5E and names 0x5F-0x62 one digit low; the HID Usage
// Tables have keypad 6, 7, 8, 9, 0 there. Those usages are checked by the keypad's order
// below instead of by the file.
bool IsKnownMislabelledKeypadUsage(int usage) {
    return usage >= 0x5E && usage <= 0x62;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

class HidUsageNames : public ::testing::Test {
  protected:
    void SetUp() override {
        pages_ = ReadHidUsageNames();
        if (!pages_) {
            GTEST_SKIP() << "/usr/share/misc/usb.ids (package usb.ids) is absent";
        }
    }
    const std::map<int, std::string>& Page(const char* page) { return (*pages_)[page]; }

    std::optional<std::map<std::string, std::map<int, std::string>>> pages_;
};

TEST_F(HidUsageNames, KeyboardPageUsagesOfTheRows) {
    const auto& keyboard = Page("07");
    ASSERT_EQ(keyboard.at(0x04), "A");
    int checked = 0;
    for (KeySlot slot : NamedSlots()) {
        const KeyInfoRow& row = KeyInfo(slot);
        const HidUsage usage = UsageOfKeyCode(CodeOfKeySlot(slot));
        // Media, office and mouse bytes are this keyboard's own, not keyboard-page usages.
        if (usage.kind != UsageKind::kKeyboard || (usage.usage >= 0xC0 && usage.usage <= 0xD5)) {
            continue;
        }
        SCOPED_TRACE(std::string(row.name));
        std::string expected(row.name);
        if (!(expected.size() == 1 && expected[0] >= 'A' && expected[0] <= 'Z')) {
            const auto it = KeyboardPageNames().find(row.name);
            ASSERT_NE(it, KeyboardPageNames().end()) << "no usb.ids name for this row";
            expected = it->second;
        }
        const auto named = keyboard.find(usage.usage);
        const bool matches = named != keyboard.end() && StartsWith(named->second, expected);
        if (!IsKnownMislabelledKeypadUsage(usage.usage)) {
            EXPECT_TRUE(matches) << "usage 0x" << std::hex << usage.usage << " is \""
                                 << (named == keyboard.end() ? "absent" : named->second)
                                 << "\" in usb.ids, expected \"" << expected << "\"";
        }
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

TEST_F(HidUsageNames, KeypadDigitsRunLikeTheDigitRow) {
    const auto& keyboard = Page("07");
    auto usageOf = [](const char* name) { return UsageOfKeyCode(*KeyCodeOfName(name)).usage; };
    // Keypad 1-5 and the decimal point are named correctly in the file ...
    ASSERT_TRUE(StartsWith(keyboard.at(usageOf("Num 1")), "Keypad 1 "));
    ASSERT_TRUE(StartsWith(keyboard.at(usageOf("Num 5")), "Keypad 5 "));
    ASSERT_TRUE(StartsWith(keyboard.at(usageOf("Num .")), "Keypad . "));
    // ... and the keypad runs 1-9, 0, . without gaps, as the digit row runs 1-9, 0.
    for (int digit = 1; digit <= 9; ++digit) {
        const std::string name = "Num " + std::to_string(digit);
        EXPECT_EQ(usageOf(name.c_str()), usageOf("Num 1") + digit - 1) << name;
    }
    EXPECT_EQ(usageOf("Num 0"), usageOf("Num 9") + 1);
    EXPECT_EQ(usageOf("Num ."), usageOf("Num 0") + 1);
    EXPECT_EQ(usageOf("0"), usageOf("9") + 1);
}

TEST_F(HidUsageNames, ConsumerUsagesOfTheMediaTable) {
    const auto& consumer = Page("0c");
    ASSERT_EQ(consumer.at(0x0E9), "Volume Increment");
    const std::map<std::string_view, std::string_view> expected = {
        {"Media Player", "AL Consumer Control Configuration"},
        {"Play/Pause", "Play/Pause"},
        {"Stop Play", "Stop"},
        {"Prev Track", "Scan Previous Track"},
        {"Next Track", "Scan Next Track"},
        {"V-", "Volume Decrement"},
        {"V+", "Volume Increment"},
        {"Mute", "Mute"},
        {"WWW Home", "AC Home"},
        {"WWW Refresh", "AC Refresh"},
        {"WWW Stop", "AC Stop"},
        {"WWW Back", "AC Back"},
        {"WWW Forward", "AC Forward"},
        {"WWW Favorite", "AC Bookmarks"},
        {"WWW Search", "AC Search"},
        {"My PC", "AL Local Machine Browser"},
        {"Calc", "AL Calculator"},
        {"Mail", "AL Email Reader"},
    };
    for (const MediaRow& media : kMediaTable) {
        const auto named = consumer.find(media.consumerUsage);
        if (named == consumer.end()) {
            // usb.ids has no AC Bookmarks (0x22A); every other usage must be there.
            EXPECT_EQ(media.consumerUsage, 0x22A) << media.name;
            continue;
        }
        EXPECT_EQ(named->second, expected.at(media.name)) << media.name;
    }
}

TEST_F(HidUsageNames, GenericDesktopUsagesOfTheSystemKeys) {
    const auto& desktop = Page("01");
    const std::pair<const char*, const char*> cases[] = {
        {"Power", "System Power Down"}, {"Sleep", "System Sleep"}, {"Wake", "System Wake Up"}};
    for (const auto& [name, expected] : cases) {
        const HidUsage usage = UsageOfKeyCode(*KeyCodeOfName(name));
        EXPECT_EQ(usage.kind, UsageKind::kGenericDesktop) << name;
        EXPECT_EQ(desktop.at(usage.usage), expected) << name;
    }
}

}  // namespace
}  // namespace q804::model
