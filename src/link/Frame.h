#pragma once
// The frame that wraps every command and reply:
// STX, address "0001", body, ETX, two hexadecimal checksum digits, terminator (EOT or ETB).
#include <string>

namespace tz {

constexpr char STX = 2;
constexpr char ETX = 3;
constexpr char EOT = 4;
constexpr char ACK = 6;
constexpr char CR = 13;
constexpr char NAK = 21;
constexpr char ETB = 23;
constexpr char SUB = 26;

inline constexpr const char* FrameAddress = "0001";

// The two's complement, modulo 256, of the sum of the character codes of text.
int FrameChecksum(const std::string& text);

// STX + "0001" + body + ETX + checksum (two upper-case hex digits) + terminator.
std::string BuildFrame(const std::string& body, char terminator);

}  // namespace tz
