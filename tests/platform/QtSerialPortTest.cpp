// The serial adapter against a real pseudo-terminal held by the test.
#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "QtTestSupport.h"
#include "platform/PseudoTerminal.h"
#include "platform/QtSerialPort.h"

namespace tz {
namespace {

class RecordingListener : public IPortListener {
public:
    explicit RecordingListener(IPort& port) : port_(port) {}
    void OnComm(int code) override {
        events.push_back(code);
        if (code == comEvReceive) received += port_.Input();
        if (code == comEvCTS || code == comEvDSR) {
            linesSeen.push_back(port_.ModemStatus());
            openDuringLineEvent.push_back(port_.IsOpen());
        }
    }
    int Count(int code) const {
        int n = 0;
        for (const int e : events) n += e == code;
        return n;
    }
    std::vector<int> events;
    std::vector<long> linesSeen;
    std::vector<bool> openDuringLineEvent;
    std::string received;

private:
    IPort& port_;
};

class QtSerialPortTest : public test::QtAppTest {
protected:
    QtSerialPortTest() : port([](int) { return std::string(); }), listener(port) {
        port.SetListener(&listener);
    }
    bool Wait(const std::function<bool()>& done) { return test::WaitUntil(loop, done); }
    // Reads what the adapter wrote until `expected` bytes have come.
    std::string ReadFromMaster(PseudoTerminal& pty, std::size_t expected) {
        std::string got;
        Wait([&] {
            got += pty.Read();
            return got.size() >= expected;
        });
        return got;
    }

    QtEventLoop loop;
    QtSerialPort port;
    RecordingListener listener;
};

TEST_F(QtSerialPortTest, OpenOnPseudoTerminal_LinesReportedOnAndBytesFlowBothWays) {
    PseudoTerminal pty;
    port.DeviceName(pty.SlavePath());
    ASSERT_TRUE(port.Settings("921600,n,8,1"));
    port.Handshaking(comRTS);
    port.DTREnable(true);
    port.RTSEnable(true);
    ASSERT_TRUE(port.Open()) << port.LastError();
    EXPECT_TRUE(port.IsOpen());

    ASSERT_TRUE(Wait([&] { return listener.Count(comEvCTS) == 1; }));
    EXPECT_FALSE(port.ReportsModemLines());
    EXPECT_EQ(port.ModemStatus(), ModemCts | ModemDsr);
    EXPECT_EQ(listener.linesSeen.front(), ModemCts | ModemDsr);

    // Every byte value passes unchanged in both directions (raw line, binary data).
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    port.Output(all);
    EXPECT_EQ(ReadFromMaster(pty, all.size()), all);

    const std::string reply = std::string("\x02" "0001RC,R,TZ-7300\x03" "00\x04", 20) + '\0' + "\xff";
    ASSERT_EQ(pty.Write(reply), static_cast<long>(reply.size()));
    ASSERT_TRUE(Wait([&] { return listener.received.size() >= reply.size(); }));
    EXPECT_EQ(listener.received, reply);
    EXPECT_GE(listener.Count(comEvReceive), 1);
}

TEST_F(QtSerialPortTest, FarEndCloses_LinesOffWhileOpenThenClosedAndReopenable) {
    {
        PseudoTerminal pty;
        port.DeviceName(pty.SlavePath());
        ASSERT_TRUE(port.Open()) << port.LastError();
        ASSERT_TRUE(Wait([&] { return listener.Count(comEvCTS) == 1; }));
        pty.CloseMaster();
        ASSERT_TRUE(Wait([&] { return !port.IsOpen(); }));
    }
    ASSERT_EQ(listener.linesSeen.size(), 2u);
    EXPECT_EQ(listener.linesSeen[1], 0);             // both lines off: the link disconnects
    EXPECT_TRUE(listener.openDuringLineEvent[1]);    // still open, so the link handles it
    EXPECT_EQ(port.ModemStatus(), 0);
    EXPECT_NE(port.LastError().find("disappeared"), std::string::npos) << port.LastError();
    port.Output("ignored");  // writing to the lost port does nothing harmful

    PseudoTerminal second;
    port.DeviceName(second.SlavePath());
    ASSERT_TRUE(port.Open()) << port.LastError();
    ASSERT_TRUE(Wait([&] { return listener.Count(comEvCTS) == 3; }));
    EXPECT_EQ(port.ModemStatus(), ModemCts | ModemDsr);
    port.Output("again");
    EXPECT_EQ(ReadFromMaster(second, 5), "again");
}

TEST_F(QtSerialPortTest, MalformedSettings_RefusedAndUnchanged) {
    ASSERT_TRUE(port.Settings("115200,n,8,1"));
    EXPECT_FALSE(port.Settings("115200,n,8"));
    EXPECT_EQ(port.Settings(), "115200,n,8,1");
    EXPECT_NE(port.LastError().find("four fields"), std::string::npos) << port.LastError();
}

TEST_F(QtSerialPortTest, MissingDevice_OpenFailsWithReason) {
    port.DeviceName("/dev/tz7300-no-such-device");
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(port.LastError().find("/dev/tz7300-no-such-device"), std::string::npos);
}

TEST_F(QtSerialPortTest, PortNumberWithoutDevice_OpenFailsWithReason) {
    port.CommPort(4);
    EXPECT_FALSE(port.Open());
    EXPECT_NE(port.LastError().find("port 4"), std::string::npos) << port.LastError();
}

// A device another program holds (its lock taken) is refused saying so, not as a rights problem.
TEST_F(QtSerialPortTest, DeviceHeldByAnotherPort_OpenFailsSayingAnotherProgramHoldsIt) {
    PseudoTerminal pty;
    QtSerialPort holder([](int) { return std::string(); });
    holder.DeviceName(pty.SlavePath());
    ASSERT_TRUE(holder.Open()) << holder.LastError();
    port.DeviceName(pty.SlavePath());
    EXPECT_FALSE(port.Open());
    EXPECT_NE(port.LastError().find("another program holds the port"), std::string::npos) << port.LastError();
    holder.Close();
    EXPECT_TRUE(port.Open()) << port.LastError();
}

TEST(QtSerialPortNaming, OpenFailureText_LockNamedOtherReasonsKept) {
    EXPECT_EQ(OpenFailureText("/dev/ttyUSB0", "No such file or directory"), "/dev/ttyUSB0: No such file or directory");
    const std::string held = OpenFailureText("/dev/ttyUSB0", "Permission error while locking the device");
    EXPECT_EQ(held.rfind("/dev/ttyUSB0: another program holds the port", 0), 0u) << held;
    EXPECT_NE(held.find("Permission error while locking the device"), std::string::npos);
}

TEST(QtSerialPortNaming, NamedDeviceWinsOverPortNumber) {
    QtSerialPort port([](int n) { return "/dev/numbered" + std::to_string(n); });
    port.CommPort(3);
    EXPECT_EQ(port.ResolvedDevice(), "/dev/numbered3");
    port.DeviceName("/dev/named");
    EXPECT_EQ(port.ResolvedDevice(), "/dev/named");
    port.DeviceName("");
    EXPECT_EQ(port.ResolvedDevice(), "/dev/numbered3");
}

TEST_F(QtSerialPortTest, CloseBeforeLinesReported_NoLateEvents) {
    PseudoTerminal pty;
    port.DeviceName(pty.SlavePath());
    ASSERT_TRUE(port.Open());
    port.Close();
    bool later = false;
    loop.Post(20, [&] { later = true; });
    ASSERT_TRUE(Wait([&] { return later; }));
    EXPECT_TRUE(listener.events.empty());
}

}  // namespace
}  // namespace tz
