#include "instrument/ReportSuffix.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

TEST(IsValidReportSuffix, RefusesEverythingThatCouldLeaveOrBreakTheFileName) {
    for (const std::string suffix : {"", "_A", "-2024 site 3", "x.y", "日本"})
        EXPECT_TRUE(IsValidReportSuffix(suffix)) << suffix;
    const std::string refused[] = {"a\\b", "a/b", "c:", "a|b", "<", ">", "*", "?",
                                   "..",   "/..", "x..y", std::string("a\0b", 3), "a\tb", "\x1f", "\x7f"};
    for (const std::string& suffix : refused) EXPECT_FALSE(IsValidReportSuffix(suffix)) << suffix;
}

}  // namespace
}  // namespace tz
