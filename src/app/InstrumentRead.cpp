#include "app/InstrumentRead.h"

namespace tz {

void FinishInstrumentRead(clsInstrument& record, const ProgramState& state, bool succeeded) {
    record.CommFlags(succeeded);
    record.ImportFlag(false);
    if (!succeeded) return;
    for (Integer gas = 0; gas < 4; ++gas)
        if (state.GasLocked[static_cast<std::size_t>(gas)]) record.GasEnabled(gas, true);
}

}  // namespace tz
