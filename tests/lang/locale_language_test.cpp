#include "lang/locale_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace q804 {
namespace {

TEST(LocaleLanguage, MapsLocaleNamesToLanguageIds) {
    const std::map<std::string, std::uint32_t> cases = {
        {"zh_CN.UTF-8", 0x0804},
        {"zh_TW.UTF-8", 0x0404},
        {"zh_HK", 0x0C04},
        {"zh_SG.GB2312", 0x1004},
        {"zh", 0x0804},
        {"en_US.UTF-8", 0x0409},
        {"en_GB.UTF-8@euro", 0x0809},
        {"en_AU", 0x0C09},
        {"en_IE", 0x1809},
        {"en_XX", 0x0409},
        {"de_DE.UTF-8", 0x0407},
        {"de_AT", 0x0407},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},
        {"", 0x0409},
        {"tlh_QO", 0x0409},
    };
    for (const auto& [locale, id] : cases) {
        EXPECT_EQ(LanguageIdOfLocale(locale), id) << locale;
    }
}

TEST(LocaleLanguage, FirstSetVariableWins) {
    std::map<std::string, std::string> env = {{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", ""}};
    auto lookup = [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(SystemLanguageId(lookup), 0x0804u);  // empty LC_MESSAGES is skipped
    env["LC_MESSAGES"] = "en_GB.UTF-8";
    EXPECT_EQ(SystemLanguageId(lookup), 0x0809u);
    env["LC_ALL"] = "zh_HK.UTF-8";
    EXPECT_EQ(SystemLanguageId(lookup), 0x0C04u);
    env.clear();
    EXPECT_EQ(SystemLanguageId(lookup), 0x0409u);
}

}  // namespace
}  // namespace q804
