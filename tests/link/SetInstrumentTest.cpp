// Writing settings against the simulated instrument at virtual time: which commands a changed
// record sends, with which payloads, which flags they clear, the alarm-point rounds, failures,
// factory save, the log lines, and the instrument's settings after the write.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "instrument/WritePayloads.h"
#include "link/LinkTestRig.h"
#include "link/RecordCompare.h"
#include "sim/SimInstrument.h"
#include "text/DateTime.h"

namespace tz::test {
namespace {

const std::string DW = "DW,W,";
const std::string FB = "FB,W,";

struct WriteRig {
    VirtualEventLoop loop;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    clsInstrument record;
    std::vector<std::string> logLines;

    WriteRig() {
        link.Retry(3);
        link.Timeout(1);
        link.Log().SetObserver([this](const std::string& line) { logLines.push_back(line); });
    }

    // Connects, reads the instrument into `record` with every flag cleared, and forgets the
    // commands and log lines so far.
    void ConnectAndRead() {
        link.PortOpen(true);
        ASSERT_TRUE(loop.RunUntil([this] { return link.Connected(); }, 10000));
        ASSERT_TRUE(link.GetInstrument(&record));
        record.ClearChangeFlags();
        sim.ClearReceivedCommands();
        logLines.clear();
    }

    const std::vector<std::string>& Sent() const { return sim.ReceivedCommands(); }

    // Sends the write and returns the commands it sent.
    std::vector<std::string> Write(bool factorySave = false, bool* result = nullptr) {
        sim.ClearReceivedCommands();
        const bool ok = link.SetInstrument(&record, factorySave);
        if (result) *result = ok;
        return Sent();
    }

    // What a fresh complete read of the instrument finds different from `record`. The sensor date
    // of a channel that is not fitted is never written (asterisks go out instead), so it is not
    // compared.
    std::vector<std::string> ReadBackDifferences() {
        clsInstrument fresh;
        if (!link.GetInstrument(&fresh)) return {"read failed"};
        std::vector<std::string> diffs;
        for (const std::string& name : ReadValueDifferences(fresh, record)) {
            const bool unfittedDate =
                name.rfind("SensorDate(", 0) == 0 && !fresh.GasEnabled(static_cast<Integer>(name[11] - '0'));
            if (!unfittedDate) diffs.push_back(name);
        }
        return diffs;
    }

