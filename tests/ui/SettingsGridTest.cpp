// The settings grid driven as a user drives it, over a record with six fitted channels: the two
// layouts, typed levels refused or accepted, positions, channels switched on and off, undo and
// redo, the tooltips of red cells and copying.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QUndoStack>
#include <algorithm>

#include "GridDriver.h"
#include "UiTestRig.h"
#include "app/GasSelection.h"
#include "instrument/GridCells.h"
#include "instrument/GridExplanations.h"
#include "instrument/GridTestRecord.h"
#include "ui/calibration/frmGasSel.h"
#include "ui/main/SettingsGrid.h"

namespace tz::test {
namespace {

using C = GridColumn;

int Col(C column) { return static_cast<int>(column); }
int Row(Integer channel) { return GridHeaderRows + channel; }

class SettingsGridTest : public ::testing::Test {
protected:
    SettingsGridTest() {
        Program().Instrument = testing::GridTestRecord();
        grid.RecordEdited = [this] { ++edited; };
        grid.resize(1200, 500);
        grid.show();
    }

    clsInstrument& Record() { return Program().Instrument; }
    std::string Text(Integer channel, C column) { return grid.CellText(Row(channel), Col(column)); }
    bool Red(Integer channel, C column) {
        return grid.CellBackColor(Row(channel), Col(column)) == QColor(255, 128, 128);
    }
    bool Type(Integer channel, C column, const std::string& text) {
        return TypeIntoCell(grid, Row(channel), Col(column), text);
    }
    void Toggle(Integer channel) {
        grid.setFocus();
        grid.Select(Row(channel), Col(C::Enable));
        QTest::keyClick(&grid, Qt::Key_Space);
    }
    std::array<std::string, 6> Positions() {
        std::array<std::string, 6> shown;
        for (Integer c = 0; c < 6; ++c) shown[static_cast<std::size_t>(c)] = Text(c, C::Position);
        return shown;
    }

    UiTestRig rig;
    ui::SettingsGrid grid{rig.context};
    int edited = 0;
};

TEST_F(SettingsGridTest, LayoutWithData_TenByNineAndRateColumnOnlyInFactoryMode) {
    grid.ShowRecord();
    EXPECT_TRUE(grid.isEnabled());
    EXPECT_EQ(grid.Rows(), 10);
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_TRUE(grid.ColHidden(Col(C::Rate)));
    EXPECT_EQ(Text(0, C::Warning), "10");
    EXPECT_EQ(Text(1, C::Warning), "19.5");
    EXPECT_EQ(Text(0, C::Stel), "-----");
    EXPECT_EQ(Text(4, C::Warning), "1.0");
    EXPECT_EQ(Text(3, C::Position), "4");
    EXPECT_TRUE(grid.CellChecked(Row(0), Col(C::Enable)));
    for (Integer c = 0; c < 6; ++c) EXPECT_EQ(Text(c, C::Rate), "1.00");
    EXPECT_TRUE(grid.IsReadOnlyCell(Row(0), Col(C::Stel))) << "STEL of channel 0 takes no input";
    EXPECT_TRUE(grid.IsReadOnlyCell(Row(0), Col(C::Gas)));
    EXPECT_FALSE(grid.IsReadOnlyCell(Row(2), Col(C::Stel)));
    EXPECT_EQ(grid.CellText(8, Col(C::Warning)), "ppm");
    EXPECT_FALSE(grid.IsReadOnlyCell(8, Col(C::Warning)));
    EXPECT_TRUE(grid.IsReadOnlyCell(9, Col(C::Warning))) << "a second range in the main unit offers no choice";
    EXPECT_FALSE(StartEdit(grid, Row(0), Col(C::Stel)));
    EXPECT_FALSE(grid.isRowHidden(9));

    Record().GasFullScale_l(5, -101);  // no second range: no unit row to show
    grid.ShowRecord();
    EXPECT_TRUE(grid.isRowHidden(9));
    EXPECT_FALSE(grid.isRowHidden(8));
    grid.clearSelection();
    const std::string all = grid.SelectionAsText();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 9) << all;

