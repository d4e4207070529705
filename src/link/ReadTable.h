#pragma once
// The read table: the command bodies that a complete read sends, in order. Empty entries are
// slots without a command.
#include <array>
#include <string>

namespace tz {

inline constexpr int ReadTableSize = 338;
// The complete read sends entries 0 to 336; entry 337 (user-list index 128) is never sent.
inline constexpr int ReadTableLastSent = 336;
inline constexpr int ReadTableStations = 81;  // "XS,R,0000" to "XS,R,007F"
inline constexpr int ReadTableUsers = 209;    // "XZ,R,0000" to "XZ,R,0080"

const std::array<std::string, ReadTableSize>& ReadTable();

}  // namespace tz
