#include <gtest/gtest.h>

#include "sim/SimField.h"
#include "text/DateTime.h"

namespace tz {
namespace {

using namespace SimField;

TEST(SimField, Num5_RightAlignsRoundsAndMasks) {
    const struct { Single value; Integer decimals; const char* expected; } cases[] = {
        {100, 0, "  100"},    {0.5f, 2, " 0.50"},  {-1, 1, "*****"},   {123456, 0, "23456"},
        {19.5f, 1, " 19.5"},  {0.05f, 1, "  0.1"}, {2.5f, 0, "    3"}, {0, 3, "0.000"},
        {-101, 0, "*****"},   {50, 5, "   50"},    {0.125f, 2, " 0.13"}, {7, -101, "    7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Num5(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals;
}

TEST(SimField, Hex_KeepsRightmostDigitsOfTwosComplement) {
    EXPECT_EQ(Hex(10, 4), "000A");
    EXPECT_EQ(Hex(300, 2), "2C");
    EXPECT_EQ(Hex(-150, 4), "FF6A");
    EXPECT_EQ(Hex(350, 8), "0000015E");
    EXPECT_EQ(Hex(-1, 8), "FFFFFFFF");
}

TEST(SimField, Float8_IsTheSinglesBitsMostSignificantFirst) {
    EXPECT_EQ(Float8(1.0f), "3F800000");
    EXPECT_EQ(Float8(-101.0f), "C2CA0000");
    EXPECT_EQ(Float8(0.5f), "3F000000");
}

TEST(SimField, DateTime12_TwoDigitsEach) {
    EXPECT_EQ(DateTime12(MakeDate({2025, 12, 31, 23, 59, 59}).value()), "251231235959");
    EXPECT_EQ(DateTime12(MakeDate({2001, 2, 3, 4, 5, 6}).value()), "010203040506");
}

TEST(SimField, FixAndBit) {
    EXPECT_EQ(Fix("AB", 4), "AB  ");
    EXPECT_EQ(Fix("ABCDEF", 4), "ABCD");
    EXPECT_EQ(Bit(2), "1");
    EXPECT_EQ(Bit(0), "0");
    EXPECT_EQ(Dec(-12), "-12");
}

}  // namespace
}  // namespace tz
