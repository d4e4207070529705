#pragma once
// The simulated instrument's state as JSON, for tz7300-sim's --state and --save-state.
//
// The text is the instrument record's own JSON form (RecordToJson: the keys the command line's
// `read --json` writes), so that a real instrument's read can be loaded and answered as that
// instrument would, plus one member "SimState" with what only an instrument has:
//
//   "SimState": {
//     "Model": "TZ-7300",                     the model named in the connection reply
//     "Clock": "2025-12-10T14:32:05",          the instrument's clock (a date as the record writes
//                                              dates)
//     "ZeroCounts": [288, 533, 152, 257, 228, 0],   raw zero-point counts of the six channels
//     "SecondRangeFactors": [0.5, null],       channels 5 and 6 as the instrument sends them;
//                                              null: the channel has none
//     "MemorySeed": 29440,                     seed of the 1 MiB memory image
//     "ListingBytes": 8192,                    bytes the memory listing covers
//     "Defaults": { ...record keys... }        the settings kept as the instrument's defaults
//   }
//
// The present readings and converter values are the record's LimitValue and AnalogValue.
//
// Reading lays the text onto a given state (normally DefaultSimState()): what the text names
// replaces it, the rest stays. Where the "SimState" member leaves a value out, a read's record
// supplies it: the clock from SysDate, the second-range factors from Factor_l (rescaled from the
// main range's decimals back to the second range's, and absent where the record has no value),
// and the defaults are the loaded record. The record's change flags are cleared: they mean
// nothing on the instrument side. Actions in progress, counters and a switched-off state are not
// kept: a loaded instrument starts idle and switched on.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimState.h"

namespace tz {

// Name of the member that holds what only an instrument has.
inline constexpr const char* SimStateJsonKey = "SimState";

// The state as a JSON text (pretty-printed, ASCII, ending with a line break).
std::string SimStateToJson(const SimState& state);

struct SimStateJsonResult {
    bool Ok = false;
    // When !Ok: what was wrong and where (the line and column of malformed JSON, or the key).
    std::string Error;
    // Keys that name nothing; they are ignored. Those inside "SimState" carry its name as a
    // prefix ("SimState.Colck").
    std::vector<std::string> UnknownKeys;
};

// Reads a state's JSON onto `state`. On an error `state` is left untouched.
SimStateJsonResult SimStateFromJson(std::string_view text, SimState& state);

// Reads the file onto `state`; a file that cannot be read is an error like a malformed one.
SimStateJsonResult LoadSimStateFile(const std::filesystem::path& file, SimState& state);

// Writes the state to `file` whole: into a temporary file beside it, then renamed over it, so
// that the file is either the old one or the complete new one. False, with the reason in
// `error`, when it cannot be written.
bool SaveSimStateFile(const std::filesystem::path& file, const SimState& state, std::string& error);

// The largest state file that is read (a record is some tens of kilobytes).
inline constexpr std::uintmax_t SimStateFileMaxBytes = 16u << 20;

}  // namespace tz
