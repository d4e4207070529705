// Commands that write settings: load, write-ids, set-clock.
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <sstream>

#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/OutputFile.h"
#include "cli/SettingsDiff.h"
#include "cli/SettingsInput.h"
#include "cli/TextTable.h"
#include "cli/WriteCommandSupport.h"
#include "cli/WriteVerify.h"
#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"
#include "instrument/SettingsReport.h"
#include "text/DateTime.h"
#include "text/SharedHelpers.h"

namespace tz::cli {

namespace {

// ---- load ----

// `stem`.seq in `folder`, or `stem`_2.seq, _3, ... when that name is taken: two loads within one
// second never overwrite each other's backup.
std::filesystem::path UnusedName(const std::filesystem::path& folder, const std::string& stem) {
    std::filesystem::path path = folder / (stem + ".seq");
    for (int n = 2; std::filesystem::exists(path); ++n) path = folder / (stem + "_" + std::to_string(n) + ".seq");
    return path;
}

// The instrument's present settings, kept in the log folder before they are overwritten.
std::filesystem::path SaveBackup(CliContext& context, const clsInstrument& current) {
    const DateParts t = SplitDate(context.Now());
    std::ostringstream name;
    name << "backup_" << std::setfill('0') << std::setw(4) << t.year << std::setw(2) << t.month << std::setw(2)
         << t.day << "_" << std::setw(2) << t.hour << std::setw(2) << t.minute << std::setw(2) << t.second;
    std::string serial;
    for (char c : Trim(current.SerialNo()))
        serial += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    if (!serial.empty()) name << "_" << serial;
    const std::filesystem::path path = UnusedName(context.LogFolder(), name.str());
    try {
        SaveSettingsFile(current, path);
    } catch (const SettingsFileError& e) {
        throw CliFailure(ExitUsage, std::string("Cannot keep the backup: ") + e.what());
    }
    return path;
}

void ReportMismatches(CliContext& context, const std::vector<WriteMismatch>& mismatches) {
    std::vector<TextRow> rows = {{"Setting", "written", "read back"}};
    for (const WriteMismatch& m : mismatches) rows.push_back({m.command, m.written, m.readBack});
    context.Io().out << FormatTable(rows);
    throw CliFailure(ExitInstrument, std::to_string(mismatches.size()) +
                                         " setting(s) read back differently from what was written.");
}

// The instrument's settings after a write that stopped part-way, as far as they are known: the
// settings from before the write with those acknowledged laid over them (through their settings
// file lines, the form that carries every setting of a write).
clsInstrument AsWritten(const clsInstrument& before, const clsInstrument& target, const std::vector<std::string>& written) {
    clsInstrument record = before;
    for (const std::string& name : written) {
        const auto code = std::find(SettingsFileCodes.begin(), SettingsFileCodes.end(), name);
        if (code != SettingsFileCodes.end()) LoadSettingsText(record, SettingsFileLine(*code, target));
    }
    return record;
}

// A path as one shell word.
std::string ShellWord(const std::string& text) {
    if (!text.empty() && text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./:") ==
                             std::string::npos)
        return text;
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Where the settings from before the write are and the command that puts them back.
std::string RestoreGuidance(CliContext& context, const std::filesystem::path& backup) {
    if (backup.empty()) return "No backup of the settings from before the write was kept (--no-backup).\n";
    std::string command = "tz7300";
    const GlobalOptions& options = context.Options();
    if (!options.port.empty()) command += " --port " + ShellWord(options.port);
    if (options.settings) command += " --settings " + ShellWord(*options.settings);
    command += " --yes load " + ShellWord(backup.string());
    return "The settings from before the write are in " + backup.string() + "; to restore them:\n  " + command + "\n";
}

int Load(CliContext& context, const ParsedArgs& args) {
    const std::string file = args.positional[0];
    // A malformed or empty file ends here, and so does a log folder that cannot take the backup
    // and the report line: before the instrument is read.
    LoadSettingsInput(clsInstrument(), file, context.Io().err);
    RequireWritableFolder(context.LogFolder(), "The log folder");
    clsInstrument current;
    context.ReadInstrument(current);
    // The file applies to the instrument's own record, so settings it does not carry keep their values.
    clsInstrument record = WithSettingsFile(current, file, [](const std::string&) {});
    const bool asDefault = args.Has("as-default");
    // The backup is taken only once the checks and the question let the write go ahead: a load
    // that writes nothing leaves nothing behind.
    std::filesystem::path backupPath;
    auto backup = [&] {
        backupPath = SaveBackup(context, current);
        context.Io().out << "Backup of the present settings: " << backupPath.string() << "\n";
    };
    auto stopped = [&](const StoppedWrite& write) {
        if (!write.written.empty()) AppendReport(context, AsWritten(current, record, write.written), ReportMode::Write);
        context.Io().err << RestoreGuidance(context, backupPath);
    };
    if (!WriteSettings(context, record, WriteKind::Settings, asDefault,
                       args.Has("no-backup") ? std::function<void()>() : backup, stopped))
        return ExitDeclined;
    AppendReport(context, record, ReportMode::Write);
    const std::vector<std::string> sent = context.TakeSentBodies();
    clsInstrument readBack;
    context.ReadInstrument(readBack);
    const std::vector<WriteMismatch> mismatches = CompareWithReadBack(sent, readBack);
    if (!mismatches.empty()) ReportMismatches(context, mismatches);
    context.Io().out << Text(5311) << "\n";
    return ExitSuccess;
}

// ---- write-ids ----

struct IdField {
    const char* option;
    std::size_t maxLength;
    void (clsInstrument::*assign)(const std::string&);
};

constexpr std::array<IdField, 3> kIdFields = {{
    {"serial", 20, &clsInstrument::SerialNo},
    {"station", 16, &clsInstrument::StationID},
    {"user", 16, &clsInstrument::UserID},
}};

// The rules of the main window's identifier fields: upper case, at most the field's length,
// every character one the field accepts.
std::string CheckedId(const IdField& field, const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    bool valid = upper.size() <= field.maxLength;
    for (char c : upper) valid = valid && CheckKeyCode(static_cast<unsigned char>(c));
    if (!valid)
        throw CliFailure(ExitUsage, "--" + std::string(field.option) + " takes at most " +
                                        std::to_string(field.maxLength) +
                                        " letters, digits, spaces, \"-\" or \"*\", not \"" + text + "\"");
    return upper;
}

int WriteIds(CliContext& context, const ParsedArgs& args) {
    std::vector<std::pair<const IdField*, std::string>> values;
    for (const IdField& field : kIdFields)
        if (args.Has(field.option)) values.emplace_back(&field, CheckedId(field, args.Value(field.option)));
    if (values.empty()) throw CliFailure(ExitUsage, "write-ids needs --serial, --station or --user");
    clsInstrument record;
    context.ReadInstrument(record);
    for (const auto& [field, value] : values) (record.*(field->assign))(value);
    if (!WriteSettings(context, record, WriteKind::Identifiers, false)) return ExitDeclined;
    AppendReport(context, record, ReportMode::WriteID);
    context.Io().out << Text(5311) << "\n";
    return ExitSuccess;
}

// ---- set-clock ----

Date ClockArgument(const ParsedArgs& args, Date now) {
    if (args.positional.empty()) return now;
    const std::string& text = args.positional[0];
    if (auto date = ParseGeneralDate(text)) return *date;
    Date iso = 0;
    if (IsoToDate(text, iso)) return iso;
    throw CliFailure(ExitUsage, "set-clock takes a time as yyyy/mm/dd hh:nn:ss or yyyy-mm-ddThh:mm:ss, not \"" +
                                    text + "\"");
}

int SetClock(CliContext& context, const ParsedArgs& args) {
    const bool now = args.positional.empty();
    Date when = ClockArgument(args, context.Now());
    const DateParts parts = SplitDate(when);
    if (parts.year < 2000 || parts.year > 2099)
        throw CliFailure(ExitUsage, "the instrument's clock holds the years 2000 to 2099");
    uclTzif& link = context.Link();
    if (!context.Confirm(Text(5309))) {
        context.Io().err << "Nothing written.\n";
        return ExitDeclined;
    }
    link.AddLog(Text(5535, {FormatGeneralDate(context.Now())}));
    if (now) when = context.Now();  // the time of sending, not of the question
    context.RequireOk(link.SetDateTime(when), "Setting the clock failed.");
    context.Io().out << "Clock set to " << FormatGeneralDate(when) << "\n";
    return ExitSuccess;
}

constexpr std::array<OptionRule, 2> kLoadOptions = {{
    {"as-default", "", "also make the settings the instrument's defaults"},
    {"no-backup", "", "do not keep the present settings as a backup file"},
}};
constexpr std::array<OptionRule, 3> kIdOptions = {{
    {"serial", "S", "serial number (20 characters at most)"},
    {"station", "S", "station ID (16 characters at most)"},
    {"user", "S", "user ID (16 characters at most)"},
}};

}  // namespace

std::vector<CliCommand> WriteCommandRows() {
    return {
        {"load", "FILE.seq [--as-default] [--no-backup]", "write a settings file's settings to the instrument",
         "Reads the instrument, applies the file to its record, checks the levels, auto-calibration\n"
         "and sensors (exit 3 when refused) and asks for confirmation on a terminal unless --yes.\n"
         "Only then keeps the present settings as a backup file in the log folder (unless\n"
         "--no-backup), writes every setting, adds a report line, then reads back and compares what\n"
         "was written (exit 1 when a setting differs).",
         kLoadOptions, 1, 1, Load},
        {"write-ids", "[--serial S] [--station S] [--user S]", "write the instrument's identifiers", "", kIdOptions,
         0, 0, WriteIds},
        {"set-clock", "[DATETIME]", "set the instrument's clock to now or to yyyy/mm/dd hh:nn:ss", "", {}, 0, 1,
         SetClock},
    };
}

}  // namespace tz::cli
