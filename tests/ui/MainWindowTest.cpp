#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <array>
#include <fstream>

#include "UiTestRig.h"
#include "cli/ProcessRunner.h"
#include "platform/QtEventLoop.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTestSupport.h"
#include "app/ConfigFile.h"
#include "instrument/FileTestFolder.h"
#include "instrument/SettingsFile.h"
#include "link/SerialLogRotation.h"
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
}

// Every row of the table of connection and data states.
TEST_F(MainWindowTest, CommandStatesFollowConnectionAndData) {
    const struct {
        std::vector<const char*> controls;
        std::array<bool, 4> on;  // not connected: no data, data; connected: no data, data
    } rows[] = {
        {{"txtOption(0)", "txtOption(1)", "txtOption(2)", "cmbInterval"}, {false, true, false, true}},
        {{"cmdDown(1)", "cmdDown(2)", "cmdDown(4)", "cmdDown(5)", "cmdFRAMDump"}, {false, false, true, true}},
        {{"cmdFactorySetting", "cmdImportSetting", "cmdExportSetting"}, {true, true, true, true}},
        {{"cmdOption(0)", "cmdOption(2)", "cmdOption(7)", "cmdOption(10)", "chkFactorySave"},
         {false, false, false, true}},
        {{"cmdOption(1)", "cmdOption(3)", "cmdOption(4)", "cmdOption(5)", "cmdOption(6)", "cmdOption(8)",
          "cmdOption(9)"},
         {false, false, true, true}},
        {{"txtSuffix"}, {false, false, true, true}},
        {{"vfgOption"}, {false, true, false, true}},
    };
    for (const bool connected : {false, true}) {
        Open(connected);
        if (connected) {
            ASSERT_TRUE(rig.loop.RunUntil([this] { return window->Link().Connected(); }, 10000));
        }
        for (const bool data : {false, true}) {
            Program().Instrument.ImportFlag(data);
            Program().Instrument.CommFlags(false);
            window->RefreshCommandStates();
            const int state = (connected ? 2 : 0) + (data ? 1 : 0);
            for (const auto& row : rows)
                for (const char* name : row.controls) EXPECT_EQ(Enabled(name), row.on[state]) << name << " " << state;
        }
        rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
        window->close();
        delete window;
        window = nullptr;
    }
}

TEST_F(MainWindowTest, GasReadingsAreKeptAndHandedToAnOpenCalibrationWindow) {
    Open();
    ASSERT_TRUE(rig.loop.RunUntil([this] { return window->Link().Connected(); }, 10000));
    int refreshed = 0;
    window->CalibrationReadings([&refreshed] { ++refreshed; });
    window->Link().RunDensty(true);
    for (const bool calibrationOpen : {false, true}) {
        Program().CalibrationWindowOpen = calibrationOpen;
        Program().NewReadings = false;
        Program().GasReadings.fill(-101);
        refreshed = 0;
        rig.loop.RunFor(1500);
        EXPECT_TRUE(Program().NewReadings);
        EXPECT_NE(Program().GasReadings[1], -101);
        EXPECT_EQ(refreshed > 0, calibrationOpen);
    }
    window->Link().RunDensty(false);
    Program().CalibrationWindowOpen = false;
}

TEST_F(MainWindowTest, FirstActivationLogsHandsOverTheRecordAndRunsOnce) {
    Open(false);
    const auto& record = Program().Instrument;
    EXPECT_TRUE(record.ImportFlag());
    EXPECT_TRUE(record.Change_Warn(0));      // the settings count as to be written,
    EXPECT_FALSE(record.Change_SerialNo());  // the identifiers not
    EXPECT_FALSE(record.Change_StationID());
    EXPECT_EQ(window->Link().Status(), 6);
    Program().Instrument.ImportFlag(false);
    window->ActivateForm();  // a later activation only lays the window out
    EXPECT_FALSE(record.ImportFlag());
    const std::string log = testing::ReadWholeFile(SerialLogPath(rig.folder, 0));
    const std::string line = "Serial Port Standby. Date = 2025/01/01 00:00:00";
    ASSERT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos) << log;
}

