#include "cli/arguments.h"

#include <algorithm>

namespace q804::cli {

Result<ParsedArguments> ParseArguments(std::span<const std::string> args,
                                       std::span<const OptionSpec> options) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string_view body = std::string_view(arg).substr(2);
        const std::size_t equals = body.find('=');
        const std::string_view name = body.substr(0, equals);
        auto spec = std::find_if(options.begin(), options.end(),
                                 [&](const OptionSpec& option) { return option.name == name; });
        if (spec == options.end()) {
            return Error{"unknown option '--" + std::string(name) + "'"};
        }
        if (!spec->takesValue) {
            if (equals != std::string_view::npos) {
                return Error{"option '--" + std::string(name) + "' takes no value"};
            }
            parsed.flags.emplace(name);
            continue;
        }
        if (equals != std::string_view::npos) {
            parsed.values[std::string(name)] = std::string(body.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            parsed.values[std::string(name)] = args[++i];
        } else {
            return Error{"option '--" + std::string(name) + "' needs a value"};
        }
    }
    return parsed;
}

}  // namespace q804::cli
