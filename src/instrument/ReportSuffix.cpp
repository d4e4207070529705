#include "instrument/ReportSuffix.h"

#include <algorithm>

namespace tz {

bool IsValidReportSuffix(const std::string& suffix) {
    const bool control = std::any_of(suffix.begin(), suffix.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 32 || code == 127;
    });
    return !control && suffix.find_first_of("\\/:|<>*?") == std::string::npos &&
           suffix.find("..") == std::string::npos;
}

}  // namespace tz
