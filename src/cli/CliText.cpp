#include "cli/CliText.h"

#include <cmath>
#include <cstdio>

#include "instrument/RecordJson.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"

namespace tz::cli {

std::string Text(int number, const std::vector<std::string>& args) {
    std::string text = LoadMessage(number, args);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ' || out.back() == '\r')) out.pop_back();
    return out;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string DateText(Date value) {
    // A day count that no calendar date reproduces has no ISO form either.
    if (value == -101 || DateToIso(value).empty()) return "-";
    return FormatGeneralDate(value);
}

std::string OffsetText(Date days) {
    const double seconds = std::round(std::fabs(days) * 86400.0);
    const long long total = static_cast<long long>(seconds);
    const long long d = total / 86400, h = total / 3600 % 24, m = total / 60 % 60, s = total % 60;
    char buffer[64];
    if (d > 0)
        std::snprintf(buffer, sizeof buffer, "%c%lldd %02lld:%02lld:%02lld", days < 0 ? '-' : '+', d, h, m, s);
    else
        std::snprintf(buffer, sizeof buffer, "%c%02lld:%02lld:%02lld", days < 0 ? '-' : '+', h, m, s);
    return buffer;
}

}  // namespace tz::cli
