// q804ctl sim: simulated keyboards' state files: "sim new" creates one, "sim dump" shows
// every memory region of one.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "device/sim/keyboard_memory.h"

namespace q804::cli {

namespace {

namespace sim = device::sim;

constexpr std::string_view kSimHelp =
    "Usage: q804ctl sim new FILE [--firmware HEX] [--macro-units N] [--effects LIST] [--force]\n"
    "       q804ctl sim dump FILE [--json]\n"
    "\n"
    "Creates or shows the state file of a simulated keyboard, for use with\n"
    "'q804ctl --simulate=FILE'. Run 'q804ctl sim new --help' or 'q804ctl sim dump --help'.\n";

constexpr std::string_view kNewHelp =
    "Usage: q804ctl sim new FILE [--firmware HEX] [--macro-units N] [--effects LIST] [--force]\n"
    "\n"
    "Creates the state file of a factory-fresh simulated keyboard.\n"
    "\n"
    "  --firmware HEX     firmware version, for example 0x0108 (default 0x0109)\n"
    "  --macro-units N    macro area size in units of 128 bytes, 0-255 (default 128)\n"
    "  --effects LIST     supported effect codes, comma-separated, at most 32, each 1-255\n"
    "                     (default 1-18,20 listed one by one)\n"
    "  --force            replace an existing file\n"
    "\n"
    "Example: q804ctl sim new kb.state --firmware 0x0108 --macro-units 3 --effects 1,2,20\n";

constexpr std::string_view kDumpHelp =
    "Usage: q804ctl sim dump FILE [--json]\n"
    "\n"
    "Shows every memory region of a simulated keyboard's state file as hex lines with\n"
    "addresses: settings, factory key table, the three key tables, macro area, lighting\n"
    "memory, the three per-key colour areas and the last G-bank report.\n"
    "\n"
    "  --json  one line of JSON for scripts; regions as lower-case hex strings:\n"
    "          {\"settings\", \"factory_key_table\", \"key_tables\": [3], \"macro_area\",\n"
    "           \"lighting\", \"colours\": [3], \"g_bank_report\" (or null),\n"
    "           \"current_profile\": 0-2, \"firmware_version\", \"macro_units\"}\n";

constexpr std::size_t kHexLineBytes = 16;

std::optional<unsigned> ParseNumber(std::string_view text, int base, unsigned max) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value > max) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint16_t> ParseFirmware(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    if (text.size() > 4) {
        return std::nullopt;
    }
    auto value = ParseNumber(text, 16, 0xFFFF);
    return value ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*value)) : std::nullopt;
}

Result<std::vector<std::uint8_t>> ParseEffects(std::string_view text) {
    std::vector<std::uint8_t> effects;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        auto code = ParseNumber(item, 10, 255);
        if (!code || *code == 0) {
            return Error{"effect '" + std::string(item) + "' is not a code 1-255"};
        }
        if (std::find(effects.begin(), effects.end(), *code) != effects.end()) {
            return Error{"effect " + std::string(item) + " is listed twice"};
        }
        effects.push_back(static_cast<std::uint8_t>(*code));
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
        if (text.empty()) {
            return Error{"the effect list ends with a comma"};
        }
    }
    if (effects.size() > device::settings::kEffectSlots) {
        return Error{"a keyboard lists at most 32 effects"};
    }
    return effects;
}

int RunNew(CliContext& context, std::span<const std::string> args) {
    static constexpr OptionSpec kOptions[] = {{"firmware", true},
                                              {"macro-units", true},
                                              {"effects", true},
                                              {"force", false},
                                              {"help", false}};
    auto parsed = ParseArguments(args, kOptions);
    if (!parsed) {
        return UsageError(context, "sim new", parsed.error().message);
    }
    const ParsedArguments& arguments = parsed.value();
    if (arguments.Has("help")) {
        context.out() << kNewHelp;
        return kExitOk;
    }
    if (arguments.positional.size() != 1) {
        return UsageError(context, "sim new", "give exactly one state file");
    }

    sim::SimulatedKeyboardConfig config;
    if (auto text = arguments.Value("firmware")) {
        auto version = ParseFirmware(*text);
        if (!version) {
            return UsageError(context, "sim new", "--firmware wants a hex version such as 0x0109");
        }
        config.firmwareVersion = *version;
    }
    if (auto text = arguments.Value("macro-units")) {
        auto units = ParseNumber(*text, 10, 255);
        if (!units) {
            return UsageError(context, "sim new", "--macro-units wants a number 0-255");
        }
        config.macroUnits = static_cast<std::uint8_t>(*units);
    }
    if (auto text = arguments.Value("effects")) {
        auto effects = ParseEffects(*text);
        if (!effects) {
            return UsageError(context, "sim new", "--effects: " + effects.error().message);
        }
        config.effects = std::move(effects).value();
    }

    const std::filesystem::path file = arguments.positional.front();
    std::error_code ec;
    if (std::filesystem::exists(file, ec) && !arguments.Has("force")) {
        return UsageError(context, "sim new",
                          "'" + file.string() + "' already exists (--force replaces it)");
    }
    auto memory = sim::MakeFactoryMemory(config);
    if (!memory) {
        return UsageError(context, "sim new", memory.error().message);
    }
    if (Status saved = sim::SaveStateFile(file, memory.value()); !saved) {
        context.err() << "q804ctl: " << saved.error().message << '\n';
        return kExitKeyboardError;
    }
    context.out() << "Created '" << file.string() << "': firmware 0x"
                  << PackedHex(std::array<std::uint8_t, 2>{
                         static_cast<std::uint8_t>(config.firmwareVersion >> 8),
                         static_cast<std::uint8_t>(config.firmwareVersion & 0xFF)})
                  << ", macro area " << memory.value().macroArea.size() << " bytes, "
                  << config.effects.size() << " effects\n";
    return kExitOk;
}

