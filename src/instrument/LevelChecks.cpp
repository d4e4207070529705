#include "instrument/LevelChecks.h"

#include <algorithm>

#include "text/Errors.h"
#include "text/NumberFormat.h"

namespace tz {
namespace {

constexpr Single kNotUsed = static_cast<Single>(NoValue);

// Oxygen alarm types (AlarmO2): the warning falls and the alarm rises, both fall, both rise.
enum OxygenAlarmType : Integer { OxygenLowHigh = 0, OxygenLowLowLow = 1, OxygenHighHighHigh = 2 };

bool Within(Single value, Single low, Single high) { return value >= low && value <= high; }

// Combustible gas: a warning of 0 or more, an alarm of at most 60 % of the full scale; no STEL or
// TWA. The 60 % is compared as value * 10 <= full scale * 6 so that no rounding enters.
bool CheckCombustible(const clsInstrument& record, LevelKind kind, Single value) {
    switch (kind) {
    case LevelKind::Warning: return value >= 0;
    case LevelKind::Alarm:
        return static_cast<double>(value) * 10.0 <=
               static_cast<double>(record.GasFullScale(0)) * 6.0;
    default: return false;
    }
}

// Oxygen: fixed windows for the falling types, ordered levels below the full scale for the rising
// type; no STEL or TWA. An alarm type the program does not know allows nothing.
bool CheckOxygen(const clsInstrument& record, LevelKind kind, Single value) {
    if (kind != LevelKind::Warning && kind != LevelKind::Alarm) return false;
    switch (record.AlarmO2()) {
    case OxygenLowHigh: return Within(value, 18.0f, 25.0f);
    case OxygenLowLowLow: return Within(value, 18.0f, 20.9f);
    case OxygenHighHighHigh:
        if (kind == LevelKind::Warning) return value < record.Alarm(1);
        return value >= record.Warning(1) && value <= record.GasFullScale(1);
    default: return false;
    }
}

// The level of kind `kind` as stored, and whether it is expressed in the second range.
Single StoredLevel(const clsInstrument& record, Integer channel, LevelKind kind) {
    switch (kind) {
    case LevelKind::Warning: return record.Warning(channel);
    case LevelKind::Alarm: return record.Alarm(channel);
    case LevelKind::Stel: return record.Stel(channel);
    case LevelKind::Twa: return record.Twa(channel);
    }
    return kNotUsed;
}

bool StoredIsLo(const clsInstrument& record, Integer channel, LevelKind kind) {
    switch (kind) {
    case LevelKind::Warning: return record.WarnIsLo(channel);
    case LevelKind::Alarm: return record.AlarmIsLo(channel);
    case LevelKind::Stel: return record.StelIsLo(channel);
    case LevelKind::Twa: return record.TwaIsLo(channel);
    }
    return false;
}

// The stored level of `kind` as a dual-range channel compares it: in the second range.
Single ComparedLevel(const clsInstrument& record, Integer channel, LevelKind kind) {
    const Single level = StoredLevel(record, channel, kind);
    return StoredIsLo(record, channel, kind) ? level : ToSecondRange(record, channel, level);
}

// Warning of channel 4 or 5: not negative and not above the alarm.
bool CheckRelativeWarning(const clsInstrument& record, Integer channel, Single value) {
    if (record.Alarm(channel) == kNotUsed) return true;
    if (value < 0) return false;
    if (!IsDualRange(record, channel)) return value <= record.Alarm(channel);
    Single compared = value;
    if (record.WarnIsLo(channel)) {
        if (value > record.GasFullScale_l(channel)) return false;
    } else {
        if (value > record.GasFullScale(channel)) return false;
        compared = ToSecondRange(record, channel, value);
    }
    return compared <= ComparedLevel(record, channel, LevelKind::Alarm);
}

// Alarm of channel 4 or 5: not below the warning and not above the full scale. A dual-range
// channel caps converted values at the second range's full scale.
bool CheckRelativeAlarm(const clsInstrument& record, Integer channel, Single value) {
    if (record.Warning(channel) == kNotUsed) return true;
    if (!IsDualRange(record, channel))
        return value >= record.Warning(channel) && value <= record.GasFullScale(channel);
    const Single lowScale = record.GasFullScale_l(channel);
    Single warning = record.Warning(channel);
    if (!record.WarnIsLo(channel))
        warning = std::min(ToSecondRange(record, channel, warning), lowScale);
    Single compared = value;
    if (record.AlarmIsLo(channel)) {
        if (value > lowScale) return false;
    } else {
        if (value > record.GasFullScale(channel)) return false;
        compared = std::min(ToSecondRange(record, channel, value), lowScale);
    }
    return compared >= warning && compared <= lowScale;
}

// STEL or TWA of channel 4 or 5: within the full scale of the range it is expressed in.
bool CheckExposureLevel(const clsInstrument& record, Integer channel, LevelKind kind,
                        Single value) {
    const Single scale = StoredIsLo(record, channel, kind) ? record.GasFullScale_l(channel)
                                                           : record.GasFullScale(channel);
    return value >= 0 && value <= scale;
}

bool CheckRelativeLevel(const clsInstrument& record, Integer channel, LevelKind kind,
                        Single value) {
    switch (kind) {
    case LevelKind::Warning: return CheckRelativeWarning(record, channel, value);
    case LevelKind::Alarm: return CheckRelativeAlarm(record, channel, value);
    default: return CheckExposureLevel(record, channel, kind, value);
    }
}

bool IsChannel(Integer channel) { return channel >= 0 && channel < clsInstrument::GasChannels; }

}  // namespace

bool IsDualRange(const clsInstrument& record, Integer channel) {
    return record.GasFullScale_l(channel) != kNotUsed &&
           record.GasUnit(channel) != record.GasUnit_l(channel);
}

Single ToSecondRange(const clsInstrument& record, Integer channel, Single value) {
    return RoundToStep(value * record.Factor_l(channel), record.GasDigit_l(channel));
}

bool CheckLevel(const clsInstrument& record, Integer channel, LevelKind kind, Single value) {
    if (!IsChannel(channel)) return false;
    if (value == kNotUsed) return true;
    try {
        switch (channel) {
        case 0: return CheckCombustible(record, kind, value);
        case 1: return CheckOxygen(record, kind, value);
        case 2: return Within(value, 0.0f, 30.0f);
        case 3: return Within(value, 0.0f, 200.0f);
        default: return CheckRelativeLevel(record, channel, kind, value);
        }
    } catch (const OverflowError&) {
        // A level too large to convert into the second range is refused like any other.
        return false;
    }
}

bool CheckLevelOrder(const clsInstrument& record, Integer channel) {
    if (!IsChannel(channel)) return false;
    Single warning = record.Warning(channel);
    Single alarm = record.Alarm(channel);
    if (warning == kNotUsed || alarm == kNotUsed) return true;
    try {
        // Only a dual-range channel counts its two ranges in different units.
        if (IsDualRange(record, channel) && record.WarnIsLo(channel) != record.AlarmIsLo(channel)) {
            warning = ComparedLevel(record, channel, LevelKind::Warning);
            alarm = ComparedLevel(record, channel, LevelKind::Alarm);
        }
    } catch (const OverflowError&) {
        return false;
    }
    const bool falling = channel == 1 && record.AlarmO2() == OxygenLowLowLow;
    return falling ? warning >= alarm : warning <= alarm;
}

}  // namespace tz
