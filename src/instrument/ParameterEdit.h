#pragma once
// The edit rules of the parameter dialog's setting grids, keyed by grid and row (ParameterRows.h):
// what a cell shows for the record, what a typed key may do, whether an ended edit is accepted,
// what value a cell text stands for, and whether a row differs from the record it was filled
// from. A window only forwards its grid events here.
//
//   filling     RowDisplayText / ParameterGridTexts
//   typing      FilterTypedKey (0: drop the key and beep), built on RowTextCheck
//   edit ends   CheckRowEdit (false: keep the editor open), then NoteAcceptedEdit
//   bold rows   RowShowsChange / ChangedRowCount against the record the dialog opened with
//   OK          ReadBackParameterRows (ParameterReadBack.h)
//
// Value codecs, by editor: choice rows store the value of the chosen entry; whole-number rows an
// Integer; one-decimal rows (the inert-gas levels) a Single of that one decimal, so "19.5" stores
// 19.5; every other free-text row (passwords, sensor dates, spec number, PID data) stores its
// text exactly as typed, so "0123" and "000101" keep their leading zeros.
//
// A record value that no list entry stands for (2 in an "Off|On" row, a bump time of 2) is shown
// as its number, and that shown text reads back as the same value, so an untouched row never
// changes the record.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "instrument/ParameterRows.h"
#include "instrument/clsInstrument.h"

namespace tz {

// The value texts (column 1) of the three grids, indexed [grid][row].
using ParameterCells = std::array<std::vector<std::string>, ParamGridCount>;
// Which rows the user edited (an accepted end of edit), indexed [grid][row].
using ParameterEdits = std::array<std::vector<bool>, ParamGridCount>;

// Column 1 of a row for the record: the entry that stands for the value, the value's number
// where no entry does, or the text.
std::string RowDisplayText(const clsInstrument& record, const ParameterRow& row);

// Column 1 of every row of the three grids.
ParameterCells ParameterGridTexts(const clsInstrument& record);

// All rows marked as not edited, sized like the grids.
ParameterEdits NoParameterEdits();

// The value a cell text stands for, in the row property's kind; nullopt for a text that names
// none (a word no entry matches, a number that is not a number). Conversion only: the row's
// limits are CheckRowEdit's business.
std::optional<RowValue> DecodeRowText(const ParameterRow& row, const std::string& text);

// The format check of a text while it is typed (and again when the edit ends):
//   choice rows            any text
//   whole-number rows      digits only, no more of them than the row's maximum has
//   one-decimal rows       digits with at most one point and one digit after it
//   passwords              at most 4 digits
//   sensor dates           at most 6 digits (all six rows, 7 to 12 of grid 1)
//   spec number            at most 10 characters that CheckKeyCode accepts
//   PID data               printable characters (space to "~")
// std::out_of_range for a row the grid does not have.
bool RowTextCheck(ParamGrid grid, Integer row, const std::string& text);

// The typing rule. `text` is the editor's text before the key, the key replaces `selectionLength`
// characters from `selectionStart` (the caret when nothing is selected). Returns the key to enter:
// "a" to "z" turned to "A" to "Z", backspace and other control keys unchanged; or 0 when
// RowTextCheck refuses the text the key would make (the window drops it and beeps).
int FilterTypedKey(ParamGrid grid, Integer row, const std::string& text,
                   std::size_t selectionStart, std::size_t selectionLength, int key);

// The end-of-edit check of `text` in a row. `gridTexts` are the value texts now in the row's grid,
// the row's own cell still showing the text from before this edit. Refused: an empty text (after
// trimming), a text RowTextCheck refuses, and
//   choice rows            a text that names no entry, unless it is the text shown before
//   whole-number rows      a value outside the row's range; the man-down times (rows 31 to 33
//                          of grid 0) also below row 31's / above row 33's value as the chain
//                          10 <= row 31 <= row 32 <= row 33 <= 120 requires
//   one-decimal rows       a value outside 0.0 to 20.9
//   passwords              anything but exactly 4 digits
//   sensor dates           anything but six digits YYMMDD of a real date (IsValidYyMmDd)
bool CheckRowEdit(ParamGrid grid, Integer row, const std::string& text,
                  const std::vector<std::string>& gridTexts);

// After an accepted edit: rows 1, 10, 23 to 27, 31 to 33, 35 and 36 of grid 0 mark their setting
// changed in the dialog's record at once; other rows leave the record alone.
void NoteAcceptedEdit(clsInstrument& record, ParamGrid grid, Integer row);

// True when the cell text stands for another value than `opened` holds (the record the dialog
// was filled from), so the window shows the row in bold. A text that stands for no value counts
// as a change unless it is the text the row showed.
bool RowShowsChange(const clsInstrument& opened, ParamGrid grid, Integer row,
                    const std::string& cellText);

// How many rows of a grid show a change (the count on the grid's tab).
Integer ChangedRowCount(const clsInstrument& opened, ParamGrid grid,
                        const std::vector<std::string>& gridTexts);

}  // namespace tz
