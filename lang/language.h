#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "common/ini_file.h"

namespace q804 {

// The languages this build offers; the first three are searched, the fourth is used only
// when a caller asks for position 3.
inline constexpr std::array<std::uint32_t, 4> kSupportedLanguages = {0x0804, 0x0409, 0x0804, 0};

// Pairs of (system language -> language), searched in order.
struct LanguageFallback {
    std::uint32_t system;
    std::uint32_t language;
};
inline constexpr std::array<LanguageFallback, 12> kLanguageFallbackMap = {{
    {0x0C04, 0x0804},
    {0x1004, 0x0404},
    {0x0809, 0x0409},
    {0x0C09, 0x0409},
    {0x1009, 0x0409},
    {0x1409, 0x0409},
    {0x1809, 0x0409},
    {0x1C09, 0x0409},
    {0x2009, 0x0409},
    {0x2409, 0x0409},
    {0x2809, 0x0409},
    {0x2C09, 0x0409},
}};

inline constexpr const char* kMissingText = "#Error";
inline constexpr const char* kLanguageIdValue = "dwLanguageId";

// The language choice and text lookup. Every lookup sees the current settings value and the
// current file; parsed files are cached and parsed again only when the file changed. Safe
// to use from several threads.
class LanguageTables {
  public:
    // dataDir holds the Lang%04X.ini files; systemLanguageId is the user's locale language.
    LanguageTables(std::filesystem::path dataDir, SettingsKey& settings,
                   std::uint32_t systemLanguageId);

    std::uint32_t CurrentLanguageId();
    int CurrentLanguageIndex();

    std::filesystem::path LanguageFilePath(int index) const;

    // Text of a key in section TEXT, LIGHT or MODE of the language at the given position of
    // kSupportedLanguages (positions 4 and above count as 0). "#Error" when the file or the
    // key is missing; an empty value is an empty text; values are cut to 259 characters.
    std::string LangText(std::string_view key, int index);
    std::string LangLightText(std::string_view key, int index);
    std::string LangModeText(std::string_view key, int index);

    // The same in the current language.
    std::string LangText(std::string_view key) { return LangText(key, CurrentLanguageIndex()); }
    std::string LangLightText(std::string_view key) {
        return LangLightText(key, CurrentLanguageIndex());
    }
    std::string LangModeText(std::string_view key) {
        return LangModeText(key, CurrentLanguageIndex());
    }

  private:
    std::string Lookup(std::string_view section, std::string_view key, int index);

    std::filesystem::path dataDir_;
    SettingsKey& settings_;
    std::uint32_t systemLanguageId_;
    IniCache cache_;
};

}  // namespace q804
