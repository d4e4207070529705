#pragma once
// The instrument record as JSON: one object whose keys are the record's property names, for the
// command line's `read --json` and for the simulated instrument, which loads such a file to answer
// as the instrument it was read from.
//
// Form of the values:
//  - per-channel properties are arrays over their slots: six channels (gas 0 to 5); seven for
//    Warning, Alarm, Stel, Twa, Change_ZeroForce, PortCh, LimitValue and LimitValueIsLo; 17 for
//    AnalogValue; 128 for StationList, UserList and their change flags;
//  - numbers as numbers; a single-precision value that is not finite as the text "NaN",
//    "Infinity" or "-Infinity";
//  - texts as strings, one character per byte of the record's text (bytes above 127 become the
//    characters U+0080 to U+00FF, so any byte string survives);
//  - dates as ISO 8601 local date and time, "2026-12-10T07:05:09" (a fraction of a second is
//    added when the date holds one); -101 ("no date") as null; a day count that no calendar date
//    reproduces exactly (outside the years 100 to 9999, or a negative fraction) as its number.
//    SysDateOffset is a difference of days, written as a number;
//  - change flags as true/false, under their own names (Change_Warn, ...).
// Writing then reading gives a record equal to the original, change flags included.
#include <string>
#include <string_view>
#include <vector>

#include "instrument/Json.h"
#include "instrument/clsInstrument.h"

namespace tz {

// The record as a JSON text (pretty-printed, ASCII, ending with a line break).
std::string RecordToJson(const clsInstrument& record);

struct RecordJsonResult {
    bool Ok = false;
    // When !Ok: what was wrong and where ("line 3, column 7" for malformed JSON, or the key and
    // entry for a value of the wrong kind or out of range).
    std::string Error;
    // Keys of the object that name no property; they are ignored. In the order of the text.
    std::vector<std::string> UnknownKeys;
};

// Reads a record's JSON into `record`. Properties the text does not name keep the values
// `record` had, change flags included: assigning a value never marks it changed here, only the
// text's own Change_ keys do. On an error `record` is left untouched.
RecordJsonResult RecordFromJson(std::string_view text, clsInstrument& record);
// The same for an object already parsed (the simulator's state file carries the record in it).
RecordJsonResult RecordFromJson(const JsonValue& root, clsInstrument& record);

// The property names whose values differ between the two records (empty: equal records), in the
// order RecordToJson writes them.
std::vector<std::string> RecordDifferences(const clsInstrument& a, const clsInstrument& b);

// Every key RecordToJson writes, in its order.
std::vector<std::string> RecordJsonKeys();

// The ISO 8601 form of a date ("2026-12-10T07:05:09", with a fraction of a second only when the
// date holds one), or an empty text when no calendar date reproduces the day count exactly.
std::string DateToIso(Date value);
// Reads "yyyy-mm-ddThh:mm:ss" with an optional fraction of a second; false when the text is not
// such a date or names no real day or time.
bool IsoToDate(std::string_view text, Date& value);

}  // namespace tz
