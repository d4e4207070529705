#include "text/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>

#include "text/Errors.h"
#include "text/TextCompare.h"

namespace tz {
namespace {

constexpr int kMaxDecimals = 9;

// Enough digits after the point to hold any single-precision value exactly (the smallest
// subnormal has 149).
constexpr int kExactDigits = 150;

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Decimals of "#0" (0) and "#0.0" ... "#0.000000000" (1 to 9); -1 for any other format text.
int DecimalsOfFormat(const std::string& format) {
    if (format == "#0") return 0;
    if (format.rfind("#0.", 0) != 0) return -1;
    const std::string zeros = format.substr(3);
    const bool allZeros = std::all_of(zeros.begin(), zeros.end(), [](char c) { return c == '0'; });
    const int count = static_cast<int>(zeros.size());
    return allZeros && count >= 1 && count <= kMaxDecimals ? count : -1;
}

}  // namespace

std::string FormatFixed(Single value, int decimals) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, kMaxDecimals);

    // The exact decimal expansion of the magnitude (a float is exact as a double, and the C
    // library prints a double's exact digits).
    char buffer[64 + kExactDigits];
    const double magnitude = std::fabs(static_cast<double>(value));
    std::snprintf(buffer, sizeof buffer, "%.*f", kExactDigits, magnitude);
    const std::string exact(buffer);
    const auto point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1, decimals);
    std::size_t intLength = point;

    // Halves away from zero: on the magnitude, a next digit of 5 or more rounds up.
    if (exact[point + 1 + decimals] >= '5') {
        const std::size_t before = digits.size();
        IncrementDigits(digits);
        intLength += digits.size() - before;  // a carry out of the top adds an integer digit
    }

    std::string text = digits.substr(0, intLength);
    if (decimals > 0) text += '.' + digits.substr(intLength);
    const bool showsZero = digits.find_first_not_of('0') == std::string::npos;
    return value < 0 && !showsZero ? '-' + text : text;
}

std::string FormatGeneral(Single value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    std::string text(buffer);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c == 'e' ? 'E' : c; });
    return text;
}

std::string FormatNumber(Single value, const std::string& format) {
    const int decimals = DecimalsOfFormat(format);
    return decimals < 0 ? FormatGeneral(value) : FormatFixed(value, decimals);
}

Single RoundToStep(Single value, Single step) {
    if (value < 0 || step == 0) return 0;
    const Single quotient = value / step;
    if (!std::isfinite(quotient)) throw OverflowError("RoundToStep: quotient is not a number");

    // Halves to the even neighbour.
    const double q = quotient;
    double whole = std::floor(q);
    const double rest = q - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;

    if (whole < std::numeric_limits<Long>::min() || whole > std::numeric_limits<Long>::max())
        throw OverflowError("RoundToStep: quotient does not fit 32 bits");
    return static_cast<Single>(static_cast<double>(static_cast<Long>(whole)) * step);
}

bool IsNumericText(const std::string& text) {
    const std::string body = TrimSpaces(text);
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    bool digit = false, point = false;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

Single TextToSingle(const std::string& text) {
    if (!IsNumericText(text)) throw ConversionError("not a number: \"" + text + "\"");
    std::string body = TrimSpaces(text);
    if (body[0] == '+') body.erase(0, 1);

    // from_chars is independent of the process locale, which a windowing library may change.
    Single value = 0;
    const char* first = body.data();
    const char* last = first + body.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        double wide = 0;
        std::from_chars(first, last, wide, std::chars_format::fixed);
        if (std::fabs(wide) > std::numeric_limits<Single>::max())
            throw OverflowError("number beyond single precision: \"" + text + "\"");
        return static_cast<Single>(wide);  // a value too small for a single: it becomes 0
    }
    if (result.ec != std::errc() || result.ptr != last)
        throw ConversionError("not a number: \"" + text + "\"");
    return value;
}

}  // namespace tz
