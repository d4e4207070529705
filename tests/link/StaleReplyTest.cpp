// Replies that answer another command than the one waiting: which frames answer which command,
// and what the link does with a stale one (logs it, drops it, waits on within the same timeout).
#include <gtest/gtest.h>

#include "link/LinkTestRig.h"
#include "link/ReplyDecoder.h"

namespace tz::test {
namespace {

struct AnswerCase {
    const char* name;
    std::string reply;  // frame received
    std::string sent;   // frame the link sent last
    bool answers;
};

std::vector<AnswerCase> AnswerCases() {
    const std::string ackEcho = BuildFrame(std::string(1, ACK) + "EF,R,", ETB);
    const std::string nakEcho = BuildFrame(std::string(1, NAK) + "EF,R,", ETB);
    const std::string hc = Reply("HC,R,251231235959");
    return {
        {"SameCodeAndLetter", Reply("IN,R,A1234"), Reply("IN,R,"), true},
        {"OtherCode", Reply("HN,R,A1234"), Reply("IN,R,"), false},
        {"SameCodeOtherLetter", Reply("HC,W,251231235959"), Reply("HC,R,"), false},
        {"ReadAnsweringWrite", hc, Reply("HC,W,251231235959"), false},
        {"BlockAfterAck", Reply("EF,R,0000,0002,20,00"), ackEcho, true},
        {"BlockAfterNak", Reply("EF,R,0000,0002,20,00"), nakEcho, true},
        {"OtherReplyAfterAck", Reply("SZ,R,0,0,0,0,0,0"), ackEcho, false},
        {"StationEntryAsked", Reply("XS,R,001F,PUMP ROOM"), Reply("XS,R,001F"), true},
        {"StationOtherEntry", Reply("XS,R,001E,PUMP ROOM"), Reply("XS,R,001F"), false},
        {"StationIdAsked", Reply("XS,R,****,GATE"), Reply("XS,R,****"), true},
        {"StationEntryForId", Reply("XS,R,0000,GATE"), Reply("XS,R,****"), false},
        {"UserWriteOtherEntry", Reply("XZ,W,0003,SMITH"), Reply("XZ,W,0004,JONES"), false},
        {"UserWriteSameEntry", Reply("XZ,W,0004,JONES"), Reply("XZ,W,0004,JONES"), true},
        {"ListReplyNamingNoEntry", Reply("XS,W,"), Reply("XS,W,0004,GATE"), true},
        {"ListEntryAfterEchoOnly", Reply("XS,R,0001,GATE"), BuildFrame(std::string(1, NAK) + "XS,R,", ETB), false},
        {"TailWithoutStx", Reply("IN,R,A1234").substr(3), Reply("IN,R,"), false},
        {"NothingSentYet", Reply("DN,R,0,0,0,0,0,0"), "", false},
    };
}

class AnswersCommandTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswersCommandTest, MatchesCodeLetterAndListEntry) {
    EXPECT_EQ(AnswersCommand(GetParam().reply, GetParam().sent), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(StaleReply, AnswersCommandTest, testing::ValuesIn(AnswerCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The instrument first sends an answer that belongs to an earlier command, then, later, the
// answer to the command waiting.
struct InjectedCase {
    const char* name;
    std::string command;
    std::vector<Piece> pieces;
};

std::vector<InjectedCase> InjectedCases() {
    const std::string tail = Reply("HN,R,LATE000001").substr(4);
    return {
        {"OtherCode", "IN,R,", {{Reply("HN,R,LATE000001"), 100}, {Reply("IN,R,SERIAL0001"), 900}}},
        {"OtherLetter", "IN,R,", {{Reply("IN,W,LATE000001"), 100}, {Reply("IN,R,SERIAL0001"), 900}}},
        {"TailOfAReply", "IN,R,", {{tail, 100}, {Reply("IN,R,SERIAL0001"), 900}}},
        {"NoiseBeforeStx", "IN,R,", {{"\x7f\x7f" + Reply("IN,R,SERIAL0001"), 900}}},
    };
}

class InjectedStaleReply : public testing::TestWithParam<InjectedCase> {};

TEST_P(InjectedStaleReply, NeverDecoded_WaitGoesOnWithoutRepeating) {
    LinkRig rig;
    rig.link.Timeout(1);
    ASSERT_TRUE(rig.Connect());
    rig.device.script = [pieces = GetParam().pieces](const std::string&) { return pieces; };
    rig.record.DummySerial("KEPT");
    rig.record.SerialNo("OLD");
    EXPECT_TRUE(rig.link.Transact(GetParam().command, &rig.record));
    EXPECT_EQ(rig.record.SerialNo(), "SERIAL0001");
    EXPECT_EQ(rig.record.DummySerial(), "KEPT");
    // The answer came 0.9 s after the command, within the one-second timeout that was running.
    EXPECT_EQ(rig.device.bodies, std::vector<std::string>{GetParam().command});
    EXPECT_EQ(rig.link.RetryCount(), 0);
    const bool noise = std::string(GetParam().name) == "NoiseBeforeStx";
    EXPECT_EQ(rig.Logged("<<< Stale reply discarded, waiting for IN,R >>>"), !noise);
}

INSTANTIATE_TEST_SUITE_P(StaleReply, InjectedStaleReply, testing::ValuesIn(InjectedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A stale reply does not stretch the wait: a command whose own answer never comes still times out
// when its timeout runs out and is repeated then.
TEST(StaleReply, OnlyStaleReplies_CommandRepeatedOnItsTimeout_ThenFails) {
    LinkRig rig;
    rig.link.Timeout(1);
    rig.link.Retry(1);
    ASSERT_TRUE(rig.Connect());
    rig.device.script = [](const std::string&) { return std::vector<Piece>{{Reply("HN,R,LATE000001"), 500}}; };
    EXPECT_FALSE(rig.link.Transact("IN,R,", &rig.record));
    EXPECT_EQ(rig.device.bodies, (std::vector<std::string>{"IN,R,", "IN,R,"}));
    ASSERT_EQ(rig.device.times.size(), 2u);
    EXPECT_LE(rig.device.times[1] - rig.device.times[0], 1200);
    EXPECT_EQ(rig.link.Status(), stsFailed);
}

}  // namespace
}  // namespace tz::test
