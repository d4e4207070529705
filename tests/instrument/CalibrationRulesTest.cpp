#include "instrument/CalibrationRules.h"

#include <gtest/gtest.h>

#include "instrument/GridTestRecord.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using testing::GridTestRecord;

class CalibrationRules : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguage(Language::English);
        cal.AutoCalib(3, -101);  // no calibration gas concentration
        cal.GasEnabled(5, false);
    }
    clsInstrument cal = GridTestRecord();
    // The program's record: the warning levels the instrument alarms on.
    clsInstrument levels = GridTestRecord();
};

TEST_F(CalibrationRules, Availability_EnabledWithAConcentration) {
    const CalibrationSelection sel = OpenCalibrationSelection(cal);
    EXPECT_EQ(sel.Available, (ChannelFlags{true, true, true, false, true, false}));
    EXPECT_EQ(sel.Selected, sel.Available);
    EXPECT_TRUE(IsCalCellEditable(sel, 0, CalColumn::Select));
    EXPECT_TRUE(IsCalCellEditable(sel, 0, CalColumn::Concentration));
    EXPECT_FALSE(IsCalCellEditable(sel, 0, CalColumn::Reading));
    EXPECT_FALSE(IsCalCellEditable(sel, 0, CalColumn::Gas));
    EXPECT_FALSE(IsCalCellEditable(sel, 3, CalColumn::Concentration));
    EXPECT_FALSE(IsCalCellEditable(sel, 5, CalColumn::Select));
    // A channel with a concentration of 0 takes part.
    cal.AutoCalib(3, 0);
    EXPECT_TRUE(OpenCalibrationSelection(cal).Available[3]);
}

TEST_F(CalibrationRules, Selection_OnlyAvailableChannelsWithAConcentration) {
    CalibrationSelection sel = OpenCalibrationSelection(cal);
    EXPECT_FALSE(SetCalSelected(sel, cal, 0, false));
    EXPECT_FALSE(sel.Selected[0]);
    EXPECT_TRUE(SetCalSelected(sel, cal, 0, true));
    EXPECT_FALSE(SetCalSelected(sel, cal, 3, true));  // unavailable: the box stays cleared
    EXPECT_FALSE(sel.Selected[3]);

    // Clearing the concentration unselects the channel, which then cannot be ticked until it has
    // one again.
    ApplyCalConcentration(cal, sel, 2, EditCalConcentration(cal, levels, 2, ""));
    EXPECT_FLOAT_EQ(cal.AutoCalib(2), -101);
    EXPECT_FALSE(sel.Selected[2]);
    EXPECT_FALSE(SetCalSelected(sel, cal, 2, true));
    ApplyCalConcentration(cal, sel, 2, EditCalConcentration(cal, levels, 2, "20"));
    EXPECT_FALSE(sel.Selected[2]);
    EXPECT_TRUE(SetCalSelected(sel, cal, 2, true));
}

