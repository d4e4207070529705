#include "instrument/ParameterEdit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/Errors.h"
#include "text/NumberFormat.h"
#include "text/SharedHelpers.h"
#include "text/TextCompare.h"

namespace tz {
namespace {

constexpr int kBackspace = 8;

// More digits than any row's value can have; keeps the parsers clear of overflow.
constexpr std::size_t kMostDigits = 9;

long long PowerOfTen(Integer decimals) { return decimals > 0 ? 10 : 1; }

// A bound of the editor in the row's smallest steps (tenths for a one-decimal row).
long long Scaled(double bound, Integer decimals) {
    return std::llround(bound * static_cast<double>(PowerOfTen(decimals)));
}

std::size_t DigitCount(long long value) { return std::to_string(value).size(); }

bool FitsInteger(long long value) {
    return value >= std::numeric_limits<Integer>::min() &&
           value <= std::numeric_limits<Integer>::max();
}

// Digits only, at least one: their value.
std::optional<long long> DigitsValue(const std::string& digits) {
    if (digits.empty() || digits.size() > kMostDigits || !IsDigitsOnly(digits)) return std::nullopt;
    return std::stoll(digits);
}

// A whole number as a cell shows a record value: optional spaces and minus sign, digits.
std::optional<long long> WholeNumberValue(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    if (!trimmed.empty() && trimmed[0] == '-') {
        const auto magnitude = DigitsValue(trimmed.substr(1));
        if (!magnitude) return std::nullopt;
        return -*magnitude;
    }
    return DigitsValue(trimmed);
}

// The typed number in the row's smallest steps: digits, and for a one-decimal row an optional
// point with at most one digit after it ("19.5" is 195, "19." and "19" are 190, ".5" is 5).
std::optional<long long> TypedNumberValue(const std::string& text, Integer decimals) {
    if (decimals == 0) return DigitsValue(text);
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (fraction.size() > static_cast<std::size_t>(decimals) || !IsDigitsOnly(fraction))
        return std::nullopt;
    const auto wholeValue = whole.empty() ? std::optional<long long>(0) : DigitsValue(whole);
    if (!wholeValue) return std::nullopt;
    return *wholeValue * PowerOfTen(decimals) + (fraction.empty() ? 0 : fraction[0] - '0');
}

bool IsPrintable(char c) { return c >= ' ' && c <= '~'; }

bool IsKeyTextCharacter(char c) { return IsPrintable(c) && CheckKeyCode(c); }

// While typing: a one-decimal row takes digits, one point and one digit after it.
bool NumberTypingAccepts(const RowEditor& editor, const std::string& text) {
    const std::size_t mostWholeDigits = DigitCount(static_cast<long long>(std::floor(editor.Max)));
    const auto point = editor.Decimals > 0 ? text.find('.') : std::string::npos;
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    return IsDigitsOnly(whole) && whole.size() <= mostWholeDigits && IsDigitsOnly(fraction) &&
           fraction.size() <= static_cast<std::size_t>(editor.Decimals);
}

bool FormatAccepts(const RowEditor& editor, const std::string& text) {
    const auto length = static_cast<std::size_t>(editor.Length);
    switch (editor.Kind) {
    case EditorKind::Choice: return true;
    case EditorKind::Number: return NumberTypingAccepts(editor, text);
    case EditorKind::Digits:
    case EditorKind::SensorDate: return text.size() <= length && IsDigitsOnly(text);
    case EditorKind::KeyText:
        return text.size() <= length && std::all_of(text.begin(), text.end(), IsKeyTextCharacter);
    case EditorKind::Text: return std::all_of(text.begin(), text.end(), IsPrintable);
    }
    return false;
}

// The value in the row `neighbour` of the grid (a man-down time), or nullopt.
std::optional<long long> NeighbourValue(const std::vector<std::string>& gridTexts,
                                        Integer neighbour) {
    return WholeNumberValue(gridTexts.at(static_cast<std::size_t>(neighbour)));
}

bool NumberInRange(const RowEditor& editor, const std::string& text,
                   const std::vector<std::string>& gridTexts) {
    const auto value = TypedNumberValue(text, editor.Decimals);
    if (!value || *value < Scaled(editor.Min, editor.Decimals) ||
        *value > Scaled(editor.Max, editor.Decimals))
        return false;
    const long long scale = PowerOfTen(editor.Decimals);
    if (editor.LowerRow >= 0) {
        const auto lower = NeighbourValue(gridTexts, editor.LowerRow);
        if (!lower || *value < *lower * scale) return false;
    }
    if (editor.UpperRow >= 0) {
        const auto upper = NeighbourValue(gridTexts, editor.UpperRow);
        if (!upper || *value > *upper * scale) return false;
    }
    return true;
}

// A Single with the row's decimals where that text reads back as the very same value; the
// general form (up to seven significant digits) otherwise, so no shown digit is invented.
std::string SingleText(Single value, Integer decimals) {
    const std::string fixed = FormatFixed(value, decimals);
    try {
        if (IsNumericText(fixed) && TextToSingle(fixed) == value) return fixed;
    } catch (const OverflowError&) {
    }
    return FormatGeneral(value);
}

std::string ValueText(const RowValue& value, Integer decimals) {
    if (const auto* integer = std::get_if<Integer>(&value)) return std::to_string(*integer);
    if (const auto* single = std::get_if<Single>(&value)) return SingleText(*single, decimals);
    return std::get<std::string>(value);
}

std::string ChoiceDisplayText(const RowEditor& editor, const RowValue& value) {
    if (const auto* integer = std::get_if<Integer>(&value))
        return ChoiceText(editor.Choices, *integer).value_or(std::to_string(*integer));
    if (const auto* text = std::get_if<std::string>(&value)) {
        // A text property behind a list (the destination) holds the entry's number as text.
        const auto number = WholeNumberValue(*text);
        if (number && FitsInteger(*number))
            if (auto entry = ChoiceText(editor.Choices, static_cast<Integer>(*number))) return *entry;
        return *text;
    }
    return ValueText(value, 0);
}

std::optional<RowValue> DecodeChoice(const ParameterRow& row, const std::string& text) {
    const ValueKind kind = row.Property.Kind;
    if (const auto value = ChoiceValue(row.Editor.Choices, text)) {
        if (kind == ValueKind::Text) return RowValue(std::to_string(*value));
        return RowValue(*value);
    }
    // Not an entry: the shown form of a value that no entry stands for.
    if (kind == ValueKind::Text) return RowValue(text);
    const auto number = WholeNumberValue(text);
    if (kind == ValueKind::Integer && number && FitsInteger(*number))
        return RowValue(static_cast<Integer>(*number));
    return std::nullopt;
}

std::optional<RowValue> DecodeNumber(const ParameterRow& row, const std::string& text) {
    const auto value = TypedNumberValue(text, row.Editor.Decimals);
    if (!value) return std::nullopt;
    switch (row.Property.Kind) {
    case ValueKind::Integer:
        if (row.Editor.Decimals != 0 || !FitsInteger(*value)) return std::nullopt;
        return RowValue(static_cast<Integer>(*value));
    case ValueKind::Single:
        // Both operands are exact, so the quotient is the Single nearest to the typed number,
        // the same value the instrument's "19.5" decodes to.
        return RowValue(static_cast<Single>(*value) /
                        static_cast<Single>(PowerOfTen(row.Editor.Decimals)));
    case ValueKind::Text: return RowValue(text);
    }
    return std::nullopt;
}

}  // namespace

std::string RowDisplayText(const clsInstrument& record, const ParameterRow& row) {
    const RowValue value = row.Property.Read(record);
    if (row.Editor.Kind == EditorKind::Choice) return ChoiceDisplayText(row.Editor, value);
    return ValueText(value, row.Editor.Decimals);
}

ParameterCells ParameterGridTexts(const clsInstrument& record) {
    ParameterCells cells;
    for (const ParamGrid grid : ParamGrids)
        for (const ParameterRow& row : ParameterRows(grid))
            cells[static_cast<std::size_t>(grid)].push_back(RowDisplayText(record, row));
    return cells;
}

ParameterEdits NoParameterEdits() {
    ParameterEdits edits;
    for (const ParamGrid grid : ParamGrids)
        edits[static_cast<std::size_t>(grid)].assign(ParameterRows(grid).size(), false);
    return edits;
}

std::optional<RowValue> DecodeRowText(const ParameterRow& row, const std::string& text) {
    switch (row.Editor.Kind) {
    case EditorKind::Choice: return DecodeChoice(row, text);
    case EditorKind::Number: return DecodeNumber(row, text);
    case EditorKind::Digits:
    case EditorKind::SensorDate:
    case EditorKind::KeyText:
    case EditorKind::Text: return RowValue(text);
    }
    return std::nullopt;
}

bool RowTextCheck(ParamGrid grid, Integer row, const std::string& text) {
    return FormatAccepts(ParameterRowAt(grid, row).Editor, text);
}

int FilterTypedKey(ParamGrid grid, Integer row, const std::string& text,
                   std::size_t selectionStart, std::size_t selectionLength, int key) {
    const RowEditor& editor = ParameterRowAt(grid, row).Editor;
    if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
    if (key == kBackspace || key < ' ' || key == 0x7F) return key;
    // Beyond ASCII only a choice row, which checks nothing, takes a key.
    if (key > '~') return editor.Kind == EditorKind::Choice ? key : 0;
    const std::size_t start = std::min(selectionStart, text.size());
    const std::size_t replaced = std::min(selectionLength, text.size() - start);
    const std::string candidate =
        text.substr(0, start) + static_cast<char>(key) + text.substr(start + replaced);
    return FormatAccepts(editor, candidate) ? key : 0;
}

bool CheckRowEdit(ParamGrid grid, Integer row, const std::string& text,
                  const std::vector<std::string>& gridTexts) {
    const ParameterRow& entry = ParameterRowAt(grid, row);
    const RowEditor& editor = entry.Editor;
    if (TrimSpaces(text).empty() || !FormatAccepts(editor, text)) return false;
    switch (editor.Kind) {
    case EditorKind::Choice:
        return ChoiceValue(editor.Choices, text).has_value() ||
               text == gridTexts.at(static_cast<std::size_t>(row));
    case EditorKind::Number: return NumberInRange(editor, text, gridTexts);
    case EditorKind::Digits: return text.size() == static_cast<std::size_t>(editor.Length);
    case EditorKind::SensorDate:
        return text.size() == static_cast<std::size_t>(editor.Length) && IsValidYyMmDd(text);
    case EditorKind::KeyText:
    case EditorKind::Text: return true;
    }
    return false;
}

void NoteAcceptedEdit(clsInstrument& record, ParamGrid grid, Integer row) {
    const ParameterRow& entry = ParameterRowAt(grid, row);
    if (entry.MarksChangedAtOnce && entry.Property.MarkChanged) entry.Property.MarkChanged(record);
}

bool RowShowsChange(const clsInstrument& opened, ParamGrid grid, Integer row,
                    const std::string& cellText) {
    const ParameterRow& entry = ParameterRowAt(grid, row);
    if (const auto value = DecodeRowText(entry, cellText))
        return *value != entry.Property.Read(opened);
    return cellText != RowDisplayText(opened, entry);
}

Integer ChangedRowCount(const clsInstrument& opened, ParamGrid grid,
                        const std::vector<std::string>& gridTexts) {
    Integer count = 0;
    const Integer rows = std::min<Integer>(ParamGridRowCount(grid),
                                           static_cast<Integer>(gridTexts.size()));
    for (Integer row = 0; row < rows; ++row)
        if (RowShowsChange(opened, grid, row, gridTexts[static_cast<std::size_t>(row)])) ++count;
    return count;
}

}  // namespace tz
