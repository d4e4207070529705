#pragma once
// The calibration factor update of factory mode (cmdOption(10)): each channel's rate from the
// settings grid's rate column times its span factor, sent as "S1,D," + Datas.
#include <array>
#include <string>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

struct FactorDatas {
    bool Ok = false;
    std::string Datas;     // Ok: six SingleToHex texts joined with ","
    Integer Channel = -1;  // refused: the first channel that stopped it
    std::string Reason;    // refused: the stop box's text, naming the channel (active language)
};

// Builds Datas from the six rate cells (channel 0 first) and the record's SpanData. Refused when
// a rate is not a valid 1.00 to 1.99 (ValidRate: an empty or otherwise invalid cell is never
// used as a factor) or a channel's span factor was never read (-101), so that no factor of 0 or
// of -101 times the rate is ever sent.
FactorDatas BuildCalibrationFactorDatas(const clsInstrument& record, const std::array<std::string, 6>& rateTexts);

// The channels whose factor the instrument refused, from UpdateCalibrationFactor's failes text
// ("1" at a channel's place); their rate cells turn red.
std::array<bool, 6> RefusedFactorChannels(const std::string& failes);

// The closing box: 5680 "Update finished", or 5679 "Update Failed " followed by " ( ", the
// failes text and " )".
std::string CalibrationFactorResultText(bool ok, const std::string& failes);

}  // namespace tz
