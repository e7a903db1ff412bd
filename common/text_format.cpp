#include "common/text_format.h"

#include <optional>
#include <variant>

#include "common/utf.h"

namespace q804 {
namespace {

struct Conversion {
    std::size_t begin = 0;  // index of '%'
    std::size_t end = 0;    // one past the conversion letter
    bool leftAlign = false;
    bool zeroPad = false;
    std::size_t width = 0;
    std::optional<std::size_t> precision;
    char letter = 0;
};

constexpr std::string_view kLetters = "diouxXcsS";
constexpr std::size_t kMaxWidth = 256;  // a silly width in a language file stays harmless

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses the conversion starting at format[pos] == '%'; nothing if it is not one we fill.
std::optional<Conversion> ParseConversion(std::string_view format, std::size_t pos) {
    Conversion c;
    c.begin = pos++;
    while (pos < format.size() &&
           std::string_view("-+ #0").find(format[pos]) != std::string_view::npos) {
        c.leftAlign |= format[pos] == '-';
        c.zeroPad |= format[pos] == '0';
        ++pos;
    }
    while (pos < format.size() && IsDigit(format[pos])) {
        c.width = std::min(kMaxWidth, c.width * 10 + static_cast<std::size_t>(format[pos] - '0'));
        ++pos;
    }
    if (pos < format.size() && format[pos] == '.') {
        std::size_t precision = 0;
        ++pos;
        while (pos < format.size() && IsDigit(format[pos])) {
            precision =
                std::min(kMaxWidth, precision * 10 + static_cast<std::size_t>(format[pos] - '0'));
            ++pos;
        }
        c.precision = precision;
    }
    while (pos < format.size() &&
           std::string_view("hlLqjzt").find(format[pos]) != std::string_view::npos) {
        ++pos;
    }
    if (pos >= format.size() || kLetters.find(format[pos]) == std::string_view::npos) {
        return std::nullopt;
    }
    c.letter = format[pos];
    c.end = pos + 1;
    return c;
}

std::string Digits(std::uint64_t value, unsigned base, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return out;
}

std::string Render(const Conversion& c, const std::variant<std::int64_t, std::string_view>& arg) {
    std::string body;
    bool numeric = false;
    if (const auto* number = std::get_if<std::int64_t>(&arg)) {
        numeric = true;
        // Unsigned conversions see the number as the 32-bit value a C int argument has.
        const auto asUnsigned = static_cast<std::uint32_t>(*number);
        switch (c.letter) {
            case 'u':
                body = Digits(asUnsigned, 10, false);
                break;
            case 'x':
                body = Digits(asUnsigned, 16, false);
                break;
            case 'X':
                body = Digits(asUnsigned, 16, true);
                break;
            case 'o':
                body = Digits(asUnsigned, 8, false);
                break;
            case 'c':
            case 's':
            case 'S':
                numeric = false;
                body = c.letter == 'c'
                           ? Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(*number)))
                           : std::to_string(*number);
                break;
            default:
                body = *number < 0
                           ? "-" + Digits(static_cast<std::uint64_t>(-(*number + 1)) + 1, 10, false)
                           : Digits(static_cast<std::uint64_t>(*number), 10, false);
        }
    } else {
        std::string_view text = std::get<std::string_view>(arg);
        if (c.precision && (c.letter == 's' || c.letter == 'S')) {
            text = Utf8Prefix(text, *c.precision);
        }
        body = std::string(text);
    }
    std::size_t length = Utf8Length(body);
    if (length >= c.width) {
        return body;
    }
    std::size_t pad = c.width - length;
    if (c.leftAlign) {
        return body + std::string(pad, ' ');
    }
    if (c.zeroPad && numeric) {
        std::size_t signAt = (!body.empty() && body[0] == '-') ? 1 : 0;
        return body.insert(signAt, std::string(pad, '0'));
    }
    return std::string(pad, ' ') + body;
}

std::string Fill(std::string_view format, const std::variant<std::int64_t, std::string_view>& arg) {
    std::string out;
    out.reserve(format.size() + 16);
    bool filled = false;
    std::size_t pos = 0;
    while (pos < format.size()) {
        char ch = format[pos];
        if (ch != '%') {
            out.push_back(ch);
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            out.push_back('%');
            pos += 2;
            continue;
        }
        std::optional<Conversion> conversion;
        if (!filled) {
            conversion = ParseConversion(format, pos);
        }
        if (!conversion) {
            out.push_back('%');
            ++pos;
            continue;
        }
        out += Render(*conversion, arg);
        filled = true;
        pos = conversion->end;
    }
    return out;
}

}  // namespace

std::string FormatText(std::string_view format, std::int64_t number) {
    return Fill(format, number);
}

std::string FormatText(std::string_view format, std::string_view text) {
    return Fill(format, text);
}

}  // namespace q804
