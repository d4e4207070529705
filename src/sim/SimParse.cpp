#include "sim/SimParse.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>

#include "text/DateTime.h"

namespace tz::SimParse {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return (u >= 'A' && u <= 'F') ? u - 'A' + 10 : -1;
}

// The value of one to `digits` hexadecimal digits, or -1.
long long HexValue(const std::string& text, int digits) {
    if (text.empty() || text.size() > static_cast<std::size_t>(digits)) return -1;
    long long value = 0;
    for (char c : text) {
        const int d = HexDigit(c);
        if (d < 0) return -1;
        value = value * 16 + d;
    }
    return value;
}

}  // namespace

std::vector<std::string> Split(const std::string& payload) {
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = payload.find(',', begin);
        fields.push_back(payload.substr(begin, comma - begin));
        if (comma == std::string::npos) return fields;
        begin = comma + 1;
    }
}

std::string TrimRight(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string Trim(const std::string& text) {
    const std::string right = TrimRight(text);
    return right.substr(std::min(right.find_first_not_of(' '), right.size()));
}

std::optional<Integer> Dec(const std::string& field) {
    const std::string text = Trim(field);
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size() || text.size() - i > 6) return std::nullopt;
    long value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-') value = -value;
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        return std::nullopt;
    return static_cast<Integer>(value);
}

std::optional<Integer> Hex(const std::string& field, int digits) {
    const long long value = HexValue(Trim(field), digits);
    if (value < 0) return std::nullopt;
    const long long span = 1LL << (4 * digits);
    // Two's complement of the field's width, as the record keeps 16-bit values.
    const long long signedValue = value >= span / 2 && digits == 4 ? value - span : value;
    return static_cast<Integer>(signedValue);
}

std::optional<Integer> Bit(const std::string& field) {
    if (field == "0") return 0;
    if (field == "1") return 1;
    return std::nullopt;
}

bool IsMask(const std::string& field) {
    return !field.empty() && field.find_first_not_of('*') == std::string::npos;
}

std::optional<Single> Number(const std::string& field) {
    if (IsMask(field)) return static_cast<Single>(NoValue);
    const std::string text = Trim(field);
    if (text.empty() || text.size() > 12) return std::nullopt;
    int points = 0, digits = 0;
    for (char c : text) {
        if (c == '.') ++points;
        else if (IsDigit(c)) ++digits;
        else return std::nullopt;
    }
    if (points > 1 || digits == 0) return std::nullopt;
    return std::stof(text);
}

std::optional<Integer> DecimalsOf(const std::string& field) {
    if (!Number(field) || IsMask(field)) return std::nullopt;
    const std::string text = Trim(field);
    const std::size_t point = text.find('.');
    return static_cast<Integer>(point == std::string::npos ? 0 : text.size() - point - 1);
}

std::optional<Single> Float8(const std::string& field) {
    if (field.size() != 8) return std::nullopt;
    const long long bits = HexValue(field, 8);
    if (bits < 0) return std::nullopt;
    const auto word = static_cast<std::uint32_t>(bits);
    Single value = 0;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

std::optional<Date> DateTime12(const std::string& field) {
    if (field.size() != 12) return std::nullopt;
    for (char c : field)
        if (!IsDigit(c)) return std::nullopt;
    auto pair = [&](std::size_t at) { return (field[at] - '0') * 10 + (field[at + 1] - '0'); };
    return MakeDate({2000 + pair(0), pair(2), pair(4), pair(6), pair(8), pair(10)});
}

}  // namespace tz::SimParse