    Program().FactoryMode = true;
    grid.ShowRecord();
    EXPECT_FALSE(grid.ColHidden(Col(C::Rate)));
    ASSERT_TRUE(grid.RateOf(2));
    EXPECT_FLOAT_EQ(*grid.RateOf(2), 1.0f);
}

TEST_F(SettingsGridTest, LayoutWithoutData_DefaultGasLabelsAndDisabled) {
    testing::SetMainRange(Program().DefaultRecord, 0, "CH4", "%LEL", 100, 1, 0);
    Record().CommFlags(false);
    Record().ImportFlag(false);
    grid.ShowRecord();
    EXPECT_FALSE(grid.isEnabled());
    EXPECT_EQ(grid.Rows(), 8);
    EXPECT_EQ(grid.Cols(), 7);
    EXPECT_EQ(Text(0, C::Gas), GridCellText(Program().DefaultRecord, 0, C::Gas));
    EXPECT_EQ(Text(0, C::Warning), "");
    EXPECT_FALSE(grid.RateOf(0)) << "no rate is used without data";
}

struct TypedCase {
    const char* scenario;
    Integer alarmO2;
    Integer channel;
    C column;
    const char* typed;
    bool ends;          // the editor closed
    const char* shown;  // the cell's text afterwards (editor closed) or the editor's text
};

TEST_F(SettingsGridTest, TypedValues_RefusedKeepTheEditorOpenAcceptedAreStored) {
    const TypedCase cases[] = {
        {"alarm above 60 % of the full scale", 1, 0, C::Alarm, "61", false, "61"},
        {"alarm at 60 % of the full scale", 1, 0, C::Alarm, "60", true, "60"},
        {"oxygen warning 24 with the falling alarm", 1, 1, C::Warning, "24", false, "24"},
        {"oxygen warning 24 with the rising alarm", 0, 1, C::Warning, "24", true, "24.0"},
        {"not a number", 1, 0, C::Alarm, "abc", false, "abc"},
        {"empty text", 1, 0, C::Alarm, "", true, "50"},
        {"rate beyond 1.99", 1, 2, C::Rate, "2.00", false, "2.00"},
        {"rate rounded to two decimals", 1, 2, C::Rate, "1.254", true, "1.25"},
    };
    Program().FactoryMode = true;
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.scenario);
        Program().Instrument = testing::GridTestRecord();
        Record().AlarmO2(c.alarmO2);
        Record().ClearChangeFlags();
        grid.ShowRecord();
        EXPECT_EQ(Type(c.channel, c.column, c.typed), c.ends);
        if (c.ends) {
            EXPECT_EQ(Text(c.channel, c.column), c.shown);
            EXPECT_TRUE(grid.LastRefusal().empty());
        } else {
            EXPECT_EQ(grid.EditText(), c.shown);
            EXPECT_FALSE(grid.LastRefusal().empty());
            EXPECT_EQ(grid.Editor()->toolTip().toStdString(), grid.LastRefusal());
            grid.CancelEditing();
        }
    }
    EXPECT_EQ(grid.RateOf(2).value_or(0), 1.25f);
}

TEST_F(SettingsGridTest, AcceptedLevel_StoredWithChangeFlagAndUndoneAndRedone) {
    grid.ShowRecord();
    ASSERT_TRUE(Type(0, C::Alarm, "60"));
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);
    EXPECT_TRUE(Record().Change_Alarm(0));
    EXPECT_EQ(edited, 1);
    ASSERT_TRUE(grid.UndoStack().canUndo());

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Record().Alarm(0), 50);
    EXPECT_FALSE(Record().Change_Alarm(0));
    EXPECT_EQ(Text(0, C::Alarm), "50");
    grid.UndoStack().redo();
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);
    EXPECT_TRUE(Record().Change_Alarm(0));
    EXPECT_EQ(Text(0, C::Alarm), "60");

    grid.ShowRecord();  // a new read starts a new history
    EXPECT_FALSE(grid.UndoStack().canUndo());
}

