#pragma once
// Tests and conversions of the fields of the instrument's replies. The tests decide whether a
// reply is accepted; the conversions throw ConversionError or OverflowError for a field that
// passed its test but still cannot be stored, which the decoder turns into a refused reply.
#include <string>
#include <vector>

#include "text/TextCompare.h"
#include "text/Types.h"

namespace tz {

// Optional spaces, one or more hexadecimal digits (either case), optional spaces.
bool IsHexText(const std::string& text);
// A hexadecimal field as the "&H" conversion reads it: up to four significant digits give a
// 16-bit two's-complement value ("FF6A" is -150); more digits must fit a 16-bit signed integer.
Integer HexToInteger(const std::string& text);
// Up to eight significant digits, as a 32-bit two's-complement value.
Long HexToLong(const std::string& text);
// A field that passed the numeric test, rounded half to even to a whole number.
Long DecimalToLong(const std::string& text);
Integer DecimalToInteger(const std::string& text);
// A 32-bit value that must fit a 16-bit record field.
Integer NarrowToInteger(Long value);

// "1" (after trimming) gives 1, anything else 0.
Integer FlagOf(const std::string& text);
// "L" gives true (the value is on the channel's low range).
bool IsLowMark(const std::string& text);
// A field of asterisks only: "no value".
bool IsMask(const std::string& text);
// A gas value: a number, a mask, or a status word (OVE, WAR, ALR, STE, TWA, NOR, any case).
bool IsGasValueField(const std::string& text);

// Numbers compare by value, other texts after trimming.
bool SameField(const std::string& received, const std::string& sent);
// The data fields of the last frame sent when its body begins with code (e.g. "IN,W"); empty
// when the last frame was another command.
std::vector<std::string> SentFields(const std::string& lastFrame, const std::string& code);

// Twelve digits YYMMDDhhnnss as a date of 2000 to 2099; false when they are not a real
// date and time.
bool ParseDateTime12(const std::string& text, Date& value);
// The date and time of a history field's first twelve characters. Out-of-range months, days and
// times carry over into the next unit, as calendar arithmetic does; non-digits throw
// ConversionError.
Date HistoryDateTime(const std::string& twelveDigits);

}  // namespace tz