    bool Logged(const std::string& part) const {
        for (const std::string& line : logLines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
};

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

// ---- One changed setting: exactly its command goes out ----

struct StepCase {
    const char* name;
    std::function<void(clsInstrument&)> edit;
    // The body expected, from the record after the edit.
    std::function<std::string(const clsInstrument&)> body;
    bool flagsStay = false;   // the write leaves its flags set, so the next call sends it again
    bool roundTrips = true;   // a fresh read gives back exactly the edited values
};

std::function<std::string(const clsInstrument&)> Literal(std::string body) {
    return [body](const clsInstrument&) { return body; };
}

std::function<std::string(const clsInstrument&)> AlarmBody(AlarmPoint point) {
    return [point](const clsInstrument& r) {
        return std::string(AlarmPointCode(point)) + ",W," + AlarmPointPayload(r, point);
    };
}

const std::vector<StepCase>& StepCases() {
    static const std::vector<StepCase> cases = {
        {"IN", [](clsInstrument& r) { r.SerialNo("AB12"); }, Literal("IN,W,AB12" + Spaces(16))},
        {"HN", [](clsInstrument& r) { r.DummySerial("M2501-0999"); r.Change_DummySerial(true); },
         Literal("HN,W,M2501-0999" + Spaces(10))},
        {"XS_Id", [](clsInstrument& r) { r.StationID("SEWER ACCESS 007"); }, Literal("XS,W,****,SEWER ACCESS 007")},
        // The instrument keeps a short text with its padding, so it reads back padded.
        {"XZ_Id", [](clsInstrument& r) { r.UserID("J.SMITH"); }, Literal("XZ,W,****,J.SMITH" + Spaces(9)), false,
         false},
        {"UG",
         [](clsInstrument& r) {
             const Integer ports[] = {-1, 0, 1, 2, 3, -1};
             for (Integer g = 0; g < 6; ++g) r.PortCh(g, ports[g]);
         },
         Literal("UG,W,F,0,1,2,3,F"), false, false},  // a read gives "F" channels the free ports
        {"UG_Swap",
         [](clsInstrument& r) {
             r.PortCh(0, 1);
             r.PortCh(1, 0);
         },
         Literal("UG,W,1,0,2,3,4,5")},
        {"GJ", [](clsInstrument& r) { r.GasName(3, "CO-H2"); r.Change_GasEnable(3, true); },
         [](const clsInstrument& r) { return "GJ,W," + GasInfoPayload(r); }},
        {"AT", [](clsInstrument& r) { r.AlarmO2(1); }, Literal("AT,W,1")},
        // Decimals 0, 1, 0, 0, 0 and channel 6 on its second range with 1 decimal.
        {"A1",
         [](clsInstrument& r) {
             const Single values[] = {50, 19.5f, 25, 10, 100, 50};
             for (Integer g = 0; g < 6; ++g) r.Warning(g, values[g]);
             r.GasPoint(2, 0);
             r.GasPoint(4, 0);
             r.GasPoint_l(5, 1);
             r.WarnIsLo(4, false);
             r.WarnIsLo(5, true);
         },
         Literal("A1,W,   50, 19.5,   25,   10,  100, 50.0,H,L"), false, false},
        {"A2", [](clsInstrument& r) { r.Alarm(0, 60); }, AlarmBody(AlarmPoint::Alarm)},
        {"AS", [](clsInstrument& r) { r.Stel(3, 150); }, AlarmBody(AlarmPoint::Stel)},
        {"AW", [](clsInstrument& r) { r.Twa(3, 20); }, AlarmBody(AlarmPoint::Twa)},
        {"SA", [](clsInstrument& r) { r.AutoCalib(0, 45); }, AlarmBody(AlarmPoint::AutoCal)},
        {"AP", [](clsInstrument& r) { r.AlarmMode(0); }, Literal("AP,W,0")},
        {"SC", [](clsInstrument& r) { r.CalLimit(365); }, Literal("SC,W,016D")},
        {"XP", [](clsInstrument& r) { r.Intervals(600); }, Literal("XP,W,0258")},
        {"SD", [](clsInstrument& r) { r.DispCalLimit(0); }, Literal("SD,W,0")},
        {"SM", [](clsInstrument& r) { r.CalCheck(0); }, Literal("SM,W,0")},
        {"XW", [](clsInstrument& r) { r.LogOverWrite(0); }, Literal("XW,W,0")},
        {"XT", [](clsInstrument& r) { r.LcdBackLight(30); }, Literal("XT,W,001E")},
        {"SJ", [](clsInstrument& r) { r.AutoZero(0); }, Literal("SJ,W,0")},
        {"SG", [](clsInstrument& r) { r.DemandZero(0); }, Literal("SG,W,0")},
        {"MP_Password", [](clsInstrument& r) { r.MaintePassword("9999"); r.Change_MaintePassword(true); },
         Literal("MP,W,1,9999")},
        {"MP_Use", [](clsInstrument& r) { r.UseMaintePassword(0); }, Literal("MP,W,0,3721")},
        {"PG", [](clsInstrument& r) { r.PasswordProtect(0); }, Literal("PG,W,0")},
        // The password text's flag sends the switch but is not cleared by it.
        {"PG_PasswordStr", [](clsInstrument& r) { r.PasswordStr("ABCD"); r.Change_PasswordStr(true); },
         Literal("PG,W,1"), true},
        {"UJ", [](clsInstrument& r) { r.SpecType("0"); r.Change_SpecType(true); }, Literal("UJ,W,0")},
        {"BJ", [](clsInstrument& r) { r.DispBumpLimit(0); }, Literal("BJ,W,0")},
        {"BK", [](clsInstrument& r) { r.BumpLimit(365); }, Literal("BK,W,016D")},
        {"BL", [](clsInstrument& r) { r.BumpCheck(0); }, Literal("BL,W,0")},
        {"BU", [](clsInstrument& r) { r.BumpTime(60); }, Literal("BU,W,3C,32,5A,0"), true},
        {"BV", [](clsInstrument& r) { r.BumpFunction(0); }, Literal("BV,W,0")},
        {"XB", [](clsInstrument& r) { r.Confirmation(0); }, Literal("XB,W,0,0F")},
        {"PS", [](clsInstrument& r) { r.SensorDate(2, "250101"); r.Change_SensorDate(2, true); },
         Literal("PS,W,230415,230415,250101,240102,250620,******")},
        {"BS", [](clsInstrument& r) { r.SpecNo("JP-02"); r.Change_SpecNo(true); }, Literal("BS,W,JP-02" + Spaces(5))},
        {"AF", [](clsInstrument& r) { r.AlarmOnOff(1); }, Literal("AF,W,1"), true},
        {"XL", [](clsInstrument& r) { r.LunchBreak(0); }, Literal("XL,W,0")},
        {"PO", [](clsInstrument& r) { r.PumpOnOffDisp(0); }, Literal("PO,W,0")},
        {"XI", [](clsInstrument& r) { r.DispID(0); }, Literal("XI,W,0")},
        {"XA", [](clsInstrument& r) { r.AlarmSilence(0); }, Literal("XA,W,0")},
        {"EB", [](clsInstrument& r) { r.PeakBar(0); }, Literal("EB,W,0")},
        {"BW", [](clsInstrument& r) { r.BumpCheckALL(1); }, Literal("BW,W,1")},
        {"SW", [](clsInstrument& r) { r.CalCheckALL(1); }, Literal("SW,W,1")},
        {"WB", [](clsInstrument& r) { r.LcBuzzer(0); }, Literal("WB,W,1,2,1E,0"), true},
        {"UL", [](clsInstrument& r) { r.LcdContrast(5); }, Literal("UL,W,05")},
        {"UZ", [](clsInstrument& r) { r.Zero(1, 1); }, Literal("UZ,W,111110")},
        {"US", [](clsInstrument& r) { r.ZeroForce(0, 3); r.Change_ZeroForce(0, true); }, Literal("US,W,3,0,1,0,2,0")},
        {"FF", [](clsInstrument& r) { r.IRRange(0); }, Literal("FF,W,0")},
        {"A3", [](clsInstrument& r) { r.Inert1st(10); r.Change_Inert1st(true); }, Literal("A3,W, 10.0")},
        {"A4", [](clsInstrument& r) { r.Inert2nd(4.5f); r.Change_Inert2nd(true); }, Literal("A4,W,  4.5")},
        {"MO", [](clsInstrument& r) { r.UserPassword2("1111"); r.Change_UserPassword2(true); }, Literal("MO,W,1,1111")},
        {"KL", [](clsInstrument& r) { r.Inverse(0); }, Literal("KL,W,0")},
        {"XD", [](clsInstrument& r) { r.RemainTimeDisp(0); }, Literal("XD,W,0")},
        {"JZ", [](clsInstrument& r) { r.KeySound(0); }, Literal("JZ,W,0")},
        {"AN", [](clsInstrument& r) { r.ManDown2(20); }, Literal("AN,W,1,1,1E,14,3C")},
        {"X7", [](clsInstrument& r) { r.dlogOnOff(0); }, Literal("X7,W,0")},
        {"UW", [](clsInstrument& r) { r.DateDispType(1); }, Literal("UW,W,1")},
        {"U9", [](clsInstrument& r) { r.CSAdata(0); }, Literal("U9,W,0")},
        {"EJ", [](clsInstrument& r) { r.LangType(0); }, Literal("EJ,W,0")},
        {"UO", [](clsInstrument& r) { r.LeakCOdisp(0); }, Literal("UO,W,0")},
        {"XS_Entry", [](clsInstrument& r) { r.StationList(31, "NEW STATION"); },
         Literal("XS,W,001F,NEW STATION" + Spaces(5)), false, false},
        {"XZ_Entry", [](clsInstrument& r) { r.UserList(127, "NEW USER"); }, Literal("XZ,W,007F,NEW USER" + Spaces(8)),
         false, false},
        {"XS_EntryFull", [](clsInstrument& r) { r.StationList(64, "PUMP HOUSE 64 AB"); },
         Literal("XS,W,0040,PUMP HOUSE 64 AB")},
        {"XZ_EntryFull", [](clsInstrument& r) { r.UserList(126, "K.ITO NIGHT-SHFT"); },
         Literal("XZ,W,007E,K.ITO NIGHT-SHFT")},
    };
    return cases;
}

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class WriteStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(WriteStepTest, OneChangedSetting_SendsItsCommandThenClosing_ClearsItsFlags) {
    const StepCase& c = GetParam();
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    c.edit(rig.record);
    const std::string body = c.body(rig.record);

    bool result = false;
    EXPECT_EQ(rig.Write(false, &result), (std::vector<std::string>{body, DW}));
    EXPECT_TRUE(result);

    // A second call sends what is still flagged: the same command, or nothing at all.
    const std::vector<std::string> again = rig.Write(false, &result);
    if (c.flagsStay) {
        EXPECT_EQ(again, (std::vector<std::string>{body, DW}));
    } else {
        EXPECT_EQ(again, std::vector<std::string>{});
        EXPECT_FALSE(result);
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, WriteStepTest, ::testing::ValuesIn(StepCases()),
                         [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST(SetInstrument, EveryStepEdited_InstrumentReadsBackTheEditedRecord) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    for (const StepCase& c : StepCases())
        if (c.roundTrips) c.edit(rig.record);
    ASSERT_TRUE(rig.link.SetInstrument(&rig.record, false));
    EXPECT_EQ(rig.ReadBackDifferences(), std::vector<std::string>{});
    EXPECT_EQ(rig.sim.State().maintenance.closingWrites, 1);
    EXPECT_EQ(rig.sim.State().maintenance.factorySaves, 0);
}

// ---- Every flag set: the fixed order, each command once ----

// The codes of a list of bodies ("XS,W,001F,..." gives "XS").
std::vector<std::string> Codes(const std::vector<std::string>& bodies) {
    std::vector<std::string> codes;
    for (const std::string& body : bodies) codes.push_back(body.substr(0, 2));
    return codes;
}

std::vector<std::string> ListEntryBodies(const clsInstrument& r) {
    std::vector<std::string> bodies;
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) bodies.push_back("XS,W," + StationListPayload(r, i));
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) bodies.push_back("XZ,W," + UserListPayload(r, i));
    return bodies;
}

void FlagEverything(clsInstrument& r) {
    r.SetChangeFlags(true, true);
    r.Change_DummySerial(true);  // flagged by SetChangeFlags only in factory mode
}

TEST(SetInstrument, EveryFlagSet_SendsEachCommandOnceInTableOrder_ThenListsAndClosing) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    FlagEverything(rig.record);

    std::vector<std::string> expected;
    for (const WriteCommand& command : WriteCommands())
        expected.push_back(std::string(command.code) + ",W," + command.payload(rig.record));
    for (const std::string& body : ListEntryBodies(rig.record)) expected.push_back(body);
    expected.push_back(DW);

    bool result = false;
    EXPECT_EQ(rig.Write(false, &result), expected);
    EXPECT_TRUE(result);
    EXPECT_EQ(rig.ReadBackDifferences(), std::vector<std::string>{});

    // Only the groups that keep their flags go out again.
    EXPECT_EQ(Codes(rig.Write()), (std::vector<std::string>{"PG", "BU", "AF", "WB", "DW"}));
}

TEST(SetInstrument, BumpCheckAllAndCalCheckAllOfMinusOne_NeverWritten) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.BumpCheckALL(-1);
    rig.record.CalCheckALL(-1);
    rig.record.KeySound(0);
    EXPECT_EQ(rig.Write(), (std::vector<std::string>{"JZ,W,0", DW}));
    EXPECT_TRUE(rig.record.Change_BumpCheckALL());
    EXPECT_TRUE(rig.record.Change_CalCheckALL());
    EXPECT_EQ(rig.sim.State().record.BumpCheckALL(), 0);
}

// ---- Identity: the serial number, the IDs and the lists go with their own flags ----

TEST(SetInstrument, SettingsFlagsOnly_NoIdentityCommandSent) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.SetChangeFlags(true, false);
    for (const std::string& body : rig.Write()) {
        EXPECT_NE(body.substr(0, 3), "IN,") << body;
        EXPECT_NE(body.substr(0, 3), "HN,") << body;
        EXPECT_NE(body.substr(0, 3), "XS,") << body;
        EXPECT_NE(body.substr(0, 3), "XZ,") << body;
    }
}

TEST(SetInstrument, IdentityFlagsOnly_SerialIdsAndEveryListEntry) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.SetChangeFlags(false, true);
    std::vector<std::string> expected = {"IN,W," + WritePayload("IN", rig.record),
                                         "XS,W,****," + EncodeFix(rig.record.StationID(), 16),
                                         "XZ,W,****," + EncodeFix(rig.record.UserID(), 16)};
    for (const std::string& body : ListEntryBodies(rig.record)) expected.push_back(body);
    expected.push_back(DW);
    EXPECT_EQ(rig.Write(), expected);
    EXPECT_EQ(rig.Write(), std::vector<std::string>{});
}

