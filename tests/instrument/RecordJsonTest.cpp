#include "instrument/RecordJson.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "text/DateTime.h"

namespace tz {
namespace {

Date At(int y, int mo, int d, int h, int mi, int s) { return *MakeDate({y, mo, d, h, mi, s}); }

// A record in which every property differs from a fresh record's, with the awkward values a JSON
// form must carry: the ends of each integer range, -0, NaN, infinities, the smallest single,
// bytes above 127, quotes and control characters, dates before 1899 and with fractions.
clsInstrument FullRecord() {
    clsInstrument r;
    r.SerialNo("TZ\"7300\\42\x01");
    r.DummySerial("DUMMY-\xB1\xFF");
    r.StationID("STATION 7");
    r.UserID("USER 3");
    r.SpecNo("SP-12");
    r.SpecType("2");
    r.RomNumber(std::numeric_limits<Long>::max());
    r.SUM("A5F0");
    r.PIDver("PID 1.2");
    r.PID10ver("PID10 3.4");
    r.PIDdata("pd");
    r.SysDate(At(2026, 12, 10, 7, 5, 9));
    r.SysDateOffset(-2.75);
    r.Key("key");
    r.MessageString("message\r\n");
    r.FailLine("HC,R");
    r.CommFlags(true);
    r.ImportFlag(true);

    Integer k = 100;
#define TZ_SET_OPTION(Name) r.Name(k++);
    TZ_SET_OPTION(HcMode) TZ_SET_OPTION(AlarmMode) TZ_SET_OPTION(AlarmMode2)
    TZ_SET_OPTION(AlarmO2) TZ_SET_OPTION(AlarmOnOff) TZ_SET_OPTION(StelTwaOnOff)
    TZ_SET_OPTION(AIdata) TZ_SET_OPTION(AJdata) TZ_SET_OPTION(ABdata) TZ_SET_OPTION(CSAdata)
    TZ_SET_OPTION(RA) TZ_SET_OPTION(Intervals) TZ_SET_OPTION(DispID) TZ_SET_OPTION(CalLimit)
    TZ_SET_OPTION(DispCalLimit) TZ_SET_OPTION(CalCheck) TZ_SET_OPTION(CalCheckALL)
    TZ_SET_OPTION(BumpFunction) TZ_SET_OPTION(BumpLimit) TZ_SET_OPTION(DispBumpLimit)
    TZ_SET_OPTION(BumpCheck) TZ_SET_OPTION(BumpCheckALL) TZ_SET_OPTION(BumpTime)
    TZ_SET_OPTION(BumpThreshold) TZ_SET_OPTION(BumpFailAfter) TZ_SET_OPTION(BumpFailCalTime)
    TZ_SET_OPTION(BumpFailBehavior) TZ_SET_OPTION(SpanAllowance) TZ_SET_OPTION(LunchBreak)
    TZ_SET_OPTION(AlarmSilence) TZ_SET_OPTION(Confirmation) TZ_SET_OPTION(ConfirmationTime)
    TZ_SET_OPTION(LogOverWrite) TZ_SET_OPTION(LcdBackLight) TZ_SET_OPTION(autoBackLight)
    TZ_SET_OPTION(LcdContrast) TZ_SET_OPTION(Inverse) TZ_SET_OPTION(InertMode)
    TZ_SET_OPTION(LcBhMode) TZ_SET_OPTION(BhTime) TZ_SET_OPTION(LcBuzzer) TZ_SET_OPTION(IRRange)
    TZ_SET_OPTION(LangType) TZ_SET_OPTION(AutoZero) TZ_SET_OPTION(DemandZero)
    TZ_SET_OPTION(UseUserPassword) TZ_SET_OPTION(UseMaintePassword)
    TZ_SET_OPTION(PasswordProtect) TZ_SET_OPTION(dlogOnOff) TZ_SET_OPTION(PumpOnOffDisp)
    TZ_SET_OPTION(PeakBar) TZ_SET_OPTION(LeakCOdisp) TZ_SET_OPTION(Lc_PpmAuto)
    TZ_SET_OPTION(pressOffset) TZ_SET_OPTION(Battery) TZ_SET_OPTION(RemainTimeDisp)
    TZ_SET_OPTION(KeySound) TZ_SET_OPTION(ManDown) TZ_SET_OPTION(Panic) TZ_SET_OPTION(ManDown1)
    TZ_SET_OPTION(ManDown2) TZ_SET_OPTION(ManDown3) TZ_SET_OPTION(SHmode) TZ_SET_OPTION(FlowValue)
#undef TZ_SET_OPTION
                                                                        r.DateDispType(
                                                                            std::numeric_limits<
                                                                                Integer>::min());
    r.Inert1st(-0.0f);
    r.Inert2nd(std::numeric_limits<Single>::denorm_min());
    r.UserPassword2("1111");
    r.MaintePassword("2222");
    r.PasswordStr("3333");
    r.FlowLevel(std::numeric_limits<Long>::min());
    r.AdrealValue(std::numeric_limits<Single>::max());

    for (Integer i = 0; i < clsInstrument::AnalogSlots; ++i)
        r.AnalogValue(i, static_cast<Integer>(4000 - i * 250));
    for (Integer i = 0; i < clsInstrument::PortSlots; ++i) {
        r.LimitValue(i, 20.9f + static_cast<Single>(i));
        r.LimitValueIsLo(i, i % 2 == 1);
        r.PortCh(i, static_cast<Integer>((i + 2) % 7 - 1));
    }

    const Date calibDates[] = {
        At(2025, 3, 1, 9, 30, 0),  At(2025, 3, 1, 9, 30, 0) + 0.123 / 86400, -100.25, -0.5, 1e7,
        At(1900, 1, 1, 23, 59, 59)};
    for (Integer g = 0; g < clsInstrument::GasSlots; ++g) {
        const auto f = static_cast<Single>(g);
        r.Warning(g, 10.5f + f);
        r.Alarm(g, 50.25f + f);
        r.Stel(g, 0.1f * f);
        r.Twa(g, 1e-3f + f);
    }
    for (Integer g = 0; g < clsInstrument::GasChannels; ++g) {
        const auto f = static_cast<Single>(g);
        const bool odd = g % 2 == 1;
        r.GasName(g, "GAS" + std::to_string(g));
        r.GasEnabled(g, true);
        r.GasUnit(g, g == 1 ? "VOL%" : "ppm");
        r.GasFullScale(g, 100.0f * (f + 1));
        r.GasDesit(g, 0.5f);
        r.GasPoint(g, 1);
        r.AutoCalib(g, 25.0f + f);
        r.SpanData(g, 1.0625f * (f + 1));
        r.Ratio(g, 0.95f);
        r.Zero(g, static_cast<Integer>(-g - 1));
        r.OverScale(g, 32767);
        r.ZeroForce(g, 2);
        r.SensorDate(g, "2512" + std::to_string(10 + g));
        r.CalibDate(g, calibDates[g]);
        r.CalibBefore(g, -0.5f - f);
        r.CalibAfter(g, 12.0f + f);
        r.BumpDates(g, At(2026, 1, 2 + g, 10, 11, 12));
        r.BumpResult(g, g == 5 ? std::numeric_limits<Single>::infinity() : 3.0f);
        r.BumpConcentration(g, g == 4 ? -std::numeric_limits<Single>::infinity() : 50.0f);
        r.GasFullScale_l(g, 2000.0f);
        r.GasDigit_l(g, 0.1f);
        r.GasPoint_l(g, 3);
        r.GasUnit_l(g, "ppb");
        r.Factor_l(g, 1000.0f);
        r.WarnIsLo(g, true);
        r.AlarmIsLo(g, !odd);
        r.StelIsLo(g, odd);
        r.TwaIsLo(g, true);
        r.AutoCalIsLo(g, !odd);
        r.BeforeIsLo(g, odd);
        r.AfterIsLo(g, true);
        r.BumpResultIsLo(g, !odd);
        r.BumpConcentrationIsLo(g, odd);
        r.LogMax(g, 99.5f);
        r.LogMin(g, -1.5f);
        r.LogAvr(g, g == 5 ? std::numeric_limits<Single>::quiet_NaN() : 7.0f);
        r.LogMaxDate(g, At(2026, 6, 1 + g, 0, 0, 1));
        r.LogMinDate(g, At(1899, 1, 1 + g, 12, 0, 0));
    }
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        r.StationList(i, "ST-" + std::to_string(i) + (i == 127 ? "\xB1\xFF" : ""));
        r.UserList(i, "USR" + std::to_string(i));
    }

