#include <gtest/gtest.h>

#include "link/Frame.h"

namespace tz {

TEST(Frame, CommandBody_FramedWithChecksumThatCompletesTo256) {
    const std::string frame = BuildFrame("SZ,R,", EOT);
    ASSERT_EQ(frame.size(), 1u + 4 + 5 + 1 + 2 + 1);
    EXPECT_EQ(frame.substr(0, 10), std::string(1, STX) + "0001SZ,R,");
    EXPECT_EQ(frame[10], ETX);
    EXPECT_EQ(frame.back(), EOT);
    unsigned sum = 0;
    for (unsigned char c : frame.substr(0, 11)) sum += c;
    EXPECT_EQ((sum + std::stoul(frame.substr(11, 2), nullptr, 16)) % 256, 0u);
}

TEST(Frame, SumAlreadyMultipleOf256_GivesDoubleZero) {
    // STX + "0001" sums to 2 + 193 = 195; 61 ('=') brings it to 256.
    EXPECT_EQ(FrameChecksum(std::string(1, STX) + "0001="), 0);
    EXPECT_EQ(BuildFrame("=", ETB).substr(7, 2), "FD");  // ETX adds 3
}

TEST(Frame, SmallChecksum_HasLeadingZero) {
    const std::string text = std::string(1, STX) + "0001" + std::string(1, char(52));  // sum 247
    EXPECT_EQ(FrameChecksum(text), 9);
}

}  // namespace tz