// ---- Alarm-point rounds ----

// An instrument that acknowledges the alarm-point writes without repeating the frame exactly
// (its number fields come back without their padding).
struct UnpaddedEchoRig : LinkRig {
    UnpaddedEchoRig() {
        Connect([](const std::string& body) -> std::vector<Piece> {
            std::string echo;
            for (char c : body)
                if (c != ' ') echo += c;
            if (body.rfind("A1,W,", 0) == 0 || body.rfind("JZ,W,", 0) == 0) return {{Reply(echo)}};
            if (body == DW) return {{Reply(DW + std::string(1, ACK))}};
            return {};
        });
    }
};

TEST(SetInstrument, AlarmPointNotRepeatedExactly_SentInThreeRounds_FlagsStaySet) {
    UnpaddedEchoRig rig;
    rig.record.Warning(0, 50);
    rig.record.KeySound(1);
    EXPECT_TRUE(rig.link.SetInstrument(&rig.record, false));
    const std::string a1 = "A1,W," + AlarmPointPayload(rig.record, AlarmPoint::Warning);
    EXPECT_EQ(rig.device.bodies, (std::vector<std::string>{a1, a1, a1, "JZ,W,1", DW}));
    EXPECT_TRUE(rig.record.Change_Warn(0));
    EXPECT_FALSE(rig.record.Change_KeySound());
}

