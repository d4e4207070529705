#pragma once
// The warning-level test of the first four gas channels, used when levels are entered in the
// settings grid, before writing, and in the calibration grid.
#include <string>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// True when `value` is at or beyond the warning level of channel 0 to 3 of `record`: at or below
// it for an oxygen channel (GasName "O2" or "OXY"), whose alarm falls, at or above it otherwise.
// The level is the channel's Warning, or a fixed level (10.0, 19.5, 10.0, 25.0 for channels 0 to
// 3) when the Warning is negative or, for oxygen, when AlarmO2 is 2. A negative value or another
// channel gives true.
bool IsAtWarningLevel(const clsInstrument& record, Integer channel, Single value);

// The level IsAtWarningLevel compares with on channel 0 to 3; -101 for another channel.
Single WarningLevelFor(const clsInstrument& record, Integer channel);

// True for the gas names of an oxygen channel, "O2" and "OXY", whose alarm falls.
bool IsOxygenGas(const std::string& gasName);

}  // namespace tz
