#include "instrument/ParameterHelp.h"

#include "text/Catalogue.h"
#include "text/NumberFormat.h"
#include "text/TextCompare.h"

namespace tz {
namespace {

enum Message {
    kChooseOneOf = 30701,
    kEntrySeparator = 30702,
    kWholeNumberRange = 30703,
    kWholeNumberUpToRow = 30704,
    kWholeNumberBetweenRows = 30705,
    kWholeNumberFromRow = 30706,
    kOneDecimalRange = 30707,
    kExactDigits = 30708,
    kSensorDate = 30709,
    kKeyText = 30710,
    kAnyText = 30711,
    kFilterLabel = 30720,
    kFilterToolTip = 30721,
    kTabWithChanges = 30722,
    kNoRowMatches = 30723,
    kOpenedValue = 30724,
};

std::string Bound(double value, Integer decimals) {
    return FormatFixed(static_cast<Single>(value), decimals);
}

std::string NeighbourLabel(ParamGrid grid, Integer row) {
    return RowLabel(ParameterRowAt(grid, row));
}

std::string ChoiceToolTip(ChoiceListId list) {
    std::string entries;
    for (const std::string& entry : ChoiceEntries(list)) {
        if (!entries.empty()) entries += LoadMessage(kEntrySeparator);
        entries += entry;
    }
    return LoadMessage(kChooseOneOf, {entries});
}

std::string NumberToolTip(ParamGrid grid, const RowEditor& editor) {
    const std::string min = Bound(editor.Min, editor.Decimals);
    const std::string max = Bound(editor.Max, editor.Decimals);
    const bool lower = editor.LowerRow >= 0, upper = editor.UpperRow >= 0;
    if (lower && upper)
        return LoadMessage(kWholeNumberBetweenRows, {NeighbourLabel(grid, editor.LowerRow),
                                                     NeighbourLabel(grid, editor.UpperRow)});
    if (lower) return LoadMessage(kWholeNumberFromRow, {NeighbourLabel(grid, editor.LowerRow), max});
    if (upper) return LoadMessage(kWholeNumberUpToRow, {min, NeighbourLabel(grid, editor.UpperRow)});
    return LoadMessage(editor.Decimals > 0 ? kOneDecimalRange : kWholeNumberRange, {min, max});
}

}  // namespace

std::string RowToolTip(ParamGrid grid, Integer row) {
    const RowEditor& editor = ParameterRowAt(grid, row).Editor;
    switch (editor.Kind) {
    case EditorKind::Choice: return ChoiceToolTip(editor.Choices);
    case EditorKind::Number: return NumberToolTip(grid, editor);
    case EditorKind::Digits: return LoadMessage(kExactDigits, {std::to_string(editor.Length)});
    case EditorKind::SensorDate: return LoadMessage(kSensorDate);
    case EditorKind::KeyText: return LoadMessage(kKeyText, {std::to_string(editor.Length)});
    case EditorKind::Text: return LoadMessage(kAnyText);
    }
    return {};
}

std::string OpenedValueNote(const std::string& openedText) {
    return LoadMessage(kOpenedValue, {openedText});
}

std::vector<RowRef> RowsMatchingFilter(const std::string& filter) {
    std::vector<RowRef> rows;
    for (const ParamGrid grid : ParamGrids)
        for (const ParameterRow& row : ParameterRows(grid))
            if (HoldsTextIgnoringCase(RowLabel(row), filter)) rows.push_back({grid, row.Row});
    return rows;
}

std::string FilterBoxLabel() { return LoadMessage(kFilterLabel); }

std::string FilterBoxToolTip() { return LoadMessage(kFilterToolTip); }

std::string NoRowMatchesText(const std::string& filter) {
    return LoadMessage(kNoRowMatches, {filter});
}

std::string TabCaptionWithChanges(const std::string& caption, Integer changedRows) {
    if (changedRows <= 0) return caption;
    return LoadMessage(kTabWithChanges, {caption, std::to_string(changedRows)});
}

}  // namespace tz
