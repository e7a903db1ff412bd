// Output helpers shared by the commands.

#include <ostream>

#include "cli/commands.h"

namespace q804::cli {

int UsageError(CliContext& context, std::string_view command, std::string_view message) {
    context.err() << "q804ctl " << command << ": " << message << "\nRun 'q804ctl " << command
                  << " --help' for usage.\n";
    return kExitUsage;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

std::string PackedHex(std::span<const std::uint8_t> bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

}  // namespace q804::cli
