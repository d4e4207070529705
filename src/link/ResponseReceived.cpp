#include "link/ResponseReceived.h"

namespace tz {

bool ResponseReceived = false;

}  // namespace tz
