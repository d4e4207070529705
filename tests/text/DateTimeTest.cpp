#include <gtest/gtest.h>

#include "text/DateTime.h"

namespace tz {

TEST(DateTime, EpochAndKnownDays_MatchDayCount) {
    EXPECT_DOUBLE_EQ(*MakeDate({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(*MakeDate({1900, 1, 1, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(*MakeDate({2024, 2, 29, 12, 0, 0}), 45351.5);
}

TEST(DateTime, FormatAndParse_RoundTrip) {
    const Date d = *MakeDate({2026, 12, 10, 7, 5, 9});
    EXPECT_EQ(FormatGeneralDate(d), "2026/12/10 07:05:09");
    EXPECT_DOUBLE_EQ(*ParseGeneralDate("2026/12/10 07:05:09"), d);
    EXPECT_EQ(FormatGeneralDate(*ParseGeneralDate("2026/12/10")), "2026/12/10 00:00:00");
}

TEST(DateTime, InvalidTexts_AreRefused) {
    for (const char* bad : {"", "2023/02/29", "2026/13/01", "2026/12/10 24:00:00", "12/10/2026",
                            "2026/12/10x", "2026/12/10 07:05"})
        EXPECT_FALSE(ParseGeneralDate(bad).has_value()) << bad;
}

TEST(DateTime, TimeJustBeforeMidnight_RoundsIntoNextDay) {
    EXPECT_EQ(FormatGeneralDate(1.0 - 0.1 / 86400.0), "1899/12/31 00:00:00");
}

}  // namespace tz
