// q804ctl info: the keyboards present and what the keyboard's settings block says.

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "common/byte_io.h"

namespace q804::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: q804ctl [--simulate[=STATE_FILE]] [--trace] info [--json]\n"
    "\n"
    "Shows the number of keyboards present and the keyboard's firmware version, current\n"
    "on-board profile (1-3), macro capacity in bytes and the lighting effects it supports.\n"
    "\n"
    "  --json  one line of JSON for scripts:\n"
    "          {\"keyboards\": N, \"firmware_version\": N, \"current_profile\": 1-3 or null,\n"
    "           \"macro_capacity\": bytes, \"effects\": [{\"code\": N, \"name\": \"...\"}]}\n"
    "\n"
    "Exit codes: 0 success, 1 keyboard error, 2 usage error, 3 no keyboard.\n";

struct Effect {
    int code = 0;
    std::string name;
};

struct InfoFacts {
    int keyboards = 0;
    int firmwareVersion = 0;
    int currentProfile = -1;  // 0..2, -1 unknown
    int macroCapacity = 0;
    std::vector<Effect> effects;
};

InfoFacts FactsOf(int keyboards, std::span<const std::uint8_t, device::kSettingsSize> settings,
                  LanguageTables& language) {
    namespace layout = device::settings;
    InfoFacts facts;
    facts.keyboards = keyboards;
    facts.firmwareVersion = ReadU16(settings, layout::kFirmwareVersion);
    const int profile = settings[layout::kCurrentProfile];
    facts.currentProfile = profile < device::kProfileCount ? profile : -1;
    facts.macroCapacity = settings[layout::kMacroUnits] * static_cast<int>(layout::kMacroUnitBytes);
    for (std::size_t i = 0; i < layout::kEffectSlots; ++i) {
        if (const int code = settings[layout::kEffects + i]; code != 0) {
            facts.effects.push_back({code, language.LangModeText(std::to_string(code))});
        }
    }
    return facts;
}

void PrintJson(std::ostream& out, const InfoFacts& facts) {
    JsonWriter json;
    json.BeginObject();
    json.Key("keyboards").Number(facts.keyboards);
    json.Key("firmware_version").Number(facts.firmwareVersion);
    json.Key("current_profile");
    if (facts.currentProfile >= 0) {
        json.Number(facts.currentProfile + 1);
    } else {
        json.Null();
    }
    json.Key("macro_capacity").Number(facts.macroCapacity);
    json.Key("effects").BeginArray();
    for (const Effect& effect : facts.effects) {
        json.BeginObject().Key("code").Number(effect.code).Key("name").String(effect.name);
        json.EndObject();
    }
    json.EndArray().EndObject();
    out << json.text() << '\n';
}

std::string Hex4(int value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

void PrintText(std::ostream& out, const InfoFacts& facts) {
    out << "Keyboards present: " << facts.keyboards << '\n';
    out << "Firmware version:  " << Hex4(facts.firmwareVersion) << '\n';
    out << "Current profile:   "
        << (facts.currentProfile >= 0 ? std::to_string(facts.currentProfile + 1) : "unknown")
        << '\n';
    out << "Macro capacity:    " << facts.macroCapacity << " bytes\n";
    out << "Effects:           " << facts.effects.size() << '\n';
    for (const Effect& effect : facts.effects) {
        const std::string code = std::to_string(effect.code);
        out << "  " << std::string(3 - std::min<std::size_t>(code.size(), 3), ' ') << code << "  "
            << effect.name << '\n';
    }
}

}  // namespace

int RunInfo(CliContext& context, std::span<const std::string> args) {
    static constexpr OptionSpec kOptions[] = {{"json", false}, {"help", false}};
    auto parsed = ParseArguments(args, kOptions);
    if (!parsed) {
        return UsageError(context, "info", parsed.error().message);
    }
    if (parsed.value().Has("help")) {
        context.out() << kHelp;
        return kExitOk;
    }
    if (!parsed.value().positional.empty()) {
        return UsageError(context, "info",
                          "unexpected argument '" + parsed.value().positional.front() + "'");
    }
    const bool json = parsed.value().Has("json");

    auto keyboard = context.OpenKeyboard();
    if (!keyboard) {
        context.err() << "q804ctl: cannot reach a keyboard: " << keyboard.error().message << '\n';
        return kExitNoKeyboard;
    }
    device::TransferEngine& engine = keyboard.value().engine;

    const int count = engine.GetDeviceCount();
    std::array<std::uint8_t, device::kSettingsSize> settings{};
    const int result = count > 0 ? engine.ReadDeviceSettings(settings) : device::kResultNoDevice;
    if (result == device::kResultNoDevice) {
        if (json) {
            PrintJson(context.out(), InfoFacts{});
        }
        context.err() << "q804ctl: no keyboard found\n";
        if (const std::string problem = context.KeyboardProblem(); !problem.empty()) {
            context.err() << problem << '\n';
        }
        return kExitNoKeyboard;
    }
    if (result != device::kResultSuccess) {
        context.err() << "q804ctl: reading the keyboard's settings failed: result " << result
                      << " (" << device::DescribeResult(result) << ")\n";
        return kExitKeyboardError;
    }

    const InfoFacts facts = FactsOf(count, settings, context.Language());
    if (json) {
        PrintJson(context.out(), facts);
    } else {
        PrintText(context.out(), facts);
    }
    return kExitOk;
}

}  // namespace q804::cli
