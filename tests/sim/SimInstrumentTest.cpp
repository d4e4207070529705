#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "instrument/modGasCommon.h"
#include "link/Frame.h"
#include "sim/SimCommands.h"
#include "sim/SimInstrument.h"

namespace tz {
namespace {

struct Piece {
    std::string bytes;
    int delayMs;
};

class SimInstrumentTest : public ::testing::Test {
protected:
    // Hands bytes to the instrument and returns what it sent back, piece by piece.
    std::vector<Piece> Feed(const std::string& bytes) {
        std::vector<Piece> pieces;
        sim.OnBytesFromHost(bytes, [&](const std::string& b, int delay) {
            pieces.push_back({b, delay});
        });
        return pieces;
    }
    std::vector<Piece> Command(const std::string& body) { return Feed(BuildFrame(body, EOT)); }
    // The one reply frame to a command, reassembled from its pieces.
    std::string Reply(const std::string& body) {
        std::string frame;
        for (const Piece& p : Command(body)) frame += p.bytes;
        return frame;
    }

    SimInstrument sim;
};

std::string Framed(const std::string& body) { return BuildFrame(body, EOT); }

bool ChecksumValid(const std::string& frame) {
    const std::size_t etx = frame.rfind(ETX);
    if (etx == std::string::npos || etx + 4 != frame.size()) return false;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", FrameChecksum(frame.substr(0, etx + 1)));
    return frame.substr(etx + 1, 2) == digits;
}

// ---- Replies to reads, one row per encoding ----

const std::string Dashes16(16, '-');
const std::string Stars25(25, '*');

TEST_F(SimInstrumentTest, ReadCommands_ReplyInTheDocumentedEncodings) {
    const struct { const char* command; std::string reply; } cases[] = {
        {"RC,R,", "RC,R,TZ-7300"},
        {"AP,R,", "AP,R,1"},                                   // decimal
        {"SC,R,", "SC,R,00B4"},                                // hex, four digits
        {"UL,R,", "UL,R,05"},                                  // hex, two digits
        {"HF,R,", "HF,R,FFF4"},                                // negative hex
        {"CP,R,", "CP,R,0000015E"},                            // hex, 32-bit
        {"VP,R,", "VP,R,730012"},                              // decimal, 32-bit
        {"PG,R,", "PG,R,1"},                                   // flag
        {"IN,R,", "IN,R,TZ73A0012345        "},                // text in its width
        {"BS,R,", "BS,R,STD-EU-01 "},
        {"G1,R,", "G1,R,ISOBUTYLENE,1.000,10.6"},              // whole data text
        {"MP,R,", "MP,R,1,3721"},
        {"HC,R,", "HC,R,251210143205"},                        // date-time
        {"S1,R,", "S1,R,3F800000,3F7C0000,3F860000,3F900000,3F600000,C2CA0000"},  // float
        {"A1,R,", "A1,R,   10, 19.5,  5.0,   25,  500,*****,L,H"},  // gas values, low marks
        {"AS,R,", "AS,R,*****,*****,  5.0,  200, 2000,*****,L,H"},
        {"DN,R,", "DN,R,    0, 20.9,  0.0,    3,  120,*****,L,H"},
        {"A3,R,", "A3,R,  5.0"},
        {"HA,R,", "HA,R,03F5,026D,0603,04CD,083E,0832,07F4,07E7,141E,1428,0078,0076,044C,000C,"
                  "FFF8,03B6"},
        {"UZ,R,", "UZ,R,101110"},
        {"US,R,", "US,R,0000,0000,0001,0000,0002,0000"},
        {"UG,R,", "UG,R,0,1,2,3,4,5"},
        {"BU,R,", "BU,R,2D,32,5A,0"},
        {"WB,R,", "WB,R,1,2,1E,01"},
        {"AN,R,", "AN,R,1,1,1E,0F,3C"},
        {"XB,R,", "XB,R,01,0F"},
        {"PS,R,", "PS,R,230415,230415,240102,240102,250620,000101"},
        {"GK,R,", "GK,R,3F000000,********"},
        {"SO,R,", "SO,R,251103091427   48   50,251103091502 20.6 20.9,251103091640 24.1 25.0,"
                  "251103091640-----   50,251028164500  950 1000,------,LL,HH"},
        {"BO,R,", "BO,R,251201080210   49   50,251201080210 18.1 18.0,251201080210 FAIL 25.0,"
                  "251201080210   48   50,251201080355 4800  5.0,------,LH,HH"},
        {"GJ,R,", "GJ,R,CH4          100    1%LEL,O2          25.0  0.1vol%,"
                  "H2S         30.0  0.1ppm ,CO           500    1ppm ,"
                  "VOC        200.0  0.1ppm ," + Stars25 + ",VOC         5000    1ppb ," + Stars25},
        {"XS,R,****", "XS,R,****,TANK FARM T-0101"},
        {"XS,R,0002", "XS,R,0002,BOILER 2, LEVEL3"},
        {"XS,R,0003", "XS,R,0003," + Dashes16},
        {"XZ,R,007f", "XZ,R,007F,LAST USER ID 127"},
        {"XZ,R,****", "XZ,R,****,CONTRACTOR-17,SH"},
    };
    for (const auto& c : cases) EXPECT_EQ(Reply(c.command), Framed(c.reply)) << c.command;
}

// Every command of a complete read, in the program's order: one reply each, same code and
// access letter, EOT, a valid checksum and no refusal.
std::vector<std::string> CompleteRead() {
    const char* codes[] = {"SZ", "S1", "IN", "HN", "XS", "XZ", "HC", "A1", "A2", "AS", "AW", "SA",
                           "AP", "G1", "SC", "XP", "SD", "SM", "XW", "XT", "DN", "VP", "VS", "HA",
                           "AT", "SO", "GJ", "L6", "SJ", "SG", "MP", "PG", "UJ", "BJ", "BK", "BL",
                           "BO", "BU", "BV", "XB", "PS", "BS", "LV", "AF", "XL", "PO", "XI", "XA",
                           "EB", "BW", "SW", "CP", "WB", "UL", "UZ", "US", "FF", "A3", "A4", "MO",
                           "KL", "XD", "JZ", "AN", "GK", "X7", "UW", "HF", "U9", "UG", "EJ", "UO"};
    std::vector<std::string> bodies;
    for (const char* code : codes) {
        const std::string c = code;
        bodies.push_back(c + ",R," + (c == "XS" || c == "XZ" ? "****" : ""));
    }
    for (const char* list : {"XS,R,", "XZ,R,"})
        for (int i = 0; i < 128; ++i) {
            char index[8];
            std::snprintf(index, sizeof index, "%04X", i);
            bodies.push_back(list + std::string(index));
        }
    return bodies;
}

TEST_F(SimInstrumentTest, CompleteRead_EveryCommandAnsweredInKind) {
    const std::vector<std::string> bodies = CompleteRead();
    ASSERT_EQ(bodies.size(), 328u);
    for (const std::string& body : bodies) {
        const std::vector<Piece> pieces = Command(body);
        ASSERT_EQ(pieces.size(), 1u) << body;
        const std::string& frame = pieces[0].bytes;
        EXPECT_EQ(frame.substr(0, 10), std::string(1, STX) + "0001" + body.substr(0, 5)) << body;
        EXPECT_EQ(frame.back(), EOT) << body;
        EXPECT_TRUE(ChecksumValid(frame)) << body;
        EXPECT_NE(frame[10], NAK) << body;
    }
    EXPECT_EQ(sim.ReceivedCommands(), bodies);
    EXPECT_EQ(sim.Count().unknown, 0);
}

// The instrument's gas information is what its record holds, as the program's own parsing of
// the field reads it.
TEST_F(SimInstrumentTest, GasInformation_ParsedByTheProgram_EqualsTheState) {
    const std::string frame = Reply("GJ,R,");
    const std::string data = frame.substr(10, frame.rfind(ETX) - 10);
    std::vector<std::string> fields;
    for (std::size_t at = 0; at <= data.size(); at += 26) fields.push_back(data.substr(at, 25));
    ASSERT_EQ(fields.size(), 8u);
    clsInstrument read;
    for (Integer g = 0; g < 6; ++g) ParseGasInfo(fields[g], read, g);
    for (Integer g = 4; g < 6; ++g) ParseSecondRangeInfo(fields[g + 2], read, g);
    const clsInstrument& r = sim.State().record;
    for (Integer g = 0; g < 6; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(read.GasName(g), r.GasName(g));
        EXPECT_EQ(read.GasEnabled(g), r.GasEnabled(g));
        EXPECT_EQ(read.GasFullScale(g), r.GasFullScale(g));
        EXPECT_EQ(read.GasDesit(g), r.GasDesit(g));
        EXPECT_EQ(read.GasPoint(g), r.GasPoint(g));
        EXPECT_EQ(read.GasUnit(g), r.GasUnit(g));
        EXPECT_EQ(read.GasFullScale_l(g), r.GasFullScale_l(g));
        EXPECT_EQ(read.GasDigit_l(g), r.GasDigit_l(g));
        EXPECT_EQ(read.GasPoint_l(g), r.GasPoint_l(g));
        EXPECT_EQ(read.GasUnit_l(g), r.GasUnit_l(g));
    }
}

// Every per-gas list reads back, through the program's gas-value parsing, as the values and low
// marks the instrument holds (channels that are not fitted hold no value).
TEST_F(SimInstrumentTest, GasValueLists_ParsedByTheProgram_EqualTheState) {
    using Value = Single (*)(const clsInstrument&, Integer);
    using Lo = bool (*)(const clsInstrument&, Integer);
    const struct { const char* command; Value value; Lo lo; } lists[] = {
        {"A1,R,", [](const clsInstrument& r, Integer g) { return r.Warning(g); },
         [](const clsInstrument& r, Integer g) { return r.WarnIsLo(g); }},
        {"A2,R,", [](const clsInstrument& r, Integer g) { return r.Alarm(g); },
         [](const clsInstrument& r, Integer g) { return r.AlarmIsLo(g); }},
        {"AS,R,", [](const clsInstrument& r, Integer g) { return r.Stel(g); },
         [](const clsInstrument& r, Integer g) { return r.StelIsLo(g); }},
        {"AW,R,", [](const clsInstrument& r, Integer g) { return r.Twa(g); },
         [](const clsInstrument& r, Integer g) { return r.TwaIsLo(g); }},
        {"SA,R,", [](const clsInstrument& r, Integer g) { return r.AutoCalib(g); },
         [](const clsInstrument& r, Integer g) { return r.AutoCalIsLo(g); }},
    };
    const clsInstrument& r = sim.State().record;
    for (const auto& list : lists) {
        SCOPED_TRACE(list.command);
        const std::string frame = Reply(list.command);
        const std::string data = frame.substr(10, frame.rfind(ETX) - 10);
        std::vector<std::string> fields;
        for (std::size_t at = 0; at <= data.size(); at = data.find(',', at) + 1) {
            fields.push_back(data.substr(at, data.find(',', at) - at));
            if (data.find(',', at) == std::string::npos) break;
        }
        ASSERT_EQ(fields.size(), 8u);
        for (Integer g = 0; g < 6; ++g) EXPECT_EQ(ParseGasValue(fields[g]), list.value(r, g)) << g;
        EXPECT_EQ(fields[6] == "L", list.lo(r, 4));
        EXPECT_EQ(fields[7] == "L", list.lo(r, 5));
    }
}

TEST_F(SimInstrumentTest, StateChange_ShowsInTheNextReply) {
    sim.State().record.CalLimit(365);
    sim.State().record.Warning(0, 15);
    EXPECT_EQ(Reply("SC,R,"), Framed("SC,R,016D"));
    EXPECT_EQ(Reply("A1,R,").substr(10, 5), "   15");
}

// ---- Frames from the host ----

TEST_F(SimInstrumentTest, Nak_RepeatsTheLastReplyExactly) {
    const std::string first = Reply("SC,R,");
    Reply("AP,R,");
    const std::string last = Reply("XT,R,");
    const std::vector<Piece> repeat = Feed(BuildFrame(std::string(1, NAK) + "XT,R,", ETB));
    ASSERT_EQ(repeat.size(), 1u);
    EXPECT_EQ(repeat[0].bytes, last);
    EXPECT_NE(repeat[0].bytes, first);
    EXPECT_EQ(sim.Count().repeats, 1);
}

TEST_F(SimInstrumentTest, NakBeforeAnyReply_IsIgnored) {
    EXPECT_TRUE(Feed(BuildFrame(std::string(1, NAK) + "SZ,R,", ETB)).empty());
}

TEST_F(SimInstrumentTest, CommandInPieces_AnsweredOnceComplete) {
    const std::string frame = Framed("AP,R,");
    for (std::size_t i = 0; i + 1 < frame.size(); ++i)
        EXPECT_TRUE(Feed(frame.substr(i, 1)).empty()) << i;
    const std::vector<Piece> pieces = Feed(frame.substr(frame.size() - 1));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes, Framed("AP,R,1"));
}

TEST_F(SimInstrumentTest, TwoCommandsInOneWrite_BothAnsweredInOrder) {
    const std::vector<Piece> pieces = Feed(Framed("AP,R,") + Framed("UL,R,"));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].bytes, Framed("AP,R,1"));
    EXPECT_EQ(pieces[1].bytes, Framed("UL,R,05"));
}

