#include "cli/CommandTable.h"

#include <algorithm>

namespace tz::cli {

namespace {

std::vector<CliCommand> AllRows() {
    std::vector<CliCommand> rows;
    for (auto group : {ReadCommandRows, DiffCommandRows, WriteCommandRows, MaintenanceCommandRows,
                       ListCommandRows, CalibrationCommandRows, DumpCommandRows, PortCommandRows}) {
        std::vector<CliCommand> more = group();
        rows.insert(rows.end(), more.begin(), more.end());
    }
    return rows;
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text + "  ";
}

std::string OptionLines(std::span<const OptionRule> options) {
    std::string text;
    for (const OptionRule& o : options) {
        std::string name = "--" + std::string(o.name);
        if (!o.valueName.empty()) name += " " + std::string(o.valueName);
        text += "  " + Padded(name, 22) + std::string(o.help) + "\n";
    }
    return text;
}

constexpr const char* kExitCodes =
    "Exit codes: 0 success, 1 the instrument failed, did not answer or differs, 2 usage or an\n"
    "unreadable input file, 3 a check refused the settings (nothing written), 4 a confirmation\n"
    "was answered no (nothing done), 130 interrupted.\n";

}  // namespace

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> table = AllRows();
    return table;
}

const CliCommand* FindCommand(std::string_view name) {
    const auto& table = Commands();
    auto it = std::find_if(table.begin(), table.end(), [&](const CliCommand& c) { return c.name == name; });
    return it == table.end() ? nullptr : &*it;
}

std::string ProgramHelp() {
    std::string text =
        "Usage: tz7300 [options] COMMAND [arguments]\n"
        "Reads, configures and calibrates one TZ-7300 gas detector per call.\n\nCommands:\n";
    for (const CliCommand& c : Commands()) {
        std::string head = std::string(c.name);
        if (!c.arguments.empty()) head += " " + std::string(c.arguments);
        text += "  " + Padded(head, 34) + std::string(c.summary) + "\n";
    }
    text += "\nOptions (any command):\n" + OptionLines(GlobalOptionRules());
    text += "\n" + std::string(kExitCodes) + "Run 'tz7300 COMMAND --help' for a command's own options.\n";
    return text;
}

std::string VersionText() { return "tz7300 " TZ_PROGRAM_VERSION "\n"; }

std::string CommandHelp(const CliCommand& c) {
    std::string text = "Usage: tz7300 [options] " + std::string(c.name);
    if (!c.arguments.empty()) text += " " + std::string(c.arguments);
    text += "\n" + std::string(c.summary) + "\n";
    if (!c.details.empty()) text += "\n" + std::string(c.details) + "\n";
    if (!c.options.empty()) text += "\nOptions:\n" + OptionLines(c.options);
    text += "\nRun 'tz7300 --help' for the options of every command.\n";
    return text;
}

}  // namespace tz::cli
