#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <fstream>

#include "UiTestRig.h"
#include "app/ConfigFile.h"
#include "instrument/SettingsFile.h"
#include "link/uclTzif.h"
#include "ui/main/frmMain.h"

namespace tz::ui {
namespace {

using namespace tz::test;

QColor LampFill(frmMain& window, int lamp) {
    return Control<QFrame>(window, QStringLiteral("shpStatus(%1)").arg(lamp).toStdString().c_str())
        .property("fillColour")
        .value<QColor>();
}

struct MainWindowTest : ::testing::Test {
    UiTestRig rig;
    frmMain* window = nullptr;

    void Open(bool serial = true) {
        if (serial) Program().CommDevice = "loopback";
        window = new frmMain(rig.context);
        ShowForm(*window);
    }
    void TearDown() override {
        if (window) {
            rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
            window->close();
            delete window;
        }
    }
    bool Enabled(const char* name) { return Control<QWidget>(*window, name).isEnabled(); }
};

TEST_F(MainWindowTest, LoadSetsLampsTitleFilesAndHidesDebugAndFactoryControls) {
    Program().SerialLogFile = false;
    Open(false);
    EXPECT_EQ(LampFill(*window, 0), QColor(0, 255, 0));
    EXPECT_EQ(LampFill(*window, 1), QColor(160, 160, 160));
    EXPECT_FALSE(Control<QFrame>(*window, "shpStatus(2)").isVisible());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("TZ-7300")));
    EXPECT_FALSE(Control<QPushButton>(*window, "cmdFRAMDump").isVisible());
    EXPECT_FALSE(Control<QPushButton>(*window, "cmdOption(8)").isVisible());
    EXPECT_FALSE(Control<QLineEdit>(*window, "txtOption(3)").isVisible());
    EXPECT_TRUE(Control<QPushButton>(*window, "cmdOption(0)").isVisible());
    EXPECT_EQ(window->LocalSettingsFile(), (rig.folder / "TZ7300.DAT").string());
    // First activation: the record as created counts as loaded data.
    EXPECT_TRUE(Program().Instrument.ImportFlag());
    EXPECT_EQ(window->Link().Status(), 6);
    EXPECT_TRUE(Enabled("txtOption(0)"));
    EXPECT_FALSE(Enabled("cmdDown(1)"));
    EXPECT_EQ(window->minimumWidth(), 776);
}

TEST_F(MainWindowTest, FactoryAndDebugModesShowTheirControls) {
    Program().DebugMode = true;
    Program().FactoryMode = true;
    Open(false);
    EXPECT_TRUE(Control<QPushButton>(*window, "cmdFRAMDump").isVisible());
    EXPECT_TRUE(Control<QPushButton>(*window, "cmdOption(10)").isVisible());
    EXPECT_TRUE(Control<QLineEdit>(*window, "txtOption(3)").isVisible());
}

TEST_F(MainWindowTest, ConfigurationFileIsReadAtLoad) {
    Program().FactoryRecordSuffix = "ABC";
    ASSERT_TRUE(WriteConfiguration(Program(), rig.folder / ConfigFileName, 45000.0, true));
    Program().FactoryRecordSuffix.clear();
    Open(false);
    EXPECT_EQ(Control<QLineEdit>(*window, "txtSuffix").text(), QStringLiteral("ABC"));
}

TEST_F(MainWindowTest, ConnectingPaintsLampsWritesThePaneAndEnablesCommands) {
    Open();
    rig.loop.RunUntil([this] { return window->Link().Connected(); }, 10000);
    ASSERT_TRUE(window->Link().Connected());
    EXPECT_EQ(LampFill(*window, 1), QColor(0, 255, 0));
    EXPECT_TRUE(Control<QTextEdit>(*window, "rtbLog").toPlainText().contains(QStringLiteral("Connection Successful")));
    // Connected with data.
    EXPECT_TRUE(Enabled("cmdDown(1)"));
    EXPECT_TRUE(Enabled("cmdOption(0)"));
    EXPECT_TRUE(Enabled("txtSuffix"));
    EXPECT_TRUE(Enabled("chkFactorySave"));
    // Connected without data.
    Program().Instrument.ImportFlag(false);
    Program().Instrument.CommFlags(false);
    window->RefreshCommandStates();
    EXPECT_TRUE(Enabled("cmdDown(1)"));
    EXPECT_TRUE(Enabled("cmdOption(1)"));
    EXPECT_FALSE(Enabled("cmdOption(0)"));
    EXPECT_FALSE(Enabled("txtOption(0)"));
    EXPECT_FALSE(Enabled("vfgOption"));
    EXPECT_TRUE(Enabled("cmdImportSetting"));
}

