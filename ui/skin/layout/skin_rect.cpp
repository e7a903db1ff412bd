#include "ui/skin/layout/skin_rect.h"

#include <array>
#include <cstddef>
#include <optional>

namespace q804 {
namespace {

bool IsScanBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One "%d" conversion at pos; on success pos is left after the last digit. Digits are
// accumulated with a ceiling so that a thousand-digit number neither overflows nor loops.
std::optional<int> ScanInt(std::string_view text, std::size_t& pos) {
    std::size_t i = pos;
    while (i < text.size() && IsScanBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t firstDigit = i;
    long long value = 0;
    constexpr long long kCeiling = static_cast<long long>(kSkinCoordinateLimit) + 1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < kCeiling) {
            value = value * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i == firstDigit) {
        return std::nullopt;
    }
    pos = i;
    if (value > kSkinCoordinateLimit) {
        // Marked as out of range; the caller gives up on the whole value.
        return negative ? -kSkinCoordinateLimit - 1 : kSkinCoordinateLimit + 1;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

SkinRect ParseSkinRect(std::string_view text) {
    std::array<int, 4> numbers{};
    std::size_t pos = 0;
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        if (n > 0) {
            if (pos >= text.size() || text[pos] != ',') {
                return kDefaultSkinRect;
            }
            ++pos;
        }
        std::optional<int> number = ScanInt(text, pos);
        if (!number || *number > kSkinCoordinateLimit || *number < -kSkinCoordinateLimit) {
            return kDefaultSkinRect;
        }
        numbers[n] = *number;
    }
    return SkinRect{numbers[0], numbers[1], numbers[2] < 0 ? 0 : numbers[2],
                    numbers[3] < 0 ? 0 : numbers[3]};
}

std::string FormatSkinRect(const SkinRect& rect) {
    return std::to_string(rect.x) + "," + std::to_string(rect.y) + "," + std::to_string(rect.w) +
           "," + std::to_string(rect.h);
}

}  // namespace q804
