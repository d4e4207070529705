#include <string>

#include "sim/SimHarness.h"

namespace tz::test {
namespace {

class SimWriteTest : public SimHarness {};

const std::string Spaces16(16, ' ');

// Each write is repeated exactly (the program compares the repeated frame or field with what it
// sent) and the next read shows the value in the read's own encoding, which for several settings
// differs from the write's (decimal written, hexadecimal read).
TEST_F(SimWriteTest, EveryWriteKind_RepeatedExactly_AndReadBack) {
    const struct { std::string write, read, readReply; } cases[] = {
        {"IN,W,ABCD" + Spaces16, "IN,R,", "IN,R,ABCD" + Spaces16},               // fix(20)
        {"HN,W,DUMMY-0001" + std::string(10, ' '), "HN,R,", "HN,R,DUMMY-0001" + std::string(10, ' ')},
        {"XS,W,****,NEW STATION ID01", "XS,R,****", "XS,R,****,NEW STATION ID01"},
        {"XS,W,0003,THIRD, STATION 3", "XS,R,0003", "XS,R,0003,THIRD, STATION 3"},
        {"XZ,W,007F,USER 127 CHANGED", "XZ,R,007F", "XZ,R,007F,USER 127 CHANGED"},
        {"UG,W,F,0,1,2,3,F", "UG,R,", "UG,R,F,0,1,2,3,F"},
        {"AT,W,1", "AT,R,", "AT,R,1"},
        {"A1,W,   20, 19.0,  2.5,   35,600.0,*****,H,H", "A1,R,",
         "A1,R,   20, 19.0,  2.5,   35,600.0,*****,H,H"},
        {"A2,W,   60, 17.5,*****,  100, 20.0,*****,L,H", "A2,R,",
         "A2,R,   60, 17.5,*****,  100,   20,*****,L,H"},  // channel 5 low: second range decimals
        {"SA,W,   50, 20.9, 25.0,  100,100.0,*****,H,H", "SA,R,",
         "SA,R,   50, 20.9, 25.0,  100,100.0,*****,H,H"},
        {"AP,W,2", "AP,R,", "AP,R,2"},
        {"SC,W,016D", "SC,R,", "SC,R,016D"},                                      // hex4
        {"XP,W,0258", "XP,R,", "XP,R,0258"},
        {"SD,W,0", "SD,R,", "SD,R,0"},                                            // bit
        {"XT,W,001E", "XT,R,", "XT,R,001E"},
        {"MP,W,0,1234", "MP,R,", "MP,R,0,1234"},
        {"UJ,W,0", "UJ,R,", "UJ,R,0"},
        {"BK,W,003C", "BK,R,", "BK,R,003C"},
        {"BU,W,1E,28,3C,1", "BU,R,", "BU,R,1E,28,3C,1"},                          // hex2 x3, dec
        {"XB,W,0,0A", "XB,R,", "XB,R,00,0A"},                                     // dec, hex2
        {"PS,W,240101,240202,240303,240404,240505,******", "PS,R,",
         "PS,R,240101,240202,240303,240404,240505,000101"},  // a channel not fitted keeps its date
        {"BS,W,TYPE-77   ", "BS,R,", "BS,R,TYPE-77   "},
        {"PO,W,0", "PO,R,", "PO,R,00"},                                           // dec written, hex read
        {"XI,W,12", "XI,R,", "XI,R,0C"},
        {"EB,W,0", "EB,R,", "EB,R,00"},
        {"BW,W,1", "BW,R,", "BW,R,1"},
        {"WB,W,0,1,0F,2", "WB,R,", "WB,R,0,1,0F,02"},                            // dec, dec, hex2, dec
        {"UL,W,0A", "UL,R,", "UL,R,0A"},
        {"UZ,W,010101", "UZ,R,", "UZ,R,010101"},
        {"US,W,0,1,2,3,4,-1", "US,R,", "US,R,0000,0001,0002,0003,0004,FFFF"},
        {"FF,W,2", "FF,R,", "FF,R,02"},
        {"A3,W,  4.5", "A3,R,", "A3,R,  4.5"},
        {"A4,W,  1.5", "A4,R,", "A4,R,  1.5"},
        {"MO,W,0,9999", "MO,R,", "MO,R,0,9999"},
        {"AN,W,0,0,0A,0B,0C", "AN,R,", "AN,R,0,0,0A,0B,0C"},
        {"X7,W,0", "X7,R,", "X7,R,00"},
        {"UW,W,1", "UW,R,", "UW,R,1"},
        {"U9,W,0", "U9,R,", "U9,R,00000000"},
        {"EJ,W,0", "EJ,R,", "EJ,R,0"},
        {"UO,W,0", "UO,R,", "UO,R,0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Reply(c.write), Framed(c.write)) << c.write;
        EXPECT_EQ(Reply(c.read), Framed(c.readReply)) << c.write;
    }
}

// Options written as plain decimals, read back through the record.
TEST_F(SimWriteTest, DecimalOptions_StoredInTheRecord) {
    const struct { const char* write; Integer (clsInstrument::*get)() const; Integer value; } cases[] = {
        {"SM,W,0", &clsInstrument::CalCheck, 0},       {"XW,W,0", &clsInstrument::LogOverWrite, 0},
        {"SJ,W,0", &clsInstrument::AutoZero, 0},       {"SG,W,0", &clsInstrument::DemandZero, 0},
        {"PG,W,0", &clsInstrument::PasswordProtect, 0}, {"BJ,W,0", &clsInstrument::DispBumpLimit, 0},
        {"BL,W,2", &clsInstrument::BumpCheck, 2},      {"BV,W,0", &clsInstrument::BumpFunction, 0},
        {"AF,W,1", &clsInstrument::AlarmOnOff, 1},     {"XL,W,0", &clsInstrument::LunchBreak, 0},
        {"XA,W,0", &clsInstrument::AlarmSilence, 0},   {"SW,W,-1", &clsInstrument::CalCheckALL, -1},
        {"KL,W,0", &clsInstrument::Inverse, 0},        {"XD,W,0", &clsInstrument::RemainTimeDisp, 0},
        {"JZ,W,0", &clsInstrument::KeySound, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Reply(c.write), Framed(c.write)) << c.write;
        EXPECT_EQ((sim.State().record.*c.get)(), c.value) << c.write;
    }
}

// The instrument keeps no change flags: a written value is simply its value.
TEST_F(SimWriteTest, Write_LeavesNoChangeFlagInTheInstrument) {
    Reply("SC,W,016D");
    Reply("A1,W,   20, 19.0,  2.5,   35,600.0,*****,H,H");
    Reply("XS,W,0003,THIRD STATION 003");
    const clsInstrument& r = sim.State().record;
    EXPECT_EQ(r.CalLimit(), 365);
    EXPECT_FALSE(r.Change_CalLimit());
    EXPECT_FALSE(r.Change_Warn(0));
    EXPECT_FALSE(r.Change_StationList(3));
}

std::string GasField(const std::string& name, const std::string& full, const std::string& step,
                     const std::string& unit) {
    std::string n = name + std::string(11, ' ');
    return n.substr(0, 11) + full + step + unit;
}

TEST_F(SimWriteTest, GasInformation_WrittenRangesAreReadBackAsSent) {
    const std::string stars(25, '*');
    const std::string payload =
        GasField("CH4", "  100", "    1", "%LEL") + "," + GasField("O2", " 25.0", "  0.1", "vol%") + "," +
        GasField("H2S", "100.0", "  0.5", "ppm ") + "," + GasField("NO2", " 20.0", "  0.1", "ppm ") + "," +
        stars + "," + GasField("SO2", " 10.0", "  0.1", "ppm ") + "," + stars + "," +
        GasField("SO2", "  500", "   10", "ppb ");
    EXPECT_EQ(Reply("GJ,W," + payload), Framed("GJ,W," + payload));
    EXPECT_EQ(Reply("GJ,R,"), Framed("GJ,R," + payload));
    const clsInstrument& r = sim.State().record;
    EXPECT_EQ(r.GasName(3), "NO2");
    EXPECT_EQ(r.GasPoint(3), 1);
    EXPECT_FLOAT_EQ(r.GasDesit(2), 0.5f);
    EXPECT_FALSE(r.GasEnabled(4));
    EXPECT_TRUE(r.GasEnabled(5));
    EXPECT_EQ(r.GasUnit_l(5), "ppb");
    EXPECT_FLOAT_EQ(r.GasFullScale_l(5), 500);
    EXPECT_EQ(r.GasPoint_l(5), 0);
}

// A write that cannot be read is refused with NAK and changes nothing, also when only a late
// field is wrong.
TEST_F(SimWriteTest, UnreadablePayload_RefusedAndNothingChanges) {
    const std::string before = EverythingReadable();
    const char* cases[] = {
        "SC,W,XYZ",        "SC,W,12345",       "AP,W,",           "AP,W,1,2",
        "AP,W,99999",      "SD,W,2",           "UL,W,100",        "BU,W,1E,28,3C",
        "UZ,W,01010",      "UZ,W,01010A",      "UG,W,F,0,1,2,3,9", "US,W,0,1,2,3,4",
        "XS,W,0080,TEXT",  "XS,W,12,TEXT",     "XS,W,0001",       "XZ,W,****,SEVENTEEN CHARS..",
        "IN,W,TWENTY-ONE CHARACTERS", "BS,W,ELEVEN CHRS",
        "A1,W,   20, 19.0,  2.5,   35,600.0,*****,H",      // seven fields
        "A1,W,   20, 19.0,  2.5,   35,600.0,*****,H,X",    // the last low mark is not H or L
        "A2,W,   20,  abc,  2.5,   35,600.0,*****,H,H",
        "GJ,W,CH4",        "A3,W,-1.0",        "PS,W,1,2,3,4,5,6,7",
        "HC,W,251310000000", "HC,W,2512101432", "BP,W,2",
    };
    for (const char* body : cases) {
        const std::string b = body;
        EXPECT_EQ(Reply(b), Status(b.substr(0, 4), NAK)) << b;
    }
    EXPECT_EQ(EverythingReadable(), before);
}

TEST_F(SimWriteTest, RefusedWrite_AnsweredWithNakOrNotAtAll_AndNothingChanges) {
    SimFaults faults;
    faults.refused = {"SC,W"};
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("SC,W,016D"), Status("SC,W", NAK));
    EXPECT_EQ(Reply("AP,W,2"), Framed("AP,W,2"));  // other writes go through
    faults.refuseSilently = true;
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("SC,W,016D"), "");
    EXPECT_EQ(sim.State().record.CalLimit(), 180);
    EXPECT_EQ(sim.State().record.AlarmMode(), 2);
}

// A write whose reply the program found wanting is sent again; the instrument takes it again and
// repeats it again.
TEST_F(SimWriteTest, RepeatedWrite_TakenAndRepeatedAgain) {
    const std::string body = "A2,W,   60, 17.5,*****,  100, 20.0,*****,L,H";
    EXPECT_EQ(Reply(body), Framed(body));
    EXPECT_EQ(Reply(body), Framed(body));
    EXPECT_EQ(Feed(BuildFrame(std::string(1, NAK) + "A2,W,", ETB)), Framed(body));
}

}  // namespace
}  // namespace tz::test
