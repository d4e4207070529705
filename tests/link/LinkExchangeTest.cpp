// The link control's framing, receive path, timer and retries, against a scripted instrument at
// virtual time.
#include <gtest/gtest.h>

#include "link/LinkMessages.h"
#include "link/ResponseReceived.h"
#include "link/LinkTestRig.h"

namespace tz::test {
namespace {

std::string FrameOf(const std::string& body) { return BuildFrame(body, EOT); }

// ---- Connection handshake ----

TEST(LinkHandshake, ModelNamed_ConnectsAndLogsBothMilestones) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.events.connects, 1);
    EXPECT_EQ(rig.link.ConnectionState(), connConnected);
    EXPECT_EQ(rig.link.Status(), stsCompleted);
    EXPECT_TRUE(rig.Logged(LinkText(msgConnectStarted)));
    EXPECT_TRUE(rig.Logged(LinkText(msgConnectFinished)));
}

TEST(LinkHandshake, SilentInstrument_AlarmAfterRetryAttempts) {
    LinkRig rig;
    rig.link.Retry(3);
    rig.link.PortOpen(true);
    rig.loop.RunUntil([&] { return !rig.events.alarms.empty(); }, 10000);
    ASSERT_EQ(rig.events.alarms.size(), 1u);
    EXPECT_EQ(rig.events.alarms[0], LinkText(msgNoResponse));
    EXPECT_EQ(rig.device.CountOf("RC,R,"), 3);
    EXPECT_EQ(rig.link.ConnectionState(), connNone);
    EXPECT_EQ(rig.link.Status(), stsReset);
    EXPECT_EQ(rig.events.connects, 0);
}

TEST(LinkHandshake, AttemptUnansweredForASecond_IsAbandonedAndRepeated) {
    LinkRig rig;
    rig.link.Retry(10);
    rig.link.PortOpen(true);
    rig.loop.RunFor(2000);
    // One attempt at the first tick, abandoned after eleven ticks, a new one at the next tick.
    EXPECT_EQ(rig.device.CountOf("RC,R,"), 2);
    EXPECT_EQ(rig.device.times[1] - rig.device.times[0], 1200);
}

TEST(LinkHandshake, EveryFifthAttempt_RaisesConnectRetryWithAttemptsOverFive) {
    LinkRig rig;
    rig.link.Retry(10);
    rig.link.PortOpen(true);
    rig.loop.RunUntil([&] { return !rig.events.alarms.empty(); }, 100000);
    EXPECT_EQ(rig.events.retries, (std::vector<Integer>{1, 2}));
}

TEST(LinkHandshake, ReplyWithoutModelName_NotAcceptedAttemptsGoOn) {
    LinkRig rig;
    rig.device.script = [](const std::string&) { return std::vector<Piece>{{Reply("RC,R,TZ-1000")}}; };
    rig.link.PortOpen(true);
    rig.loop.RunFor(5000);
    EXPECT_FALSE(rig.link.Connected());
    EXPECT_GT(rig.device.CountOf("RC,R,"), 1);
}

TEST(LinkHandshake, BothModemLinesOff_Disconnects) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.port.SetModemLines(false, false);
    rig.loop.RunFor(50);
    EXPECT_EQ(rig.events.disconnects, 1);
    EXPECT_EQ(rig.link.ConnectionState(), connNone);
    EXPECT_EQ(rig.link.Status(), stsCompleted);
    rig.port.SetModemLines(true, false);  // a line back on starts a new handshake
    rig.loop.RunUntil([&] { return rig.link.Connected(); }, 1000);
    EXPECT_EQ(rig.events.connects, 2);
}

TEST(LinkHandshake, LinesDropWhileReadWaits_ReadFailsInsteadOfHanging) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.device.script = [](const std::string&) { return std::vector<Piece>{}; };  // gone silent
    rig.loop.Post(500, [&] { rig.port.SetModemLines(false, false); });
    clsInstrument record;
    EXPECT_FALSE(rig.link.Transact("SC,R,", &record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.events.disconnects, 1);
}