TEST_F(MainWindowTest, SilentPortEndsTheHandshakeWithThePaneLine) {
    SimFaults silent;
    silent.dropReply = 1;
    rig.sim.SetFaults(silent);
    Open();
    rig.loop.RunFor(10000);
    EXPECT_FALSE(window->Link().Connected());
    EXPECT_TRUE(Control<QTextEdit>(*window, "rtbLog").toPlainText().contains(QStringLiteral("No Response")));
    EXPECT_EQ(LampFill(*window, 0), QColor(0, 255, 0));
    EXPECT_EQ(LampFill(*window, 1), QColor(160, 160, 160));
    EXPECT_FALSE(Enabled("cmdDown(1)"));
}

TEST_F(MainWindowTest, PortThatFailsToOpenIsReportedAndTheWindowStaysUsable) {
    rig.port.FailOpen("Permission denied");
    rig.dialogs.Answer(MsgAnswer::Ok, "Another application using serial port");
    Open();
    EXPECT_EQ(rig.dialogs.boxes.back().title, "Can't Open Port");
    EXPECT_EQ(rig.dialogs.boxes.back().icon, MsgIcon::Stop);
    EXPECT_TRUE(Control<QTextEdit>(*window, "rtbLog").toPlainText().contains(QStringLiteral("Another application")));
    EXPECT_EQ(LampFill(*window, 0), QColor(254, 0, 0));
    rig.loop.RunFor(3000);
    EXPECT_FALSE(window->Link().Connected());
    for (const char* on : {"cmdImportSetting", "txtOption(0)", "cmbPort", "cmdPortRefresh", "cmdExit"})
        EXPECT_TRUE(Enabled(on)) << on;
}

TEST_F(MainWindowTest, DisconnectionGreysTheLampAndTheCommands) {
    Open();
    ASSERT_TRUE(rig.loop.RunUntil([this] { return window->Link().Connected(); }, 10000));
    rig.port.SetModemLines(false, false);
    rig.loop.RunFor(100);
    EXPECT_FALSE(window->Link().Connected());
    EXPECT_EQ(LampFill(*window, 0), QColor(0, 255, 0));
    EXPECT_EQ(LampFill(*window, 1), QColor(160, 160, 160));
    EXPECT_FALSE(Control<QFrame>(*window, "shpStatus(2)").isVisible());
    EXPECT_FALSE(Enabled("cmdDown(1)"));
    EXPECT_TRUE(Enabled("txtOption(0)"));
}

