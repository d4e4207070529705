#include "cli/InfoSummary.h"

#include <cmath>

#include "cli/CliText.h"
#include "cli/TextTable.h"
#include "instrument/ConverterList.h"
#include "instrument/Json.h"
#include "instrument/RecordJson.h"
#include "instrument/modGasCommon.h"

namespace tz::cli {

namespace {

constexpr Single kNoValue = -101;
constexpr Single kNotUsed = -1;

bool HasSecondRange(const clsInstrument& r, Integer gas) { return gas >= 4 && r.GasFullScale_l(gas) != kNoValue; }

bool Fitted(const clsInstrument& r, Integer gas) { return !Trim(r.GasName(gas)).empty(); }

std::string RangeText(const clsInstrument& r, Integer gas) {
    if (!Fitted(r, gas)) return "-";
    std::string text = FormatFixed(r.GasFullScale(gas), r.GasPoint(gas)) + " " + Trim(r.GasUnit(gas));
    if (HasSecondRange(r, gas))
        text += " / " + FormatFixed(r.GasFullScale_l(gas), r.GasPoint_l(gas)) + " " + Trim(r.GasUnit_l(gas));
    return text;
}

// STEL and TWA mean something only for gases measured in ppm.
bool ExposureLevelsApply(const clsInstrument& r, Integer gas) { return Trim(r.GasUnit(gas)) == "ppm"; }

std::string BumpText(const clsInstrument& r, Integer gas) {
    if (DateText(r.BumpDates(gas)) == "-") return "-";
    const Integer decimals = r.BumpResultIsLo(gas) ? r.GasPoint_l(gas) : r.GasPoint(gas);
    return DateText(r.BumpDates(gas)) + " " + GasValueText(r.BumpResult(gas), decimals, false);
}

TextRow ChannelRow(const clsInstrument& r, Integer gas) {
    if (!Fitted(r, gas)) return {std::to_string(gas + 1), "-", "-", r.GasEnabled(gas) ? "on" : "off", "-", "-", "-", "-", "-", "-", "-"};
    const bool exposure = ExposureLevelsApply(r, gas);
    auto level = [&](Single value, bool lo) { return LevelText(r, gas, value, lo); };
    return {std::to_string(gas + 1),
            OrDash(Trim(r.GasName(gas))),
            RangeText(r, gas),
            r.GasEnabled(gas) ? "on" : "off",
            level(r.Warning(gas), r.WarnIsLo(gas)),
            level(r.Alarm(gas), r.AlarmIsLo(gas)),
            exposure ? level(r.Stel(gas), r.StelIsLo(gas)) : "-----",
            exposure ? level(r.Twa(gas), r.TwaIsLo(gas)) : "-----",
            level(r.AutoCalib(gas), r.AutoCalIsLo(gas)),
            DateText(r.CalibDate(gas)),
            BumpText(r, gas)};
}

std::string Field(const std::string& title, const std::string& value) { return title + ": " + value + "\n"; }

}  // namespace

std::string LevelText(const clsInstrument& record, Integer gas, Single value, bool inSecondRange) {
    if (value == kNoValue || value == kNotUsed) return "-----";
    const bool lo = inSecondRange && HasSecondRange(record, gas);
    const Integer decimals = lo ? record.GasPoint_l(gas) : record.GasPoint(gas);
    std::string text = GasValueText(value, decimals, false);
    if (lo) text += " " + Trim(record.GasUnit_l(gas));
    return text;
}

std::string IdentityText(const clsInstrument& r) {
    std::string text;
    text += Field(Text(5608), OrDash(Trim(r.SerialNo())));
    text += Field(Text(8003), OrDash(Trim(r.DummySerial())));
    text += Field(Text(5609), OrDash(Trim(r.StationID())));
    text += Field(Text(5610), OrDash(Trim(r.UserID())));
    text += Field(Text(8042), OrDash(Trim(r.SpecNo())));
    text += Field("ROM", std::to_string(r.RomNumber()));
    text += Field("SUM", OrDash(Trim(r.SUM())));
    return text;
}

std::string ClockText(const clsInstrument& r) {
    std::string text = Field(Text(5213), DateText(r.SysDate()));
    if (DateText(r.SysDate()) == "-") return text;
    // SysDateOffset is the PC's time less the instrument's.
    text += Field("Offset from PC", OffsetText(-r.SysDateOffset()));
    if (std::fabs(r.SysDateOffset()) > 1) text += Text(5591) + "\n";
    return text;
}

std::string ChannelTableText(const clsInstrument& r) {
    std::vector<TextRow> rows = {{"Ch", "Gas", "Range", "On", "Warning", "Alarm", "STEL", "TWA", "Auto-cal",
                                  "Last calibration", "Last bump test"}};
    for (Integer gas = 0; gas < 6; ++gas) rows.push_back(ChannelRow(r, gas));
    return FormatTable(rows);
}

std::string ConverterText(const clsInstrument& r, const ProgramState& program) {
    std::string text;
    for (const ColouredLine& line : ListConverterValues(r, program.AdCheck)) {
        text += line.text;
        if (line.colour == InfoColour::Red) text += "  (outside its range)";
        text += "\n";
    }
    for (const ColouredLine& line : CheckPidLists(r)) text += line.text + "\n";
    return text;
}

std::string InfoJson(const clsInstrument& record, const ProgramState& program) {
    JsonValue root = ParseJson(RecordToJson(record));
    JsonValue converter = JsonValue::Array();
    for (const ConverterValue& v : ConverterValues(record, program.AdCheck)) {
        JsonValue channel = JsonValue::Object();
        channel.Add("Label", JsonValue::String(v.label));
        channel.Add("Reading", JsonValue::Number(std::to_string(v.reading)));
        channel.Add("Value", JsonValue::Number(std::to_string(std::lround(v.shown))));
        channel.Add("Unit", JsonValue::String(v.millivolts ? "mV" : ""));
        channel.Add("InRange", v.checked ? JsonValue::Bool(v.inRange) : JsonValue());
        converter.Append(std::move(channel));
    }
    root.Add("Converter", std::move(converter));
    return WriteJson(root);
}

std::string InfoSummary(const clsInstrument& record, const ProgramState& program) {
    return IdentityText(record) + ClockText(record) + "\n" + ChannelTableText(record) + "\n" +
           ConverterText(record, program);
}

}  // namespace tz::cli