TEST(SetInstrument, AlarmPointsRepeatedByInstrument_OneRound_FlagsCleared) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    for (Integer g = 0; g < 6; ++g) {
        rig.record.Change_Warn(g, true);
        rig.record.Change_Twa(g, true);
    }
    EXPECT_EQ(Codes(rig.Write()), (std::vector<std::string>{"A1", "AW", "DW"}));
    for (Integer g = 0; g < 6; ++g) EXPECT_FALSE(rig.record.Change_Warn(g) || rig.record.Change_Twa(g)) << g;
}

// ---- Failures ----

struct RefusalCase {
    const char* name;
    bool silently;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedWriteTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedWriteTest, RefusedAtSC_StopsThere_LaterFlagsStay_NextCallResumes) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.AlarmO2(1);        // before "SC"
    rig.record.CalLimit(365);     // refused
    rig.record.LcdBackLight(60);  // after it
    rig.record.StationList(3, "LATER STATION 03");
    SimFaults refusing;
    refusing.refused = {"SC,W"};
    refusing.refuseSilently = GetParam().silently;
    rig.sim.SetFaults(refusing);

    bool result = true;
    const std::vector<std::string> sent = rig.Write(false, &result);
    EXPECT_FALSE(result);
    // The refused command with its repeats, and nothing after it.
    std::vector<std::string> expected = {"AT,W,1"};
    expected.insert(expected.end(), 1 + rig.link.Retry(), "SC,W,016D");
    EXPECT_EQ(sent, expected);
    EXPECT_FALSE(rig.record.Change_AlarmO2());
    EXPECT_TRUE(rig.record.Change_CalLimit());
    EXPECT_TRUE(rig.record.Change_LcdBackLight());
    EXPECT_TRUE(rig.record.Change_StationList(3));
    EXPECT_EQ(rig.sim.State().record.CalLimit(), 180);
    EXPECT_TRUE(rig.Logged("---Instrument Upload Started---"));
    EXPECT_TRUE(rig.Logged("---Instrument Upload Failed---"));
    EXPECT_FALSE(rig.Logged("---Instrument Upload Finished---"));

    rig.sim.SetFaults({});
    EXPECT_EQ(rig.Write(false, &result),
              (std::vector<std::string>{"SC,W,016D", "XT,W,003C", "XS,W,0003,LATER STATION 03", DW}));
    EXPECT_TRUE(result);
    EXPECT_EQ(rig.ReadBackDifferences(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedWriteTest,
                         ::testing::Values(RefusalCase{"WithNak", false}, RefusalCase{"Silently", true}),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SetInstrument, RefusedClosingWrite_FailsAndSkipsFactorySave) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.KeySound(0);
    SimFaults refusing;
    refusing.refused = {"DW,W"};
    rig.sim.SetFaults(refusing);
    bool result = true;
    const std::vector<std::string> sent = rig.Write(true, &result);
    EXPECT_FALSE(result);
    EXPECT_EQ(sent.front(), "JZ,W,0");
    EXPECT_EQ(sent.back(), DW);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), FB), 0);
    EXPECT_FALSE(rig.record.Change_KeySound());
    EXPECT_TRUE(rig.Logged("---Instrument Upload Failed---"));
}

