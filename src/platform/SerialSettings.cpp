#include "platform/SerialSettings.h"

#include <cctype>
#include <vector>

namespace tz {
namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        fields.push_back(Trim(text.substr(start, comma - start)));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

// A positive decimal number of at most nine digits (no sign, no point); nullopt otherwise.
std::optional<int> ParsePositive(const std::string& field) {
    if (field.empty() || field.size() > 9) return std::nullopt;
    int value = 0;
    for (const char c : field) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value == 0) return std::nullopt;
    return value;
}

void Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
}

}  // namespace

std::optional<SerialSettings> ParseSerialSettings(const std::string& text, std::string* error) {
    const auto fields = SplitFields(text);
    const std::string quoted = "line settings \"" + text + "\": ";
    if (fields.size() != 4) {
        Fail(error, quoted + "expected four fields: baud,parity,databits,stopbits");
        return std::nullopt;
    }
    SerialSettings s;
    const auto baud = ParsePositive(fields[0]);
    if (!baud) {
        Fail(error, quoted + "baud rate \"" + fields[0] + "\" is not a positive whole number");
        return std::nullopt;
    }
    s.baud = *baud;

    const std::string& parity = fields[1];
    const char p =
        parity.size() == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(parity[0])))
                           : '?';
    if (std::string("neoms").find(p) == std::string::npos) {
        Fail(error, quoted + "parity \"" + parity + "\" is not one of n, e, o, m, s");
        return std::nullopt;
    }
    s.parity = p;

    if (fields[2] != "7" && fields[2] != "8") {
        Fail(error, quoted + "data bits \"" + fields[2] + "\" must be 7 or 8");
        return std::nullopt;
    }
    s.dataBits = fields[2][0] - '0';

    if (fields[3] != "1" && fields[3] != "2") {
        Fail(error, quoted + "stop bits \"" + fields[3] + "\" must be 1 or 2");
        return std::nullopt;
    }
    s.stopBits = fields[3][0] - '0';
    return s;
}

std::string FormatSerialSettings(const SerialSettings& s) {
    return std::to_string(s.baud) + "," + s.parity + "," + std::to_string(s.dataBits) + "," +
           std::to_string(s.stopBits);
}

}  // namespace tz