TEST_F(SimInstrumentTest, UnreadableFrames_AreIgnored) {
    std::string badChecksum = Framed("AP,R,");
    badChecksum[badChecksum.size() - 2] ^= 1;
    std::string badTerminator = Framed("AP,R,");
    badTerminator.back() = 'X';
    std::string otherAddress = Framed("AP,R,");
    otherAddress[4] = '2';
    for (const std::string& frame : {badChecksum, badTerminator, otherAddress})
        EXPECT_TRUE(Feed(frame).empty());
    EXPECT_EQ(sim.Count().badFrames, 3);
    // Noise and an abandoned frame do not disturb the next command.
    const std::vector<Piece> pieces = Feed("noise" + std::string(1, STX) + "0001AP" + Framed("UL,R,"));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes, Framed("UL,R,05"));
    EXPECT_TRUE(sim.ReceivedCommands() == std::vector<std::string>{"UL,R,"});
}

TEST_F(SimInstrumentTest, EndlessFrame_IsDroppedNotKept) {
    EXPECT_TRUE(Feed(std::string(1, STX) + std::string(SimInstrument::MaxPending + 10, 'A')).empty());
    EXPECT_EQ(Reply("AP,R,"), Framed("AP,R,1"));
}

TEST_F(SimInstrumentTest, UnknownCommandOrListIndex_Refused) {
    EXPECT_EQ(Reply("ZZ,R,"), Framed(std::string("ZZ,R,") + NAK));
    EXPECT_EQ(Reply("XS,R,0080"), Framed(std::string("XS,R,") + NAK));
    EXPECT_EQ(Reply("XS,R,12"), Framed(std::string("XS,R,") + NAK));
    EXPECT_EQ(sim.Count().unknown, 1);
}

