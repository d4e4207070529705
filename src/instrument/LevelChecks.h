#pragma once
// The limits of a channel's alarm levels and the order of its warning and alarm, shared by the
// settings grid (which refuses or paints a value), the settings write and the command line's
// `load` (which refuse to write levels that break them).
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// Which level of a channel is checked; the numbers are the ones the grid's columns 2 to 5 use.
enum class LevelKind : Integer { Warning = 1, Alarm = 2, Stel = 3, Twa = 4 };

// True when `value` is allowed for level `kind` of `channel` in `record`. -101 ("not used") is
// always allowed. Channels 0 to 3 have fixed limits by their role (combustible gas, oxygen,
// hydrogen sulphide, carbon monoxide); channels 4 and 5 are checked against their other level and
// their full scale, in the second range when the channel is dual-range. A channel outside 0 to 5,
// or a conversion that overflows, gives false.
bool CheckLevel(const clsInstrument& record, Integer channel, LevelKind kind, Single value);

// True when the channel's warning and alarm are in the order its alarm direction requires: on the
// oxygen channel with the falling alarm type (AlarmO2 1, "L-LL") the warning must not be below
// the alarm, everywhere else it must not be above it. Both are compared in the same range. A
// level of -101 has no order to keep; a channel outside 0 to 5 gives false.
bool CheckLevelOrder(const clsInstrument& record, Integer channel);

// A channel is dual-range when it has a second range (GasFullScale_l is not -101) counted in a
// unit of its own (GasUnit_l differs from GasUnit).
bool IsDualRange(const clsInstrument& record, Integer channel);

// A main-range value in the second range: value times Factor_l, rounded to GasDigit_l with
// RoundToStep. Throws OverflowError as RoundToStep does.
Single ToSecondRange(const clsInstrument& record, Integer channel, Single value);

}  // namespace tz
