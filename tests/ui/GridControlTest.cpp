// The grid control driven as a user drives it: edits started with F2, keys typed into the
// editor, Enter, choice lists, clicks on check boxes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "GridDriver.h"
#include "UiTestRig.h"
#include "ui/grid/GridControl.h"

namespace tz::ui {
namespace {

using namespace tz::test;

// A shown window holding a 6 x 4 grid with one fixed row, and a button to move the focus to;
// every event the grid raises is written down.
class GridTest : public ::testing::Test, private UiAppGuard {
protected:
    GridTest() {
        UiApp();
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&grid);
        layout->addWidget(&other);
        window.setObjectName("frmGridHost");
        grid.setObjectName("vfgTest");
        grid.Size(6, 4, 1);
        for (int col = 0; col < 4; ++col) grid.CellText(0, col, "Title " + std::to_string(col));
        for (int row = 1; row < 6; ++row)
            for (int col = 0; col < 4; ++col)
                grid.CellText(row, col, std::to_string(row) + "." + std::to_string(col));
        grid.BeforeEdit = [this](int r, int c, bool& cancel) {
            events.push_back("before " + Cell(r, c));
            cancel = refuseStart;
        };
        grid.KeyPressEdit = [this](int r, int c, int& key) {
            events.push_back("key " + Cell(r, c) + " " + std::to_string(key));
            if (key == '#') key = 0;                       // dropped
            if (key >= 'a' && key <= 'z') key -= 'a' - 'A';  // upper case
        };
        grid.ChangeEdit = [this](int r, int c) { changes.push_back(Cell(r, c) + " " + grid.EditText()); };
        grid.ValidateEdit = [this](int r, int c, bool& cancel, std::string& text) {
            events.push_back("validate " + Cell(r, c) + " " + text);
            cancel = text == "BAD";
            if (text == "ROUND") text = "ROUNDED";
        };
        grid.AfterEdit = [this](int r, int c) { events.push_back("after " + Cell(r, c)); };
        grid.Click = [this](int r, int c) { events.push_back("click " + Cell(r, c)); };
        grid.RowColChange = [this](int r, int c) { events.push_back("current " + Cell(r, c)); };
        window.resize(500, 300);
        window.show();
        QApplication::setActiveWindow(&window);  // focus moves only inside the active window
        events.clear();
    }

