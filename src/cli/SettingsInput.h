#pragma once
// A settings file read for writing it to an instrument: a malformed line ends the command
// (exit 2, naming the file and the line), an unknown line is reported with the file and its line
// number, and a file that holds no setting at all is refused, so a load never writes "nothing"
// and calls it a success.
#include <filesystem>
#include <ostream>

#include "instrument/clsInstrument.h"

namespace tz::cli {

// `base` with the file applied. Unknown lines go to `warnings` as "FILE line N: unknown XX".
// Throws CliFailure(ExitUsage) for a file that cannot be read, a malformed line, or a file
// without a single setting line ("no settings in FILE").
clsInstrument LoadSettingsInput(const clsInstrument& base, const std::filesystem::path& file, std::ostream& warnings);

}  // namespace tz::cli
