// q804ctl backup, restore and show: profile files (*.fwc).

#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/assignment_text.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/model_session.h"
#include "common/utf.h"
#include "model/key_tables.h"
#include "model/profile_file.h"
#include "model/profiles.h"

namespace q804::cli {

namespace {

constexpr std::string_view kBackupHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] backup FILE\n"
    "\n"
    "Writes the keyboard's three profiles and its macros to the profile file FILE (*.fwc).\n"
    "The file is replaced as a whole, so a failed backup never leaves half a file.\n";

constexpr std::string_view kRestoreHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] restore FILE\n"
    "\n"
    "Checks the profile file FILE, loads it as the working configuration and writes all three\n"
    "profiles and the macros to the keyboard. A damaged file changes nothing (exit code 1).\n";

constexpr std::string_view kShowHelp =
    "Usage: q804ctl show FILE [--json]\n"
    "\n"
    "Shows a profile file: its header, every key of each profile that does not keep its\n"
    "factory function, and every macro with its actions.\n"
    "\n"
    "  --json  one line of JSON for scripts:\n"
    "          {\"header\": {\"total_size\", \"macro_count\", \"string_bytes\", \"flag\",\n"
    "           \"checksum_ok\"}, \"profiles\": [[{\"slot\", \"key\", \"type\", \"type_name\",\n"
    "           \"extra\", \"value\", \"target\", \"text\"}, ...] x 3],\n"
    "           \"macros\": [{\"id\", \"name\", \"loop_count\", \"actions\": [{\"code\", \"key\",\n"
    "           \"release\", \"delay_ms\"}]}]}\n";

Result<ParsedArguments> ParseOne(CliContext& context, std::span<const std::string> args,
                                 std::span<const OptionSpec> options, std::string_view help) {
    auto parsed = ParseArguments(args, options);
    if (parsed && parsed.value().Has("help")) {
        context.out() << help;
    }
    return parsed;
}

constexpr OptionSpec kHelpOnly[] = {{"help", false}};
constexpr OptionSpec kShowOptions[] = {{"help", false}, {"json", false}};

std::string ActionKeyName(std::uint16_t code) {
    std::string name = model::EnglishNameOfCode(code);
    return name.empty() ? std::to_string(code) : name;
}

void PrintShowText(CliContext& context, const model::WorkingStore& store) {
    std::ostream& out = context.out();
    const model::StoreImage& image = *store.image();
    out << "Header: total size " << image.totalSize() << ", " << image.macroCount() << " macros, "
        << image.stringBytes() << " bytes of text, flag " << int(image.flag()) << ", checksum "
        << (image.checksum() == image.ComputedChecksum() ? "ok" : "wrong") << '\n';
    for (int profile = 0; profile < 3; ++profile) {
        out << "Profile " << profile + 1 << ":\n";
        int shown = 0;
        for (int slot = 0; slot < model::kSlotsPerProfile; ++slot) {
            const model::AssignmentEntry entry = store.EntryAt(profile, slot);
            if (entry.type == 0) {
                continue;
            }
            ++shown;
            out << "  " << SlotName(slot) << " -> " << TargetOf(entry);
            if (const auto& text = store.TextAt(model::EntryNumber(profile, slot))) {
                out << " \"" << Utf16ToUtf8(*text) << '"';
            }
            out << '\n';
        }
        if (shown == 0) {
            out << "  (all keys keep their factory functions)\n";
        }
    }
    out << "Macros: " << store.macros().size() << '\n';
    for (const model::MacroRecord& macro : store.macros()) {
        out << "  " << macro.id() << " \"" << Utf16ToUtf8(macro.name()) << "\", "
            << int(macro.loopCount()) << "x, " << macro.usableActionCount() << " actions\n";
        for (std::size_t a = 0; a < macro.usableActionCount(); ++a) {
            const model::MacroAction action = macro.action(a);
            out << "    " << ActionKeyName(action.code) << (action.release == 1 ? " up" : " down")
                << ", then " << action.delayMs << " ms\n";
        }
    }
}

