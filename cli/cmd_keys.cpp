// q804ctl keys: every key the tool and the editor know, with the names other commands accept.
// Needs no keyboard.

#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "model/key_listing.h"

namespace q804::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: q804ctl keys [--json]\n"
    "\n"
    "Lists every key the configurator knows, one line each: the slot in a profile, the key\n"
    "code, the key button and its colour index (\"-\" when the key has no button), the HID\n"
    "usage as kind:usage (7 keyboard page, 1 generic desktop, 2 mouse; \"-\" when the key\n"
    "cannot be sent), the English name and the name in the current language. The 106 key\n"
    "buttons come first, then the media, mouse, system and office codes, then G1-G18 for the\n"
    "G-key slots 256-273 (G1-G9 in bank A, G10-G18 in bank B).\n"
    "\n"
    "Other commands accept the English names, in any case; \"Up\", \"Down\", \"Left\" and\n"
    "\"Right\" name the arrow keys.\n"
    "\n"
    "  --json  a JSON list for scripts, one object per line:\n"
    "          {\"slot\": N, \"code\": N, \"button\": N or null, \"colour_index\": N or null,\n"
    "           \"usage_kind\": N, \"usage\": N, \"name\": \"English name\",\n"
    "           \"text\": \"language text\"}\n"
    "\n"
    "Exit codes: 0 success, 2 usage error.\n";

}  // namespace

int RunKeys(CliContext& context, std::span<const std::string> args) {
    static constexpr OptionSpec kOptions[] = {{"json", false}, {"help", false}};
    auto parsed = ParseArguments(args, kOptions);
    if (!parsed) {
        return UsageError(context, "keys", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        context.out() << kHelp;
        return kExitOk;
    }
    if (!parsed.value().positional.empty()) {
        return UsageError(context, "keys",
                          "unexpected argument '" + parsed.value().positional.front() + "'");
    }
    const std::vector<model::KeyListEntry> entries = model::BuildKeyList(context.Language());
    if (parsed.value().Has("json")) {
        model::WriteKeyListJson(context.out(), entries);
    } else {
        model::WriteKeyListText(context.out(), entries);
    }
    return kExitOk;
}

}  // namespace q804::cli
