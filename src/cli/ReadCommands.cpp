// Commands that read the instrument: info, read, save, report, monitor.
#include <array>
#include <cstdio>

#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/InfoSummary.h"
#include "cli/OutputFile.h"
#include "instrument/RecordJson.h"
#include "instrument/ReportSuffix.h"
#include "instrument/SettingsFile.h"
#include "instrument/SettingsReport.h"
#include "instrument/modGasCommon.h"
#include "text/DateTime.h"

namespace tz::cli {

namespace {

constexpr double kSecondsPerDay = 86400.0;

int Info(CliContext& context, const ParsedArgs& args) {
    if (args.Has("json")) RequireWritableOutput(args.Value("json"));
    clsInstrument record;
    context.ReadInstrument(record);
    if (args.Has("json"))
        WriteWholeFile(args.Value("json"), InfoJson(record, context.Program()), context.Io().out);
    else
        context.Io().out << InfoSummary(record, context.Program());
    return ExitSuccess;
}

int Read(CliContext& context, const ParsedArgs& args) {
    if (!args.Has("json")) throw CliFailure(ExitUsage, "read needs --json FILE (- for standard output)");
    RequireWritableOutput(args.Value("json"));
    clsInstrument record;
    context.ReadInstrument(record);
    WriteWholeFile(args.Value("json"), RecordToJson(record), context.Io().out);
    return ExitSuccess;
}

int Save(CliContext& context, const ParsedArgs& args) {
    RequireWritableOutput(args.positional[0]);
    clsInstrument record;
    context.ReadInstrument(record);
    try {
        SaveSettingsFile(record, args.positional[0]);
    } catch (const SettingsFileError& e) {
        throw CliFailure(ExitUsage, e.what());
    }
    context.Io().out << "Saved " << args.positional[0] << "\n";
    return ExitSuccess;
}

int Report(CliContext& context, const ParsedArgs& args) {
    const std::string suffix = args.Value("suffix", context.Program().FactoryRecordSuffix);
    if (!IsValidReportSuffix(suffix)) throw CliFailure(ExitUsage, Text(ReportSuffixRefusedMessage));
    RequireWritableFolder(context.LogFolder(), "The log folder");
    clsInstrument record;
    context.ReadInstrument(record);
    std::string error;
    if (!WriteSettingsReport(record, ReportMode::Read, context.LogFolder(), suffix, context.Now(), &error))
        throw CliFailure(ExitUsage, "Cannot write the settings report: " + error);
    context.Io().out << "Report line added to " << SettingsReportPath(context.LogFolder(), suffix).string() << "\n";
    return ExitSuccess;
}

// ---- monitor ----

std::string ReadingText(const clsInstrument& r, Integer gas, Single value, bool lowRange) {
    if (r.GasName(gas).find_first_not_of(' ') == std::string::npos) return "-";
    const Integer decimals = lowRange ? r.GasPoint_l(gas) : r.GasPoint(gas);
    return GasValueText(value, decimals, false) + " " + Trim(lowRange ? r.GasUnit_l(gas) : r.GasUnit(gas));
}

std::string ReadingLine(const clsInstrument& r, Date now, const std::array<Single, 6>& values, bool lo5, bool lo6) {
    std::string line = FormatGeneralDate(now).substr(11);
    for (Integer gas = 0; gas < 6; ++gas) {
        const bool lo = (gas == 4 && lo5) || (gas == 5 && lo6);
        std::string cell = ReadingText(r, gas, values[static_cast<std::size_t>(gas)], lo);
        if (cell.size() < 14) cell.insert(0, 14 - cell.size(), ' ');
        line += cell;
    }
    return line + "\n";
}

std::string ReadingHeader(const clsInstrument& r) {
    std::string line = "Time    ";
    for (Integer gas = 0; gas < 6; ++gas) {
        std::string name = OrDash(Trim(r.GasName(gas)));
        if (name.size() < 14) name.insert(0, 14 - name.size(), ' ');
        line += name;
    }
    return line + "\n";
}

int Monitor(CliContext& context, const ParsedArgs& args) {
    const int seconds = args.Has("seconds") ? ParseIntOption("--seconds", args.Value("seconds"), 1, 86400) : 0;
    // The gas names, units and decimals come from the identity and gas information reads.
    clsInstrument record;
    uclTzif& link = context.Link();
    context.RequireOk(link.GetRomNo(&record) && link.GetGasInfo(&record), Text(5416));
    std::ostream& out = context.Io().out;
    out << ReadingHeader(record) << std::flush;
    int readings = 0;
    context.OnReadings([&](const std::array<Single, 6>& values, bool lo5, bool lo6) {
        ++readings;
        out << ReadingLine(record, context.Now(), values, lo5, lo6) << std::flush;
    });
    link.RunDensty(true);
    const Date end = context.Now() + seconds / kSecondsPerDay;
    while (seconds == 0 || context.Now() < end) {
        if (context.Environment().Interrupted()) break;
        context.Environment().Loop().Yield();
    }
    link.RunDensty(false);
    context.CheckInterrupted();
    if (readings == 0) throw CliFailure(ExitInstrument, Text(5417));
    return ExitSuccess;
}

constexpr std::array<OptionRule, 1> kInfoOptions = {
    {{"json", "FILE", "write the record and the converter values as JSON instead (- for standard output)"}}};
constexpr std::array<OptionRule, 1> kReadOptions = {{{"json", "FILE", "write the record as JSON (- for standard output)"}}};
constexpr std::array<OptionRule, 1> kReportOptions = {{{"suffix", "S", "report file suffix (default: FACTORY RECORD SUFFIX)"}}};
constexpr std::array<OptionRule, 1> kMonitorOptions = {{{"seconds", "N", "stop after N seconds (default: until Ctrl-C)"}}};

}  // namespace

std::vector<CliCommand> ReadCommandRows() {
    return {
        {"info", "[--json FILE]", "read the whole instrument and print a summary",
         "Prints the identity, program number and checksum, the clock and its offset from the PC,\n"
         "the six channels, the converter values and the lamp lists. With --json the record goes\n"
         "to FILE in the form of read --json, with the converter values as \"Converter\".",
         kInfoOptions, 0, 0, Info},
        {"read", "--json FILE", "read the whole instrument and write the record as JSON",
         "The JSON form is the one tz7300-sim loads, so a read can be replayed by the simulator.",
         kReadOptions, 0, 0, Read},
        {"save", "FILE.seq", "read the instrument and save its settings file", "", {}, 1, 1, Save},
        {"report", "[--suffix S]", "read the instrument and add a line to the settings report",
         "The report is TZ7300_Setting<suffix>.csv in the log folder.", kReportOptions, 0, 0, Report},
        {"monitor", "[--seconds N]", "print the live gas readings once a second", "", kMonitorOptions, 0, 0,
         Monitor},
    };
}

}  // namespace tz::cli