// One region as hex lines, each starting with the address of its first byte.
void PrintRegion(std::ostream& out, std::string_view title, std::span<const std::uint8_t> bytes,
                 std::size_t baseAddress) {
    out << title << " (" << bytes.size() << " bytes)\n";
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t offset = 0; offset < bytes.size(); offset += kHexLineBytes) {
        const std::size_t address = baseAddress + offset;
        std::string line = "  ";
        for (int shift = 12; shift >= 0; shift -= 4) {
            line += kDigits[(address >> shift) & 0xF];
        }
        line += "  ";
        line += HexBytes(bytes.subspan(offset, std::min(kHexLineBytes, bytes.size() - offset)));
        out << line << '\n';
    }
}

void PrintDumpText(std::ostream& out, const sim::KeyboardMemory& memory) {
    out << "Firmware version: " << memory.FirmwareVersion() << " (0x"
        << PackedHex(std::array<std::uint8_t, 2>{
               static_cast<std::uint8_t>(memory.FirmwareVersion() >> 8),
               static_cast<std::uint8_t>(memory.FirmwareVersion() & 0xFF)})
        << ")\n";
    out << "Current profile: " << memory.CurrentProfile() << '\n';
    out << "Macro units: " << static_cast<int>(memory.MacroUnits()) << '\n';
    PrintRegion(out, "settings", memory.settings, 0);
    PrintRegion(out, "factory key table", memory.factoryKeyTable, 0);
    for (int profile = 0; profile < device::kProfileCount; ++profile) {
        PrintRegion(out, "key table " + std::to_string(profile), memory.KeyTable(profile),
                    static_cast<std::size_t>(profile) * device::kKeyTableSize);
    }
    PrintRegion(out, "macro area", memory.macroArea, 0);
    PrintRegion(out, "lighting memory", memory.lighting, 0);
    for (int profile = 0; profile < device::kProfileCount; ++profile) {
        PrintRegion(out, "colour area " + std::to_string(profile), memory.ColourArea(profile),
                    static_cast<std::size_t>(profile) * device::kColourAreaSize);
    }
    if (memory.gBankReport) {
        PrintRegion(out, "G-bank report", *memory.gBankReport, 0);
    } else {
        out << "G-bank report: none received\n";
    }
}

void PrintDumpJson(std::ostream& out, const sim::KeyboardMemory& memory) {
    JsonWriter json;
    json.BeginObject();
    json.Key("settings").String(PackedHex(memory.settings));
    json.Key("factory_key_table").String(PackedHex(memory.factoryKeyTable));
    json.Key("key_tables").BeginArray();
    for (int profile = 0; profile < device::kProfileCount; ++profile) {
        json.String(PackedHex(memory.KeyTable(profile)));
    }
    json.EndArray();
    json.Key("macro_area").String(PackedHex(memory.macroArea));
    json.Key("lighting").String(PackedHex(memory.lighting));
    json.Key("colours").BeginArray();
    for (int profile = 0; profile < device::kProfileCount; ++profile) {
        json.String(PackedHex(memory.ColourArea(profile)));
    }
    json.EndArray();
    json.Key("g_bank_report");
    if (memory.gBankReport) {
        json.String(PackedHex(*memory.gBankReport));
    } else {
        json.Null();
    }
    json.Key("current_profile").Number(memory.CurrentProfile());
    json.Key("firmware_version").Number(memory.FirmwareVersion());
    json.Key("macro_units").Number(memory.MacroUnits());
    json.EndObject();
    out << json.text() << '\n';
}

int RunDump(CliContext& context, std::span<const std::string> args) {
    static constexpr OptionSpec kOptions[] = {{"json", false}, {"help", false}};
    auto parsed = ParseArguments(args, kOptions);
    if (!parsed) {
        return UsageError(context, "sim dump", parsed.error().message);
    }
    const ParsedArguments& arguments = parsed.value();
    if (arguments.Has("help")) {
        context.out() << kDumpHelp;
        return kExitOk;
    }
    if (arguments.positional.size() != 1) {
        return UsageError(context, "sim dump", "give exactly one state file");
    }
    auto memory = sim::LoadStateFile(arguments.positional.front());
    if (!memory) {
        context.err() << "q804ctl: " << memory.error().message << '\n';
        return kExitKeyboardError;
    }
    if (arguments.Has("json")) {
        PrintDumpJson(context.out(), memory.value());
    } else {
        PrintDumpText(context.out(), memory.value());
    }
    return kExitOk;
}

}  // namespace

int RunSim(CliContext& context, std::span<const std::string> args) {
    if (args.empty()) {
        return UsageError(context, "sim", "give a subcommand: new or dump");
    }
    const std::string& sub = args.front();
    if (sub == "--help" || sub == "-h") {
        context.out() << kSimHelp;
        return kExitOk;
    }
    if (sub == "new") {
        return RunNew(context, args.subspan(1));
    }
    if (sub == "dump") {
        return RunDump(context, args.subspan(1));
    }
    return UsageError(context, "sim", "unknown subcommand '" + sub + "'");
}

}  // namespace q804::cli
