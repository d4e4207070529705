#include <functional>
#include <random>

#include "app/ConfigFileTestSupport.h"
#include "app/ConfigValues.h"

namespace tz {

using ReadConfig = ConfigFolderTest;

TEST_F(ReadConfig, MissingFile_ReadsNothing) {
    ProgramState s;
    s.Timeout = 7;
    EXPECT_EQ(ReadConfiguration(s, file_), ConfigReadResult::NoFile);
    EXPECT_EQ(s.Timeout, 7);
    EXPECT_FALSE(std::filesystem::exists(file_));  // reading never creates the file
}

TEST_F(ReadConfig, CommentsEmptyLinesAndUnknownKeys_ChangeNothing) {
    ProgramState s;
    s.Timeout = 7;
    s.ProgramPassword = "pw";
    EXPECT_EQ(ReadLines(s, ";\n; Timeout\t5\n\n\t\t\nTimeout\nUnknown\t1\nGraph Color\t1\t2\nData Select\tTrue\n"),
              ConfigReadResult::Complete);
    EXPECT_EQ(s.Timeout, 7);
    EXPECT_EQ(s.ProgramPassword, "pw");
}

TEST_F(ReadConfig, KeysInAnyCaseAndNumbersWithSpaces_AreRecognised) {
    ProgramState s;
    ReadLines(s, "timeout\t 5 \nRETRY\t2\nch13\t-7\t  9\nEX4\t1\t2\nExEcUtE CoUnT\t+12\n");
    EXPECT_EQ(s.Timeout, 5);
    EXPECT_EQ(s.Retry, 2);
    EXPECT_EQ(s.AdCheck[9], (AdCheckRange{-7, 9}));
    EXPECT_EQ(s.AdCheck[13], (AdCheckRange{1, 2}));
    EXPECT_EQ(s.ExecuteCount, 12);
}

TEST_F(ReadConfig, LfOnlyLinesAndMissingFinalLineBreak_AreRead) {
    ProgramState s;
    WriteRaw("Timeout\t4\nRetry\t6");
    EXPECT_EQ(ReadConfiguration(s, file_), ConfigReadResult::Complete);
    EXPECT_EQ(s.Timeout, 4);
    EXPECT_EQ(s.Retry, 6);
}

struct FallbackCase {
    const char* line;
    std::function<bool(const ProgramState&)> holds;
};

TEST_F(ReadConfig, ValuesThatAreNotNumbers_TakeTheKeysFallback) {
    const FallbackCase cases[] = {
        {"Execute Count\tx", [](const ProgramState& s) { return s.ExecuteCount == 0; }},
        {"IrCOMM Num\tx", [](const ProgramState& s) { return s.IrCommNum == 4; }},
        {"Timeout\tabc", [](const ProgramState& s) { return s.Timeout == 3; }},
        {"Delay\tx", [](const ProgramState& s) { return s.Delay == 100; }},
        {"Retry\t1e5", [](const ProgramState& s) { return s.Retry == 3; }},
        {"LIMITDAYS\tx", [](const ProgramState& s) { return s.LimitDays == 0; }},
        {"Font\t'Arial'\tbig\tTrue\ttrue\tFALSE",
         [](const ProgramState& s) {
             const auto& f = s.ProgramFont;
             return f.Name == "Arial" && f.Size == 9.0f && f.Bold && f.Weight == 700 && f.Italic && !f.Underline;
         }},
        {"Calib. Range\tx\t1.5\tx\t2",
         [](const ProgramState& s) { return s.CalibRange == std::array<Single, 4>{0, 1.5f, 0, 2}; }},
        {"Conv Param\tabc\tFalse", [](const ProgramState& s) { return s.ConvParam.Factor == 0.2f; }},
        {"CalUnitOnWait\tx", [](const ProgramState& s) { return s.CalUnitOnWait == 120; }},
        {"CalSpanOnWait\tx", [](const ProgramState& s) { return s.CalSpanOnWait == 120; }},
        {"CalSpanOffWait\tx", [](const ProgramState& s) { return s.CalSpanOffWait == 30; }},
        {"Size Values\tx\tx\tx",
         [](const ProgramState& s) {
             return s.WindowState == 0 && s.WindowWidth == 7680 && s.WindowHeight == 5760;
         }},
        {"Prt Width\tx\tx", [](const ProgramState& s) { return s.PrtWidth == std::array<Single, 2>{1, 1}; }},
        {"Trend Search\tx\tx",
         [](const ProgramState& s) { return s.TrendSearch == std::array<Integer, 2>{0, 0}; }},
        {"DefaultValue1\tx\tx\tx\tx\tx\tx",
         [](const ProgramState& s) {
             const auto& r = s.DefaultRecord;
             return r.CalLimit() == 90 && r.LcdBackLight() == 30 && r.AlarmMode() == 1 && r.Intervals() == 5 &&
                    r.DispCalLimit() == 0 && r.CalCheck() == 0;
         }},
        {"DefaultValue2\tx\tx\tx\tx\tx\tx",
         [](const ProgramState& s) {
             const auto& r = s.DefaultRecord;
             return r.LogOverWrite() == 1 && r.FlowValue() == 128 && r.AlarmO2() == 1 && r.AutoZero() == 0 &&
                    r.DemandZero() == 1 && r.UseUserPassword() == 0;
         }},
    };
    for (const FallbackCase& c : cases) {
        ProgramState s;
        s.ExecuteCount = s.IrCommNum = s.Timeout = s.Delay = s.Retry = s.LimitDays = 55;
        s.CalUnitOnWait = s.CalSpanOnWait = s.CalSpanOffWait = s.WindowState = 55;
        s.ConvParam.Factor = s.WindowWidth = s.WindowHeight = 55;
        s.PrtWidth = {55, 55};
        s.TrendSearch = {55, 55};
        s.CalibRange = {55, 55, 55, 55};
        s.ProgramFont.Size = 55;
        for (auto* r : {&s.DefaultRecord}) {
            r->CalLimit(55), r->LcdBackLight(55), r->AlarmMode(55), r->Intervals(55), r->DispCalLimit(55);
            r->CalCheck(55), r->LogOverWrite(55), r->FlowValue(55), r->AlarmO2(55), r->AutoZero(55);
            r->DemandZero(55), r->UseUserPassword(55);
        }
        EXPECT_EQ(ReadLines(s, std::string(c.line) + "\n"), ConfigReadResult::Complete) << c.line;
        EXPECT_TRUE(c.holds(s)) << c.line;
    }
}

TEST_F(ReadConfig, Flags_AreTrueOnlyForTheirWord) {
    const std::pair<const char*, bool> logCases[] = {{"on", true}, {"ON", true}, {"On", true},
                                                     {"OFF", false}, {"TRUE", false}, {"1", false}};
    for (const auto& [value, expected] : logCases) {
        ProgramState s;
        s.SerialLogFile = !expected;
        ReadLines(s, std::string("Serial Log File\t") + value + "\n");
        EXPECT_EQ(s.SerialLogFile, expected) << value;
    }
    ProgramState s;
    s.CompletelyView = true;
    ReadLines(s, "Auto Load Mode\ttrue\tFalse\nCompletely View\tyes\n");
    EXPECT_TRUE(s.AutoLoad);
    EXPECT_FALSE(s.AutoRemoveData);
    EXPECT_FALSE(s.CompletelyView);
}

TEST_F(ReadConfig, MissingValues_KeepTheirSettings) {
    ProgramState s;
    s.WindowWidth = 1234;
    s.WindowHeight = 4321;
    s.DefaultRecord.CalCheck(9);
    ReadLines(s, "Size Values\t2\nDefaultValue1\t10\t20\nTrend Search\t-30\n");
    EXPECT_EQ(s.WindowState, 2);
    EXPECT_EQ(s.WindowWidth, 1234);
    EXPECT_EQ(s.WindowHeight, 4321);
    EXPECT_EQ(s.DefaultRecord.CalLimit(), 10);
    EXPECT_EQ(s.DefaultRecord.LcdBackLight(), 20);
    EXPECT_EQ(s.DefaultRecord.CalCheck(), 9);
    EXPECT_EQ(s.TrendSearch[0], -30);
}

TEST_F(ReadConfig, TextValues_KeepSpacesInsideApostrophes) {
    ProgramState s;
    ReadLines(s, "Font\t'MS UI Gothic'\t10.5\nFactory Record Suffix\t_lab 2\nCOMM Settings\t9600,n,8,1\n");
    EXPECT_EQ(s.ProgramFont.Name, "MS UI Gothic");
    EXPECT_EQ(s.ProgramFont.Size, 10.5f);
    EXPECT_EQ(s.FactoryRecordSuffix, "_lab 2");
    EXPECT_EQ(s.CommSettings, "9600,n,8,1");
}

TEST_F(ReadConfig, PasswordLine_IsDecodedTwice) {
    ProgramState s;
    ReadLines(s, "TZ-7300\t" + EncodeText(EncodeText("Secret 7")) + "\n");
    EXPECT_EQ(s.ProgramPassword, "Secret 7");
}

TEST_F(ReadConfig, GasInst_FillsDefaultRecordAndChannelTables) {
    ProgramState s;
    ReadLines(s, "Gas Inst\t3\t'H2S'\tTRUE\tTrue\t1\t'ppm'\t10\t30\t-1\t-1\t0.5\t100\t10\t25\t255\n"
                 "Gas Inst\t6\t'PID gas'\tfalse\tFalse\t2\t'ppb'\t1.5\t2.5\t3\t4\t0.01\t50\t5\t6\t-1\n");
    const clsInstrument& r = s.DefaultRecord;
    EXPECT_EQ(r.GasName(2), "H2S");
    EXPECT_TRUE(r.GasEnabled(2));
    EXPECT_TRUE(s.GasLocked[2]);
    EXPECT_EQ(r.GasPoint(2), 1);
    EXPECT_EQ(r.GasUnit(2), "ppm");
    EXPECT_EQ(r.Warning(2), 10.0f);
    EXPECT_EQ(r.Alarm(2), 30.0f);
    EXPECT_EQ(r.Stel(2), -101.0f);  // -1 is stored as "not set"
    EXPECT_EQ(r.Twa(2), -101.0f);
    EXPECT_EQ(r.GasDesit(2), 0.5f);
    EXPECT_EQ(r.GasFullScale(2), 100.0f);
    EXPECT_EQ(r.AutoCalib(2), 10.0f);
    EXPECT_EQ(s.FactoryAutoCalib[2], 25.0f);
    EXPECT_EQ(s.GraphColor[2], 255);

    EXPECT_EQ(r.GasName(5), "PID gas");
    EXPECT_FALSE(r.GasEnabled(5));
    EXPECT_FALSE(s.GasLocked[5]);
    EXPECT_EQ(r.Stel(5), 3.0f);
    EXPECT_EQ(r.Twa(5), 4.0f);
    EXPECT_EQ(r.GasDesit(5), 0.01f);
    EXPECT_EQ(s.GraphColor[5], -1);
}

TEST_F(ReadConfig, GasInstWithoutChannelNumber_IsSkippedAndReadingGoesOn) {
    ProgramState s;
    s.DefaultRecord.GasName(0, "kept");
    EXPECT_EQ(ReadLines(s, "Gas Inst\tone\t'CH4'\nTimeout\t8\n"), ConfigReadResult::Complete);
    EXPECT_EQ(s.DefaultRecord.GasName(0), "kept");
    EXPECT_EQ(s.Timeout, 8);
}

TEST_F(ReadConfig, ChgGas_FillsTheGasTableEntry) {
    ProgramState s;
    ReadLines(s, "ChgGas\t7\t17\t'HC '\tTRUE\tTrue\t0\t'%LEL'\t10\t50\t-1\t-1\t1\t100\t50\n");
    const GasTableEntry& e = s.GasTable[6][16];
    EXPECT_EQ(e.GasName, "HC ");
    EXPECT_TRUE(e.Enabled);
    EXPECT_TRUE(e.Locked);
    EXPECT_EQ(e.GasPoint, 0);
    EXPECT_EQ(e.GasUnit, "%LEL");
    EXPECT_EQ(e.Warning, 10.0f);
    EXPECT_EQ(e.Alarm, 50.0f);
    EXPECT_EQ(e.Stel, -101.0f);
    EXPECT_EQ(e.Twa, -101.0f);
    EXPECT_EQ(e.GasDesit, 1.0f);
    EXPECT_EQ(e.GasFullScale, 100.0f);
    EXPECT_EQ(e.AutoCalib, 50.0f);
}

TEST_F(ReadConfig, ChgGasWithoutTwoNumbers_IsSkippedAndReadingGoesOn) {
    for (const char* line : {"ChgGas\tx\t1\t'A'", "ChgGas\t1\tx\t'A'", "ChgGas\t1"}) {
        ProgramState s;
        EXPECT_EQ(ReadLines(s, std::string(line) + "\nRetry\t9\n"), ConfigReadResult::Complete) << line;
        EXPECT_EQ(s.GasTable[0][0].GasName, "") << line;
        EXPECT_EQ(s.Retry, 9) << line;
    }
}

TEST_F(ReadConfig, ValuesThatMayNotStand_EndTheReadingAndKeepWhatWasRead) {
    const char* stoppers[] = {
        "Timeout\t40000",                 // beyond 16 bits
        "Timeout\t-32769",
        "Execute Count\t99999999999",     // beyond 32 bits
        "Calib. Range\t1000000000000000000000000000000000000000000",  // beyond single precision
        "ch0\tabc\t5",                    // A/D values have no fallback
        "ex2\t1\t70000",
        "Gas Inst\t0\t'X'",
        "Gas Inst\t7\t'X'",
        "ChgGas\t8\t1\t'X'",
        "ChgGas\t1\t18\t'X'",
        "ChgGas\t0\t1\t'X'",
    };
    for (const char* line : stoppers) {
        ProgramState s;
        const auto result = ReadLines(s, std::string("Retry\t5\n") + line + "\nDelay\t77\n");
        EXPECT_EQ(result, ConfigReadResult::Stopped) << line;
        EXPECT_EQ(s.Retry, 5) << line;
        EXPECT_EQ(s.Delay, 0) << line;  // lines after the stop are not read
    }
}

TEST_F(ReadConfig, IntegerValuesWithDecimals_RoundHalfToEven) {
    ProgramState s;
    ReadLines(s, "Timeout\t2.5\nRetry\t3.5\nDelay\t-1.6\n");
    EXPECT_EQ(s.Timeout, 2);
    EXPECT_EQ(s.Retry, 4);
    EXPECT_EQ(s.Delay, -2);
}

TEST_F(ReadConfig, LineWithMoreThan256Tokens_EndsTheReadingCleanly) {
    ProgramState s;
    std::string many = "Calib. Range";
    for (int i = 0; i < 300; ++i) many += "\t1";
    EXPECT_EQ(ReadLines(s, "Retry\t5\n" + many + "\nDelay\t7\n"), ConfigReadResult::Stopped);
    EXPECT_EQ(s.Retry, 5);
    EXPECT_EQ(s.Delay, 0);
}

TEST_F(ReadConfig, TruncatedFile_IsReadAsFarAsItGoes) {
    ProgramState source;
    source.ExecuteCount = 41;
    source.CommSettings = "9600,n,8,1";
    source.AdCheck[13] = {5, 6};
    const std::string full = ConfigurationText(source, 45000.0, true);
    const std::size_t cut = full.find("Retry");  // cut off in the middle of the communication lines
    ASSERT_NE(cut, std::string::npos);
    WriteRaw(full.substr(0, cut + 3));
    ProgramState s;
    EXPECT_EQ(ReadConfiguration(s, file_), ConfigReadResult::Complete);
    EXPECT_EQ(s.ExecuteCount, 42);
    EXPECT_EQ(s.CommSettings, "9600,n,8,1");
    EXPECT_EQ(s.AdCheck[13], AdCheckRange{});

    // Every cut of the file reads without fault.
    for (std::size_t at = 0; at < full.size(); at += 97) {
        WriteRaw(full.substr(0, at));
        ProgramState t;
        const auto result = ReadConfiguration(t, file_);
        EXPECT_TRUE(result == ConfigReadResult::Complete || result == ConfigReadResult::Stopped) << at;
    }
}

TEST_F(ReadConfig, BinaryGarbage_NeverFaults) {
    std::mt19937 random(7300);
    for (int round = 0; round < 60; ++round) {
        std::string bytes(1 + random() % 4000, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 256);
        // Some rounds are garbage that starts like real value lines.
        if (round % 3 == 0) bytes = "ChgGas\t1\t1\t'" + bytes;
        if (round % 3 == 1) bytes = "TZ-7300\t" + bytes;
        WriteRaw(bytes);
        ProgramState s;
        const auto result = ReadConfiguration(s, file_);
        EXPECT_NE(result, ConfigReadResult::NoFile);
    }
}

TEST_F(ReadConfig, FolderInPlaceOfFile_ReadsNothing) {
    std::filesystem::create_directories(file_);
    ProgramState s;
    EXPECT_EQ(ReadConfiguration(s, file_), ConfigReadResult::NoFile);
}

}  // namespace tz
