#include "instrument/GridEditRules.h"

#include <cmath>

#include "instrument/GridExplanations.h"
#include "instrument/LevelChecks.h"
#include "instrument/modGasCommon.h"
#include "text/Errors.h"
#include "text/NumberFormat.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;

bool IsChannel(Integer channel) { return channel >= 0 && channel < kChannels; }

GridEdit Refuse(EditRefusal refusal, const std::string& value, const std::string& acceptText) {
    GridEdit edit;
    edit.Result = GridEdit::Outcome::Refused;
    edit.Refusal = refusal;
    edit.Reason = RefusalText(refusal, value, acceptText);
    return edit;
}

GridEdit Accept(Single value, bool isLo, std::string text) {
    GridEdit edit;
    edit.Result = GridEdit::Outcome::Accepted;
    edit.Value = value;
    edit.IsLo = isLo;
    edit.Text = std::move(text);
    return edit;
}

// A typed number, or the refusal of a text that is not one (or beyond the single range).
struct TypedNumber {
    std::optional<Single> value;
    EditRefusal refusal = EditRefusal::None;
};

TypedNumber ReadNumber(const std::string& text) {
    if (!IsNumericText(text)) return {std::nullopt, EditRefusal::NotANumber};
    try {
        const Single value = TextToSingle(text);
        if (value < 0) return {std::nullopt, EditRefusal::Negative};
        return {value};
    } catch (const OverflowError&) {
        return {std::nullopt, EditRefusal::OutsideLimits};
    }
}

// The range a new level or auto-calibration value is taken in: a dual-range channel keeps the
// level's present range (the unit row chooses it); otherwise a value not above the second range's
// full scale lies in the second range.
bool DecideSecondRange(const clsInstrument& record, Integer channel, GridColumn column, Single value) {
    if (IsDualRange(record, channel)) return LevelIsLo(record, channel, column);
    return HasSecondRange(record, channel) && value <= record.GasFullScale_l(channel);
}


GridEdit EditLevel(const clsInstrument& record, Integer channel, GridColumn column, const std::string& text) {
    const std::string accepts = CellAcceptText(record, channel, column, false);
    const TypedNumber typed = ReadNumber(text);
    if (!typed.value) return Refuse(typed.refusal, text, accepts);
    const bool second = DecideSecondRange(record, channel, column, *typed.value);
    const GasRange range = RangeOf(record, channel, second);
    const bool autoCal = column == GridColumn::AutoCal;
    // The auto-calibration concentration must lie within the range's full scale as typed and
    // after rounding.
    if (autoCal && *typed.value > range.FullScale)
        return Refuse(EditRefusal::OutsideLimits, ValueWithUnit(*typed.value, range), accepts);
    Single value = 0;
    try {
        value = OnRangeStep(*typed.value, range);
    } catch (const OverflowError&) {
        return Refuse(EditRefusal::TooFine, text, accepts);
    }
    // Checked and shown as the record will be: with the new value and its new low-range mark.
    clsInstrument after = record;
    SetLevel(after, channel, column, value, second);
    const std::string shown = ValueWithUnit(value, range);
    const auto kind = LevelKindOf(column);
    const bool allowed = autoCal ? value <= range.FullScale : CheckLevel(after, channel, *kind, value);
    if (!allowed) return Refuse(EditRefusal::OutsideLimits, shown, accepts);
    return Accept(value, second, LevelCellText(after, channel, column));
}

GridEdit EditPosition(const clsInstrument& record, Integer channel, const std::string& text) {
    const std::string accepts = CellAcceptText(record, channel, GridColumn::Position, false);
    const TypedNumber typed = ReadNumber(text);
    if (!typed.value) return Refuse(typed.refusal == EditRefusal::Negative ? EditRefusal::OutsideLimits : typed.refusal,
                                    text, accepts);
    const Single number = *typed.value;
    if (number != std::floor(number)) return Refuse(EditRefusal::NotWholeNumber, text, accepts);
    if (number < 1 || number > kChannels) return Refuse(EditRefusal::OutsideLimits, TrimSpaces(text), accepts);
    const auto newNumber = static_cast<Integer>(number);
    GridEdit edit = Accept(number, false, PositionText(newNumber));
    edit.Positions = *RenumberPositions(ShownPositions(record), channel, newNumber);
    return edit;
}

GridEdit EditRate(const clsInstrument& record, Integer channel, const std::string& text) {
    const std::string accepts = CellAcceptText(record, channel, GridColumn::Rate, false);
    if (const auto rate = ValidRate(text)) return Accept(*rate, false, RateText(*rate));
    const TypedNumber typed = ReadNumber(text);
    return Refuse(typed.value ? EditRefusal::OutsideLimits : typed.refusal, TrimSpaces(text), accepts);
}

