// Calibration operations against the simulated instrument at virtual time: zero calibration with
// its result polls, span calibration, the oxygen concentration and the calibration factors.
#include <gtest/gtest.h>

#include "link/SimLinkRig.h"
#include "text/SharedHelpers.h"

namespace tz::test {
namespace {

using Strings = std::vector<std::string>;

class Calibration : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Connect()); }
    SimMaintenance& Sim() { return rig.sim.State().maintenance; }

    // What the channel's status should read: selected, fitted and passed.
    bool Passed(const std::array<bool, 6>& passes, Integer gas) {
        return passes[static_cast<std::size_t>(gas)] && rig.sim.State().record.GasEnabled(gas);
    }

    SimLinkRig rig;
};

TEST_F(Calibration, ZeroSubThreeTimes_PollsFourTimesOneSecondApart) {
    Sim().zero.notYet = 3;
    EXPECT_TRUE(rig.link.ZeroCal("111111"));
    EXPECT_EQ(rig.Commands(), (Strings{"SZ,W,111111", "SZ,C,", "SZ,C,", "SZ,C,", "SZ,C,"}));
    const std::vector<std::int64_t> gaps = rig.GapsOf("SZ,C,");
    ASSERT_EQ(gaps.size(), 3u);
    for (std::int64_t gap : gaps) {
        EXPECT_GE(gap, 1000);
        EXPECT_LT(gap, 1100);
    }
}

TEST_F(Calibration, ZeroMixedChannelResults_ZeroStatusPerChannel) {
    Sim().zero.notYet = 1;
    Sim().zeroPasses = {true, false, true, true, false, true};
    ASSERT_FALSE(rig.sim.State().record.GasEnabled(5));  // the sixth channel is not fitted
    ASSERT_TRUE(rig.link.ZeroCal("111111"));
    EXPECT_EQ(rig.link.ZeroResult(), Sim().zeroResult);
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_EQ(rig.link.ZeroStatus(gas), Passed(Sim().zeroPasses, gas)) << gas;
    EXPECT_FALSE(rig.link.ZeroStatus(-1));
    EXPECT_FALSE(rig.link.ZeroStatus(6));
}

TEST_F(Calibration, ZeroOnlySelectedChannels_OthersNotPassed) {
    Sim().zero.notYet = 0;
    ASSERT_TRUE(rig.link.ZeroCal("101000"));
    EXPECT_EQ(rig.link.ZeroResult(), "0-0---");
    EXPECT_TRUE(rig.link.ZeroStatus(0));
    EXPECT_FALSE(rig.link.ZeroStatus(1));
}

TEST_F(Calibration, ZeroStartRefused_FailsLogsWithoutPollingAndForgetsEarlierResult) {
    Sim().zero.notYet = 0;
    ASSERT_TRUE(rig.link.ZeroCal("111111"));
    ASSERT_TRUE(rig.link.ZeroStatus(0));
    rig.sim.ClearReceivedCommands();
    rig.Refuse("SZ,W");
    EXPECT_FALSE(rig.link.ZeroCal("111111"));
    EXPECT_EQ(rig.Commands(), Strings{"SZ,W,111111"});  // never repeated, never polled
    EXPECT_TRUE(rig.Logged("---Calibration Upload Failed---. Date = "));
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_FALSE(rig.link.ZeroStatus(gas)) << gas;
}

TEST_F(Calibration, ZeroStillRunningAtPollLimit_Fails) {
    Sim().zero.notYet = 10;
    rig.link.PollLimit(4);
    EXPECT_FALSE(rig.link.ZeroCal("111111"));
    EXPECT_EQ(rig.Commands().size(), 1u + 4u);
    EXPECT_TRUE(rig.link.ZeroResult().empty());
    EXPECT_TRUE(rig.Logged("---Calibration Upload Failed---"));
}

TEST_F(Calibration, ZeroPollRefused_Fails) {
    Sim().zero.notYet = 2;
    rig.Refuse("SZ,C");
    EXPECT_FALSE(rig.link.ZeroCal("111111"));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_TRUE(rig.Logged("<<< Response error >>>"));
}

TEST_F(Calibration, ZeroPollRepliesDropped_RepeatedAndSucceeds) {
    Sim().zero.notYet = 2;
    SimFaults faults;
    faults.seed = 11;
    faults.dropReply = 0.3;
    rig.loop.Post(500, [&] { rig.Faults(faults); });  // after the start, before the first poll
    rig.link.Retry(6);
    EXPECT_TRUE(rig.link.ZeroCal("111111"));
    EXPECT_GT(rig.sim.Dropped(), 0);
    EXPECT_EQ(rig.link.ZeroResult(), Sim().zeroResult);
}

