#include "instrument/GridExplanations.h"

#include "instrument/LevelChecks.h"
#include "instrument/WarningLevel.h"
#include "instrument/modGasCommon.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

constexpr Single kNotUsed = static_cast<Single>(NoValue);

// Catalogue numbers of the explanation texts.
enum Msg : int {
    msgOrMore = 30321,            // ~1: ~2 or more
    msgFromTo = 30301,            // ~1: ~2 to ~3 ~4
    msgSixtyPercent = 30302,      // ~1: ~2 to ~3 ~4 (60 % of the full scale)
    msgBelowAlarm = 30303,        // ~1: below the alarm level (~2)
    msgWarningToScale = 30304,    // ~1: from the warning level (~2) to the full scale (~3)
    msgZeroToAlarm = 30305,       // ~1: 0 to the alarm level (~2)
    msgZeroToScale = 30306,       // ~1: 0 to the full scale (~2)
    msgNotUsedHere = 30307,       // ~1 is not used on this channel.
    msgShownNotUsed = 30308,      // shown as not used: not measured in ppm
    msgOxygenType = 30309,        // no value with oxygen alarm type ~2
    msgNoFullScale = 30310,       // no value until the channel has a full scale
    msgReachAtLeast = 30311,      // must reach the warning level (~1 or more)
    msgReachAtMost = 30312,       // must reach the warning level (~1 or less)
    msgPosition = 30313,          // Position 1 to 6
    msgRate = 30315,              // ~1: 1.00 to 1.99
    msgEnable = 30316,            // tick to choose a gas, clear to switch off
    msgFixed = 30317,             // fixed sensor
    msgUnitChoice = 30318,        // Unit of this level: ~1 or ~2
    msgGasColumn = 30319,         // the gas is chosen with the check box
    msgRedOrder = 30330,          // warning above alarm
    msgRedOrderFalling = 30331,   // warning below alarm (oxygen falls)
    msgRedLimits = 30332,         // Outside its limits. ~1
    msgBelowAtLeast = 30333,      // concentration below the warning level (~1 or more)
    msgBelowAtMost = 30334,       // concentration above the warning level (~1 or less)
    msgFactorRefused = 30335,     // the instrument did not take the factor
    msgNotANumber = 30340,
    msgNegative = 30341,
    msgTooFine = 30342,
    msgWholeNumber = 30343,
    msgOutsideLimits = 30344,
    msgNotEditable = 30345,
    msgChooseUnit = 30346,
};

// Column titles double as the names of the levels in the texts.
std::string ColumnName(GridColumn column) { return LoadMessage(GridColumnTitleMessage(column)); }

std::string Unit(const GasRange& range) { return range.Unit.empty() ? "" : " " + range.Unit; }

// "~1: low to high unit" with fixed limits of the channel's role.
std::string FixedRange(const std::string& name, const char* low, const char* high, const GasRange& range) {
    return LoadMessage(msgFromTo, {name, low, high, range.Unit});
}

// The range whose full scale bounds the alarm: on a dual-range channel the one the alarm is
// expressed in, otherwise the main range (as CheckLevel compares it).
GasRange AlarmScaleRange(const clsInstrument& record, Integer channel) {
    return IsDualRange(record, channel) ? LevelRange(record, channel, GridColumn::Alarm)
                                        : RangeOf(record, channel, false);
}

std::string CombustibleText(const clsInstrument& record, GridColumn column, const std::string& name) {
    const GasRange main = RangeOf(record, 0, false);
    if (column == GridColumn::Warning) return LoadMessage(msgOrMore, {name, ValueWithUnit(0, main)});
    if (main.FullScale < 0) return LoadMessage(msgNoFullScale, {name});
    const Single limit = static_cast<Single>(static_cast<double>(main.FullScale) * 6.0 / 10.0);
    return LoadMessage(msgSixtyPercent, {name, "0", GasValueText(limit, main.Decimals, false), main.Unit});
}