TEST(LinkReceive, EndlessBytesWithoutFrameEnd_DroppedAndReadRepeated) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    int calls = 0;
    rig.device.script = [&](const std::string&) {
        // First a flood of noise that never ends a frame, then a proper answer to the repeat.
        if (++calls == 1) return std::vector<Piece>{{std::string(40000, 'x')}, {std::string(40000, 'y')}};
        return std::vector<Piece>{{Reply("SC,R,00B4")}};
    };
    clsInstrument record;
    EXPECT_TRUE(rig.link.Transact("SC,R,", &record));
    EXPECT_EQ(record.CalLimit(), 180);
    EXPECT_LE(rig.link.ReceiveBuffer().size(), uclTzif::MaxReceiveBuffer);
    EXPECT_TRUE(rig.Logged(LinkText(msgRxOverflow).substr(0, 20)));
}

// ---- Sending ----

TEST(LinkSend, DataSend_WritesFrameKeepsItAndLoadsTimeout) {
    LinkRig rig;
    rig.link.Timeout(3);
    rig.link.PortOpen(true);
    ResponseReceived = true;
    rig.link.DataSend(FrameOf("SZ,R,"), true);
    EXPECT_EQ(rig.port.Written(), FrameOf("SZ,R,"));
    EXPECT_EQ(rig.link.LastFrame(), FrameOf("SZ,R,"));
    EXPECT_EQ(rig.link.TimeoutCountdown(), 30);
    EXPECT_EQ(rig.link.Timeout(), 3);
    EXPECT_FALSE(ResponseReceived);
    ASSERT_FALSE(rig.logLines.empty());
    EXPECT_EQ(rig.logLines.back().substr(8), " W : [STX]0001SZ,R,[ETX]E3[EOT]");
}

TEST(LinkSend, Timeout_OutsideSixteenBitTicks_Refused) {
    LinkRig rig;
    EXPECT_THROW(rig.link.Timeout(3277), std::out_of_range);
    EXPECT_THROW(rig.link.Timeout(-1), std::out_of_range);
    rig.link.Timeout(3276);
    EXPECT_EQ(rig.link.Timeout(), 3276);
}

TEST(LinkSend, Connected_IsReadOnly) {
    LinkRig rig;
    rig.link.Connected(true);
    EXPECT_FALSE(rig.link.Connected());
}

TEST(LinkSend, SerialForced_InfraredNeverWrittenButServicedEvery600ms) {
    LinkRig rig;
    rig.link.SerialComm(true);
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("SC,R,0A")}}; }));
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    const long before = rig.irda.ServiceCalls();
    rig.loop.RunFor(6000);
    EXPECT_EQ(rig.irda.ServiceCalls() - before, 10);
    EXPECT_TRUE(rig.irda.Written().empty());
}

// ---- Receiving ----

TEST(LinkReceive, ReadReply_DecodedIntoRecordAndKeptAsReceivedFrame) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("SC,R,001E")}}; }));
    rig.record.CalLimit(5);
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.record.CalLimit(), 30);
    EXPECT_FALSE(rig.record.Change_CalLimit());
    EXPECT_EQ(rig.link.ReceivedFrame(), Reply("SC,R,001E"));
    EXPECT_EQ(rig.link.LastReplyData(), "001E");
    EXPECT_TRUE(ResponseReceived);
    EXPECT_TRUE(rig.Logged("R : [STX]0001SC,R,001E[ETX]"));
}

TEST(LinkReceive, TwoFramesInOneEvent_BothDecodedInOrder) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) {
        return std::vector<Piece>{{Reply("IN,R,SER-1") + Reply("IN,R,SER-2")}};
    }));
    EXPECT_TRUE(rig.link.Transact("IN,R,", &rig.record));
    EXPECT_EQ(rig.record.SerialNo(), "SER-2");
    EXPECT_EQ(rig.link.ReceivedFrame(), Reply("IN,R,SER-2"));
}

TEST(LinkReceive, ReplySplitIntoPieces_DecodedOnceComplete) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) {
        const std::string frame = Reply("SC,R,0010");
        return std::vector<Piece>{{frame.substr(0, 4), 10}, {frame.substr(4, 6), 20}, {frame.substr(10), 30}};
    }));
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.record.CalLimit(), 16);
    EXPECT_EQ(rig.device.CountOf("SC,R,"), 1);
}

TEST(LinkReceive, CrWithoutTerminator_RetransmitsPerOccurrenceThenFails) {
    LinkRig rig;
    rig.link.Retry(3);
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{"noise\r"}}; }));
    EXPECT_FALSE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.device.CountOf("SC,R,"), 4);  // the command and three retransmissions
    EXPECT_EQ(rig.events.retries, (std::vector<Integer>{2, 3}));
}

