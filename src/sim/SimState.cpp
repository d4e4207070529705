#include "sim/SimState.h"

#include "text/DateTime.h"

namespace tz {
namespace {

constexpr Single None = NoValue;  // -101, "no value"

Date At(int year, int month, int day, int hour, int minute, int second) {
    return MakeDate({year, month, day, hour, minute, second}).value_or(0);
}

// Main range, alarm points and calibration gas of one channel.
struct ChannelRow {
    const char* name;
    Single fullScale, step;
    Integer decimals;
    const char* unit;
    Single warning, alarm, stel, twa, autoCalib, span;
    const char* sensorDate;
    Integer zero, zeroForce;
};

// Last calibration and bump test of one channel.
struct HistoryRow {
    Date calibDate;
    Single before, after;
    Date bumpDate;
    Single bumpResult, bumpConcentration;
};

void SetChannel(clsInstrument& r, Integer gas, const ChannelRow& c) {
    r.GasName(gas, c.name);
    r.GasEnabled(gas, true);
    r.GasFullScale(gas, c.fullScale);
    r.GasDesit(gas, c.step);
    r.GasPoint(gas, c.decimals);
    r.GasUnit(gas, c.unit);
    r.Warning(gas, c.warning);
    r.Alarm(gas, c.alarm);
    r.Stel(gas, c.stel);
    r.Twa(gas, c.twa);
    r.AutoCalib(gas, c.autoCalib);
    r.SpanData(gas, c.span);
    r.SensorDate(gas, c.sensorDate);
    r.Zero(gas, c.zero);
    r.ZeroForce(gas, c.zeroForce);
}

void SetHistory(clsInstrument& r, Integer gas, const HistoryRow& h) {
    r.CalibDate(gas, h.calibDate);
    r.CalibBefore(gas, h.before);
    r.CalibAfter(gas, h.after);
    r.BumpDates(gas, h.bumpDate);
    r.BumpResult(gas, h.bumpResult);
    r.BumpConcentration(gas, h.bumpConcentration);
}

void SetChannels(clsInstrument& r) {
    static const ChannelRow kChannels[] = {
        {"CH4", 100, 1, 0, "%LEL", 10, 50, None, None, 50, 1.0f, "230415", 1, 0},
        {"O2", 25.0f, 0.1f, 1, "vol%", 19.5f, 18.0f, None, None, 18.0f, 0.984375f, "230415", 0, 0},
        {"H2S", 30.0f, 0.1f, 1, "ppm", 5.0f, 10.0f, 5.0f, 1.0f, 25.0f, 1.046875f, "240102", 1, 1},
        {"CO", 500, 1, 0, "ppm", 25, 50, 200, 25, 50, 1.125f, "240102", 1, 0},
        {"VOC", 200.0f, 0.1f, 1, "ppm", 500, 200.0f, 2000, 1000, 100.0f, 0.875f, "250620", 1, 2},
    };
    static const HistoryRow kHistory[] = {
        {At(2025, 11, 3, 9, 14, 27), 48, 50, At(2025, 12, 1, 8, 2, 10), 49, 50},
        {At(2025, 11, 3, 9, 15, 2), 20.6f, 20.9f, At(2025, 12, 1, 8, 2, 10), 18.1f, 18.0f},
        {At(2025, 11, 3, 9, 16, 40), 24.1f, 25.0f, At(2025, 12, 1, 8, 2, 10), None, 25.0f},
        {At(2025, 11, 3, 9, 16, 40), None, 50, At(2025, 12, 1, 8, 2, 10), 48, 50},
        {At(2025, 10, 28, 16, 45, 0), 950, 1000, At(2025, 12, 1, 8, 3, 55), 4800, 5.0f},
    };
    for (Integer gas = 0; gas < 5; ++gas) {
        SetChannel(r, gas, kChannels[gas]);
        SetHistory(r, gas, kHistory[gas]);
    }

    // Channel 5 (photo-ionisation) has a second range in ppb, on which some values are kept.
    r.GasFullScale_l(4, 5000);
    r.GasDigit_l(4, 1);
    r.GasPoint_l(4, 0);
    r.GasUnit_l(4, "ppb");
    r.WarnIsLo(4, true);
    r.StelIsLo(4, true);
    r.TwaIsLo(4, true);
    r.BeforeIsLo(4, true);
    r.AfterIsLo(4, true);
    r.BumpResultIsLo(4, true);

    // Channel 6 is not fitted: its main range keeps the record's "not fitted" content, and its
    // second range is absent (no unit).
    r.GasUnit_l(5, "");
}

void SetIdentity(clsInstrument& r) {
    r.SerialNo("TZ73A0012345");
    r.DummySerial("M2401-0457");
    r.SpecNo("STD-EU-01");
    r.SpecType("1");
    r.RomNumber(730012);
    r.SUM("5A3C");
    r.PIDver("PID V2.10");
    r.PID10ver("PID10 V1.04");
    r.PIDdata("ISOBUTYLENE,1.000,10.6");
}

void SetOptions(clsInstrument& r) {
    r.AlarmMode(1);        r.AlarmO2(1);          r.CalLimit(180);       r.Intervals(300);
    r.DispCalLimit(1);     r.CalCheck(1);         r.LogOverWrite(1);     r.LcdBackLight(30);
    r.AutoZero(1);         r.DemandZero(1);       r.UseMaintePassword(1); r.MaintePassword("3721");
    r.PasswordProtect(1);  r.DispBumpLimit(1);    r.BumpLimit(30);       r.BumpCheck(1);
    r.BumpTime(45);        r.BumpThreshold(50);   r.BumpFailCalTime(90); r.BumpFailAfter(0);
    r.BumpFunction(1);     r.Confirmation(1);     r.ConfirmationTime(15); r.AlarmOnOff(0);
    r.LunchBreak(1);       r.PumpOnOffDisp(1);    r.DispID(1);           r.AlarmSilence(1);
    r.PeakBar(1);          r.BumpCheckALL(0);     r.CalCheckALL(0);      r.FlowLevel(350);
    r.CSAdata(1);          r.InertMode(1);        r.LcBhMode(2);         r.BhTime(30);
    r.LcBuzzer(1);         r.LcdContrast(5);      r.IRRange(1);          r.Inert1st(5.0f);
    r.Inert2nd(2.0f);      r.UseUserPassword(1);  r.UserPassword2("2580"); r.Inverse(1);
    r.RemainTimeDisp(1);   r.KeySound(1);         r.Panic(1);            r.ManDown(1);
    r.ManDown1(30);        r.ManDown2(15);        r.ManDown3(60);        r.dlogOnOff(1);
    r.DateDispType(2);     r.pressOffset(-12);    r.LangType(1);         r.LeakCOdisp(1);
    for (Integer i = 0; i < 6; ++i) r.PortCh(i, i);
}

void SetLists(clsInstrument& r) {
    // Every entry is 16 characters, the width the instrument keeps; unnamed ones are dashes.
    static const struct { Integer index; const char* text; } kStations[] = {
        {0, "MAIN GATE NORTH1"}, {1, "TANK FARM T-0101"}, {2, "BOILER 2, LEVEL3"},
        {31, "SEWER ACCESS 007"}, {127, "LAST STATION 127"},
    };
    static const struct { Integer index; const char* text; } kUsers[] = {
        {0, "J.SMITH OPS-0004"}, {1, "A.TANAKA MAINT01"}, {5, "CONTRACTOR-17,SH"},
        {127, "LAST USER ID 127"},
    };
    for (const auto& s : kStations) r.StationList(s.index, s.text);
    for (const auto& u : kUsers) r.UserList(u.index, u.text);
    r.StationID(r.StationList(1));
    r.UserID(r.UserList(5));
}

void SetReadings(clsInstrument& r) {
    // A/D counts in the order of the converter list, each inside its default check range
    // ("ch" rows in millivolts of 3300/4096 per count); EX G Y reads negative.
    static const Integer kAnalog[16] = {1013, 621, 1539, 1229, 2110, 2098, 2036, 2023,
                                        5150, 5160, 120, 118, 1100, 12, -8, 950};
    for (Integer i = 0; i < 16; ++i) r.AnalogValue(i, kAnalog[i]);
    static const Single kReadings[5] = {0, 20.9f, 0.0f, 3, 120};
    for (Integer i = 0; i < 5; ++i) r.LimitValue(i, kReadings[i]);
    r.LimitValueIsLo(4, true);
}

}  // namespace

clsInstrument RecordAsRead(const SimState& state) {
    clsInstrument record = state.record;
    record.SysDate(state.clock);
    return record;
}

std::vector<std::uint8_t> MakeMemoryImage(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> image(size);
    std::uint32_t x = seed;
    for (auto& byte : image) {
        x = x * 1664525u + 1013904223u;  // linear congruential sequence
        byte = static_cast<std::uint8_t>(x >> 24);
    }
    return image;
}

SimState DefaultSimState() {
    SimState s;
    clsInstrument& r = s.record;
    SetChannels(r);
    SetIdentity(r);
    SetOptions(r);
    SetLists(r);
    SetReadings(r);
    r.ClearChangeFlags();
    r.Change_FlowLevel(false);
    r.Change_pressOffset(false);

    s.clock = At(2025, 12, 10, 14, 32, 5);
    s.zeroCounts = {0x0120, 0x0215, 0x0098, 0x0101, 0x00E4, 0};
    // Channel 5's factor arrives in the second range's decimals (0) and is kept in the main
    // range's (1): the program's record holds 0.5 * 10 = 5.
    s.secondRangeFactor = {0.5f, 0};
    s.hasSecondRangeFactor = {true, false};
    r.Factor_l(4, 5.0f);
    s.memory = MakeMemoryImage(1u << 20, s.memorySeed);
    s.defaults = s.record;
    return s;
}

}  // namespace tz
