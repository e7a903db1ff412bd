// The shipped language files against what the program reads: every key the code names, in
// both languages, with a usable value.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "common/ini_file.h"
#include "common/utf.h"
#include "lang/text_keys.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = fs::path(Q804_SOURCE_DIR) / "data";

IniDocument LoadShipped(const char* name) {
    return IniDocument(testing::ReadText(kDataDir / name));
}

// Keys named in the sources as LangText("KEY"), LangLightText("KEY") or LangModeText("KEY"),
// so a lookup added later cannot ship without its texts.
std::set<std::pair<std::string, std::string>> KeysNamedInSources() {
    static const std::regex call(R"re(Lang(Light|Mode)?Text\(\s*"([^"]+)"\s*[,)])re");
    std::set<std::pair<std::string, std::string>> keys;
    for (const char* folder : {"app", "device", "model", "lighting", "lang", "ui", "cli"}) {
        const fs::path root = fs::path(Q804_SOURCE_DIR) / folder;
        if (!fs::exists(root)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            const std::string text = testing::ReadText(entry.path());
            for (auto it = std::sregex_iterator(text.begin(), text.end(), call);
                 it != std::sregex_iterator(); ++it) {
                const std::string kind = (*it)[1];
                keys.emplace(kind.empty() ? "TEXT" : kind == "Light" ? "LIGHT" : "MODE", (*it)[2]);
            }
        }
    }
    return keys;
}

class ShippedLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, HoldsEveryKeyTheProgramReads) {
    const IniDocument file = LoadShipped(GetParam());
    auto expectText = [&](std::string_view section, std::string_view key) {
        auto value = file.Find(section, key);
        ASSERT_TRUE(value.has_value()) << GetParam() << " lacks [" << section << "] " << key;
        EXPECT_FALSE(value->empty()) << GetParam() << " has no text for " << key;
        EXPECT_LE(Utf8Length(*value), kIniValueMaxChars) << key;
        EXPECT_NE(*value, "#Error") << key;
    };
    for (std::string_view key : kTextKeys) {
        expectText("TEXT", key);
    }
    for (std::string_view key : kLightKeys) {
        expectText("LIGHT", key);
    }
    for (int code : kNamedEffectCodes) {
        expectText("MODE", std::to_string(code));
    }
    for (const auto& [section, key] : KeysNamedInSources()) {
        expectText(section, key);
    }
}

TEST_P(ShippedLanguage, OnlyFormatKeysCarryAConversion) {
    const std::set<std::string> formats = {"MACRO_ERR_MAX", "MACRO_ACTION_ERR_DELAY_MAX",
                                           "PROFILE_FORMAT_ERROR", "UNKNOWN_KEY"};
    const IniDocument file = LoadShipped(GetParam());
    static const std::regex conversion(R"(%[-+ #0]*[0-9]*(\.[0-9]+)?[hlLqjzt]*[diouxXcsSn])");
    for (const char* section : {"TEXT", "LIGHT", "MODE"}) {
        for (const std::string& key : file.Keys(section)) {
            const std::string value(*file.Find(section, key));
            const auto count =
                std::distance(std::sregex_iterator(value.begin(), value.end(), conversion),
                              std::sregex_iterator());
            EXPECT_EQ(count, formats.count(key) ? 1 : 0)
                << GetParam() << " " << key << "=" << value;
            EXPECT_EQ(value.find("%n"), std::string::npos) << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("Lang0804.ini", "Lang0409.ini"));

TEST(ShippedLanguages, HaveTheSameKeys) {
    const IniDocument chinese = LoadShipped("Lang0804.ini");
    const IniDocument english = LoadShipped("Lang0409.ini");
    for (const char* section : {"TEXT", "LIGHT", "MODE"}) {
        auto zh = chinese.Keys(section);
        auto en = english.Keys(section);
        EXPECT_EQ(std::set<std::string>(zh.begin(), zh.end()),
                  std::set<std::string>(en.begin(), en.end()))
            << section;
    }
}

}  // namespace
}  // namespace q804
