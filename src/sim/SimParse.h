#pragma once
// The instrument's reading of the fields the program writes. Each reader gives std::nullopt for
// a field it cannot read, so that a write with a bad field is refused as a whole and leaves the
// instrument unchanged.
#include <optional>
#include <string>
#include <vector>

#include "text/Types.h"

namespace tz::SimParse {

// The payload's fields, split at every ",".
std::vector<std::string> Split(const std::string& payload);

// The text without spaces on the right.
std::string TrimRight(const std::string& text);
// The text without spaces on either side.
std::string Trim(const std::string& text);

// Optional spaces, an optional sign and digits, optional spaces; within the 16-bit range.
std::optional<Integer> Dec(const std::string& field);

// One to `digits` hexadecimal digits (either case), read as the two's complement of that many
// digits: Hex("FFF4", 4) is -12, Hex("2C", 2) is 44.
std::optional<Integer> Hex(const std::string& field, int digits);

// "0" or "1".
std::optional<Integer> Bit(const std::string& field);

// A gas value: optional spaces, digits with at most one decimal point; a field of asterisks is
// "no value" (NoValue).
std::optional<Single> Number(const std::string& field);

// Decimals shown in a number field ("  0.1" has 1, "  100" has 0, "*****" has none).
std::optional<Integer> DecimalsOf(const std::string& field);

// Eight hexadecimal digits: the single whose bits they are.
std::optional<Single> Float8(const std::string& field);

// Twelve digits YYMMDDhhnnss naming a real date and time from 2000 to 2099.
std::optional<Date> DateTime12(const std::string& field);

// True when the field is made of asterisks only (and is not empty).
bool IsMask(const std::string& field);

}  // namespace tz::SimParse
