#include "instrument/CalibrationRules.h"

#include "instrument/GridExplanations.h"
#include "instrument/WarningLevel.h"
#include "instrument/modGasCommon.h"
#include "text/Catalogue.h"
#include "text/Errors.h"
#include "text/NumberFormat.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;
constexpr Single kNotUsed = static_cast<Single>(NoValue);
constexpr const char* kLineEnd = "\r\n";

constexpr int kConcentrationName = 5654;  // "Auto Cal."
constexpr int kAdjustmentComplete = 5354;
constexpr int kTeDisabled = 5383;
constexpr int kEmptyLeavesOut = 30400;
constexpr int kNoOxygenReading = 30402;

bool IsChannel(Integer channel) { return channel >= 0 && channel < kChannels; }
std::size_t At(Integer channel) { return static_cast<std::size_t>(channel); }

CalConcentrationEdit Refused(EditRefusal refusal, const std::string& value, const std::string& accepts) {
    CalConcentrationEdit edit;
    edit.Refused = true;
    edit.Reason = RefusalText(refusal, value, accepts);
    return edit;
}


std::string SucceededLine(const clsInstrument& cal, Integer channel) {
    return cal.GasName(channel) + "  " + LoadMessage(kAdjustmentComplete) + kLineEnd;
}

std::string FailedLine(const clsInstrument& cal, Integer channel, const std::string& reading) {
    return cal.GasName(channel) + "(" + reading + ") Failed" + kLineEnd;
}

bool ReadsLow(const CalReadings& readings, Integer channel) {
    return (channel == 4 && readings.LowRange5) || (channel == 5 && readings.LowRange6);
}

}  // namespace

bool CanTakePart(const clsInstrument& cal, Integer channel) {
    return IsChannel(channel) && cal.GasEnabled(channel) && cal.AutoCalib(channel) >= 0;
}

GasRange CalibrationRange(const clsInstrument& cal, Integer channel) {
    return RangeOf(cal, channel, channel >= 4 && cal.AutoCalIsLo(channel));
}

CalibrationSelection OpenCalibrationSelection(const clsInstrument& cal) {
    CalibrationSelection selection;
    for (Integer c = 0; c < kChannels; ++c) selection.Available[At(c)] = selection.Selected[At(c)] = CanTakePart(cal, c);
    return selection;
}

bool IsCalCellEditable(const CalibrationSelection& selection, Integer channel, CalColumn column) {
    if (!IsChannel(channel)) return false;
    return (column == CalColumn::Select || column == CalColumn::Concentration) && selection.Available[At(channel)];
}

bool SetCalSelected(CalibrationSelection& selection, const clsInstrument& cal, Integer channel, bool ticked) {
    if (!IsChannel(channel)) return false;
    const bool selected = ticked && selection.Available[At(channel)] && cal.AutoCalib(channel) >= 0;
    selection.Selected[At(channel)] = selected;
    return selected;
}

std::string CalConcentrationAcceptText(const clsInstrument& cal, const clsInstrument& levels, Integer channel) {
    std::string text = FullScaleAcceptText(LoadMessage(kConcentrationName), CalibrationRange(cal, channel));
    const std::string rule = WarningLevelRuleText(levels, channel);
    if (!rule.empty()) text += " " + rule;
    return text + " " + LoadMessage(kEmptyLeavesOut);
}

