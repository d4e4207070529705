// The virtual event loop and the loopback port.
#include <gtest/gtest.h>

#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "text/DateTime.h"

namespace tz {
namespace {

TEST(VirtualEventLoop, NothingScheduled_YieldThrowsInsteadOfHanging) {
    VirtualEventLoop loop;
    EXPECT_THROW(loop.Yield(), NothingScheduledError);
}

TEST(VirtualEventLoop, Yield_RunsNextDueEventAndJumpsClock) {
    VirtualEventLoop loop(*MakeDate({2026, 3, 1, 12, 0, 0}));
    std::vector<int> order;
    loop.Post(3000, [&] { order.push_back(3); });
    loop.Post(1000, [&] { order.push_back(1); });
    loop.Post(1000, [&] { order.push_back(2); });  // same time: in posting order
    loop.Yield();
    EXPECT_EQ(loop.ElapsedMs(), 1000);
    loop.Yield();
    loop.Yield();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(FormatGeneralDate(loop.Now()), "2026/03/01 12:00:03");
    EXPECT_THROW(loop.Yield(), NothingScheduledError);
}

TEST(VirtualEventLoop, PeriodicTimer_RunsEveryIntervalUntilStoppedFromItsOwnCallback) {
    VirtualEventLoop loop;
    int ticks = 0;
    IEventLoop::TimerId id = 0;
    id = loop.StartTimer(100, [&] {
        if (++ticks == 3) loop.StopTimer(id);
    });
    loop.RunFor(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(loop.ElapsedMs(), 1000);
}

TEST(VirtualEventLoop, RunUntil_GivesUpAfterMaxEvents) {
    VirtualEventLoop loop;
    loop.StartTimer(10, [] {});
    EXPECT_FALSE(loop.RunUntil([] { return false; }, 5));
    EXPECT_EQ(loop.EventCount(), 5u);
}

class EchoDevice : public ILoopbackDevice {
public:
    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        received += bytes;
        reply(bytes, 50);
    }
    void OnPortOpened() override { ++opened; }
    int opened = 0;
    std::string received;
};

class CountingListener : public IPortListener {
public:
    void OnComm(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

TEST(LoopbackPort, Open_ReportsModemLinesOn) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    CountingListener listener;
    port.SetListener(&listener);
    ASSERT_TRUE(port.Open());
    loop.RunFor(1);
    EXPECT_EQ(device.opened, 1);
    EXPECT_EQ(listener.codes, std::vector<int>{comEvCTS});
    EXPECT_EQ(port.ModemStatus(), ModemCts | ModemDsr);
}

TEST(LoopbackPort, DeviceReply_ArrivesAfterItsDelay) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    CountingListener listener;
    port.SetListener(&listener);
    port.Open();
    loop.RunFor(1);
    port.Output("abc");
    loop.RunFor(49);
    EXPECT_EQ(port.Input(), "");
    loop.RunFor(1);
    EXPECT_EQ(listener.codes.back(), comEvReceive);
    EXPECT_EQ(port.Input(), "abc");
}

TEST(LoopbackPort, ClosedBeforeReplyArrives_ReplyDropped) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    port.Open();
    port.Output("abc");
    port.Close();
    port.Open();
    loop.RunFor(100);
    EXPECT_EQ(port.Input(), "");
}

TEST(LoopbackPort, ClosedPort_WritesNothing) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    port.Output("abc");
    EXPECT_TRUE(port.Written().empty());
}

TEST(LoopbackPort, PortGoneBeforeReply_QueuedEventsRunAndDeliverNothing) {
    VirtualEventLoop loop;
    EchoDevice device;
    CountingListener listener;  // outlives the port: a delivery after it is gone would show here
    {
        LoopbackPort port(loop, device);
        port.SetListener(&listener);
        port.Open();
        port.Output("abc");
    }
    const std::uint64_t before = loop.EventCount();
    loop.RunFor(100);  // the modem-line event and the reply find the port gone and do nothing
    EXPECT_EQ(device.received, "abc");
    EXPECT_GE(loop.EventCount() - before, 2u);
    EXPECT_TRUE(listener.codes.empty());
}

TEST(LoopbackPort, Settings_MalformedTextLeftUnchanged) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    EXPECT_TRUE(port.Settings("115200,n,8,1"));
    EXPECT_FALSE(port.Settings("fast"));
    EXPECT_FALSE(port.Settings("9600,q,8,1"));
    EXPECT_EQ(port.Settings(), "115200,n,8,1");
}

TEST(LoopbackPort, FailOpen_StaysClosedWithError) {
    VirtualEventLoop loop;
    EchoDevice device;
    LoopbackPort port(loop, device);
    port.FailOpen("busy");
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.LastError(), "busy");
}

}  // namespace
}  // namespace tz