TEST(SetInstrument, DroppedCorruptedAndSplitReplies_RetriedUntilEveryWriteArrives) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    for (const StepCase& c : StepCases())
        if (c.roundTrips) c.edit(rig.record);
    FlagEverything(rig.record);
    SimFaults faults;
    faults.seed = 7302;
    faults.dropReply = 0.15;
    faults.corruptChecksum = 0.05;
    faults.splitReply = 0.3;
    rig.sim.SetFaults(faults);
    rig.link.Retry(6);

    ASSERT_TRUE(rig.link.SetInstrument(&rig.record, false));
    EXPECT_GT(rig.sim.Dropped(), 10);
    EXPECT_GT(rig.sim.Corrupted(), 3);
    rig.sim.SetFaults({});
    EXPECT_EQ(rig.ReadBackDifferences(), std::vector<std::string>{});
}

// Answers later than the timeout: every write is repeated before its first answer comes, and the
// answer to the repetition reaches the next write, which must not be judged by it.
TEST(SetInstrument, LateRepliesCrossingRepetitions_EveryWriteArrivesExactly) {
    for (const int delayMs : {1500, 2500}) {
        WriteRig rig;
        ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
        for (const StepCase& c : StepCases())
            if (c.roundTrips) c.edit(rig.record);
        FlagEverything(rig.record);
        SimFaults late;
        late.replyDelayMs = delayMs;
        rig.sim.SetFaults(late);

        ASSERT_TRUE(rig.link.SetInstrument(&rig.record, false)) << delayMs;
        EXPECT_GT(rig.sim.Count().commands, static_cast<int>(rig.Sent().size() / 2)) << delayMs;
        EXPECT_TRUE(rig.Logged("<<< Stale reply discarded, waiting for ")) << delayMs;
        rig.sim.SetFaults({});
        EXPECT_EQ(rig.ReadBackDifferences(), std::vector<std::string>{}) << delayMs;
    }
}

