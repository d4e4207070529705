#include "app/ConfigValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "text/Errors.h"

namespace tz {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The value of a text that passed IsNumericText. A magnitude beyond the double range is an
// overflow; digits after the point beyond its precision only underflow towards 0.
double ParseNumber(const std::string& text) {
    std::string t = Trimmed(text);
    const bool negative = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.erase(0, 1);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const std::string whole = t.substr(0, t.find('.'));
        if (whole.find_first_not_of('0') != std::string::npos) throw StopReading{};
        value = 0;
    }
    return negative ? -value : value;
}

template <class T>
T ToInteger(const std::string& text) {
    const double rounded = std::nearbyint(ParseNumber(text));  // halves to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max()))
        throw StopReading{};
    return static_cast<T>(rounded);
}

Single ToSingle(const std::string& text) {
    try {
        return TextToSingle(text);
    } catch (const OverflowError&) {
        throw StopReading{};
    }
}

}  // namespace

std::string UpperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

std::string ConfigNumber(Single value) {
    char buffer[80];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return result.ec == std::errc{} ? std::string(buffer, result.ptr) : std::string("0");
}

std::optional<std::string> ConfigValues::Text(std::size_t i) const {
    if (!Has(i)) return std::nullopt;
    return values_[i];
}

std::optional<bool> ConfigValues::Flag(std::size_t i, const char* trueWord) const {
    if (!Has(i)) return std::nullopt;
    return UpperAscii(values_[i]) == trueWord;
}

std::optional<Integer> ConfigValues::Int16(std::size_t i, Integer fallback) const {
    if (!Has(i)) return std::nullopt;
    return IsNumericText(values_[i]) ? ToInteger<Integer>(values_[i]) : fallback;
}

std::optional<Long> ConfigValues::Int32(std::size_t i, Long fallback) const {
    if (!Has(i)) return std::nullopt;
    return IsNumericText(values_[i]) ? ToInteger<Long>(values_[i]) : fallback;
}

std::optional<Single> ConfigValues::Number(std::size_t i, Single fallback) const {
    if (!Has(i)) return std::nullopt;
    return IsNumericText(values_[i]) ? ToSingle(values_[i]) : fallback;
}

std::optional<Single> ConfigValues::OffLevel(std::size_t i) const {
    const auto value = Level(i);
    if (value && *value == -1.0f) return static_cast<Single>(NoValue);
    return value;
}

std::optional<Integer> ConfigValues::StrictInt16(std::size_t i) const {
    if (!Has(i)) return std::nullopt;
    if (!IsNumericText(values_[i])) throw StopReading{};
    return ToInteger<Integer>(values_[i]);
}

}  // namespace tz
