// DecodeReply: the general checks and the reply table, through tables of replies.
#include <gtest/gtest.h>

#include <functional>

#include "instrument/clsInstrument.h"
#include "link/Frame.h"
#include "link/ReplyDecoder.h"
#include "text/DateTime.h"
#include "text/SharedHelpers.h"

namespace tz {
namespace {

class FakeHost : public IReplyHost {
public:
    void LogLine(const std::string& text) override { lines.push_back(text); }
    Date Now() const override { return now; }
    const std::string& LastFrame() const override { return lastFrame; }
    void SetAcknowledged(bool value) override { acknowledged = value; }
    void SetZeroResult(const std::string& value) override { zeroResult = value; }
    void SetSpanResult(const std::string& value) override { spanResult = value; }
    void ModelRecognised() override { ++models; }
    void GasReadings(const std::array<Single, 6>& values, bool lo5, bool lo6) override {
        readings = values;
        lowMarks = {lo5, lo6};
        ++densty;
    }

    std::vector<std::string> lines;
    Date now = *MakeDate({2026, 1, 1, 0, 0, 0});
    std::string lastFrame;
    bool acknowledged = false;
    std::string zeroResult = "unset", spanResult = "unset";
    int models = 0, densty = 0;
    std::array<Single, 6> readings{};
    std::array<bool, 2> lowMarks{};
};

struct Decoded {
    bool accepted;
    std::string data;
};

class Decoder : public ::testing::Test {
protected:
    Decoded Decode(const std::string& body, char terminator = EOT) { return DecodeFrame(BuildFrame(body, terminator)); }
    Decoded DecodeFrame(const std::string& frame) {
        Decoded d{};
        d.accepted = DecodeReply(frame, &record, host, d.data);
        return d;
    }
    bool Logged(const std::string& line) const {
        return std::find(host.lines.begin(), host.lines.end(), line) != host.lines.end();
    }

