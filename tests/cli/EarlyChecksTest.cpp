// Checks made before the first exchange: outputs that cannot be written, a log folder that cannot
// take the log, settings files without settings or with unknown lines; and the port listing.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliTestRig.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;

class EarlyChecks : public ::testing::Test {
protected:
    EarlyChecks() {
        std::ofstream(folder / "plain.txt") << "not a folder";
        std::filesystem::create_directory(folder / "sub");
    }
    std::string In(const std::string& name) const { return (folder / name).string(); }
    std::string SettingsFile(const std::string& text) {
        const std::string path = In("input.seq");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    SimEnvironment env;
    FileTestFolder folder;
};

TEST_F(EarlyChecks, OutputThatCannotBeWritten_RefusedBeforeAnyExchange) {
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"read", "--json", In("missing/unit.json")}, "does not exist"},
        {{"read", "--json", In("sub")}, "it is a folder"},
        {{"save", In("plain.txt/unit.seq")}, "is not a folder"},
        {{"stations", "export", In("missing/stations.csv")}, "does not exist"},
        {{"users", "export", In("sub")}, "it is a folder"},
        {{"--debug", "dump-eeprom", In("missing/DumpEF.dat")}, "does not exist"},
        {{"--debug", "dump-flash", In("sub")}, "it is a folder"},
        {{"--debug", "dump-flash", In("missing/TZ7300.DAT"), "--blocks", "1-2"}, "does not exist"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunTz(env, folder.Path(), c.args);
        EXPECT_EQ(r.code, 2) << c.args.back();
        EXPECT_NE(r.err.find("Cannot write"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_TRUE(env.sim.ReceivedCommands().empty()) << c.args.back();
    }
}

TEST_F(EarlyChecks, LogFolderThatCannotBeWritten_ExitTwoBeforeAnyExchange) {
    for (const std::string& dir : {In("missing"), In("plain.txt")}) {
        const CliResult r = RunArgs(env, {"--port", SimDevice, "--log-dir", dir, "info"});
        EXPECT_EQ(r.code, 2) << dir;
        EXPECT_NE(r.err.find("--log-dir " + dir), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    }
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(EarlyChecks, SettingsFileWithoutSettings_NoSettingsErrorNothingSent) {
    for (const char* text : {"", "\r\n  \r\n", "; only a comment\r\n", "ZZ,W,1,\r\n;\r\nQQ,W,\r\n"}) {
        const std::string file = SettingsFile(text);
        const CliResult r = RunTz(env, folder.Path(), {"--yes", "load", file});
        EXPECT_EQ(r.code, 2) << text;
        EXPECT_NE(r.err.find("no settings in " + file), std::string::npos) << r.err;
    }
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(EarlyChecks, UnknownLines_NamedByFileAndLine) {
    const std::string file = SettingsFile("AT,W,1,\r\n; note\r\nzz,W,5,\r\nAT,W,1,\r\nZZ,W,6,\r\n");
    // Without a terminal and without --yes the load stops before writing, after the warnings.
    const CliResult r = RunTz(env, folder.Path(), {"load", file});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(file + " line 3: unknown ZZ"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(file + " line 5: unknown ZZ"), std::string::npos) << r.err;
}

TEST_F(EarlyChecks, Ports_ListsNumbersNamesDescriptionsUsbIdsAndMarksTheModule) {
    env.ports = {{1, "ttyS0", "/dev/ttyS0", "", {}, {}, false},
                 {2, "ttyUSB0", "/dev/ttyUSB0", "CP2102 USB to UART", 0x10C4, 0xEA60, true},
                 {3, "ttyUSB1", "/dev/ttyUSB1", "FT232R", 0x0403, 0x6001, false}};
    const CliResult r = RunArgs(env, {"ports"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("1    ttyS0    /dev/ttyS0    -"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2    ttyUSB0  /dev/ttyUSB0  CP2102 USB to UART  10C4:EA60 (infrared module)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("0403:6001"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("infrared module", r.out.find("ttyUSB1")), std::string::npos) << r.out;

    env.ports.clear();
    EXPECT_EQ(RunArgs(env, {"ports"}).out, "No serial ports found.\n");
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

}  // namespace
}  // namespace tz::cli::test
