// The key list the command-line tool prints, in text and as the JSON that scripts read.

#include "model/key_listing.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "app/settings.h"
#include "lang/language.h"
#include "tests/support/temp_dir.h"

namespace q804::model {
namespace {

using q804::testing::TempDir;

class KeyList : public ::testing::Test {
  protected:
    TempDir dir;
    SettingsKey settings = SettingsKey::Open(dir / "config");
    std::optional<LanguageTables> language;

    void SetUp() override {
        // Texts that a careless writer would turn into broken JSON: a quote, a backslash, a
        // control character and a byte that is not UTF-8.
        dir.Write("data/Lang0804.ini",
                  "[TEXT]\n"
                  "IDS_KEYBOARD_A=A键\n"
                  "IDS_KEYBOARD_B=say \"B\"\n"
                  "IDS_KEYBOARD_C=back\\slash\n"
                  "IDS_KEYBOARD_D=tab\there\n"
                  "IDS_KEYBOARD_E=bad \xFF byte\n"
                  "MEDIA_V_ADD_7=\n"
                  "UNKNOWN_KEY=?%04X\n");
        language.emplace(dir / "data", settings, 0x0804);
    }

    std::string Json() {
        std::ostringstream out;
        WriteKeyListJson(out, BuildKeyList(*language));
        return out.str();
    }
};

TEST_F(KeyList, ButtonsThenOtherNamedKeysThenGKeys) {
    const std::vector<KeyListEntry> entries = BuildKeyList(*language);
    ASSERT_GE(entries.size(), kKeyButtonOrder.size() + kGKeySlotCount);

    for (std::size_t row = 0; row < kKeyButtonOrder.size(); ++row) {
        EXPECT_EQ(entries[row].code, kKeyButtonOrder[row].code) << row;
        EXPECT_EQ(entries[row].button, kKeyButtonOrder[row].button) << row;
        EXPECT_EQ(entries[row].colourIndex, kKeyButtonOrder[row].colourIndex) << row;
    }

    // Every named code exactly once; the others carry no button.
    std::map<KeyCode, int> seen;
    for (const KeyListEntry& entry : entries) {
        ++seen[entry.code];
        EXPECT_EQ(entry.slot, KeySlotOfCode(entry.code));
    }
    for (KeySlot slot = 0; slot < kKeyInfoRowCount; ++slot) {
        if (!KeyInfo(slot).empty()) {
            EXPECT_EQ(seen[CodeOfKeySlot(slot)], 1) << KeyInfo(slot).name;
        }
    }
    for (const MediaRow& media : kMediaTable) {
        EXPECT_EQ(seen[media.code], 1) << media.name;
    }
    for (std::size_t i = kKeyButtonOrder.size(); i + kGKeySlotCount < entries.size(); ++i) {
        EXPECT_FALSE(entries[i].button.has_value()) << entries[i].name;
        EXPECT_FALSE(entries[i].colourIndex.has_value()) << entries[i].name;
    }

    const std::size_t firstG = entries.size() - kGKeySlotCount;
    for (int k = 0; k < kGKeySlotCount; ++k) {
        const KeyListEntry& entry = entries[firstG + static_cast<std::size_t>(k)];
        EXPECT_EQ(entry.slot, 256 + k);
        EXPECT_EQ(entry.code, 0x200 + k);
        EXPECT_EQ(entry.name, "G" + std::to_string(k + 1));
        EXPECT_EQ(entry.button, kGKeyButtons[static_cast<std::size_t>(k % 9)]);
        EXPECT_EQ(entry.colourIndex, kGKeyColourIndex);
    }
}

TEST_F(KeyList, EveryListedNameLeadsBackToItsKey) {
    for (const KeyListEntry& entry : BuildKeyList(*language)) {
        ASSERT_FALSE(entry.name.empty()) << std::hex << entry.code;
        const std::optional<KeyCode> code = KeyCodeOfName(entry.name);
        ASSERT_TRUE(code.has_value()) << entry.name;
        // The second Right Shift row shares the name; the name means the first.
        EXPECT_EQ(*code, entry.code == 0x136 ? 0x036 : entry.code) << entry.name;
    }
}

TEST_F(KeyList, TextHasOneLinePerKey) {
    const std::vector<KeyListEntry> entries = BuildKeyList(*language);
    std::ostringstream out;
    WriteKeyListText(out, entries);
    std::istringstream lines(out.str());
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), entries.size() + 1);
    EXPECT_EQ(all[1], "  30  0x01E    1058     64 7:0x04   A              A键");
    EXPECT_NE(out.str().find("\n 176  0x130       -      - 7:0xC0   V+             ?0130\n"),
              std::string::npos);
    EXPECT_NE(out.str().find("\n 241  0x171       -      - 2:0xF1   Left Button    #Error\n"),
              std::string::npos);
    EXPECT_EQ(all.back(), " 273  0x211    1143    125 -        G18            G18");
}

TEST_F(KeyList, JsonKeepsTheContract) {
    const std::string json = Json();
    ASSERT_EQ(json.substr(0, 2), "[\n");
    ASSERT_EQ(json.substr(json.size() - 3), "\n]\n");
    const std::string objects[] = {
        R"({"slot": 30, "code": 30, "button": 1058, "colour_index": 64, "usage_kind": 7, )"
        R"("usage": 4, "name": "A", "text": "A键"})",
        R"({"slot": 176, "code": 304, "button": null, "colour_index": null, "usage_kind": 7, )"
        R"("usage": 192, "name": "V+", "text": "?0130"})",
        R"({"slot": 222, "code": 350, "button": null, "colour_index": null, "usage_kind": 1, )"
        R"("usage": 129, "name": "Power", "text": "#Error"})",
        R"({"slot": 100, "code": 100, "button": null, "colour_index": null, "usage_kind": 0, )"
        R"("usage": 0, "name": "F13", "text": "?0064"})",
        R"({"slot": 256, "code": 512, "button": 1000, "colour_index": 125, "usage_kind": 0, )"
        R"("usage": 0, "name": "G1", "text": "G1"})",
        R"({"slot": 43, "code": 43, "button": 1042, "colour_index": 75, "usage_kind": 7, )"
        R"("usage": 49, "name": "\\", "text": "#Error"})",
        R"("name": "'", )",
        R"("text": "say \"B\""})",
        R"("text": "back\\slash"})",
        R"("text": "tab\there"})",
        "\"text\": \"bad \xEF\xBF\xBD byte\"}",
    };
    for (const std::string& object : objects) {
        EXPECT_NE(json.find(object), std::string::npos) << object;
    }
    // One object per line, separated by commas, none after the last.
    std::size_t objectsSeen = 0;
    std::istringstream lines(json);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    for (std::size_t i = 1; i + 1 < all.size(); ++i) {
        ASSERT_EQ(all[i].substr(0, 3), "  {") << all[i];
        EXPECT_EQ(all[i].back(), i + 2 < all.size() ? ',' : '}') << all[i];
        ++objectsSeen;
    }
    EXPECT_EQ(objectsSeen, BuildKeyList(*language).size());
}

TEST(KeyListJson, AnEmptyListIsAnEmptyArray) {
    std::ostringstream out;
    WriteKeyListJson(out, {});
    EXPECT_EQ(out.str(), "[]\n");
}

}  // namespace
}  // namespace q804::model