TEST(LinkReceive, ChecksumMismatch_RejectedLoggedAndRepeated) {
    LinkRig rig;
    int answers = 0;
    ASSERT_TRUE(rig.Connect([&](const std::string&) {
        const std::string frame = Reply("SC,R,0063");
        return std::vector<Piece>{{++answers == 1 ? Corrupted(Reply("SC,R,0099")) : frame}};
    }));
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_TRUE(rig.Logged(ChecksumErrorLine));
    EXPECT_EQ(rig.record.CalLimit(), 0x63);
    EXPECT_EQ(rig.device.CountOf("SC,R,"), 2);
}

TEST(LinkReceive, ChecksumMismatchWithoutRetries_FailsAndRecordUntouched) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Corrupted(Reply("SC,R,0099"))}}; }));
    rig.link.Retry(0);
    rig.record.CalLimit(7);
    EXPECT_FALSE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.record.CalLimit(), 7);
    EXPECT_EQ(rig.device.CountOf("SC,R,"), 1);
}

TEST(LinkReceive, BlockEndingWithEtb_AnsweredWithAckAndFiveCharacterEcho) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) {
        if (body == "SC,R,") return std::vector<Piece>{{Reply("SC,R,0001", ETB)}};
        return std::vector<Piece>{{Reply("SC,R,0002", EOT)}};  // the next block, the last
    }));
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    ASSERT_EQ(rig.device.frames.size(), 2u);
    EXPECT_EQ(rig.device.frames[1], BuildFrame(std::string(1, ACK) + "SC,R,", ETB));
    EXPECT_EQ(rig.record.CalLimit(), 2);
}

// A reply code the decoder does not know is refused with a NAK, whose echo is seven characters
// when the command holds "IH".
TEST(LinkReceive, EchoOfFrameHoldingIH_IsSevenCharacters) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("IH,R,0001", ETB)}}; }));
    rig.link.Status(stsBlockTransfer);
    rig.link.DataSend(FrameOf("IH,R,0001"), true);
    rig.loop.RunFor(100);
    ASSERT_GE(rig.device.frames.size(), 2u);
    EXPECT_EQ(rig.device.frames[1], BuildFrame(std::string(1, NAK) + "IH,R,00", ETB));
}

// Every acknowledgement of a transfer echoes the command, not the acknowledgement before it.
TEST(LinkReceive, BlocksOfATransfer_EachAcknowledgedWithTheCommandsEcho) {
    LinkRig rig;
    int block = 0;
    ASSERT_TRUE(rig.Connect([&block](const std::string&) {
        ++block;
        const std::string line = "0000,000" + std::to_string(block) + ",01,41";
        return std::vector<Piece>{{Reply("EF,R," + line, block < 4 ? ETB : EOT)}};
    }));
    rig.link.Status(stsBlockTransfer);
    rig.link.DataSend(FrameOf("EF,R,"), true);
    rig.loop.RunFor(500);
    EXPECT_EQ(rig.link.Status(), stsCompleted);
    const std::string ack = BuildFrame(std::string(1, ACK) + "EF,R,", ETB);
    EXPECT_EQ(rig.device.frames, (std::vector<std::string>{FrameOf("EF,R,"), ack, ack, ack}));
}

TEST(LinkReceive, RejectedReplyInBlockTransfer_AnsweredWithNak) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) {
        return body == "EF,R," ? std::vector<Piece>{{Reply("EF,R,1")}} : std::vector<Piece>{};
    }));
    rig.link.Status(stsBlockTransfer);
    rig.link.DataSend(FrameOf("EF,R,"), true);
    rig.loop.RunFor(100);
    ASSERT_EQ(rig.device.frames.size(), 2u);
    EXPECT_EQ(rig.device.frames[1], BuildFrame(std::string(1, NAK) + "EF,R,", ETB));
}

TEST(LinkReceive, RejectedReadReply_RepeatedUntilRetryThenFailed) {
    LinkRig rig;
    rig.link.Retry(2);
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("SC,R,XYZ")}}; }));
    EXPECT_FALSE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.device.CountOf("SC,R,"), 3);
}

// ---- Commands that must never be repeated ----

class NeverRepeated : public ::testing::TestWithParam<const char*> {};

TEST_P(NeverRepeated, SilentInstrument_SentOnceFailsAfterRetryTimeouts) {
    LinkRig rig;
    rig.link.Retry(2);
    ASSERT_TRUE(rig.Connect());
    bool ok = true, result = false;
    const long long start = rig.loop.ElapsedMs();
    rig.link.SendAndWait(ok, FrameOf(GetParam()), result);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(result);
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.device.frames.size(), 1u);
    EXPECT_GE(rig.loop.ElapsedMs() - start, 3 * 3000);  // the first timeout and two more
}

