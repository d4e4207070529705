#include "instrument/InstrumentSettings.h"

namespace tz {

InstrumentSettings& SharedInstrumentSettings() {
    static InstrumentSettings settings;
    return settings;
}

void ResetInstrumentSettings() { SharedInstrumentSettings() = InstrumentSettings{}; }

}  // namespace tz
