#include "instrument/GridCells.h"

#include "instrument/modGasCommon.h"

namespace tz {
namespace {

constexpr Single kNotUsed = static_cast<Single>(NoValue);
constexpr Integer kChannels = clsInstrument::GasChannels;

bool IsChannel(Integer channel) { return channel >= 0 && channel < kChannels; }

// Title of the position column; the other titles are the grid's own catalogue texts.
constexpr int kPositionTitle = 30320;

}  // namespace

Integer GridRowChannel(int row) {
    if (row >= GridHeaderRows && row < GridFirstUnitRow) return static_cast<Integer>(row - GridHeaderRows);
    if (IsGridUnitRow(row)) return static_cast<Integer>(row - 4);
    return -1;
}

bool IsGridUnitRow(int row) { return row == GridFirstUnitRow || row == GridFirstUnitRow + 1; }

int GridColumnTitleMessage(GridColumn column) {
    switch (column) {
    case GridColumn::Gas: return 5648;
    case GridColumn::Enable: return 5649;
    case GridColumn::Warning: return 5650;
    case GridColumn::Alarm: return 5651;
    case GridColumn::Stel: return 5652;
    case GridColumn::Twa: return 5653;
    case GridColumn::AutoCal: return 5654;
    case GridColumn::Position: return kPositionTitle;
    case GridColumn::Rate: return 5677;
    }
    return 0;
}

bool GridHasData(const clsInstrument& record, Integer linkStatus) {
    return (record.CommFlags() || record.ImportFlag()) && linkStatus != 0 && linkStatus != 1;
}

bool IsLevelColumn(GridColumn column) {
    return column >= GridColumn::Warning && column <= GridColumn::AutoCal;
}

std::optional<LevelKind> LevelKindOf(GridColumn column) {
    switch (column) {
    case GridColumn::Warning: return LevelKind::Warning;
    case GridColumn::Alarm: return LevelKind::Alarm;
    case GridColumn::Stel: return LevelKind::Stel;
    case GridColumn::Twa: return LevelKind::Twa;
    default: return std::nullopt;
    }
}

Single OnRangeStep(Single value, const GasRange& range) {
    return range.Step > 0 ? RoundToStep(value, range.Step) : value;
}

bool HasSecondRange(const clsInstrument& record, Integer channel) {
    return record.GasFullScale_l(channel) != kNotUsed;
}

GasRange RangeOf(const clsInstrument& record, Integer channel, bool second) {
    if (second)
        return {true, record.GasFullScale_l(channel), record.GasDigit_l(channel), record.GasPoint_l(channel),
                TrimSpaces(record.GasUnit_l(channel))};
    return {false, record.GasFullScale(channel), record.GasDesit(channel), record.GasPoint(channel),
            TrimSpaces(record.GasUnit(channel))};
}

Single LevelValue(const clsInstrument& record, Integer channel, GridColumn column) {
    if (!IsChannel(channel)) return kNotUsed;
    switch (column) {
    case GridColumn::Warning: return record.Warning(channel);
    case GridColumn::Alarm: return record.Alarm(channel);
    case GridColumn::Stel: return record.Stel(channel);
    case GridColumn::Twa: return record.Twa(channel);
    case GridColumn::AutoCal: return record.AutoCalib(channel);
    default: return kNotUsed;
    }
}

bool LevelIsLo(const clsInstrument& record, Integer channel, GridColumn column) {
    switch (column) {
    case GridColumn::Warning: return record.WarnIsLo(channel);
    case GridColumn::Alarm: return record.AlarmIsLo(channel);
    case GridColumn::Stel: return record.StelIsLo(channel);
    case GridColumn::Twa: return record.TwaIsLo(channel);
    case GridColumn::AutoCal: return record.AutoCalIsLo(channel);
    default: return false;
    }
}

GasRange LevelRange(const clsInstrument& record, Integer channel, GridColumn column) {
    return RangeOf(record, channel, LevelIsLo(record, channel, column));
}

void SetLevel(clsInstrument& record, Integer channel, GridColumn column, Single value, bool isLo) {
    if (!IsChannel(channel)) return;
    switch (column) {
    case GridColumn::Warning: record.Warning(channel, value); record.WarnIsLo(channel, isLo); break;
    case GridColumn::Alarm: record.Alarm(channel, value); record.AlarmIsLo(channel, isLo); break;
    case GridColumn::Stel: record.Stel(channel, value); record.StelIsLo(channel, isLo); break;
    case GridColumn::Twa: record.Twa(channel, value); record.TwaIsLo(channel, isLo); break;
    case GridColumn::AutoCal: record.AutoCalib(channel, value); record.AutoCalIsLo(channel, isLo); break;
    default: break;
    }
}

bool IsShownAsNotUsed(const clsInstrument& record, Integer channel, GridColumn column) {
    if (column != GridColumn::Stel && column != GridColumn::Twa) return false;
    return TrimSpaces(record.GasUnit(channel)) != "ppm";
}

std::string LevelCellText(const clsInstrument& record, Integer channel, GridColumn column) {
    const Single value = LevelValue(record, channel, column);
    if (value == -1.0f || value == kNotUsed || IsShownAsNotUsed(record, channel, column))
        return GasValueText(kNotUsed, 0, false);
    return GasValueText(value, LevelRange(record, channel, column).Decimals, false);
}

Integer ShownPosition(const clsInstrument& record, Integer channel) {
    if (!IsChannel(channel)) return 0;
    const Integer port = record.PortCh(channel);
    return port >= 0 && port < kChannels ? static_cast<Integer>(port + 1) : Integer{0};
}

std::array<Integer, 6> ShownPositions(const clsInstrument& record) {
    std::array<Integer, 6> shown{};
    for (Integer c = 0; c < kChannels; ++c) shown[static_cast<std::size_t>(c)] = ShownPosition(record, c);
    return shown;
}

std::string PositionText(Integer position) {
    return position >= 1 && position <= kChannels ? std::to_string(position) : GasValueText(kNotUsed, 0, false);
}

std::string GridCellText(const clsInstrument& record, Integer channel, GridColumn column) {
    if (!IsChannel(channel)) return {};
    if (column == GridColumn::Gas) return GasLabelOf(record, channel, true);
    if (IsLevelColumn(column)) return LevelCellText(record, channel, column);
    if (column == GridColumn::Position) return PositionText(ShownPosition(record, channel));
    return {};
}

bool IsGridCellReadOnly(Integer channel, GridColumn column) {
    switch (column) {
    case GridColumn::Gas: return true;
    case GridColumn::Stel:
    case GridColumn::Twa: return channel == 0 || channel == 1;
    default: return false;
    }
}

std::string UnitRowText(const clsInstrument& record, Integer channel, GridColumn column) {
    if ((channel != 4 && channel != 5) || !HasSecondRange(record, channel)) return {};
    if (column == GridColumn::Gas)
        return TrimSpaces(record.GasName(channel)) + " " + TrimSpaces(record.GasUnit(channel)) + "/" +
               TrimSpaces(record.GasUnit_l(channel));
    if (!IsLevelColumn(column)) return {};
    return LevelRange(record, channel, column).Unit;
}

std::vector<std::string> UnitChoices(const clsInstrument& record, Integer channel) {
    if ((channel != 4 && channel != 5) || !HasSecondRange(record, channel)) return {};
    return {TrimSpaces(record.GasUnit_l(channel)), TrimSpaces(record.GasUnit(channel))};
}

bool IsUnitCellReadOnly(const clsInstrument& record, Integer channel, GridColumn column) {
    return (channel != 4 && channel != 5) || !IsLevelColumn(column) || !IsDualRange(record, channel);
}

}  // namespace tz
