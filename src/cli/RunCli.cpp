#include "cli/RunCli.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/ConfigFile.h"
#include "app/StartupDefaults.h"
#include "cli/CommandTable.h"
#include "cli/OutputFile.h"
#include "link/LoopbackPort.h"
#include "text/Catalogue.h"

namespace tz::cli {

namespace {

void ChooseLanguage(const GlobalOptions& options) {
    if (options.lang == "en") SetLanguage(Language::English);
    if (options.lang == "ja") SetLanguage(Language::Japanese);
}

// The program's state as the desktop program starts with it, then the command line's options.
ProgramState& PrepareProgram(const GlobalOptions& options, ILinkEnvironment& env) {
    ResetProgram();
    ProgramState& program = tz::Program();
    ApplyStartupDefaults(program, ActiveLanguage() == Language::English);
    program.ProgramFolder = env.ProgramFolder();
    program.LogFolder = options.logDir.empty() ? std::filesystem::path(".") : std::filesystem::path(options.logDir);
    ReadConfiguration(program, ConfigurationFilePath(program.ProgramFolder));
    program.DebugMode = options.debug;
    program.FactoryMode = options.factory;
    if (options.settings) {
        if (!IsValidLineSettings(*options.settings))
            throw CliFailure(ExitUsage, "--settings takes baud,parity,databits,stopbits such as 9600,n,8,1, not \"" +
                                            *options.settings + "\"");
        program.CommSettings = *options.settings;
    }
    if (options.timeout) program.Timeout = static_cast<Integer>(*options.timeout);
    if (options.retry) program.Retry = static_cast<Integer>(*options.retry);
    SyncInstrumentSettings(program);
    return program;
}

// Edits (insert, delete, replace, swap of neighbours) that turn one word into the other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

// The unknown command's message, with the nearest command when one is at most two edits away.
std::string UnknownCommand(const std::string& word) {
    const CliCommand* nearest = nullptr;
    std::size_t best = 3;
    for (const CliCommand& command : Commands()) {
        const std::size_t distance = EditDistance(word, command.name);
        if (distance < best) {
            best = distance;
            nearest = &command;
        }
    }
    std::string message = "unknown command \"" + word + "\"";
    if (nearest) message += " (did you mean \"" + std::string(nearest->name) + "\"?)";
    return message + "; run 'tz7300 --help' for the list";
}

void CheckArgumentCount(const CliCommand& command, const ParsedArgs& parsed) {
    const std::size_t n = parsed.positional.size();
    if (n < command.minArgs || n > command.maxArgs)
        throw CliFailure(ExitUsage, "usage: tz7300 " + std::string(command.name) + " " + std::string(command.arguments));
}

int RunCommand(const CommandLine& line, CliIo& io, ILinkEnvironment& env) {
    if (line.global.version) {
        io.out << VersionText();
        return ExitSuccess;
    }
    if (line.command.empty() || line.command == "help") {
        const CliCommand* about = line.rest.empty() ? nullptr : FindCommand(line.rest[0]);
        if (line.command.empty() && !line.global.help)
            throw CliFailure(ExitUsage, "no command given; run 'tz7300 --help' for the list");
        io.out << (about ? CommandHelp(*about) : ProgramHelp());
        return ExitSuccess;
    }
    const CliCommand* command = FindCommand(line.command);
    if (!command) throw CliFailure(ExitUsage, UnknownCommand(line.command));
    if (line.global.help) {
        io.out << CommandHelp(*command);
        return ExitSuccess;
    }
    const ParsedArgs parsed = ParseCommandArgs(line.rest, command->options);
    CheckArgumentCount(*command, parsed);
    ProgramState& program = PrepareProgram(line.global, env);
    // The communication log and the report go there; a folder that cannot take them is refused
    // before the first exchange rather than losing the log in silence.
    if (!line.global.logDir.empty()) RequireWritableFolder(line.global.logDir, "--log-dir");
    CliContext context(io, line.global, env, program);
    return command->handler(context, parsed);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliIo& io, ILinkEnvironment& env) {
    try {
        const CommandLine line = SplitCommandLine(args);
        ChooseLanguage(line.global);
        return RunCommand(line, io, env);
    } catch (const CliFailure& failure) {
        io.err << "tz7300: " << failure.what() << "\n";
        return failure.Code();
    }
}

}  // namespace tz::cli
