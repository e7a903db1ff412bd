#include "lang/locale_language.h"

#include <array>
#include <cstdlib>
#include <string>

namespace q804 {
namespace {

struct LocaleRow {
    std::string_view locale;  // language_TERRITORY, or a bare language
    std::uint32_t id;
};

// The Chinese and English variants the language choice distinguishes, then the primary
// languages a user is likely to run (their sublanguage-1 identifiers).
constexpr std::array kLocales = {
    LocaleRow{"zh_CN", 0x0804}, LocaleRow{"zh_TW", 0x0404}, LocaleRow{"zh_HK", 0x0C04},
    LocaleRow{"zh_SG", 0x1004}, LocaleRow{"zh_MO", 0x1404}, LocaleRow{"zh", 0x0804},
    LocaleRow{"en_US", 0x0409}, LocaleRow{"en_GB", 0x0809}, LocaleRow{"en_AU", 0x0C09},
    LocaleRow{"en_CA", 0x1009}, LocaleRow{"en_NZ", 0x1409}, LocaleRow{"en_IE", 0x1809},
    LocaleRow{"en_ZA", 0x1C09}, LocaleRow{"en_JM", 0x2009}, LocaleRow{"en_AG", 0x2409},
    LocaleRow{"en_BZ", 0x2809}, LocaleRow{"en_TT", 0x2C09}, LocaleRow{"en_ZW", 0x3009},
    LocaleRow{"en_PH", 0x3409}, LocaleRow{"en_IN", 0x4009}, LocaleRow{"en_SG", 0x4809},
    LocaleRow{"en", 0x0409},    LocaleRow{"de", 0x0407},    LocaleRow{"fr", 0x040C},
    LocaleRow{"es", 0x0C0A},    LocaleRow{"it", 0x0410},    LocaleRow{"ja", 0x0411},
    LocaleRow{"ko", 0x0412},    LocaleRow{"nl", 0x0413},    LocaleRow{"pl", 0x0415},
    LocaleRow{"pt", 0x0416},    LocaleRow{"ru", 0x0419},    LocaleRow{"sv", 0x041D},
    LocaleRow{"tr", 0x041F},    LocaleRow{"uk", 0x0422},    LocaleRow{"cs", 0x0405},
    LocaleRow{"da", 0x0406},    LocaleRow{"fi", 0x040B},    LocaleRow{"el", 0x0408},
    LocaleRow{"hu", 0x040E},    LocaleRow{"nb", 0x0414},    LocaleRow{"vi", 0x042A},
    LocaleRow{"th", 0x041E},    LocaleRow{"ar", 0x0401},    LocaleRow{"he", 0x040D},
};

std::uint32_t Lookup(std::string_view name) {
    for (const LocaleRow& row : kLocales) {
        if (row.locale == name) {
            return row.id;
        }
    }
    return 0;
}

}  // namespace

std::uint32_t LanguageIdOfLocale(std::string_view locale) {
    // Drop ".codeset" and "@modifier": zh_CN.UTF-8 -> zh_CN.
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (std::uint32_t id = Lookup(locale)) {
        return id;
    }
    if (std::uint32_t id = Lookup(locale.substr(0, locale.find('_')))) {
        return id;
    }
    return 0x0409;  // "C", "POSIX" and languages we do not know
}

std::uint32_t SystemLanguageId(const std::function<const char*(const char*)>& getenv_) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv_ ? getenv_(variable) : std::getenv(variable);
        if (value != nullptr && value[0] != '\0') {
            return LanguageIdOfLocale(value);
        }
    }
    return 0x0409;
}

}  // namespace q804
