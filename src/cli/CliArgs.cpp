#include "cli/CliArgs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

#include <CLI/CLI.hpp>

namespace tz::cli {

namespace {

constexpr std::array<OptionRule, 11> kGlobal = {{
    {"port", "DEVICE", "serial device of the instrument (default: the USB infrared module)"},
    {"settings", "TEXT", "line settings such as 9600,n,8,1 (default: COMM SETTINGS)"},
    {"timeout", "SECONDS", "reply timeout (default: TIMEOUT of the configuration file)"},
    {"retry", "N", "retries of an unanswered exchange (default: RETRY)"},
    {"log-dir", "DIR", "folder of the communication log, report and backups (default: .)"},
    {"debug", "", "debug mode (memory dumps)"},
    {"factory", "", "factory mode"},
    {"lang", "en|ja", "language of the printed texts (default: from the locale)"},
    {"yes", "", "answer yes to every confirmation"},
    {"help", "", "show help (for the program, or for the command); also -h"},
    {"version", "", "print the version and end"},
}};

bool IsOptionWord(const std::string& word) { return word.size() > 2 && word.rfind("--", 0) == 0; }

// The options of `rules` on a CLI11 parser: each takes its last value; a switch takes none.
// Words the parser does not know, "--" and everything after it are left to the caller, in order.
class OptionParser {
public:
    explicit OptionParser(std::span<const OptionRule> rules, bool shortHelp) : rules_(rules) {
        app_.set_help_flag();
        app_.allow_extras();
        app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        for (const OptionRule& rule : rules) {
            const std::string name(rule.name);
            if (rule.valueName.empty()) {
                const std::string names = name == "help" && shortHelp ? "-h,--help" : "--" + name;
                options_[name] = app_.add_flag(names, switches_[name])->disable_flag_override();
            } else {
                options_[name] = app_.add_option("--" + name, values_[name]);
            }
        }
    }

    // Reads the words; CliFailure(ExitUsage) for a missing value or a switch given one.
    std::vector<std::string> Parse(std::vector<std::string> words) {
        std::reverse(words.begin(), words.end());  // CLI11 takes them last first
        try {
            app_.parse(words);
        } catch (const CLI::ParseError& error) {
            throw CliFailure(ExitUsage, Reason(error.what()));
        }
        return app_.remaining();
    }

    bool Given(const std::string& name) const { return options_.at(name)->count() > 0; }
    const std::string& Value(const std::string& name) const { return values_.at(name); }

private:
    // CLI11's reason, named as the program names it.
    std::string Reason(const std::string& what) const {
        for (const OptionRule& rule : rules_) {
            const std::string name(rule.name);
            if (what.rfind("--" + name + ":", 0) == 0)
                return "option --" + name + " needs a value (" + std::string(rule.valueName) + ")";
            if (what.rfind(name + " was given a disallowed flag override", 0) == 0)
                return "option --" + name + " takes no value";
        }
        return what;
    }

    std::span<const OptionRule> rules_;
    CLI::App app_;
    std::map<std::string, CLI::Option*> options_;
    std::map<std::string, std::string> values_;
    std::map<std::string, bool> switches_;
};

void ApplyGlobal(GlobalOptions& g, const std::string& name, const std::string& value) {
    if (name == "port") g.port = value;
    else if (name == "settings") g.settings = value;
    else if (name == "timeout") g.timeout = ParseIntOption("--timeout", value, 0, 3276);
    else if (name == "retry") g.retry = ParseIntOption("--retry", value, 0, 100);
    else if (name == "log-dir") g.logDir = value;
    else if (name == "debug") g.debug = true;
    else if (name == "factory") g.factory = true;
    else if (name == "yes") g.yes = true;
    else if (name == "help") g.help = true;
    else if (name == "version") g.version = true;
    else if (name == "lang") {
        if (value != "en" && value != "ja") throw CliFailure(ExitUsage, "--lang takes en or ja, not \"" + value + "\"");
        g.lang = value;
    }
}

}  // namespace

std::string ParsedArgs::Value(std::string_view name, const std::string& fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

std::span<const OptionRule> GlobalOptionRules() { return kGlobal; }

int ParseIntOption(std::string_view option, const std::string& text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        throw CliFailure(ExitUsage, std::string(option) + " takes a whole number from " + std::to_string(min) +
                                        " to " + std::to_string(max) + ", not \"" + text + "\"");
    return value;
}

CommandLine SplitCommandLine(const std::vector<std::string>& args) {
    OptionParser parser(kGlobal, true);
    const std::vector<std::string> left = parser.Parse(args);
    CommandLine line;
    for (const OptionRule& rule : kGlobal) {
        const std::string name(rule.name);
        if (parser.Given(name)) ApplyGlobal(line.global, name, rule.valueName.empty() ? std::string() : parser.Value(name));
    }
    // The first word left is the command, unless it is an option the program does not know; a
    // "--" before the command only ends the program's options.
    auto word = left.begin();
    if (word != left.end() && *word == "--") ++word;
    else if (word != left.end() && IsOptionWord(*word)) throw CliFailure(ExitUsage, "unknown option " + *word);
    if (word == left.end()) return line;
    line.command = *word;
    line.rest.assign(word + 1, left.end());
    return line;
}

ParsedArgs ParseCommandArgs(const std::vector<std::string>& rest, std::span<const OptionRule> rules) {
    OptionParser parser(rules, false);
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (const std::string& word : parser.Parse(rest)) {
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOptionWord(word)) {
            throw CliFailure(ExitUsage, "unknown option " + word);
        } else {
            parsed.positional.push_back(word);
        }
    }
    for (const OptionRule& rule : rules) {
        const std::string name(rule.name);
        if (parser.Given(name)) parsed.options[name] = rule.valueName.empty() ? std::string() : parser.Value(name);
    }
    return parsed;
}

}  // namespace tz::cli
