#pragma once
// Number formatting and parsing shared by the record's texts, the protocol fields and the windows.
//
// Fixed formats ("#0", "#0.0", ... "#0.000000000") round the single-precision value's exact
// decimal expansion half away from zero, so 0.05f (0.0500000007...) shows as "0.1" and 0.125f as
// "0.13". RoundToStep alone rounds halves to the even neighbour.
#include <string>

#include "text/TextCompare.h"  // TrimSpaces, which the number parsers use
#include "text/Types.h"

namespace tz {

// `value` with exactly `decimals` digits after the point (none and no point for 0), at least one
// integer digit, no thousands separator. A result that shows zero carries no minus sign.
// `decimals` is clamped to 0..9.
std::string FormatFixed(Single value, int decimals);

// Formats with one of the fixed formats "#0", "#0.0", ... "#0.000000000"; any other format text
// (the empty one included) gives the general form: up to seven significant digits, no trailing
// zeros ("500", "0.1", "1E+20").
std::string FormatNumber(Single value, const std::string& format);

// The general form on its own.
std::string FormatGeneral(Single value);

// `value` rounded to a whole multiple of `step`, the quotient rounded half to even. 0 for a
// negative value or a zero step. Throws OverflowError when the rounded quotient does not fit a
// 32-bit signed integer (or is not a number).
Single RoundToStep(Single value, Single step);

// The numeric test of protocol and file fields: optional spaces on either side, an optional sign,
// digits with at most one decimal point, at least one digit (" 50", "19.5", "-3", ".5" pass;
// "", "abc", "1e5", "&H10" do not).
bool IsNumericText(const std::string& text);

// A text that passes IsNumericText as the nearest single-precision value; throws ConversionError
// otherwise, and OverflowError when it is beyond the single-precision range.
Single TextToSingle(const std::string& text);

}  // namespace tz
