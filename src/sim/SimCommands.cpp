#include "sim/SimCommands.h"

#include <cctype>
#include <unordered_map>
#include <vector>

#include "link/Frame.h"
#include "sim/SimField.h"

namespace tz {
namespace {

using namespace SimField;
using Record = clsInstrument;

constexpr Integer Channels = 6;

SimReply Data(std::string data) { return {std::move(data), false}; }

std::string Join(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += fields[i];
    }
    return out;
}

template <class Field>
std::string PerGas(Field field) {
    std::vector<std::string> fields;
    for (Integer gas = 0; gas < Channels; ++gas) fields.push_back(field(gas));
    return Join(fields);
}

// Decimals of a channel's value: the second range's when the value is on it.
Integer DecimalsOf(const Record& r, Integer gas, bool lo) {
    return lo ? r.GasPoint_l(gas) : r.GasPoint(gas);
}

std::string Mark(bool lo) { return lo ? "L" : "H"; }

// A per-gas list of gas values with the low marks of channels 5 and 6 ("A1", "DN", ...).
using ValueOf = Single (*)(const Record&, Integer);
using LoOf = bool (*)(const Record&, Integer);

// A channel that is not fitted has no value.
std::string GasValues(const Record& r, ValueOf value, LoOf lo) {
    return PerGas([&](Integer g) {
               return r.GasEnabled(g) ? Num5(value(r, g), DecimalsOf(r, g, lo(r, g)))
                                      : std::string("*****");
           }) + "," +
           Mark(lo(r, 4)) + "," + Mark(lo(r, 5));
}

// One 22-character history field: date and time, then two five-character values; a missing
// value is shown with `missing` (the calibration history shows dashes, the bump history FAIL).
// A channel that is not fitted has no history and sends a short field.
std::string HistoryField(const Record& r, Integer gas, Date date, Single first, bool firstLo,
                         Single second, bool secondLo, const char* missing) {
    if (!r.GasEnabled(gas)) return "------";
    auto value = [&](Single v, bool lo) {
        return v == NoValue ? std::string(missing) : Num5(v, DecimalsOf(r, gas, lo));
    };
    return DateTime12(date) + value(first, firstLo) + value(second, secondLo);
}

std::string CalibHistory(const Record& r) {
    return PerGas([&](Integer g) {
               return HistoryField(r, g, r.CalibDate(g), r.CalibBefore(g), r.BeforeIsLo(g),
                                   r.CalibAfter(g), r.AfterIsLo(g), "-----");
           }) +
           "," + Mark(r.BeforeIsLo(4)) + Mark(r.AfterIsLo(4)) + "," + Mark(r.BeforeIsLo(5)) +
           Mark(r.AfterIsLo(5));
}

std::string BumpHistory(const Record& r) {
    return PerGas([&](Integer g) {
               return HistoryField(r, g, r.BumpDates(g), r.BumpResult(g), r.BumpResultIsLo(g),
                                   r.BumpConcentration(g), r.BumpConcentrationIsLo(g), " FAIL");
           }) +
           "," + Mark(r.BumpResultIsLo(4)) + Mark(r.BumpConcentrationIsLo(4)) + "," +
           Mark(r.BumpResultIsLo(5)) + Mark(r.BumpConcentrationIsLo(5));
}

const std::string NotFitted(25, '*');

std::string RangeField(const std::string& name, Single fullScale, Single step, Integer decimals,
                       const std::string& unit) {
    return Fix(name, 10) + " " + Num5(fullScale, decimals) + Num5(step, decimals) + Fix(unit, 4);
}

// Six main ranges, then the second ranges of channels 5 and 6.
std::string GasInformation(const Record& r) {
    std::string out = PerGas([&](Integer g) {
        return r.GasEnabled(g) ? RangeField(r.GasName(g), r.GasFullScale(g), r.GasDesit(g),
                                            r.GasPoint(g), r.GasUnit(g))
                               : NotFitted;
    });
    for (Integer g = 4; g < Channels; ++g) {
        const bool present = r.GasEnabled(g) && r.GasFullScale_l(g) >= 0;
        out += "," + (present ? RangeField(r.GasName(g), r.GasFullScale_l(g), r.GasDigit_l(g),
                                           r.GasPoint_l(g), r.GasUnit_l(g))
                              : NotFitted);
    }
    return out;
}

std::string SecondRangeFactors(const SimState& s) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < 2; ++i)
        fields.push_back(s.hasSecondRangeFactor[i] ? Float8(s.secondRangeFactor[i]) : "********");
    return Join(fields);
}

