// Maintenance operations against the simulated instrument at virtual time: the polled data
// clears and default reset, the sample heater, the one-shot actions, power off and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link/SimLinkRig.h"
#include "text/DateTime.h"

namespace tz::test {
namespace {

using Strings = std::vector<std::string>;

// An action started with W and polled with C until the instrument reports it done.
struct PolledCase {
    const char* name;
    std::function<bool(uclTzif&)> run;
    const char* code;                         // "XC"
    SimPoll SimMaintenance::*poll;
    int SimMaintenance::*finished;
    const char* startLine;                    // logged before the start command ("": none)
    const char* finishedLine;
    const char* failedLine;
};

constexpr const char* kRemoveStart = "--- Data Remove Start Sequence---";

const PolledCase kPolled[] = {
    {"BodyDataClear", [](uclTzif& l) { return l.BodyDataClear(); }, "XC", &SimMaintenance::dataClear,
     &SimMaintenance::dataClears, kRemoveStart, "--- Data Remove Finished---", "--- Data Remove Failed---"},
    {"PowerDataClear", [](uclTzif& l) { return l.PowerDataClear(); }, "XY", &SimMaintenance::powerDataClear,
     &SimMaintenance::powerDataClears, kRemoveStart, "--- Data Remove Finished---", "--- Data Remove Failed---"},
    {"DefaultInstrument", [](uclTzif& l) { return l.DefaultInstrument(); }, "UX", &SimMaintenance::defaults,
     &SimMaintenance::defaultResets, "", "DEFAULT finished", "DEFAULT failed"},
};

class PolledAction : public testing::TestWithParam<PolledCase> {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Connect()); }
    SimPoll& Poll() { return rig.sim.State().maintenance.*(GetParam().poll); }
    int Finished() { return rig.sim.State().maintenance.*(GetParam().finished); }
    std::string W() const { return std::string(GetParam().code) + ",W,"; }
    std::string C() const { return std::string(GetParam().code) + ",C,"; }

    SimLinkRig rig;
};

TEST_P(PolledAction, NotYetTwice_PollsThreeTimesFiveSecondsApartAndSucceeds) {
    Poll().notYet = 2;
    EXPECT_TRUE(GetParam().run(rig.link));
    EXPECT_EQ(rig.Commands(), (Strings{W(), C(), C(), C()}));
    EXPECT_EQ(Finished(), 1);
    for (std::int64_t gap : rig.GapsOf(C())) {
        EXPECT_GE(gap, 5000);
        EXPECT_LT(gap, 5100);
    }
    EXPECT_TRUE(rig.Logged(GetParam().finishedLine));
}

TEST_P(PolledAction, DoneAtOnce_OnePoll) {
    Poll().notYet = 0;
    EXPECT_TRUE(GetParam().run(rig.link));
    EXPECT_EQ(rig.Commands(), (Strings{W(), C()}));
}

TEST_P(PolledAction, NotYetBeyondPollLimit_FailsAfterLimit) {
    Poll().notYet = 5;
    rig.link.PollLimit(3);
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_EQ(rig.Commands(), (Strings{W(), C(), C(), C()}));
    EXPECT_EQ(Finished(), 0);
    EXPECT_TRUE(rig.Logged(GetParam().failedLine));
}

TEST_P(PolledAction, StartRefused_FailsWithoutPolling) {
    rig.Refuse(std::string(GetParam().code) + ",W");
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    for (const std::string& body : rig.Commands()) EXPECT_EQ(body, W());
    EXPECT_EQ(Finished(), 0);
    // A data remove logs its start line before the refused start; a default reset has none.
    EXPECT_EQ(rig.Logged(kRemoveStart), *GetParam().startLine != '\0');
    EXPECT_TRUE(rig.Logged(GetParam().failedLine));
    EXPECT_FALSE(rig.Logged(GetParam().finishedLine));
}

// A confirmation that never carries ACK means "not done yet", so only the limit ends it.
TEST_P(PolledAction, ConfirmationRefused_PollsUntilLimit) {
    rig.Refuse(std::string(GetParam().code) + ",C");
    rig.link.PollLimit(4);
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_EQ(rig.Commands(), (Strings{W(), C(), C(), C(), C()}));
}

TEST_P(PolledAction, SilentConfirmation_FailsWhenRetriesAreUsed) {
    Poll().notYet = 3;
    SimFaults faults;
    faults.refused = {std::string(GetParam().code) + ",C"};
    faults.refuseSilently = true;
    rig.Faults(faults);
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.Commands().size(), 1u + 4u);  // the start, then one poll sent four times
}