std::string OxygenText(const clsInstrument& record, GridColumn column, const std::string& name) {
    const GasRange main = RangeOf(record, 1, false);
    switch (record.AlarmO2()) {
    case 0: return FixedRange(name, "18.0", "25.0", main);
    case 1: return FixedRange(name, "18.0", "20.9", main);
    case 2:
        if (column == GridColumn::Warning) return LoadMessage(msgBelowAlarm, {name, ValueWithUnit(record.Alarm(1), main)});
        return LoadMessage(msgWarningToScale,
                           {name, ValueWithUnit(record.Warning(1), main), ValueWithUnit(main.FullScale, main)});
    default: return LoadMessage(msgOxygenType, {name, std::to_string(record.AlarmO2())});
    }
}

// Channels 4 and 5: each level against the other one and the full scale.
std::string RelativeText(const clsInstrument& record, Integer channel, GridColumn column, const std::string& name) {
    const GasRange own = LevelRange(record, channel, column);
    switch (column) {
    case GridColumn::Warning:
        if (record.Alarm(channel) == kNotUsed) return LoadMessage(msgOrMore, {name, ValueWithUnit(0, own)});
        return LoadMessage(msgZeroToAlarm,
                           {name, ValueWithUnit(record.Alarm(channel), LevelRange(record, channel, GridColumn::Alarm))});
    case GridColumn::Alarm: {
        if (record.Warning(channel) == kNotUsed) return LoadMessage(msgOrMore, {name, ValueWithUnit(0, own)});
        const GasRange scale = AlarmScaleRange(record, channel);
        if (scale.FullScale < 0) return LoadMessage(msgNoFullScale, {name});
        return LoadMessage(msgWarningToScale,
                           {name, ValueWithUnit(record.Warning(channel), LevelRange(record, channel, GridColumn::Warning)),
                            ValueWithUnit(scale.FullScale, scale)});
    }
    default: return FullScaleAcceptText(name, own);
    }
}

std::string LevelAcceptText(const clsInstrument& record, Integer channel, GridColumn column) {
    const std::string name = ColumnName(column);
    if (column == GridColumn::AutoCal) {
        std::string text = FullScaleAcceptText(name, LevelRange(record, channel, column));
        const std::string rule = WarningLevelRuleText(record, channel);
        return rule.empty() ? text : text + " " + rule;
    }
    std::string text;
    switch (channel) {
    case 0: text = CombustibleText(record, column, name); break;
    case 1: text = OxygenText(record, column, name); break;
    case 2: text = FixedRange(name, "0", "30", RangeOf(record, 2, false)); break;
    case 3: text = FixedRange(name, "0", "200", RangeOf(record, 3, false)); break;
    default: text = RelativeText(record, channel, column, name); break;
    }
    if (IsShownAsNotUsed(record, channel, column)) text += " " + LoadMessage(msgShownNotUsed);
    return text;
}

std::string RedReasonText(const clsInstrument& record, Integer channel, GridColumn column, RedReason reason) {
    switch (reason) {
    case RedReason::LevelOrder:
        return LoadMessage(channel == 1 && record.AlarmO2() == 1 ? msgRedOrderFalling : msgRedOrder);
    case RedReason::OutsideLimits: return LoadMessage(msgRedLimits, {LevelAcceptText(record, channel, column)});
    case RedReason::BelowWarningLevel: return BelowWarningLevelText(record, channel);
    }
    return {};
}

// The warning level of channel 0 to 3 as IsAtWarningLevel uses it, with the main range's unit.
std::string WarningLevelValueText(const clsInstrument& levels, Integer channel) {
    return ValueWithUnit(WarningLevelFor(levels, channel), RangeOf(levels, channel, false));
}

}  // namespace

std::string ValueWithUnit(Single value, const GasRange& range) {
    if (value == -1.0f || value == kNotUsed) return GasValueText(kNotUsed, 0, false);
    return GasValueText(value, range.Decimals, false) + Unit(range);
}

std::string FullScaleAcceptText(const std::string& name, const GasRange& range) {
    if (range.FullScale < 0) return LoadMessage(msgNoFullScale, {name});
    return LoadMessage(msgZeroToScale, {name, ValueWithUnit(range.FullScale, range)});
}

