// diff between the instrument and a settings file, and between two files.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliTestRig.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

class DiffCommand : public ::testing::Test {
protected:
    SimEnvironment env;
    FileTestFolder folder;
    CliResult Run(std::vector<std::string> args) { return RunTz(env, folder.Path(), std::move(args)); }
    std::string Saved(const std::string& name) {
        const std::string file = (folder / name).string();
        EXPECT_EQ(Run({"save", file}).code, 0);
        return file;
    }
};

TEST_F(DiffCommand, InstrumentAgainstItsOwnFile_NoDifferenceExitZero) {
    const std::string file = Saved("a.seq");
    const CliResult r = Run({"diff", file});
    EXPECT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_EQ(r.out, "No differences.\n");
}

TEST_F(DiffCommand, ChangedWarningLevel_NamesTheSettingWithBothValuesExitOne) {
    const std::string file = Saved("a.seq");
    env.sim.State().record.Warning(3, 35);  // carbon monoxide: 25 in the file
    const CliResult r = Run({"diff", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("A1 Warning[4]  35"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("25"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3) << r.out;  // title, rule, one line
}

TEST_F(DiffCommand, TwoFiles_ComparedWithoutTheInstrument) {
    const std::string a = Saved("a.seq");
    env.sim.State().record.LcdBackLight(env.sim.State().record.LcdBackLight() == 0 ? 1 : 0);
    const std::string b = Saved("b.seq");
    env.sim.ClearReceivedCommands();
    const CliResult same = Run({"diff", a, a});
    EXPECT_EQ(same.code, 0);
    const CliResult different = Run({"diff", a, b});
    EXPECT_EQ(different.code, 1);
    EXPECT_NE(different.out.find("LcdBackLight"), std::string::npos) << different.out;
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(DiffCommand, MalformedFile_ExitTwoNamingTheLineBeforeReading) {
    const auto file = folder / "bad.seq";
    std::ofstream(file) << "AT,W,1,\r\nPO,W,abc,\r\n";
    const CliResult r = Run({"diff", file.string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(DiffCommand, MissingFile_ExitTwo) {
    const CliResult r = Run({"diff", (folder / "none.seq").string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("none.seq"), std::string::npos);
}

}  // namespace
}  // namespace tz::cli::test
