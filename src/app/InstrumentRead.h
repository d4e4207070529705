#pragma once
// What every complete read of the instrument does with the record once GetInstrument has
// returned, shared by the main window's reads (Instrument Information, Information Get && Save,
// restore default settings) and the command line.
#include "app/modMain.h"
#include "instrument/clsInstrument.h"

namespace tz {

// After a successful read the record counts as read from the instrument (CommFlags true,
// ImportFlag false) and every fixed channel among 0 to 3 (state.GasLocked) is switched on. After
// a failed read it counts as not read at all (CommFlags and ImportFlag false): it holds a
// half-read state that must be neither shown as data nor written back.
void FinishInstrumentRead(clsInstrument& record, const ProgramState& state, bool succeeded);

}  // namespace tz
