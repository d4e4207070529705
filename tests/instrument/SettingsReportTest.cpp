#include "instrument/SettingsReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#if defined(__unix__)
#include <sys/resource.h>
#endif

#include "app/modMain.h"
#include "instrument/FileTestFolder.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"

namespace tz {
namespace {

using testing::FileTestFolder;
using testing::ReadWholeFile;

// Splits one report line into its fields, honouring quoted fields.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size());
    return lines;
}

Date Noon() { return *MakeDate({2025, 3, 14, 12, 0, 0}); }

class SettingsReport : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }

    std::vector<std::string> Data(const clsInstrument& r, ReportMode mode = ReportMode::Read) {
        return CsvFields(SettingsReportDataLine(r, mode, Noon()));
    }

    // A record with its ports set and every channel enabled.
    static clsInstrument Record() {
        clsInstrument r;
        for (Integer i = 0; i < 6; ++i) {
            r.GasEnabled(i, true);
            r.GasName(i, "G" + std::to_string(i));
            r.GasPoint(i, 0);
            r.PortCh(i, i);
        }
        return r;
    }
};

TEST_F(SettingsReport, FirstReportCreatesTitleAndLineSecondAddsOneLine) {
    FileTestFolder folder;
    const clsInstrument r = Record();
    std::string error;
    ASSERT_TRUE(WriteSettingsReport(r, ReportMode::Read, folder.Path(), "", Noon(), &error))
        << error;
    const auto first = Lines(ReadWholeFile(folder / "TZ7300_Setting.csv"));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], SettingsReportTitleLine());
    EXPECT_EQ(CsvFields(first[1])[0], "Read");

    ASSERT_TRUE(WriteSettingsReport(r, ReportMode::WriteID, folder.Path(), "", Noon()));
    const auto second = Lines(ReadWholeFile(folder / "TZ7300_Setting.csv"));
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[1], first[1]);
    EXPECT_EQ(CsvFields(second[2])[0], "WriteID");
}

