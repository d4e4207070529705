// stations and users: export a list from the instrument to a list file, or import a list file
// and write the entries that changed.
#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/OutputFile.h"
#include "cli/TextTable.h"
#include "cli/WriteVerify.h"
#include "instrument/ListFile.h"
#include "instrument/WritePayloads.h"

namespace tz::cli {

namespace {

void RefuseImproper(const std::vector<int>& entries, ListKind kind) {
    if (entries.empty()) return;
    std::string list;
    for (int entry : entries) list += (list.empty() ? "" : ", ") + std::to_string(entry);
    throw CliFailure(ExitRefused, Text(8056, {ListTitle(kind)}) + "\nEntries longer than 16 characters or holding "
                                                                   "characters outside the space to \"~\": " + list);
}

int Export(CliContext& context, ListKind kind, const std::string& file) {
    RequireWritableOutput(file);
    clsInstrument record;
    context.ReadInstrument(record);
    const NameList names = ListOf(record, kind);
    RefuseImproper(ImproperEntries(names), kind);
    WriteWholeFile(file, ListFileText(names), context.Io().out);
    if (file != "-") context.Io().out << "Export Complete: " << file << "\n";
    return ExitSuccess;
}

std::vector<ListFileEntry> ReadListFile(const std::string& file) {
    try {
        return LoadListFile(file);
    } catch (const ListFileError& e) {
        throw CliFailure(ExitUsage, file + ": " + e.what());
    }
}

// The instrument keeps every name as 16 characters, filled with spaces.
std::string AsKept(const std::string& name) { return EncodeFix(name, 16); }

// Assigns the names that differ from the instrument's; the record flags exactly those entries for
// writing.
int ApplyChanged(clsInstrument& record, ListKind kind, const std::vector<ListFileEntry>& entries) {
    int changed = 0;
    for (const ListFileEntry& e : entries) {
        const auto entry = static_cast<Integer>(e.entry - 1);
        const std::string present = kind == ListKind::Stations ? record.StationList(entry) : record.UserList(entry);
        if (AsKept(e.name) == AsKept(present)) continue;
        if (kind == ListKind::Stations)
            record.StationList(entry, e.name);
        else
            record.UserList(entry, e.name);
        ++changed;
    }
    return changed;
}

int Import(CliContext& context, ListKind kind, const std::string& file) {
    const std::vector<ListFileEntry> entries = ReadListFile(file);
    RefuseImproper(ImproperEntries(entries), kind);
    clsInstrument record;
    context.ReadInstrument(record);
    record.ClearChangeFlags();
    const int changed = ApplyChanged(record, kind, entries);
    if (changed == 0) {
        context.Io().out << "No entries changed.\n";
        return ExitSuccess;
    }
    uclTzif& link = context.Link();
    if (!context.Confirm(Text(5309))) {
        context.Io().err << "Nothing written.\n";
        return ExitDeclined;
    }
    context.TakeSentBodies();
    context.RequireOk(link.SetInstrument(&record, false), "Writing the list failed.");
    const std::vector<std::string> sent = context.TakeSentBodies();
    clsInstrument readBack;
    context.ReadInstrument(readBack);
    const std::vector<WriteMismatch> mismatches = CompareWithReadBack(sent, readBack);
    if (!mismatches.empty()) {
        std::vector<TextRow> rows = {{"Entry", "written", "read back"}};
        for (const WriteMismatch& m : mismatches) rows.push_back({m.command, m.written, m.readBack});
        context.Io().out << FormatTable(rows);
        throw CliFailure(ExitInstrument, "Entries read back differently from what was written.");
    }
    context.Io().out << changed << " entr" << (changed == 1 ? "y" : "ies") << " written. " << Text(5311) << "\n";
    return ExitSuccess;
}

template <ListKind Kind>
int ListCommand(CliContext& context, const ParsedArgs& args) {
    const std::string& action = args.positional[0];
    if (action == "export") return Export(context, Kind, args.positional[1]);
    if (action == "import") return Import(context, Kind, args.positional[1]);
    throw CliFailure(ExitUsage, "the list commands are export and import, not \"" + action + "\"");
}

constexpr const char* kListDetails =
    "The file has one line per entry: the entry number (1 to 128), a comma and the name.\n"
    "import sets the entries the file names, each by its number, and keeps the others; a line\n"
    "without a comma, a number outside 1 to 128 or given twice is refused (exit 2), blank lines\n"
    "are skipped. It writes only the entries that differ from the instrument's, after confirmation on a\n"
    "terminal unless --yes; names longer than 16 characters or with characters outside the\n"
    "space to \"~\" are refused (exit 3). export to - writes standard output.";

}  // namespace

std::vector<CliCommand> ListCommandRows() {
    return {
        {"stations", "export|import FILE.csv", "export or import the station list", kListDetails, {}, 2, 2,
         ListCommand<ListKind::Stations>},
        {"users", "export|import FILE.csv", "export or import the user list", kListDetails, {}, 2, 2,
         ListCommand<ListKind::Users>},
    };
}

}  // namespace tz::cli
