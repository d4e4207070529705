#include <gtest/gtest.h>

#include "sim/SimParse.h"
#include "text/DateTime.h"

namespace tz {
namespace {

TEST(SimParse, IntegerFields_ReadOrRejected) {
    const struct { const char* field; int digits; std::optional<Integer> value; } cases[] = {
        // digits 0: decimal
        {"12", 0, 12},      {" -3 ", 0, -3},     {"+7", 0, 7},        {"32767", 0, 32767},
        {"32768", 0, {}},   {"-32769", 0, {}},   {"-", 0, {}},        {"", 0, {}},
        {"1e5", 0, {}},     {"1.5", 0, {}},      {"0000000001", 0, {}},
        // hexadecimal of 2 or 4 digits; four digits are a 16-bit two's complement
        {"2C", 2, 44},      {"ff", 2, 255},      {"100", 2, {}},      {"FFF4", 4, -12},
        {"016D", 4, 365},   {"7FFF", 4, 32767},  {"8000", 4, -32768}, {"G0", 2, {}},
        {"", 4, {}},
    };
    for (const auto& c : cases) {
        const auto got = c.digits == 0 ? SimParse::Dec(c.field) : SimParse::Hex(c.field, c.digits);
        EXPECT_EQ(got, c.value) << c.field;
    }
}

TEST(SimParse, NumberFields_ValuesMasksAndDecimals) {
    EXPECT_FLOAT_EQ(*SimParse::Number(" 19.5"), 19.5f);
    EXPECT_FLOAT_EQ(*SimParse::Number("*****"), static_cast<Single>(NoValue));
    for (const char* bad : {"", "     ", "1.2.3", ".", "-1.0", "abc", "1e5"})
        EXPECT_FALSE(SimParse::Number(bad).has_value()) << bad;
    EXPECT_EQ(SimParse::DecimalsOf("  0.1"), 1);
    EXPECT_EQ(SimParse::DecimalsOf("  100"), 0);
    EXPECT_FALSE(SimParse::DecimalsOf("*****").has_value());
}

TEST(SimParse, FloatAndDateFields) {
    EXPECT_FLOAT_EQ(*SimParse::Float8("3F800000"), 1.0f);
    EXPECT_FALSE(SimParse::Float8("3F80000").has_value());
    EXPECT_FALSE(SimParse::Float8("3F80000Z").has_value());
    EXPECT_EQ(FormatGeneralDate(*SimParse::DateTime12("251231235959")), "2025/12/31 23:59:59");
    for (const char* bad : {"251331000000", "250230000000", "251231240000", "25123123595", "2512312359x9"})
        EXPECT_FALSE(SimParse::DateTime12(bad).has_value()) << bad;
}

TEST(SimParse, SplitKeepsEmptyFields) {
    EXPECT_EQ(SimParse::Split("a,,b,"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SimParse::Split(""), (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace tz
