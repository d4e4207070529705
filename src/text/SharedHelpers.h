#pragma once
// Small checks and conversions shared by the windows and the instrument record: which characters
// a user may type into identifier fields, the dash placeholder for empty identifiers, the
// six-digit date check, and the hexadecimal form of single-precision values used on the wire.
#include <string>

#include "text/Types.h"

namespace tz {

// Key filter of identifier fields: backspace, space, "*", "-", digits and letters.
bool CheckKeyCode(Integer keyAscii);

// Key filter of the station list: backspace, space, "-", "_", "/", "<", ">", digits and letters.
bool CheckIdKeyCode(Integer keyAscii);

// True when every character of the text is a space, "-", "_", "/", "<", ">", a digit or a letter;
// with allowSymbols any other printable ASCII character passes too, the apostrophe only when
// allowApostrophe is also set. An empty text passes.
bool CheckIdText(const std::string& text, bool allowSymbols, bool allowApostrophe);

// The trimmed text, or the placeholder for an empty identifier: 16 dashes for kinds 0 and 1
// (station and user identifiers), 20 for kind 2 (serial number), empty text for other kinds.
std::string BlankToDashes(const std::string& text, Integer kind);

// True when every character is "0" to "9"; an empty text passes.
bool IsDigitsOnly(const std::string& text);

// True when the first six characters are two-digit year (20yy), month and day of a real date.
bool IsValidYyMmDd(const std::string& text);

// The four bytes of the value as eight upper-case hexadecimal digits, most significant first.
std::string SingleToHex(Single value);

// The value whose four bytes the eight hexadecimal digits (either case) give, most significant
// first; throws ConversionError for anything other than exactly eight hexadecimal digits.
Single HexToSingle(const std::string& text);

// Prefixes "0" to a one-character text; any other text is returned unchanged.
std::string PadHex2(const std::string& text);

}  // namespace tz