    // Change flags last, in patterns, since assigning values above sets some of them.
    r.SetChangeFlags(true, true);
    r.Change_FlowLevel(true);
    r.Change_pressOffset(true);
    r.Change_SerialNo(true);
    r.Change_DummySerial(true);
    for (Integer g = 0; g < clsInstrument::GasChannels; ++g) {
        const bool odd = g % 2 == 1;
        r.Change_Warn(g, odd);
        r.Change_Alarm(g, !odd);
        r.Change_GasPoint(g, g < 3);
        r.Change_SensorDate(g, g >= 3);
    }
    r.Change_ZeroForce(6, true);
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        r.Change_StationList(i, i % 3 == 0);
        r.Change_UserList(i, i % 5 == 0);
    }
    return r;
}

TEST(RecordJson, FullRecord_DiffersFromFreshRecordInEveryKey) {
    // Guards the round trip below: every key carries a value the fresh record does not have.
    const std::vector<std::string> keys = RecordJsonKeys();
    EXPECT_EQ(RecordDifferences(FullRecord(), clsInstrument()), keys);
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
}

TEST(RecordJson, RoundTrip_FullRecord_EqualRecord) {
    const clsInstrument full = FullRecord();
    const std::string text = RecordToJson(full);
    clsInstrument back;
    const RecordJsonResult result = RecordFromJson(text, back);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_TRUE(result.UnknownKeys.empty());
    EXPECT_EQ(RecordDifferences(full, back), std::vector<std::string>{});
    EXPECT_EQ(RecordToJson(back), text);
    // A few values checked directly, not through the JSON form.
    EXPECT_EQ(back.SerialNo(), full.SerialNo());
    EXPECT_EQ(back.StationList(127), "ST-127\xB1\xFF");
    EXPECT_TRUE(std::isnan(back.LogAvr(5)));
    EXPECT_TRUE(std::signbit(back.Inert1st()));
    EXPECT_EQ(back.Inert2nd(), std::numeric_limits<Single>::denorm_min());
    EXPECT_EQ(back.Warning(6), 16.5f);
    EXPECT_EQ(back.CalibDate(1), full.CalibDate(1));
    EXPECT_EQ(back.FlowLevel(), std::numeric_limits<Long>::min());
    EXPECT_TRUE(back.Change_Warn(1));
    EXPECT_FALSE(back.Change_Warn(2));
    EXPECT_TRUE(back.Change_ZeroForce(6));
    EXPECT_FALSE(back.Change_UserList(1));
}

