// The link against the simulated instrument at virtual time: complete reads, faults on the line,
// cancellation, the gas poll and the history reads.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/LinkTestRig.h"
#include "link/ReadTable.h"
#include "link/RecordCompare.h"
#include "sim/SimInstrument.h"

namespace tz::test {
namespace {

struct SimRig {
    VirtualEventLoop loop;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    RecordingListener events;
    clsInstrument record;

    SimRig() {
        link.SetListener(&events);
        link.Retry(3);
        link.Timeout(1);
    }

    bool Connect() {
        link.PortOpen(true);
        loop.RunUntil([this] { return link.Connected() || !events.alarms.empty(); }, 10000);
        sim.ClearReceivedCommands();
        return link.Connected();
    }

    std::vector<std::string> Differences() const { return ReadValueDifferences(record, RecordAsRead(sim.State())); }
};

std::vector<std::string> ReadTableCommands() {
    std::vector<std::string> commands;
    for (int i = 0; i <= ReadTableLastSent; ++i)
        if (!ReadTable()[static_cast<std::size_t>(i)].empty()) commands.push_back(ReadTable()[static_cast<std::size_t>(i)]);
    return commands;
}

SimFaults LineFaults() {
    SimFaults faults;
    faults.seed = 7300;
    faults.dropReply = 0.10;
    faults.corruptChecksum = 0.05;
    faults.splitReply = 0.30;
    faults.maxPieces = 4;
    faults.pieceGapMs = 5;
    return faults;
}

TEST(LinkWithSim, Handshake_ConnectsToSimulatedInstrument) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.events.connects, 1);
}

TEST(LinkWithSim, FullRead_Sends328CommandsInOrder_RecordEqualsInstrument) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.sim.ReceivedCommands(), ReadTableCommands());
    EXPECT_EQ(rig.sim.ReceivedCommands().size(), 328u);
    EXPECT_EQ(rig.Differences(), std::vector<std::string>{});
}

TEST(LinkWithSim, FullRead_PacedAt9600Baud_RecordEqualsInstrument) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    SimFaults faults;
    faults.baudRate = 9600;
    faults.replyDelayMs = 30;
    rig.sim.SetFaults(faults);
    rig.link.Timeout(2);
    const auto start = rig.loop.ElapsedMs();
    ASSERT_TRUE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.Differences(), std::vector<std::string>{});
    EXPECT_GT(rig.loop.ElapsedMs() - start, 328 * 30);  // every reply waited for its latency
    EXPECT_EQ(rig.sim.ReceivedCommands().size(), 328u);  // and none was repeated
}

TEST(LinkWithSim, FullRead_DroppedCorruptedSplitRepliesWithRetry6_RecordEqualsInstrument) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.sim.SetFaults(LineFaults());
    rig.link.Retry(6);
    ASSERT_TRUE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.Differences(), std::vector<std::string>{});
    // The faults really happened, and were survived by repeating.
    EXPECT_GT(rig.sim.Dropped(), 10);
    EXPECT_GT(rig.sim.Corrupted(), 5);
    EXPECT_GT(rig.sim.Split(), 50);
    EXPECT_GT(rig.sim.Count().commands, 328);
}

TEST(LinkWithSim, FullRead_FaultsWithoutRetries_FailsAndOnlyUnreadValuesDiffer) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.sim.SetFaults(LineFaults());
    rig.link.Retry(0);
    EXPECT_FALSE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    // The read got well under way before a fault ended it, in the table's order, never repeating.
    const std::vector<std::string>& received = rig.sim.ReceivedCommands();
    EXPECT_GE(received.size(), 10u);
    EXPECT_LT(received.size(), 328u);
    const std::vector<std::string> table = ReadTableCommands();
    EXPECT_TRUE(std::equal(received.begin(), received.end(), table.begin())) << received.size();
    // Whatever differs from the instrument is still at its cleared value: nothing wrong was stored.
    clsInstrument cleared;
    cleared.ClearDatas();
    const std::vector<std::string> notCleared = ReadValueDifferences(rig.record, cleared);
    // Values were stored, and every value that was read equals the instrument's.
    EXPECT_GE(notCleared.size(), 10u);
    const std::vector<std::string> differences = rig.Differences();
    for (const std::string& name : notCleared)
        EXPECT_EQ(std::count(differences.begin(), differences.end(), name), 0) << name;
}

// An instrument that answers later than the reply timeout: every command is repeated before its
// first answer arrives, so the answer to the repetition comes while the next command waits. The
// handshake runs under the same delay.
struct LateCase {
    const char* name;
    int delayMs;
    Integer timeout;
    double split;  // replies in pieces, so that a late reply's beginning can meet a new command
    bool lateHandshake;  // a handshake attempt waits one second; later answers cross attempts
};

class LateReplies : public testing::TestWithParam<LateCase> {};

