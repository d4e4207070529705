#include "sim/SimField.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "text/DateTime.h"

namespace tz::SimField {

std::string Dec(long long value) { return std::to_string(value); }

std::string Hex(long long value, int digits) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(value));
    const std::string all = buf;
    return all.substr(all.size() - static_cast<std::size_t>(digits));
}

std::string Num5(Single value, Integer decimals) {
    if (value < 0) return "*****";
    const int d = (decimals >= 1 && decimals <= 3) ? decimals : 0;
    // A single times 10^d (d <= 3) is exact in a double, so rounding it here rounds the single's
    // exact decimal expansion.
    const double scaled = std::round(static_cast<double>(value) * std::pow(10.0, d));
    std::string digits = std::to_string(static_cast<long long>(scaled));
    if (d > 0) {
        if (digits.size() <= static_cast<std::size_t>(d))
            digits.insert(0, static_cast<std::size_t>(d) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(d), 1, '.');
    }
    const std::string padded = "    " + digits;
    return padded.substr(padded.size() - 5);
}

std::string Float8(Single value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Hex(bits, 8);
}

std::string DateTime12(Date value) {
    const DateParts p = SplitDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d%02d", ((p.year - 2000) % 100 + 100) % 100, p.month,
                  p.day, p.hour, p.minute, p.second);
    return buf;
}

std::string Fix(const std::string& text, std::size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string Bit(long long value) { return value != 0 ? "1" : "0"; }

}  // namespace tz::SimField