// Answers 1.5 s late with a one-second timeout: each poll is repeated before its answer comes,
// and a start command that is never repeated still gets its answer.
TEST_P(PolledAction, LateReplies_PollsRepeated_Succeeds) {
    Poll().notYet = 2;
    SimFaults late;
    late.replyDelayMs = 1500;
    rig.Faults(late);
    EXPECT_TRUE(GetParam().run(rig.link));
    EXPECT_EQ(Finished(), 1);
    // The data clear and the reset are never sent twice; the polls were repeated.
    if (W() != "XY,W,") {
        EXPECT_EQ(std::count(rig.Commands().begin(), rig.Commands().end(), W()), 1);
    }
    EXPECT_GT(std::count(rig.Commands().begin(), rig.Commands().end(), C()), 3);
    EXPECT_TRUE(rig.Logged(GetParam().finishedLine));
}

TEST_P(PolledAction, CancelWhileWaiting_NextPollFails) {
    Poll().notYet = 10;
    rig.loop.Post(7000, [this] { rig.link.Cancel(true); });
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_EQ(Finished(), 0);
    EXPECT_LE(rig.Commands().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Maintenance, PolledAction, testing::ValuesIn(kPolled),
                         [](const auto& info) { return std::string(info.param.name); });

class Maintenance : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Connect()); }
    SimMaintenance& Sim() { return rig.sim.State().maintenance; }
    SimLinkRig rig;
};

TEST_F(Maintenance, DefaultInstrument_InstrumentBackToItsDefaults) {
    const Integer before = rig.sim.State().defaults.AlarmMode();
    rig.sim.State().record.AlarmMode(static_cast<Integer>(before + 1));
    Sim().defaults.notYet = 1;
    ASSERT_TRUE(rig.link.DefaultInstrument());
    EXPECT_EQ(rig.sim.State().record.AlarmMode(), before);
}

TEST_F(Maintenance, HeaterOn_PolledEverySecondWithProgressStep) {
    Sim().heater.notYet = 3;
    int steps = 0;
    rig.link.HeaterPollHook([&steps] { ++steps; });
    EXPECT_TRUE(rig.link.SHOnOff(1));
    EXPECT_EQ(rig.Commands(), (Strings{"LR,W,1", "LR,C,", "LR,C,", "LR,C,", "LR,C,"}));
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(Sim().heaterOn, 1);
    for (std::int64_t gap : rig.GapsOf("LR,C,")) {
        EXPECT_GE(gap, 1000);
        EXPECT_LT(gap, 1100);
    }
    EXPECT_TRUE(rig.Logged("HC Select"));
}

TEST_F(Maintenance, HeaterOff_NoPolling) {
    Sim().heaterOn = 1;
    EXPECT_TRUE(rig.link.SHOnOff(0));
    EXPECT_EQ(rig.Commands(), Strings{"LR,W,0"});
    EXPECT_EQ(Sim().heaterOn, 0);
}

TEST_F(Maintenance, HeaterOnRefused_Fails) {
    rig.Refuse("LR,W");
    EXPECT_FALSE(rig.link.SHOnOff(1));
    EXPECT_EQ(std::count(rig.Commands().begin(), rig.Commands().end(), "LR,C,"), 0);
}

// One command, one acknowledged or repeated reply, and what it changed on the instrument.
struct OneShotCase {
    const char* name;
    std::function<bool(uclTzif&)> run;
    const char* body;
    const char* key;  // code and access letter, to refuse it
    std::function<bool(const SimState&)> applied;
};

Date March5() { return *MakeDate({2026, 3, 5, 14, 7, 9}); }

const OneShotCase kOneShots[] = {
    {"SetPumpOn", [](uclTzif& l) { return l.SetPump(true); }, "BP,W,1", "BP,W",
     [](const SimState& s) { return s.maintenance.pumpOn; }},
    {"SetPumpOff", [](uclTzif& l) { return l.SetPump(false); }, "BP,W,0", "BP,W",
     [](const SimState& s) { return !s.maintenance.pumpOn; }},
    {"SetDateTime", [](uclTzif& l) { return l.SetDateTime(March5()); }, "HC,W,260305140709", "HC,W",
     [](const SimState& s) { return FormatGeneralDate(s.clock) == "2026/03/05 14:07:09"; }},
    {"SetCheckData", [](uclTzif& l) { return l.SetCheckData(); }, "XH,E,", "XH,E",
     [](const SimState& s) { return s.maintenance.checks == 1; }},
    {"SHWetDry", [](uclTzif& l) { return l.SHWetDry(1); }, "SQ,W,1", "SQ,W",
     [](const SimState& s) { return s.maintenance.heaterDry == 1; }},
    {"RestoreFactorySet", [](uclTzif& l) { return l.RestoreFactorySet(); }, "FB,R,", "FB,R",
     [](const SimState& s) { return s.maintenance.factoryRestores == 1; }},
};

class OneShot : public testing::TestWithParam<OneShotCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.Connect());
        rig.sim.State().maintenance.pumpOn = std::string(GetParam().body) == "BP,W,0";
    }
    SimLinkRig rig;
};