CalConcentrationEdit EditCalConcentration(const clsInstrument& cal, const clsInstrument& levels, Integer channel,
                                          const std::string& typed) {
    const std::string text = TrimSpaces(typed);
    if (!IsChannel(channel)) return Refused(EditRefusal::ReadOnly, text, {});
    if (text.empty() || text.find("--") != std::string::npos) {
        CalConcentrationEdit edit;
        edit.Unselect = true;
        edit.Text = GasValueText(kNotUsed, 0, false);
        return edit;
    }
    const std::string accepts = CalConcentrationAcceptText(cal, levels, channel);
    if (!IsNumericText(text)) return Refused(EditRefusal::NotANumber, text, accepts);
    const GasRange range = CalibrationRange(cal, channel);
    Single value = 0;
    try {
        const Single entered = TextToSingle(text);
        if (entered < 0) return Refused(EditRefusal::Negative, text, accepts);
        if (entered > range.FullScale) return Refused(EditRefusal::OutsideLimits, ValueWithUnit(entered, range), accepts);
        value = OnRangeStep(entered, range);
        if (!IsAtWarningLevel(levels, channel, entered) || !IsAtWarningLevel(levels, channel, value))
            return Refused(EditRefusal::OutsideLimits, ValueWithUnit(entered, range),
                           BelowWarningLevelText(levels, channel) + " " + accepts);
    } catch (const OverflowError&) {
        return Refused(EditRefusal::TooFine, text, accepts);
    }
    if (value > range.FullScale) return Refused(EditRefusal::OutsideLimits, ValueWithUnit(value, range), accepts);
    CalConcentrationEdit edit;
    edit.Value = value;
    edit.Text = GasValueText(value, range.Decimals, false);
    return edit;
}

void ApplyCalConcentration(clsInstrument& cal, CalibrationSelection& selection, Integer channel,
                           const CalConcentrationEdit& edit) {
    if (edit.Refused || !IsChannel(channel)) return;
    cal.AutoCalib(channel, edit.Value);
    if (edit.Unselect) selection.Selected[At(channel)] = false;
}

std::string CalConcentrationText(const clsInstrument& cal, Integer channel) {
    return GasValueText(cal.AutoCalib(channel), CalibrationRange(cal, channel).Decimals, false);
}

std::string CalReadingText(const clsInstrument& cal, const CalibrationSelection& selection, Integer channel,
                           Single reading, bool lowRange) {
    if (!IsChannel(channel) || !selection.Available[At(channel)]) return GasValueText(kNotUsed, 0, false);
    return GasValueText(reading, lowRange ? cal.GasPoint_l(channel) : cal.GasPoint(channel), false);
}

std::string BuildSpanRequest(const clsInstrument& cal, const ChannelFlags& selected) {
    std::string flags, fields;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const bool on = selected[At(gas)];
        flags += on ? '1' : '0';
        fields += "," + (on ? NumberField5(cal.AutoCalib(gas), CalibrationRange(cal, gas).Decimals)
                            : std::string("*****"));
    }
    for (Integer gas = 4; gas < kChannels; ++gas) fields += cal.AutoCalIsLo(gas) ? ",L" : ",H";
    return flags + fields;
}

CalibResult SetCalibResult(bool ok, const ChannelFlags& statuses, bool isZero, const clsInstrument& cal,
                           const CalibrationSelection& selection, const CalReadings& readings) {
    CalibResult result;
    result.Ok = ok;
    for (Integer c = 0; c < kChannels; ++c) {
        const bool tookPart = isZero ? selection.Available[At(c)] : selection.Selected[At(c)];
        if (!tookPart) continue;
        result.Text += statuses[At(c)]
                           ? SucceededLine(cal, c)
                           : FailedLine(cal, c, CalReadingText(cal, selection, c, readings.Values[At(c)], ReadsLow(readings, c)));
    }
    return result;
}

TeN2Plan PlanTeN2(const clsInstrument& cal, const CalibrationSelection& selection,
                  std::optional<Single> freshOxygenReading) {
    TeN2Plan plan;
    if (!selection.Available[4]) {
        plan.RefusalText = LoadMessage(kTeDisabled);
        return plan;
    }
    const std::string reading =
        freshOxygenReading ? GasValueText(*freshOxygenReading, cal.GasPoint(1), false) : std::string();
    if (!freshOxygenReading || *freshOxygenReading < 0 || !IsNumericText(reading)) {
        plan.Next = TeN2Plan::Action::NoReading;
        plan.RefusalText = LoadMessage(kNoOxygenReading);
        return plan;
    }
    const std::string padded = "    " + reading;
    plan.Next = TeN2Plan::Action::Run;
    plan.ZcalText = padded.substr(padded.size() - 5);
    return plan;
}

std::string TeN2ResultText(const clsInstrument& cal, bool ok, Single oxygenReading) {
    return ok ? SucceededLine(cal, 1) : FailedLine(cal, 1, GasValueText(oxygenReading, cal.GasPoint(1), false));
}

}  // namespace tz
