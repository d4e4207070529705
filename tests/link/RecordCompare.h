#pragma once
// Every record value that a complete read fills, compared between two records: the names of the
// values that differ ("Warning(2)", "StationList(31)").
#include <cmath>
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"

namespace tz::test {

inline std::vector<std::string> ReadValueDifferences(const clsInstrument& a, const clsInstrument& b) {
    std::vector<std::string> diffs;
    auto at = [](const char* name, int i) { return std::string(name) + "(" + std::to_string(i) + ")"; };
    // Dates compare to the second; everything else exactly.
    auto sameDate = [](Date x, Date y) { return std::fabs(x - y) < 0.5 / 86400.0; };

#define TZ_SCALAR(p) \
    if (!(a.p() == b.p())) diffs.push_back(#p);
#define TZ_PER_GAS(p)                       \
    for (Integer g = 0; g < 6; ++g)         \
        if (!(a.p(g) == b.p(g))) diffs.push_back(at(#p, g));
#define TZ_SECOND_RANGE(p)                  \
    for (Integer g = 4; g < 6; ++g)         \
        if (!(a.p(g) == b.p(g))) diffs.push_back(at(#p, g));

    TZ_SCALAR(SerialNo) TZ_SCALAR(DummySerial) TZ_SCALAR(StationID) TZ_SCALAR(UserID)
    TZ_SCALAR(SpecNo) TZ_SCALAR(SpecType) TZ_SCALAR(RomNumber) TZ_SCALAR(SUM) TZ_SCALAR(PIDver)
    TZ_SCALAR(PID10ver) TZ_SCALAR(PIDdata) TZ_SCALAR(AlarmMode) TZ_SCALAR(CalLimit)
    TZ_SCALAR(Intervals) TZ_SCALAR(DispCalLimit) TZ_SCALAR(CalCheck) TZ_SCALAR(LogOverWrite)
    TZ_SCALAR(LcdBackLight) TZ_SCALAR(AlarmO2) TZ_SCALAR(AutoZero) TZ_SCALAR(DemandZero)
    TZ_SCALAR(UseMaintePassword) TZ_SCALAR(MaintePassword) TZ_SCALAR(PasswordProtect)
    TZ_SCALAR(DispBumpLimit) TZ_SCALAR(BumpLimit) TZ_SCALAR(BumpCheck) TZ_SCALAR(BumpTime)
    TZ_SCALAR(BumpThreshold) TZ_SCALAR(BumpFailCalTime) TZ_SCALAR(BumpFailAfter)
    TZ_SCALAR(BumpFunction) TZ_SCALAR(Confirmation) TZ_SCALAR(ConfirmationTime)
    TZ_SCALAR(AlarmOnOff) TZ_SCALAR(LunchBreak) TZ_SCALAR(PumpOnOffDisp) TZ_SCALAR(DispID)
    TZ_SCALAR(AlarmSilence) TZ_SCALAR(PeakBar) TZ_SCALAR(BumpCheckALL) TZ_SCALAR(CalCheckALL)
    TZ_SCALAR(FlowLevel) TZ_SCALAR(InertMode) TZ_SCALAR(LcBhMode) TZ_SCALAR(BhTime)
    TZ_SCALAR(LcBuzzer) TZ_SCALAR(LcdContrast) TZ_SCALAR(IRRange) TZ_SCALAR(Inert1st)
    TZ_SCALAR(Inert2nd) TZ_SCALAR(UseUserPassword) TZ_SCALAR(UserPassword2) TZ_SCALAR(Inverse)
    TZ_SCALAR(RemainTimeDisp) TZ_SCALAR(KeySound) TZ_SCALAR(Panic) TZ_SCALAR(ManDown)
    TZ_SCALAR(ManDown1) TZ_SCALAR(ManDown2) TZ_SCALAR(ManDown3) TZ_SCALAR(dlogOnOff)
    TZ_SCALAR(DateDispType) TZ_SCALAR(pressOffset) TZ_SCALAR(CSAdata) TZ_SCALAR(LangType)
    TZ_SCALAR(LeakCOdisp)

    TZ_PER_GAS(GasName) TZ_PER_GAS(GasDesit) TZ_PER_GAS(GasPoint) TZ_PER_GAS(GasUnit)
    TZ_PER_GAS(GasFullScale) TZ_PER_GAS(GasEnabled) TZ_PER_GAS(Warning) TZ_PER_GAS(Alarm)
    TZ_PER_GAS(Stel) TZ_PER_GAS(Twa) TZ_PER_GAS(AutoCalib) TZ_PER_GAS(SpanData)
    TZ_PER_GAS(CalibBefore) TZ_PER_GAS(CalibAfter) TZ_PER_GAS(BumpResult)
    TZ_PER_GAS(BumpConcentration) TZ_PER_GAS(SensorDate) TZ_PER_GAS(Zero) TZ_PER_GAS(ZeroForce)
    TZ_PER_GAS(LimitValue) TZ_PER_GAS(PortCh) TZ_PER_GAS(WarnIsLo) TZ_PER_GAS(AlarmIsLo)
    TZ_PER_GAS(StelIsLo) TZ_PER_GAS(TwaIsLo) TZ_PER_GAS(AutoCalIsLo) TZ_PER_GAS(BeforeIsLo)
    TZ_PER_GAS(AfterIsLo) TZ_PER_GAS(BumpResultIsLo) TZ_PER_GAS(BumpConcentrationIsLo)
    TZ_PER_GAS(LimitValueIsLo)

    TZ_SECOND_RANGE(GasFullScale_l) TZ_SECOND_RANGE(GasDigit_l) TZ_SECOND_RANGE(GasPoint_l)
    TZ_SECOND_RANGE(GasUnit_l) TZ_SECOND_RANGE(Factor_l)

#undef TZ_SECOND_RANGE
#undef TZ_PER_GAS
#undef TZ_SCALAR

    if (!sameDate(a.SysDate(), b.SysDate())) diffs.push_back("SysDate");
    for (Integer g = 0; g < 6; ++g) {
        if (!sameDate(a.CalibDate(g), b.CalibDate(g))) diffs.push_back(at("CalibDate", g));
        if (!sameDate(a.BumpDates(g), b.BumpDates(g))) diffs.push_back(at("BumpDates", g));
    }
    for (Integer i = 0; i < 16; ++i)
        if (a.AnalogValue(i) != b.AnalogValue(i)) diffs.push_back(at("AnalogValue", i));
    for (Integer n = 0; n < clsInstrument::ListEntries; ++n) {
        if (a.StationList(n) != b.StationList(n)) diffs.push_back(at("StationList", n));
        if (a.UserList(n) != b.UserList(n)) diffs.push_back(at("UserList", n));
    }
    return diffs;
}

}  // namespace tz::test
