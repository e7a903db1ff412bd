#include "lang/language.h"

#include <algorithm>
#include <cstdio>

namespace q804 {

LanguageTables::LanguageTables(std::filesystem::path dataDir, SettingsKey& settings,
                               std::uint32_t systemLanguageId)
    : dataDir_(std::move(dataDir)), settings_(settings), systemLanguageId_(systemLanguageId) {}

std::uint32_t LanguageTables::CurrentLanguageId() {
    if (std::optional<std::uint32_t> chosen = settings_.ReadDword(kLanguageIdValue);
        chosen && *chosen != 0) {
        return *chosen;
    }
    std::uint32_t id = systemLanguageId_;
    for (const LanguageFallback& pair : kLanguageFallbackMap) {
        if (pair.system == id) {
            id = pair.language;
            break;
        }
    }
    if (std::find(kSupportedLanguages.begin(), kSupportedLanguages.begin() + 3, id) ==
        kSupportedLanguages.begin() + 3) {
        id = kSupportedLanguages[0];
    }
    // Remembered so the choice stays when the locale changes; an unwritable settings folder
    // only means the same choice is made again next time.
    (void)settings_.WriteDword(kLanguageIdValue, id);
    return id;
}

int LanguageTables::CurrentLanguageIndex() {
    const std::uint32_t id = CurrentLanguageId();
    for (int i = 0; i < 3; ++i) {
        if (kSupportedLanguages[static_cast<std::size_t>(i)] == id) {
            return i;
        }
    }
    return 0;
}

std::filesystem::path LanguageTables::LanguageFilePath(int index) const {
    if (index < 0 || index >= static_cast<int>(kSupportedLanguages.size())) {
        index = 0;
    }
    char name[32];
    std::snprintf(name, sizeof name, "Lang%04X.ini",
                  static_cast<unsigned>(kSupportedLanguages[static_cast<std::size_t>(index)]));
    return dataDir_ / name;
}

std::string LanguageTables::Lookup(std::string_view section, std::string_view key, int index) {
    auto document = cache_.Load(LanguageFilePath(index));
    if (!document) {
        return kMissingText;
    }
    return document->Get(section, key, kMissingText);
}

std::string LanguageTables::LangText(std::string_view key, int index) {
    return Lookup("TEXT", key, index);
}

std::string LanguageTables::LangLightText(std::string_view key, int index) {
    return Lookup("LIGHT", key, index);
}

std::string LanguageTables::LangModeText(std::string_view key, int index) {
    return Lookup("MODE", key, index);
}

}  // namespace q804
