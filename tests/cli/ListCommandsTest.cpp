// Station and user lists: the file format, export and import against the simulated instrument.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliTestRig.h"
#include "cli/ListFile.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

TEST(ListFile, Parse_NameAfterFirstSeparatorKeptWhole) {
    const NameList names = ParseListFile("1,PLANT A\r\n2\tTAB NAME\r\n3,A,,B\r\n4,\r\n5\r\n6,  LEFT\n");
    EXPECT_EQ(names, (NameList{"PLANT A", "TAB NAME", "A,,B", "", "", "  LEFT"}));
}

TEST(ListFile, Parse_LinesBeyond128Counted) {
    std::string text;
    for (int i = 1; i <= 130; ++i) text += std::to_string(i) + ",N" + std::to_string(i) + "\r\n";
    int extra = 0;
    const NameList names = ParseListFile(text, &extra);
    EXPECT_EQ(names.size(), 128u);
    EXPECT_EQ(names.back(), "N128");
    EXPECT_EQ(extra, 2);
}

TEST(ListFile, ProperNames_TableOfCases) {
    EXPECT_TRUE(IsProperName(""));
    EXPECT_TRUE(IsProperName("SIXTEEN CHARS OK"));
    EXPECT_TRUE(IsProperName("A'B#C,~"));
    EXPECT_FALSE(IsProperName("SEVENTEEN CHARS!!"));
    EXPECT_FALSE(IsProperName("CAF\xC3\x89"));
    EXPECT_FALSE(IsProperName("TAB\tNAME"));
}

TEST(ListFile, Text_128NumberedLines) {
    const std::string text = ListFileText(NameList(128, "X"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 128);
    EXPECT_EQ(text.substr(0, 5), "1,X\r\n");
    EXPECT_EQ(text.substr(text.size() - 7), "128,X\r\n");
}

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

TEST_F(ListCommands, BadActionOrMissingFile_ExitTwo) {
    EXPECT_EQ(Run({"stations", "delete", "x.csv"}).code, 2);
    EXPECT_EQ(Run({"users", "import", (folder / "none.csv").string()}).code, 2);
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

}  // namespace
}  // namespace tz::cli::test
