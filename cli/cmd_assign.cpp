// q804ctl profile, assign and apply: the keyboard's current profile and the working
// configuration, changed and uploaded the way the main window's Apply does.

#include <algorithm>
#include <charconv>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/assignment_text.h"
#include "cli/commands.h"
#include "cli/model_session.h"
#include "model/current_profile.h"
#include "model/key_tables.h"
#include "model/profiles.h"
#include "model/upload.h"

namespace q804::cli {

namespace {

constexpr std::string_view kProfileHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] profile [1|2|3]\n"
    "\n"
    "Without an argument, prints the keyboard's current on-board profile (1-3).\n"
    "With one, makes that profile the keyboard's current one.\n";

constexpr std::string_view kAssignHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] assign [--profile N] KEY TARGET\n"
    "\n"
    "Gives KEY a new meaning in profile N (1-3; default: the keyboard's current profile),\n"
    "saves the working configuration and writes it to the keyboard, as Apply does.\n"
    "\n"
    "KEY     a key name as 'q804ctl keys' lists it (any letter case), or G1-G18\n"
    "TARGET  default                  the key's factory function\n"
    "        disabled                 the key does nothing\n"
    "        key:NAME                 another key or modifier\n"
    "        mouse:left|right|middle|wheel-up|wheel-down\n"
    "        media:N|NAME             multimedia function 0-17 or its name (Play/Pause, ...)\n"
    "        function:N               keyboard function 0-10\n"
    "        macro:ID[:LOOPS]         a macro of the working configuration, LOOPS 1-255\n"
    "        stop-macro               stops the macro being played\n";

constexpr std::string_view kApplyHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] apply [--all]\n"
    "\n"
    "Writes the working configuration to the keyboard: the current profile and the macros,\n"
    "or with --all all three profiles.\n";

constexpr OptionSpec kHelpOnly[] = {{"help", false}};
constexpr OptionSpec kAssignOptions[] = {{"help", false}, {"profile", true}};
constexpr OptionSpec kApplyOptions[] = {{"help", false}, {"all", false}};

std::optional<int> ProfileNumber(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 3) {
        return std::nullopt;
    }
    return value - 1;
}

int Upload(CliContext& context, ModelSession& session, bool allProfiles) {
    if (Status saved = model::SaveToProfileFile(session.profiles()); !saved) {
        context.err() << "q804ctl: " << saved.error().message << '\n';
        return kExitKeyboardError;
    }
    const int result = model::ApplyToKeyboard(session.store(), session.engine(), session.state(),
                                              allProfiles, session.profiles().show);
    if (result != device::kResultSuccess) {
        return session.DeviceFailure("writing to the keyboard", result);
    }
    return kExitOk;
}

}  // namespace

int RunProfile(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseArguments(args, kHelpOnly);
    if (!parsed) {
        return UsageError(context, "profile", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        context.out() << kProfileHelp;
        return kExitOk;
    }
    const auto& positional = parsed.value().positional;
    std::optional<int> wanted;
    if (positional.size() > 1 ||
        (positional.size() == 1 && !(wanted = ProfileNumber(positional[0])))) {
        return UsageError(context, "profile", "the profile is 1, 2 or 3");
    }
    ModelSession session(context);
    if (!session.ok()) {
        return session.exitCode();
    }
    if (wanted) {
        const int result =
            model::SetCurrentProfile(session.engine(), session.state().currentProfile, *wanted);
        if (result != device::kResultSuccess) {
            return session.DeviceFailure("selecting the profile", result);
        }
    }
    const int current = model::CurrentProfile(session.engine(), session.state().currentProfile);
    if (current < 0) {
        context.err() << "q804ctl: the keyboard's current profile cannot be read\n";
        return kExitKeyboardError;
    }
    context.out() << current + 1 << '\n';
    return kExitOk;
}

int RunAssign(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseArguments(args, kAssignOptions);
    if (!parsed) {
        return UsageError(context, "assign", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        context.out() << kAssignHelp;
        return kExitOk;
    }
    const auto& positional = parsed.value().positional;
    if (positional.size() != 2) {
        return UsageError(context, "assign", "give a key and its new meaning");
    }
    std::optional<int> profile;
    if (auto value = parsed.value().Value("profile")) {
        if (!(profile = ProfileNumber(*value))) {
            return UsageError(context, "assign", "--profile is 1, 2 or 3");
        }
    }
    const auto key = model::KeyCodeOfName(positional[0]);
    if (!key) {
        return UsageError(context, "assign",
                          "unknown key '" + positional[0] + "' (see 'q804ctl keys')");
    }
    const int slot = model::KeySlotOfCode(*key);
    auto target = ParseTarget(positional[1], slot);
    if (!target) {
        return UsageError(context, "assign", target.error().message);
    }

    ModelSession session(context);
    if (!session.ok() || !session.LoadWorkingFile()) {
        return session.exitCode();
    }
    const int current = model::CurrentProfile(session.engine(), session.state().currentProfile);
    if (current < 0) {
        context.err() << "q804ctl: the keyboard's current profile cannot be read\n";
        return kExitKeyboardError;
    }
    const int edited = profile.value_or(current);
    model::AssignmentEntry entry = target.value();
    {
        auto lock = session.store().working.Lock();
        if (entry.kind() == model::AssignmentType::kMacro) {
            const auto& macros = session.store().working.macros();
            const bool known =
                std::any_of(macros.begin(), macros.end(),
                            [&](const model::MacroRecord& m) { return m.id() == entry.value; });
            if (!known) {
                return UsageError(
                    context, "assign",
                    "the working configuration has no macro " + std::to_string(entry.value));
            }
        }
        // The per-key colour selection belongs to the lighting view and stays as it was.
        entry.colourSelected = session.store().working.EntryAt(edited, slot).colourSelected;
        session.store().working.SetEntry(edited, slot, entry);
    }
    // A profile other than the current one reaches the keyboard only with all three.
    const int uploaded = Upload(context, session, edited != current);
    if (uploaded == kExitOk) {
        context.out() << SlotName(slot) << " in profile " << edited + 1 << " -> " << TargetOf(entry)
                      << '\n';
    }
    return uploaded;
}

int RunApply(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseArguments(args, kApplyOptions);
    if (!parsed) {
        return UsageError(context, "apply", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        context.out() << kApplyHelp;
        return kExitOk;
    }
    if (!parsed.value().positional.empty()) {
        return UsageError(context, "apply", "apply takes no arguments besides --all");
    }
    ModelSession session(context);
    if (!session.ok() || !session.LoadWorkingFile()) {
        return session.exitCode();
    }
    return Upload(context, session, parsed.value().Has("all"));
}

}  // namespace q804::cli