TEST_P(OneShot, Sent_InstrumentChanged) {
    EXPECT_TRUE(GetParam().run(rig.link));
    EXPECT_EQ(rig.Commands(), Strings{GetParam().body});
    EXPECT_TRUE(GetParam().applied(rig.sim.State()));
    EXPECT_EQ(rig.link.Status(), stsCompleted);
}

TEST_P(OneShot, Refused_FailsAndInstrumentUnchanged) {
    rig.Refuse(GetParam().key);
    EXPECT_FALSE(GetParam().run(rig.link));
    EXPECT_FALSE(GetParam().applied(rig.sim.State()));
}

// A Cancel left over from an earlier operation does not fail the next one.
TEST_P(OneShot, StaleCancel_StillSucceeds) {
    rig.link.Cancel(true);
    EXPECT_TRUE(GetParam().run(rig.link));
}

INSTANTIATE_TEST_SUITE_P(Maintenance, OneShot, testing::ValuesIn(kOneShots),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Maintenance, RestoreFactorySet_RecordBackToDefaultsAndLogged) {
    const Integer before = rig.sim.State().defaults.AlarmMode();
    rig.sim.State().record.AlarmMode(static_cast<Integer>(before + 1));
    ASSERT_TRUE(rig.link.RestoreFactorySet());
    EXPECT_EQ(rig.sim.State().record.AlarmMode(), before);
    EXPECT_TRUE(rig.Logged("Restore Default Settings ... Finished"));
}

TEST_F(Maintenance, RestoreFactorySetRefused_LogsFailure) {
    rig.Refuse("FB,R");
    EXPECT_FALSE(rig.link.RestoreFactorySet());
    EXPECT_TRUE(rig.Logged("Restore Default Settings ... Failed"));
}

TEST_F(Maintenance, PowerOff_InstrumentSilentPortClosedUntilReopened) {
    EXPECT_TRUE(rig.link.BodyPowerOff());
    EXPECT_EQ(rig.Commands(), Strings{"RO,W,"});
    EXPECT_TRUE(rig.sim.State().poweredOff);
    EXPECT_FALSE(rig.link.PortOpen());
    EXPECT_EQ(rig.link.ConnectionState(), connNone);
    EXPECT_EQ(rig.link.Status(), stsReset);
    EXPECT_TRUE(rig.Logged("---Auto Power OFF Start Sequence---"));
    EXPECT_TRUE(rig.Logged("---Auto Power OFF Finished---"));
    // Reopening the port brings the instrument back and the handshake connects again.
    ASSERT_TRUE(rig.Connect());
    EXPECT_FALSE(rig.sim.State().poweredOff);
    EXPECT_TRUE(rig.link.SetPump(true));
}

TEST_F(Maintenance, PowerOffUnanswered_StillSucceeds) {
    SimFaults faults;
    faults.refused = {"RO,W"};
    faults.refuseSilently = true;
    rig.Faults(faults);
    EXPECT_TRUE(rig.link.BodyPowerOff());
    EXPECT_FALSE(rig.link.PortOpen());
    EXPECT_EQ(rig.link.ConnectionState(), connNone);
}

}  // namespace
}  // namespace tz::test

namespace tz::test {
namespace {

// Without a connection no reply timeout runs, so every operation must fail at once rather than
// wait for ever.
TEST(MaintenanceNotConnected, EveryOperationFailsAtOnceWithoutSending) {
    SimLinkRig rig;
    const std::vector<std::function<bool(uclTzif&)>> operations = {
        [](uclTzif& l) { return l.BodyDataClear(); },
        [](uclTzif& l) { return l.PowerDataClear(); },
        [](uclTzif& l) { return l.DefaultInstrument(); },
        [](uclTzif& l) { return l.SHOnOff(1); },
        [](uclTzif& l) { return l.SHWetDry(0); },
        [](uclTzif& l) { return l.RestoreFactorySet(); },
        [](uclTzif& l) { return l.SetDateTime(45000.5); },
        [](uclTzif& l) { return l.SetCheckData(); },
        [](uclTzif& l) { return l.SetPump(true); },
        [](uclTzif& l) { return l.ZeroCal("111111"); },
        [](uclTzif& l) { return l.SpanCal("111111"); },
        [](uclTzif& l) { return l.zCal("20.9"); },
        [](uclTzif& l) {
            std::string failes;
            return l.UpdateCalibrationFactor("3F800000,3F800000,3F800000,3F800000,3F800000,3F800000", failes);
        },
        [](uclTzif& l) {
            Integer first = 0, last = 0;
            return l.GetBinDump("tz_never_written.bin", first, last);
        },
        [](uclTzif& l) { return l.GetRomDump2("/nonexistent-folder/tz_never_written.txt"); },
    };
    for (std::size_t i = 0; i < operations.size(); ++i) EXPECT_FALSE(operations[i](rig.link)) << i;
    EXPECT_TRUE(rig.Commands().empty());
    EXPECT_LT(rig.loop.ElapsedMs(), 100);
}

}  // namespace
}  // namespace tz::test