TEST_F(SettingsGridTest, Positions_CloseUpAndComeBack) {
    grid.ShowRecord();
    ASSERT_TRUE(Type(4, C::Position, "3"));
    EXPECT_EQ(Positions(), (std::array<std::string, 6>{"1", "2", "4", "5", "3", "6"}));
    EXPECT_EQ(Record().PortCh(4), 2);
    EXPECT_EQ(Record().PortCh(2), 3);
    ASSERT_TRUE(Type(4, C::Position, "5"));
    EXPECT_EQ(Positions(), (std::array<std::string, 6>{"1", "2", "3", "4", "5", "6"}));

    // A channel without a position takes the free place, and nobody gets position 0.
    Record().PortCh(5, -1);
    grid.ShowRecord();
    EXPECT_EQ(Text(5, C::Position), "-----");
    ASSERT_TRUE(Type(5, C::Position, "1"));
    EXPECT_EQ(Positions(), (std::array<std::string, 6>{"2", "3", "4", "5", "6", "1"}));
}

TEST_F(SettingsGridTest, WarningAboveAlarm_AcceptedButBothRedWithTheReasonInTheTooltip) {
    grid.ShowRecord();
    EXPECT_FALSE(Red(2, C::Warning));
    ASSERT_TRUE(Type(2, C::Alarm, "20"));
    EXPECT_FALSE(Red(2, C::Warning));
    ASSERT_TRUE(Type(2, C::Warning, "25"));
    EXPECT_FLOAT_EQ(Record().Warning(2), 25);
    EXPECT_TRUE(Red(2, C::Warning));
    EXPECT_TRUE(Red(2, C::Alarm));
    const std::string tip = grid.item(Row(2), Col(C::Warning))->toolTip().toStdString();
    EXPECT_NE(tip.find(CellRedText(Record(), 2, C::Warning)), std::string::npos) << tip;
    EXPECT_FALSE(CellRedText(Record(), 2, C::Warning).empty());
    grid.UndoStack().undo();
    EXPECT_FALSE(Red(2, C::Warning));
    EXPECT_EQ(grid.item(Row(2), Col(C::Warning))->toolTip().toStdString(),
              CellAcceptText(Record(), 2, C::Warning, false));
}

TEST_F(SettingsGridTest, UnitRow_SwitchesTheShownValueBetweenPpmAndPpb) {
    grid.ShowRecord();
    ASSERT_TRUE(PickChoice(grid, 8, Col(C::Warning), "ppb"));
    EXPECT_TRUE(Record().WarnIsLo(4));
    EXPECT_EQ(Text(4, C::Warning), "1");
    EXPECT_EQ(grid.CellText(8, Col(C::Warning)), "ppb");
    ASSERT_TRUE(PickChoice(grid, 8, Col(C::Warning), "ppm"));
    EXPECT_FALSE(Record().WarnIsLo(4));
    EXPECT_EQ(Text(4, C::Warning), "1.0");
}

TEST_F(SettingsGridTest, SwitchingOff_NoKeepsYesClearsAndUndoBringsItBack) {
    grid.ShowRecord();
    rig.dialogs.Answer(MsgAnswer::No, LoadMessage(DisableSensorQuestion));
    Toggle(3);
    EXPECT_TRUE(grid.CellChecked(Row(3), Col(C::Enable)));
    EXPECT_TRUE(Record().GasEnabled(3));
    EXPECT_FLOAT_EQ(Record().Warning(3), 25);

    rig.dialogs.Answer(MsgAnswer::Yes, LoadMessage(DisableSensorQuestion));
    Toggle(3);
    EXPECT_FALSE(grid.CellChecked(Row(3), Col(C::Enable)));
    EXPECT_FALSE(Record().GasEnabled(3));
    for (C column : {C::Warning, C::Alarm, C::Stel, C::Twa, C::AutoCal}) EXPECT_EQ(Text(3, column), "-----");
    EXPECT_TRUE(Record().Change_Warn(3));

    grid.UndoStack().undo();
    EXPECT_TRUE(grid.CellChecked(Row(3), Col(C::Enable)));
    EXPECT_TRUE(Record().GasEnabled(3));
    EXPECT_FLOAT_EQ(Record().Warning(3), 25);
    EXPECT_FALSE(Record().Change_Warn(3));
    EXPECT_FALSE(Record().Change_GasEnable(3));
    grid.UndoStack().redo();
    EXPECT_FALSE(grid.CellChecked(Row(3), Col(C::Enable)));
    EXPECT_EQ(Record().Warning(3), -101.0f);
    EXPECT_TRUE(Record().Change_Warn(3));
    EXPECT_TRUE(Record().Change_GasEnable(3));
    ASSERT_EQ(rig.dialogs.boxes.size(), 2u);
    EXPECT_EQ(rig.dialogs.boxes[0].title, LoadMessage(DisableSensorTitle));
}

