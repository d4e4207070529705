#include "app/StartupDefaults.h"

#include "text/Catalogue.h"

namespace tz {

namespace {

// A built-in entry of the gas table: channel slot, entry and the gas.
struct BuiltInGas {
    int Slot;
    int Kind;
    const char* Name;
    const char* Unit;
    Integer Decimals;
    Single Warning, Alarm, Stel, Twa, Step, FullScale, AutoCal;
    Integer Zero;
};

constexpr Single Off = NoValue;

// "HC " keeps its trailing space: it is the gas's name as the instrument knows it.
constexpr BuiltInGas BuiltInGases[] = {
    {0, 0, "CH4", "%LEL", 0, 10, 50, Off, Off, 1, 100, 50, 1},
    {0, 1, "HC ", "%LEL", 0, 10, 50, Off, Off, 1, 100, 50, 1},
    {1, 0, "O2", "%", 1, 19.5f, 23.5f, Off, Off, 0.1f, 40, 12, 0},
    {2, 0, "H2S", "ppm", 1, 10, 30, 5, 1, 0.5f, 100, 25, 1},
    {2, 1, "H2S", "ppm", 1, 1, 10, 5, 1, 0.5f, 30, 25, 1},
    {3, 0, "CO", "ppm", 0, 25, 50, 200, 25, 1, 500, 50, 1},
};

// The gases DefaultRecord offers on channels 0 to 3 until the configuration file names others.
// A level of -1 is switched off.
struct DefaultGas {
    const char* Name;
    const char* Unit;
    Single Warning, Alarm, Stel, Twa, Step, FullScale, AutoCal;
};

constexpr DefaultGas DefaultGases[4] = {
    {"CH4", "%LEL", 10, 50, -1, -1, 1, 100, 50},
    {"O2", "VOL%", 19.5f, 23.5f, -1, -1, 0.1f, 40, 12},
    {"H2S", "ppm", 10, 30, 15, 10, 0.5f, 100, 10},
    {"CO", "ppm", 25, 50, 200, 25, 1, 500, 100},
};

constexpr std::array<Single, 4> DefaultCalibRange = {50, 12, 25, 50};

constexpr std::array<AdCheckRange, AdCheckRows> AdCheckDefaults = {{
    {0, 1600}, {452, 550}, {1003, 1480}, {874, 1103}, {1331, 2092}, {1300, 2092}, {1200, 2092},
    {1200, 2092}, {4100, 4250}, {4100, 4250}, {1040, 1160}, {-100, 100}, {-100, 100}, {800, 1100},
}};

// A channel of DefaultRecord that holds no gas yet: full scale 0, or the record's "not set" value
// that a new record starts with.
bool HasNoGas(const clsInstrument& rec, Integer channel) {
    const Single fullScale = rec.GasFullScale(channel);
    return fullScale == 0.0f || fullScale == static_cast<Single>(NoValue);
}

void SetDefaultGases(ProgramState& state) {
    clsInstrument& rec = state.DefaultRecord;
    for (Integer c = 0; c < 4; ++c) {
        if (!HasNoGas(rec, c)) continue;
        const DefaultGas& g = DefaultGases[c];
        rec.GasEnabled(c, true);
        rec.GasPoint(c, 0);
        rec.GasName(c, g.Name);
        rec.GasUnit(c, g.Unit);
        rec.Warning(c, g.Warning);
        rec.Alarm(c, g.Alarm);
        rec.Stel(c, g.Stel);
        rec.Twa(c, g.Twa);
        rec.GasDesit(c, g.Step);
        rec.GasFullScale(c, g.FullScale);
        rec.AutoCalib(c, g.AutoCal);
        state.FactoryAutoCalib[static_cast<std::size_t>(c)] = g.AutoCal;
    }
}

}  // namespace

bool IsEnglishCatalogue() { return LoadMessage(LanguageCodeMessage) == "EN"; }

void TakeAutoCalConcentrations(ProgramState& state) {
    for (Integer c = 0; c < 6; ++c) {
        const Single own = state.Instrument.AutoCalib(c);
        state.FactoryAutoCalib[static_cast<std::size_t>(c)] =
            own == static_cast<Single>(NoValue) ? state.DefaultRecord.AutoCalib(c) : own;
    }
}

void ApplyCreationDefaults(ProgramState& state) { state.CommSettings = "921600,n,8,1"; }

void ApplyGasTableDefaults(ProgramState& state) {
    state.FactoryAutoCalib.fill(static_cast<Single>(NoValue));
    for (auto& channel : state.GasTable) {
        for (int kind = 0; kind < 8; ++kind) {
            channel[static_cast<std::size_t>(kind)].Enabled = false;
            channel[static_cast<std::size_t>(kind)].GasName.clear();
        }
    }
    for (const BuiltInGas& g : BuiltInGases) {
        GasTableEntry& e = state.GasTable[static_cast<std::size_t>(g.Slot)][static_cast<std::size_t>(g.Kind)];
        e.Enabled = true;
        e.GasName = g.Name;
        e.GasUnit = g.Unit;
        e.GasPoint = g.Decimals;
        e.Warning = g.Warning;
        e.Alarm = g.Alarm;
        e.Stel = g.Stel;
        e.Twa = g.Twa;
        e.GasDesit = g.Step;
        e.GasFullScale = g.FullScale;
        e.AutoCalib = g.AutoCal;
        e.Zero = g.Zero;
    }
}

void InitWindowDefaults(ProgramState& state, bool english) {
    if (state.ConvParam.Factor == 0.0f) {
        state.ConvParam.Factor = 0.05f;
        state.ConvParam.Enabled = false;
        state.ConvParam.UnitNames = {"%LEL", "VOL%"};
    }
    for (std::size_t c = 0; c < state.CalibRange.size(); ++c)
        if (state.CalibRange[c] == 0.0f) state.CalibRange[c] = DefaultCalibRange[c];
    SetDefaultGases(state);
    if (state.ProgramPassword.empty()) state.ProgramPassword = english ? "qmv" : "Tolba";
    for (Single& width : state.PrtWidth)
        if (!(width >= 1.0f && width <= 100.0f)) width = 1.0f;
    if (state.CalSpanOffWait == 0) state.CalSpanOffWait = 45;
    if (state.CalSpanOnWait == 0) state.CalSpanOnWait = 90;
    if (state.CalUnitOnWait == 0) state.CalUnitOnWait = 45;
    state.CalibrationWindowOpen = false;
    state.CompletelyView = true;
    SetAdCheckDefaults(state);
    SyncInstrumentSettings(state);
}

void InitWindowDefaults(ProgramState& state) { InitWindowDefaults(state, IsEnglishCatalogue()); }

void ApplyLinkDefaults(ProgramState& state) {
    state.Timeout = 3;
    state.Retry = 3;
    state.TrendSearch = {-30, 45};
}

std::array<AdCheckRange, AdCheckRows> DefaultAdCheckRanges() { return AdCheckDefaults; }

void SetAdCheckDefaults(ProgramState& state) { state.AdCheck = AdCheckDefaults; }

void ApplyStartupDefaults(ProgramState& state, bool english) {
    ApplyCreationDefaults(state);
    ApplyGasTableDefaults(state);
    InitWindowDefaults(state, english);
    ApplyLinkDefaults(state);
}

}  // namespace tz
