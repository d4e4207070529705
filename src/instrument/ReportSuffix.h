#pragma once
// The file-name suffix of the settings report ("TZ7300_Setting<suffix>.csv"), typed by the user
// or read from "FACTORY RECORD SUFFIX". It is checked wherever the report's name is built, so
// that no report is ever written outside the log folder.
#include <string>

namespace tz {

// Message shown when a suffix is refused: "The character that cannot be used for the file name
// is included." (title 5001, stop icon).
inline constexpr int ReportSuffixRefusedMessage = 5382;

// True when the suffix can stand in a file name: none of the characters \ / : | < > * ?, no
// control character (codes below 32, and 127) and no "..". An empty suffix is valid.
bool IsValidReportSuffix(const std::string& suffix);

}  // namespace tz
