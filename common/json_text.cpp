#include "common/json_text.h"

#include "common/utf.h"

namespace q804 {

std::string JsonQuote(std::string_view text) {
    const std::string clean = Utf16ToUtf8(Utf8ToUtf16(text));
    std::string quoted = "\"";
    for (char c : clean) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    constexpr char kHex[] = "0123456789abcdef";
                    quoted += "\\u00";
                    quoted += kHex[(c >> 4) & 0x0F];
                    quoted += kHex[c & 0x0F];
                } else {
                    quoted += c;
                }
        }
    }
    quoted += '"';
    return quoted;
}

}  // namespace q804
