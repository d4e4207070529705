// diff between the instrument and a settings file, and between two files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "cli/CliTestRig.h"
#include "cli/SettingsDiff.h"
#include "instrument/Json.h"
#include "instrument/RecordJson.h"

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

// Each line: setting, instrument value, file value, in the program's formats (no JSON spelling).
TEST_F(DiffCommand, ChangedSettings_ValuesInTheProgramsFormats) {
    const std::string file = Saved("a.seq");
    auto& r = env.sim.State().record;
    r.Warning(1, 19.0f);  // oxygen, one decimal: 19.5 in the file
    r.LcdBackLight(static_cast<Integer>(r.LcdBackLight() + 1));
    r.SensorDate(2, "240315");  // 240102 in the file
    const CliResult result = Run({"diff", file});
    EXPECT_EQ(result.code, 1) << result.err;
    std::string rows;  // the table with its column gaps closed to one space
    std::unique_copy(result.out.begin(), result.out.end(), std::back_inserter(rows),
                     [](char a, char b) { return a == ' ' && b == ' '; });
    const std::string backLight = std::to_string(r.LcdBackLight());
    const std::string before = std::to_string(r.LcdBackLight() - 1);
    for (const std::string& line : {std::string("A1 Warning[2] 19.0 19.5\n"),
                                    "XT LcdBackLight " + backLight + " " + before + "\n",
                                    std::string("PS SensorDate[3] 240315 240102\n")})
        EXPECT_NE(rows.find(line), std::string::npos) << line << "\n" << result.out;
    EXPECT_EQ(result.out.find('"'), std::string::npos) << result.out;
}

TEST(SettingValueText, DatesFlagsAndTextsAsTheProgramShowsThem) {
    clsInstrument record;
    record.CalibDate(0, 46000.5);  // 2025/12/09 12:00:00
    record.GasEnabled(0, true);
    record.WarnIsLo(4, true);
    record.GasName(0, "CO  ");
    const JsonValue json = ParseJson(RecordToJson(record));
    auto text = [&](const std::string& name, int index) {
        return SettingValueText(record, name, index, json.Find(name)->Items()[static_cast<std::size_t>(index)]);
    };
    EXPECT_EQ(text("CalibDate", 0), "2025/12/09 12:00:00");
    EXPECT_EQ(text("GasEnabled", 0), "on");
    EXPECT_EQ(text("WarnIsLo", 4), "L");
    EXPECT_EQ(text("WarnIsLo", 3), "H");
    EXPECT_EQ(text("GasName", 0), "CO");
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
