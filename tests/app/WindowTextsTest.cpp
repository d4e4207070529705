#include <gtest/gtest.h>

#include "app/GasSelection.h"
#include "app/WindowTexts.h"
#include "instrument/modGasCommon.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

class WindowTextsTest : public ::testing::Test {
protected:
    WindowTextsTest() : language_(ActiveLanguage()) {}
    ~WindowTextsTest() override { SetLanguage(language_); }
    Language language_;
};

TEST_F(WindowTextsTest, PartNumberAndTitles_FollowTheCatalogueLanguage) {
    SetLanguage(Language::English);
    EXPECT_EQ(ProgramPartNumber(), "05683");
    EXPECT_EQ(MainWindowTitle(false), "TZ-7300 - Setup Program [P.No.05683]");
    EXPECT_EQ(MainWindowTitle(true), "TZ-7300 - Setup Program [P.No.05683] <製造ｵﾌﾟｼｮﾝ>");
    EXPECT_EQ(SplashVersionText(), "P.No.05683");
    const std::string english = SplashCompanyText();
    SetLanguage(Language::Japanese);
    EXPECT_EQ(ProgramPartNumber(), "05006");
    EXPECT_EQ(SplashVersionText(), "P.No.05006");
    EXPECT_EQ(MainWindowTitle(false), MainTitle() + " [P.No.05006]");
    EXPECT_NE(SplashCompanyText(), english);
}

TEST(WindowTexts, ProgramPassword_ComparedWithoutLetterCase) {
    EXPECT_TRUE(IsProgramPassword("8640", "8640"));
    EXPECT_TRUE(IsProgramPassword("tolba", "Tolba"));
    EXPECT_TRUE(IsProgramPassword("QMV", "qmv"));
    EXPECT_TRUE(IsProgramPassword("", ""));
    EXPECT_FALSE(IsProgramPassword("", "8640"));
    EXPECT_FALSE(IsProgramPassword("8640 ", "8640"));
    EXPECT_FALSE(IsProgramPassword("qm", "qmv"));
}

TEST(WindowTexts, ProgressModes_MessageAndCancelButton) {
    struct Case {
        Integer mode;
        int message;
        bool cancel;
    };
    for (const Case c : {Case{0, MsgNowDownloading, false}, Case{1, MsgNowDownloading, true},
                         Case{3, MsgAdjustingZero, false}, Case{4, MsgAdjustingSpan, false},
                         Case{6, MsgNowWriting, false}, Case{2, MsgNowDownloading, false}}) {
        const ProgressModeView view = ProgressModeTexts(c.mode);
        EXPECT_EQ(view.message, c.message) << c.mode;
        EXPECT_EQ(view.cancelShown, c.cancel) << c.mode;
    }
}

TEST(GasSelection, EnabledEntriesUpTo15_InOrderWithTheirLabels) {
    GasTableType table{};
    for (const int k : {1, 4, 15, 16}) {
        table[5][k].Enabled = true;
        table[5][k].GasName = "VOC";
        table[5][k].GasUnit = "ppm";
        table[5][k].GasFullScale = 50.0f;
        table[5][k].GasPoint = 1;
    }
    const std::vector<GasChoice> choices = GasChoices(table, 5);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].index, 1);
    EXPECT_EQ(choices[1].index, 4);
    EXPECT_EQ(choices[2].index, 15);
    EXPECT_EQ(choices[0].caption, GasLabel("VOC", "ppm", 50.0f, 1));
    EXPECT_TRUE(GasChoices(table, 0).empty());
    EXPECT_THROW(GasChoices(table, 7), std::out_of_range);
    EXPECT_THROW(GasChoices(table, -1), std::out_of_range);
}

TEST(GasSelection, Arrangement_OneColumnBelowFiveElseTwoOfHalfRoundedUp) {
    struct Case {
        int count, columns, rows;
    };
    for (const Case c : {Case{0, 1, 0}, Case{3, 1, 3}, Case{4, 1, 4}, Case{5, 2, 3}, Case{7, 2, 4},
                         Case{8, 2, 4}, Case{16, 2, 8}}) {
        const GasChoiceLayout layout = GasChoiceArrangement(c.count);
        EXPECT_EQ(layout.columns, c.columns) << c.count;
        EXPECT_EQ(layout.rows, c.rows) << c.count;
    }
}

}  // namespace
}  // namespace tz
