// The command line's option parsing from any words (the input split at line ends): it either
// refuses the line with a usage failure or gives options and arguments that, written out again
// in a plain form (--name=value, then "--" and the arguments), parse to the same result.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "cli/CliArgs.h"
#include "cli/CommandTable.h"

namespace {

using namespace tz::cli;

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', start)) {
        words.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    if (start < text.size()) words.emplace_back(text.substr(start));
    return words;
}

std::string Shown(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) out += "[" + w + "] ";
    return out;
}

std::vector<std::string> PlainGlobal(const GlobalOptions& g) {
    std::vector<std::string> words;
    if (!g.port.empty()) words.push_back("--port=" + g.port);
    if (g.settings) words.push_back("--settings=" + *g.settings);
    if (g.timeout) words.push_back("--timeout=" + std::to_string(*g.timeout));
    if (g.retry) words.push_back("--retry=" + std::to_string(*g.retry));
    if (!g.logDir.empty()) words.push_back("--log-dir=" + g.logDir);
    if (!g.lang.empty()) words.push_back("--lang=" + g.lang);
    for (const auto& [on, name] : {std::pair{g.debug, "--debug"}, {g.factory, "--factory"}, {g.yes, "--yes"},
                                   {g.help, "--help"}, {g.version, "--version"}})
        if (on) words.push_back(name);
    return words;
}

bool SameGlobal(const GlobalOptions& a, const GlobalOptions& b) {
    return a.port == b.port && a.settings == b.settings && a.timeout == b.timeout && a.retry == b.retry &&
           a.logDir == b.logDir && a.debug == b.debug && a.factory == b.factory && a.lang == b.lang &&
           a.yes == b.yes && a.help == b.help && a.version == b.version;
}

template <typename Parse>
bool Refused(const Parse& parse, const std::vector<std::string>& words) {
    try {
        parse();
        return false;
    } catch (const CliFailure& failure) {
        tz::fuzz::Check(failure.Code() == ExitUsage, "a refused command line is a usage failure", Shown(words));
        tz::fuzz::Check(*failure.what() != '\0', "a refused command line says why", Shown(words));
        return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tz::fuzz::Check;
    const std::vector<std::string> args = Words(tz::fuzz::AsText(data, size));
    CommandLine line;
    if (Refused([&] { line = SplitCommandLine(args); }, args)) return 0;

    std::vector<std::string> plain = PlainGlobal(line.global);
    if (!line.command.empty()) {
        plain.push_back("--");
        plain.push_back(line.command);
        plain.insert(plain.end(), line.rest.begin(), line.rest.end());
    }
    CommandLine again;
    Check(!Refused([&] { again = SplitCommandLine(plain); }, plain), "the plain form of a command line is taken",
          Shown(plain));
    Check(SameGlobal(again.global, line.global) && again.command == line.command && again.rest == line.rest,
          "the plain form of a command line parses the same", Shown(args) + "\n" + Shown(plain));

    const CliCommand* command = FindCommand(line.command);
    if (command == nullptr) return 0;
    CommandHelp(*command);
    ParsedArgs parsed;
    if (Refused([&] { parsed = ParseCommandArgs(line.rest, command->options); }, line.rest)) return 0;
    std::vector<std::string> plainArgs;
    for (const auto& [name, value] : parsed.options) {
        bool takesValue = false;
        for (const OptionRule& rule : command->options)
            if (rule.name == name) takesValue = !rule.valueName.empty();
        plainArgs.push_back("--" + name + (takesValue ? "=" + value : std::string()));
    }
    plainArgs.push_back("--");
    plainArgs.insert(plainArgs.end(), parsed.positional.begin(), parsed.positional.end());
    ParsedArgs parsedAgain;
    Check(!Refused([&] { parsedAgain = ParseCommandArgs(plainArgs, command->options); }, plainArgs),
          "the plain form of a command's arguments is taken", Shown(plainArgs));
    Check(parsedAgain.options == parsed.options && parsedAgain.positional == parsed.positional,
          "the plain form of a command's arguments parses the same", Shown(line.rest) + "\n" + Shown(plainArgs));
    return 0;
}