TEST(RecordJson, FreshRecord_RoundTripsToo) {
    const clsInstrument fresh;
    clsInstrument back = FullRecord();
    ASSERT_TRUE(RecordFromJson(RecordToJson(fresh), back).Ok);
    EXPECT_EQ(RecordDifferences(fresh, back), std::vector<std::string>{});
}

TEST(RecordJson, Text_ShowsPropertyNamesArraysAndIsoDates) {
    const std::string text = RecordToJson(FullRecord());
    const char* fragments[] = {
        "\"SysDate\": \"2026-12-10T07:05:09\"",
        "\"SysDateOffset\": -2.75",
        "\"SerialNo\": \"TZ\\\"7300\\\\42\\u0001\"",
        "\"DummySerial\": \"DUMMY-\\u00b1\\u00ff\"",
        "\"GasEnabled\": [true, true, true, true, true, true]",
        "\"Warning\": [10.5, 11.5, 12.5, 13.5, 14.5, 15.5, 16.5]",
        // A fraction of a second is written to the nanosecond that reads back exactly.
        "\"CalibDate\": [\"2025-03-01T09:30:00\", \"2025-03-01T09:30:00.123000448\", "
        "\"1899-09-21T06:00:00\", -0.5, 1e+07, \"1900-01-01T23:59:59\"]",
        "\"LogAvr\": [7, 7, 7, 7, 7, \"NaN\"]",
        "\"BumpResult\": [3, 3, 3, 3, 3, \"Infinity\"]",
        "\"Inert1st\": -0",
        "\"RomNumber\": 2147483647",
        "\"Change_Warn\": [false, true, false, true, false, true]",
    };
    for (const char* fragment : fragments)
        EXPECT_NE(text.find(fragment), std::string::npos) << fragment;
    EXPECT_NE(
        RecordToJson(clsInstrument()).find("\"CalibDate\": [null, null, null, null, null, null]"),
        std::string::npos);
}

