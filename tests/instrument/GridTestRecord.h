#pragma once
// A record with six fitted channels as an instrument reports them, for the settings-grid and
// calibration tests:
//   0 CH4  %LEL  full scale 100, step 1, no decimals      warning 10, alarm 50
//   1 O2   %     full scale 40, step 0.1, one decimal      warning 19.5, alarm 18.0, AlarmO2 1
//   2 H2S  ppm   full scale 100, step 0.5, one decimal     10, 30, STEL 5, TWA 1
//   3 CO   ppm   full scale 500, step 1                    25, 50, STEL 200, TWA 25
//   4 VOC  ppm   full scale 100, step 0.1 / second range ppb, full scale 9999, step 1, factor 1000
//                                                          (dual-range) warning 1.0, alarm 5.0 ppm
//   5 HC   ppm   full scale 1000, step 10 / second range ppm, full scale 100, step 1 (same unit)
// Positions 1 to 6 in channel order, auto-calibration concentrations 50, 12, 25, 50, 10, 100.
#include <string>

#include "instrument/clsInstrument.h"

namespace tz::testing {

inline void SetMainRange(clsInstrument& r, Integer gas, const std::string& name, const std::string& unit,
                         Single fullScale, Single step, Integer decimals) {
    r.GasName(gas, name);
    r.GasUnit(gas, unit);
    r.GasFullScale(gas, fullScale);
    r.GasDesit(gas, step);
    r.GasPoint(gas, decimals);
    r.GasEnabled(gas, true);
}

inline void SetSecondRange(clsInstrument& r, Integer gas, const std::string& unit, Single fullScale, Single step,
                           Integer decimals, Single factor) {
    r.GasUnit_l(gas, unit);
    r.GasFullScale_l(gas, fullScale);
    r.GasDigit_l(gas, step);
    r.GasPoint_l(gas, decimals);
    r.Factor_l(gas, factor);
}

inline void SetLevels(clsInstrument& r, Integer gas, Single warning, Single alarm, Single stel, Single twa,
                      Single autoCal) {
    r.Warning(gas, warning);
    r.Alarm(gas, alarm);
    r.Stel(gas, stel);
    r.Twa(gas, twa);
    r.AutoCalib(gas, autoCal);
}

inline clsInstrument GridTestRecord() {
    clsInstrument r;
    SetMainRange(r, 0, "CH4", "%LEL", 100, 1, 0);
    SetMainRange(r, 1, "O2", "%", 40, 0.1f, 1);
    SetMainRange(r, 2, "H2S", "ppm", 100, 0.5f, 1);
    SetMainRange(r, 3, "CO", "ppm", 500, 1, 0);
    SetMainRange(r, 4, "VOC", "ppm", 100, 0.1f, 1);
    SetMainRange(r, 5, "HC", "ppm", 1000, 10, 0);
    SetSecondRange(r, 4, "ppb", 9999, 1, 0, 1000);
    SetSecondRange(r, 5, "ppm", 100, 1, 0, 1);
    SetLevels(r, 0, 10, 50, -101, -101, 50);
    SetLevels(r, 1, 19.5f, 18.0f, -101, -101, 12);
    SetLevels(r, 2, 10, 30, 5, 1, 25);
    SetLevels(r, 3, 25, 50, 200, 25, 50);
    SetLevels(r, 4, 1.0f, 5.0f, 2.0f, 1.0f, 10);
    SetLevels(r, 5, 100, 200, -101, -101, 100);
    r.AlarmO2(1);
    for (Integer gas = 0; gas < 6; ++gas) r.PortCh(gas, gas);
    r.CommFlags(true);
    r.ClearChangeFlags();
    return r;
}

}  // namespace tz::testing
