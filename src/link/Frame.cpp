#include "link/Frame.h"

#include <cstdio>

namespace tz {

int FrameChecksum(const std::string& text) {
    unsigned sum = 0;
    for (unsigned char c : text) sum += c;
    return static_cast<int>((256 - sum % 256) % 256);
}

std::string BuildFrame(const std::string& body, char terminator) {
    std::string frame;
    frame.reserve(body.size() + 9);
    frame += STX;
    frame += FrameAddress;
    frame += body;
    frame += ETX;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", FrameChecksum(frame));
    frame += digits;
    frame += terminator;
    return frame;
}

}  // namespace tz