std::string WarningLevelRuleText(const clsInstrument& levels, Integer channel) {
    if (channel < 0 || channel > 3) return {};
    return LoadMessage(IsOxygenGas(levels.GasName(channel)) ? msgReachAtMost : msgReachAtLeast,
                       {WarningLevelValueText(levels, channel)});
}

std::string BelowWarningLevelText(const clsInstrument& levels, Integer channel) {
    return LoadMessage(IsOxygenGas(levels.GasName(channel)) ? msgBelowAtMost : msgBelowAtLeast,
                       {WarningLevelValueText(levels, channel)});
}

std::string RefusalText(EditRefusal refusal, const std::string& value, const std::string& acceptText) {
    std::string why;
    switch (refusal) {
    case EditRefusal::None: return {};
    case EditRefusal::ReadOnly: return acceptText.empty() ? LoadMessage(msgNotEditable) : acceptText;
    case EditRefusal::UnknownUnit: return acceptText;
    case EditRefusal::NotANumber: why = LoadMessage(msgNotANumber, {value}); break;
    case EditRefusal::Negative: why = LoadMessage(msgNegative); break;
    case EditRefusal::TooFine: why = LoadMessage(msgTooFine, {value}); break;
    case EditRefusal::OutsideLimits: why = LoadMessage(msgOutsideLimits, {value}); break;
    case EditRefusal::NotWholeNumber: why = LoadMessage(msgWholeNumber); break;
    }
    return acceptText.empty() ? why : why + " " + acceptText;
}

std::string CellAcceptText(const clsInstrument& record, Integer channel, GridColumn column, bool channelFixed) {
    if (channel < 0 || channel >= clsInstrument::GasChannels) return {};
    switch (column) {
    case GridColumn::Gas: return LoadMessage(msgGasColumn);
    case GridColumn::Enable: return LoadMessage(channelFixed ? msgFixed : msgEnable);
    case GridColumn::Position: return LoadMessage(msgPosition);
    case GridColumn::Rate: return LoadMessage(msgRate, {ColumnName(column)});
    default: break;
    }
    if (IsGridCellReadOnly(channel, column)) return LoadMessage(msgNotUsedHere, {ColumnName(column)});
    return LevelAcceptText(record, channel, column);
}

std::string UnitCellAcceptText(const clsInstrument& record, Integer channel, GridColumn column) {
    if (IsUnitCellReadOnly(record, channel, column)) return {};
    const std::vector<std::string> units = UnitChoices(record, channel);
    return LoadMessage(msgUnitChoice, {units[0], units[1]});
}

std::vector<RedReason> CellRedReasons(const clsInstrument& record, Integer channel, GridColumn column) {
    std::vector<RedReason> reasons;
    if (channel < 0 || channel >= clsInstrument::GasChannels) return reasons;
    if ((column == GridColumn::Warning || column == GridColumn::Alarm) && !CheckLevelOrder(record, channel))
        reasons.push_back(RedReason::LevelOrder);
    if (const auto kind = LevelKindOf(column); kind && !CheckLevel(record, channel, *kind, LevelValue(record, channel, column)))
        reasons.push_back(RedReason::OutsideLimits);
    if (column == GridColumn::AutoCal && !IsAtWarningLevel(record, channel, record.AutoCalib(channel)))
        reasons.push_back(RedReason::BelowWarningLevel);
    return reasons;
}

bool IsCellRed(const clsInstrument& record, Integer channel, GridColumn column) {
    return !CellRedReasons(record, channel, column).empty();
}

std::string CellRedText(const clsInstrument& record, Integer channel, GridColumn column) {
    std::string text;
    for (const RedReason reason : CellRedReasons(record, channel, column)) {
        if (!text.empty()) text += "\n";
        text += RedReasonText(record, channel, column, reason);
    }
    return text;
}

std::string CellToolTip(const clsInstrument& record, Integer channel, GridColumn column, bool channelFixed) {
    std::string text = CellAcceptText(record, channel, column, channelFixed);
    const std::string red = CellRedText(record, channel, column);
    if (!red.empty()) text += (text.empty() ? "" : "\n") + red;
    return text;
}

std::string RefusedFactorText() { return LoadMessage(msgFactorRefused); }

}  // namespace tz