TEST(SetInstrument, CancelDuringWrite_FailsAndLeavesTheRestFlagged) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    FlagEverything(rig.record);
    SimFaults slow;
    slow.replyDelayMs = 10;
    rig.sim.SetFaults(slow);
    rig.loop.Post(100, [&] { rig.link.Cancel(true); });
    bool result = true;
    const std::vector<std::string> sent = rig.Write(false, &result);
    EXPECT_FALSE(result);
    EXPECT_LT(sent.size(), 20u);
    EXPECT_TRUE(rig.record.Change_StationList(0));
    EXPECT_TRUE(rig.record.Change_LeakCOdisp());
    EXPECT_EQ(std::count(sent.begin(), sent.end(), DW), 0);
}

TEST(SetInstrument, NullRecord_NothingSent_FailedLogged) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    EXPECT_FALSE(rig.link.SetInstrument(nullptr, true));
    EXPECT_EQ(rig.Sent(), std::vector<std::string>{});
    EXPECT_FALSE(rig.Logged("---Instrument Upload Started---"));
    EXPECT_TRUE(rig.Logged("---Instrument Upload Failed---. Date = 2025/01/01 "));
}

// ---- Nothing flagged, factory save, log lines ----

TEST(SetInstrument, NothingFlagged_NothingSent_FinishedLogged_ResultFalse) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    bool result = true;
    EXPECT_EQ(rig.Write(false, &result), std::vector<std::string>{});
    EXPECT_FALSE(result);
    EXPECT_TRUE(rig.Logged("---Instrument Upload Started---. Date = 2025/01/01 "));
    EXPECT_TRUE(rig.Logged("---Instrument Upload Finished---"));
    EXPECT_FALSE(rig.Logged("---Instrument Upload Failed---"));
}