TEST_P(NeverRepeated, RefusedReply_NotRepeated) {
    LinkRig rig;
    rig.link.Retry(2);
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("ZZ,W,1")}}; }));
    bool ok = true, result = false;
    rig.link.SendAndWait(ok, FrameOf(GetParam()), result);
    EXPECT_FALSE(ok);
    EXPECT_EQ(rig.device.frames.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Link, NeverRepeated, ::testing::Values("SZ,W,111111", "XC,W,", "UX,W,", "S1,W,", "S2,W,111111"));

// ---- Timeouts ----

TEST(LinkTimeout, SilentInstrument_RetryRetransmissionsSpacedByTimeoutThenFailed) {
    LinkRig rig;
    rig.link.Retry(3);
    rig.link.Timeout(2);
    ASSERT_TRUE(rig.Connect());
    EXPECT_FALSE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_FALSE(ResponseReceived);
    ASSERT_EQ(rig.device.CountOf("SC,R,"), 4);
    for (std::size_t i = 1; i < rig.device.times.size(); ++i) {
        const long long gap = rig.device.times[i] - rig.device.times[i - 1];
        EXPECT_GE(gap, 2000);
        EXPECT_LE(gap, 2200);
    }
}

TEST(LinkTimeout, RetryZero_NoRetransmissionAtAll) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.link.Retry(0);
    EXPECT_FALSE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.device.frames.size(), 1u);
}

TEST(LinkTimeout, BlockTransferTimeout_NakUnlessLastFrameEndedWithEot) {
    LinkRig rig;
    rig.link.Retry(3);
    rig.link.Timeout(1);
    ASSERT_TRUE(rig.Connect());
    rig.link.Status(stsBlockTransfer);
    rig.link.DataSend(BuildFrame(std::string(1, ACK) + "EF,R,", ETB), true);
    rig.loop.RunFor(1300);
    ASSERT_EQ(rig.device.frames.size(), 2u);
    EXPECT_EQ(rig.device.frames[1], BuildFrame(std::string(1, NAK) + "EF,R,", ETB));
}

TEST(LinkTimeout, BinaryDumpTimeout_SetsBinaryRetryAndCancel) {
    LinkRig rig;
    rig.link.Timeout(1);
    ASSERT_TRUE(rig.Connect());
    rig.link.DataSend(FrameOf("EP,R,0005"), true);
    rig.link.Status(stsBinaryDump);
    rig.loop.RunFor(1300);
    EXPECT_TRUE(rig.link.BinaryRetry());
    EXPECT_TRUE(rig.link.Cancel());
    EXPECT_TRUE(rig.Logged("= timeout ="));
}

// ---- Cancel ----

TEST(LinkCancel, CancelledWhileWaiting_EndsAtNextData) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([&](const std::string&) {
        rig.link.Cancel(true);
        return std::vector<Piece>{{Reply("SC,R,0001")}};
    }));
    EXPECT_FALSE(rig.link.GetRomNo(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsCancelled);
    EXPECT_EQ(rig.device.frames.size(), 1u);
    EXPECT_TRUE(rig.link.ReceiveBuffer().empty());
}

TEST(LinkCancel, CancelledExchangeAfterRetries_TimerTurnsItIdle) {
    LinkRig rig;
    rig.link.Retry(1);
    ASSERT_TRUE(rig.Connect());
    rig.link.Status(stsCancelled);
    rig.link.DataSend(FrameOf("SC,R,"), true);
    rig.loop.RunFor(8000);
    EXPECT_EQ(rig.link.Status(), stsIdle);
}

// ---- Port errors ----

struct LineErrorCase {
    int code;
    int message;
    Long status;
};

class LinkLineError : public ::testing::TestWithParam<LineErrorCase> {};

TEST_P(LinkLineError, Connected_CountedLoggedAndStateSet) {
    const LineErrorCase c = GetParam();
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.link.Status(stsWaitRead);
    rig.port.RaiseLineEvent(c.code);
    rig.loop.RunFor(10);
    EXPECT_EQ(rig.link.ErrorCount(), 1);
    EXPECT_EQ(rig.link.Status(), c.status);
    const std::string text = LinkText(c.message, "");
    EXPECT_TRUE(rig.Logged(text.substr(0, text.find("Date"))));
}

