#include <string>

#include "sim/SimField.h"
#include "sim/SimHarness.h"
#include "text/DateTime.h"

namespace tz::test {
namespace {

class SimMaintenanceTest : public SimHarness {
protected:
    SimMaintenance& M() { return sim.State().maintenance; }
};

// Each action is acknowledged when started; its poll answers "not yet" as often as chosen, then
// done, and done again if asked once more (a poll repeated after a lost reply).
TEST_F(SimMaintenanceTest, ConfirmationPolls_NotYetTheChosenNumberOfTimes_ThenAck) {
    const struct { const char* start; const char* poll; SimPoll SimMaintenance::*action; } cases[] = {
        {"XC,W,", "XC,C,", &SimMaintenance::dataClear},
        {"XY,W,", "XY,C,", &SimMaintenance::powerDataClear},
        {"UX,W,", "UX,C,", &SimMaintenance::defaults},
        {"LR,W,1", "LR,C,", &SimMaintenance::heater},
    };
    for (const auto& c : cases)
        for (int notYet : {0, 1, 4}) {
            const std::string start = c.start, poll = c.poll;
            (M().*c.action).notYet = notYet;
            EXPECT_EQ(Reply(start), Status(start.substr(0, 4), ACK)) << start;
            for (int i = 0; i < notYet; ++i)
                EXPECT_EQ(Reply(poll), Status(poll.substr(0, 4), SUB)) << poll << " " << i;
            EXPECT_EQ(Reply(poll), Status(poll.substr(0, 4), ACK)) << poll << " " << notYet;
            EXPECT_EQ(Reply(poll), Status(poll.substr(0, 4), ACK)) << poll << " again";
        }
    EXPECT_EQ(M().dataClears, 3);
    EXPECT_EQ(M().powerDataClears, 3);
    EXPECT_EQ(M().defaultResets, 3);
}

TEST_F(SimMaintenanceTest, HeaterOff_NeedsNoWarmUp) {
    EXPECT_EQ(Reply("LR,W,0"), Status("LR,W", ACK));
    EXPECT_EQ(Reply("LR,C,"), Status("LR,C", ACK));
    EXPECT_EQ(M().heaterOn, 0);
    EXPECT_EQ(Reply("LR,W,x"), Status("LR,W", NAK));
}

// The actions with nothing to poll: acknowledged, or repeated, and kept.
TEST_F(SimMaintenanceTest, OneShotActionsAndSwitches_AnsweredAndKept) {
    EXPECT_EQ(Reply("SQ,W,1"), Status("SQ,W", ACK));
    EXPECT_EQ(Reply("SN,W, 20.9"), Status("SN,W", ACK));
    EXPECT_EQ(Reply("XH,E,"), Status("XH,E", ACK));
    EXPECT_EQ(Reply("DW,W,"), Status("DW,W", ACK));
    EXPECT_EQ(Reply("BP,W,1"), Framed("BP,W,1"));
    EXPECT_EQ(M().heaterDry, 1);
    EXPECT_EQ(M().o2Density, " 20.9");
    EXPECT_EQ(M().checks, 1);
    EXPECT_EQ(M().closingWrites, 1);
    EXPECT_TRUE(M().pumpOn);
    EXPECT_EQ(Reply("BP,W,0"), Framed("BP,W,0"));
    EXPECT_FALSE(M().pumpOn);
}

TEST_F(SimMaintenanceTest, ClockWrite_RepeatsTheFrameAndSetsTheClock) {
    EXPECT_EQ(Reply("HC,W,260305140709"), Framed("HC,W,260305140709"));
    EXPECT_EQ(FormatGeneralDate(sim.State().clock), "2026/03/05 14:07:09");
    EXPECT_EQ(Reply("HC,R,"), Framed("HC,R,260305140709"));
}

// "FB,W," keeps the present settings as the defaults; "FB,R," and a finished "UX" bring them
// back.
TEST_F(SimMaintenanceTest, FactorySaveAndRestore_DefaultsFollowTheLastSave) {
    Reply("SC,W,016D");
    EXPECT_EQ(Reply("FB,R,"), Status("FB,R", ACK));
    EXPECT_EQ(sim.State().record.CalLimit(), 180);  // the delivered defaults

    Reply("SC,W,016D");
    EXPECT_EQ(Reply("FB,W,"), Status("FB,W", ACK));
    Reply("SC,W,0001");
    M().defaults.notYet = 0;
    Reply("UX,W,");
    EXPECT_EQ(sim.State().record.CalLimit(), 1);  // not before the action has finished
    Reply("UX,C,");
    EXPECT_EQ(sim.State().record.CalLimit(), 365);
    EXPECT_EQ(M().factorySaves, 1);
    EXPECT_EQ(M().factoryRestores, 1);
}

// ---- Zero calibration ----

TEST_F(SimMaintenanceTest, ZeroCalibration_SubWhileRunning_ThenTheSixCharacterResult) {
    EXPECT_EQ(Reply("SZ,C,"), Status("SZ,C", NAK));  // no result to report yet
    M().zero.notYet = 3;
    M().zeroPasses[3] = false;
    EXPECT_EQ(Reply("SZ,W,111111"), Status("SZ,W", ACK));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Reply("SZ,C,"), Status("SZ,C", SUB)) << i;
    // Channel 4 failed; channel 6 is not fitted.
    EXPECT_EQ(Reply("SZ,C,"), Framed("SZ,C,00010-"));
    EXPECT_EQ(Reply("SZ,C,"), Framed("SZ,C,00010-"));
    EXPECT_EQ(M().zeroResult, "00010-");
    EXPECT_EQ(M().zeroRequest, "111111");
}

TEST_F(SimMaintenanceTest, ZeroCalibration_UnselectedChannelsNotCalibrated_BadSelectionRefused) {
    M().zero.notYet = 0;
    Reply("SZ,W,100001");
    EXPECT_EQ(Reply("SZ,C,"), Framed("SZ,C,0-----"));
    for (const char* bad : {"SZ,W,11111", "SZ,W,1111112", "SZ,W,11111X"})
        EXPECT_EQ(Reply(bad), Status("SZ,W", NAK)) << bad;
    EXPECT_EQ(Reply("SZ,C,"), Framed("SZ,C,0-----"));  // the refused starts changed nothing
}

// ---- Span calibration and calibration factors ----

TEST_F(SimMaintenanceTest, SpanCalibration_AnswersTheResult_PassedChannelsGetNewHistory) {
    M().spanPasses[2] = false;
    const Date before2 = sim.State().record.CalibDate(2);
    const std::string request = "101010,   50,*****,  5.0,*****,100.0,*****,H,H";
    EXPECT_EQ(Reply("S2,W," + request), Framed("S2,W,0-1-0-"));
    const clsInstrument& r = sim.State().record;
    EXPECT_EQ(r.CalibDate(0), sim.State().clock);
    EXPECT_FLOAT_EQ(r.CalibAfter(0), 50);
    EXPECT_FLOAT_EQ(r.CalibBefore(0), r.LimitValue(0));
    EXPECT_FLOAT_EQ(r.CalibAfter(4), 100);
    EXPECT_FALSE(r.AfterIsLo(4));
    EXPECT_EQ(r.CalibDate(2), before2);  // failed: history unchanged
    EXPECT_EQ(M().spanResult, "0-1-0-");
    EXPECT_EQ(Reply("S2,W,10101"), Status("S2,W", NAK));
    EXPECT_EQ(Reply("S2,W,101010,   50"), Status("S2,W", NAK));
}

TEST_F(SimMaintenanceTest, CalibrationFactors_RepeatedAsTaken_RefusedFactorComesBackOld) {
    M().factorAccepted[1] = false;
    const std::string old1 = SimField::Float8(sim.State().record.SpanData(1));
    const std::string sent = "3F800000,40000000,40400000,40800000,40A00000,40C00000";
    EXPECT_EQ(Reply("S1,D," + sent),
              Framed("S1,D,3F800000," + old1 + ",40400000,40800000,40A00000,40C00000"));
    EXPECT_FLOAT_EQ(sim.State().record.SpanData(0), 1.0f);
    EXPECT_FLOAT_EQ(sim.State().record.SpanData(5), 6.0f);
    EXPECT_EQ(Reply("S1,R,"), Framed("S1,R,3F800000," + old1 + ",40400000,40800000,40A00000,40C00000"));
    EXPECT_EQ(Reply("S1,D,3F800000"), Status("S1,D", NAK));
    EXPECT_EQ(Reply("S1,D,3F80000G,40000000,40400000,40800000,40A00000,40C00000"), Status("S1,D", NAK));
}

// ---- Power off ----

TEST_F(SimMaintenanceTest, PowerOff_SilentUntilThePortIsOpenedAgain) {
    EXPECT_EQ(Reply("RO,W,"), Status("RO,W", ACK));
    EXPECT_EQ(Reply("RC,R,"), "");
    EXPECT_EQ(Feed(BuildFrame(std::string(1, NAK) + "RO,W,", ETB)), "");  // not even a repeat
    sim.OnPortClosed();
    EXPECT_EQ(Reply("RC,R,"), "");
    EXPECT_EQ(sim.Count().ignoredOff, 3);
    sim.OnPortOpened();
    EXPECT_EQ(Reply("RC,R,"), Framed("RC,R,TZ-7300"));
}

TEST_F(SimMaintenanceTest, PowerOff_FramesAfterItInTheSameWriteAreIgnored) {
    EXPECT_EQ(Feed(Framed("RO,W,") + Framed("RC,R,")), Status("RO,W", ACK));
    sim.OnPortOpened();
    EXPECT_EQ(Reply("RC,R,"), Framed("RC,R,TZ-7300"));
}

TEST_F(SimMaintenanceTest, RefusedPowerOff_StaysOn) {
    SimFaults faults;
    faults.refused = {"RO,W"};
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("RO,W,"), Status("RO,W", NAK));
    EXPECT_EQ(Reply("RC,R,"), Framed("RC,R,TZ-7300"));
}

// A refused action start leaves nothing running that a poll could report.
TEST_F(SimMaintenanceTest, RefusedActionStart_NothingRuns) {
    SimFaults faults;
    faults.refused = {"XC,W"};
    sim.SetFaults(faults);
    M().dataClear.notYet = 2;
    EXPECT_EQ(Reply("XC,W,"), Status("XC,W", NAK));
    EXPECT_FALSE(M().dataClear.running);
    EXPECT_EQ(Reply("XC,C,"), Status("XC,C", ACK));
    EXPECT_EQ(M().dataClears, 0);
}

}  // namespace
}  // namespace tz::test