TEST_F(CalibrationRules, ConcentrationEdits) {
    cal.AutoCalIsLo(5, true);
    struct Case {
        const char* scenario;
        Integer channel;
        const char* typed;
        bool refused;
        Single value;
        bool unselect;
        const char* text;
    } const cases[] = {
        {"rounded to the resolution 0.1", 4, "50.04", false, 50.0f, false, "50.0"},
        {"at the full scale", 0, "100", false, 100, false, "100"},
        {"above the full scale", 0, "101", true, 0, false, ""},
        {"negative", 0, "-1", true, 0, false, ""},
        {"below the warning level of 10 %LEL", 0, "5", true, 0, false, ""},
        {"oxygen above its warning level of 19.5 %", 1, "20", true, 0, false, ""},
        {"oxygen below its warning level", 1, " 12 ", false, 12, false, "12.0"},
        {"not a number", 2, "abc", true, 0, false, ""},
        {"empty", 2, "", false, -101, true, "-----"},
        {"the no-value dashes", 2, "-----", false, -101, true, "-----"},
        {"dashes inside a text", 2, "1--2", false, -101, true, "-----"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        const CalConcentrationEdit edit = EditCalConcentration(cal, levels, c.channel, c.typed);
        EXPECT_EQ(edit.Refused, c.refused);
        EXPECT_EQ(edit.Reason.empty(), !c.refused);
        if (c.refused) continue;
        EXPECT_FLOAT_EQ(edit.Value, c.value);
        EXPECT_EQ(edit.Unselect, c.unselect);
        EXPECT_EQ(edit.Text, c.text);
    }
}

TEST_F(CalibrationRules, SecondRangeConcentration_CountsInThatRange) {
    cal.AutoCalIsLo(4, true);  // ppb, full scale 9999, step 1, no decimals
    const CalConcentrationEdit edit = EditCalConcentration(cal, levels, 4, "5000.4");
    ASSERT_FALSE(edit.Refused);
    EXPECT_FLOAT_EQ(edit.Value, 5000);
    EXPECT_EQ(edit.Text, "5000");
    EXPECT_TRUE(EditCalConcentration(cal, levels, 4, "10000").Refused);
}

TEST_F(CalibrationRules, RefusedConcentration_SaysWhyAndWhatIsAccepted) {
    const CalConcentrationEdit edit = EditCalConcentration(cal, levels, 0, "5");
    EXPECT_EQ(edit.Reason.rfind("5 %LEL is outside the limits. The concentration does not reach the warning level "
                                "(10 %LEL or more). Auto Cal.: 0 to the full scale (100 %LEL)",
                                0),
              0u)
        << edit.Reason;
    EXPECT_EQ(CalConcentrationAcceptText(cal, levels, 4),
              "Auto Cal.: 0 to the full scale (100.0 ppm) Empty: the channel does not take part.");
}

TEST_F(CalibrationRules, SpanRequest_SelectedConcentrationsAndRangeMarks) {
    cal.GasPoint(2, 0);
    ChannelFlags selected{true, false, true, false, false, false};
    EXPECT_EQ(BuildSpanRequest(cal, selected), "101000,   50,*****,   25,*****,*****,*****,H,H");
    // Channel 4 in its second range: ppb with no decimals, and the low mark.
    cal.AutoCalIsLo(4, true);
    cal.AutoCalib(4, 2500);
    selected[4] = true;
    EXPECT_EQ(BuildSpanRequest(cal, selected), "101010,   50,*****,   25,*****, 2500,*****,L,H");
}

TEST_F(CalibrationRules, ZeroResult_ListsEveryAvailableChannelWithTheFailedOne) {
    const CalibrationSelection sel = OpenCalibrationSelection(cal);
    CalReadings readings;
    readings.Values = {0, 20.9f, 3.5f, 0, 1234, 0};
    readings.LowRange5 = true;
    const CalibResult result = SetCalibResult(true, {true, true, false, true, false, true}, true, cal, sel, readings);
    EXPECT_TRUE(result.Ok);
    EXPECT_EQ(result.Text,
              "CH4  Adjustment Complete.\r\n"
              "O2  Adjustment Complete.\r\n"
              "H2S(3.5) Failed\r\n"
              "VOC(1234) Failed\r\n");
}

TEST_F(CalibrationRules, SpanResult_OnlyTheSelectedChannels) {
    CalibrationSelection sel = OpenCalibrationSelection(cal);
    SetCalSelected(sel, cal, 1, false);
    SetCalSelected(sel, cal, 4, false);
    const CalibResult result = SetCalibResult(false, {}, false, cal, sel, CalReadings{});
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Text, "CH4(-----) Failed\r\nH2S(-----) Failed\r\n");
}

TEST_F(CalibrationRules, Readings_ShownOnlyForAvailableChannels) {
    const CalibrationSelection sel = OpenCalibrationSelection(cal);
    EXPECT_EQ(CalReadingText(cal, sel, 2, 3.25f), "3.3");
    EXPECT_EQ(CalReadingText(cal, sel, 3, 12), "-----");
    EXPECT_EQ(CalReadingText(cal, sel, 4, 12, true), "12");
    EXPECT_EQ(CalReadingText(cal, sel, 0, -104), "ALARM");
    EXPECT_EQ(CalConcentrationText(cal, 2), "25.0");
    EXPECT_EQ(CalConcentrationText(cal, 3), "-----");
}

TEST_F(CalibrationRules, TeN2_NeedsChannel4AndAFreshNumericOxygenReading) {
    CalibrationSelection sel = OpenCalibrationSelection(cal);
    TeN2Plan plan = PlanTeN2(cal, sel, 20.9f);
    EXPECT_EQ(plan.Next, TeN2Plan::Action::Run);
    EXPECT_EQ(plan.ZcalText, " 20.9");
    for (const std::optional<Single> reading : {std::optional<Single>{}, std::optional<Single>{-101.0f},
                                                std::optional<Single>{65535.0f}, std::optional<Single>{-107.0f}}) {
        plan = PlanTeN2(cal, sel, reading);
        EXPECT_EQ(plan.Next, TeN2Plan::Action::NoReading);
        EXPECT_EQ(plan.RefusalText.rfind("No oxygen reading has arrived", 0), 0u);
    }
    sel.Available[4] = false;
    plan = PlanTeN2(cal, sel, 20.9f);
    EXPECT_EQ(plan.Next, TeN2Plan::Action::Disabled);
    EXPECT_EQ(plan.RefusalText, "TE is Disabled ");

    EXPECT_EQ(TeN2ResultText(cal, true, 20.9f), "O2  Adjustment Complete.\r\n");
    EXPECT_EQ(TeN2ResultText(cal, false, 20.9f), "O2(20.9) Failed\r\n");
}

}  // namespace
}  // namespace tz