TEST_F(Calibration, SpanMixedResults_SpanStatusAndInstrumentHistory) {
    Sim().spanPasses = {false, true, true, false, true, true};
    const clsInstrument before = rig.sim.State().record;
    ASSERT_TRUE(rig.link.SpanCal("111111"));
    EXPECT_EQ(rig.Commands(), Strings{"S2,W,111111"});
    EXPECT_EQ(rig.link.SpanResult(), Sim().spanResult);
    for (Integer gas = 0; gas < 6; ++gas) {
        EXPECT_EQ(rig.link.SpanStatus(gas), Passed(Sim().spanPasses, gas)) << gas;
        const bool changed = rig.sim.State().record.CalibDate(gas) != before.CalibDate(gas) ||
                             rig.sim.State().record.CalibAfter(gas) != before.CalibAfter(gas);
        if (!Passed(Sim().spanPasses, gas)) {
            EXPECT_FALSE(changed) << gas;  // a failed channel keeps its calibration history
        }
    }
    EXPECT_FALSE(rig.link.SpanStatus(6));
}

TEST_F(Calibration, SpanRefused_FailsLogsAndNoStatus) {
    ASSERT_TRUE(rig.link.SpanCal("111111"));
    rig.sim.ClearReceivedCommands();
    SimFaults faults;
    faults.refused = {"S2,W"};
    faults.refuseSilently = true;
    rig.Faults(faults);
    EXPECT_FALSE(rig.link.SpanCal("111111"));
    EXPECT_EQ(rig.Commands(), Strings{"S2,W,111111"});  // a span start is never sent twice
    EXPECT_TRUE(rig.Logged("---Calibration Upload Failed---"));
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_FALSE(rig.link.SpanStatus(gas)) << gas;
}

TEST_F(Calibration, OxygenConcentration_SentAsGiven) {
    EXPECT_TRUE(rig.link.zCal("20.9"));
    EXPECT_EQ(rig.Commands(), Strings{"SN,W,20.9"});
    EXPECT_EQ(Sim().o2Density, "20.9");
}

TEST_F(Calibration, OxygenConcentrationRefused_FailsAndLogs) {
    rig.Refuse("SN,W");
    EXPECT_FALSE(rig.link.zCal("20.9"));
    EXPECT_TRUE(rig.Logged("---Calibration Upload Failed---"));
}

std::string FactorPayload(const std::array<Single, 6>& factors) {
    std::string payload;
    for (std::size_t i = 0; i < factors.size(); ++i) payload += (i ? "," : "") + SingleToHex(factors[i]);
    return payload;
}

TEST_F(Calibration, FactorsAllTaken_StoredInRecordFlagsCleared) {
    const std::array<Single, 6> factors{1.5f, 0.25f, 2.0f, 3.75f, 1.125f, 0.5f};
    for (Integer gas = 0; gas < 6; ++gas) rig.record.Change_SpanData(gas, true);
    std::string failes;
    EXPECT_TRUE(rig.link.UpdateCalibrationFactor(FactorPayload(factors), failes));
    EXPECT_EQ(failes, "000000");
    for (Integer gas = 0; gas < 6; ++gas) {
        EXPECT_EQ(rig.record.SpanData(gas), factors[static_cast<std::size_t>(gas)]) << gas;
        EXPECT_FALSE(rig.record.Change_SpanData(gas)) << gas;
        EXPECT_EQ(rig.sim.State().record.SpanData(gas), factors[static_cast<std::size_t>(gas)]) << gas;
    }
    EXPECT_TRUE(rig.Logged("Update finished"));
}

TEST_F(Calibration, FactorNotTaken_MarkedAndRecordKeepsOldValue) {
    Sim().factorAccepted[2] = false;
    rig.record.SpanData(2, 9.0f);
    rig.record.Change_SpanData(2, true);
    const std::array<Single, 6> factors{1.5f, 0.25f, 2.0f, 3.75f, 1.125f, 0.5f};
    std::string failes = "x";
    EXPECT_FALSE(rig.link.UpdateCalibrationFactor(FactorPayload(factors), failes));
    EXPECT_EQ(failes, "x001000");
    EXPECT_EQ(rig.record.SpanData(2), 9.0f);
    EXPECT_TRUE(rig.record.Change_SpanData(2));
    EXPECT_EQ(rig.record.SpanData(3), 3.75f);
    EXPECT_TRUE(rig.Logged("Update Failed  ( "));
}

TEST_F(Calibration, FactorsRefused_FailsWithNothingStored) {
    rig.Refuse("S1,D");
    rig.record.SpanData(0, 9.0f);
    std::string failes;
    EXPECT_FALSE(rig.link.UpdateCalibrationFactor(FactorPayload({1, 1, 1, 1, 1, 1}), failes));
    EXPECT_EQ(failes, "");
    EXPECT_EQ(rig.record.SpanData(0), 9.0f);
    EXPECT_TRUE(rig.Logged("Update Failed "));
}

}  // namespace
}  // namespace tz::test