TEST(SetInstrument, NothingFlaggedWithFactorySave_OnlyFactorySaveSent_ResultTrue) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    bool result = false;
    EXPECT_EQ(rig.Write(true, &result), std::vector<std::string>{FB});
    EXPECT_TRUE(result);
    EXPECT_EQ(rig.sim.State().maintenance.factorySaves, 1);
}

TEST(SetInstrument, ChangeWithFactorySave_WritesClosesAndKeepsAsDefaults) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    rig.record.KeySound(0);
    bool result = false;
    EXPECT_EQ(rig.Write(true, &result), (std::vector<std::string>{"JZ,W,0", DW, FB}));
    EXPECT_TRUE(result);
    EXPECT_EQ(rig.sim.State().defaults.KeySound(), 0);
}

TEST(SetInstrument, FinishedLine_CarriesDateAndElapsedTime) {
    WriteRig rig;
    ASSERT_NO_FATAL_FAILURE(rig.ConnectAndRead());
    SimFaults slow;
    slow.replyDelayMs = 1500;
    rig.sim.SetFaults(slow);
    rig.link.Timeout(3);
    rig.record.KeySound(0);
    const std::string start = FormatGeneralDate(rig.loop.Now());
    EXPECT_EQ(rig.Write(), (std::vector<std::string>{"JZ,W,0", DW}));
    ASSERT_GE(rig.logLines.size(), 2u);
    EXPECT_NE(rig.logLines.front().find("---Instrument Upload Started---. Date = " + start), std::string::npos)
        << rig.logLines.front();
    const std::string end = FormatGeneralDate(rig.loop.Now());
    EXPECT_NE(rig.logLines.back().find("---Instrument Upload Finished---. Date = " + end + "[Time = 00:00:03]"),
              std::string::npos)
        << rig.logLines.back();
}

}  // namespace
}  // namespace tz::test