// The clocks from the virtual loop's start, 2025/01/01 00:00:00.
TEST_F(MainWindowTest, ClocksShowThePcTimeAndTheInstrumentTime) {
    const struct {
        bool read;    // instrument data read (CommFlags)
        Date offset;  // SysDateOffset
        int afterMs;
        std::string pc, instrument;
        Date offsetAfter;
    } cases[] = {
        {false, 0, 100, "2025/01/01 00:00:00", "", 0},
        {true, 1.0 / 24, 1000, "2025/01/01 00:00:01", "2024/12/31 23:00:01", 1.0 / 24},
        {true, 1e9, 1000, "2025/01/01 00:00:01", "2025/01/01 00:00:01", 0},  // not a date: reset
    };
    for (const auto& c : cases) {
        VirtualEventLoop loop;  // each case from the same start
        ui::UiContext context{rig.dialogs, rig.modal, loop, Program(), rig.port, rig.irda, NoSerialPorts};
        frmMain clockWindow(context);
        ShowForm(clockWindow);
        Program().Instrument.CommFlags(c.read);
        Program().Instrument.SysDateOffset(c.offset);
        loop.RunFor(c.afterMs);
        EXPECT_EQ(clockWindow.TickCount(), c.afterMs / 100);
        EXPECT_EQ(Control<QLabel>(clockWindow, "lblOption(5)").text().toStdString(), c.pc);
        EXPECT_EQ(Control<QLabel>(clockWindow, "lblOption(6)").text().toStdString(), c.instrument);
        EXPECT_EQ(Program().Instrument.SysDateOffset(), c.offsetAfter);
        rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
        clockWindow.close();
    }
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

TEST_F(MainWindowTest, ClosingDuringACommandIsRefusedAndAskedAgainWhenItEnds) {
    const struct {
        MsgAnswer answer;
        bool closes;
    } cases[] = {{MsgAnswer::No, false}, {MsgAnswer::Yes, true}};
    for (const auto& c : cases) {
        Open(false);
        window->SetBusy(true);
        const auto asked = rig.dialogs.boxes.size();
        EXPECT_FALSE(window->close());
        EXPECT_EQ(rig.dialogs.boxes.size(), asked);  // nothing asked while the command runs
        EXPECT_FALSE(Enabled("cmdExit"));
        rig.dialogs.Answer(c.answer, "End ?");
        window->SetBusy(false);
        rig.loop.RunFor(0);
        EXPECT_EQ(rig.dialogs.boxes.size(), asked + 1);
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_EQ(std::filesystem::exists(rig.folder / ConfigFileName), c.closes);
        if (!c.closes) {
            rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
            EXPECT_TRUE(window->close());
            std::filesystem::remove(rig.folder / ConfigFileName);
        }
        delete window;
        window = nullptr;
    }
}

// The logs are prepared at load; a log that will not go away is reported and the run goes on.
TEST_F(MainWindowTest, LoadRotatesOrRemovesTheLogAndGoesOnWhenALogStays) {
    const struct {
        bool keepGenerations;
        int blocked;          // generation with a folder in its place, or -1
        std::string shifted;  // generations 1 to 9 afterwards (their texts)
        std::string pane;     // the pane line expected, or empty for none
    } cases[] = {
        {true, -1, "012345678", ""},
        {false, -1, "123456789", ""},
        {false, 0, "123456789", "The communication log SerialLog.log could not be removed"},
        {true, 5, "1234--678", "The communication logs could not be rotated (SerialLog5.log: "},
    };
    for (const auto& c : cases) {
        for (int k = 0; k <= 9; ++k) {
            const auto file = SerialLogPath(rig.folder, k);
            std::filesystem::remove_all(file);
            if (k == c.blocked)
                std::filesystem::create_directories(file / "x");
            else
                std::ofstream(file) << k;
        }
        Program().SerialLogFile = c.keepGenerations;
        std::filesystem::remove(rig.folder / ConfigFileName);  // the last case's closing wrote one
        Open(false);
        std::string shifted;
        for (int k = 1; k <= 9; ++k) {
            const auto file = SerialLogPath(rig.folder, k);
            shifted += std::filesystem::is_regular_file(file) ? testing::ReadWholeFile(file) : "-";
        }
        EXPECT_EQ(shifted, c.shifted) << c.keepGenerations << c.blocked;
        const QString pane = Control<QTextEdit>(*window, "rtbLog").toPlainText();
        if (c.pane.empty()) {
            EXPECT_FALSE(pane.contains(QStringLiteral("could not"))) << pane.toStdString();
            // The new run's log starts afresh.
            const std::string log = testing::ReadWholeFile(SerialLogPath(rig.folder, 0));
            EXPECT_TRUE(log.size() > 9 && log[2] == ':' && log[5] == ':' && log[8] == ' ') << log;
            EXPECT_NE(log.find("Serial Port Standby"), std::string::npos) << log;
        } else {
            EXPECT_TRUE(pane.contains(QString::fromStdString(c.pane))) << pane.toStdString();
        }
        EXPECT_EQ(window->Link().Status(), 6);  // loaded and activated all the same
        rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
        window->close();
        delete window;
        window = nullptr;
    }
}

TEST_F(MainWindowTest, ConfigurationThatCannotBeWrittenIsReportedAndTheWindowCloses) {
    Open(false);
    // A folder in the place of the file: the new file cannot replace it.
    std::filesystem::create_directories(rig.folder / ConfigFileName / "x");
    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    rig.dialogs.Answer(MsgAnswer::Ok, "TZ7300Config.ini could not be written (");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(rig.dialogs.boxes.back().icon, MsgIcon::Stop);
    delete window;
    window = nullptr;
}

TEST_F(MainWindowTest, PortChoiceListsThePortsAndReopensTheLinkOnTheChosenOne) {
    const std::vector<SerialPortEntry> ports = {{"ttyUSB0", "/dev/ttyUSB0", 0x10C4, 0xEA60, "CP2102"},
                                                {"ttyS0", "/dev/ttyS0", {}, {}, ""}};
    ui::UiContext context{rig.dialogs, rig.modal, rig.loop, Program(), rig.port, rig.irda, [&ports] { return ports; }};
    Program().CommDevice = "loopback";  // configured, not reported by the system
    window = new frmMain(context);
    ShowForm(*window);
    auto& choice = Control<QComboBox>(*window, "cmbPort");
    QStringList listed;
    for (int i = 0; i < choice.count(); ++i) listed << choice.itemText(i);
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Automatic: the USB infrared module, else the infrared port"),
                                   QStringLiteral("ttyS0"),
                                   QStringLiteral("ttyUSB0 - CP2102 - USB 10C4:EA60 - USB infrared module"),
                                   QStringLiteral("loopback - not listed by the system")}));
    EXPECT_EQ(choice.currentIndex(), 3);
    ASSERT_TRUE(rig.loop.RunUntil([this] { return window->Link().Connected(); }, 10000));

    const auto choose = [&](const std::string& device) {
        const int index = choice.findData(QString::fromStdString(device));
        ASSERT_GE(index, 0) << device;
        choice.setCurrentIndex(index);
        emit choice.activated(index);
    };
    const struct {
        std::string device;
        std::string failOpen;  // the port refuses to open with this error
        std::string opened;    // the device the port was given
        bool connects;
    } cases[] = {
        {"/dev/ttyS0", "", "/dev/ttyS0", true},
        {"", "", "/dev/ttyUSB0", true},  // automatic: the infrared module
        {"/dev/ttyS0", "Device or resource busy", "/dev/ttyS0", false},
        {"/dev/ttyS0", "", "/dev/ttyS0", true},  // another try once the port is free
    };
    for (const auto& c : cases) {
        rig.port.FailOpen(c.failOpen);
        if (!c.failOpen.empty()) rig.dialogs.Answer(MsgAnswer::Ok, "Another application using serial port");
        choose(c.device);
        EXPECT_FALSE(window->Link().Connected()) << c.device;  // the old connection ended
        EXPECT_EQ(rig.port.DeviceName(), c.opened);
        EXPECT_EQ(Program().CommDevice, c.device);
        EXPECT_EQ(choice.currentData().toString().toStdString(), c.device);
        const std::string config = testing::ReadWholeFile(rig.folder / ConfigFileName);
        const std::string written = c.device.empty() ? "''" : c.device;  // the file's empty text
        EXPECT_NE(config.find("COMM Device\t" + written + "\r\n"), std::string::npos) << config;
        rig.loop.RunFor(3000);
        EXPECT_EQ(window->Link().Connected(), c.connects) << c.device;
        EXPECT_EQ(LampFill(*window, 0), c.connects ? QColor(0, 255, 0) : QColor(254, 0, 0));
        EXPECT_EQ(Enabled("cmdDown(1)"), c.connects);
    }
    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    window->close();
    delete window;
    window = nullptr;
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

