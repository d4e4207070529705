#include <sstream>

#include "app/ConfigFileTestSupport.h"
#include "app/StartupDefaults.h"
#include "text/DateTime.h"

namespace tz {

// ---- Password scrambling ----

TEST(EncodeText, Abc_GivesGLILKL) {
    EXPECT_EQ(EncodeText("abc"), "GLILKL");
    EXPECT_EQ(DecodeText("GLILKL"), "abc");
}

TEST(EncodeText, Texts_SurviveEncodeAndDecode) {
    const std::string texts[] = {"", "8640", "qmv", "Tolba", "Pass word;'\t", "\xC3\xA9t\xC3\xA9",
                                 std::string(1, '\0') + "\xFF", std::string(300, 'z')};
    for (const std::string& t : texts) {
        const std::string once = EncodeText(t);
        EXPECT_EQ(once.size(), t.size() * 2);
        for (char c : once) EXPECT_GE(static_cast<unsigned char>(c), 'F');
        EXPECT_EQ(DecodeText(once), t);
        EXPECT_EQ(DecodeText(DecodeText(EncodeText(EncodeText(t)))), t);
    }
}

TEST(DecodeText, OddCharacterAtTheEnd_IsIgnored) { EXPECT_EQ(DecodeText("GLILKLQ"), "abc"); }

TEST(DecodeText, HandEditedText_GivesSomeTextWithoutFault) {
    for (const std::string& text : {std::string("!!"), std::string("\x01\xFF\x00\x45", 4), std::string(999, ' ')})
        EXPECT_EQ(DecodeText(text).size(), text.size() / 2);
}

// ---- Writing and reading back ----

using WriteConfig = ConfigFolderTest;

namespace {

ProgramState FilledState() {
    ProgramState s;
    ApplyStartupDefaults(s, true);
    s.ExecuteCount = 41;
    s.SerialLogFile = true;
    s.FactoryRecordSuffix = "_lab";
    s.IrCommNum = 5;
    s.CommSettings = "115200,n,8,1";
    s.Timeout = 4;
    s.Delay = 250;
    s.Retry = 2;
    s.LimitDays = 14;
    s.AutoLoad = true;
    s.AutoRemoveData = false;
    s.ProgramFont = {"Noto Sans CJK", 10.5f, true, false, true, false, 700, 0};
    s.CalibRange = {50, 12.5f, 25, 0.3f};
    s.ConvParam.Factor = 0.07f;
    s.CalUnitOnWait = 40;
    s.CalSpanOnWait = 91;
    s.CalSpanOffWait = 46;
    s.WindowState = 2;
    s.WindowWidth = 12000;
    s.WindowHeight = 11000.5f;
    s.PrtWidth = {2, 3.5f};
    s.CompletelyView = false;
    s.TrendSearch = {-20, 60};
    s.ProgramPassword = "my Pass;'";
    for (int row = 0; row < AdCheckRows; ++row) s.AdCheck[row] = {Integer(-row * 10), Integer(1000 + row)};
    clsInstrument& r = s.DefaultRecord;
    r.CalLimit(180), r.LcdBackLight(60), r.AlarmMode(2), r.Intervals(10), r.DispCalLimit(1), r.CalCheck(1);
    r.LogOverWrite(0), r.FlowValue(100), r.AlarmO2(2), r.AutoZero(1), r.DemandZero(0), r.UseUserPassword(1);
    for (Integer c = 0; c < 6; ++c) {
        r.GasName(c, "gas " + std::to_string(c));
        r.GasEnabled(c, c % 2 == 0);
        r.GasPoint(c, c);
        r.GasUnit(c, c == 5 ? "ppb" : "ppm");
        r.Warning(c, 1.5f + c), r.Alarm(c, 20.25f + c), r.Stel(c, c == 4 ? -101.0f : 3.0f * c);
        r.Twa(c, 0.1f * c), r.GasDesit(c, 0.01f), r.GasFullScale(c, 1000.0f + c), r.AutoCalib(c, 33.3f);
        s.GasLocked[c] = c % 3 == 0;
        s.FactoryAutoCalib[c] = 44.4f + c;
        s.GraphColor[c] = 0x00FF00 + c;
    }
    for (int c = 0; c < 6; ++c) {
        for (int g = 8; g < 16; ++g) {
            GasTableEntry& e = s.GasTable[c][g];
            e = {true, "G" + std::to_string(c) + "-" + std::to_string(g), g % 2 == 0, "u", 200, 0.5f, 1,
                 10, 20, -101, 7, 0, 50, 0};
        }
    }
    s.GasTable[6][3] = {true, "slot seven", false, "%", 10, 0.1f, 1, 1, 2, 3, 4, 0, 5, 0};
    s.GasTable[2][16] = {true, "entry seventeen", true, "ppm", 10, 0.1f, 1, 1, 2, 3, 4, 0, 5, 0};
    return s;
}

void ExpectSameGas(const GasTableEntry& a, const GasTableEntry& b, const std::string& where) {
    EXPECT_EQ(a.Enabled, b.Enabled) << where;
    EXPECT_EQ(a.GasName, b.GasName) << where;
    EXPECT_EQ(a.Locked, b.Locked) << where;
    EXPECT_EQ(a.GasUnit, b.GasUnit) << where;
    EXPECT_EQ(a.GasFullScale, b.GasFullScale) << where;
    EXPECT_EQ(a.GasDesit, b.GasDesit) << where;
    EXPECT_EQ(a.GasPoint, b.GasPoint) << where;
    EXPECT_EQ(a.Warning, b.Warning) << where;
    EXPECT_EQ(a.Alarm, b.Alarm) << where;
    EXPECT_EQ(a.Stel, b.Stel) << where;
    EXPECT_EQ(a.Twa, b.Twa) << where;
    EXPECT_EQ(a.AutoCalib, b.AutoCalib) << where;
}

void ExpectSameSettings(const ProgramState& a, const ProgramState& b) {
    EXPECT_EQ(a.SerialLogFile, b.SerialLogFile);
    EXPECT_EQ(a.FactoryRecordSuffix, b.FactoryRecordSuffix);
    EXPECT_EQ(a.IrCommNum, b.IrCommNum);
    EXPECT_EQ(a.CommSettings, b.CommSettings);
    EXPECT_EQ(a.Timeout, b.Timeout);
    EXPECT_EQ(a.Delay, b.Delay);
    EXPECT_EQ(a.Retry, b.Retry);
    EXPECT_EQ(a.LimitDays, b.LimitDays);
    EXPECT_EQ(a.AutoLoad, b.AutoLoad);
    EXPECT_EQ(a.AutoRemoveData, b.AutoRemoveData);
    EXPECT_EQ(a.ProgramFont.Name, b.ProgramFont.Name);
    EXPECT_EQ(a.ProgramFont.Size, b.ProgramFont.Size);
    EXPECT_EQ(a.ProgramFont.Bold, b.ProgramFont.Bold);
    EXPECT_EQ(a.ProgramFont.Italic, b.ProgramFont.Italic);
    EXPECT_EQ(a.ProgramFont.Underline, b.ProgramFont.Underline);
    EXPECT_EQ(a.CalibRange, b.CalibRange);
    EXPECT_EQ(a.ConvParam.Factor, b.ConvParam.Factor);
    EXPECT_EQ(a.CalUnitOnWait, b.CalUnitOnWait);
    EXPECT_EQ(a.CalSpanOnWait, b.CalSpanOnWait);
    EXPECT_EQ(a.CalSpanOffWait, b.CalSpanOffWait);
    EXPECT_EQ(a.WindowState, b.WindowState);
    EXPECT_EQ(a.WindowWidth, b.WindowWidth);
    EXPECT_EQ(a.WindowHeight, b.WindowHeight);
    EXPECT_EQ(a.PrtWidth, b.PrtWidth);
    EXPECT_EQ(a.CompletelyView, b.CompletelyView);
    EXPECT_EQ(a.TrendSearch, b.TrendSearch);
    EXPECT_EQ(a.ProgramPassword, b.ProgramPassword);
    EXPECT_EQ(a.AdCheck, b.AdCheck);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(a.GasLocked[c], b.GasLocked[c]) << c;
        EXPECT_EQ(a.FactoryAutoCalib[c], b.FactoryAutoCalib[c]) << c;
        EXPECT_EQ(a.GraphColor[c], b.GraphColor[c]) << c;
    }
    const clsInstrument& x = a.DefaultRecord;
    const clsInstrument& y = b.DefaultRecord;
    EXPECT_EQ(x.CalLimit(), y.CalLimit());
    EXPECT_EQ(x.LcdBackLight(), y.LcdBackLight());
    EXPECT_EQ(x.AlarmMode(), y.AlarmMode());
    EXPECT_EQ(x.Intervals(), y.Intervals());
    EXPECT_EQ(x.DispCalLimit(), y.DispCalLimit());
    EXPECT_EQ(x.CalCheck(), y.CalCheck());
    EXPECT_EQ(x.LogOverWrite(), y.LogOverWrite());
    EXPECT_EQ(x.FlowValue(), y.FlowValue());
    EXPECT_EQ(x.AlarmO2(), y.AlarmO2());
    EXPECT_EQ(x.AutoZero(), y.AutoZero());
    EXPECT_EQ(x.DemandZero(), y.DemandZero());
    EXPECT_EQ(x.UseUserPassword(), y.UseUserPassword());
    for (Integer c = 0; c < 6; ++c) {
        EXPECT_EQ(x.GasName(c), y.GasName(c)) << c;
        EXPECT_EQ(x.GasEnabled(c), y.GasEnabled(c)) << c;
        EXPECT_EQ(x.GasPoint(c), y.GasPoint(c)) << c;
        EXPECT_EQ(x.GasUnit(c), y.GasUnit(c)) << c;
        EXPECT_EQ(x.Warning(c), y.Warning(c)) << c;
        EXPECT_EQ(x.Alarm(c), y.Alarm(c)) << c;
        EXPECT_EQ(x.Stel(c), y.Stel(c)) << c;
        EXPECT_EQ(x.Twa(c), y.Twa(c)) << c;
        EXPECT_EQ(x.GasDesit(c), y.GasDesit(c)) << c;
        EXPECT_EQ(x.GasFullScale(c), y.GasFullScale(c)) << c;
        EXPECT_EQ(x.AutoCalib(c), y.AutoCalib(c)) << c;
    }
    for (int c = 0; c < GasTableChannels; ++c)
        for (int g = 0; g < GasTableEntries; ++g)
            ExpectSameGas(a.GasTable[c][g], b.GasTable[c][g], std::to_string(c) + "/" + std::to_string(g));
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
    for (const auto& l : LinesOf(text))
        if (l == line) return true;
    return false;
}

}  // namespace

