#include "instrument/ParameterHelp.h"

#include <gtest/gtest.h>

#include "instrument/ParameterTestSupport.h"

namespace tz {
namespace {

using namespace testing;

TEST(ParameterHelp, ToolTips_SayWhatEachRowAccepts) {
    LanguageScope english(Language::English);
    const RowText cases[] = {
        {P, 0, "Choose one of: Off, On"},
        {P, 2, "Choose one of: Confirm to use, Can't use, None"},
        {P, 1, "A whole number from 1 to 365"},
        {P, 23, "A whole number from 0 to 3"},
        {P, 31, "A whole number from 10 up to the value of \"Man Down Time 2\""},
        {P, 32, "A whole number from the value of \"Man Down Time 1\" up to the value of "
                "\"Man Down Time\""},
        {P, 33, "A whole number from the value of \"Man Down Time 2\" up to 120"},
        {P, 35, "A number from 0.0 to 20.9, at most one digit after the point"},
        {P, 50, "Exactly 4 digits; leading zeros count (0123 stays 0123)"},
        {F, 0, "Up to 10 characters: letters, digits, spaces, \"*\" and \"-\""},
        {F, 4, "A whole number from 0 to 50"},
        {F, 9, "Six digits YYMMDD of a real date (240229 is 29 February 2024)"},
        {M, 3, "Exactly 4 digits; leading zeros count (0123 stays 0123)"},
    };
    for (const auto& c : cases) EXPECT_EQ(RowToolTip(c.grid, c.row), c.text) << c.row;
    for (const ParameterRow* row : AllParameterRows())
        EXPECT_FALSE(RowToolTip(row->Grid, row->Row).empty()) << Describe(*row);
    EXPECT_THROW(RowToolTip(F, 15), std::out_of_range);
}

TEST(ParameterHelp, ToolTips_FollowTheActiveLanguage) {
    LanguageScope japanese(Language::Japanese);
    EXPECT_EQ(RowToolTip(P, 13), "次のいずれかを選択: リセット、ラッチ");
    EXPECT_EQ(RowToolTip(P, 1), "1 から 365 までの整数");
    EXPECT_EQ(RowToolTip(P, 33), "「マンダウン時間 2」の値から 120 までの整数");
}

TEST(ParameterHelp, Filter_FindsLabelsHoldingTheTextAcrossTheGrids) {
    LanguageScope english(Language::English);
    EXPECT_EQ(RowsMatchingFilter("").size(), 72u);
    EXPECT_EQ(RowsMatchingFilter("password"),
              (std::vector<RowRef>{{P, 49}, {P, 50}, {F, 6}, {M, 2}, {M, 3}}));
    EXPECT_EQ(RowsMatchingFilter("gas4"), (std::vector<RowRef>{{P, 20}, {P, 25}, {F, 10}}));
    EXPECT_EQ(RowsMatchingFilter("LCD"),
              (std::vector<RowRef>{{P, 47}, {F, 4}, {M, 5}}));
    EXPECT_TRUE(RowsMatchingFilter("no such setting").empty());

    LanguageScope japanese(Language::Japanese);
    EXPECT_EQ(RowsMatchingFilter("マンダウン"),
              (std::vector<RowRef>{{P, 29}, {P, 31}, {P, 32}, {P, 33}}));
}

TEST(ParameterHelp, TabCaption_CountsChangedRowsOnlyWhenThereAreSome) {
    LanguageScope english(Language::English);
    EXPECT_EQ(TabCaptionWithChanges("Parameter", 0), "Parameter");
    EXPECT_EQ(TabCaptionWithChanges("Parameter", 3), "Parameter (3 changed)");
    EXPECT_EQ(NoRowMatchesText("xyz"), "No setting's name holds \"xyz\"");
    EXPECT_EQ(OpenedValueNote("Off"), "Was \"Off\" when the dialog opened");
    EXPECT_EQ(FilterBoxLabel(), "Filter:");
    EXPECT_FALSE(FilterBoxToolTip().empty());
}

}  // namespace
}  // namespace tz