#ifdef __unix__
namespace tz::ui {
namespace {

using namespace tz::test;

// The window as the program runs it: the real event loop and serial adapter, with tz7300-sim on
// a pseudo-terminal named as "--port" names it.
TEST(MainWindowOnPseudoTerminal, ConnectsToTheSimulatedInstrument) {
    UiTestRig rig;
    cli::test::SimProcess sim;
    ASSERT_FALSE(sim.Device().empty());
    QtEventLoop loop;
    QtSerialPort serial{[](int) { return std::string(); }};  // no port numbers: only the named device
    ui::UiContext context{rig.dialogs, rig.modal, loop, Program(), serial, rig.irda, NoSerialPorts};
    frmMain::CommandLinePort() = sim.Device();
    frmMain window(context);
    ShowForm(window);
    frmMain::CommandLinePort().clear();
    EXPECT_TRUE(WaitUntil(loop, [&window] { return window.Link().Connected(); }));
    EXPECT_TRUE(Control<QTextEdit>(window, "rtbLog").toPlainText().contains(QStringLiteral("Connection Successful")));
    EXPECT_EQ(LampFill(window, 1), QColor(0, 255, 0));
    EXPECT_TRUE(Control<QWidget>(window, "cmdDown(1)").isEnabled());
    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    EXPECT_TRUE(window.close());
}

}  // namespace
}  // namespace tz::ui
#endif  // __unix__
