#pragma once
// What a settings write will send: the setting commands that SetInstrument sends for a record as
// its change flags stand, so that a write that stops part-way can say which settings were
// written and which were not.
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"

namespace tz {

// The commands in sending order, each once: the code ("A1"), or the code and the entry's
// hexadecimal index for a station or user list entry ("XS 001F"). The closing commands ("DW",
// "FB") are not settings and are left out.
std::vector<std::string> PlannedWrites(const clsInstrument& record);

}  // namespace tz