TEST_F(SimInstrumentTest, MalformedBody_IsIgnored) {
    EXPECT_TRUE(Command("APR").empty());
    EXPECT_TRUE(Command("A").empty());
}

// ---- Fault switches ----

TEST_F(SimInstrumentTest, RefusedCommand_AnsweredWithNakOrNotAtAll) {
    SimFaults faults;
    faults.refused = {"SC,R"};
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("SC,R,"), Framed(std::string("SC,R,") + NAK));
    EXPECT_EQ(Reply("AP,R,"), Framed("AP,R,1"));
    faults.refuseSilently = true;
    sim.SetFaults(faults);
    EXPECT_TRUE(Command("SC,R,").empty());
}

TEST_F(SimInstrumentTest, ReplyDelayAndPacing_DelayEveryReply) {
    SimFaults faults;
    faults.replyDelayMs = 25;
    faults.baudRate = 9600;  // about 1.04 ms a byte
    sim.SetFaults(faults);
    const std::string expected = Framed("SC,R,00B4");  // 18 bytes: 18.75 ms
    const std::vector<Piece> pieces = Command("SC,R,");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes, expected);
    EXPECT_EQ(pieces[0].delayMs, 25 + 18);
}

TEST_F(SimInstrumentTest, Pacing_KeepsTheLineRateOverManyReplies) {
    SimFaults faults;
    faults.baudRate = 921600;
    sim.SetFaults(faults);
    long totalMs = 0, totalBytes = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::vector<Piece> pieces = Command("HA,R,");  // 94 bytes: 1.02 ms each
        ASSERT_EQ(pieces.size(), 1u);
        totalMs += pieces[0].delayMs;
        totalBytes += static_cast<long>(pieces[0].bytes.size());
    }
    const double exactMs = totalBytes * 10000.0 / 921600;
    EXPECT_NEAR(totalMs, exactMs, 1.0);
}