    static std::string Cell(int r, int c) { return std::to_string(r) + "," + std::to_string(c); }
    bool Saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    QWidget window;
    GridControl grid;
    QPushButton other{"Other"};
    std::vector<std::string> events;
    std::vector<std::string> changes;
    bool refuseStart = false;
};

TEST_F(GridTest, CellTextAndColours_ReadBackExactlyAsSet) {
    const std::string texts[] = {"", "  50 ", "a|b", "-----", "日本語 ppm", "tab\there"};
    for (const std::string& text : texts) {
        grid.CellText(2, 1, text);
        EXPECT_EQ(grid.CellText(2, 1), text);
    }
    grid.CellForeColor(3, 2, QColor(254, 0, 0));
    grid.CellBackColor(3, 2, QColor(192, 255, 255));
    EXPECT_EQ(grid.CellForeColor(3, 2), QColor(254, 0, 0));
    EXPECT_EQ(grid.CellBackColor(3, 2), QColor(192, 255, 255));
    EXPECT_EQ(grid.CellForeColor(4, 2), grid.ForeColor());
    EXPECT_THROW(grid.CellText(6, 0), std::out_of_range);
    EXPECT_THROW(grid.CellForeColor(0, 4), std::out_of_range);
    EXPECT_TRUE(events.empty()) << "the program's own changes raise no events";
}

TEST_F(GridTest, CellsThatMayNotBeEdited_OpenNoEditorAndRaiseNoBeforeEdit) {
    grid.CellForeColor(2, 1, grid.ForeColorFixed());  // read-only by its colour
    grid.ColHidden(3, true);
    grid.CellChecked(4, 2, true);                     // a check box is toggled, not typed into
    struct Case { int row, col; const char* why; };
    for (const Case c : {Case{0, 1, "fixed row"}, Case{2, 1, "fixed-cell text colour"},
                         Case{1, 3, "hidden column"}, Case{4, 2, "check-box cell"}}) {
        events.clear();
        EXPECT_FALSE(StartEdit(grid, c.row, c.col)) << c.why;
        EXPECT_FALSE(Saw("before " + Cell(c.row, c.col))) << c.why;
    }
    EXPECT_TRUE(grid.IsReadOnlyCell(0, 0));
    EXPECT_TRUE(grid.IsReadOnlyCell(2, 1));
    EXPECT_FALSE(grid.IsReadOnlyCell(2, 2));
}

TEST_F(GridTest, BeforeEditCancel_RefusesTheEdit) {
    refuseStart = true;
    EXPECT_FALSE(StartEdit(grid, 2, 2));
    EXPECT_TRUE(Saw("before 2,2"));
    refuseStart = false;
    EXPECT_TRUE(StartEdit(grid, 2, 2));
}

TEST_F(GridTest, TypedKeys_PassTheKeyHookWhichMayDropOrChangeThem) {
    ASSERT_TRUE(StartEdit(grid, 2, 1));
    TypeKeys(grid, "a#1");  // replaces the selected text
    EXPECT_EQ(grid.EditText(), "A1");
    PressKey(grid, Qt::Key_Backspace);
    EXPECT_EQ(grid.EditText(), "A");
    EXPECT_TRUE(Saw("key 2,1 97"));
    EXPECT_TRUE(Saw("key 2,1 35"));
    EXPECT_TRUE(Saw("key 2,1 8"));
    EXPECT_EQ(changes.back(), "2,1 A") << "ChangeEdit lets the handler read the editor's text";
    EXPECT_TRUE(Commit(grid));
    EXPECT_EQ(grid.CellText(2, 1), "A");
}

TEST_F(GridTest, AcceptedEdit_RunsValidateThenStoresTheTextThenAfterEdit) {
    ASSERT_TRUE(TypeIntoCell(grid, 3, 2, "ROUND"));
    EXPECT_EQ(grid.CellText(3, 2), "ROUNDED") << "the validate handler may rewrite the text";
    const auto validate = std::find(events.begin(), events.end(), "validate 3,2 ROUND");
    const auto after = std::find(events.begin(), events.end(), "after 3,2");
    ASSERT_NE(validate, events.end());
    ASSERT_NE(after, events.end());
    EXPECT_LT(validate, after);
}

TEST_F(GridTest, RefusedEdit_KeepEditingMode_EditorStaysOpenWithTypedText) {
    grid.ValidateRefusal(RefusalMode::KeepEditing);
    ASSERT_TRUE(StartEdit(grid, 2, 2));
    TypeKeys(grid, "bad");
    EXPECT_FALSE(Commit(grid));
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.EditText(), "BAD");
    EXPECT_EQ(grid.CellText(2, 2), "2.2");
    EXPECT_FALSE(Saw("after 2,2"));

    // Leaving the cell by a click, by the arrow keys or from the program does not get past it.
    ClickCell(grid, 4, 1);
    PressKey(grid, Qt::Key_Down);
    EXPECT_FALSE(grid.FinishEditing());
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.EditRow(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.CellText(4, 1), "4.1");

    QTest::keyClick(grid.Editor(), Qt::Key_A, Qt::ControlModifier);
    TypeKeys(grid, "7");
    EXPECT_TRUE(Commit(grid));
    EXPECT_EQ(grid.CellText(2, 2), "7");
    EXPECT_TRUE(Saw("after 2,2"));
}

TEST_F(GridTest, RefusedEdit_AbandonMode_EditorClosesAndCellKeepsOldText) {
    grid.ValidateRefusal(RefusalMode::AbandonEdit);
    ASSERT_TRUE(StartEdit(grid, 2, 2));
    TypeKeys(grid, "bad");
    EXPECT_TRUE(Commit(grid));
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.CellText(2, 2), "2.2");
    EXPECT_TRUE(Saw("validate 2,2 BAD"));
    EXPECT_FALSE(Saw("after 2,2"));

    // Leaving the cell with a refused text is abandoned the same way.
    ASSERT_TRUE(StartEdit(grid, 3, 3));
    TypeKeys(grid, "bad");
    ClickCell(grid, 5, 1);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.CellText(3, 3), "3.3");
    EXPECT_EQ(grid.Row(), 5);
}

