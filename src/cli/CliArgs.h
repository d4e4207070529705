#pragma once
// Reading the command line: options of the whole program anywhere on the line, then a command
// word and the command's own options and arguments. "--name value" and "--name=value" are both
// accepted; "--" ends the options.
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliTypes.h"

namespace tz::cli {

struct OptionRule {
    std::string_view name;       // without the dashes: "port"
    std::string_view valueName;  // empty for a switch: "DEVICE"
    std::string_view help;
};

// What a command received: its own options (a switch maps to "") and its arguments.
struct ParsedArgs {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> positional;

    bool Has(std::string_view name) const { return options.find(name) != options.end(); }
    // The option's value, or `fallback` when it was not given.
    std::string Value(std::string_view name, const std::string& fallback = {}) const;
};

// The options every command takes, for --help.
std::span<const OptionRule> GlobalOptionRules();

// Splits the line into the program's options, the command word (empty when none was given) and
// what follows it, checked against the command's own options. Throws CliFailure(ExitUsage) for
// an unknown option, a missing value or a malformed number.
struct CommandLine {
    GlobalOptions global;
    std::string command;
    std::vector<std::string> rest;  // everything after the command word, program options removed
};
CommandLine SplitCommandLine(const std::vector<std::string>& args);

// Reads the command's own options out of `rest`.
ParsedArgs ParseCommandArgs(const std::vector<std::string>& rest, std::span<const OptionRule> rules);

// A whole number in [min, max], or CliFailure(ExitUsage) naming the option.
int ParseIntOption(std::string_view option, const std::string& text, int min, int max);

}  // namespace tz::cli
