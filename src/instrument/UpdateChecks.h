#pragma once
// The checks that come before writing settings to the instrument, shared by the main window's
// "Update" and identifier write and by the command line's `load`. They look at the record only and
// change nothing; the caller shows the refusal (a message box, or a printed text and an exit
// code) or asks the confirmation question and then marks the record for writing.
#include "instrument/LevelChecks.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// What is about to be written.
enum class WriteKind {
    Settings,     // every setting except the identifiers
    Identifiers,  // the serial number, station and user identifiers only
};

// The outcome of the checks, in the order they run. Every outcome but Confirm refuses the write.
enum class UpdateCheck {
    LevelRange,       // a warning, alarm, STEL or TWA level is outside its limits or out of order
    AutoCalibration,  // an auto-calibration concentration does not reach the warning level
    NoSensor,         // no channel is enabled
    NoGasName,        // an enabled channel has no gas name
    Confirm,          // all checks passed: ask the question before writing
};

struct UpdateCheckResult {
    UpdateCheck Check = UpdateCheck::Confirm;
    // Catalogue numbers of the text and the title: the refusal (stop icon) or, for Confirm, the
    // Yes/No question (question icon).
    int TextMessage = 0;
    int TitleMessage = 0;
    // The first channel that failed, -1 when the check is not about one channel.
    Integer Channel = -1;
    // For LevelRange: the level whose limits were broken; no value (OrderBroken true) when the
    // channel's warning and alarm are out of order.
    LevelKind Level = LevelKind::Warning;
    bool OrderBroken = false;

    bool Refused() const { return Check != UpdateCheck::Confirm; }
};

// Runs the checks of a settings or identifier write on `record`:
//  1. levels of enabled channels 0 to 4: order, warning and alarm limits, and for channels 2 to 4
//     also STEL and TWA (5361 / 5362);
//  2. auto-calibration concentration of channels 0 to 5 (5380 / 5381);
//  3. at least one enabled channel (5365 / 5366);
//  4. a gas name on every enabled channel (5369 / 5370).
// The first failure is returned. (The main window skips the checks and the question while the
// calibration window writes during a span.) When all pass, the result is Confirm with the question
// 5262 "Save as Default Settings. Ready ?" for a settings write saved as the instrument's defaults
// (`asFactorySave`), 5309 "Update Ready?" otherwise, and the title 5310.
UpdateCheckResult CheckUpdate(const clsInstrument& record, WriteKind kind, bool asFactorySave);

// Step 1 alone: the first enabled channel among 0 to 4 whose levels break their limits or order.
// Confirm (with no messages) when there is none.
UpdateCheckResult CheckUpdateLevels(const clsInstrument& record);

// Marks what the write sends, once the user has confirmed: every setting but the identifiers for a
// settings write, only the identifiers for an identifier write.
void MarkForWrite(clsInstrument& record, WriteKind kind);

}  // namespace tz