    clsInstrument record;
    FakeHost host;
};

std::string Ack(const std::string& codeAndLetter) { return codeAndLetter + "," + std::string(1, ACK); }

// ---- General checks ----

TEST_F(Decoder, ShortFrame_FormatError) {
    EXPECT_FALSE(DecodeFrame(std::string(1, STX) + "0001AP,R" + std::string(1, ETX) + "00" + std::string(1, EOT)).accepted);
    EXPECT_TRUE(Logged(FormatErrorLine));
}

TEST_F(Decoder, ChecksumMismatch_RefusedLoggedRecordUntouched) {
    std::string frame = BuildFrame("AP,R,3", EOT);
    frame[frame.size() - 2] = frame[frame.size() - 2] == '0' ? '1' : '0';
    record.AlarmMode(1);
    EXPECT_FALSE(DecodeFrame(frame).accepted);
    EXPECT_TRUE(Logged(ChecksumErrorLine));
    EXPECT_EQ(record.AlarmMode(), 1);
}

TEST_F(Decoder, ChecksumNotHexadecimal_Refused) {
    std::string frame = BuildFrame("AP,R,3", EOT);
    frame[frame.size() - 3] = 'G';
    EXPECT_FALSE(DecodeFrame(frame).accepted);
}

TEST_F(Decoder, UnknownCode_Refused) { EXPECT_FALSE(Decode("QQ,R,1").accepted); }

TEST_F(Decoder, MoreThan256Fields_RefusedWithoutCrash) {
    std::string body = "HA,R,";
    for (int i = 0; i < 300; ++i) body += "0001,";
    record.AnalogValue(0, 7);
    EXPECT_FALSE(Decode(body).accepted);
    EXPECT_EQ(record.AnalogValue(0), 7);
}

TEST_F(Decoder, NoRecord_OnlyRepliesThatStoreNothingAccepted) {
    std::string data;
    EXPECT_FALSE(DecodeReply(BuildFrame("AP,R,1", EOT), nullptr, host, data));
    EXPECT_TRUE(DecodeReply(BuildFrame("RC,R,TZ-7300", EOT), nullptr, host, data));
}

TEST_F(Decoder, ControlCharactersAndCrInData_StrippedAndSplit) {
    const Decoded d = Decode("A1,R,10\r20,30,40,50,60");
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.data, "10,20,30,40,50,60");
    EXPECT_FLOAT_EQ(record.Warning(1), 20.0f);
}

// ---- The reply table: one row per case ----

struct ReplyCase {
    const char* name;
    std::string body;
    bool accepted;
    std::function<void(const clsInstrument&, const FakeHost&)> check;
    std::string lastFrame = {};  // the command the reply answers, for write replies
    std::function<void(clsInstrument&)> before = {};
};

class DecoderTable : public Decoder, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(DecoderTable, Reply) {
    const ReplyCase& c = GetParam();
    host.lastFrame = c.lastFrame;
    if (c.before) c.before(record);
    EXPECT_EQ(Decode(c.body).accepted, c.accepted);
    if (c.check) c.check(record, host);
}

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

std::string PrintName(const ::testing::TestParamInfo<ReplyCase>& info) { return info.param.name; }

const Single kNoValue = static_cast<Single>(NoValue);

const ReplyCase kReplyCases[] = {
    // Alarm points: numbers, masks and status words; low marks only with eight fields.
    {"A1_NumberMaskStatusWord", "A1,R,50,*****,OVER,10,20,30", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_FLOAT_EQ(r.Warning(0), 50.0f);
         EXPECT_EQ(r.Warning(1), kNoValue);
         EXPECT_LT(r.Warning(2), -101.0f);
         EXPECT_FLOAT_EQ(r.Warning(5), 30.0f);
         EXPECT_FALSE(r.Change_Warn(0));
     },
     {}, [](clsInstrument& r) { r.Change_Warn(0, true); }},
    {"A1_WordNotNumber_ChannelKeptRefused", "A1,R,50,abc,1,2,3,4", false,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_FLOAT_EQ(r.Warning(1), 7.0f);
         EXPECT_FLOAT_EQ(r.Warning(2), 1.0f);
     },
     {}, [](clsInstrument& r) { r.Warning(1, 7.0f); }},
    {"A2_EightFields_LowMarks", "A2,R,1,2,3,4,5,6,L,H", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_TRUE(r.AlarmIsLo(4));
         EXPECT_FALSE(r.AlarmIsLo(5));
     },
     {}, [](clsInstrument& r) { r.AlarmIsLo(5, true); }},
    {"A2_SevenFields_LowMarksUntouched", "A2,R,1,2,3,4,5,6,L", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_FALSE(r.AlarmIsLo(4));
         EXPECT_TRUE(r.AlarmIsLo(5));
     },
     {}, [](clsInstrument& r) { r.AlarmIsLo(5, true); }},
    {"A1_FiveFields_MissingChannelRefused", "A1,R,1,2,3,4,5", false, nullptr},
    {"SA_AutoCalibration", "SA,R,50,20.9,25,50,100,5,H,L", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_FLOAT_EQ(r.AutoCalib(1), 20.9f);
         EXPECT_TRUE(r.AutoCalIsLo(5));
     }},
    {"A1_Write_RepeatedValues", "A1,W,50,*****,10,10,10,10", true, nullptr},
    {"A1_Write_BadField", "A1,W,50,xx,10,10,10,10", false, nullptr},

    // Options: decimal, hexadecimal, flags, numeric-then-hexadecimal.
    {"AP_Decimal", "AP,R, 2", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.AlarmMode(), 2); }},
    {"AP_NotNumeric_Refused", "AP,R,x", false, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.AlarmMode(), 9); },
     {}, [](clsInstrument& r) { r.AlarmMode(9); }},
    {"XT_HexNegative", "XT,R,FF6A", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.LcdBackLight(), -150); }},
    {"XP_HexClearsIntervalFlag", "XP,R,3C", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.Intervals(), 60);
         EXPECT_FALSE(r.Change_Interval());
     },
     {}, [](clsInstrument& r) { r.Change_Interval(true); }},
    {"PO_NumericThenHex", "PO,R,10", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.PumpOnOffDisp(), 16); }},
    {"PO_HexLettersFailNumericTest", "PO,R,0A", false, nullptr},
    {"SJ_Flag", "SJ,R,1", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.AutoZero(), 1); }},
    {"SJ_FlagOtherDigit", "SJ,R,2", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.AutoZero(), 0); }},
    {"VP_ThirtyTwoBit", "VP,R,123456", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.RomNumber(), 123456); }},
    {"AP_Overflow_ConversionCaught", "AP,R,99999", false, nullptr},
    {"CP_ThirtyTwoBitHex", "CP,R,0001E240", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.FlowLevel(), 123456); }},
    {"BU_FourFields", "BU,R,1E,0A,3C,5", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.BumpTime(), 30);
         EXPECT_EQ(r.BumpThreshold(), 10);
         EXPECT_EQ(r.BumpFailCalTime(), 60);
         EXPECT_EQ(r.BumpFailAfter(), 5);
     }},
    {"WB_WrongCount_FormatError", "WB,R,1,2,3", false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.lines, std::vector<std::string>{FormatErrorLine}); }},
    {"AN_FiveFields", "AN,R,1,0,A,B,C", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.Panic(), 1);
         EXPECT_EQ(r.ManDown3(), 12);
     }},
    {"FF_TwoFields_FormatError", "FF,R,1,2", false, nullptr},
    {"XB_TwoHexFields", "XB,R,1,1E", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.Confirmation(), 1);
         EXPECT_EQ(r.ConfirmationTime(), 30);
     }},

    // Write replies compare with the field the program sent.
    {"AP_Write_Equal", "AP,W,2", true, nullptr, BuildFrame("AP,W,2", EOT)},
    {"AP_Write_Different", "AP,W,3", false, nullptr, BuildFrame("AP,W,2", EOT)},
    {"PO_Write_EqualAsSentInDecimal", "PO,W,10", true, nullptr, BuildFrame("PO,W,10", EOT),
     [](clsInstrument& r) { r.PumpOnOffDisp(10); }},
    {"IN_Write_TextEqualAfterTrim", "IN,W,SN-1 ", true, nullptr, BuildFrame("IN,W,SN-1", EOT)},
    {"AP_Write_AnsweringOtherCommand", "AP,W,2", false, nullptr, BuildFrame("AT,W,2", EOT)},
    {"MP_Write_BothFields", "MP,W,1,1234", true, nullptr, BuildFrame("MP,W,1,1234", EOT)},
    {"MP_Write_SecondDiffers", "MP,W,1,9999", false, nullptr, BuildFrame("MP,W,1,1234", EOT)},
    {"US_Write_EachField", "US,W,1,2,3,4,5,6", true, nullptr, BuildFrame("US,W,1,2,3,4,5,6", EOT)},
    {"KL_Write_Accepted", "KL,W,anything", true, nullptr},

    // Texts and lists.
    {"IN_Trimmed", "IN,R,  SN-42  ", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.SerialNo(), "SN-42"); }},
    {"XS_OwnStation", "XS,R,****,HALL A", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.StationID(), "HALL A"); }},
    {"XS_ListEntryTextWithComma", "XS,R,001F,TANK 3, NORTH", true,
     [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.StationList(31), "TANK 3, NORTH"); }},
    {"XZ_UserEntry", "XZ,R,007F,SMITH", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.UserList(127), "SMITH"); }},
    {"XZ_IndexBeyondList_Refused", "XZ,R,0080,X", false, nullptr},
    {"G1_WholeData", "G1,R,a,b,c", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.PIDdata(), "a,b,c"); }},
    {"VS_HexAsText", "VS,R,A1B2", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.SUM(), "A1B2"); }},
    {"VS_NotHex_Refused", "VS,R,XYZ", false, nullptr},
    {"MP_FlagAndPassword", "MP,R,1,1234", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.UseMaintePassword(), 1);
         EXPECT_EQ(r.MaintePassword(), "1234");
     }},
    {"UJ_OneOrZeroOnly", "UJ,R,7", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.SpecType(), "0"); },
     {}, [](clsInstrument& r) { r.SpecType("0"); }},
    {"A3_Number", "A3,R,12.5", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_FLOAT_EQ(r.Inert1st(), 12.5f); }},

    // Clock.
    {"HC_LastSecondOf2025", "HC,R,251231235959", true,
     [](const clsInstrument& r, const FakeHost& h) {
         EXPECT_EQ(FormatGeneralDate(r.SysDate()), "2025/12/31 23:59:59");
         EXPECT_NEAR(r.SysDateOffset(), h.now - r.SysDate(), 1e-9);
     }},
    {"HC_Month13_RefusedLogged", "HC,R,251331000000", false,
     [](const clsInstrument& r, const FakeHost& h) {
         EXPECT_EQ(r.FailLine(), "HC,R");
         EXPECT_EQ(h.lines, std::vector<std::string>{std::string(ImproperDateLine) + "251331000000"});
     }},
    {"HC_ElevenDigits_RefusedSilently", "HC,R,25123123595", false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_TRUE(h.lines.empty()); }},
    {"HC_Write_WholeFrameEchoed", "HC,W,260101120000", true, nullptr, BuildFrame("HC,W,260101120000", EOT)},
    {"HC_Write_EchoDiffers", "HC,W,260101120001", false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.lines, std::vector<std::string>{ResponseErrorLine}); },
     BuildFrame("HC,W,260101120000", EOT)},

    // Zero, span and calibration confirmations.
    {"UZ_SixDigits", "UZ,R,101000", true,
     [](const clsInstrument& r, const FakeHost&) {
         const Integer expected[6] = {1, 0, 1, 0, 0, 0};
         for (Integer g = 0; g < 6; ++g) EXPECT_EQ(r.Zero(g), expected[g]);
     }},
    {"UZ_FiveDigits_FormatError", "UZ,R,10100", false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.lines, std::vector<std::string>{FormatErrorLine}); }},
    {"UZ_Write_SixCharacters", "UZ,W,101000", true, nullptr},
    {"UZ_Write_Short_ResponseError", "UZ,W,10", false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.lines, std::vector<std::string>{ResponseErrorLine}); }},
    {"US_SixHexFields", "US,R,1,2,3,4,5,A", true, [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.ZeroForce(5), 10); }},
    {"US_FiveFields_FormatError", "US,R,1,2,3,4,5", false, nullptr},
    {"SZ_Read_SixFields", "SZ,R,0,0,0,0,0,0", true, nullptr},
    {"SZ_Read_FiveFields_FormatError", "SZ,R,0,0,0,0,0", false, nullptr},
    {"SZ_Write_Ack", Ack("SZ,W"), true, nullptr},
    {"SZ_Write_Nak_ResponseError", "SZ,W," + std::string(1, NAK), false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.lines, std::vector<std::string>{ResponseErrorLine}); }},
    {"SZ_Confirm_ResultKept", "SZ,C,000100", true,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.zeroResult, "000100"); }},
    {"SZ_Confirm_Sub_StillRunning", "SZ,C," + std::string(1, SUB), true,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.zeroResult, ""); }},
    {"SZ_Confirm_OtherStatus_ResponseError", "SZ,C,X", false, nullptr},
    {"S1_SixFloats", "S1,R,3F800000,40000000,00000000,00000000,00000000,3F000000", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.SpanData(1), 2.0f);
         EXPECT_EQ(r.SpanData(5), 0.5f);
     }},
    {"S1_NotAFloat_ConversionCaught", "S1,R,3F800000,XYZ,0,0,0,0", false,
     [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.SpanData(0), 1.0f); }},
    {"S2_Write_SpanResult", "S2,W,001000", true,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.spanResult, "001000"); }},
    {"S1_Write_NoResult_Emptied", "S1,W,1", true, [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.spanResult, ""); }},
    {"XC_Confirm_FlagAck", Ack("XC,C"), true, [](const clsInstrument&, const FakeHost& h) { EXPECT_TRUE(h.acknowledged); }},
    {"XC_Confirm_Sub_NotDone", "XC,C," + std::string(1, SUB), true,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_FALSE(h.acknowledged); }},
    {"LR_Confirm_FlagAck", Ack("LR,C"), true, [](const clsInstrument&, const FakeHost& h) { EXPECT_TRUE(h.acknowledged); }},
    {"FB_Nak_RefusedSilently", "FB,R," + std::string(1, NAK), false,
     [](const clsInstrument&, const FakeHost& h) { EXPECT_TRUE(h.lines.empty()); }},

    // Connection and readings.
    {"RC_ModelNamed", "RC,R,TZ-7300,V1", true, [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.models, 1); }},
    {"RC_OtherModel", "RC,R,TZ-7000", false, [](const clsInstrument&, const FakeHost& h) { EXPECT_EQ(h.models, 0); }},
    {"DN_EightFields_ReadingsAndMarks", "DN,R,0,20.9,0,3,1.25,0.5,L,H", true,
     [](const clsInstrument& r, const FakeHost& h) {
         EXPECT_FLOAT_EQ(r.LimitValue(1), 20.9f);
         EXPECT_TRUE(r.LimitValueIsLo(4));
         EXPECT_EQ(h.densty, 1);
         EXPECT_FLOAT_EQ(h.readings[4], 1.25f);
         EXPECT_TRUE(h.lowMarks[0]);
         EXPECT_FALSE(h.lowMarks[1]);
     }},
    {"DN_StatusWord_ChannelKept", "DN,R,OVER,1,2,3,4,5", true,
     [](const clsInstrument& r, const FakeHost& h) {
         EXPECT_FLOAT_EQ(r.LimitValue(0), 8.0f);
         EXPECT_EQ(h.densty, 1);
     },
     {}, [](clsInstrument& r) { r.LimitValue(0, 8.0f); }},
    {"HA_SixteenHexFields_BadOneSkipped", "HA,R,0001,0002,zz,0004,0005,0006,0007,0008,0009,000A,000B,000C,000D,000E,000F,FF6A", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.AnalogValue(1), 2);
         EXPECT_EQ(r.AnalogValue(2), 3);
         EXPECT_EQ(r.AnalogValue(15), -150);
     },
     {}, [](clsInstrument& r) { r.AnalogValue(2, 3); }},

    // Sensor ports: fixed first, then the lowest free one.
    {"UG_PortAssignment", "UG,R,2,*,0,*,5,*", true,
     [](const clsInstrument& r, const FakeHost&) {
         const Integer expected[6] = {2, 1, 0, 3, 5, 4};
         for (Integer g = 0; g < 6; ++g) EXPECT_EQ(r.PortCh(g), expected[g]) << g;
         EXPECT_FALSE(r.Change_PortCh());
     },
     {}, [](clsInstrument& r) { r.Change_PortCh(true); }},

    // History: 22 characters per channel.
    {"SO_History", "SO,R,250102030405 12.5 50.0,250102030405  -    -  ,x,250102030405  0.0  0.0,250102030405  0.0  0.0,250102030405  0.0  0.0,HL,LL",
     true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(FormatGeneralDate(r.CalibDate(0)), "2025/01/02 03:04:05");
         EXPECT_FLOAT_EQ(r.CalibBefore(0), 12.5f);
         EXPECT_FLOAT_EQ(r.CalibAfter(0), 50.0f);
         EXPECT_EQ(r.CalibBefore(1), kNoValue);
         EXPECT_FLOAT_EQ(r.CalibAfter(2), 9.0f);  // wrong length: channel kept
         EXPECT_FALSE(r.BeforeIsLo(4));
         EXPECT_TRUE(r.AfterIsLo(4));
         EXPECT_TRUE(r.BeforeIsLo(5));
     },
     {}, [](clsInstrument& r) { r.CalibAfter(2, 9.0f); }},
    {"BO_FailWord", "BO,R,250102030405 FAIL 50.0", true,
     [](const clsInstrument& r, const FakeHost&) {
         EXPECT_EQ(r.BumpResult(0), kNoValue);
         EXPECT_FLOAT_EQ(r.BumpConcentration(0), 50.0f);
     }},
    {"SO_NonDigitDate_ConversionCaught", "SO,R,25x102030405 12.5 50.0", false, nullptr},

    // Sensor dates.
    {"PS_SixTexts", "PS,R,2401,2402,2403,2404,2405,2406", true,
     [](const clsInstrument& r, const FakeHost&) { EXPECT_EQ(r.SensorDate(5), "2406"); }},
    {"PS_FiveTexts_Refused", "PS,R,2401,2402,2403,2404,2405", false, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Replies, DecoderTable, ::testing::ValuesIn(kReplyCases), PrintName);