INSTANTIATE_TEST_SUITE_P(Link, LinkLineError,
                         ::testing::Values(LineErrorCase{comEventBreak, msgBreak, stsWaitRead},
                                           LineErrorCase{comEventFrame, msgFrameError, stsFailed},
                                           LineErrorCase{comEventOverrun, msgOverrun, stsFailed},
                                           LineErrorCase{comEventRxOver, msgRxOverflow, stsFailed},
                                           LineErrorCase{comEventRxParity, msgParity, stsFailed},
                                           LineErrorCase{comEventTxFull, msgTxFull, stsCompleted},
                                           LineErrorCase{comEventDCB, msgDcbError, stsCompleted}));

TEST(LinkLineErrorWhileConnecting, TransmitBufferFull_Ignored) {
    LinkRig rig;
    rig.link.PortOpen(true);
    rig.loop.RunFor(10);
    ASSERT_EQ(rig.link.ConnectionState(), connConnecting);
    rig.port.RaiseLineEvent(comEventTxFull);
    rig.loop.RunFor(10);
    EXPECT_EQ(rig.link.ErrorCount(), 0);
}

TEST(LinkLineErrorReceive, DataAfterErrors_ResetsErrorCount) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("SC,R,0001")}}; }));
    rig.port.RaiseLineEvent(comEventBreak);
    rig.port.RaiseLineEvent(comEventBreak);
    rig.loop.RunFor(10);
    EXPECT_EQ(rig.link.ErrorCount(), 2);
    EXPECT_TRUE(rig.link.Transact("SC,R,", &rig.record));
    EXPECT_EQ(rig.link.ErrorCount(), 0);
}

// ---- Waiting helpers ----

TEST(LinkWait, DisConnect_IdleWithoutClosingOrDisconnecting) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_FALSE(rig.link.DisConnect());
    EXPECT_EQ(rig.link.Status(), stsIdle);
    EXPECT_EQ(rig.link.TickCount(), 0);
    EXPECT_TRUE(rig.link.Connected());
    EXPECT_TRUE(rig.link.PortOpen());
}

TEST(LinkWait, SendAndWait_DoesNothingWhenOkAlreadyFalse) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    bool ok = false, result = false;
    rig.link.SendAndWait(ok, FrameOf("AP,W,1"), result);
    EXPECT_TRUE(rig.device.frames.empty());
    EXPECT_FALSE(result);
}

TEST(LinkWait, SendAndWait_AcceptedWriteSetsResult) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) { return std::vector<Piece>{{Reply(body)}}; }));
    bool ok = true, result = false;
    rig.link.SendAndWait(ok, FrameOf("AP,W,1"), result);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(result);
}

TEST(LinkWait, Transact_RecordMessagePassedOnAndTargetRestored) {
    LinkRig rig;
    clsInstrument other;
    ASSERT_TRUE(rig.Connect([&](const std::string&) {
        other.MessageString("busy");
        return std::vector<Piece>{{Reply("SC,R,0002")}};
    }));
    EXPECT_TRUE(rig.link.Transact("SC,R,", &other));
    EXPECT_EQ(other.CalLimit(), 2);
    EXPECT_EQ(rig.link.Instrument(), &rig.record);
    EXPECT_EQ(rig.events.messages, std::vector<std::string>{"busy"});
    EXPECT_TRUE(other.MessageString().empty());
}

TEST(LinkWait, ZeroAndSpanStatus_ReadFromKeptResults) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) {
        if (body.rfind("SZ,C", 0) == 0) return std::vector<Piece>{{Reply("SZ,C,000100")}};
        return std::vector<Piece>{{Reply("S2,W,010000")}};
    }));
    bool ok = true, result = false;
    rig.link.SendAndWait(ok, FrameOf("SZ,C,"), result);
    rig.link.SendAndWait(ok, FrameOf("S2,W,111111"), result);
    ASSERT_TRUE(ok);
    for (Integer gas = 0; gas < 6; ++gas) {
        EXPECT_EQ(rig.link.ZeroStatus(gas), gas != 3) << gas;
        EXPECT_EQ(rig.link.SpanStatus(gas), gas != 1) << gas;
    }
    EXPECT_FALSE(rig.link.ZeroStatus(6));
    EXPECT_FALSE(rig.link.ZeroStatus(-1));
}

}  // namespace
}  // namespace tz::test
