// Station and user lists: the file format, export and import against the simulated instrument.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "cli/CliTestRig.h"
#include "instrument/ListFile.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

class ListCommands : public ::testing::Test {
protected:
    SimEnvironment env;
    FileTestFolder folder;
    CliResult Run(std::vector<std::string> args) { return RunTz(env, folder.Path(), std::move(args)); }
    int ListWrites() const {
        int n = 0;
        for (const std::string& body : env.sim.ReceivedCommands()) n += body.rfind("XS,W,", 0) == 0 || body.rfind("XZ,W,", 0) == 0;
        return n;
    }
};

TEST_F(ListCommands, StationsExportImport_RoundTripWithACommaInAName) {
    const auto file = folder / "Station.csv";
    ASSERT_EQ(Run({"stations", "export", file.string()}).code, 0);
    EXPECT_EQ(ReadWholeFile(file), ListFileText(ListOf(env.sim.State().record, ListKind::Stations)));

    std::string text = ReadWholeFile(file);
    const std::string line5 = "5," + env.sim.State().record.StationList(4) + "\r\n";
    text.replace(text.find(line5), line5.size(), "5,TANK 5, NORTH\r\n");
    std::ofstream(file, std::ios::binary) << text;

    const CliResult r = Run({"--yes", "stations", "import", file.string()});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    // The instrument keeps names as 16 characters filled with spaces.
    EXPECT_EQ(env.sim.State().record.StationList(4), "TANK 5, NORTH   ");
    EXPECT_EQ(ListWrites(), 1);
    EXPECT_NE(r.out.find("1 entry written."), std::string::npos) << r.out;

    env.sim.ClearReceivedCommands();
    const auto again = folder / "again.csv";
    ASSERT_EQ(Run({"stations", "export", again.string()}).code, 0);
    EXPECT_NE(ReadWholeFile(again).find("\r\n5,TANK 5, NORTH   \r\n"), std::string::npos);
    for (const auto& imported : {file, again}) {
        const CliResult unchanged = Run({"--yes", "stations", "import", imported.string()});
        EXPECT_EQ(unchanged.code, 0);
        EXPECT_NE(unchanged.out.find("No entries changed."), std::string::npos) << imported;
    }
    EXPECT_EQ(ListWrites(), 0);
}

TEST_F(ListCommands, UsersImportUnchanged_WritesNothing) {
    const auto file = folder / "User.csv";
    ASSERT_EQ(Run({"users", "export", file.string()}).code, 0);
    const CliResult r = Run({"users", "import", file.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("No entries changed."), std::string::npos);
    EXPECT_EQ(ListWrites(), 0);
}

TEST_F(ListCommands, ImportImproperName_RefusedWithMessage8056AndNothingSent) {
    const auto file = folder / "User.csv";
    std::ofstream(file, std::ios::binary) << "1,OK\r\n2,THIS NAME IS TOO LONG\r\n";
    const CliResult r = Run({"--yes", "users", "import", file.string()});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("Improper data found  ( User List )"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(": 2"), std::string::npos);
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

// Each line's number picks its entry; the entries the file does not name keep their names.
TEST_F(ListCommands, ImportByEntryNumber_OnlyTheNamedEntriesChange) {
    const NameList before = ListOf(env.sim.State().record, ListKind::Stations);
    const auto file = folder / "Station.csv";
    std::ofstream(file, std::ios::binary) << "\r\n5,PUMP ROOM\r\n\r\n2,GATE\r\n";
    const CliResult r = Run({"--yes", "stations", "import", file.string()});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    NameList expected = before;
    expected[4] = "PUMP ROOM       ";
    expected[1] = "GATE            ";
    EXPECT_EQ(ListOf(env.sim.State().record, ListKind::Stations), expected);
    EXPECT_EQ(ListWrites(), 2);
}

// A faulty line ends the import before the instrument is read: nothing is written.
TEST_F(ListCommands, ImportFaultyLine_ExitTwoNamingTheLineNothingSent) {
    const struct {
        std::string text;
        const char* line;
    } cases[] = {
        {"No,Name\r\n1,A\r\n", "line 1 "}, {"1,A\r\n129,X\r\n", "line 2 "}, {"1,A\r\n\r\n0,X\r\n", "line 3 "},
        {"abc,X\r\n", "line 1 "},        {"1;A\r\n", "line 1 "},          {"3,A\r\n3,B\r\n", "line 2 "},
        {"", "no entries"},
    };
    const auto file = folder / "User.csv";
    for (const auto& c : cases) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
        const CliResult r = Run({"--yes", "users", "import", file.string()});
        EXPECT_EQ(r.code, 2) << c.text;
        EXPECT_NE(r.err.find(file.string() + ": "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << c.text << ": " << r.err;
    }
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(ListCommands, BadActionOrMissingFile_ExitTwo) {
    EXPECT_EQ(Run({"stations", "delete", "x.csv"}).code, 2);
    EXPECT_EQ(Run({"users", "import", (folder / "none.csv").string()}).code, 2);
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

}  // namespace
}  // namespace tz::cli::test