TEST_P(LateReplies, FullRead_StaleRepliesDiscarded_RecordEqualsInstrument) {
    SimRig rig;
    std::vector<std::string> log;
    rig.link.Log().SetObserver([&log](const std::string& line) { log.push_back(line); });
    SimFaults late;
    late.seed = 11;
    late.replyDelayMs = GetParam().delayMs;
    late.splitReply = GetParam().split;
    late.pieceGapMs = 200;
    if (GetParam().lateHandshake) rig.sim.SetFaults(late);
    rig.link.Timeout(GetParam().timeout);
    ASSERT_TRUE(rig.Connect());
    rig.sim.SetFaults(late);
    ASSERT_TRUE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.Differences(), std::vector<std::string>{});
    // Answers really crossed repetitions, and each stale one was logged.
    EXPECT_GT(rig.sim.ReceivedCommands().size(), 328u);
    const auto stale = std::count_if(log.begin(), log.end(), [](const std::string& line) {
        return line.find("<<< Stale reply discarded, waiting for ") != std::string::npos;
    });
    EXPECT_GT(stale, 300);
}

INSTANTIATE_TEST_SUITE_P(LinkWithSim, LateReplies,
                         testing::Values(LateCase{"OneAndAHalfSecondsTimeout1", 1500, 1, 0, true},
                                         LateCase{"TwoAndAHalfSecondsTimeout1", 2500, 1, 0, true},
                                         LateCase{"FourSecondsTimeout3InPieces", 4000, 3, 0.5, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkWithSim, CancelDuringFullRead_EndsAtNextReply) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    SimFaults slow;
    slow.replyDelayMs = 10;
    rig.sim.SetFaults(slow);
    rig.loop.Post(500, [&] { rig.link.Cancel(true); });
    EXPECT_FALSE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsCancelled);
    EXPECT_GT(rig.sim.ReceivedCommands().size(), 0u);
    EXPECT_LT(rig.sim.ReceivedCommands().size(), 328u);
}

TEST(LinkWithSim, SilentInstrument_ReadFailsAfterRetries) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    SimFaults silent;
    silent.dropReply = 1.0;
    rig.sim.SetFaults(silent);
    EXPECT_FALSE(rig.link.GetRomNo(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.sim.ReceivedCommands(), std::vector<std::string>(4, "SZ,R,"));  // once and three repeats
}

// Readings on time, and readings that come 1.5 s after each poll: the poll stops waiting after a
// second, and the reading that comes afterwards answers its own command and is still reported.
TEST(LinkWithSim, GasPoll_ReadingsOfTheInstrument) {
    struct Case {
        int delayMs, runMs;
    };
    for (const Case c : {Case{0, 2100}, Case{1500, 6100}}) {
        SimRig rig;
        ASSERT_TRUE(rig.Connect());
        SimFaults late;
        late.replyDelayMs = c.delayMs;
        rig.sim.SetFaults(late);
        rig.link.Instrument(&rig.record);
        rig.link.RunDensty(true);
        rig.loop.RunFor(c.runMs);
        rig.link.RunDensty(false);
        ASSERT_EQ(rig.events.readings.size(), 2u) << c.delayMs;
        const clsInstrument& sim = rig.sim.State().record;
        for (Integer gas = 0; gas < 5; ++gas)
            EXPECT_EQ(rig.events.readings[1][static_cast<std::size_t>(gas)], sim.LimitValue(gas)) << gas;
        EXPECT_EQ(rig.events.lowMarks[1][0], sim.LimitValueIsLo(4));
    }
}

TEST(LinkWithSim, LatestHistories_EqualInstrument) {
    SimRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.link.GetLatestHistory(&rig.record));
    ASSERT_TRUE(rig.link.GetLatestBumpHistory(&rig.record));
    EXPECT_EQ(rig.sim.ReceivedCommands(), (std::vector<std::string>{"SO,R,", "BO,R,"}));
    const clsInstrument& sim = rig.sim.State().record;
    for (Integer gas = 0; gas < 6; ++gas) {
        EXPECT_NEAR(rig.record.CalibDate(gas), sim.CalibDate(gas), 1e-6) << gas;
        EXPECT_EQ(rig.record.CalibBefore(gas), sim.CalibBefore(gas)) << gas;
        EXPECT_EQ(rig.record.CalibAfter(gas), sim.CalibAfter(gas)) << gas;
        EXPECT_NEAR(rig.record.BumpDates(gas), sim.BumpDates(gas), 1e-6) << gas;
        EXPECT_EQ(rig.record.BumpResult(gas), sim.BumpResult(gas)) << gas;
        EXPECT_EQ(rig.record.BumpConcentration(gas), sim.BumpConcentration(gas)) << gas;
        EXPECT_EQ(rig.record.AfterIsLo(gas), sim.AfterIsLo(gas)) << gas;
        EXPECT_EQ(rig.record.BumpConcentrationIsLo(gas), sim.BumpConcentrationIsLo(gas)) << gas;
    }
}

}  // namespace
}  // namespace tz::test
