#include "text/TextCompare.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

TEST(TextCompare, TrimSpaces_RemovesSpacesAtBothEndsOnly) {
    EXPECT_EQ(TrimSpaces("  LC BH  "), "LC BH");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimSpaces("\tA "), "\tA");
}

TEST(TextCompare, CaseBlindComparison_FoldsOnlyTheLettersAToZ) {
    EXPECT_TRUE(SameTextIgnoringCase("low only", "LOW ONLY"));
    EXPECT_FALSE(SameTextIgnoringCase("LOW ONLY", "LOW ONLY "));
    EXPECT_FALSE(SameTextIgnoringCase("[", "{"));  // one apart like a and A, but not letters
    EXPECT_TRUE(SameTextIgnoringCase("ラッチ", "ラッチ"));

    EXPECT_TRUE(HoldsTextIgnoringCase("Man Down Time 2", "down t"));
    EXPECT_TRUE(HoldsTextIgnoringCase("Spec No", ""));
    EXPECT_TRUE(HoldsTextIgnoringCase("", ""));
    EXPECT_FALSE(HoldsTextIgnoringCase("", "a"));
    EXPECT_FALSE(HoldsTextIgnoringCase("Key Tone", "keytone"));
    EXPECT_TRUE(HoldsTextIgnoringCase("マンダウン時間 1", "ダウン"));
}

}  // namespace
}  // namespace tz
