#include "instrument/WarningLevel.h"

namespace tz {
namespace {

// The fixed warning level of channels 0 to 3.
constexpr Single kFixedLevel[] = {10.0f, 19.5f, 10.0f, 25.0f};

bool IsWarningChannel(Integer channel) { return channel >= 0 && channel <= 3; }

}  // namespace

bool IsOxygenGas(const std::string& gasName) { return gasName == "O2" || gasName == "OXY"; }

Single WarningLevelFor(const clsInstrument& record, Integer channel) {
    if (!IsWarningChannel(channel)) return static_cast<Single>(NoValue);
    const Single fixed = kFixedLevel[channel];
    const Single warning = record.Warning(channel);
    if (IsOxygenGas(record.GasName(channel)) && record.AlarmO2() == 2) return fixed;
    return warning < 0 ? fixed : warning;
}

bool IsAtWarningLevel(const clsInstrument& record, Integer channel, Single value) {
    if (value < 0 || !IsWarningChannel(channel)) return true;
    const Single level = WarningLevelFor(record, channel);
    // Oxygen alarms on a falling level.
    if (IsOxygenGas(record.GasName(channel))) return value <= level;
    return value >= level;
}

}  // namespace tz
