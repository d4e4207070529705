// Replies that carry one field per gas channel: alarm points, readings, calibration and bump
// history, gas descriptions, second-range factors, sensor ports, zero settings and span data.
#include <array>
#include <cmath>

#include "instrument/clsInstrument.h"
#include "instrument/modGasCommon.h"
#include "link/ReplyFields.h"
#include "link/ReplyHandlers.h"
#include "text/NumberFormat.h"
#include "text/SharedHelpers.h"

namespace tz {

namespace {

constexpr Integer kChannels = 6;

// ---- Alarm points and automatic-calibration values: six gas values, two optional low marks ----

struct GasListRow {
    const char* code;
    void (clsInstrument::*value)(Integer, Single);
    void (clsInstrument::*flag)(Integer, bool);
    void (clsInstrument::*lowMark)(Integer, bool);
};

const GasListRow kGasLists[] = {
    {"A1", &clsInstrument::Warning, &clsInstrument::Change_Warn, &clsInstrument::WarnIsLo},
    {"A2", &clsInstrument::Alarm, &clsInstrument::Change_Alarm, &clsInstrument::AlarmIsLo},
    {"AS", &clsInstrument::Stel, &clsInstrument::Change_Stel, &clsInstrument::StelIsLo},
    {"AW", &clsInstrument::Twa, &clsInstrument::Change_Twa, &clsInstrument::TwaIsLo},
    {"SA", &clsInstrument::AutoCalib, &clsInstrument::Change_AutoCal, &clsInstrument::AutoCalIsLo},
};

// With exactly eight fields the last two are the low marks of channels 5 and 6.
void ReadLowMarks(ReplyContext& reply, void (clsInstrument::*lowMark)(Integer, bool)) {
    if (reply.Count() != 8) return;
    (reply.record->*lowMark)(4, IsLowMark(reply.Field(6)));
    (reply.record->*lowMark)(5, IsLowMark(reply.Field(7)));
}

bool ReadGasList(const GasListRow& row, ReplyContext& reply) {
    bool accepted = true;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = reply.Field(gas);
        if (!IsGasValueField(field)) {
            accepted = false;
            continue;
        }
        (reply.record->*row.value)(gas, ParseGasValue(field));
        (reply.record->*row.flag)(gas, false);
    }
    ReadLowMarks(reply, row.lowMark);
    return accepted;
}

bool WriteGasList(ReplyContext& reply) {
    for (Integer gas = 0; gas < kChannels; ++gas)
        if (!IsGasValueField(reply.Field(gas))) return false;
    return true;
}

// ---- Gas readings ----

bool ReadReadings(ReplyContext& reply) {
    clsInstrument& rec = *reply.record;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = reply.Field(gas);
        if (IsNumericText(field)) rec.LimitValue(gas, TextToSingle(field));  // others keep their channel
    }
    if (reply.Count() == 8) {
        rec.LimitValueIsLo(4, IsLowMark(reply.Field(6)));
        rec.LimitValueIsLo(5, IsLowMark(reply.Field(7)));
    }
    std::array<Single, 6> readings{};
    for (Integer gas = 0; gas < kChannels; ++gas) readings[static_cast<std::size_t>(gas)] = rec.LimitValue(gas);
    reply.host.GasReadings(readings, rec.LimitValueIsLo(4), rec.LimitValueIsLo(5));
    return true;
}

// ---- Calibration and bump-test history: 22 characters per channel ----

constexpr std::size_t kHistoryField = 22;

struct HistoryRow {
    const char* failWord;  // a value field holding it has no value
    void (clsInstrument::*date)(Integer, Date);
    void (clsInstrument::*first)(Integer, Single);
    void (clsInstrument::*second)(Integer, Single);
    void (clsInstrument::*firstIsLo)(Integer, bool);
    void (clsInstrument::*secondIsLo)(Integer, bool);
};

