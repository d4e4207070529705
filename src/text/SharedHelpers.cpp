#include "text/SharedHelpers.h"

#include <bit>
#include <cstdint>

#include "text/DateTime.h"
#include "text/Errors.h"

namespace tz {
namespace {

constexpr Integer kBackspace = 8;

bool IsAsciiDigit(int c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiAlnum(int c) { return IsAsciiDigit(c) || IsAsciiLetter(c); }

// The characters every identifier may hold.
bool IsIdCharacter(int c) {
    switch (c) {
    case ' ': case '-': case '_': case '/': case '<': case '>': return true;
    default: return IsAsciiAlnum(c);
    }
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string ByteToHex(unsigned byte) {
    static const char kDigits[] = "0123456789ABCDEF";
    if (byte < 16) return PadHex2(std::string(1, kDigits[byte]));
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

}  // namespace

bool CheckKeyCode(Integer keyAscii) {
    if (keyAscii == kBackspace) return true;
    return keyAscii == ' ' || keyAscii == '*' || keyAscii == '-' || IsAsciiAlnum(keyAscii);
}

bool CheckIdKeyCode(Integer keyAscii) {
    if (keyAscii == kBackspace) return true;
    return IsIdCharacter(keyAscii);
}

bool CheckIdText(const std::string& text, bool allowSymbols, bool allowApostrophe) {
    for (const char ch : text) {
        const int c = static_cast<unsigned char>(ch);
        if (IsIdCharacter(c)) continue;
        const bool printable = c >= ' ' && c <= '~';
        if (!printable || !allowSymbols) return false;
        if (c == '\'' && !allowApostrophe) return false;
    }
    return true;
}

std::string BlankToDashes(const std::string& text, Integer kind) {
    const auto first = text.find_first_not_of(' ');
    if (first != std::string::npos) {
        const auto last = text.find_last_not_of(' ');
        return text.substr(first, last - first + 1);
    }
    switch (kind) {
    case 0:
    case 1: return std::string(16, '-');
    case 2: return std::string(20, '-');
    default: return {};
    }
}

bool IsDigitsOnly(const std::string& text) {
    for (const char c : text)
        if (!IsAsciiDigit(c)) return false;
    return true;
}

bool IsValidYyMmDd(const std::string& text) {
    if (text.size() < 6 || !IsDigitsOnly(text.substr(0, 6))) return false;
    const auto twoDigits = [&](std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    return IsValidCalendarDate(2000 + twoDigits(0), twoDigits(2), twoDigits(4));
}

std::string SingleToHex(Single value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    std::string hex;
    for (int shift = 24; shift >= 0; shift -= 8) hex += ByteToHex((bits >> shift) & 0xFFu);
    return hex;
}

Single HexToSingle(const std::string& text) {
    if (text.size() != 8) throw ConversionError("not eight hexadecimal digits: \"" + text + "\"");
    std::uint32_t bits = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) throw ConversionError("not eight hexadecimal digits: \"" + text + "\"");
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    return std::bit_cast<Single>(bits);
}

std::string PadHex2(const std::string& text) { return text.size() == 1 ? "0" + text : text; }

}  // namespace tz