// Every property the record offers must have its key; the record's header is the list.
TEST(RecordJson, EveryPublicPropertyOfTheRecord_HasAKey) {
    const char* data = std::getenv("TZ_TEST_DATA");
    ASSERT_NE(data, nullptr);
    const std::filesystem::path header =
        std::filesystem::path(data) / ".." / ".." / "src" / "instrument" / "clsInstrument.h";
    std::ifstream in(header);
    ASSERT_TRUE(in) << header;
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    text = text.substr(0, text.find("private:"));

    const std::vector<std::string> keyList = RecordJsonKeys();
    const std::set<std::string> keys(keyList.begin(), keyList.end());
    const std::regex reader(R"((\w+)\((?:Integer \w+)?\) const;)");
    int found = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reader);
         it != std::sregex_iterator(); ++it, ++found)
        EXPECT_TRUE(keys.count((*it)[1])) << "no key for " << (*it)[1];
    EXPECT_EQ(static_cast<std::size_t>(found), keys.size());
}

struct DateCase {
    Date value;
    const char* iso;  // empty: no calendar date reproduces the value
};

TEST(DateToIso, WholeSecondsFractionsAndOutOfCalendar) {
    const DateCase cases[] = {
        {At(2026, 12, 10, 7, 5, 9), "2026-12-10T07:05:09"},
        {0.0, "1899-12-30T00:00:00"},
        {0.5, "1899-12-30T12:00:00"},
        {-100.25, "1899-09-21T06:00:00"},
        {At(2026, 12, 10, 0, 0, 0) + (7 * 3600 + 5 * 60 + 9.25) / 86400, "2026-12-10T07:05:09.250"},
        {At(100, 1, 1, 0, 0, 0), "0100-01-01T00:00:00"},
        {At(9999, 12, 31, 23, 59, 59), "9999-12-31T23:59:59"},
        {-0.5, ""},  // before 1899-12-30 with a time: the day count's sign cannot be kept
        {-0.0, ""},
        {At(100, 1, 1, 0, 0, 0) - 1, ""},
        {3e6, ""},
        {std::numeric_limits<Date>::quiet_NaN(), ""},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DateToIso(c.value), c.iso);
        Date back = 0;
        if (*c.iso) {
            ASSERT_TRUE(IsoToDate(c.iso, back));
            EXPECT_EQ(back, c.value);
        }
    }
}

TEST(DateToIso, AnyFractionOfASecond_ReadsBackExactly) {
    const Date base = At(2026, 12, 10, 7, 5, 9);
    for (double seconds : {0.25, 0.123, 1e-6, 0.999999}) {
        const Date value = base + seconds / 86400;
        const std::string iso = DateToIso(value);
        SCOPED_TRACE(iso);
        ASSERT_FALSE(iso.empty());
        Date back = 0;
        ASSERT_TRUE(IsoToDate(iso, back));
        EXPECT_EQ(back, value);
    }
}

TEST(IsoToDate, NotAnIsoLocalDateTime_Refused) {
    const char* texts[] = {
        "2026-12-10",           "2026-12-10 07:05:09",
        "2026/12/10T07:05:09",  "26-12-10T07:05:09",
        "2026-02-30T00:00:00",  "2026-12-10T24:00:00",
        "2026-12-10T07:60:00",  "2026-12-10T07:05:60",
        "2026-12-10T07:05:09Z", "2026-12-10T07:05:09+09:00",
        "2026-12-10T07:05:09.", "2026-12-10T07:05:09.1234567890",
        "2026-12-10T07:05:0x",  "",
    };
    for (const char* text : texts) {
        Date value = 0;
        EXPECT_FALSE(IsoToDate(text, value)) << text;
    }
}

struct BadValueCase {
    const char* json;
    const char* error;  // part of the error
};

