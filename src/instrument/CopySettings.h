#pragma once
// CopySettings: carries the settings the parameter dialog shows from one record to another. The
// dialog copies the program's record into its own when it opens (everything) and its own back
// when OK is pressed (only what changed).
#include "instrument/clsInstrument.h"

namespace tz {

// Copies from `source` to `target` every setting that the dialog's three setting grids and its
// station and user lists show (ParameterRows.h; StationList and UserList entries 0 to 127), and
// the current StationID and UserID. Each copy assigns the target's property, so the target flags
// what it received.
//
// changedOnly false: every one of those settings. changedOnly true: only those whose change flag
// is set in `source`; PIDdata, the one shown setting without a flag, when it differs from the
// target's. Nothing else of either record is touched.
void CopySettings(clsInstrument& target, const clsInstrument& source, bool changedOnly);

}  // namespace tz