TEST_F(GridTest, EscapeAndCancelEditing_CloseWithoutValidateAndKeepOldText) {
    ASSERT_TRUE(StartEdit(grid, 1, 1));
    TypeKeys(grid, "x");
    PressKey(grid, Qt::Key_Escape);
    EXPECT_FALSE(grid.IsEditing());
    ASSERT_TRUE(StartEdit(grid, 1, 2));
    TypeKeys(grid, "y");
    grid.CancelEditing();
    EXPECT_EQ(grid.CellText(1, 1), "1.1");
    EXPECT_EQ(grid.CellText(1, 2), "1.2");
    for (const std::string& e : events) EXPECT_EQ(e.rfind("validate", 0), std::string::npos) << e;
}

TEST_F(GridTest, LeavingTheCell_ByClickTabOrFinishEditing_RunsValidate) {
    ASSERT_TRUE(StartEdit(grid, 1, 1));
    TypeKeys(grid, "p");
    ClickCell(grid, 3, 3);
    EXPECT_EQ(grid.CellText(1, 1), "P");
    EXPECT_TRUE(Saw("after 1,1"));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_TRUE(Saw("current 3,3"));

    ASSERT_TRUE(StartEdit(grid, 2, 1));
    TypeKeys(grid, "q");
    PressKey(grid, Qt::Key_Tab);
    EXPECT_EQ(grid.CellText(2, 1), "Q");
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2) << "Tab moves on to the next cell";

    ASSERT_TRUE(StartEdit(grid, 4, 1));
    TypeKeys(grid, "r");
    EXPECT_TRUE(grid.FinishEditing());
    EXPECT_EQ(grid.CellText(4, 1), "R");

    ASSERT_TRUE(StartEdit(grid, 5, 1));
    TypeKeys(grid, "s");
    other.setFocus();  // another control of the window takes the focus
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.CellText(5, 1), "S");
}

TEST_F(GridTest, ChoiceList_EditorOffersExactlyItsEntriesAndThePickBecomesTheText) {
    grid.CellChoiceList(2, 3, "ppm|%LEL|VOL%");
    ASSERT_TRUE(StartEdit(grid, 2, 3));
    EXPECT_EQ(OfferedChoices(grid), (std::vector<std::string>{"ppm", "%LEL", "VOL%"}));
    grid.CancelEditing();
    ASSERT_TRUE(PickChoice(grid, 2, 3, "%LEL"));
    EXPECT_EQ(grid.CellText(2, 3), "%LEL");
    EXPECT_TRUE(Saw("validate 2,3 %LEL"));
    EXPECT_TRUE(Saw("after 2,3"));

    // An empty list is free text again.
    grid.CellChoiceList(2, 3, "");
    ASSERT_TRUE(StartEdit(grid, 2, 3));
    EXPECT_NE(qobject_cast<QLineEdit*>(grid.Editor()), nullptr);
}

TEST_F(GridTest, ChoiceList_SetByBeforeEdit_IsTheOneOffered) {
    grid.BeforeEdit = [this](int r, int c, bool&) {
        if (r == 5) grid.CellChoiceList(r, c, "ppb|ppm");
    };
    ASSERT_TRUE(StartEdit(grid, 5, 2));
    EXPECT_EQ(OfferedChoices(grid), (std::vector<std::string>{"ppb", "ppm"}));
}

TEST_F(GridTest, CheckBoxCell_ClickOrSpaceTogglesAndRaisesAfterEdit) {
    grid.CellChecked(2, 1, true);
    ClickCell(grid, 2, 1);
    EXPECT_FALSE(grid.CellChecked(2, 1));
    EXPECT_TRUE(Saw("before 2,1"));
    EXPECT_TRUE(Saw("after 2,1"));
    EXPECT_TRUE(Saw("click 2,1"));
    events.clear();
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_TRUE(grid.CellChecked(2, 1));
    EXPECT_TRUE(Saw("after 2,1"));

    refuseStart = true;  // BeforeEdit may refuse a toggle
    ClickCell(grid, 2, 1);
    EXPECT_TRUE(grid.CellChecked(2, 1));
    refuseStart = false;

    grid.CellForeColor(2, 1, grid.ForeColorFixed());  // a read-only check box
    events.clear();
    ClickCell(grid, 2, 1);
    EXPECT_TRUE(grid.CellChecked(2, 1));
    EXPECT_FALSE(Saw("after 2,1"));

    grid.CellCheckState(3, 1, CellCheck::Unchecked);
    EXPECT_EQ(grid.CellCheckState(3, 1), CellCheck::Unchecked);
    grid.CellCheckState(3, 1, CellCheck::None);
    EXPECT_EQ(grid.CellCheckState(3, 1), CellCheck::None);
}

