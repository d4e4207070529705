#pragma once
// The edit rules of the settings grid (vfgOption): what a typed text becomes, whether it is
// refused and why, and what is stored. The window calls EditGridCell with the text the user typed
// and, when it is accepted, ApplyGridEdit; nothing here touches the record before that.
//
//   GridEdit edit = EditGridCell(record, channel, GridColumn::Alarm, "61");
//   if (edit.Refused()) { keep the editor open, show edit.Reason; }
//   else if (edit.Accepted()) { ApplyGridEdit(record, channel, column, edit); cell = edit.Text; }
//   // Unchanged (an empty text): the cell keeps its old text.
//
// Levels (columns 2 to 5): the range is the level's present one on a dual-range channel, else it
// follows from the value (not above GasFullScale_l: the second range); the value is rounded to the
// range's step and checked with CheckLevel against the record as it will be, low-range mark
// included. Auto-calibration (column 6): 0 to the range's full scale, then rounded. Position
// (column 7): 1 to 6, the other channels closing up. Rate (column 8): 1.00 to 1.99, kept by the
// grid only. Negative values are refused everywhere, and so is a value whose rounding overflows.
#include <array>
#include <optional>
#include <string>

#include "instrument/GridCells.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// Why an edit was refused.
enum class EditRefusal {
    None,
    ReadOnly,        // the cell takes no typed text
    NotANumber,
    Negative,
    TooFine,         // the value does not fit the range's resolution (the rounding overflows)
    OutsideLimits,   // CheckLevel refuses it, or it is beyond the full scale, 1 to 6, 1.00 to 1.99
    NotWholeNumber,  // a position with decimals
    UnknownUnit,     // a unit row's text that is neither of the two units
};

struct GridEdit {
    enum class Outcome { Unchanged, Accepted, Refused };
    Outcome Result = Outcome::Unchanged;
    EditRefusal Refusal = EditRefusal::None;
    // Refused: why, followed by what the cell accepts, in the active language.
    std::string Reason;
    // Accepted level or auto-calibration: the value to store and its low-range mark. Rate: the
    // rate rounded to two decimals.
    Single Value = 0;
    bool IsLo = false;
    // Accepted position: the new number of every channel, 0 for a channel without position.
    std::array<Integer, 6> Positions{};
    // Accepted: the text the edited cell shows now.
    std::string Text;

    bool Accepted() const { return Result == Outcome::Accepted; }
    bool Refused() const { return Result == Outcome::Refused; }
};

// Checks the text typed into a channel-row cell (channel 0 to 5). An empty text (after trimming
// spaces) is Unchanged. Never throws.
GridEdit EditGridCell(const clsInstrument& record, Integer channel, GridColumn column, const std::string& typed);

// Stores an accepted edit: the level or auto-calibration value through its property (which sets
// its change flag) with its low-range mark; every channel's PortCh for a position (which sets
// Change_PortCh). A rate, an unchanged or a refused edit stores nothing.
void ApplyGridEdit(clsInstrument& record, Integer channel, GridColumn column, const GridEdit& edit);

// A unit row's choice for level column 2 to 6 of channel 4 or 5: IsLo is whether the chosen unit
// is GasUnit_l, Text the level shown again in the chosen range. Refused for a text that is
// neither unit and for a cell that takes no input (IsUnitCellReadOnly).
GridEdit EditUnitCell(const clsInstrument& record, Integer channel, GridColumn column, const std::string& chosen);
// Stores the low-range mark of an accepted unit choice; the value stays as it is.
void ApplyUnitEdit(clsInstrument& record, Integer channel, GridColumn column, const GridEdit& edit);

// The position renumbering over the six shown numbers (0 = no position). The channel moves to
// `newNumber` (1 to 6) and the channels between close up, so that numbers stay unique: moving
// down from o to n raises those showing n to o-1 by one, moving up lowers those showing o+1 to n.
// A channel without position counts as holding the smallest of 1 to 6 no other channel shows.
// Numbers outside 1 to 6 come back as 0. None when `newNumber` or `channel` is out of range.
std::optional<std::array<Integer, 6>> RenumberPositions(const std::array<Integer, 6>& shown, Integer channel,
                                                        Integer newNumber);

// The rate check shared by the grid and the calibration factor update: a number that, rounded
// to two decimals, lies from 1.00 to below 2.00. None for an empty or any other text.
std::optional<Single> ValidRate(const std::string& text);
// A rate as the cell shows it: two decimals ("1.25").
std::string RateText(Single rate);

}  // namespace tz
