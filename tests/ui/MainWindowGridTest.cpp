// The main window around its settings grid: the Edit menu (undo, redo, copy) bound to the grid,
// and what the window shows of a record besides the grid.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>
#include <functional>

#include "GridDriver.h"
#include "UiTestRig.h"
#include "app/GasSelection.h"
#include "instrument/GridCells.h"
#include "instrument/GridTestRecord.h"
#include "instrument/SettingsFile.h"
#include "ui/main/SettingsGrid.h"
#include "ui/main/frmMain.h"

namespace tz::ui {
namespace {

using namespace tz::test;
using C = GridColumn;

int Col(C column) { return static_cast<int>(column); }
int Row(Integer channel) { return GridHeaderRows + channel; }

struct MainWindowGridTest : ::testing::Test {
    UiTestRig rig;
    frmMain* window = nullptr;

    MainWindowGridTest() { Program().Instrument = testing::GridTestRecord(); }
    void Open() {
        window = new frmMain(rig.context);
        ShowForm(*window);
        window->activateWindow();
    }
    void TearDown() override {
        if (!window) return;
        rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
        window->close();
        delete window;
    }
    SettingsGrid& Grid() { return Control<SettingsGrid>(*window, "vfgOption"); }
    QAction& Action(const char* name) {
        QAction* found = window->findChild<QAction*>(QLatin1String(name));
        if (!found) throw ControlNotFound(std::string("no action ") + name);
        return *found;
    }
    clsInstrument& Record() { return Program().Instrument; }
};

TEST_F(MainWindowGridTest, EditMenu_UndoRedoFollowTheGridsHistoryAndCopyTakesTheSelection) {
    Open();
    QMenu& menu = Control<QMenu>(*window, "mnuEdit");
    EXPECT_EQ(menu.accessibleName(), QStringLiteral("Edit"));
    QAction& undo = Action("mnuUndo");
    QAction& redo = Action("mnuRedo");
    QAction& copy = Action("mnuCopy");
    EXPECT_EQ(undo.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(redo.shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    EXPECT_EQ(copy.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_FALSE(redo.isEnabled());
    EXPECT_TRUE(copy.isEnabled());

    ASSERT_TRUE(TypeIntoCell(Grid(), Row(0), Col(C::Alarm), "60"));
    EXPECT_TRUE(undo.isEnabled());
    EXPECT_TRUE(undo.text().startsWith(QStringLiteral("&Undo: "))) << undo.text().toStdString();
    undo.trigger();
    EXPECT_FLOAT_EQ(Record().Alarm(0), 50);
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_TRUE(redo.isEnabled());
    redo.trigger();
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);
    EXPECT_TRUE(Record().Change_Alarm(0));

    // The keys reach the actions from anywhere in the window.
    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Record().Alarm(0), 50);
    QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);

    Grid().setRangeSelected(QTableWidgetSelectionRange(Row(0), Col(C::Warning), Row(0), Col(C::Alarm)), true);
    QApplication::clipboard()->clear();
    copy.trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "10\t60\n");

    // A busy window offers nothing to edit.
    window->SetBusy(true);
    EXPECT_FALSE(menu.isEnabled());
    for (QAction* action : {&undo, &redo, &copy}) EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);
    window->SetBusy(false);
    EXPECT_TRUE(menu.isEnabled());
    EXPECT_TRUE(undo.isEnabled());
    EXPECT_FALSE(redo.isEnabled());
}

TEST_F(MainWindowGridTest, ShowInstrumentSettings_FirmwareLabelsConcentrationsAndConflicts) {
    Record().RomNumber(730012);
    Record().SUM("1A2B");
    Record().Warning(2, 40);  // above the alarm of 30: both red
    Record().AutoCalib(4, -101);
    Program().DefaultRecord.AutoCalib(4, 8);
    Open();
    EXPECT_TRUE(Control<QLabel>(*window, "lblInst(6)").isVisible());
    EXPECT_EQ(Control<QLabel>(*window, "lblInst(7)").text(), QStringLiteral("730012"));
    EXPECT_EQ(Control<QLabel>(*window, "lblInst(9)").text(), QStringLiteral("1A2B"));
    EXPECT_EQ(Control<QLabel>(*window, "lblInst(9)").accessibleName(), QStringLiteral("SUM"));
    EXPECT_EQ(Program().FactoryAutoCalib, (std::array<Single, 6>{50, 12, 25, 50, 8, 100}));
    const QColor red(255, 128, 128);
    EXPECT_EQ(Grid().CellBackColor(Row(2), Col(C::Warning)), red);
    EXPECT_EQ(Grid().CellBackColor(Row(2), Col(C::Alarm)), red);

    // Settings that were not read from the instrument carry no program number.
    Record().CommFlags(false);
    window->ShowInstrumentSettings();
    for (const char* label : {"lblInst(6)", "lblInst(7)", "lblInst(8)", "lblInst(9)"})
        EXPECT_FALSE(Control<QLabel>(*window, label).isVisible()) << label;
    EXPECT_TRUE(Grid().isEnabled()) << "loaded settings are still data";
}

TEST_F(MainWindowGridTest, SwitchingAChannel_RefreshesTheConcentrationsAndKeepsTheHistory) {
    Program().DefaultRecord.AutoCalib(3, 100);
    Open();
    ASSERT_TRUE(TypeIntoCell(Grid(), Row(0), Col(C::Alarm), "60"));
    rig.dialogs.Answer(MsgAnswer::Yes, LoadMessage(DisableSensorQuestion));
    ClickCell(Grid(), Row(3), Col(C::Enable));
    EXPECT_FALSE(Record().GasEnabled(3));
    EXPECT_EQ(Program().FactoryAutoCalib[3], 100.0f) << "the channel has none now: the default's";
    EXPECT_EQ(Grid().UndoStack().count(), 2);
    Action("mnuUndo").trigger();
    EXPECT_TRUE(Record().GasEnabled(3));
    EXPECT_EQ(Program().FactoryAutoCalib[3], 50.0f);
    EXPECT_FLOAT_EQ(Record().Alarm(0), 60);
}

TEST_F(MainWindowGridTest, LoadingAFileOrShowingANewRecord_ClearsTheHistory) {
    Open();
    const auto file = rig.folder / "grid.seq";
    rig.dialogs.ChooseFile(file.string());
    Click(*window, "cmdExportSetting");
    ASSERT_TRUE(std::filesystem::exists(file));

    struct Case {
        const char* scenario;
        std::function<void()> refresh;
    };
    const Case cases[] = {
        {"a settings file loaded",
         [&] {
             rig.dialogs.ChooseFile(file.string());
             Click(*window, "cmdImportSetting");
         }},
        {"a record read (shown again)", [&] { window->ShowInstrumentSettings(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        ASSERT_TRUE(TypeIntoCell(Grid(), Row(3), Col(C::Alarm), "60"));
        ASSERT_TRUE(Action("mnuUndo").isEnabled());
        c.refresh();
        EXPECT_FALSE(Grid().UndoStack().canUndo());
        EXPECT_FALSE(Action("mnuUndo").isEnabled());
        EXPECT_FALSE(Action("mnuRedo").isEnabled());
    }
    EXPECT_FLOAT_EQ(Record().Alarm(3), 60) << "the last edit stays; only its history went";
}

}  // namespace
}  // namespace tz::ui
