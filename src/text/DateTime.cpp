#include "text/DateTime.h"

#include <cmath>
#include <cstdio>

namespace tz {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// 1899-12-30 counted from 1970-01-01.
const long kEpochOffset = DaysFromCivil(1899, 12, 30);

}  // namespace

bool IsValidCalendarDate(int year, int month, int day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

std::optional<Date> MakeDate(const DateParts& p) {
    if (!IsValidCalendarDate(p.year, p.month, p.day)) return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59)
        return std::nullopt;
    const double days = static_cast<double>(
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) - kEpochOffset);
    const double time = (p.hour * 3600.0 + p.minute * 60.0 + p.second) / 86400.0;
    // Dates before the epoch keep the time as a positive fraction of a negative day count.
    return days >= 0 ? days + time : days - time;
}

bool IsRepresentableDate(Date value) {
    // 0100-01-01 and 9999-12-31 (the last second of it) as day counts from 1899-12-30.
    static const double kFirst = static_cast<double>(DaysFromCivil(100, 1, 1) - kEpochOffset);
    static const double kLast = static_cast<double>(DaysFromCivil(9999, 12, 31) - kEpochOffset) + 86399.0 / 86400.0;
    // A negative day count carries its time of day as a positive fraction, so the first day
    // reaches down to kFirst - 1 (exclusive).
    return std::isfinite(value) && value > kFirst - 1.0 && value <= kLast;
}

DateParts SplitDate(Date value) {
    double whole = std::trunc(value);
    long seconds = std::lround(std::fabs(value - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += value >= 0 ? 1 : -1;
    }
    DateParts p;
    CivilFromDays(static_cast<long>(whole) + kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

std::string FormatGeneralDate(Date value) {
    const DateParts p = SplitDate(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
    return buf;
}

std::optional<Date> ParseGeneralDate(const std::string& text) {
    DateParts p;
    char tail = 0;
    int consumed = 0;
    const int n = std::sscanf(text.c_str(), "%4d/%2d/%2d%n %2d:%2d:%2d%c", &p.year, &p.month, &p.day,
                              &consumed, &p.hour, &p.minute, &p.second, &tail);
    if (n == 3 && static_cast<size_t>(consumed) == text.size()) return MakeDate(p);
    if (n == 6) return MakeDate(p);
    return std::nullopt;
}

}  // namespace tz
