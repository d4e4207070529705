// tz7300-sim as a program: its state loaded from a file, served on its pseudo-terminal, changed by
// a write over the real serial adapter and saved when it is stopped; a state file it cannot use
// refused with the reason and exit code 2.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSysInfo>
#include <filesystem>
#include <fstream>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

#include "QtTestSupport.h"
#include "link/InactiveIrdaPort.h"
#include "link/RecordCompare.h"
#include "link/uclTzif.h"
#include "platform/QtSerialPort.h"
#include "sim/SimStateJson.h"
#include "text/DateTime.h"

#ifdef TZ_SIM_EXECUTABLE

namespace tz {
namespace {

class SimExecutableTest : public test::QtAppTest {
protected:
    SimExecutableTest() {
        std::random_device seed;
        folder = std::filesystem::temp_directory_path() /
                 ("tz7300-simexe-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(folder);
        link.Retry(3);
        link.Timeout(1);
    }
    ~SimExecutableTest() override {
        if (sim.state() != QProcess::NotRunning) {
            sim.kill();
            sim.waitForFinished(5000);
        }
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    void Start(const QStringList& args) { sim.start(QString::fromUtf8(TZ_SIM_EXECUTABLE), args); }

    // The device path: the first line the simulator prints.
    std::string Device() {
        if (!test::WaitUntil(loop, [&] { return sim.canReadLine() || sim.state() == QProcess::NotRunning; }))
            return {};
        return sim.readLine().trimmed().toStdString();
    }

    static QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

    std::filesystem::path folder;
    QProcess sim;
    QtEventLoop loop;
    QtSerialPort serial{[](int) { return std::string(); }};
    InactiveIrdaPort irda;
    uclTzif link{serial, irda, loop};
};

TEST_F(SimExecutableTest, StateLoaded_ServedWrittenAndSavedOnStop) {
    SimState start = DefaultSimState();
    start.clock = *MakeDate({2026, 1, 2, 3, 4, 5});
    start.record.LcdBackLight(75);
    start.record.ClearChangeFlags();
    std::string error;
    ASSERT_TRUE(SaveSimStateFile(folder / "in.json", start, error)) << error;

    Start({"--state", Q(folder / "in.json"), "--save-state", Q(folder / "out.json")});
    const std::string device = Device();
    ASSERT_FALSE(device.empty()) << sim.readAllStandardError().toStdString();
    serial.DeviceName(device);
    link.SerialComm(true);
    link.PortOpen(true);
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return link.Connected(); }));

    clsInstrument record;
    ASSERT_TRUE(link.GetInstrument(&record));
    EXPECT_EQ(test::ReadValueDifferences(record, RecordAsRead(start)), std::vector<std::string>{});
    record.ClearChangeFlags();
    record.AlarmMode(2);
    record.StationList(9, "SAVED ON EXIT 09");
    ASSERT_TRUE(link.SetInstrument(&record, false));
    link.PortOpen(false);

    sim.terminate();  // SIGTERM: the simulator saves its state and ends normally
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();

    SimState saved = DefaultSimState();
    const SimStateJsonResult loaded = LoadSimStateFile(folder / "out.json", saved);
    ASSERT_TRUE(loaded.Ok) << loaded.Error;
    EXPECT_EQ(saved.clock, start.clock);
    EXPECT_EQ(saved.record.LcdBackLight(), 75);
    EXPECT_EQ(saved.record.AlarmMode(), 2);
    EXPECT_EQ(saved.record.StationList(9), "SAVED ON EXIT 09");
}

TEST_F(SimExecutableTest, MalformedStateFile_RefusedWithTheReasonAndExitCode2) {
    std::ofstream(folder / "bad.json") << "{\n  \"LcdBackLight\": 12,\n  \"SimState\": {\"Clock\": }\n}\n";
    Start({"--state", Q(folder / "bad.json")});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 2);
    const std::string message = sim.readAllStandardError().toStdString();
    EXPECT_NE(message.find("bad.json"), std::string::npos) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    EXPECT_TRUE(sim.readAllStandardOutput().isEmpty());  // no device was served
}

// A second simulator on the same link path is refused while the first serves it; a lock left by
// a process that has ended is taken over.
TEST_F(SimExecutableTest, LinkPathServedByAnother_RefusedStaleLockTakenOver) {
    const std::filesystem::path linkPath = folder / "tz7300";
    Start({"--link", Q(linkPath)});
    const std::string device = Device();
    ASSERT_FALSE(device.empty());
    QProcess second;
    second.start(QString::fromUtf8(TZ_SIM_EXECUTABLE), {"--link", Q(linkPath)});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    const std::string message = second.readAllStandardError().toStdString();
    EXPECT_NE(message.find("served by another running simulator"), std::string::npos) << message;
    EXPECT_EQ(std::filesystem::read_symlink(linkPath).string(), device);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));

    // The lock of a simulator that ended without removing it: its process no longer runs.
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    std::ofstream(folder / "tz7300.lock") << ended << "\ntz7300-sim\n" << QSysInfo::machineHostName().toStdString() << "\n";
    Start({"--link", Q(linkPath)});
    const std::string again = Device();
    ASSERT_FALSE(again.empty()) << sim.readAllStandardError().toStdString();
    EXPECT_EQ(std::filesystem::read_symlink(linkPath).string(), again);
}

TEST_F(SimExecutableTest, VersionAndShortHelp) {
    Start({"--version"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardOutput()).startsWith("tz7300-sim "));
    Start({"-h"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardOutput()).contains("--link PATH"));
}

TEST_F(SimExecutableTest, HelpListsTheStateOptions) {
    Start({"--help"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 0);
    const QString help = QString::fromUtf8(sim.readAllStandardOutput());
    EXPECT_TRUE(help.contains("--state FILE"));
    EXPECT_TRUE(help.contains("--save-state FILE"));
}

}  // namespace
}  // namespace tz

#endif  // TZ_SIM_EXECUTABLE