TEST_F(SimInstrumentTest, DropEveryReply_NothingArrivesButNakStillRepeats) {
    SimFaults faults;
    faults.dropReply = 1;
    sim.SetFaults(faults);
    EXPECT_TRUE(Command("AP,R,").empty());
    EXPECT_EQ(sim.Dropped(), 1);
    faults.dropReply = 0;
    sim.SetFaults(faults);
    const std::vector<Piece> repeat = Feed(BuildFrame(std::string(1, NAK) + "AP,R,", ETB));
    ASSERT_EQ(repeat.size(), 1u);
    EXPECT_EQ(repeat[0].bytes, Framed("AP,R,1"));
}

TEST_F(SimInstrumentTest, CorruptEveryChecksum_OnlyTheChecksumDiffers) {
    SimFaults faults;
    faults.corruptChecksum = 1;
    sim.SetFaults(faults);
    const std::string good = Framed("HA,R,03F5,026D,0603,04CD,083E,0832,07F4,07E7,141E,1428,0078,"
                                    "0076,044C,000C,FFF8,03B6");
    for (int i = 0; i < 50; ++i) {
        const std::string bad = Reply("HA,R,");
        ASSERT_EQ(bad.size(), good.size());
        EXPECT_EQ(bad.substr(0, bad.size() - 3), good.substr(0, good.size() - 3));
        EXPECT_EQ(bad.back(), EOT);
        EXPECT_FALSE(ChecksumValid(bad)) << bad.substr(bad.size() - 3, 2);
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(bad[bad.size() - 3])));
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(bad[bad.size() - 2])));
    }
    EXPECT_EQ(sim.Corrupted(), 50);
}