TEST_F(SettingsGridTest, FixedChannel_ClearingTheBoxIsAnsweredAndTheBoxTickedAgain) {
    Program().GasLocked[0] = true;
    grid.ShowRecord();
    EXPECT_FALSE(grid.IsReadOnlyCell(Row(0), Col(C::Enable)));
    EXPECT_EQ(grid.item(Row(0), Col(C::Enable))->toolTip().toStdString(),
              CellAcceptText(Record(), 0, C::Enable, true));

    rig.dialogs.Answer(MsgAnswer::Ok, LoadMessage(FixedSensorMessage));
    ClickCell(grid, Row(0), Col(C::Enable));
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].title, LoadMessage(FixedSensorTitle));
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::Information);
    EXPECT_TRUE(grid.CellChecked(Row(0), Col(C::Enable)));
    EXPECT_TRUE(Record().GasEnabled(0));
    EXPECT_FLOAT_EQ(Record().Warning(0), 10);
    EXPECT_FALSE(Record().Change_GasEnable(0));
    EXPECT_FALSE(grid.UndoStack().canUndo());
}

TEST_F(SettingsGridTest, SwitchingOn_ChosenGasCopiedCancelUnchecks) {
    Record().GasEnabled(1, false);
    Record().AlarmO2(1);
    GasTableEntry& oxygen = Program().GasTable[1][2];
    oxygen.Enabled = true;
    oxygen.GasName = "OXY";
    oxygen.GasUnit = "%";
    oxygen.GasFullScale = 25;
    oxygen.GasDesit = 0.1f;
    oxygen.GasPoint = 1;
    oxygen.Warning = 19.0f;
    oxygen.Alarm = 18.0f;
    oxygen.Stel = -101;
    oxygen.Twa = -101;
    oxygen.AutoCalib = 20.9f;
    grid.ShowRecord();

    rig.modal.Expect<ui::frmGasSel>("frmGasSel", [](ui::frmGasSel& w) { Click(w, "cmdGasSel(1)"); });
    Toggle(1);
    EXPECT_FALSE(grid.CellChecked(Row(1), Col(C::Enable)));
    EXPECT_FALSE(grid.UndoStack().canUndo());

    rig.modal.Expect<ui::frmGasSel>("frmGasSel", [](ui::frmGasSel& w) {
        EXPECT_EQ(w.GasNo(), 1);
        Click(Control<QRadioButton>(w, "optGasList(2)"));
        Click(w, "cmdGasSel(0)");
    });
    Toggle(1);
    EXPECT_TRUE(grid.CellChecked(Row(1), Col(C::Enable)));
    EXPECT_EQ(Record().GasName(1), "OXY");
    EXPECT_FLOAT_EQ(Record().Warning(1), 19.0f);
    EXPECT_EQ(Record().AlarmO2(), 0);
    EXPECT_EQ(Text(1, C::Warning), "19.0");
    grid.UndoStack().undo();
    EXPECT_EQ(Record().AlarmO2(), 1);
    EXPECT_FALSE(grid.CellChecked(Row(1), Col(C::Enable)));
}

TEST_F(SettingsGridTest, Copy_SelectionOrWholeGridAsTabSeparatedText) {
    grid.ShowRecord();
    grid.setRangeSelected(QTableWidgetSelectionRange(Row(0), Col(C::Warning), Row(1), Col(C::Alarm)), true);
    EXPECT_EQ(grid.SelectionAsText(), "10\t50\n19.5\t18.0\n");
    grid.clearSelection();
    const std::string all = grid.SelectionAsText();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 10);
    EXPECT_NE(all.find("10\t50\t-----\t-----\t50\t1\n"), std::string::npos) << all;
}

}  // namespace
}  // namespace tz::test