TEST(RecordFromJson, ValueOfWrongKindOrRange_ErrorNamesKeyAndRecordUntouched) {
    const BadValueCase cases[] = {
        {"[]", "not an object"},
        {"{\"AlarmO2\": 70000}", "\"AlarmO2\": expected a whole number from -32768 to 32767"},
        {"{\"AlarmO2\": 1.5}", "\"AlarmO2\""},
        {"{\"AlarmO2\": \"1\"}", "\"AlarmO2\""},
        {"{\"RomNumber\": 2147483648}", "\"RomNumber\""},
        {"{\"Inert1st\": 1e39}", "\"Inert1st\": 1e39 is outside the range"},
        {"{\"Inert1st\": \"nan\"}", "\"Inert1st\""},
        {"{\"CommFlags\": 1}", "\"CommFlags\": expected true or false"},
        {"{\"SerialNo\": 5}", "\"SerialNo\": expected a text"},
        {"{\"SerialNo\": \"\\u4e00\"}",
         "\"SerialNo\": a text may hold only characters up to U+00FF"},
        {"{\"GasName\": [\"a\", \"b\"]}", "\"GasName\": expected an array of 6 entries"},
        {"{\"Warning\": [1, 2, 3, 4, 5, 6]}", "\"Warning\": expected an array of 7 entries"},
        {"{\"GasPoint\": [1, 2, 3, true, 5, 6]}", "\"GasPoint\": entry 3: expected a whole number"},
        {"{\"SysDate\": \"2026-13-01T00:00:00\"}",
         "\"SysDate\": \"2026-13-01T00:00:00\" is not a date"},
        {"{\"SysDate\": true}", "\"SysDate\""},
        {"{\"Change_Warn\": [1, 0, 0, 0, 0, 0]}",
         "\"Change_Warn\": entry 0: expected true or false"},
        {"{\"AlarmO2\": 1,}", "malformed JSON: expected a key"},
        {"{\"AlarmO2\": 1\n\"AlarmMode\": 2}", "at line 2, column 1"},
    };
    for (const BadValueCase& c : cases) {
        SCOPED_TRACE(c.json);
        clsInstrument rec = FullRecord();
        const RecordJsonResult result = RecordFromJson(c.json, rec);
        EXPECT_FALSE(result.Ok);
        EXPECT_NE(result.Error.find(c.error), std::string::npos) << result.Error;
        EXPECT_EQ(RecordDifferences(rec, FullRecord()), std::vector<std::string>{});
    }
}

TEST(RecordFromJson, PartialText_OtherValuesAndFlagsKept) {
    clsInstrument rec = FullRecord();
    rec.Change_AlarmO2(false);
    const RecordJsonResult result = RecordFromJson(
        "{\"AlarmO2\": 2, \"Warning\": [1, 2, 3, 4, 5, 6, 7], \"Change_Alarm\": [true, true, true, "
        "true, true, true], \"Colour\": \"red\", \"alarmo2\": 1}",
        rec);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.UnknownKeys, (std::vector<std::string>{"Colour", "alarmo2"}));
    EXPECT_EQ(rec.AlarmO2(), 2);
    EXPECT_EQ(rec.Warning(3), 4.0f);
    // Loading a value does not mark it changed; only the text's own flags do.
    EXPECT_FALSE(rec.Change_AlarmO2());
    EXPECT_TRUE(rec.Change_Warn(1));
    EXPECT_FALSE(rec.Change_Warn(2));
    EXPECT_TRUE(rec.Change_Alarm(1));
    EXPECT_EQ(rec.SerialNo(), FullRecord().SerialNo());
}

TEST(RecordFromJson, IsoDateAndDayCountAccepted) {
    clsInstrument rec;
    const RecordJsonResult result = RecordFromJson(
        "{\"SysDate\": \"2026-12-10T07:05:09\", \"LogMaxDate\": [null, 1.5, "
        "\"1899-12-30T06:00:00.5\", "
        "null, null, null]}",
        rec);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(rec.SysDate(), At(2026, 12, 10, 7, 5, 9));
    EXPECT_EQ(rec.LogMaxDate(0), -101.0);
    EXPECT_EQ(rec.LogMaxDate(1), 1.5);
    EXPECT_DOUBLE_EQ(rec.LogMaxDate(2), 6.0 / 24 + 0.5 / 86400);
}

TEST(RecordFromJson, DamagedText_FailsCleanlyOrReadsWholeValues) {
    const std::string text = RecordToJson(FullRecord());
    // Cut short anywhere: always an error, never a crash.
    for (std::size_t cut = 0; cut < text.size(); cut += text.size() / 211 + 1) {
        clsInstrument rec;
        EXPECT_FALSE(RecordFromJson(std::string_view(text).substr(0, cut), rec).Ok) << cut;
    }
    // One byte replaced: an error, or a record whose texts are still within one byte each.
    const char replacements[] = {'"', '}', ',', '\\', '\x80', '\0', '9', '['};
    std::size_t i = 0;
    for (std::size_t at = 1; at < text.size(); at += text.size() / 97 + 1, ++i) {
        std::string damaged = text;
        damaged[at] = replacements[i % sizeof replacements];
        clsInstrument rec;
        const RecordJsonResult result = RecordFromJson(damaged, rec);
        EXPECT_TRUE(result.Ok || !result.Error.empty()) << at;
    }
}

}  // namespace
}  // namespace tz
