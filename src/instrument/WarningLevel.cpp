#include "instrument/WarningLevel.h"

namespace tz {
namespace {

// The fixed warning level of channels 0 to 3.
constexpr Single kFixedLevel[] = {10.0f, 19.5f, 10.0f, 25.0f};

bool IsOxygen(const std::string& gasName) { return gasName == "O2" || gasName == "OXY"; }

}  // namespace

bool IsAtWarningLevel(const clsInstrument& record, Integer channel, Single value) {
    if (value < 0 || channel < 0 || channel > 3) return true;
    const Single fixed = kFixedLevel[channel];
    const Single warning = record.Warning(channel);
    // Oxygen alarms on a falling level.
    if (IsOxygen(record.GasName(channel))) {
        const bool useFixed = record.AlarmO2() == 2 || warning < 0;
        return value <= (useFixed ? fixed : warning);
    }
    return value >= (warning < 0 ? fixed : warning);
}

}  // namespace tz
