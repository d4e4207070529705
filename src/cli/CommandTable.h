#pragma once
// The table of commands: name, arguments, what it does, its own options and its handler. Each
// command group adds its rows from its own file.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliContext.h"

namespace tz::cli {

using CommandHandler = int (*)(CliContext& context, const ParsedArgs& args);

struct CliCommand {
    std::string_view name;       // "read"
    std::string_view arguments;  // "--json FILE"
    std::string_view summary;    // one line for the program's --help
    std::string_view details;    // more lines for the command's --help (may be empty)
    std::span<const OptionRule> options;
    std::size_t minArgs = 0;
    std::size_t maxArgs = 0;
    CommandHandler handler = nullptr;
};

// The rows of each group, in the order --help lists them.
std::vector<CliCommand> ReadCommandRows();         // info, read, save, report, monitor
std::vector<CliCommand> DiffCommandRows();         // diff
std::vector<CliCommand> WriteCommandRows();        // load, write-ids, set-clock
std::vector<CliCommand> MaintenanceCommandRows();  // clear-logger ... power-off
std::vector<CliCommand> ListCommandRows();         // stations, users
std::vector<CliCommand> CalibrationCommandRows();  // zero, span
std::vector<CliCommand> DumpCommandRows();         // dump-eeprom, dump-flash
std::vector<CliCommand> PortCommandRows();         // ports

const std::vector<CliCommand>& Commands();
const CliCommand* FindCommand(std::string_view name);

std::string ProgramHelp();
// "tz7300 <version>" and a line end.
std::string VersionText();
std::string CommandHelp(const CliCommand& command);

}  // namespace tz::cli
