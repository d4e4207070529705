#include "app/modMain.h"

#include "app/ConfigValues.h"
#include "instrument/InstrumentSettings.h"

namespace tz {

namespace {

ProgramState& Instance() {
    static ProgramState state;
    return state;
}

std::string UpperCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) line += ' ';
        line += arguments[i];
    }
    return UpperAscii(line);
}

}  // namespace

ProgramState& Program() { return Instance(); }

void ResetProgram() {
    Instance() = ProgramState{};
    ResetInstrumentSettings();
}

void SyncInstrumentSettings(const ProgramState& state) {
    if (&state != &Instance()) return;
    InstrumentSettings& shared = SharedInstrumentSettings();
    shared.FactoryMode = state.FactoryMode;
    shared.ConvParam = state.ConvParam.Factor;
}

bool CommandLineHas(const std::vector<std::string>& arguments, const std::string& upperSwitch) {
    return UpperCommandLine(arguments).find(upperSwitch) != std::string::npos;
}

CommandLineSwitches ParseSwitches(const std::vector<std::string>& arguments) {
    return {CommandLineHas(arguments, "-DEBUG"), CommandLineHas(arguments, "-SEIZO")};
}

void ApplyStartup(ProgramState& state, const std::vector<std::string>& arguments) {
    const CommandLineSwitches found = ParseSwitches(arguments);
    state.DebugMode = found.Debug;
    if (found.Factory) state.FactoryMode = true;
    state.ProgramFont.Size = 9.0f;
    state.ProgramFont.Name = "MS UI Gothic";
    state.ProgramPassword = "8640";
    state.PasswordAccepted = false;
    SyncInstrumentSettings(state);
}

}  // namespace tz