// ---- Gas descriptions and second-range factors ----

std::string GasField(const std::string& name, const std::string& fullScale, const std::string& step, const std::string& unit) {
    auto pad = [](std::string s, std::size_t n) {
        s.resize(n, ' ');
        return s;
    };
    auto right = [](const std::string& s, std::size_t n) { return std::string(n - s.size(), ' ') + s; };
    return pad(name, 10) + " " + right(fullScale, 5) + right(step, 5) + pad(unit, 4);
}

TEST_F(Decoder, GasInfo_SixChannelsDecodedAndFlagsCleared) {
    const std::string co = GasField("CO", "500", "1", "ppm");
    std::string body = "GJ,R,";
    for (int i = 0; i < 6; ++i) body += co + ",";
    record.Change_GasEnable(2, true);
    EXPECT_TRUE(Decode(body).accepted);
    EXPECT_EQ(record.GasName(5), "CO");
    EXPECT_FALSE(record.Change_GasEnable(2));
}

TEST_F(Decoder, GasInfo_FieldOfWrongLength_Refused) {
    const std::string co = GasField("CO", "500", "1", "ppm");
    EXPECT_FALSE(Decode("GJ,R," + co + "," + co + ",short," + co + "," + co + "," + co).accepted);
}

TEST_F(Decoder, GasInfo_NumberColumnsNotNumbers_ConversionCaughtEarlierChannelsKept) {
    const std::string co = GasField("CO", "500", "1", "ppm");
    const std::string bad = GasField("CO", "abcde", "1", "ppm");
    EXPECT_FALSE(Decode("GJ,R," + co + "," + bad + "," + co + "," + co + "," + co + "," + co).accepted);
    EXPECT_EQ(record.GasName(0), "CO");
    EXPECT_NE(record.GasName(2), "CO");
}

TEST_F(Decoder, SecondRangeFactors_RescaledByDecimals) {
    record.GasPoint(4, 1);
    record.GasPoint_l(4, 2);
    EXPECT_TRUE(Decode("GK,R," + SingleToHex(250.0f) + ",********").accepted);
    EXPECT_FLOAT_EQ(record.Factor_l(4), 25.0f);
    record.Factor_l(5, 3.0f);
    EXPECT_FLOAT_EQ(record.Factor_l(5), 3.0f);
}

TEST_F(Decoder, SecondRangeFactors_OtherCount_AcceptedWithoutStoring) {
    record.Factor_l(4, 3.0f);
    EXPECT_TRUE(Decode("GK,R," + SingleToHex(250.0f)).accepted);
    EXPECT_FLOAT_EQ(record.Factor_l(4), 3.0f);
}

}  // namespace
}  // namespace tz
