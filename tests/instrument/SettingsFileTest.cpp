#include "instrument/SettingsFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "instrument/FileTestFolder.h"

namespace tz {
namespace {

using testing::FileTestFolder;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

struct GasSetup {
    const char* name;
    Single fullScale, step;
    Integer decimals;
    const char* unit;
};

// A record with every setting of the file given a value, several of them 10 or more; channel 3
// is not enabled.
clsInstrument FullySetRecord() {
    clsInstrument r;
    const GasSetup gases[] = {{"LEL", 100, 1, 0, "%LEL"}, {"OXY", 25, 0.1f, 1, "vol%"},
                              {"H2S", 30, 0.1f, 1, "ppm"}, {"CO", 500, 1, 0, "ppm"},
                              {"PID", 2000, 1, 0, "ppm"},  {"HCN", 30, 0.1f, 1, "ppm"}};
    const Integer ports[] = {2, 3, 0, 1, 5, 4};
    for (Integer i = 0; i < 6; ++i) {
        const GasSetup& g = gases[i];
        r.GasEnabled(i, i != 3);
        r.GasName(i, g.name);
        r.GasFullScale(i, g.fullScale);
        r.GasDesit(i, g.step);
        r.GasPoint(i, g.decimals);
        r.GasUnit(i, g.unit);
        r.Warning(i, 10 + i);
        r.Alarm(i, 20 + i);
        r.Stel(i, g.decimals == 1 ? 15.5f : 15.0f);
        r.Twa(i, 12);
        r.AutoCalib(i, 50);
        r.SensorDate(i, "24011" + std::to_string(i));
        r.Zero(i, i % 2 == 0 ? 1 : 0);
        r.ZeroForce(i, static_cast<Integer>(10 + i));
        r.PortCh(i, ports[i]);
    }
    r.GasFullScale_l(4, 10);
    r.GasDigit_l(4, 0.01f);
    r.GasPoint_l(4, 2);
    r.GasUnit_l(4, "ppm");
    r.GasFullScale_l(5, NoValue);
    r.GasDigit_l(5, NoValue);
    r.GasPoint_l(5, NoValue);
    r.GasUnit_l(5, "");
    // A channel that is not fitted has no alarm points.
    r.Warning(3, NoValue);
    r.Alarm(3, NoValue);
    r.Stel(3, NoValue);
    r.Twa(3, NoValue);
    r.AutoCalib(3, NoValue);
    r.Warning(4, 5.25f);
    r.WarnIsLo(4, true);
    r.AlarmIsLo(5, true);
    r.Stel(2, NoValue);
    r.AlarmO2(2);
    r.AlarmMode(1);
    r.CalLimit(365);
    r.Intervals(600);
    r.DispCalLimit(1);
    r.CalCheck(2);
    r.LogOverWrite(1);
    r.LcdBackLight(30);
    r.AutoZero(1);
    r.DemandZero(1);
    r.UseMaintePassword(1);
    r.MaintePassword("4321");
    r.PasswordProtect(1);
    r.SpecType("1");
    r.DispBumpLimit(1);
    r.BumpLimit(30);
    r.BumpCheck(2);
    r.BumpTime(60);
    r.BumpThreshold(50);
    r.BumpFailCalTime(120);
    r.BumpFailAfter(1);
    r.BumpFunction(1);
    r.Confirmation(12);
    r.ConfirmationTime(15);
    r.SpecNo("STD-77");
    r.AlarmOnOff(1);
    r.LunchBreak(1);
    r.PumpOnOffDisp(10);
    r.DispID(11);
    r.AlarmSilence(1);
    r.PeakBar(12);
    r.BumpCheckALL(-1);
    r.CalCheckALL(1);
    r.InertMode(1);
    r.LcBhMode(3);
    r.BhTime(20);
    r.LcBuzzer(1);
    r.LcdContrast(200);
    r.IRRange(14);
    r.Inert1st(19.5f);
    r.Inert2nd(18);
    r.UseUserPassword(1);
    r.UserPassword2("pw12");
    r.Inverse(1);
    r.RemainTimeDisp(1);
    r.KeySound(1);
    r.Panic(1);
    r.ManDown(1);
    r.ManDown1(10);
    r.ManDown2(20);
    r.ManDown3(200);
    r.CSAdata(2);
    r.dlogOnOff(13);
    r.DateDispType(2);
    r.LangType(8);
    r.LeakCOdisp(1);
    r.SerialNo("SERIAL-1");
    r.StationID("STATION");
    r.StationList(0, "GATE 1");
    r.ClearChangeFlags();
    return r;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

clsInstrument Loaded(const std::string& text, std::vector<std::string>* unknown = nullptr) {
    clsInstrument record;
    LoadSettingsText(record, text, [&](const std::string& code) {
        if (unknown) unknown->push_back(code);
    });
    return record;
}

TEST(SettingsFileSave, FiftyThreeLinesInOrderEachEndingWithComma) {
    FileTestFolder folder;
    SaveSettingsFile(FullySetRecord(), folder / "a.seq");
    const auto lines = SplitLines(ReadWholeFile(folder / "a.seq"));
    ASSERT_EQ(lines.size(), 53u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(0, 5), std::string(SettingsFileCodes[i]) + ",W,");
        EXPECT_EQ(lines[i].back(), ',') << lines[i];
    }
    EXPECT_EQ(lines.front().substr(0, 5), "AT,W,");
    EXPECT_EQ(lines.back().substr(0, 5), "UO,W,");
    EXPECT_FALSE(std::filesystem::exists(folder / "a.seq.tmp"));
}

TEST(SettingsFileSave, LinesThatDifferFromTheWriteCommands) {
    const clsInstrument record = FullySetRecord();
    EXPECT_EQ(SettingsFileLine("U9", record), "U9,W,2,");
    // Ports by enabled channel, not by the port value.
    EXPECT_EQ(SettingsFileLine("UG", record), "UG,W,2,3,0,F,5,4,");
    EXPECT_EQ(SettingsFileLine("BW", record), "BW,W,-1,");
    EXPECT_EQ(SettingsFileLine("SC", record), "SC,W,016D,");
    EXPECT_EQ(SettingsFileLine("A1", record),
              "A1,W,   10, 11.0, 12.0,*****, 5.25, 15.0,L,H,");
    EXPECT_THROW(SettingsFileLine("IN", record), std::invalid_argument);
}

TEST(SettingsFileRoundTrip, SaveLoadSaveGivesTheIdenticalFile) {
    FileTestFolder folder;
    const clsInstrument original = FullySetRecord();
    SaveSettingsFile(original, folder / "first.seq");
    clsInstrument loaded;
    std::vector<std::string> unknown;
    LoadSettingsFile(loaded, folder / "first.seq",
                     [&](const std::string& code) { unknown.push_back(code); });
    SaveSettingsFile(loaded, folder / "second.seq");
    EXPECT_TRUE(unknown.empty());
    EXPECT_EQ(ReadWholeFile(folder / "second.seq"), ReadWholeFile(folder / "first.seq"));
}

// Files the program writes load back into the same file, whatever the record holds: a record
// never set, and one whose values the file writes as no value.
TEST(SettingsFileRoundTrip, RecordsWithoutValues_LoadBackAsSaved) {
    clsInstrument noValues = FullySetRecord();
    noValues.Inert1st(NoValue);
    noValues.Inert2nd(-5);
    for (Integer gas = 0; gas < 6; ++gas) noValues.Stel(gas, NoValue);
    for (const clsInstrument& record : {clsInstrument{}, noValues}) {
        const std::string saved = SettingsFileText(record);
        clsInstrument loaded;
        LoadSettingsText(loaded, saved);
        EXPECT_EQ(SettingsFileText(loaded), saved);
    }
}

// Loading the "GJ" line clears the levels of a channel it names not fitted; a record that holds
// levels for such a channel (as after a read whose gas information reply was refused) must not
// save a file that loads into something else.
TEST(SettingsFileRoundTrip, LevelsOfANotFittedChannel_AreSavedAsNoValue) {
    clsInstrument record = FullySetRecord();  // channel 3 is not enabled
    record.Warning(3, 13);
    record.Alarm(3, 40);
    record.AutoCalib(3, 50);
    EXPECT_EQ(SettingsFileLine("A1", record), "A1,W,   10, 11.0, 12.0,*****, 5.25, 15.0,L,H,");
    EXPECT_EQ(SettingsFileLine("A2", record).substr(0, 29), "A2,W,   20, 21.0, 22.0,*****,");
    const std::string saved = SettingsFileText(record);
    for (clsInstrument into : {record, clsInstrument{}}) {
        LoadSettingsText(into, saved);
        EXPECT_EQ(SettingsFileText(into), saved);
        EXPECT_EQ(into.Warning(3), NoValue);
    }
}

// A record whose enabled channels have no port yet, and texts with DEL as a read can leave
// them: the file loads and saves as it is.
TEST(SettingsFileRoundTrip, ChannelsWithoutPortAndTextsWithDel_SaveAsTheyLoad) {
    clsInstrument record = FullySetRecord();  // ports 2, 3, 0, 1, 5, 4; channel 3 not enabled
    record.PortCh(1, -1);
    record.PortCh(4, 9);
    record.MaintePassword(std::string("12\x7F" "4"));
    // As loading assigns them: channel 1 takes 1, the disabled channel 3 takes 3, channel 4 takes 5.
    EXPECT_EQ(SettingsFileLine("UG", record), "UG,W,2,1,0,F,5,4,");
    const std::string saved = SettingsFileText(record);
    clsInstrument loaded;
    LoadSettingsText(loaded, saved);
    EXPECT_EQ(SettingsFileText(loaded), saved);
    EXPECT_EQ(loaded.PortCh(1), 1);
    EXPECT_EQ(loaded.MaintePassword(), std::string("12\x7F" "4"));
}

// A second range without a full scale (as a new record or a gas information reply of six
// fields leaves it) loads as absent, so it is saved as absent: its unit column is blank.
TEST(SettingsFileRoundTrip, SecondRangeWithoutFullScale_IsSavedAsAbsent) {
    clsInstrument record = FullySetRecord();
    record.GasFullScale_l(4, NoValue);
    record.GasDigit_l(4, 0.5f);
    record.GasUnit_l(4, "-101");
    const std::string line = SettingsFileLine("GJ", record);
    EXPECT_NE(line.find(",PID        **********    ,"), std::string::npos) << line;
    const std::string saved = SettingsFileText(record);
    for (clsInstrument into : {record, clsInstrument{}}) {
        LoadSettingsText(into, saved);
        EXPECT_EQ(SettingsFileText(into), saved);
        EXPECT_EQ(into.GasUnit_l(4), "");
    }
}

// A gas information line refused for any of its fields changes no channel.
TEST(SettingsFileLoad, GasInfoLineCutShort_IsRefusedWhole) {
    clsInstrument record = FullySetRecord();
    const std::string line = SettingsFileLine("GJ", record);
    const std::string cut = line.substr(0, line.rfind(',', line.size() - 2) + 1);  // no last field
    clsInstrument into;
    EXPECT_THROW(LoadSettingsText(into, cut + "\r\n"), SettingsFileError);
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_FALSE(into.GasEnabled(gas)) << gas;
    EXPECT_FALSE(into.Change_GasEnable(0));
}

TEST(SettingsFileRoundTrip, EverySettingSurvivesIncludingDecimalFieldsOfTenAndMore) {
    const clsInstrument a = FullySetRecord();
    const clsInstrument b = Loaded(SettingsFileText(a));
    using Get = Integer (clsInstrument::*)() const;
    const std::pair<const char*, Get> options[] = {
        {"AlarmO2", &clsInstrument::AlarmO2}, {"AlarmMode", &clsInstrument::AlarmMode},
        {"CalLimit", &clsInstrument::CalLimit}, {"Intervals", &clsInstrument::Intervals},
        {"DispCalLimit", &clsInstrument::DispCalLimit}, {"CalCheck", &clsInstrument::CalCheck},
        {"LogOverWrite", &clsInstrument::LogOverWrite},
        {"LcdBackLight", &clsInstrument::LcdBackLight}, {"AutoZero", &clsInstrument::AutoZero},
        {"DemandZero", &clsInstrument::DemandZero},
        {"UseMaintePassword", &clsInstrument::UseMaintePassword},
        {"PasswordProtect", &clsInstrument::PasswordProtect},
        {"DispBumpLimit", &clsInstrument::DispBumpLimit}, {"BumpLimit", &clsInstrument::BumpLimit},
        {"BumpCheck", &clsInstrument::BumpCheck}, {"BumpTime", &clsInstrument::BumpTime},
        {"BumpThreshold", &clsInstrument::BumpThreshold},
        {"BumpFailCalTime", &clsInstrument::BumpFailCalTime},
        {"BumpFailAfter", &clsInstrument::BumpFailAfter},
        {"BumpFunction", &clsInstrument::BumpFunction},
        {"Confirmation", &clsInstrument::Confirmation},
        {"ConfirmationTime", &clsInstrument::ConfirmationTime},
        {"AlarmOnOff", &clsInstrument::AlarmOnOff}, {"LunchBreak", &clsInstrument::LunchBreak},
        {"PumpOnOffDisp", &clsInstrument::PumpOnOffDisp}, {"DispID", &clsInstrument::DispID},
        {"AlarmSilence", &clsInstrument::AlarmSilence}, {"PeakBar", &clsInstrument::PeakBar},
        {"BumpCheckALL", &clsInstrument::BumpCheckALL},
        {"CalCheckALL", &clsInstrument::CalCheckALL}, {"InertMode", &clsInstrument::InertMode},
        {"LcBhMode", &clsInstrument::LcBhMode}, {"BhTime", &clsInstrument::BhTime},
        {"LcBuzzer", &clsInstrument::LcBuzzer}, {"LcdContrast", &clsInstrument::LcdContrast},
        {"IRRange", &clsInstrument::IRRange},
        {"UseUserPassword", &clsInstrument::UseUserPassword},
        {"Inverse", &clsInstrument::Inverse}, {"RemainTimeDisp", &clsInstrument::RemainTimeDisp},
        {"KeySound", &clsInstrument::KeySound}, {"Panic", &clsInstrument::Panic},
        {"ManDown", &clsInstrument::ManDown}, {"ManDown1", &clsInstrument::ManDown1},
        {"ManDown2", &clsInstrument::ManDown2}, {"ManDown3", &clsInstrument::ManDown3},
        {"CSAdata", &clsInstrument::CSAdata}, {"dlogOnOff", &clsInstrument::dlogOnOff},
        {"DateDispType", &clsInstrument::DateDispType}, {"LangType", &clsInstrument::LangType},
        {"LeakCOdisp", &clsInstrument::LeakCOdisp},
    };
    for (const auto& [name, get] : options) EXPECT_EQ((b.*get)(), (a.*get)()) << name;
    EXPECT_EQ(b.MaintePassword(), "4321");
    EXPECT_EQ(b.UserPassword2(), "pw12");
    EXPECT_EQ(b.SpecType(), "1");
    EXPECT_EQ(b.SpecNo(), "STD-77");
    EXPECT_FLOAT_EQ(b.Inert1st(), 19.5f);
    EXPECT_FLOAT_EQ(b.Inert2nd(), 18.0f);
    for (Integer i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b.GasEnabled(i), a.GasEnabled(i));
        EXPECT_EQ(b.Zero(i), a.Zero(i));
        EXPECT_EQ(b.ZeroForce(i), a.ZeroForce(i));
        EXPECT_EQ(b.PortCh(i), a.PortCh(i));
        EXPECT_FLOAT_EQ(b.Warning(i), a.Warning(i));
        EXPECT_FLOAT_EQ(b.Alarm(i), a.Alarm(i));
        EXPECT_FLOAT_EQ(b.Stel(i), a.Stel(i));
        EXPECT_FLOAT_EQ(b.Twa(i), a.Twa(i));
        EXPECT_FLOAT_EQ(b.AutoCalib(i), a.AutoCalib(i));
        if (!a.GasEnabled(i)) continue;
        EXPECT_EQ(b.GasName(i), a.GasName(i));
        EXPECT_EQ(b.GasUnit(i), a.GasUnit(i));
        EXPECT_EQ(b.GasPoint(i), a.GasPoint(i));
        EXPECT_FLOAT_EQ(b.GasFullScale(i), a.GasFullScale(i));
        EXPECT_FLOAT_EQ(b.GasDesit(i), a.GasDesit(i));
        EXPECT_EQ(b.SensorDate(i), a.SensorDate(i));
    }
    EXPECT_TRUE(b.WarnIsLo(4));
    EXPECT_TRUE(b.AlarmIsLo(5));
    EXPECT_FALSE(b.WarnIsLo(5));
    EXPECT_FLOAT_EQ(b.GasFullScale_l(4), 10);
    EXPECT_FLOAT_EQ(b.GasDigit_l(4), 0.01f);
    EXPECT_EQ(b.GasPoint_l(4), 2);
    EXPECT_EQ(b.GasUnit_l(4), "ppm");
    EXPECT_FLOAT_EQ(b.GasFullScale_l(5), NoValue);
    // Identity values are not in the file.
    EXPECT_EQ(b.SerialNo(), clsInstrument().SerialNo());
    EXPECT_EQ(b.StationList(0), clsInstrument().StationList(0));
}

TEST(SettingsFileLoad, SetsTheChangeFlagsOfWhatItAssigns) {
    const clsInstrument b = Loaded(SettingsFileText(FullySetRecord()));
    EXPECT_TRUE(b.Change_KeySound());
    EXPECT_TRUE(b.Change_CalLimit());
    EXPECT_TRUE(b.Change_PortCh());
    EXPECT_TRUE(b.Change_Warn(0));
    EXPECT_TRUE(b.Change_GasEnable(5));
    EXPECT_TRUE(b.Change_ZeroForce(3));
    EXPECT_FALSE(b.Change_IRRange());
    EXPECT_FALSE(b.Change_SerialNo());
    EXPECT_FALSE(b.Change_StationID());
    EXPECT_FALSE(b.Change_UserList(0));
}

TEST(SettingsFileLoad, PortsWithoutNumberTakeTheLowestFreeOne) {
    const clsInstrument r = Loaded("UG,W,F,0,1,F,2,3,\r\n");
    const Integer expected[] = {4, 0, 1, 5, 2, 3};
    for (Integer i = 0; i < 6; ++i) EXPECT_EQ(r.PortCh(i), expected[i]) << i;
}

TEST(SettingsFileLoad, MaskedAlarmPointLoadsAsNoValue) {
    const clsInstrument r = Loaded("A2,W,*****,   20,   30,   40,   50,   60,H,L,\r\nA3,W,*****,\r\n");
    EXPECT_FLOAT_EQ(r.Alarm(0), NoValue);
    EXPECT_FLOAT_EQ(r.Inert1st(), NoValue);
    EXPECT_FLOAT_EQ(r.Alarm(1), 20);
    EXPECT_FLOAT_EQ(r.Alarm(5), 60);
    EXPECT_FALSE(r.AlarmIsLo(4));
    EXPECT_TRUE(r.AlarmIsLo(5));
}

TEST(SettingsFileLoad, FieldsReadAsTheyAreWritten) {
    const clsInstrument r = Loaded(
        "PO,W,10,\r\nXI,W,11,\r\nEB,W,12,\r\nFF,W,13,\r\nX7,W,14,\r\nXB,W,15,0F,\r\n"
        "US,W,10,11,12,13,14,15,\r\nPS,W,240101,******,240103,240104,240105,240106,\r\n"
        "SC,W,016D,\r\njz,w,1,\r\nBS,W,  STD 9  ,\r\nUZ,W,101,\r\n");
    EXPECT_EQ(r.PumpOnOffDisp(), 10);
    EXPECT_EQ(r.DispID(), 11);
    EXPECT_EQ(r.PeakBar(), 12);
    EXPECT_EQ(r.IRRange(), 13);
    EXPECT_EQ(r.dlogOnOff(), 14);
    EXPECT_EQ(r.Confirmation(), 15);
    EXPECT_EQ(r.ConfirmationTime(), 15);
    for (Integer i = 0; i < 6; ++i) EXPECT_EQ(r.ZeroForce(i), 10 + i);
    EXPECT_EQ(r.SensorDate(1), "******");
    EXPECT_EQ(r.CalLimit(), 365);
    EXPECT_EQ(r.KeySound(), 1);
    EXPECT_EQ(r.SpecNo(), "STD 9");
    const Integer zero[] = {1, 0, 1, 0, 0, 0};
    for (Integer i = 0; i < 6; ++i) EXPECT_EQ(r.Zero(i), zero[i]) << i;
}

TEST(SettingsFileLoad, UnknownCodeIsReportedAndTheLoadGoesOn) {
    std::vector<std::string> unknown;
    const clsInstrument r = Loaded("JZ,W,1,\r\nzq,W,5,\r\nCP,W,0,\r\nKL,W,1,\r\n", &unknown);
    EXPECT_EQ(unknown, std::vector<std::string>{"ZQ"});
    EXPECT_EQ(UnknownCodeMessage("ZQ"), "unknown ZQ");
    EXPECT_EQ(r.KeySound(), 1);
    EXPECT_EQ(r.Inverse(), 1);
}

TEST(SettingsFileLoad, ReturnsTheCodesOfTheLinesAppliedOnceInFileOrder) {
    clsInstrument r;
    EXPECT_EQ(LoadSettingsText(r, "jz,W,1,\r\nZQ,W,5,\r\n; note\r\nKL,W,1,\r\nJZ,W,0,\r\n"),
              (std::vector<std::string>{"JZ", "KL"}));
    EXPECT_EQ(LoadSettingsText(r, SettingsFileText(r)).size(), SettingsFileCodes.size());
}

TEST(SettingsFileLoad, BlankAndCommentLinesAreSkipped) {
    std::vector<std::string> unknown;
    clsInstrument r;
    LoadSettingsText(r, "\r\n; written by hand\r\nAT,W,2,\r\n   \r\nJZ,W,1,\r\n\r\n",
                     [&](const std::string& code) { unknown.push_back(code); });
    EXPECT_TRUE(unknown.empty());
    EXPECT_EQ(r.AlarmO2(), 2);
    // A blank line does not apply the line before it again.
    r.AlarmO2(0);
    LoadSettingsText(r, "AT,W,2,\r\nAP,W,1,\r\n\r\n");
    EXPECT_EQ(r.AlarmO2(), 2);
    r.AlarmO2(0);
    LoadSettingsText(r, "AT,W,2,\n\nJZ,W,0,\n");
    EXPECT_EQ(r.KeySound(), 0);
    EXPECT_EQ(r.AlarmO2(), 2);
}

TEST(SettingsFileLoad, MissingTrailingFieldsReadAsEmptyNotAsTheLineBefore) {
    const clsInstrument r = Loaded("MP,W,1,4321,\r\nMO,W,1,\r\nUJ,W,\r\n");
    EXPECT_EQ(r.MaintePassword(), "4321");
    EXPECT_EQ(r.UserPassword2(), "");
    EXPECT_EQ(r.SpecType(), "");
}

struct MalformedCase {
    const char* name;
    std::string badLine;
};

class SettingsFileMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(SettingsFileMalformed, StopsTheLoadNamingTheLineAndKeepsEarlierLines) {
    clsInstrument r;
    const std::string text = "JZ,W,1,\r\n\r\n" + GetParam().badLine + "\r\nKL,W,1,\r\n";
    try {
        LoadSettingsText(r, text);
        FAIL() << "no error";
    } catch (const SettingsFileError& error) {
        EXPECT_EQ(error.LineNumber(), 3);
        EXPECT_EQ(error.Line(), GetParam().badLine);
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
    EXPECT_EQ(r.KeySound(), 1);
    EXPECT_FALSE(r.Change_Inverse());
}

std::string ManyFields(int count) {
    std::string line = "US,W,";
    for (int i = 0; i < count; ++i) line += "1,";
    return line;
}

const MalformedCase kMalformedCases[] = {
    {"DecimalNotNumber", "PO,W,abc,"},
    {"DecimalTooLarge", "AP,W,99999,"},
    {"DecimalMissing", "AP,W,"},
    {"HexNotHex", "SC,W,01G0,"},
    {"HexTooLarge", "XP,W,12345,"},
    {"NumberNotNumber", "A3,W,1e5,"},
    {"PortOutOfRange", "UG,W,0,1,2,3,4,6,"},
    {"NegativePort", "UG,W,-1,0,1,2,3,4,"},
    {"GasInfoNumbers", "GJ,W,CO         abcde    1ppm ,"},
    {"GasInfoFullScaleTooWide", "GJ,W,O2         32050  0.1vol%,"},
    // A gas value field holds a number or the no-value mark "*****", nothing else.
    {"LevelWithLetterO", "A1,W,   1O, 11.0, 12.0,*****, 5.25, 15.0,L,H,"},
    {"LevelAsWord", "A2,W,   20,  off,   22,   23,   24,   25,H,H,"},
    {"LevelFourStars", "AS,W,   20,   21,****,   23,   24,   25,H,H,"},
    {"LevelDashes", "AW,W,   20,   21,   22,   23,   24,-----,H,H,"},
    {"LevelFieldsMissing", "SA,W,   50,   50,"},
    {"LevelRangeMarker", "A1,W,   10,   11,   12,   13,   14,   15,X,H,"},
    {"LevelRangeMarkerMissing", "A1,W,   10,   11,   12,   13,   14,   15,L,"},
    {"InertNotNumber", "A3,W,  abc,"},
    {"InertMissing", "A4,W,"},
    {"FlagNotNumber", "SJ,W,on,"},
    {"FlagMissing", "PG,W,"},
    {"ZeroDigitsNotBits", "UZ,W,10x100,"},
    {"ZeroDigitsTooMany", "UZ,W,1010101,"},
    {"PortLetter", "UG,W,0,1,2,3,4,x,"},
    {"PortMissing", "UG,W,0,1,2,"},
    {"HexFieldMissing", "BU,W,05,0A,"},
    {"NotText", std::string("AT,W,1\0\x01\x02,", 10)},
    {"TooManyFields", ManyFields(300)},
};

INSTANTIATE_TEST_SUITE_P(Lines, SettingsFileMalformed, ::testing::ValuesIn(kMalformedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileFailures, MissingFileIsAnError) {
    FileTestFolder folder;
    clsInstrument r;
    EXPECT_THROW(LoadSettingsFile(r, folder / "none.seq"), SettingsFileError);
}

TEST(SettingsFileFailures, SaveIntoMissingFolderFailsAndLeavesNothing) {
    FileTestFolder folder;
    EXPECT_THROW(SaveSettingsFile(FullySetRecord(), folder / "no" / "a.seq"), SettingsFileError);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(SettingsFileFailures, SaveReplacesAnEarlierFileWhole) {
    FileTestFolder folder;
    WriteWholeFile(folder / "a.seq", std::string(5000, 'x'));
    SaveSettingsFile(FullySetRecord(), folder / "a.seq");
    EXPECT_EQ(ReadWholeFile(folder / "a.seq"), SettingsFileText(FullySetRecord()));
}

TEST(SettingsFileFailures, SaveThatCannotReplaceTheTargetRemovesItsTemporaryFile) {
    FileTestFolder folder;
    // A folder of that name cannot be replaced by a file.
    std::filesystem::create_directories(folder / "a.seq" / "inside");
    EXPECT_THROW(SaveSettingsFile(FullySetRecord(), folder / "a.seq"), SettingsFileError);
    EXPECT_FALSE(std::filesystem::exists(folder / "a.seq.tmp"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a.seq" / "inside"));
}

}  // namespace
}  // namespace tz