const HistoryRow kCalibHistory = {"-", &clsInstrument::CalibDate, &clsInstrument::CalibBefore,
                                  &clsInstrument::CalibAfter, &clsInstrument::BeforeIsLo,
                                  &clsInstrument::AfterIsLo};
const HistoryRow kBumpHistory = {"FAIL", &clsInstrument::BumpDates, &clsInstrument::BumpResult,
                                 &clsInstrument::BumpConcentration, &clsInstrument::BumpResultIsLo,
                                 &clsInstrument::BumpConcentrationIsLo};

Single HistoryValue(const std::string& text, const char* failWord) {
    if (text.find(failWord) != std::string::npos || !IsNumericText(text)) return NoValue;
    return TextToSingle(text);
}

bool ReadHistory(const HistoryRow& row, ReplyContext& reply) {
    clsInstrument& rec = *reply.record;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = reply.Field(gas);
        if (field.size() != kHistoryField) continue;  // that channel keeps its history
        (rec.*row.date)(gas, HistoryDateTime(field.substr(0, 12)));
        (rec.*row.first)(gas, HistoryValue(field.substr(12, 5), row.failWord));
        (rec.*row.second)(gas, HistoryValue(field.substr(17, 5), row.failWord));
    }
    if (reply.Count() == 8) {
        for (Integer gas = 4; gas <= 5; ++gas) {
            const std::string marks = reply.Field(static_cast<Integer>(gas + 2));
            (rec.*row.firstIsLo)(gas, marks.size() > 0 && marks[0] == 'L');
            (rec.*row.secondIsLo)(gas, marks.size() > 1 && marks[1] == 'L');
        }
    }
    return true;
}

// ---- Gas descriptions ----

bool ReadGasInfo(ReplyContext& reply) {
    for (Integer gas = 0; gas < 5; ++gas)
        if (reply.Field(gas).size() != GasInfoFieldLength) return false;
    clsInstrument& rec = *reply.record;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        ParseGasInfo(reply.Field(gas), rec, gas);
        rec.Change_GasEnable(gas, false);
    }
    if (reply.Count() == 8) {
        ParseSecondRangeInfo(reply.Field(6), rec, 4);
        ParseSecondRangeInfo(reply.Field(7), rec, 5);
    }
    return true;
}

// Second-range factors of channels 5 and 6, rescaled from the second range's decimals to the
// main range's.
bool ReadSecondFactors(ReplyContext& reply) {
    if (reply.Count() != 2) return true;
    clsInstrument& rec = *reply.record;
    for (Integer gas = 4; gas <= 5; ++gas) {
        const std::string field = reply.Field(static_cast<Integer>(gas - 4));
        if (field == "********") continue;
        Single factor = HexToSingle(field);
        if (factor != static_cast<Single>(NoValue))
            factor = static_cast<Single>(factor / std::pow(10.0, rec.GasPoint_l(gas)) * std::pow(10.0, rec.GasPoint(gas)));
        rec.Factor_l(gas, factor);
    }
    return true;
}

// ---- Sensor ports: fixed ports first, then the lowest free port for each channel without one ----

bool ReadPorts(ReplyContext& reply) {
    clsInstrument& rec = *reply.record;
    std::array<bool, kChannels> taken{};
    std::array<Integer, kChannels> ports{};
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = reply.Field(gas);
        ports[static_cast<std::size_t>(gas)] = IsNumericText(field) ? DecimalToInteger(field) : Integer{-1};
        const Integer port = ports[static_cast<std::size_t>(gas)];
        if (IsNumericText(field) && port >= 0 && port < kChannels) taken[static_cast<std::size_t>(port)] = true;
    }
    for (Integer gas = 0; gas < kChannels; ++gas) {
        Integer& port = ports[static_cast<std::size_t>(gas)];
        if (IsNumericText(reply.Field(gas))) continue;
        for (Integer free = 0; free < kChannels && port < 0; ++free) {
            if (taken[static_cast<std::size_t>(free)]) continue;
            port = free;
            taken[static_cast<std::size_t>(free)] = true;
        }
    }
    for (Integer gas = 0; gas < kChannels; ++gas) rec.PortCh(gas, ports[static_cast<std::size_t>(gas)]);
    rec.Change_PortCh(false);
    return true;
}

