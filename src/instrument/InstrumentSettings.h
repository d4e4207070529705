#pragma once
// Program-wide values that the instrument layer reads but does not own. The program's state keeps
// them in step: start-up sets FactoryMode from the "-SEIZO" switch, reading the configuration file
// sets ConvParam ("CONV PARAM"). Tests set them directly and put them back with
// ResetInstrumentSettings.
#include "text/Types.h"

namespace tz {

struct InstrumentSettings {
    // Factory mode: SetChangeFlags then also marks the serial numbers for writing.
    bool FactoryMode = false;
    // The %LEL-to-vol% factor that GasValueText applies when asked to convert.
    Single ConvParam = 0.2f;
};

// The one program-wide instance.
InstrumentSettings& SharedInstrumentSettings();

// Back to the start-up values (tests).
void ResetInstrumentSettings();

}  // namespace tz