TEST_F(SimInstrumentTest, SplitReplies_PiecesReassembleInOrderWithGrowingDelays) {
    const std::string plain = Reply("GJ,R,");
    SimFaults faults;
    faults.splitReply = 1;
    faults.maxPieces = 5;
    faults.pieceGapMs = 3;
    faults.replyDelayMs = 2;
    faults.baudRate = 9600;
    sim.SetFaults(faults);
    int multiPiece = 0;
    for (int i = 0; i < 100; ++i) {
        const std::vector<Piece> pieces = Command("GJ,R,");
        ASSERT_GE(pieces.size(), 1u);
        ASSERT_LE(pieces.size(), 5u);
        multiPiece += pieces.size() > 1;
        std::string whole;
        int lastDelay = 0;
        for (const Piece& p : pieces) {
            EXPECT_FALSE(p.bytes.empty());
            EXPECT_GE(p.delayMs, lastDelay);
            lastDelay = p.delayMs;
            whole += p.bytes;
        }
        EXPECT_GE(pieces.front().delayMs, 2);
        EXPECT_EQ(whole, plain);
    }
    EXPECT_GT(multiPiece, 90);
    EXPECT_EQ(sim.Split(), 100);
}

// Faults drawn from the same seed over the same traffic are the same; another seed differs.
std::vector<Piece> CompleteReadWithFaults(std::uint32_t seed) {
    SimFaults faults;
    faults.seed = seed;
    faults.dropReply = 0.1;
    faults.corruptChecksum = 0.05;
    faults.splitReply = 0.3;
    faults.pieceGapMs = 4;
    SimInstrument sim(DefaultSimState(), faults);
    std::vector<Piece> all;
    for (const std::string& body : CompleteRead())
        sim.OnBytesFromHost(BuildFrame(body, EOT), [&](const std::string& b, int delay) {
            all.push_back({b, delay});
        });
    return all;
}

bool Same(const std::vector<Piece>& a, const std::vector<Piece>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].bytes != b[i].bytes || a[i].delayMs != b[i].delayMs) return false;
    return true;
}

TEST(SimFaultsSeed, SameSeed_SameFaults_OtherSeed_OtherFaults) {
    EXPECT_TRUE(Same(CompleteReadWithFaults(7), CompleteReadWithFaults(7)));
    EXPECT_FALSE(Same(CompleteReadWithFaults(7), CompleteReadWithFaults(8)));
}

TEST(SimFaultsSeed, Probabilities_GiveTheirShareOfReplies) {
    SimFaults faults;
    faults.seed = 42;
    faults.dropReply = 0.1;
    faults.corruptChecksum = 0.05;
    faults.splitReply = 0.3;
    SimInstrument sim(DefaultSimState(), faults);
    for (const std::string& body : CompleteRead())
        sim.OnBytesFromHost(BuildFrame(body, EOT), [](const std::string&, int) {});
    const int n = sim.Count().transmissions;
    ASSERT_EQ(n, 328);
    EXPECT_NEAR(sim.Dropped(), 0.10 * n, 15);
    EXPECT_NEAR(sim.Corrupted(), 0.05 * 0.9 * n, 12);
    EXPECT_NEAR(sim.Split(), 0.30 * 0.9 * n, 25);
}

}  // namespace
}  // namespace tz