TEST_F(WriteConfig, WrittenAndReadBack_GivesTheSameSettingsAndCountsTheRun) {
    const ProgramState source = FilledState();
    ASSERT_TRUE(WriteConfiguration(source, file_, 45000.5, true));
    ProgramState read;  // a state with none of the source's values
    EXPECT_EQ(ReadConfiguration(read, file_), ConfigReadResult::Complete);
    ExpectSameSettings(source, read);
    EXPECT_EQ(read.ExecuteCount, 42);
}

TEST_F(WriteConfig, RunCounterAtItsLargest_StaysReadable) {
    ProgramState source = FilledState();
    source.ExecuteCount = std::numeric_limits<Long>::max();
    ASSERT_TRUE(WriteConfiguration(source, file_, 45000.5, true));
    ProgramState read;
    EXPECT_EQ(ReadConfiguration(read, file_), ConfigReadResult::Complete);  // not stopped early
    ExpectSameSettings(source, read);
    EXPECT_EQ(read.ExecuteCount, std::numeric_limits<Long>::max());
}

TEST_F(WriteConfig, OffLevelsOfMinusOne_ReadBackAsNotSet) {
    ProgramState source;
    ApplyStartupDefaults(source, true);  // the default gases switch STEL and TWA of CH4 off with -1
    ASSERT_EQ(source.DefaultRecord.Stel(0), -1.0f);
    ASSERT_TRUE(WriteConfiguration(source, file_, 45000.0, true));
    ProgramState read;
    ReadConfiguration(read, file_);
    EXPECT_EQ(read.DefaultRecord.Stel(0), -101.0f);
    EXPECT_EQ(read.DefaultRecord.Twa(1), -101.0f);
    EXPECT_EQ(read.DefaultRecord.Stel(2), 15.0f);
}

