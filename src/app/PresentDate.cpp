#include "app/PresentDate.h"

#include <ctime>

#include "text/DateTime.h"

namespace tz {

Date PresentDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    const DateParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
    return MakeDate(parts).value_or(0.0);
}

}  // namespace tz
