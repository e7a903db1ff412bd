#include "common/utf.h"

#include <gtest/gtest.h>

namespace q804 {
namespace {

TEST(Utf, RoundTripsChineseAndAstralCharacters) {
    const std::string text = "宏 macro 😀";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 10u);  // the emoji is a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xE5\xAE"), u"\uFFFD");  // cut-off sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD");  // overlong NUL
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Utf, PrefixNeverSplitsACharacter) {
    EXPECT_EQ(Utf8Prefix("汉字ab", 1), "汉");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Length("汉字ab"), 4u);
}

}  // namespace
}  // namespace q804
