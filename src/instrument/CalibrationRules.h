#pragma once
// The rules of the calibration window (frmCalibration, its grid vfgCal) and of the calibration
// runs (frmUploadCalib), shared with the command line's zero and span: which channels take part,
// the concentration edit, the span request, and the texts of the result boxes.
//
// The calibration record is the window's own: the gas information and calibration gas
// concentrations read once per opening (GetGasInfo, GetAutoCalDensty). A channel in the second
// range (channels 4 and 5 with AutoCalIsLo) counts its concentration there: full scale, step and
// decimals of that range.
//
//   CalibrationSelection sel = OpenCalibrationSelection(cal);       // once per opening
//   CalConcentrationEdit e = EditCalConcentration(cal, Program().Instrument, ch, typed);
//   if (e.Refused) abandon the edit (old text stays), show e.Reason; else ApplyCalConcentration(...)
//   link.SpanCal(BuildSpanRequest(cal, sel.Selected));
//   CalibResult r = SetCalibResult(ok, statuses, false, cal, sel, readings);
#include <array>
#include <optional>
#include <string>

#include "instrument/GridCells.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

using ChannelFlags = std::array<bool, 6>;

// A channel can take part in a calibration when it is enabled and has a calibration gas
// concentration of 0 or more.
bool CanTakePart(const clsInstrument& cal, Integer channel);

// The range a channel's calibration gas concentration is counted in.
GasRange CalibrationRange(const clsInstrument& cal, Integer channel);

// Which channels are available (fixed at opening) and which are selected.
struct CalibrationSelection {
    ChannelFlags Available{};
    ChannelFlags Selected{};
};

// At opening every channel that can take part is available and selected.
CalibrationSelection OpenCalibrationSelection(const clsInstrument& cal);

// vfgCal's columns: 0 gas, 1 select (check box), 2 concentration, 3 current reading. Columns 1
// and 2 take input only on available channels, 0 and 3 never.
enum class CalColumn : int { Gas = 0, Select = 1, Concentration = 2, Reading = 3 };
bool IsCalCellEditable(const CalibrationSelection& selection, Integer channel, CalColumn column);

// Ticking or clearing a channel's box. Only an available channel that now has a concentration
// can be selected; for any other the box stays cleared. Returns the channel's selected state.
bool SetCalSelected(CalibrationSelection& selection, const clsInstrument& cal, Integer channel, bool ticked);

// An edit of the concentration column. An empty text, or one holding "--" (the "-----" of no
// value), sets the concentration to -101 and unselects the channel. A number from 0 to the
// range's full scale that reaches the warning level (IsAtWarningLevel on `levels`, the program's
// record, whose warning levels the instrument alarms on) is rounded to the range's step. Anything
// else is refused: the edit is abandoned and the cell keeps its old text.
struct CalConcentrationEdit {
    bool Refused = false;
    std::string Reason;     // refused: why and what the cell accepts (active language)
    Single Value = -101;    // the concentration to store
    bool Unselect = false;  // the channel leaves the selection (no concentration)
    std::string Text;       // the text the cell shows afterwards
};
CalConcentrationEdit EditCalConcentration(const clsInstrument& cal, const clsInstrument& levels, Integer channel,
                                          const std::string& typed);
// Stores an accepted edit in the calibration record (AutoCalib) and the selection.
void ApplyCalConcentration(clsInstrument& cal, CalibrationSelection& selection, Integer channel,
                           const CalConcentrationEdit& edit);
// What the concentration cell accepts, for its tooltip.
std::string CalConcentrationAcceptText(const clsInstrument& cal, const clsInstrument& levels, Integer channel);

// The concentration cell's text: GasValueText in the range's decimals ("-----" for -101).
std::string CalConcentrationText(const clsInstrument& cal, Integer channel);

// A live reading as column 3 shows it: "-----" for a channel that is not available, otherwise
// GasValueText with the channel's decimals (the second range's when `lowRange`).
std::string CalReadingText(const clsInstrument& cal, const CalibrationSelection& selection, Integer channel,
                           Single reading, bool lowRange = false);

// The span request (GasFlag): "1" or "0" per channel (channel 0 first); per channel a comma and
// the concentration as a five-character number field in its range's decimals, "*****" for a
// channel not selected; then ",L" or ",H" for channels 4 and 5 by their AutoCalIsLo mark.
std::string BuildSpanRequest(const clsInstrument& cal, const ChannelFlags& selected);

// The readings the calibration window keeps from the gas poll (Densty).
struct CalReadings {
    std::array<Single, 6> Values{-101, -101, -101, -101, -101, -101};
    bool LowRange5 = false;  // channel 4 reads in its second range
    bool LowRange6 = false;  // channel 5 reads in its second range
};

// The result of a zero or span run (SetCalibResult): the flag and, per channel that took part
// (selected, or available for a zero run), "NAME  Adjustment Complete." or "NAME(reading)
// Failed", each ending with CR LF. The window shows Text (title 5355, information icon) only when
// Ok.
struct CalibResult {
    bool Ok = false;
    std::string Text;
};
CalibResult SetCalibResult(bool ok, const ChannelFlags& statuses, bool isZero, const clsInstrument& cal,
                           const CalibrationSelection& selection, const CalReadings& readings);

// TE N2 Cal. Refused with message 5383 (title 5232) when channel 4 is not available, and with the
// no-reading text (stop icon, title 5232) until a fresh numeric oxygen reading (channel 1) has
// arrived since the window opened. Otherwise ZcalText is the oxygen reading for zCal:
// GasValueText with GasPoint(1), right-aligned in five characters.
struct TeN2Plan {
    enum class Action { Disabled, NoReading, Run };
    Action Next = Action::Disabled;
    std::string RefusalText;  // Disabled / NoReading: the message box text
    std::string ZcalText;     // Run: the argument of zCal
};
inline constexpr int TeN2Title = 5232;
TeN2Plan PlanTeN2(const clsInstrument& cal, const CalibrationSelection& selection,
                  std::optional<Single> freshOxygenReading);
// The box after zCal: "NAME  Adjustment Complete." or "NAME(reading) Failed", with CR LF.
std::string TeN2ResultText(const clsInstrument& cal, bool ok, Single oxygenReading);

}  // namespace tz
