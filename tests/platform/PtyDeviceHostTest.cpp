// A device served on a pseudo-terminal, reached through the serial adapter as a client would.
#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "platform/PtyDeviceHost.h"
#include "platform/QtSerialPort.h"

namespace tz {
namespace {

// Answers each chunk with "<chunk>!" in two pieces, the second after a delay.
class SplitEchoDevice : public ILoopbackDevice {
public:
    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        reply(bytes, 0);
        reply("!", 3);
    }
};

class Collect : public IPortListener {
public:
    explicit Collect(IPort& port) : port_(port) {}
    void OnComm(int code) override {
        if (code == comEvReceive) text += port_.Input();
    }
    std::string text;

private:
    IPort& port_;
};

TEST(PtyDeviceHostTest, ClientExchangesWithDevice_RepliesArriveInOrder) {
    test::QtApp();
    QtEventLoop loop;
    PseudoTerminal pty(true);
    SplitEchoDevice device;
    PtyDeviceHost host(pty, device, loop);

    QtSerialPort port;
    Collect collect(port);
    port.SetListener(&collect);
    port.DeviceName(pty.SlavePath());
    ASSERT_TRUE(port.Open()) << port.LastError();
    port.Output("ping");
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collect.text.size() >= 5; }));
    EXPECT_EQ(collect.text, "ping!");

    // A client may leave and come back; the host keeps serving.
    port.Close();
    collect.text.clear();
    ASSERT_TRUE(port.Open()) << port.LastError();
    port.Output("again");
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return collect.text.size() >= 6; }));
    EXPECT_EQ(collect.text, "again!");
    EXPECT_EQ(host.BytesIn(), 9);
    EXPECT_EQ(host.BytesOut(), 11);
}

TEST(PtyDeviceHostTest, PairWithoutHeldSlave_Refused) {
    test::QtApp();
    QtEventLoop loop;
    PseudoTerminal pty(false);
    SplitEchoDevice device;
    EXPECT_THROW(PtyDeviceHost(pty, device, loop), std::logic_error);
}

}  // namespace
}  // namespace tz
