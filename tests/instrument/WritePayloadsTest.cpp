#include "instrument/WritePayloads.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace tz {
namespace {

TEST(WritePayloadsEncodings, HexKeepsRightmostDigitsAndShowsNegativeAsTwosComplement) {
    EXPECT_EQ(EncodeHex(300, 2), "2C");
    EXPECT_EQ(EncodeHex(10, 4), "000A");
    EXPECT_EQ(EncodeHex(365, 4), "016D");
    EXPECT_EQ(EncodeHex(0, 2), "00");
    EXPECT_EQ(EncodeHex(-1, 4), "FFFF");
    EXPECT_EQ(EncodeHex(-1, 2), "FF");
    EXPECT_EQ(EncodeHex(32767, 4), "7FFF");
}

TEST(WritePayloadsEncodings, DecBitFixAndNum) {
    EXPECT_EQ(EncodeDec(0), "0");
    EXPECT_EQ(EncodeDec(-101), "-101");
    EXPECT_EQ(EncodeDec(123456), "123456");
    EXPECT_EQ(EncodeBit(0), "0");
    EXPECT_EQ(EncodeBit(2), "1");
    EXPECT_EQ(EncodeBit(-1), "1");
    EXPECT_EQ(EncodeFix("AB", 4), "AB  ");
    EXPECT_EQ(EncodeFix("ABCDEF", 4), "ABCD");
    EXPECT_EQ(EncodeFix("", 3), "   ");
    EXPECT_EQ(EncodeNum(19.5f, 1), " 19.5");
    EXPECT_EQ(EncodeNum(-101, 0), "*****");
    EXPECT_EQ(WriteBody("JZ", "1"), "JZ,W,1");
    EXPECT_EQ(WriteBody("DW", ""), "DW,W,");
}

struct PayloadCase {
    const char* name;
    std::function<void(clsInstrument&)> set;
    const char* code;
    std::string expected;
};

class WritePayloadsTable : public ::testing::TestWithParam<PayloadCase> {};

TEST_P(WritePayloadsTable, BuildsThePayloadOfItsCommand) {
    clsInstrument record;
    GetParam().set(record);
    EXPECT_EQ(WritePayload(GetParam().code, record), GetParam().expected);
}

const PayloadCase kPayloadCases[] = {
    {"CalLimit", [](clsInstrument& r) { r.CalLimit(365); }, "SC", "016D"},
    {"LcdBackLight", [](clsInstrument& r) { r.LcdBackLight(30); }, "XT", "001E"},
    {"LcdContrast", [](clsInstrument& r) { r.LcdContrast(5); }, "UL", "05"},
    {"Intervals", [](clsInstrument& r) { r.Intervals(600); }, "XP", "0258"},
    {"BumpLimit", [](clsInstrument& r) { r.BumpLimit(30); }, "BK", "001E"},
    {"SerialShort", [](clsInstrument& r) { r.SerialNo("A123"); }, "IN",
     "A123" + std::string(16, ' ')},
    {"DummySerialLong", [](clsInstrument& r) { r.DummySerial(std::string(25, 'X')); }, "HN",
     std::string(20, 'X')},
    {"StationId", [](clsInstrument& r) { r.StationID("ST1"); }, "XS",
     "****,ST1" + std::string(13, ' ')},
    {"UserId", [](clsInstrument& r) { r.UserID("U"); }, "XZ", "****,U" + std::string(15, ' ')},
    {"Ports",
     [](clsInstrument& r) {
         const Integer ports[] = {-1, 0, 1, 2, 3, -1};
         for (Integer i = 0; i < 6; ++i) r.PortCh(i, ports[i]);
     },
     "UG", "F,0,1,2,3,F"},
    {"DispCalLimitAsBit", [](clsInstrument& r) { r.DispCalLimit(5); }, "SD", "1"},
    {"CsaAsBit", [](clsInstrument& r) { r.CSAdata(2); }, "U9", "1"},
    {"DecimalOptions", [](clsInstrument& r) { r.PumpOnOffDisp(10); }, "PO", "10"},
    {"AlarmO2", [](clsInstrument& r) { r.AlarmO2(2); }, "AT", "2"},
    {"KeySound", [](clsInstrument& r) { r.KeySound(1); }, "JZ", "1"},
    {"MaintePassword",
     [](clsInstrument& r) {
         r.UseMaintePassword(1);
         r.MaintePassword("1234");
     },
     "MP", "1,1234"},
    {"UserPassword",
     [](clsInstrument& r) {
         r.UseUserPassword(0);
         r.UserPassword2("ab");
     },
     "MO", "0,ab"},
    {"SpecTypeAsStored", [](clsInstrument& r) { r.SpecType("1"); }, "UJ", "1"},
    {"SpecNo", [](clsInstrument& r) { r.SpecNo("SP-1"); }, "BS", "SP-1      "},
    {"Bump",
     [](clsInstrument& r) {
         r.BumpTime(60);
         r.BumpThreshold(50);
         r.BumpFailCalTime(300);
         r.BumpFailAfter(1);
     },
     "BU", "3C,32,2C,1"},
    {"Confirmation",
     [](clsInstrument& r) {
         r.Confirmation(12);
         r.ConfirmationTime(15);
     },
     "XB", "12,0F"},
    {"InertAndBarHole",
     [](clsInstrument& r) {
         r.InertMode(1);
         r.LcBhMode(3);
         r.BhTime(20);
         r.LcBuzzer(1);
     },
     "WB", "1,3,14,1"},
    {"ManDown",
     [](clsInstrument& r) {
         r.Panic(1);
         r.ManDown(0);
         r.ManDown1(10);
         r.ManDown2(255);
         r.ManDown3(300);
     },
     "AN", "1,0,0A,FF,2C"},
    {"ZeroLastDigits",
     [](clsInstrument& r) {
         const Integer zero[] = {1, 0, 1, 0, 11, 0};
         for (Integer i = 0; i < 6; ++i) r.Zero(i, zero[i]);
     },
     "UZ", "101010"},
    {"ZeroForce",
     [](clsInstrument& r) {
         for (Integer i = 0; i < 6; ++i) r.ZeroForce(i, static_cast<Integer>(i * 5));
     },
     "US", "0,5,10,15,20,25"},
    {"SensorDatesOfEnabledChannels",
     [](clsInstrument& r) {
         for (Integer i = 0; i < 6; ++i) {
             r.GasEnabled(i, i != 2);
             r.SensorDate(i, "2401" + std::to_string(10 + i));
         }
     },
     "PS", "240110,240111,******,240113,240114,240115"},
    {"InertLevelsWithOxygenDecimals",
     [](clsInstrument& r) {
         r.GasPoint(1, 1);
         r.Inert1st(19.5f);
     },
     "A3", " 19.5"},
    {"NegativeInertLevel", [](clsInstrument& r) { r.Inert2nd(-101); }, "A4", "*****"},
    {"BumpCheckAllStillEncodesMinusOne", [](clsInstrument& r) { r.BumpCheckALL(-1); }, "BW",
     "-1"},
};

INSTANTIATE_TEST_SUITE_P(Commands, WritePayloadsTable, ::testing::ValuesIn(kPayloadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WritePayloadsAlarmPoints, SecondRangeDecimalsAndMarksFollowTheLowMarks) {
    clsInstrument record;
    const Single levels[] = {50, 19.5f, 25, 10, 100, 50};
    const Integer decimals[] = {0, 1, 0, 0, 0, 0};
    for (Integer i = 0; i < 6; ++i) {
        record.Warning(i, levels[i]);
        record.GasPoint(i, decimals[i]);
    }
    record.GasPoint_l(5, 1);
    record.WarnIsLo(5, true);
    EXPECT_EQ(AlarmPointPayload(record, AlarmPoint::Warning),
              "   50, 19.5,   25,   10,  100, 50.0,H,L");
    EXPECT_EQ(WritePayload("A1", record), AlarmPointPayload(record, AlarmPoint::Warning));
}

TEST(WritePayloadsAlarmPoints, EachPointReadsItsOwnValuesAndCode) {
    clsInstrument record;
    for (Integer i = 0; i < 6; ++i) {
        record.Warning(i, 1);
        record.Alarm(i, 2);
        record.Stel(i, 3);
        record.Twa(i, 4);
        record.AutoCalib(i, -101);
    }
    record.AlarmIsLo(4, true);
    EXPECT_EQ(AlarmPointCode(AlarmPoint::Stel), "AS");
    EXPECT_EQ(AlarmPointPayload(record, AlarmPoint::Alarm), "    2,    2,    2,    2,    2,    2,L,H");
    EXPECT_EQ(AlarmPointPayload(record, AlarmPoint::Twa), "    4,    4,    4,    4,    4,    4,H,H");
    EXPECT_EQ(WritePayload("SA", record), "*****,*****,*****,*****,*****,*****,H,H");
    std::vector<std::string> codes;
    for (AlarmPoint point : AlarmPoints) codes.emplace_back(AlarmPointCode(point));
    EXPECT_EQ(codes, (std::vector<std::string>{"A1", "A2", "AS", "AW", "SA"}));
}

TEST(WritePayloadsGasInfo, FieldIsNameSpaceNumbersAndUnitIn25Characters) {
    EXPECT_EQ(GasInfoField("CO", 500, 1, 0, "ppm"), "CO           500    1ppm ");
    EXPECT_EQ(GasInfoField("", 25, 0.1f, 1, "vol%"), std::string(10, ' ') + " 25.0  0.1vol%");
    // A ten-character name is followed by the space of column 11.
    EXPECT_EQ(GasInfoField("ABCDEFGHIJ", 100, 1, 0, "%LEL").substr(0, 11), "ABCDEFGHIJ ");
    EXPECT_EQ(GasInfoField("ABCDEFGHIJKLM", 100, 1, 0, "%LELX").size(), 25u);
}

TEST(WritePayloadsGasInfo, PayloadHasMainRangesThenSecondRangesOfChannels4And5) {
    clsInstrument record;
    for (Integer i = 0; i < 6; ++i) {
        record.GasEnabled(i, i != 1 && i != 5);
        record.GasName(i, "G" + std::to_string(i));
        record.GasFullScale(i, 100);
        record.GasDesit(i, 1);
        record.GasPoint(i, 0);
        record.GasUnit(i, "ppm");
    }
    record.GasFullScale_l(4, 10);
    record.GasDigit_l(4, 0.01f);
    record.GasPoint_l(4, 2);
    record.GasUnit_l(4, "ppb");
    const std::string notFitted(25, '*');
    const std::string payload = GasInfoPayload(record);
    EXPECT_EQ(payload, "G0           100    1ppm ," + notFitted + ",G2           100    1ppm ,"
                       "G3           100    1ppm ,G4           100    1ppm ," + notFitted +
                       ",G4         10.00 0.01ppb ," + notFitted);
    EXPECT_EQ(WritePayload("GJ", record), payload);
}

TEST(WritePayloadsLists, EntryPayloadIsIndexInHexAndSixteenCharacters) {
    clsInstrument record;
    record.StationList(31, "GATE 3");
    record.UserList(127, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(StationListPayload(record, 31), "001F,GATE 3" + std::string(10, ' '));
    EXPECT_EQ(UserListPayload(record, 127), "007F,ABCDEFGHIJKLMNOP");
    EXPECT_EQ(UserListPayload(record, 200), "00C8," + std::string(16, ' '));
}

TEST(WritePayloadsTableOrder, HoldsEveryRecordCommandOnceInTheWritersOrder) {
    std::vector<std::string> codes;
    for (const WriteCommand& row : WriteCommands()) codes.emplace_back(row.code);
    const std::vector<std::string> expected = {
        "IN", "HN", "XS", "XZ", "UG", "GJ", "AT", "A1", "A2", "AS", "AW", "SA", "AP", "SC",
        "XP", "SD", "SM", "XW", "XT", "SJ", "SG", "MP", "PG", "UJ", "BJ", "BK", "BL", "BU",
        "BV", "XB", "PS", "BS", "AF", "XL", "PO", "XI", "XA", "EB", "BW", "SW", "WB", "UL",
        "UZ", "US", "FF", "A3", "A4", "MO", "KL", "XD", "JZ", "AN", "X7", "UW", "U9", "EJ",
        "UO"};
    EXPECT_EQ(codes, expected);
}

TEST(WritePayloadsTableOrder, UnknownCodeIsRefused) {
    clsInstrument record;
    EXPECT_EQ(FindWriteCommand("ZZ"), nullptr);
    EXPECT_THROW(WritePayload("ZZ", record), std::invalid_argument);
    ASSERT_NE(FindWriteCommand("XS"), nullptr);
    EXPECT_EQ(FindWriteCommand("XS")->payload(record).substr(0, 5), "****,");
}

}  // namespace
}  // namespace tz
