#pragma once
// The present local date and time in the record's date model.
#include "text/Types.h"

namespace tz {

Date PresentDate();

}  // namespace tz
