#pragma once
// What the simulated instrument keeps about the actions the program starts on it: the running
// actions that the program polls for completion, the outcomes a test chooses for zero and span
// calibration and for calibration factors, and what each action left behind.
#include <array>
#include <string>

#include "text/Types.h"

namespace tz {

// An action that finishes after a number of polls ("XC,W," then "XC,C," until done).
struct SimPoll {
    // Chosen by a test: the polls answered "not yet" (SUB) before the one that reports done.
    int notYet = 2;
    // Progress: the "not yet" answers still to give, and whether the action is running.
    int remaining = 0;
    bool running = false;
};

struct SimMaintenance {
    SimPoll dataClear;       // "XC": clear the logged data
    SimPoll powerDataClear;  // "XY": clear the power-on log
    SimPoll defaults;        // "UX": back to the default settings
    SimPoll heater;          // "LR": sample heater warming up (only when switched on)
    SimPoll zero;            // "SZ": zero calibration

    // Outcomes a test chooses per channel: zero and span calibration pass, a calibration factor
    // ("S1,D,") is taken. A channel that fails keeps its old values.
    std::array<bool, 6> zeroPasses{true, true, true, true, true, true};
    std::array<bool, 6> spanPasses{true, true, true, true, true, true};
    std::array<bool, 6> factorAccepted{true, true, true, true, true, true};

    // Requests and results: the last channel selection ("111111"), and the six-character result,
    // one character per channel: "0" passed, "1" failed, "-" not calibrated (not selected or not
    // fitted). Empty until the first run ends.
    std::string zeroRequest, zeroResult;
    std::string spanRequest, spanResult;

    // Switches the program sets.
    Integer heaterOn = 0;      // "LR,W,"
    Integer heaterDry = 0;     // "SQ,W,"
    std::string o2Density;     // "SN,W," as sent
    bool pumpOn = false;       // "BP,W,"

    // Actions completed.
    int dataClears = 0;        // "XC" finished
    int powerDataClears = 0;   // "XY" finished
    int defaultResets = 0;     // "UX" finished
    int checks = 0;            // "XH,E,"
    int closingWrites = 0;     // "DW,W,"
    int factorySaves = 0;      // "FB,W,"
    int factoryRestores = 0;   // "FB,R,"
};

}  // namespace tz
