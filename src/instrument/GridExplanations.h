#pragma once
// What each settings-grid cell accepts and why a cell is red, as texts in the active language
// (the catalogue's 30300 block), for tooltips and refusal messages. The red state itself is
// decided here too, so that the colour and its explanation never disagree.
//
// A cell is red when any of these holds:
//  - warning or alarm (columns 2, 3): the two are out of the order the channel's alarm direction
//    requires (CheckLevelOrder);
//  - warning, alarm, STEL, TWA (columns 2 to 5): CheckLevel refuses the value now in the record;
//  - auto-calibration (column 6): the concentration does not reach the warning level
//    (IsAtWarningLevel, channels 0 to 3).
// The rate column turns red when the instrument refused the channel's calibration factor; only
// the window knows that, and shows RefusedFactorText.
#include <string>
#include <vector>

#include "instrument/GridCells.h"
#include "instrument/GridEditRules.h"
#include "instrument/clsInstrument.h"

namespace tz {

// What a channel-row cell accepts ("Alarm: 0 to 60 %LEL (60 % of the full scale)", "Position 1
// to 6"), or for a read-only cell why it takes no input.
std::string CellAcceptText(const clsInstrument& record, Integer channel, GridColumn column, bool channelFixed);
// What a unit-row cell offers ("Unit of this level: ppb or ppm"); empty for a cell without input.
std::string UnitCellAcceptText(const clsInstrument& record, Integer channel, GridColumn column);

enum class RedReason {
    LevelOrder,         // warning and alarm in the wrong order
    OutsideLimits,      // CheckLevel refuses the stored value
    BelowWarningLevel,  // the auto-calibration concentration does not reach the warning level
};

// Every reason why the cell is red, in the order above; empty when it is not red.
std::vector<RedReason> CellRedReasons(const clsInstrument& record, Integer channel, GridColumn column);
bool IsCellRed(const clsInstrument& record, Integer channel, GridColumn column);
// The reasons as text, one line each; empty when the cell is not red.
std::string CellRedText(const clsInstrument& record, Integer channel, GridColumn column);

// The tooltip of a channel-row cell: what it accepts, then the lines of CellRedText.
std::string CellToolTip(const clsInstrument& record, Integer channel, GridColumn column, bool channelFixed);

// The rate cell's red reason after the instrument refused the channel's calibration factor.
std::string RefusedFactorText();

// ---- pieces shared with the calibration window ----

// A value with its unit in a range ("60 %LEL"); "-----" for -1 and -101.
std::string ValueWithUnit(Single value, const GasRange& range);
// "~name: 0 to the full scale (100 %LEL)"; the no-full-scale text when the range has none.
std::string FullScaleAcceptText(const std::string& name, const GasRange& range);
// Channels 0 to 3: "It must reach the warning level (10 %LEL or more)" ("or less" for oxygen),
// with the level IsAtWarningLevel uses in `levels`; empty for other channels.
std::string WarningLevelRuleText(const clsInstrument& levels, Integer channel);
// "The concentration does not reach the warning level (10 %LEL or more)".
std::string BelowWarningLevelText(const clsInstrument& levels, Integer channel);
// A refusal: why (`value` is the typed or rounded text it names), then what the cell accepts.
std::string RefusalText(EditRefusal refusal, const std::string& value, const std::string& acceptText);

}  // namespace tz
