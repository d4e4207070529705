// diff: the settings that differ between the instrument and a settings file, or between two files.
#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/SettingsDiff.h"
#include "instrument/SettingsFile.h"

namespace tz::cli {

namespace {

int Diff(CliContext& context, const ParsedArgs& args) {
    auto unknown = [&](const std::string& code) { context.Io().err << UnknownCodeMessage(code) << "\n"; };
    std::vector<SettingDifference> differences;
    std::string leftTitle, rightTitle = args.positional.back();
    if (args.positional.size() == 2) {
        // Two files: only what the files hold is compared.
        differences = FileDifferences(args.positional[0], args.positional[1], unknown);
        leftTitle = args.positional[0];
    } else {
        // Read the file first, so a malformed file ends the command before the instrument is read.
        WithSettingsFile(clsInstrument(), args.positional[0], unknown);
        clsInstrument left;
        context.ReadInstrument(left);
        // The file over the instrument's record: the settings it does not hold are the instrument's.
        const clsInstrument right = WithSettingsFile(left, args.positional[0], unknown);
        differences = SettingsDifferences(left, right);
        leftTitle = "instrument";
    }
    if (differences.empty()) {
        context.Io().out << "No differences.\n";
        return ExitSuccess;
    }
    context.Io().out << DifferencesText(differences, leftTitle, rightTitle);
    return ExitInstrument;
}

}  // namespace

std::vector<CliCommand> DiffCommandRows() {
    return {
        {"diff", "FILE.seq | A.seq B.seq", "settings that differ between the instrument and a file, or two files",
         "One line per setting with both values. Exit 0 when equal, 1 when different.", {}, 1, 2, Diff},
    };
}

}  // namespace tz::cli
