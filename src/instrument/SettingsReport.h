#pragma once
// The settings report "TZ7300_Setting.csv": one comma-separated line per configuration read or
// written, so the file becomes a history of the settings that passed through the program. A new
// file starts with a title line in the active language; every line has the same 419 columns.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// What the line records; the first field of the line.
enum class ReportMode : Integer {
    Read = 0,       // "Read": a read with "Information Get && Save"
    Write = 1,      // "Write": a settings write
    WriteID = 2,    // "WriteID": an identifier write
    WriteSpan = 3,  // "WriteSpan": a calibration factor update
};

inline constexpr std::size_t SettingsReportColumns = 419;

// The report in a folder: "TZ7300_Setting" with the suffix inserted, ".csv".
std::filesystem::path SettingsReportPath(const std::filesystem::path& logFolder,
                                         const std::string& suffix);

// Title and value of every column, in order, for the record at the present date `now`.
std::vector<std::pair<std::string, std::string>> SettingsReportFields(const clsInstrument& record,
                                                                      ReportMode mode, Date now);

// The two lines without their line end; fields are joined with ",", a field holding a comma or a
// double quote is quoted so that the columns stay aligned.
std::string SettingsReportTitleLine();
std::string SettingsReportDataLine(const clsInstrument& record, ReportMode mode, Date now);

// Appends the data line to the report in `logFolder` (with the title line first when the file is
// new). Returns false when the file could not be created or appended to, or the suffix cannot
// stand in a file name (IsValidReportSuffix); `error` then says why.
bool WriteSettingsReport(const clsInstrument& record, ReportMode mode,
                         const std::filesystem::path& logFolder, const std::string& suffix,
                         Date now, std::string* error = nullptr);

// The same in the program's log folder with its "FACTORY RECORD SUFFIX", at the present time.
bool WriteSettingsReport(const clsInstrument& record, ReportMode mode,
                         std::string* error = nullptr);

}  // namespace tz
