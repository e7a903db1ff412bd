#pragma once

#include <string>
#include <string_view>

namespace q804 {

// The JSON string literal of a text, quotes included. Texts are data from files and the
// keyboard: broken UTF-8 becomes U+FFFD and control characters are escaped, so the result is
// always valid JSON.
std::string JsonQuote(std::string_view text);

}  // namespace q804
