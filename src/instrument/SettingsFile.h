#pragma once
// The settings file ("Config Data", ".seq"): the configurable settings of an instrument record as
// write-command lines, one per setting group, each "<code>,W,<payload>," and CR LF. Saving writes
// the whole record whatever its change flags; the identity values (serial numbers, station and
// user IDs and lists) are left out. Loading applies the lines to a record through its accessors,
// so every value it sets is flagged for the next write.
#include <array>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/clsInstrument.h"
#include "text/Errors.h"

namespace tz {

// The 53 lines of a saved file, in order.
inline constexpr std::array<std::string_view, 53> SettingsFileCodes = {
    "AT", "A1", "A2", "AS", "AW", "SA", "AP", "SC", "XP", "SD", "SM", "XW", "XT", "GJ",
    "SJ", "SG", "MP", "PG", "UJ", "BJ", "BK", "BL", "BU", "BV", "XB", "PS", "BS", "AF",
    "XL", "PO", "XI", "XA", "EB", "BW", "SW", "WB", "UL", "UZ", "US", "FF", "A3", "A4",
    "MO", "KL", "XD", "JZ", "AN", "U9", "X7", "UW", "UG", "EJ", "UO"};

// A settings file that could not be written, opened or read. For a malformed line LineNumber()
// (from 1) and Line() name it; they are 0 and empty when the file as a whole failed.
class SettingsFileError : public FileLineError {
public:
    using FileLineError::FileLineError;
};

// One line of the file without its line end: "<code>,W,<payload>,". The payload is the write
// command's, except "U9" (the decimal value) and "UG" (the port of an enabled channel, "F" for a
// channel that is not enabled). Throws std::invalid_argument for a code outside the file.
std::string SettingsFileLine(std::string_view code, const clsInstrument& record);

// The whole file text, CR LF after every line.
std::string SettingsFileText(const clsInstrument& record);

// Writes the file through a temporary file in the same folder that then replaces the target, so a
// failed save leaves any earlier file as it was. Throws SettingsFileError on failure.
void SaveSettingsFile(const clsInstrument& record, const std::filesystem::path& fileName);

// Told the code (upper case) of a line that the loader does not know; the load then goes on.
using UnknownCodeHandler = std::function<void(const std::string& code)>;

// The text the program shows for an unknown code: "unknown " followed by the code.
std::string UnknownCodeMessage(const std::string& code);

// Applies the file's lines to the record in file order. Blank and comment-only lines are skipped.
// Only "*****" stands for no value (in a gas value field); a malformed line (a number field that
// is missing, is not a number or does not fit, a range marker other than H or L, a port that is
// neither "F" nor 0 to 5, a line that is not text) stops the load with SettingsFileError naming
// the line; the lines before it keep their effect, the malformed line has none. A file that
// cannot be opened throws SettingsFileError too. Returns the codes (upper case) of the lines
// applied, each once, in file order.
std::vector<std::string> LoadSettingsFile(clsInstrument& record, const std::filesystem::path& fileName,
                                          const UnknownCodeHandler& onUnknownCode = {});

// The same for text already in memory (one line per LF, a CR before it is dropped).
std::vector<std::string> LoadSettingsText(clsInstrument& record, std::string_view text,
                                          const UnknownCodeHandler& onUnknownCode = {});

}  // namespace tz