TEST_F(GridTest, BusyFlag_SilencesEveryEventAndRefusesEdits) {
    BusyFlag busy;
    grid.UseBusyFlag(&busy);
    grid.CellChecked(3, 1, false);
    {
        const BusyScope scope(busy);
        EXPECT_FALSE(StartEdit(grid, 2, 2));
        ClickCell(grid, 3, 1);
        grid.Select(4, 2);
    }
    EXPECT_FALSE(grid.CellChecked(3, 1));
    EXPECT_TRUE(events.empty());

    // An edit already open when the window turns busy ends without raising the window's handlers.
    ASSERT_TRUE(StartEdit(grid, 2, 2));
    TypeKeys(grid, "z");
    events.clear();
    {
        const BusyScope scope(busy);
        EXPECT_TRUE(grid.FinishEditing());
    }
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(grid.CellText(2, 2), "Z") << "typed while the window was not busy";
}

TEST_F(GridTest, DisabledGrid_TakesNoInput) {
    grid.setEnabled(false);
    grid.CellChecked(2, 1, false);
    ClickCell(grid, 2, 1);
    EXPECT_FALSE(grid.CellChecked(2, 1));
    EXPECT_FALSE(grid.EditCell(2, 2));
    for (const std::string& e : events) EXPECT_EQ(e.rfind("current", 0), 0u) << e;
}

TEST_F(GridTest, HiddenColumn_IsNotShown) {
    grid.ColHidden(2, true);
    EXPECT_TRUE(grid.ColHidden(2));
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.columnViewportPosition(3), grid.columnViewportPosition(1) + grid.columnWidth(1));
    grid.ColHidden(2, false);
    EXPECT_FALSE(grid.ColHidden(2));
}

TEST_F(GridTest, Size_KeepsCellsThatStayAndMakesNewOnesEmpty) {
    grid.Size(8, 5, 2);
    EXPECT_EQ(grid.Rows(), 8);
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_EQ(grid.CellText(3, 3), "3.3");
    EXPECT_EQ(grid.CellText(7, 4), "");
    EXPECT_TRUE(grid.IsReadOnlyCell(1, 0));
    grid.Size(8, 5, 1);
    EXPECT_FALSE(grid.IsReadOnlyCell(1, 0)) << "a row that is no longer fixed may be edited";
}

TEST_F(GridTest, FillGridColumn_WritesValuesInTurnAndFillsTheRestOnRequest) {
    struct Case {
        int start;
        bool fillRest;
        std::vector<std::string> values;
        std::vector<std::string> column;  // rows 1 to 5 afterwards
    };
    const Case cases[] = {
        {1, false, {"a", "b"}, {"a", "b", "3.1", "4.1", "5.1"}},
        {1, true, {"a", "b"}, {"a", "b", "b", "b", "b"}},
        {4, false, {"a", "b", "c", "d"}, {"1.1", "2.1", "3.1", "a", "b"}},  // never past the last row
        {2, true, {}, {"1.1", "2.1", "3.1", "4.1", "5.1"}},
        {5, true, {"x"}, {"1.1", "2.1", "3.1", "4.1", "x"}},
    };
    for (const Case& c : cases) {
        for (int row = 1; row < 6; ++row) grid.CellText(row, 1, std::to_string(row) + ".1");
        FillGridColumn(grid, 1, c.start, c.fillRest, c.values);
        for (int row = 1; row < 6; ++row)
            EXPECT_EQ(grid.CellText(row, 1), c.column[static_cast<std::size_t>(row - 1)])
                << "start " << c.start << " fill " << c.fillRest << " row " << row;
    }
}

}  // namespace
}  // namespace tz::ui
