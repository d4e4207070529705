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

// The instrument's file with some lines left out.
std::string WithoutLines(const std::string& text, const std::vector<std::string>& codes) {
    std::string out;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start) + 1;
        const std::string line = text.substr(start, end - start);
        start = end;
        if (std::none_of(codes.begin(), codes.end(), [&](const std::string& code) { return line.rfind(code + ",", 0) == 0; }))
            out += line;
    }
    return out;
}

// A partial file that is otherwise well-formed is compared for what it holds: against the
// instrument it came from it holds no difference; against its full file, exactly the lines it
// lacks differ, each shown as not in the file.
TEST_F(DiffCommand, PartialFiles_ComparedForWhatTheyHold) {
    const std::string full = ReadWholeFile(Saved("full.seq"));
    const std::string fullFile = (folder / "full.seq").string();
    const std::vector<std::string> leftOut[] = {
        {"UG"}, {"GJ"}, {"GJ", "UG"}, {"A1", "A2", "AS", "AW", "SA"}, {"A3", "A4", "US", "UZ", "AT", "UO"}};
    for (const auto& codes : leftOut) {
        const auto partial = folder / "partial.seq";
        std::ofstream(partial, std::ios::binary | std::ios::trunc) << WithoutLines(full, codes);
        const std::string file = partial.string();
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"diff", file}, {"diff", file, file}}) {
            const CliResult r = Run(args);
            EXPECT_EQ(r.code, 0) << codes[0] << ": " << r.err << r.out;
        }
        for (const bool partialLeft : {true, false}) {
            const std::string& rightFile = partialLeft ? fullFile : file;
            const CliResult r = Run({"diff", partialLeft ? file : fullFile, rightFile});
            const std::size_t rightColumn = r.out.find("  " + rightFile) + 2;  // in the title line
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_TRUE(r.err.empty()) << r.err;
            EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), static_cast<long>(codes.size()) + 2) << r.out;
            for (const std::string& code : codes) {
                const std::size_t row = r.out.find("\n" + code + " " + code + " ");
                ASSERT_NE(row, std::string::npos) << code << "\n" << r.out;
                const std::string line = r.out.substr(row + 1, r.out.find('\n', row + 1) - row - 1);
                const std::size_t notIn = line.find("(not in the file)");
                ASSERT_NE(notIn, std::string::npos) << line;
                EXPECT_EQ(line.find("(not in the file)", notIn + 1), std::string::npos) << line;
                // In the column of the file that lacks the line.
                EXPECT_EQ(notIn < rightColumn, partialLeft) << r.out;
            }
        }
    }
}

// A line that a record writes but that does not load back (a full scale the instrument gave as
// no value) is shown as the line itself rather than ending the command.
TEST(SettingsDifferences, LineThatDoesNotLoadBack_NamedAsTheLine) {
    clsInstrument left;
    left.GasEnabled(0, true);
    left.GasName(0, "CO");
    left.GasFullScale(0, 500);
    clsInstrument right = left;
    right.GasFullScale(0, NoValue);
    const std::vector<SettingDifference> differences = SettingsDifferences(left, right);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].name, "GJ");
    EXPECT_NE(differences[0].right.find("*****"), std::string::npos) << differences[0].right;
}

// A malformed file ends diff as it ends load: exit 2 with the same report of the file's fault.
TEST_F(DiffCommand, MalformedFiles_ExitTwoAsLoadReportsThem) {
    const std::string good = Saved("good.seq");
    for (const char* badLine : {"PO,W,abc,", "A1,W,   2O,   20,   20,   20,   20,   20,H,H,", "UG,W,0,1,2,3,4,9,",
                                "GJ,W,CO         abcde    1ppm ,", "UZ,W,2,"}) {
        const auto bad = folder / "bad.seq";
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << "AT,W,1,\r\n" << badLine << "\r\n";
        const CliResult load = Run({"--yes", "load", bad.string()});
        ASSERT_EQ(load.code, 2) << badLine;
        for (const std::vector<std::string>& args : {std::vector<std::string>{"diff", bad.string()},
                                                     {"diff", bad.string(), good}, {"diff", good, bad.string()}}) {
            const CliResult r = Run(args);
            EXPECT_EQ(r.code, 2) << badLine;
            EXPECT_EQ(r.err, load.err) << badLine;
        }
    }
}

TEST_F(DiffCommand, MissingFile_ExitTwo) {
    const CliResult r = Run({"diff", (folder / "none.seq").string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("none.seq"), std::string::npos);
}

}  // namespace
}  // namespace tz::cli::test