void PrintShowJson(CliContext& context, const model::WorkingStore& store) {
    const model::StoreImage& image = *store.image();
    JsonWriter json;
    json.BeginObject().Key("header").BeginObject();
    json.Key("total_size").Number(image.totalSize());
    json.Key("macro_count").Number(image.macroCount());
    json.Key("string_bytes").Number(image.stringBytes());
    json.Key("flag").Number(image.flag());
    json.Key("checksum_ok");
    json.Bool(image.checksum() == image.ComputedChecksum());
    json.EndObject();
    json.Key("profiles").BeginArray();
    for (int profile = 0; profile < 3; ++profile) {
        json.BeginArray();
        for (int slot = 0; slot < model::kSlotsPerProfile; ++slot) {
            const model::AssignmentEntry entry = store.EntryAt(profile, slot);
            if (entry.type == 0) {
                continue;
            }
            json.BeginObject();
            json.Key("slot").Number(slot);
            json.Key("key").String(SlotName(slot));
            json.Key("type").Number(entry.type);
            json.Key("type_name").String(TypeName(entry.type));
            json.Key("extra").Number(entry.extra);
            json.Key("value").Number(entry.value);
            json.Key("target").String(TargetOf(entry));
            json.Key("text");
            if (const auto& text = store.TextAt(model::EntryNumber(profile, slot))) {
                json.String(Utf16ToUtf8(*text));
            } else {
                json.Null();
            }
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndArray();
    json.Key("macros").BeginArray();
    for (const model::MacroRecord& macro : store.macros()) {
        json.BeginObject();
        json.Key("id").Number(macro.id());
        json.Key("name").String(Utf16ToUtf8(macro.name()));
        json.Key("loop_count").Number(macro.loopCount());
        json.Key("actions").BeginArray();
        for (std::size_t a = 0; a < macro.usableActionCount(); ++a) {
            const model::MacroAction action = macro.action(a);
            json.BeginObject();
            json.Key("code").Number(action.code);
            json.Key("key").String(ActionKeyName(action.code));
            json.Key("release");
            json.Bool(action.release == 1);
            json.Key("delay_ms").Number(action.delayMs);
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    context.out() << json.text() << '\n';
}

// Prints why a file cannot be used and returns the exit code.
int RejectFile(CliContext& context, const std::filesystem::path& path) {
    const int valid = model::ValidateProfileFile(path, [&](const std::filesystem::path& bad) {
        PrintMessage(context, "PROFILE_FORMAT_ERROR", bad.string());
    });
    if (valid == model::kProfileValid) {
        return kExitOk;
    }
    if (valid == model::kProfileUnreadable) {
        context.err() << "q804ctl: '" << path.string() << "' cannot be opened as a file\n";
    } else if (!std::filesystem::exists(path)) {
        context.err() << "q804ctl: '" << path.string() << "' does not exist\n";
    }
    PrintMessage(context, "MAIN_PROMPT_INPORT", {});
    return kExitKeyboardError;
}

}  // namespace

int RunBackup(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseOne(context, args, kHelpOnly, kBackupHelp);
    if (!parsed) {
        return UsageError(context, "backup", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        return kExitOk;
    }
    if (parsed.value().positional.size() != 1) {
        return UsageError(context, "backup", "give the file to write");
    }
    ModelSession session(context);
    if (!session.ok()) {
        return session.exitCode();
    }
    const std::filesystem::path path = parsed.value().positional[0];
    Status exported = model::ExportKeyboardToFile(session.engine(), session.state(), path,
                                                  UnnamedMacroPrefix(context));
    if (!exported) {
        context.err() << "q804ctl: backup to '" << path.string()
                      << "' failed: " << exported.error().message << '\n';
        return kExitKeyboardError;
    }
    context.out() << "The keyboard's profiles were saved to " << path.string() << '\n';
    return kExitOk;
}

int RunRestore(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseOne(context, args, kHelpOnly, kRestoreHelp);
    if (!parsed) {
        return UsageError(context, "restore", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        return kExitOk;
    }
    if (parsed.value().positional.size() != 1) {
        return UsageError(context, "restore", "give the profile file to restore");
    }
    const std::filesystem::path path = parsed.value().positional[0];
    // Check the file before anything talks to the keyboard or the working file.
    if (int rejected = RejectFile(context, path); rejected != kExitOk) {
        return rejected;
    }
    ModelSession session(context);
    if (!session.ok() || !session.LoadWorkingFile()) {
        return session.exitCode();
    }
    const int result = model::RestoreFromFile(session.profiles(), path);
    if (result != device::kResultSuccess) {
        return session.DeviceFailure("writing the restored profiles to the keyboard", result);
    }
    context.out() << "Restored " << path.string() << " to the keyboard\n";
    return kExitOk;
}

int RunShow(CliContext& context, std::span<const std::string> args) {
    auto parsed = ParseOne(context, args, kShowOptions, kShowHelp);
    if (!parsed) {
        return UsageError(context, "show", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        return kExitOk;
    }
    if (parsed.value().positional.size() != 1) {
        return UsageError(context, "show", "give the profile file to show");
    }
    const std::filesystem::path path = parsed.value().positional[0];
    if (int rejected = RejectFile(context, path); rejected != kExitOk) {
        return rejected;
    }
    model::WorkingStore store;
    if (Status loaded = model::LoadStoreFile(path, store); !loaded) {
        context.err() << "q804ctl: " << loaded.error().message << '\n';
        return kExitKeyboardError;
    }
    if (parsed.value().Has("json")) {
        PrintShowJson(context, store);
    } else {
        PrintShowText(context, store);
    }
    return kExitOk;
}

}  // namespace q804::cli
