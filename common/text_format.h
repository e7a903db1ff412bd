#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace q804 {

// Fills a text from a language file that carries one printf-style conversion ("%d",
// "%04X", "%s", ...). The first conversion is replaced by the argument, formatted as that
// conversion asks (flags '-' and '0', a width and, for strings, a precision are honoured);
// "%%" stands for '%'; every other character, including any further conversion, is copied
// literally. Language files are data: their text is never handed to the printf family.
std::string FormatText(std::string_view format, std::int64_t number);
std::string FormatText(std::string_view format, std::string_view text);

}  // namespace q804
