#include "text/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/Errors.h"

namespace tz {
namespace {

struct FixedCase {
    Single value;
    int decimals;
    const char* text;
};

TEST(FormatFixed, RoundsExactExpansionHalfAwayFromZero) {
    const FixedCase cases[] = {
        {0.05f, 1, "0.1"},      // 0.0500000007...
        {0.5f, 0, "1"},         // exact half
        {1.5f, 0, "2"},
        {2.5f, 0, "3"},         // away from zero, not to even
        {0.125f, 2, "0.13"},    // exact half
        {0.375f, 2, "0.38"},
        {0.15f, 1, "0.2"},      // 0.1500000059...
        {0.35f, 1, "0.3"},      // 0.3499999940...: the exact value decides, not the short text
        {-0.05f, 1, "-0.1"},
        {-2.5f, 0, "-3"},
        {9.96f, 1, "10.0"},     // carry into a new integer digit
        {99.995f, 2, "100.00"}, // 99.9950027...: carry through every digit
        {1.005f, 2, "1.00"},    // 1.0049999952...
        {999.5f, 0, "1000"},
        {20.9f, 1, "20.9"},
        {20.9f, 5, "20.90000"}, // 20.8999996185...
        {0.0f, 0, "0"},
        {0.0f, 3, "0.000"},
        {123456.0f, 0, "123456"},
        {1e10f, 0, "10000000000"},
        {1.0f, 9, "1.000000000"},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " with " << c.decimals);
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text);
    }
}

TEST(FormatFixed, ZeroResultCarriesNoMinusSign) {
    EXPECT_EQ(FormatFixed(-0.04f, 1), "0.0");
    EXPECT_EQ(FormatFixed(-0.0f, 0), "0");
    EXPECT_EQ(FormatFixed(-0.4f, 0), "0");
}

TEST(FormatFixed, ExtremeValuesDoNotFail) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<Single>::denorm_min(), 9), "0.000000000");
    EXPECT_EQ(FormatFixed(std::numeric_limits<Single>::max(), 0).size(), 39u);
    EXPECT_EQ(FormatFixed(std::numeric_limits<Single>::infinity(), 1), "Infinity");
    EXPECT_EQ(FormatFixed(std::nanf(""), 1), "NaN");
    EXPECT_EQ(FormatFixed(1.25f, 42), "1.250000000");  // clamped to nine decimals
}

TEST(FormatNumber, FixedFormatsAndGeneralForm) {
    EXPECT_EQ(FormatNumber(500.0f, "#0"), "500");
    EXPECT_EQ(FormatNumber(0.05f, "#0.0"), "0.1");
    EXPECT_EQ(FormatNumber(2.5f, "#0.00"), "2.50");
    EXPECT_EQ(FormatNumber(1.0f, "#0.000000000"), "1.000000000");
    EXPECT_EQ(FormatNumber(500.0f, ""), "500");
    EXPECT_EQ(FormatNumber(0.1f, ""), "0.1");
    EXPECT_EQ(FormatNumber(-101.0f, ""), "-101");
    EXPECT_EQ(FormatNumber(1e20f, ""), "1E+20");
    EXPECT_EQ(FormatNumber(0.05f, "#0.0000000000"), "0.05");  // ten decimals: not a fixed format
}

struct StepCase {
    Single value;
    Single step;
    Single expected;
};

TEST(RoundToStep, RoundsToMultiplesWithHalvesToEven) {
    const StepCase cases[] = {
        {0.26f, 0.1f, 0.3f},  {2.5f, 1.0f, 2.0f},   {3.5f, 1.0f, 4.0f},
        {0.25f, 0.5f, 0.0f},  {0.75f, 0.5f, 1.0f},  {47.0f, 5.0f, 45.0f},
        {48.0f, 5.0f, 50.0f}, {19.5f, 0.1f, 19.5f}, {0.0f, 0.5f, 0.0f},
        {-1.0f, 0.1f, 0.0f},  // negative value
        {5.0f, 0.0f, 0.0f},   // zero step
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " step " << c.step);
        EXPECT_FLOAT_EQ(RoundToStep(c.value, c.step), c.expected);
    }
}

TEST(RoundToStep, QuotientBeyondSixteenBitsIsAccepted) {
    // A 50 ppm level on a range that counts in 0.001 steps: quotient 50000.
    EXPECT_FLOAT_EQ(RoundToStep(50.0f, 0.001f), 50.0f);
    EXPECT_FLOAT_EQ(RoundToStep(2000000000.0f, 1.0f), 2000000000.0f);
}

TEST(RoundToStep, QuotientBeyondThirtyTwoBitsThrowsOverflow) {
    EXPECT_THROW(RoundToStep(3e9f, 1.0f), OverflowError);
    EXPECT_THROW(RoundToStep(1.0f, 1e-30f), OverflowError);
    EXPECT_THROW(RoundToStep(1.0f, -1e-30f), OverflowError);
    EXPECT_THROW(RoundToStep(std::nanf(""), 1.0f), OverflowError);
    EXPECT_THROW(RoundToStep(std::numeric_limits<Single>::infinity(), 1.0f), OverflowError);
}

TEST(IsNumericText, AcceptsSignedDecimalsWithSpaces) {
    for (const char* text : {" 50", "19.5", "-3", "+7", "  0.50", "5.", ".5", "00012", "-0.0 "})
        EXPECT_TRUE(IsNumericText(text)) << text;
    for (const char* text : {"", "   ", "abc", "1e5", "&H10", "1.2.3", "-", ".", "1 2", "--1",
                             "12a", "0x10", "\t5"})
        EXPECT_FALSE(IsNumericText(text)) << text;
}

TEST(TextToSingle, ConvertsNumericTextAndRejectsOthers) {
    EXPECT_FLOAT_EQ(TextToSingle("  500"), 500.0f);
    EXPECT_FLOAT_EQ(TextToSingle(" 0.05"), 0.05f);
    EXPECT_FLOAT_EQ(TextToSingle("-3"), -3.0f);
    EXPECT_FLOAT_EQ(TextToSingle("+7.25"), 7.25f);
    EXPECT_FLOAT_EQ(TextToSingle(".5"), 0.5f);
    EXPECT_FLOAT_EQ(TextToSingle("5."), 5.0f);
    EXPECT_EQ(TextToSingle("20.9"), 20.9f);
    EXPECT_THROW(TextToSingle("*****"), ConversionError);
    EXPECT_THROW(TextToSingle(""), ConversionError);
    EXPECT_THROW(TextToSingle("1e5"), ConversionError);
    EXPECT_THROW(TextToSingle("1" + std::string(40, '0')), OverflowError);
    EXPECT_EQ(TextToSingle("0." + std::string(60, '0') + "1"), 0.0f);
}

}  // namespace
}  // namespace tz