TEST_F(MainWindowTest, NotConnectedWithoutDataLeavesOnlyTheSettingCommands) {
    Open(false);
    Program().Instrument.ImportFlag(false);
    Program().Instrument.CommFlags(false);
    window->RefreshCommandStates();
    for (const char* off : {"txtOption(0)", "cmbInterval", "cmdDown(1)", "cmdOption(1)", "cmdOption(0)", "txtSuffix",
                            "vfgOption"}) {
        EXPECT_FALSE(Enabled(off)) << off;
    }
    for (const char* on : {"cmdFactorySetting", "cmdImportSetting", "cmdExportSetting"}) EXPECT_TRUE(Enabled(on)) << on;
}

TEST_F(MainWindowTest, IdentifierKeysAreUpperCasedAndLimited) {
    Open(false);
    auto& serial = Control<QLineEdit>(*window, "txtOption(0)");
    serial.setText(QString());
    serial.setFocus();
    QTest::keyClicks(&serial, "ab");
    EXPECT_EQ(serial.text(), QStringLiteral("AB"));
    QTest::keyClicks(&serial, "123456789012345678");
    EXPECT_EQ(serial.text().size(), 20);
    const auto beeps = rig.dialogs.beeps;
    QTest::keyClicks(&serial, "Z");
    EXPECT_EQ(serial.text().size(), 20);
    EXPECT_EQ(rig.dialogs.beeps, beeps + 1);
    auto& station = Control<QLineEdit>(*window, "txtOption(1)");
    station.setText(QString());
    QTest::keyClicks(&station, "12345678901234567");
    EXPECT_EQ(station.text().size(), 16);
}

TEST_F(MainWindowTest, EndQuestionNoKeepsTheWindowAndWritesNothingYesWrites) {
    Open(false);
    const auto config = rig.folder / ConfigFileName;
    rig.dialogs.Answer(MsgAnswer::No, "End ?");
    EXPECT_FALSE(window->close());
    EXPECT_EQ(rig.dialogs.boxes.back().title, "TZ-7300");
    EXPECT_FALSE(std::filesystem::exists(config));
    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists(config));
    delete window;
    window = nullptr;
}

TEST_F(MainWindowTest, ClosingIsRefusedWhileBusy) {
    Open(false);
    window->SetBusy(true);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(Enabled("cmdExit"));
    window->SetBusy(false);
}

TEST_F(MainWindowTest, SettingsFileStoreAndLoadGoodAndMalformed) {
    Open(false);
    const auto file = rig.folder / "set.seq";
    Program().Instrument.Intervals(60);
    rig.dialogs.ChooseFile(file.string());
    Click(*window, "cmdExportSetting");
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(rig.dialogs.fileDialogs.back().request.filterIndex, 2);

    Program().Instrument.Intervals(600);
    rig.dialogs.ChooseFile(file.string());
    Click(*window, "cmdImportSetting");
    EXPECT_EQ(Program().Instrument.Intervals(), 60);
    EXPECT_EQ(Control<QComboBox>(*window, "cmbInterval").currentText(), QStringLiteral("60"));

    // A file that breaks off with a bad line leaves the record as it was.
    std::string text = SettingsFileText(Program().Instrument);
    Program().Instrument.Intervals(600);
    const auto bad = rig.folder / "bad.seq";
    {
        std::ofstream out(bad, std::ios::binary);
        out << text.substr(0, text.size() / 2) << "\r\nTI,notanumber\r\n";
    }
    const std::string before = SettingsFileText(Program().Instrument);
    rig.dialogs.ChooseFile(bad.string());
    rig.dialogs.Answer(MsgAnswer::Ok, "not correct");
    Click(*window, "cmdImportSetting");
    EXPECT_EQ(SettingsFileText(Program().Instrument), before);
    EXPECT_TRUE(Enabled("cmdImportSetting"));
}

}  // namespace
}  // namespace tz::ui
