#pragma once
// Value types of the instrument's data, named as the record and the protocol name them.
#include <cstdint>
#include <string>

namespace tz {

using Integer = std::int16_t;  // 16-bit signed
using Long = std::int32_t;     // 32-bit signed
using Single = float;          // IEEE 754 single precision
using Date = double;           // days since 1899-12-30; the fraction is the time of day

// The "no value" marker of every numeric record field.
inline constexpr Integer NoValue = -101;

}  // namespace tz