bool InOneToSix(Integer number) { return number >= 1 && number <= kChannels; }

}  // namespace

GridEdit EditGridCell(const clsInstrument& record, Integer channel, GridColumn column, const std::string& typed) {
    const std::string text = TrimSpaces(typed);
    if (!IsChannel(channel)) return Refuse(EditRefusal::ReadOnly, text, {});
    // The check box and a read-only cell take no typed text; their explanation says why.
    if (column == GridColumn::Enable || IsGridCellReadOnly(channel, column))
        return Refuse(EditRefusal::ReadOnly, text, CellAcceptText(record, channel, column, false));
    if (text.empty()) return {};
    if (IsLevelColumn(column)) return EditLevel(record, channel, column, text);
    if (column == GridColumn::Position) return EditPosition(record, channel, text);
    return EditRate(record, channel, text);
}

void ApplyGridEdit(clsInstrument& record, Integer channel, GridColumn column, const GridEdit& edit) {
    if (!edit.Accepted() || !IsChannel(channel)) return;
    if (IsLevelColumn(column)) {
        SetLevel(record, channel, column, edit.Value, edit.IsLo);
    } else if (column == GridColumn::Position) {
        for (Integer c = 0; c < kChannels; ++c)
            record.PortCh(c, static_cast<Integer>(edit.Positions[static_cast<std::size_t>(c)] - 1));
    }
}

GridEdit EditUnitCell(const clsInstrument& record, Integer channel, GridColumn column, const std::string& chosen) {
    if (IsUnitCellReadOnly(record, channel, column)) return Refuse(EditRefusal::ReadOnly, chosen, {});
    const std::string unit = TrimSpaces(chosen);
    const std::vector<std::string> units = UnitChoices(record, channel);
    if (unit != units[0] && unit != units[1])
        return Refuse(EditRefusal::UnknownUnit, unit, UnitCellAcceptText(record, channel, column));
    const bool second = unit == units[0];
    clsInstrument after = record;
    SetLevel(after, channel, column, LevelValue(record, channel, column), second);
    return Accept(LevelValue(record, channel, column), second, LevelCellText(after, channel, column));
}

void ApplyUnitEdit(clsInstrument& record, Integer channel, GridColumn column, const GridEdit& edit) {
    if (!edit.Accepted() || IsUnitCellReadOnly(record, channel, column)) return;
    switch (column) {
    case GridColumn::Warning: record.WarnIsLo(channel, edit.IsLo); break;
    case GridColumn::Alarm: record.AlarmIsLo(channel, edit.IsLo); break;
    case GridColumn::Stel: record.StelIsLo(channel, edit.IsLo); break;
    case GridColumn::Twa: record.TwaIsLo(channel, edit.IsLo); break;
    case GridColumn::AutoCal: record.AutoCalIsLo(channel, edit.IsLo); break;
    default: break;
    }
}

std::optional<std::array<Integer, 6>> RenumberPositions(const std::array<Integer, 6>& shown, Integer channel,
                                                        Integer newNumber) {
    if (!IsChannel(channel) || !InOneToSix(newNumber)) return std::nullopt;
    std::array<Integer, 6> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = InOneToSix(shown[i]) ? shown[i] : Integer{0};
    const auto self = static_cast<std::size_t>(channel);
    Integer old = numbers[self];
    if (old == 0) {
        // No position yet: the channel takes the place no other channel holds.
        for (Integer candidate = 1; candidate <= kChannels && old == 0; ++candidate) {
            bool used = false;
            for (std::size_t i = 0; i < numbers.size(); ++i) used = used || (i != self && numbers[i] == candidate);
            if (!used) old = candidate;
        }
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i == self || numbers[i] == 0) continue;
        if (newNumber < old && numbers[i] >= newNumber && numbers[i] <= old - 1) ++numbers[i];
        if (newNumber > old && numbers[i] >= old + 1 && numbers[i] <= newNumber) --numbers[i];
    }
    numbers[self] = newNumber;
    return numbers;
}

std::optional<Single> ValidRate(const std::string& text) {
    if (!IsNumericText(text)) return std::nullopt;
    try {
        const Single rounded = TextToSingle(FormatFixed(TextToSingle(text), 2));
        if (rounded >= 1.0f && rounded < 2.0f) return rounded;
    } catch (const OverflowError&) {
    }
    return std::nullopt;
}

std::string RateText(Single rate) { return FormatFixed(rate, 2); }

}  // namespace tz
