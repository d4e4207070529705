#include <gtest/gtest.h>

#include "app/ConfigFileTestSupport.h"
#include "app/StartupDefaults.h"
#include "instrument/InstrumentSettings.h"
#include "text/Catalogue.h"

namespace tz {

TEST(StartupDefaults, AdCheckRanges_AreTheConverterRowsDefaults) {
    const std::array<AdCheckRange, AdCheckRows> expected = {{
        {0, 1600}, {452, 550}, {1003, 1480}, {874, 1103}, {1331, 2092}, {1300, 2092}, {1200, 2092},
        {1200, 2092}, {4100, 4250}, {4100, 4250}, {1040, 1160}, {-100, 100}, {-100, 100}, {800, 1100},
    }};
    EXPECT_EQ(DefaultAdCheckRanges(), expected);
    ProgramState s;
    s.AdCheck[0] = {1400, 1600};
    InitWindowDefaults(s, true);
    EXPECT_EQ(s.AdCheck, expected);
}

TEST(StartupDefaults, AutoCalConcentrations_FromTheRecordOrTheDefaultsWhereItHasNone) {
    ProgramState s;
    const Single own[6] = {50, -101, 25, 0, -101, 7.5f};
    const Single defaults[6] = {40, 12, 10, 100, -101, 3};
    for (Integer c = 0; c < 6; ++c) {
        s.Instrument.AutoCalib(c, own[c]);
        s.DefaultRecord.AutoCalib(c, defaults[c]);
    }
    TakeAutoCalConcentrations(s);
    EXPECT_EQ(s.FactoryAutoCalib, (std::array<Single, 6>{50, 12, 25, 0, -101, 7.5f}));
}

TEST(StartupDefaults, GasTable_EmptiesTheFirstEightKindsAndEntersTheBuiltInGases) {
    ProgramState s;
    for (auto& channel : s.GasTable)
        for (auto& e : channel) e = {true, "old", true, "u", 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    ApplyGasTableDefaults(s);
    EXPECT_EQ(s.FactoryAutoCalib, (std::array<Single, 6>{-101, -101, -101, -101, -101, -101}));

    const GasTableEntry& hc = s.GasTable[0][1];
    EXPECT_TRUE(hc.Enabled);
    EXPECT_EQ(hc.GasName, "HC ");
    EXPECT_EQ(hc.GasUnit, "%LEL");
    EXPECT_EQ(hc.Stel, -101.0f);
    EXPECT_EQ(hc.Zero, 1);
    const GasTableEntry& o2 = s.GasTable[1][0];
    EXPECT_EQ(o2.GasName, "O2");
    EXPECT_EQ(o2.GasPoint, 1);
    EXPECT_EQ(o2.Warning, 19.5f);
    EXPECT_EQ(o2.Alarm, 23.5f);
    EXPECT_EQ(o2.GasDesit, 0.1f);
    EXPECT_EQ(o2.GasFullScale, 40.0f);
    EXPECT_EQ(o2.AutoCalib, 12.0f);
    EXPECT_EQ(o2.Zero, 0);
    const GasTableEntry& h2sLow = s.GasTable[2][1];
    EXPECT_EQ(h2sLow.Warning, 1.0f);
    EXPECT_EQ(h2sLow.GasFullScale, 30.0f);
    EXPECT_EQ(s.GasTable[3][0].GasName, "CO");
    EXPECT_EQ(s.GasTable[3][0].Stel, 200.0f);

    EXPECT_FALSE(s.GasTable[4][0].Enabled);  // emptied, no built-in gas
    EXPECT_EQ(s.GasTable[4][0].GasName, "");
    EXPECT_EQ(s.GasTable[0][7].GasName, "");
    EXPECT_EQ(s.GasTable[0][8].GasName, "old");  // kinds 9 to 17 are left alone
    EXPECT_EQ(s.GasTable[6][16].GasName, "old");
}

TEST(StartupDefaults, InitWindowDefaults_FillsOnlyWhatIsNotSet) {
    ProgramState s;
    s.CalibRange = {0, 7, 0, 0};
    s.PrtWidth = {0.5f, 100};
    s.CalUnitOnWait = 10;
    s.DefaultRecord.GasFullScale(1, 25);
    s.DefaultRecord.GasName(1, "mine");
    s.FactoryAutoCalib.fill(-101);
    InitWindowDefaults(s, true);

    EXPECT_EQ(s.ConvParam.Factor, 0.05f);
    EXPECT_FALSE(s.ConvParam.Enabled);
    EXPECT_EQ(s.ConvParam.UnitNames[0], "%LEL");
    EXPECT_EQ(s.ConvParam.UnitNames[1], "VOL%");
    EXPECT_EQ(s.CalibRange, (std::array<Single, 4>{50, 7, 25, 50}));
    EXPECT_EQ(s.PrtWidth, (std::array<Single, 2>{1, 100}));
    EXPECT_EQ(s.CalUnitOnWait, 10);
    EXPECT_EQ(s.CalSpanOnWait, 90);
    EXPECT_EQ(s.CalSpanOffWait, 45);
    EXPECT_TRUE(s.CompletelyView);
    EXPECT_EQ(s.ProgramPassword, "8640");  // only an empty password is replaced

    const clsInstrument& r = s.DefaultRecord;
    EXPECT_EQ(r.GasName(0), "CH4");
    EXPECT_TRUE(r.GasEnabled(0));
    EXPECT_EQ(r.GasPoint(0), 0);
    EXPECT_EQ(r.Stel(0), -1.0f);
    EXPECT_EQ(r.GasName(1), "mine");  // a channel with a full scale keeps its gas
    EXPECT_EQ(s.FactoryAutoCalib[1], -101.0f);
    EXPECT_EQ(r.GasName(2), "H2S");
    EXPECT_EQ(r.Stel(2), 15.0f);
    EXPECT_EQ(r.Twa(2), 10.0f);
    EXPECT_EQ(r.GasDesit(2), 0.5f);
    EXPECT_EQ(r.AutoCalib(3), 100.0f);
    EXPECT_EQ(s.FactoryAutoCalib[3], 100.0f);
    EXPECT_EQ(r.GasName(4), "");  // channels 4 and 5 have no default gas
}

TEST(StartupDefaults, ConversionFactorThatIsSet_IsKept) {
    ProgramState s;
    s.ConvParam.Factor = 0.2f;
    InitWindowDefaults(s, true);
    EXPECT_EQ(s.ConvParam.Factor, 0.2f);
}

TEST(StartupDefaults, EmptyPassword_BecomesTheDefaultOfTheLanguage) {
    for (const auto& [english, expected] : {std::pair{true, "qmv"}, std::pair{false, "Tolba"}}) {
        ProgramState s;
        s.ProgramPassword.clear();
        InitWindowDefaults(s, english);
        EXPECT_EQ(s.ProgramPassword, expected);
    }
}

TEST(StartupDefaults, LanguageOfTheCatalogue_ChoosesThePassword) {
    const Language before = ActiveLanguage();
    for (const auto& [language, expected] : {std::pair{Language::English, "qmv"}, std::pair{Language::Japanese, "Tolba"}}) {
        SetLanguage(language);
        ProgramState s;
        s.ProgramPassword.clear();
        InitWindowDefaults(s);
        EXPECT_EQ(s.ProgramPassword, expected);
    }
    SetLanguage(before);
}

TEST(StartupDefaults, LinkAndCreationDefaults) {
    ProgramState s;
    ApplyCreationDefaults(s);
    ApplyLinkDefaults(s);
    EXPECT_EQ(s.CommSettings, "921600,n,8,1");
    EXPECT_EQ(s.Timeout, 3);
    EXPECT_EQ(s.Retry, 3);
    EXPECT_EQ(s.TrendSearch, (std::array<Integer, 2>{-30, 45}));
}

using StartupThenConfig = ConfigFolderTest;

TEST_F(StartupThenConfig, FileValues_ReplaceTheDefaults) {
    ResetProgram();
    ProgramState& p = Program();
    p.ProgramFolder = folder_;
    ApplyStartupDefaults(p, true);
    EXPECT_EQ(SharedInstrumentSettings().ConvParam, 0.05f);
    ReadLines(p, "Timeout\t9\nch0\t1400\t1600\nConv Param\t0.3\tFalse\n"
                 "Gas Inst\t1\t'HC '\tTRUE\tFalse\t0\t'%LEL'\t5\t10\t-1\t-1\t1\t100\t40\t41\t0\n");
    EXPECT_EQ(p.Timeout, 9);
    EXPECT_EQ(p.Retry, 3);
    EXPECT_EQ(p.AdCheck[0], (AdCheckRange{1400, 1600}));
    EXPECT_EQ(p.DefaultRecord.GasName(0), "HC ");
    EXPECT_EQ(p.FactoryAutoCalib[0], 41.0f);
    EXPECT_EQ(SharedInstrumentSettings().ConvParam, 0.3f);  // the instrument layer follows

    // The program's own calls use the program folder.
    EXPECT_TRUE(WriteConfiguration());
    p.Timeout = 1;
    EXPECT_EQ(ReadConfiguration(), ConfigReadResult::Complete);
    EXPECT_EQ(p.Timeout, 9);
    ResetProgram();
}

}  // namespace tz
