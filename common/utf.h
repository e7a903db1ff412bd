#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace q804 {

// UTF-8 is the text of the program and its files; UTF-16 is what the keyboard and the
// profile files store. Invalid sequences become U+FFFD instead of being passed on.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The first maxChars characters (code points) of a UTF-8 text; never splits a character.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxChars);

// Number of code points in a UTF-8 text.
std::size_t Utf8Length(std::string_view text);

}  // namespace q804
