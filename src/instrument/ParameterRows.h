#pragma once
// The row tables of the parameter dialog's three setting grids, as data: for every row its label,
// the record property it shows and edits, its editor, and whether an accepted edit marks the
// setting changed at once.
//
//   grid 0 "Parameter"          rows 0 to 50
//   grid 1 " FACTORY SETTINGS"  rows 0 to 14
//   grid 2 "Maintenance"        rows 0 to 5
//
// A window fills column 0 with RowLabel, column 1 with RowDisplayText (ParameterEdit.h) and the
// hidden column 2 with RowChoiceList, and hands every edit to the rules of ParameterEdit.h. The
// row number is the key of every rule, always together with its grid.
#include <span>
#include <string>
#include <variant>

#include "instrument/ParameterChoices.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

enum class ParamGrid : Integer { Parameter = 0, Factory = 1, Maintenance = 2 };

inline constexpr ParamGrid ParamGrids[] = {ParamGrid::Parameter, ParamGrid::Factory,
                                           ParamGrid::Maintenance};
inline constexpr Integer ParamGridCount = 3;

// 51, 15 and 6.
Integer ParamGridRowCount(ParamGrid grid);

// One row of one grid.
struct RowRef {
    ParamGrid Grid = ParamGrid::Parameter;
    Integer Row = 0;
    bool operator==(const RowRef&) const = default;
};

// A record value as the row's property carries it: Integer, Single or text.
enum class ValueKind { Integer, Single, Text };
using RowValue = std::variant<Integer, Single, std::string>;

// How a row reaches its record property. Assign goes through the property, so it sets the
// property's change flag; it must be given the alternative that Kind names.
struct RowProperty {
    const char* Name;  // "CalLimit", "Zero(2)", "SensorDate(5)"
    ValueKind Kind;
    RowValue (*Read)(const clsInstrument&);
    void (*Assign)(clsInstrument&, const RowValue&);
    // The property's change flag; both nullptr for PIDdata, which has none.
    bool (*Changed)(const clsInstrument&);
    void (*MarkChanged)(clsInstrument&);
};

enum class EditorKind {
    Choice,      // a drop-down of `Choices`; no typing check
    Number,      // digits, with one decimal point where Decimals is 1; Min to Max, and the
                 // neighbouring rows' values where LowerRow / UpperRow name them
    Digits,      // a text of exactly Length digits (the passwords; "0123" stays "0123")
    SensorDate,  // a text of six digits YYMMDD that is a real date ("000101" stays "000101")
    KeyText,     // a text of at most Length characters that CheckKeyCode accepts (spec number)
    Text,        // any non-empty text of printable characters (space to "~")
};

struct RowEditor {
    EditorKind Kind;
    ChoiceListId Choices = ChoiceListId::OffOn;  // Choice only
    double Min = 0, Max = 0;                     // Number only, inclusive
    Integer Decimals = 0;                        // Number only: 0 or 1
    Integer Length = 0;     // Digits, SensorDate: exact length; KeyText: most characters
    Integer LowerRow = -1;  // Number: not below the value in this row of the same grid
    Integer UpperRow = -1;  // Number: not above the value in this row of the same grid
};

struct ParameterRow {
    ParamGrid Grid;
    Integer Row;
    int LabelMessage;           // the label's catalogue message; 0 for a literal label
    const char* LabelText;      // the literal label where LabelMessage is 0, else nullptr
    const char* LabelArgument;  // the "~1" of the message ("Gas3", "4"), or nullptr
    RowProperty Property;
    RowEditor Editor;
    // An accepted edit marks the setting changed in the dialog's record right away, even when the
    // value stays the same (NoteAcceptedEdit in ParameterEdit.h).
    bool MarksChangedAtOnce;
};

// The rows of a grid, indexed by row number.
std::span<const ParameterRow> ParameterRows(ParamGrid grid);

// One row; std::out_of_range for a row the grid does not have.
const ParameterRow& ParameterRowAt(ParamGrid grid, Integer row);

// Column 0: the label in the active language, "~1" filled in.
std::string RowLabel(const ParameterRow& row);

// Column 2: the entries joined with "|" for a choice row, empty text for a free-text row.
std::string RowChoiceList(const ParameterRow& row);

}  // namespace tz
