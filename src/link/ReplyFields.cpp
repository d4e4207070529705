#include "link/ReplyFields.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "link/Frame.h"
#include "text/DateTime.h"
#include "text/Errors.h"
#include "text/NumberFormat.h"

namespace tz {

namespace {

// The significant hexadecimal digits (leading zeros dropped); throws for a non-hex field.
std::string SignificantHex(const std::string& text) {
    if (!IsHexText(text)) throw ConversionError("not a hexadecimal field: " + text);
    std::string digits = TrimSpaces(text);
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

int TwoDigits(const std::string& text, std::size_t at) {
    const unsigned char a = static_cast<unsigned char>(text[at]);
    const unsigned char b = static_cast<unsigned char>(text[at + 1]);
    if (!std::isdigit(a) || !std::isdigit(b)) throw ConversionError("not a two-digit number: " + text);
    return (a - '0') * 10 + (b - '0');
}

}  // namespace

bool IsHexText(const std::string& text) {
    const std::string digits = TrimSpaces(text);
    if (digits.empty()) return false;
    for (unsigned char c : digits)
        if (!std::isxdigit(c)) return false;
    return true;
}

Integer HexToInteger(const std::string& text) {
    const std::string digits = SignificantHex(text);
    if (digits.size() <= 4) return static_cast<Integer>(static_cast<std::uint16_t>(std::strtoul(digits.c_str(), nullptr, 16)));
    return NarrowToInteger(HexToLong(digits));
}

Long HexToLong(const std::string& text) {
    const std::string digits = SignificantHex(text);
    if (digits.size() > 8) throw OverflowError("hexadecimal field beyond 32 bits: " + text);
    return static_cast<Long>(static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16)));
}

Long DecimalToLong(const std::string& text) {
    if (!IsNumericText(text)) throw ConversionError("not a number: " + text);
    const double value = std::nearbyint(std::strtod(TrimSpaces(text).c_str(), nullptr));
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) throw OverflowError("number beyond 32 bits: " + text);
    return static_cast<Long>(value);
}

Integer DecimalToInteger(const std::string& text) { return NarrowToInteger(DecimalToLong(text)); }

Integer NarrowToInteger(Long value) {
    if (value < -32768 || value > 32767) throw OverflowError("value beyond 16 bits: " + std::to_string(value));
    return static_cast<Integer>(value);
}

Integer FlagOf(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    return !trimmed.empty() && trimmed[0] == '1' ? 1 : 0;
}

bool IsLowMark(const std::string& text) { return TrimSpaces(text) == "L"; }

bool IsMask(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    return !trimmed.empty() && trimmed.find_first_not_of('*') == std::string::npos;
}

bool IsGasValueField(const std::string& text) {
    if (IsNumericText(text) || IsMask(text)) return true;
    std::string word = TrimSpaces(text).substr(0, 3);
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* status : {"OVE", "WAR", "ALR", "STE", "TWA", "NOR"})
        if (word == status) return true;
    return false;
}

bool SameField(const std::string& received, const std::string& sent) {
    if (IsNumericText(received) && IsNumericText(sent))
        return std::strtod(TrimSpaces(received).c_str(), nullptr) == std::strtod(TrimSpaces(sent).c_str(), nullptr);
    return TrimSpaces(received) == TrimSpaces(sent);
}

std::vector<std::string> SentFields(const std::string& lastFrame, const std::string& code) {
    // STX, the address, then the body up to ETX.
    const std::size_t bodyStart = 5;
    const std::size_t etx = lastFrame.find(ETX);
    if (etx == std::string::npos || etx < bodyStart) return {};
    const std::string body = lastFrame.substr(bodyStart, etx - bodyStart);
    if (body.compare(0, code.size(), code) != 0 || body.size() <= code.size() || body[code.size()] != ',')
        return {};
    std::vector<std::string> fields;
    std::string field;
    for (char c : body.substr(code.size() + 1)) {
        if (c == ',' || c == CR) {
            if (!field.empty()) fields.push_back(field);  // empty fields vanish, as in replies
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty()) fields.push_back(field);
    return fields;
}

bool ParseDateTime12(const std::string& text, Date& value) {
    if (text.size() != 12) return false;
    for (unsigned char c : text)
        if (!std::isdigit(c)) return false;
    const auto date = MakeDate({2000 + TwoDigits(text, 0), TwoDigits(text, 2), TwoDigits(text, 4),
                                TwoDigits(text, 6), TwoDigits(text, 8), TwoDigits(text, 10)});
    if (!date) return false;
    value = *date;
    return true;
}

Date HistoryDateTime(const std::string& text) {
    if (text.size() < 12) throw ConversionError("history date too short: " + text);
    int year = 2000 + TwoDigits(text, 0);
    const int month = TwoDigits(text, 2);
    const int day = TwoDigits(text, 4);
    // Month 0 is December of the year before, month 13 January of the next; day 0 is the last
    // day of the month before.
    year += (month - 1 >= 0 ? (month - 1) / 12 : -1);
    const int monthInYear = ((month - 1) % 12 + 12) % 12 + 1;
    const Date first = *MakeDate({year, monthInYear, 1, 0, 0, 0});
    const double seconds = TwoDigits(text, 6) * 3600.0 + TwoDigits(text, 8) * 60.0 + TwoDigits(text, 10);
    return first + (day - 1) + seconds / 86400.0;
}

}  // namespace tz
