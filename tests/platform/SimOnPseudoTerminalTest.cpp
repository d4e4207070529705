// The simulated instrument served on a pseudo-terminal, reached through the serial adapter.
#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "link/Frame.h"
#include "platform/PtyDeviceHost.h"
#include "platform/QtSerialPort.h"
#include "sim/SimInstrument.h"

namespace tz {
namespace {

class ReplyCollector : public IPortListener {
public:
    explicit ReplyCollector(IPort& port) : port_(port) {}
    void OnComm(int code) override {
        if (code == comEvReceive) bytes += port_.Input();
        if (code == comEvCTS) linesOn = port_.ModemStatus() != 0;
    }
    bool HasFrame() const { return bytes.find(EOT) != std::string::npos; }
    std::string bytes;
    bool linesOn = false;

private:
    IPort& port_;
};

class SimOnPseudoTerminalTest : public test::QtAppTest {
protected:
    SimOnPseudoTerminalTest() : pty(true), host(pty, instrument, loop), collector(port) {
        port.SetListener(&collector);
        port.DeviceName(pty.SlavePath());
        port.Settings("115200,n,8,1");
    }
    QtEventLoop loop;
    PseudoTerminal pty;
    SimInstrument instrument;
    PtyDeviceHost host;
    QtSerialPort port;
    ReplyCollector collector;
};

TEST_F(SimOnPseudoTerminalTest, ConnectionRequest_AnsweredWithTheModel) {
    ASSERT_TRUE(port.Open()) << port.LastError();
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collector.linesOn; }));
    port.Output(BuildFrame("RC,R,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collector.HasFrame(); }));
    EXPECT_EQ(collector.bytes.front(), STX);
    EXPECT_NE(collector.bytes.find(instrument.State().model), std::string::npos)
        << collector.bytes;
    EXPECT_EQ(instrument.Count().commands, 1);
}

TEST_F(SimOnPseudoTerminalTest, DelayedSplitReplies_ArriveWhole) {
    SimFaults faults;
    faults.seed = 7;
    faults.replyDelayMs = 2;
    faults.splitReply = 1.0;
    faults.pieceGapMs = 2;
    instrument.SetFaults(faults);
    ASSERT_TRUE(port.Open()) << port.LastError();
    port.Output(BuildFrame("RC,R,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collector.HasFrame(); }));
    EXPECT_NE(collector.bytes.find(instrument.State().model), std::string::npos);
    EXPECT_GE(instrument.Split(), 1);
}

// A powered-off instrument answers nobody, but the next client that opens the port finds it on,
// as on a line that is opened afresh; nothing the first client left behind reaches it.
TEST_F(SimOnPseudoTerminalTest, PowerOffThenNewClientOpens_InstrumentAnswers) {
    ASSERT_TRUE(port.Open()) << port.LastError();
    port.Output(BuildFrame("RO,W,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collector.HasFrame(); }));
    ASSERT_TRUE(instrument.State().poweredOff);
    port.Close();

    QtSerialPort next;
    ReplyCollector nextCollector(next);
    next.SetListener(&nextCollector);
    next.DeviceName(pty.SlavePath());
    next.Settings("9600,n,8,1");
    ASSERT_TRUE(next.Open()) << next.LastError();
    next.Output(BuildFrame("RC,R,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return nextCollector.HasFrame(); })) << nextCollector.bytes;
    EXPECT_FALSE(instrument.State().poweredOff);
    EXPECT_EQ(nextCollector.bytes.front(), STX);
    EXPECT_NE(nextCollector.bytes.find(instrument.State().model), std::string::npos) << nextCollector.bytes;
}

// The same client sending again after the power-off still meets silence: only a new opening of
// the line switches the instrument on.
TEST_F(SimOnPseudoTerminalTest, PowerOffSameClient_StaysSilent) {
    ASSERT_TRUE(port.Open()) << port.LastError();
    port.Output(BuildFrame("RO,W,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collector.HasFrame(); }));
    collector.bytes.clear();
    port.Output(BuildFrame("RC,R,", EOT));
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return instrument.Count().ignoredOff >= 1; }));
    EXPECT_TRUE(instrument.State().poweredOff);
    EXPECT_EQ(instrument.Count().commands, 1);
}

}  // namespace
}  // namespace tz
