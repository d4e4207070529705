#include "instrument/GridCells.h"

#include <gtest/gtest.h>

#include "instrument/GridExplanations.h"
#include "instrument/GridTestRecord.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using testing::GridTestRecord;
using C = GridColumn;

class GridCells : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }
    void TearDown() override { SetLanguage(Language::English); }
    clsInstrument record = GridTestRecord();
};

TEST_F(GridCells, ChannelRowTexts) {
    record.Twa(3, -1);     // switched off
    record.StelIsLo(4, true);
    record.PortCh(5, -1);  // no position
    record.GasUnit(0, "%LEL");
    record.Stel(0, 5);     // not shown: the unit is not ppm
    struct Case {
        Integer channel;
        GridColumn column;
        const char* text;
    } const cases[] = {
        {0, C::Gas, "CH4(100%LEL)"}, {4, C::Gas, "VOC(ppm)"},   {0, C::Warning, "10"},
        {1, C::Alarm, "18.0"},       {2, C::Stel, "5.0"},       {3, C::Twa, "-----"},
        {0, C::Stel, "-----"},       {1, C::Twa, "-----"},      {4, C::Stel, "2"},
        {4, C::Twa, "1.0"},          {0, C::AutoCal, "50"},     {0, C::Position, "1"},
        {5, C::Position, "-----"},   {2, C::Enable, ""},        {2, C::Rate, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridCellText(record, c.channel, c.column), c.text)
            << "channel " << c.channel << " column " << static_cast<int>(c.column);
}

TEST_F(GridCells, StelAndTwaOfAGasNotInPpm_ShowAsNotUsed) {
    record.GasUnit(4, "%LEL");
    EXPECT_EQ(GridCellText(record, 4, C::Stel), "-----");
    EXPECT_EQ(GridCellText(record, 4, C::Warning), "1.0");
}

TEST_F(GridCells, ShownPositions_NoneForMinusOneAndNumbersBeyondSix) {
    record.PortCh(2, -1);
    record.PortCh(3, 8);
    EXPECT_EQ(ShownPositions(record), (std::array<Integer, 6>{1, 2, 0, 0, 5, 6}));
}

TEST_F(GridCells, ReadOnlyCells) {
    EXPECT_TRUE(IsGridCellReadOnly(3, C::Gas));
    EXPECT_TRUE(IsGridCellReadOnly(0, C::Stel));
    EXPECT_TRUE(IsGridCellReadOnly(1, C::Twa));
    EXPECT_FALSE(IsGridCellReadOnly(2, C::Stel));
    EXPECT_FALSE(IsGridCellReadOnly(0, C::Enable)) << "a fixed channel's box answers a click with a message";
    EXPECT_FALSE(IsGridCellReadOnly(0, C::Rate));
}

TEST_F(GridCells, UnitRows_OnlyForChannelsWithASecondRange) {
    record.AlarmIsLo(4, true);
    EXPECT_EQ(UnitRowText(record, 4, C::Gas), "VOC ppm/ppb");
    EXPECT_EQ(UnitRowText(record, 4, C::Warning), "ppm");
    EXPECT_EQ(UnitRowText(record, 4, C::Alarm), "ppb");
    EXPECT_EQ(UnitRowText(record, 4, C::Position), "");
    EXPECT_EQ(UnitChoices(record, 4), (std::vector<std::string>{"ppb", "ppm"}));
    EXPECT_FALSE(IsUnitCellReadOnly(record, 4, C::AutoCal));
    EXPECT_TRUE(IsUnitCellReadOnly(record, 4, C::Rate));
    // Same unit in both ranges: shown, no choice.
    EXPECT_EQ(UnitRowText(record, 5, C::Gas), "HC ppm/ppm");
    EXPECT_TRUE(IsUnitCellReadOnly(record, 5, C::Warning));
    // Without a second range the row stays empty.
    record.GasFullScale_l(5, -101);
    EXPECT_EQ(UnitRowText(record, 5, C::Gas), "");
    EXPECT_TRUE(UnitChoices(record, 5).empty());
    EXPECT_TRUE(IsUnitCellReadOnly(record, 2, C::Warning));
}

TEST_F(GridCells, RowsAndLayout) {
    EXPECT_EQ(GridRowChannel(1), -1);
    EXPECT_EQ(GridRowChannel(2), 0);
    EXPECT_EQ(GridRowChannel(7), 5);
    EXPECT_EQ(GridRowChannel(8), 4);
    EXPECT_EQ(GridRowChannel(9), 5);
    EXPECT_EQ(GridRowChannel(10), -1);
    EXPECT_TRUE(GridHasData(record, 6));
    EXPECT_FALSE(GridHasData(record, 1));
    record.CommFlags(false);
    EXPECT_FALSE(GridHasData(record, 6));
    record.ImportFlag(true);
    EXPECT_TRUE(GridHasData(record, 2));
    EXPECT_EQ(LoadMessage(GridColumnTitleMessage(C::Position)), "Position");
    EXPECT_EQ(LoadMessage(GridColumnTitleMessage(C::Rate)), "Rate");
}

// ---- explanations ----

TEST_F(GridCells, AcceptTexts_SayWhatEachCellTakes) {
    record.Alarm(4, -101);
    struct Case {
        Integer channel;
        GridColumn column;
        bool fixed;
        const char* text;
    } const cases[] = {
        {0, C::Alarm, false, "Alarm: 0 to 60 %LEL (60 % of the full scale)"},
        {0, C::Warning, false, "Warning: 0 %LEL or more"},
        {0, C::Stel, false, "STEL is not used on this channel."},
        {1, C::Warning, false, "Warning: 18.0 to 20.9 %"},
        {2, C::Twa, false, "TWA: 0 to 30 ppm"},
        {3, C::Alarm, false, "Alarm: 0 to 200 ppm"},
        {4, C::Warning, false, "Warning: 0.0 ppm or more"},
        {4, C::Alarm, false, "Alarm: from the warning level (1.0 ppm) to the full scale (100.0 ppm)"},
        {4, C::Stel, false, "STEL: 0 to the full scale (100.0 ppm)"},
        {5, C::Warning, false, "Warning: 0 to the alarm level (200 ppm)"},
        {0, C::AutoCal, false, "Auto Cal.: 0 to the full scale (100 %LEL) It must reach the warning level (10 %LEL or more)."},
        {1, C::AutoCal, false, "Auto Cal.: 0 to the full scale (40.0 %) It must reach the warning level (19.5 % or less)."},
        {5, C::AutoCal, false, "Auto Cal.: 0 to the full scale (1000 ppm)"},
        {3, C::Position, false, "Position 1 to 6"},
        {3, C::Rate, false, "Rate: 1.00 to 1.99"},
        {3, C::Enable, true, "This sensor is fixed and cannot be switched off."},
        {3, C::Enable, false, "Tick to choose a gas for this channel; clear to switch the channel off."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellAcceptText(record, c.channel, c.column, c.fixed), c.text)
            << "channel " << c.channel << " column " << static_cast<int>(c.column);
}

TEST_F(GridCells, AcceptTexts_OxygenByAlarmType) {
    record.AlarmO2(0);
    EXPECT_EQ(CellAcceptText(record, 1, C::Alarm, false), "Alarm: 18.0 to 25.0 %");
    record.AlarmO2(2);
    record.Warning(1, 19.5f);
    record.Alarm(1, 23.5f);
    EXPECT_EQ(CellAcceptText(record, 1, C::Warning, false), "Warning: below the alarm level (23.5 %)");
    EXPECT_EQ(CellAcceptText(record, 1, C::Alarm, false),
              "Alarm: from the warning level (19.5 %) to the full scale (40.0 %)");
    record.AlarmO2(3);
    EXPECT_EQ(CellAcceptText(record, 1, C::Alarm, false), "Alarm: no value is accepted with oxygen alarm type 3.");
}

TEST_F(GridCells, AcceptTexts_ChannelWithoutGas) {
    clsInstrument blank;
    EXPECT_EQ(CellAcceptText(blank, 0, C::Alarm, false),
              "Alarm: no value is accepted until the channel has a gas with a full scale.");
    blank.GasUnit(4, "%LEL");
    EXPECT_EQ(CellAcceptText(blank, 4, C::Twa, false),
              "TWA: no value is accepted until the channel has a gas with a full scale. "
              "Shown as not used because the gas is not measured in ppm.");
}

TEST_F(GridCells, RedCells_TheirReasons) {
    // H2S warning above its alarm: both within 0 to 30, both red for their order.
    record.Warning(2, 25);
    record.Alarm(2, 20);
    for (const GridColumn column : {C::Warning, C::Alarm}) {
        EXPECT_EQ(CellRedReasons(record, 2, column), std::vector<RedReason>{RedReason::LevelOrder});
        EXPECT_EQ(CellRedText(record, 2, column), "The warning level is above the alarm level.");
    }
    EXPECT_FALSE(IsCellRed(record, 2, C::Stel));
    // The falling oxygen alarm wants the warning at or above the alarm.
    record.Warning(1, 18.0f);
    record.Alarm(1, 19.0f);
    EXPECT_EQ(CellRedText(record, 1, C::Warning),
              "The warning level is below the alarm level (the oxygen alarm falls).");
    // A stored level beyond its limits, which the order check alone would leave black.
    record.Alarm(0, 70);
    EXPECT_EQ(CellRedReasons(record, 0, C::Alarm), std::vector<RedReason>{RedReason::OutsideLimits});
    EXPECT_EQ(CellRedText(record, 0, C::Alarm), "Outside its limits. Alarm: 0 to 60 %LEL (60 % of the full scale)");
    record.Stel(3, 250);
    EXPECT_EQ(CellRedText(record, 3, C::Stel), "Outside its limits. STEL: 0 to 200 ppm");
    // Auto-calibration concentrations that do not reach the warning level.
    record.AutoCalib(0, 5);
    EXPECT_EQ(CellRedText(record, 0, C::AutoCal),
              "The concentration does not reach the warning level (10 %LEL or more).");
    record.AutoCalib(1, 20);
    EXPECT_EQ(CellRedText(record, 1, C::AutoCal),
              "The concentration does not reach the warning level (18.0 % or less).");
    EXPECT_FALSE(IsCellRed(record, 3, C::AutoCal));
    EXPECT_FALSE(IsCellRed(record, 0, C::Position));
}

TEST_F(GridCells, ToolTip_AcceptTextThenRedReasons) {
    record.Warning(2, 25);
    record.Alarm(2, 20);
    EXPECT_EQ(CellToolTip(record, 2, C::Warning, false),
              "Warning: 0 to 30 ppm\nThe warning level is above the alarm level.");
    EXPECT_EQ(CellToolTip(record, 2, C::Stel, false), "STEL: 0 to 30 ppm");
}

TEST_F(GridCells, Explanations_FollowTheActiveLanguage) {
    SetLanguage(Language::Japanese);
    EXPECT_EQ(CellAcceptText(record, 0, C::Alarm, false), "警報: 0～60 %LEL (フルスケールの 60 %)");
    EXPECT_EQ(CellAcceptText(record, 3, C::Position, false), "位置 1～6");
}

}  // namespace
}  // namespace tz
