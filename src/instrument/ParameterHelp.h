#pragma once
// Texts that help the user of the parameter dialog find and fill a setting: each row's tooltip
// (what the row accepts), the filter box above the grids, and the count of changed rows on a tab.
// All in the active language, from the message catalogue.
#include <string>
#include <vector>

#include "instrument/ParameterRows.h"

namespace tz {

// What the row accepts: "Choose one of: Off, On", "A whole number from 1 to 365", "A number from
// 0.0 to 20.9, at most one digit after the point", the man-down chain with its neighbours'
// labels, the digits of a password or sensor date, the characters of the spec number.
// std::out_of_range for a row the grid does not have.
std::string RowToolTip(ParamGrid grid, Integer row);

// Added to the tooltip of a row shown in bold: the text the row showed when the dialog opened.
std::string OpenedValueNote(const std::string& openedText);

// The rows of all three grids, in grid and row order, whose label holds `filter` ("a" to "z"
// matching "A" to "Z"); every row for an empty filter.
std::vector<RowRef> RowsMatchingFilter(const std::string& filter);

// The filter box's label, its tooltip, and the line shown when no row matches.
std::string FilterBoxLabel();
std::string FilterBoxToolTip();
std::string NoRowMatchesText(const std::string& filter);

// A tab's caption with its count of changed rows, "Parameter (3 changed)"; the caption alone
// when no row changed.
std::string TabCaptionWithChanges(const std::string& caption, Integer changedRows);

}  // namespace tz