TEST_F(WriteConfig, ZeroTimeoutDelayAndRetry_AreWrittenAsTheirDefaults) {
    ProgramState s;
    const std::string text = ConfigurationText(s, 45000.0, true);
    EXPECT_TRUE(HasLine(text, "Timeout\t3"));
    EXPECT_TRUE(HasLine(text, "Delay\t300"));
    EXPECT_TRUE(HasLine(text, "Retry\t3"));
    EXPECT_TRUE(HasLine(text, "Execute Count\t1"));
    EXPECT_TRUE(HasLine(text, "Serial Log File\tOFF"));
    EXPECT_TRUE(HasLine(text, "Graph Color\t0\t0\t0\t0\t1\t0\t0"));
    EXPECT_TRUE(HasLine(text, "Data Select\tFalse\tFalse\tFalse"));
    EXPECT_EQ(text.find("LIMITDAYS"), std::string::npos);  // written only when set
}

TEST_F(WriteConfig, ValueLines_HaveTheFilesFormat) {
    ProgramState s;
    ApplyStartupDefaults(s, true);
    const std::string text = ConfigurationText(s, *MakeDate({2026, 3, 4, 5, 6, 7}), true);
    const auto lines = LinesOf(text);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], ";");
    EXPECT_EQ(lines[1], ";            TZ-7300 Data logger program");
    EXPECT_EQ(lines[2], ";      Last update = 2026/03/04 05:06:07");
    EXPECT_TRUE(HasLine(text, "Gas Inst\t1\t'CH4'\tTRUE\tFalse\t0\t'%LEL'\t10\t50\t-1\t-1\t1\t100\t50\t50\t0"));
    EXPECT_TRUE(HasLine(text, "Gas Inst\t2\t'O2'\tTRUE\tFalse\t0\t'VOL%'\t19.5\t23.5\t-1\t-1\t0.1\t40\t12\t12\t0"));
    EXPECT_TRUE(HasLine(text, "Gas Inst\t5\t''\tFALSE\tFalse\t-101\t''\t-101\t-101\t-101\t-101\t0\t-101\t-101\t-101\t0"));
    EXPECT_TRUE(HasLine(text, "ChgGas\t1\t2\t'HC '\tTRUE\tFalse\t0\t'%LEL'\t10\t50\t-101\t-101\t1\t100\t50"));
    EXPECT_TRUE(HasLine(text, "Conv Param\t0.05\tFalse"));
    EXPECT_TRUE(HasLine(text, "Font\t'MS UI Gothic'\t9\tFalse\tFalse\tFalse"));
    EXPECT_TRUE(HasLine(text, "Calib. Range\t50\t12\t25\t50"));
    EXPECT_TRUE(HasLine(text, "DefaultValue1\t1\t1\t0\t0\t0\t0"));
    EXPECT_EQ(lines.back(), "ex4\t800\t1100");
    EXPECT_TRUE(HasLine(text, "ch0\t0\t1600"));
    EXPECT_TRUE(HasLine(text, "TZ-7300\t" + EncodeText(EncodeText(s.ProgramPassword))));
    int chgGasLines = 0;
    for (const auto& l : lines) chgGasLines += l.rfind("ChgGas\t", 0) == 0;
    EXPECT_EQ(chgGasLines, 6 * 16);  // an empty seventh slot and empty 17th entries are not written
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // lines end in CR LF
}