TEST_F(SettingsReport, SuffixGoesBeforeTheExtension) {
    FileTestFolder folder;
    EXPECT_EQ(SettingsReportPath(folder.Path(), "_A"), folder / "TZ7300_Setting_A.csv");
    ASSERT_TRUE(WriteSettingsReport(Record(), ReportMode::Write, folder.Path(), "_A", Noon()));
    EXPECT_TRUE(std::filesystem::exists(folder / "TZ7300_Setting_A.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "TZ7300_Setting.csv"));
}

TEST_F(SettingsReport, ProgramReportGoesToTheLogFolderWithTheFactorySuffix) {
    FileTestFolder folder;
    ResetProgram();
    Program().LogFolder = folder.Path();
    Program().FactoryRecordSuffix = "_B";
    EXPECT_TRUE(WriteSettingsReport(Record(), ReportMode::WriteSpan));
    EXPECT_EQ(Lines(ReadWholeFile(folder / "TZ7300_Setting_B.csv")).size(), 2u);
    ResetProgram();
}

TEST_F(SettingsReport, SuffixThatLeavesTheLogFolder_RefusedAndNothingWritten) {
    FileTestFolder folder;
    std::filesystem::create_directories(folder / "sub");
    // "sub/../x" and "/.." would reach beside or above the folder; a configured suffix is
    // checked here as much as a typed one.
    for (const std::string suffix : {"/../x", "sub/..", "..", "a\\b", "a\tb"}) {
        std::string error;
        EXPECT_FALSE(WriteSettingsReport(Record(), ReportMode::Read, folder / "sub", suffix, Noon(), &error))
            << suffix;
        EXPECT_NE(error.find("The character that cannot be used for the file name is included."), std::string::npos)
            << error;
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 1u);  // only the folder "sub"
}

TEST_F(SettingsReport, ReportThatCannotBeWrittenIsAFailure) {
    FileTestFolder folder;
    std::string error;
    EXPECT_FALSE(WriteSettingsReport(Record(), ReportMode::Read, folder / "missing", "", Noon(),
                                     &error));
    EXPECT_NE(error.find("TZ7300_Setting.csv"), std::string::npos) << error;
}

TEST_F(SettingsReport, ModeWordsFirstField) {
    const std::pair<ReportMode, const char*> modes[] = {{ReportMode::Read, "Read"},
                                                        {ReportMode::Write, "Write"},
                                                        {ReportMode::WriteID, "WriteID"},
                                                        {ReportMode::WriteSpan, "WriteSpan"}};
    for (const auto& [mode, word] : modes) EXPECT_EQ(Data(Record(), mode)[0], word);
}

TEST_F(SettingsReport, TitlesComeFromTheCatalogueInColumnOrder) {
    const auto titles = CsvFields(SettingsReportTitleLine());
    ASSERT_EQ(titles.size(), SettingsReportColumns);
    EXPECT_EQ(titles[0], "Action");
    EXPECT_EQ(titles[1], "PC Date/Time");
    EXPECT_EQ(titles[8], "ROM");
    EXPECT_EQ(titles[43], "Zero Follower (Gas1)");
    EXPECT_EQ(titles[44], "Zero Follower (Gas3)");
    EXPECT_EQ(titles[54], "Sensor First Use Date (GAS1)");
    EXPECT_EQ(titles[60], "LCD Contrast");
    EXPECT_EQ(titles[61], "Suppress (Gas1)");
    EXPECT_EQ(titles[75], "Ch");
    EXPECT_EQ(titles[78], "PID");
    EXPECT_EQ(titles[79], "Gas");
    EXPECT_EQ(titles[90], "Last Bump Test Concentration");
    EXPECT_EQ(titles[151], "Station1");
    EXPECT_EQ(titles[278], "Station128");
    EXPECT_EQ(titles[279], "User1");
    EXPECT_EQ(titles[407], "Inert Function");
    EXPECT_EQ(titles[412], "Gas1SpanFactor");
    EXPECT_EQ(titles[418], "PID List Ver");
}

TEST_F(SettingsReport, RomPortsAndDates) {
    clsInstrument r = Record();
    r.RomNumber(123);
    r.PortCh(4, -1);
    r.PortCh(5, -1);
    r.SysDateOffset(2.5);
    const auto data = Data(r);
    EXPECT_EQ(data[1], "2025/03/14 12:00:00");
    EXPECT_EQ(data[2], "2025/03/12 00:00:00");
    EXPECT_EQ(data[8], "00123");
    EXPECT_EQ(data[75], "0123--");
}

// No field is ever cut: a value wider than its five-character field is written in full.
TEST_F(SettingsReport, WideValuesWrittenInFull) {
    const struct {
        Long rom;
        const char* romText;
        Single value;
        Integer decimals;
        const char* valueText;
    } cases[] = {
        {123, "00123", 25, 0, "   25"},       {730012, "730012", 4800, 1, "4800.0"},
        {0, "00000", 12345, 0, "12345"},      {99999, "99999", 123456, 0, "123456"},
        {1234567, "1234567", NoValue, 1, "*****"}, {7, "00007", 0.25f, 2, " 0.25"},
    };
    for (const auto& c : cases) {
        clsInstrument r = Record();
        r.RomNumber(c.rom);
        r.GasPoint(4, c.decimals);
        r.GasPoint(5, c.decimals);
        r.BumpResult(4, c.value);
        r.Warning(5, c.value);
        const auto data = Data(r);
        const std::size_t channel4 = 79 + 4 * 12, channel5 = 79 + 5 * 12;
        EXPECT_EQ(data[8], c.romText) << c.rom;
        EXPECT_EQ(data[channel4 + 10], c.valueText) << c.value;
        EXPECT_EQ(data[channel5 + 1], c.valueText) << c.value;
        EXPECT_EQ(data.size(), SettingsReportColumns);
    }
}

TEST_F(SettingsReport, EmptyFileIsNew_GetsTheTitleLine) {
    FileTestFolder folder;
    testing::WriteWholeFile(folder / "TZ7300_Setting.csv", "");
    ASSERT_TRUE(WriteSettingsReport(Record(), ReportMode::Write, folder.Path(), "", Noon()));
    const auto lines = Lines(ReadWholeFile(folder / "TZ7300_Setting.csv"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], SettingsReportTitleLine());
}

#if defined(__unix__)
// The file system refuses the write part-way (the file size limit stands in for a full disk):
// the report is left as it was, and the next write that succeeds finds it as before.
TEST_F(SettingsReport, FailedAppend_LeavesTheFileAsItWas) {
    FileTestFolder folder;
    const auto file = folder / "TZ7300_Setting.csv";
    const auto writeWithLimit = [&](rlim_t limit) {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = limit;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        std::string error;
        const bool written = WriteSettingsReport(Record(), ReportMode::Write, folder.Path(), "", Noon(), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(!written, error.find("TZ7300_Setting.csv") != std::string::npos) << error;
        return written;
    };
    // A first write that fails leaves no file (and no empty one), so the next one writes the title.
    EXPECT_FALSE(writeWithLimit(100));
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(WriteSettingsReport(Record(), ReportMode::Read, folder.Path(), "", Noon()));
    const std::string before = ReadWholeFile(file);
    // An append that fails part-way is taken back.
    EXPECT_FALSE(writeWithLimit(before.size() + 100));
    EXPECT_EQ(ReadWholeFile(file), before);
    ASSERT_TRUE(WriteSettingsReport(Record(), ReportMode::WriteID, folder.Path(), "", Noon()));
    const auto lines = Lines(ReadWholeFile(file));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], SettingsReportTitleLine());
    EXPECT_EQ(CsvFields(lines[2])[0], "WriteID");
}
#endif

TEST_F(SettingsReport, DisabledChannelGivesTwelveDashFields) {
    clsInstrument r = Record();
    r.GasEnabled(2, false);
    r.Warning(1, 19.5f);
    r.GasPoint(1, 1);
    r.Alarm(1, -101);
    const auto data = Data(r);
    const std::size_t channel1 = 79 + 12, channel2 = 79 + 24;
    EXPECT_EQ(data[channel1], "G1");
    EXPECT_EQ(data[channel1 + 1], " 19.5");
    EXPECT_EQ(data[channel1 + 2], "*****");
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(data[channel2 + i], "-----") << i;
    EXPECT_EQ(data[channel2 + 12], "G3");
}

TEST_F(SettingsReport, ValueForms) {
    clsInstrument r = Record();
    r.AlarmMode(1);
    r.CalCheck(1);
    r.DispCalLimit(1);
    r.LunchBreak(2);  // only 1 is ON
    r.SpecType("0");
    r.AlarmO2(2);
    r.LcBhMode(3);
    r.CalCheckALL(1);
    r.BumpCheckALL(0);
    r.IRRange(1);
    r.Inert1st(19.5f);
    r.DateDispType(7);
    r.LangType(8);
    r.PIDdata("1,2,3");
    r.SpanData(0, 1.25f);
    r.PIDver("00000000000001");
    const auto data = Data(r);
    EXPECT_EQ(data[10], "Latch");
    EXPECT_EQ(data[12], "ON");
    EXPECT_EQ(data[13], "Can't use");
    EXPECT_EQ(data[17], "OFF");
    EXPECT_EQ(data[20], "Japan");
    EXPECT_EQ(data[21], "H-HH");
    EXPECT_EQ(data[38], "LC BH");
    EXPECT_EQ(data[48], "ALL");
    EXPECT_EQ(data[49], "4GAS");
    EXPECT_EQ(data[66], "LOW ONLY");
    EXPECT_EQ(data[67], "19.5");
    EXPECT_EQ(data[74], "YYYY/MM/DD");
    EXPECT_EQ(data[76], "ITALIAN");
    EXPECT_EQ(data[78], "1/2/3");
    EXPECT_EQ(data[412], "1.25");
    EXPECT_EQ(data[418], "00000000000001");
}

TEST_F(SettingsReport, ValuesWithoutListedTextLeaveEmptyFieldsAndAlignedColumns) {
    clsInstrument r = Record();
    r.AlarmO2(7);
    r.IRRange(9);
    r.SpecType("x");
    r.LangType(12);
    r.StationList(0, "GATE, NORTH");
    r.UserList(5, "say \"hi\"");
    const auto data = Data(r);
    ASSERT_EQ(data.size(), SettingsReportColumns);
    EXPECT_EQ(data[20], "");
    EXPECT_EQ(data[21], "");
    EXPECT_EQ(data[66], "");
    EXPECT_EQ(data[76], "");
    EXPECT_EQ(data[151], "GATE, NORTH");
    EXPECT_EQ(data[284], "say \"hi\"");
    EXPECT_EQ(CsvFields(SettingsReportTitleLine()).size(), data.size());
}

TEST_F(SettingsReport, JapaneseTitlesKeepTheColumnCount) {
    SetLanguage(Language::Japanese);
    const auto titles = CsvFields(SettingsReportTitleLine());
    EXPECT_EQ(titles.size(), SettingsReportColumns);
    EXPECT_EQ(titles[8], "ROM");
    EXPECT_EQ(titles[151], "Station1");
    SetLanguage(Language::English);
}

}  // namespace
}  // namespace tz
