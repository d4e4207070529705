#pragma once
// The readable summary that `info` prints after a complete read: identity, program number and
// checksum, the instrument's clock and its offset from the PC, the channel table, the converter
// list and the lamp lines.
#include <string>

#include "app/modMain.h"
#include "instrument/clsInstrument.h"

namespace tz::cli {

std::string IdentityText(const clsInstrument& record);
std::string ClockText(const clsInstrument& record);
// One row per channel: gas, range, enabled, warning, alarm, STEL, TWA, auto-cal, last
// calibration, last bump test.
std::string ChannelTableText(const clsInstrument& record);
std::string ConverterText(const clsInstrument& record, const ProgramState& program);

// The record in the form of `read --json`, with a "Converter" member: one object per converter
// channel ("Label", "Reading", "Value", "Unit", "InRange": true, false, or null when unchecked).
std::string InfoJson(const clsInstrument& record, const ProgramState& program);

// All of the above, in that order.
std::string InfoSummary(const clsInstrument& record, const ProgramState& program);

// A level as the settings grid shows it: in the decimals of its range, "-----" when not used,
// followed by the second range's unit when the level is expressed in it.
std::string LevelText(const clsInstrument& record, Integer gas, Single value, bool inSecondRange);

}  // namespace tz::cli
