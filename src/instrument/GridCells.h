#pragma once
// The main window's settings grid (vfgOption) cell by cell, without a widget: which column holds
// what, in which range a level is expressed, the text every cell shows and which cells take no
// input. The window fills its cells from these functions; GridEditRules.h checks and stores an
// edit, GridExplanations.h says what a cell accepts and why it is red.
//
// Layout with data: rows 0 and 1 are headers, rows 2 to 7 are channels 0 to 5, rows 8 and 9 the
// unit rows of channels 4 and 5. Layout without data: 8 rows, the channel rows showing only the
// gas labels of DefaultRecord.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "instrument/LevelChecks.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// Columns of a channel row.
enum class GridColumn : int {
    Gas = 0,       // gas label, read-only
    Enable = 1,    // check box: GasEnabled
    Warning = 2,
    Alarm = 3,
    Stel = 4,
    Twa = 5,
    AutoCal = 6,   // auto-calibration concentration
    Position = 7,  // PortCh + 1
    Rate = 8,      // grid-only factor for the calibration factor update (factory mode)
};

inline constexpr int GridHeaderRows = 2;
inline constexpr int GridRowsWithData = 10;
inline constexpr int GridColumnsWithData = 9;
inline constexpr int GridRowsWithoutData = 8;
inline constexpr int GridColumnsWithoutData = 7;
inline constexpr int GridFirstUnitRow = 8;

// The channel a grid row shows: rows 2 to 7 are channels 0 to 5, the unit rows 8 and 9 belong to
// channels 4 and 5; -1 for a header row or a row beyond the grid.
Integer GridRowChannel(int row);
bool IsGridUnitRow(int row);

// Catalogue number of the column's title in row 1 (5648 "Gas" ... 5654 "Auto Cal.", 5677 "Rate";
// the position column's title is ours). The band over the level columns in row 0 is 5672.
int GridColumnTitleMessage(GridColumn column);
inline constexpr int GridBandTitleMessage = 5672;

// The grid shows the layout with data when the record holds read or loaded settings and the link
// is neither reset nor starting (its Status is not 0 or 1).
bool GridHasData(const clsInstrument& record, Integer linkStatus);

// Columns 2 to 6: the levels, each expressed in one of the channel's ranges.
bool IsLevelColumn(GridColumn column);
// The level kind of columns 2 to 5; none for the auto-calibration column and the others.
std::optional<LevelKind> LevelKindOf(GridColumn column);

// One measuring range of a channel: the main range, or the second (low) range of channels 4, 5.
struct GasRange {
    bool Second = false;
    Single FullScale = -101;
    Single Step = 0;       // resolution: GasDesit or GasDigit_l
    Integer Decimals = 0;  // GasPoint or GasPoint_l
    std::string Unit;
};

// A value on the range's resolution (RoundToStep to its step). A range without a positive step
// (no gas information) keeps the value as it is rather than turning every value into 0.
// Throws OverflowError as RoundToStep does.
Single OnRangeStep(Single value, const GasRange& range);

// A channel has a second range when its GasFullScale_l is not -101 (it may share the main unit;
// IsDualRange tells when it counts in a unit of its own).
bool HasSecondRange(const clsInstrument& record, Integer channel);
// The main range when `second` is false, the second range otherwise.
GasRange RangeOf(const clsInstrument& record, Integer channel, bool second);

// The value of a level column and its low-range mark (WarnIsLo ... AutoCalIsLo); the range it is
// expressed in.
Single LevelValue(const clsInstrument& record, Integer channel, GridColumn column);
bool LevelIsLo(const clsInstrument& record, Integer channel, GridColumn column);
GasRange LevelRange(const clsInstrument& record, Integer channel, GridColumn column);
// Stores a level and its low-range mark; the value goes through the record's property, which sets
// its change flag (the mark has none).
void SetLevel(clsInstrument& record, Integer channel, GridColumn column, Single value, bool isLo);

// STEL and TWA are shown as not used on a channel whose unit is not "ppm".
bool IsShownAsNotUsed(const clsInstrument& record, Integer channel, GridColumn column);

// Text of a level cell: the value with the decimals of its range (GasValueText), "-----" for -1
// and -101 and for STEL and TWA of a channel that is not measured in ppm.
std::string LevelCellText(const clsInstrument& record, Integer channel, GridColumn column);

// The position column: a channel's position 1 to 6 (PortCh + 1), 0 when it has none (PortCh -1,
// or any number outside 1 to 6).
Integer ShownPosition(const clsInstrument& record, Integer channel);
std::array<Integer, 6> ShownPositions(const clsInstrument& record);
// "1" ... "6", or "-----" for a channel without position.
std::string PositionText(Integer position);

// Text of a channel-row cell: the gas label (GasLabelOf with the full scale), a level, the
// position. The check box (its state is GasEnabled) and the rate (kept by the grid) have none.
std::string GridCellText(const clsInstrument& record, Integer channel, GridColumn column);

// The rate cells' text whenever the layout with data is filled.
inline const std::string InitialRateText = "1.00";

// Cells that take no input: the gas label, the STEL and TWA of channels 0 and 1. The window also
// gives them the fixed-cell colour. The check box of a fixed channel (ProgramState::GasLocked)
// stays clickable: clearing it is answered with a message and the box is ticked again.
bool IsGridCellReadOnly(Integer channel, GridColumn column);

// Unit rows (channels 4 and 5 with a second range): column 0 "NAME main/second", columns 2 to 6
// the unit the level is expressed in. Every cell is empty when the channel has no second range.
std::string UnitRowText(const clsInstrument& record, Integer channel, GridColumn column);
// The editor's choices of columns 2 to 6: GasUnit_l, then GasUnit.
std::vector<std::string> UnitChoices(const clsInstrument& record, Integer channel);
// Only columns 2 to 6 of a dual-range channel (a second range in a unit of its own) take input.
bool IsUnitCellReadOnly(const clsInstrument& record, Integer channel, GridColumn column);

}  // namespace tz
