#pragma once

// Command-line arguments of one command: options ("--name", "--name=value" or
// "--name value") and the positional arguments around them; "--" ends the options.

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace q804::cli {

struct OptionSpec {
    std::string_view name;  // without the dashes
    bool takesValue = false;
};

struct ParsedArguments {
    std::vector<std::string> positional;
    std::set<std::string, std::less<>> flags;
    std::map<std::string, std::string, std::less<>> values;

    bool Has(std::string_view name) const { return flags.contains(name) || values.contains(name); }
    std::optional<std::string> Value(std::string_view name) const {
        auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

// Unknown options, a missing value and a value given to a flag are errors.
Result<ParsedArguments> ParseArguments(std::span<const std::string> args,
                                       std::span<const OptionSpec> options);

}  // namespace q804::cli
