#pragma once
// The instrument's own text encodings of reply fields. The simulated instrument formats its values
// here, independently of the program's parsing, so that a test of the two against each other can
// catch a fault on either side.
#include <cstdint>
#include <string>

#include "text/Types.h"

namespace tz::SimField {

// Decimal without padding ("-12", "300").
std::string Dec(long long value);

// Upper-case hexadecimal of the two's complement, zero-padded and cut to its rightmost `digits`
// characters: Hex(-12, 4) is "FFF4", Hex(300, 2) is "2C".
std::string Hex(long long value, int digits);

// The five-character number field: right-aligned with `decimals` (1 to 3, otherwise none),
// halves rounded away from zero, "*****" for a negative value; a longer number keeps its
// rightmost five characters.
std::string Num5(Single value, Integer decimals);

// Eight hexadecimal digits of the single's bits, most significant first.
std::string Float8(Single value);

// Twelve digits YYMMDDhhnnss of a date from 2000 to 2099.
std::string DateTime12(Date value);

// The text padded with spaces on the right and cut to `width` characters.
std::string Fix(const std::string& text, std::size_t width);

// "1" for a value other than 0, otherwise "0".
std::string Bit(long long value);

}  // namespace tz::SimField