// ---- Zero settings, forced zero, sensor dates, span data, converter values ----

bool ReadZero(ReplyContext& reply) {
    const std::string field = reply.Field(0);
    if (reply.Count() != 1 || field.size() != 6) return reply.Refuse(FormatErrorLine);
    for (char c : field)
        if (c < '0' || c > '9') return false;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        reply.record->Zero(gas, field[static_cast<std::size_t>(gas)] == '1' ? 1 : 0);
        reply.record->Change_Zero(gas, false);
    }
    return true;
}

bool WriteZero(ReplyContext& reply) {
    return reply.Field(0).size() == 6 || reply.Refuse(ResponseErrorLine);
}

bool ReadZeroForce(ReplyContext& reply) {
    if (reply.Count() != kChannels) return reply.Refuse(FormatErrorLine);
    bool accepted = true;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = reply.Field(gas);
        if (!IsHexText(field)) {
            accepted = false;
            continue;
        }
        reply.record->ZeroForce(gas, HexToInteger(field));
        reply.record->Change_ZeroForce(gas, false);
    }
    return accepted;
}

bool WriteZeroForce(ReplyContext& reply) { return reply.RepeatsSent(kChannels); }

bool ReadSensorDates(ReplyContext& reply) {
    if (reply.Count() != kChannels) return false;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        reply.record->SensorDate(gas, reply.Field(gas));
        reply.record->Change_SensorDate(gas, false);
    }
    return true;
}

bool ReadSpanData(ReplyContext& reply) {
    if (reply.Count() != kChannels) return reply.Refuse(FormatErrorLine);
    for (Integer gas = 0; gas < kChannels; ++gas) {
        reply.record->SpanData(gas, HexToSingle(reply.Field(gas)));
        reply.record->Change_SpanData(gas, false);
    }
    return true;
}

bool ReadAnalogValues(ReplyContext& reply) {
    for (Integer i = 0; i < 16; ++i) {
        const std::string field = reply.Field(i);
        if (IsHexText(field)) reply.record->AnalogValue(i, HexToInteger(field));  // others are skipped
    }
    return true;
}

}  // namespace

void AddGasReplies(ReplyTableMap& table) {
    for (const GasListRow& row : kGasLists) {
        const std::string code = row.code;
        table[code + ",R"] = {[&row](ReplyContext& reply) { return ReadGasList(row, reply); }, true};
        table[code + ",W"] = {WriteGasList, false};
    }
    table["DN,R"] = {ReadReadings, true};
    table["SO,R"] = {[](ReplyContext& reply) { return ReadHistory(kCalibHistory, reply); }, true};
    table["BO,R"] = {[](ReplyContext& reply) { return ReadHistory(kBumpHistory, reply); }, true};
    table["GJ,R"] = {ReadGasInfo, true};
    table["GJ,W"] = {AcceptAlways, false};
    table["GK,R"] = {ReadSecondFactors, true};
    table["UG,R"] = {ReadPorts, true};
    table["UG,W"] = {AcceptAlways, false};
    table["UZ,R"] = {ReadZero, true};
    table["UZ,W"] = {WriteZero, false};
    table["US,R"] = {ReadZeroForce, true};
    table["US,W"] = {WriteZeroForce, false};
    table["PS,R"] = {ReadSensorDates, true};
    table["PS,W"] = {ReadSensorDates, true};
    table["S1,R"] = {ReadSpanData, true};
    table["HA,R"] = {ReadAnalogValues, true};
}

}  // namespace tz
