#include "cli/CliArgs.h"

#include <algorithm>
#include <array>
#include <charconv>

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

const OptionRule* FindRule(std::span<const OptionRule> rules, std::string_view name) {
    auto it = std::find_if(rules.begin(), rules.end(), [&](const OptionRule& s) { return s.name == name; });
    return it == rules.end() ? nullptr : &*it;
}

// One "--name[=value]" at args[i]; advances i past a separate value.
struct OptionWord {
    std::string name;
    std::string value;
    bool inlineValue = false;
};

OptionWord SplitOption(const std::string& word) {
    OptionWord option;
    const std::size_t eq = word.find('=');
    option.name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    if (eq != std::string::npos) {
        option.value = word.substr(eq + 1);
        option.inlineValue = true;
    }
    return option;
}

std::string TakeValue(const OptionWord& option, const OptionRule& rule,
                      const std::vector<std::string>& args, std::size_t& i) {
    if (rule.valueName.empty()) {
        if (option.inlineValue) throw CliFailure(ExitUsage, "option --" + option.name + " takes no value");
        return {};
    }
    if (option.inlineValue) return option.value;
    if (i + 1 >= args.size())
        throw CliFailure(ExitUsage, "option --" + option.name + " needs a value (" +
                                        std::string(rule.valueName) + ")");
    return args[++i];
}

bool IsOptionWord(const std::string& word) { return word.size() > 2 && word.rfind("--", 0) == 0; }

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
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            if (!line.command.empty()) line.rest.push_back(word);
            continue;
        }
        if (!optionsEnded && word == "-h") {
            line.global.help = true;
            continue;
        }
        if (!optionsEnded && IsOptionWord(word)) {
            const OptionWord option = SplitOption(word);
            if (const OptionRule* rule = FindRule(kGlobal, option.name)) {
                ApplyGlobal(line.global, option.name, TakeValue(option, *rule, args, i));
                continue;
            }
            if (line.command.empty()) throw CliFailure(ExitUsage, "unknown option " + word);
        }
        if (line.command.empty())
            line.command = word;
        else
            line.rest.push_back(word);
    }
    return line;
}

ParsedArgs ParseCommandArgs(const std::vector<std::string>& rest, std::span<const OptionRule> rules) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& word = rest[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !IsOptionWord(word)) {
            parsed.positional.push_back(word);
            continue;
        }
        const OptionWord option = SplitOption(word);
        const OptionRule* rule = FindRule(rules, option.name);
        if (!rule) throw CliFailure(ExitUsage, "unknown option " + word);
        parsed.options[option.name] = TakeValue(option, *rule, rest, i);
    }
    return parsed;
}

}  // namespace tz::cli
