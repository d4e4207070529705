#pragma once
// The serial line settings text "baud,parity,databits,stopbits" (for example "115200,n,8,1"),
// parsed strictly: a text that does not name a usable line is refused with a reason, never guessed.
#include <optional>
#include <string>

namespace tz {

struct SerialSettings {
    int baud = 9600;
    char parity = 'n';  // n none, e even, o odd, m mark, s space
    int dataBits = 8;   // 7 or 8
    int stopBits = 1;   // 1 or 2
};

// Parses the settings text. Spaces around a field and the case of the parity letter do not
// matter. On a malformed text returns nullopt and, when error is given, a reason for people.
std::optional<SerialSettings> ParseSerialSettings(const std::string& text,
                                                  std::string* error = nullptr);

// The canonical text of the settings, e.g. "115200,n,8,1".
std::string FormatSerialSettings(const SerialSettings& settings);

}  // namespace tz
