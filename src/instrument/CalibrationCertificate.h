#pragma once
// The calibration certificate's content: what a zero or span run of the calibration window did,
// for the technician to file or print. The window turns it into a one-page document.
#include <string>
#include <utility>
#include <vector>

#include "instrument/CalibrationRules.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// One run as the calibration window saw it end.
struct CalibrationRun {
    bool IsZero = false;
    bool Ok = false;              // the run as a whole (SetCalibResult's flag)
    ChannelFlags Statuses{};      // per channel: the instrument reported it adjusted
    ChannelFlags TookPart{};      // selected (span) or available (zero)
    std::array<Single, 6> Concentrations{-101, -101, -101, -101, -101, -101};  // span gas applied
    Date Finished = 0;            // PC date and time at the end of the run
};

struct CertificateText {
    std::string Title;
    // Label and value: serial number, manufacture number, program number, PC and instrument
    // date and time, operator, kind of run.
    std::vector<std::pair<std::string, std::string>> Fields;
    std::vector<std::string> Heads;               // channel table: gas, concentration, result, before, after
    std::vector<std::vector<std::string>> Rows;   // one per channel that took part
    bool Passed = false;                          // the run succeeded and every channel adjusted
    std::string Verdict;
};

// `program` is the program's record (identity, latest calibration history and the instrument's
// clock offset), `cal` the calibration window's record (gases, ranges). Texts in the active
// language.
CertificateText BuildCalibrationCertificate(const clsInstrument& program, const clsInstrument& cal,
                                            const CalibrationRun& run, const std::string& operatorName);

}  // namespace tz
