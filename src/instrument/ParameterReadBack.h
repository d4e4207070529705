#pragma once
// What the parameter dialog's OK stores in its own record: the edited rows of the three setting
// grids and the station and user lists. Together with CopySettings (CopySettings.h) this is the
// whole of OK apart from the list check and closing the window.
#include <string>
#include <vector>

#include "instrument/ParameterEdit.h"
#include "instrument/clsInstrument.h"

namespace tz {

struct ParameterReadBack {
    // Edited rows whose text the row's end-of-edit check refuses; when any is listed, nothing
    // was stored.
    std::vector<RowRef> Refused;
    // How many properties were assigned.
    Integer Assigned = 0;
};

// Reads the rows the user edited back into `record`: each edited row's text goes through its
// codec (DecodeRowText) and the property is assigned, which flags it, only where the value differs
// from the record's. A row the user did not edit keeps the record's value whatever its text, so an
// untouched dialog changes nothing. Every edited row is first checked as at the end of its edit
// (CheckRowEdit, against the texts as they now stand); one refused row stores nothing at all.
// std::invalid_argument when `cells` or `edited` is not sized like the grids.
ParameterReadBack ReadBackParameterRows(clsInstrument& record, const ParameterCells& cells,
                                        const ParameterEdits& edited);

// Storing a list: entry i is assigned `names[i]` (which flags it) only where the texts differ,
// compared exactly, leading and trailing spaces included. At most 128 names are taken; entries
// beyond the names given are left alone. Returns how many entries were assigned.
Integer StoreStationList(clsInstrument& record, const std::vector<std::string>& names);
Integer StoreUserList(clsInstrument& record, const std::vector<std::string>& names);

}  // namespace tz
