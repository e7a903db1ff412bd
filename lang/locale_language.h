#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace q804 {

// The Windows language identifier of a POSIX locale name such as "zh_CN.UTF-8",
// "en_GB@euro" or "C". Unknown languages give their primary-language identifier when one
// is known, otherwise 0x0409.
std::uint32_t LanguageIdOfLocale(std::string_view locale);

// The user's interface language from LC_ALL, LC_MESSAGES and LANG, the first one set.
std::uint32_t SystemLanguageId(const std::function<const char*(const char*)>& getenv_ = nullptr);

}  // namespace q804