// A list index of four hexadecimal digits, 0 to 127; -1 for anything else.
int ListIndex(const std::string& text) {
    if (text.size() != 4) return -1;
    int value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
        value = value * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                          : std::toupper(c) - 'A' + 10);
    }
    return value < clsInstrument::ListEntries ? value : -1;
}

// "XS,R,****" gives the current ID, "XS,R,001F" list entry 31; the reply repeats the address.
template <class Current, class Entry>
SimReply ListRead(const std::string& payload, Current current, Entry entry) {
    if (payload == "****") return Data("****," + current());
    const int index = ListIndex(payload);
    if (index < 0) return SimReply::Refused();
    return Data(Hex(index, 4) + "," + entry(static_cast<Integer>(index)));
}

// Read replies. Each row builds the data of one read from the state.
#define READ(key, expr) \
    SimCommand { key, [](SimState& s, const std::string& payload) -> SimReply { \
        [[maybe_unused]] const Record& r = s.record; (void)payload; return expr; } }

const SimCommand kCommands[] = {
    READ("RC,R", Data(s.model)),
    READ("SZ,R", Data(PerGas([&](Integer g) { return Hex(s.zeroCounts[g], 4); }))),
    READ("S1,R", Data(PerGas([&](Integer g) { return Float8(r.SpanData(g)); }))),
    READ("IN,R", Data(Fix(r.SerialNo(), 20))),
    READ("HN,R", Data(Fix(r.DummySerial(), 20))),
    READ("XS,R", ListRead(payload, [&] { return r.StationID(); },
                          [&](Integer i) { return r.StationList(i); })),
    READ("XZ,R", ListRead(payload, [&] { return r.UserID(); },
                          [&](Integer i) { return r.UserList(i); })),
    READ("HC,R", Data(DateTime12(s.clock))),
    READ("A1,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.Warning(g); },
                                [](const Record& x, Integer g) { return x.WarnIsLo(g); }))),
    READ("A2,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.Alarm(g); },
                                [](const Record& x, Integer g) { return x.AlarmIsLo(g); }))),
    READ("AS,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.Stel(g); },
                                [](const Record& x, Integer g) { return x.StelIsLo(g); }))),
    READ("AW,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.Twa(g); },
                                [](const Record& x, Integer g) { return x.TwaIsLo(g); }))),
    READ("SA,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.AutoCalib(g); },
                                [](const Record& x, Integer g) { return x.AutoCalIsLo(g); }))),
    READ("DN,R", Data(GasValues(r, [](const Record& x, Integer g) { return x.LimitValue(g); },
                                [](const Record& x, Integer g) { return x.LimitValueIsLo(g); }))),
    READ("AP,R", Data(Dec(r.AlarmMode()))),
    READ("G1,R", Data(r.PIDdata())),
    READ("SC,R", Data(Hex(r.CalLimit(), 4))),
    READ("XP,R", Data(Hex(r.Intervals(), 4))),
    READ("SD,R", Data(Dec(r.DispCalLimit()))),
    READ("SM,R", Data(Dec(r.CalCheck()))),
    READ("XW,R", Data(Dec(r.LogOverWrite()))),
    READ("XT,R", Data(Hex(r.LcdBackLight(), 4))),
    READ("VP,R", Data(Dec(r.RomNumber()))),
    READ("VS,R", Data(r.SUM())),
    READ("HA,R", Data([&] {
             std::vector<std::string> fields;
             for (Integer i = 0; i < 16; ++i) fields.push_back(Hex(r.AnalogValue(i), 4));
             return Join(fields);
         }())),
    READ("AT,R", Data(Dec(r.AlarmO2()))),
    READ("SO,R", Data(CalibHistory(r))),
    READ("GJ,R", Data(GasInformation(r))),
    READ("L6,R", Data(r.PID10ver())),
    READ("SJ,R", Data(Dec(r.AutoZero()))),
    READ("SG,R", Data(Dec(r.DemandZero()))),
    READ("MP,R", Data(Dec(r.UseMaintePassword()) + "," + r.MaintePassword())),
    READ("PG,R", Data(Dec(r.PasswordProtect()))),
    READ("UJ,R", Data(r.SpecType())),
    READ("BJ,R", Data(Dec(r.DispBumpLimit()))),
    READ("BK,R", Data(Hex(r.BumpLimit(), 4))),
    READ("BL,R", Data(Dec(r.BumpCheck()))),
    READ("BO,R", Data(BumpHistory(r))),
    READ("BU,R", Data(Hex(r.BumpTime(), 2) + "," + Hex(r.BumpThreshold(), 2) + "," +
                      Hex(r.BumpFailCalTime(), 2) + "," + Dec(r.BumpFailAfter()))),
    READ("BV,R", Data(Dec(r.BumpFunction()))),
    READ("XB,R", Data(Hex(r.Confirmation(), 2) + "," + Hex(r.ConfirmationTime(), 2))),
    READ("PS,R", Data(PerGas([&](Integer g) { return r.SensorDate(g); }))),
    READ("BS,R", Data(Fix(r.SpecNo(), 10))),
    READ("LV,R", Data(r.PIDver())),
    READ("AF,R", Data(Dec(r.AlarmOnOff()))),
    READ("XL,R", Data(Dec(r.LunchBreak()))),
    READ("PO,R", Data(Hex(r.PumpOnOffDisp(), 2))),
    READ("XI,R", Data(Hex(r.DispID(), 2))),
    READ("XA,R", Data(Dec(r.AlarmSilence()))),
    READ("EB,R", Data(Hex(r.PeakBar(), 2))),
    READ("BW,R", Data(Dec(r.BumpCheckALL()))),
    READ("SW,R", Data(Dec(r.CalCheckALL()))),
    READ("CP,R", Data(Hex(r.FlowLevel(), 8))),
    READ("WB,R", Data(Dec(r.InertMode()) + "," + Dec(r.LcBhMode()) + "," + Hex(r.BhTime(), 2) +
                      "," + Hex(r.LcBuzzer(), 2))),
    READ("UL,R", Data(Hex(r.LcdContrast(), 2))),
    READ("UZ,R", Data([&] {
             std::string digits;
             for (Integer g = 0; g < Channels; ++g) digits += Dec(r.Zero(g)).back();
             return digits;
         }())),
    READ("US,R", Data(PerGas([&](Integer g) { return Hex(r.ZeroForce(g), 4); }))),
    READ("FF,R", Data(Hex(r.IRRange(), 2))),
    READ("A3,R", Data(Num5(r.Inert1st(), r.GasPoint(1)))),
    READ("A4,R", Data(Num5(r.Inert2nd(), r.GasPoint(1)))),
    READ("MO,R", Data(Dec(r.UseUserPassword()) + "," + r.UserPassword2())),
    READ("KL,R", Data(Dec(r.Inverse()))),
    READ("XD,R", Data(Dec(r.RemainTimeDisp()))),
    READ("JZ,R", Data(Dec(r.KeySound()))),
    READ("AN,R", Data(Dec(r.Panic()) + "," + Dec(r.ManDown()) + "," + Hex(r.ManDown1(), 2) + "," +
                      Hex(r.ManDown2(), 2) + "," + Hex(r.ManDown3(), 2))),
    READ("GK,R", Data(SecondRangeFactors(s))),
    READ("X7,R", Data(Hex(r.dlogOnOff(), 2))),
    READ("UW,R", Data(Dec(r.DateDispType()))),
    READ("HF,R", Data(Hex(r.pressOffset(), 4))),
    READ("U9,R", Data(Hex(r.CSAdata(), 8))),
    READ("UG,R", Data(PerGas([&](Integer g) {
             return r.PortCh(g) < 0 ? std::string("F") : Dec(r.PortCh(g));
         }))),
    READ("EJ,R", Data(Dec(r.LangType()))),
    READ("UO,R", Data(Dec(r.LeakCOdisp()))),
};

#undef READ

const std::unordered_map<std::string, SimHandler>& Index() {
    static const auto index = [] {
        std::unordered_map<std::string, SimHandler> map;
        for (const SimCommand& c : kCommands) map.emplace(c.key, c.handler);
        return map;
    }();
    return index;
}

}  // namespace

SimReply SimReply::Refused() { return {std::string(1, NAK), false}; }

SimHandler FindSimCommand(const std::string& key) {
    const auto& index = Index();
    const auto it = index.find(key);
    return it == index.end() ? nullptr : it->second;
}

std::vector<std::string> SimCommandKeys() {
    std::vector<std::string> keys;
    for (const SimCommand& c : kCommands) keys.push_back(c.key);
    return keys;
}

}  // namespace tz
