#include "instrument/ParameterReadBack.h"

#include <algorithm>
#include <stdexcept>

namespace tz {
namespace {

void RequireGridShape(const ParameterCells& cells, const ParameterEdits& edited) {
    for (const ParamGrid grid : ParamGrids) {
        const auto g = static_cast<std::size_t>(grid);
        const auto rows = ParameterRows(grid).size();
        if (cells[g].size() != rows || edited[g].size() != rows)
            throw std::invalid_argument("parameter grid " + std::to_string(g) + " needs " +
                                        std::to_string(rows) + " rows");
    }
}

// The row's check as its edit ended: its own cell still showing what it showed for the record.
bool EditStillAccepted(const clsInstrument& record, const ParameterRow& row,
                       const std::vector<std::string>& gridTexts) {
    std::vector<std::string> before = gridTexts;
    const auto r = static_cast<std::size_t>(row.Row);
    before[r] = RowDisplayText(record, row);
    return CheckRowEdit(row.Grid, row.Row, gridTexts[r], before) &&
           DecodeRowText(row, gridTexts[r]).has_value();
}

template <typename Get, typename Set>
Integer StoreList(const std::vector<std::string>& names, Get get, Set set) {
    Integer assigned = 0;
    const auto count = std::min<std::size_t>(names.size(), clsInstrument::ListEntries);
    for (std::size_t i = 0; i < count; ++i) {
        const auto index = static_cast<Integer>(i);
        if (get(index) == names[i]) continue;
        set(index, names[i]);
        ++assigned;
    }
    return assigned;
}

}  // namespace

ParameterReadBack ReadBackParameterRows(clsInstrument& record, const ParameterCells& cells,
                                        const ParameterEdits& edited) {
    RequireGridShape(cells, edited);
    ParameterReadBack result;
    for (const ParamGrid grid : ParamGrids) {
        const auto g = static_cast<std::size_t>(grid);
        for (const ParameterRow& row : ParameterRows(grid))
            if (edited[g][static_cast<std::size_t>(row.Row)] &&
                !EditStillAccepted(record, row, cells[g]))
                result.Refused.push_back({grid, row.Row});
    }
    if (!result.Refused.empty()) return result;

    for (const ParamGrid grid : ParamGrids) {
        const auto g = static_cast<std::size_t>(grid);
        for (const ParameterRow& row : ParameterRows(grid)) {
            const auto r = static_cast<std::size_t>(row.Row);
            if (!edited[g][r]) continue;
            const RowValue value = *DecodeRowText(row, cells[g][r]);
            if (value == row.Property.Read(record)) continue;
            row.Property.Assign(record, value);
            ++result.Assigned;
        }
    }
    return result;
}

Integer StoreStationList(clsInstrument& record, const std::vector<std::string>& names) {
    return StoreList(
        names, [&](Integer i) { return record.StationList(i); },
        [&](Integer i, const std::string& name) { record.StationList(i, name); });
}

Integer StoreUserList(clsInstrument& record, const std::vector<std::string>& names) {
    return StoreList(
        names, [&](Integer i) { return record.UserList(i); },
        [&](Integer i, const std::string& name) { record.UserList(i, name); });
}

}  // namespace tz