TEST_F(WriteConfig, TextsThatWouldBreakTheLine_ReadBackUnharmed) {
    ProgramState s;
    s.FactoryRecordSuffix = "";
    s.CommSettings = "a;b\tc";
    s.DefaultRecord.GasName(0, "O'Brien gas");
    s.DefaultRecord.GasUnit(0, "ppm\r\nx");
    s.DefaultRecord.Warning(0, 12);
    ASSERT_TRUE(WriteConfiguration(s, file_, 45000.0, false));
    ProgramState read;
    read.FactoryRecordSuffix = "old";
    EXPECT_EQ(ReadConfiguration(read, file_), ConfigReadResult::Complete);
    EXPECT_EQ(read.FactoryRecordSuffix, "");
    EXPECT_EQ(read.CommSettings, "a;b\tc");
    EXPECT_EQ(read.DefaultRecord.GasName(0), "O`Brien gas");
    EXPECT_EQ(read.DefaultRecord.GasUnit(0), "ppm  x");
    EXPECT_EQ(read.DefaultRecord.Warning(0), 12.0f);  // later values stay in their places
}

TEST_F(WriteConfig, ExistingFile_IsReplacedWholeWithoutLeftovers) {
    WriteRaw(std::string(100000, 'x'));
    ProgramState s;
    ASSERT_TRUE(WriteConfiguration(s, file_, 45000.0, true));
    EXPECT_EQ(ReadRaw(), ConfigurationText(s, 45000.0, true));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) ++files;
    EXPECT_EQ(files, 1u);
}

TEST_F(WriteConfig, WriteThatCannotComplete_LeavesWhatWasThereAndReportsFailure) {
    const std::filesystem::path occupied = folder_ / "occupied";
    std::filesystem::create_directories(occupied / "inside");  // a folder cannot be replaced
    EXPECT_FALSE(WriteConfiguration(ProgramState{}, occupied, 45000.0, true));
    EXPECT_TRUE(std::filesystem::is_directory(occupied / "inside"));
    EXPECT_FALSE(WriteConfiguration(ProgramState{}, folder_ / "missing" / ConfigFileName, 45000.0, true));
    // Nothing but the folder is left behind: no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
}

// ---- Folder choice ----

TEST_F(WriteConfig, ChooseWritableFolder_TakesTheFirstFolderAFileCanBeCreatedIn) {
    WriteRaw("a file, not a folder");
    const std::filesystem::path blocked = file_ / "sub";  // below a regular file: never creatable
    const std::filesystem::path user = folder_ / "user" / "config";
    EXPECT_EQ(ChooseWritableFolder({folder_, user}), folder_);
    EXPECT_EQ(ChooseWritableFolder({blocked, user}), user);
    EXPECT_TRUE(std::filesystem::is_directory(user));  // created for the program
    EXPECT_TRUE(std::filesystem::is_empty(user));       // no probe file left behind
    EXPECT_EQ(ChooseWritableFolder({blocked}), blocked);
    EXPECT_EQ(ChooseWritableFolder({}), std::filesystem::path{});
}

}  // namespace tz
