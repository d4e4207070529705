// The whole chain as the programs use it: the link on the real event loop and serial adapter,
// the simulated instrument served on a pseudo-terminal, and the shared port choice.
#include <gtest/gtest.h>

#include <memory>

#include "QtTestSupport.h"
#include "RecordingDialogs.h"
#include "link/Frame.h"
#include "link/InactiveIrdaPort.h"
#include "link/RecordCompare.h"
#include "platform/PtyDeviceHost.h"
#include "platform/QtSerialPort.h"
#include "platform/SelectPort.h"
#include "sim/SimInstrument.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

class LinkEvents : public ILinkListener {
public:
    void OnConnect() override { ++connects; }
    void OnDisconnect() override { ++disconnects; }
    void AlarmMessage(const std::string&) override { ++alarms; }
    int connects = 0, disconnects = 0, alarms = 0;
};

using test::RecordingDialogs;

// Forwards to the simulated instrument and, after a given number of frames from the host, takes
// the whole pseudo-terminal away as a pulled cable or a stopped simulator would.
class VanishingDevice : public ILoopbackDevice {
public:
    VanishingDevice(ILoopbackDevice& inner, int framesBeforeVanishing, std::function<void()> vanish)
        : inner_(inner), left_(framesBeforeVanishing), vanish_(std::move(vanish)) {}
    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        for (const char c : bytes) left_ -= c == EOT;
        if (left_ <= 0 && vanish_) {
            std::exchange(vanish_, nullptr)();
            return;
        }
        inner_.OnBytesFromHost(bytes, reply);
    }

private:
    ILoopbackDevice& inner_;
    int left_;
    std::function<void()> vanish_;
};

class LinkOverPseudoTerminalTest : public test::QtAppTest {
protected:
    LinkOverPseudoTerminalTest() {
        link.SetListener(&events);
        link.Retry(3);
        link.Timeout(1);
        program.CommSettings = "921600,n,8,1";
    }
    void Serve(ILoopbackDevice& device) {
        host = std::make_unique<PtyDeviceHost>(*pty, device, loop);
    }
    bool WaitConnected() {
        return test::WaitUntil(loop, [&] { return link.Connected() || events.alarms > 0; }) &&
               link.Connected();
    }
    SerialPortEnumerator Ports(std::vector<SerialPortEntry> ports) {
        return [ports] { return ports; };
    }
    SerialPortEntry Module(const std::string& name, const std::string& device) {
        return SerialPortEntry{name, device, 0x10C4, 0xEA60, "USB infrared module"};
    }

    QtEventLoop loop;
    std::unique_ptr<PseudoTerminal> pty = std::make_unique<PseudoTerminal>(true);
    SimInstrument sim;
    std::unique_ptr<PtyDeviceHost> host;
    // Port numbers lead nowhere here, so no test opens one of the machine's real ports.
    QtSerialPort serial{[](int) { return std::string(); }};
    InactiveIrdaPort irda;
    uclTzif link{serial, irda, loop};
    LinkEvents events;
    ProgramState program;
    RecordingDialogs dialogs;
};

TEST_F(LinkOverPseudoTerminalTest, OneModule_SelectedOpenedHandshakeAndFullReadEqualsInstrument) {
    Serve(sim);
    const auto ports = Ports({SerialPortEntry{"ttyS0", "/dev/ttyS0", {}, {}, ""},
                              Module("ttyUSB0", pty->SlavePath())});
    program.IrCommNum = 9;  // the configuration file's value is always replaced
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, {}, ports));
    EXPECT_EQ(program.IrCommNum, 2);
    EXPECT_TRUE(link.SerialComm());
    EXPECT_TRUE(link.PortOpen()) << serial.LastError();
    EXPECT_EQ(serial.DeviceName(), pty->SlavePath());
    EXPECT_EQ(link.Settings(), "921600,n,8,1");
    EXPECT_TRUE(link.RTSEnable());
    EXPECT_TRUE(link.DTREnable());
    EXPECT_EQ(link.Handshaking(), comRTS);

    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(events.connects, 1);
    clsInstrument record;
    ASSERT_TRUE(link.GetInstrument(&record));
    EXPECT_EQ(test::ReadValueDifferences(record, RecordAsRead(sim.State())),
              std::vector<std::string>{});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LinkOverPseudoTerminalTest, WriteRoundTrip_ChangedRecordWrittenThenFreshReadEqualsIt) {
    Serve(sim);
    serial.DeviceName(pty->SlavePath());
    link.SerialComm(true);
    link.PortOpen(true);
    ASSERT_TRUE(WaitConnected());
    clsInstrument record;
    ASSERT_TRUE(link.GetInstrument(&record));
    record.ClearChangeFlags();

    // One setting from each kind of write: an option, an alarm point, the sensor ports, a list
    // entry. Assigning them sets their change flags.
    record.LcdBackLight(60);
    record.Alarm(0, 60);
    record.PortCh(0, 1);
    record.PortCh(1, 0);
    record.StationList(64, "PUMP HOUSE 64 AB");
    ASSERT_TRUE(link.SetInstrument(&record, false));
    EXPECT_EQ(sim.State().record.LcdBackLight(), 60);
    EXPECT_EQ(sim.State().record.StationList(64), "PUMP HOUSE 64 AB");

    clsInstrument fresh;
    ASSERT_TRUE(link.GetInstrument(&fresh));
    EXPECT_EQ(test::ReadValueDifferences(fresh, record), std::vector<std::string>{});
}

TEST_F(LinkOverPseudoTerminalTest, NamedDevice_WinsWithoutLookup) {
    Serve(sim);
    program.IrCommNum = 0;
    const auto noPorts = Ports({});
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, pty->SlavePath(), noPorts));
    EXPECT_TRUE(link.SerialComm());
    ASSERT_TRUE(WaitConnected());
}

// "--port 2" is the second port of the enumeration; a number no port has keeps the number and
// the port refuses to open, naming it.
TEST_F(LinkOverPseudoTerminalTest, PortNumber_OpensThePortOfThatNumber) {
    Serve(sim);
    const auto ports = Ports({SerialPortEntry{"ttyS0", "/dev/ttyS0", {}, {}, ""}, Module("ttyUSB0", pty->SlavePath())});
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, "2", ports));
    EXPECT_EQ(serial.DeviceName(), pty->SlavePath());
    EXPECT_EQ(link.CommPort(), 2);
    ASSERT_TRUE(WaitConnected());
}

TEST_F(LinkOverPseudoTerminalTest, PortNumberNoPortHas_OpenFailsNamingTheNumber) {
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, "3", Ports({})));
    EXPECT_FALSE(link.PortOpen());
    EXPECT_NE(serial.LastError().find("port 3"), std::string::npos) << serial.LastError();
}

TEST_F(LinkOverPseudoTerminalTest, ConfiguredDevice_UsedWithoutLookup) {
    Serve(sim);
    program.IrCommNum = 7;
    program.CommDevice = pty->SlavePath();
    const auto otherModule = Ports({Module("ttyUSB0", "/dev/ttyUSB0")});
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, {}, otherModule));
    EXPECT_EQ(serial.DeviceName(), pty->SlavePath());
    EXPECT_EQ(program.IrCommNum, 7);
    EXPECT_TRUE(link.SerialComm());
    ASSERT_TRUE(WaitConnected());
}

TEST_F(LinkOverPseudoTerminalTest, CommandLineDevice_WinsOverConfiguredDevice) {
    Serve(sim);
    program.CommDevice = "/dev/tz7300-no-such-device";
    EXPECT_TRUE(SelectPort(link, serial, program, &dialogs, pty->SlavePath(), Ports({})));
    EXPECT_EQ(serial.DeviceName(), pty->SlavePath());
    ASSERT_TRUE(WaitConnected());
}

TEST_F(LinkOverPseudoTerminalTest, NoModule_InfraredChoiceAndNumberZero) {
    program.IrCommNum = 5;
    serial.DeviceName("/dev/stale-device");  // left from an earlier choice
    EXPECT_FALSE(SelectPort(link, serial, program, &dialogs, {}, Ports({})));
    EXPECT_EQ(program.IrCommNum, 0);
    EXPECT_FALSE(link.SerialComm());
    EXPECT_TRUE(serial.DeviceName().empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LinkOverPseudoTerminalTest, SeveralModules_ReportedAndNumberZero) {
    program.IrCommNum = 5;
    EXPECT_FALSE(SelectPort(link, serial, program, &dialogs, {},
                            Ports({Module("ttyUSB0", "/dev/ttyUSB0"),
                                   Module("ttyUSB1", "/dev/ttyUSB1")})));
    EXPECT_EQ(program.IrCommNum, 0);
    EXPECT_FALSE(link.SerialComm());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, LoadMessage(MsgSeveralUsbModules));
}

TEST_F(LinkOverPseudoTerminalTest, SimulatorGoneWhileConnected_DisconnectsThenReconnectsOnReopen) {
    Serve(sim);
    serial.DeviceName(pty->SlavePath());
    link.SerialComm(true);
    link.PortOpen(true);
    ASSERT_TRUE(WaitConnected());

    host.reset();
    pty.reset();
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return events.disconnects > 0; }));
    EXPECT_EQ(events.disconnects, 1);
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(link.PortOpen());

    // A new simulator; the program reopens the port and the handshake runs again.
    pty = std::make_unique<PseudoTerminal>(true);
    Serve(sim);
    serial.DeviceName(pty->SlavePath());
    link.PortOpen(true);
    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(events.connects, 2);
}

// The line drops while a read waits for a reply: the read must fail at once instead of going on
// to commands that nothing times out while disconnected. The guard turns a hang into a plain
// failure.
TEST_F(LinkOverPseudoTerminalTest, SimulatorGoneMidRead_ReadFailsAndLinkDisconnects) {
    VanishingDevice vanishing(sim, 40, [&] {
        // From the loop, not from inside the host that is delivering these bytes.
        loop.Post(0, [&] {
            host.reset();
            pty.reset();
        });
    });
    Serve(vanishing);
    serial.DeviceName(pty->SlavePath());
    link.SerialComm(true);
    link.PortOpen(true);
    ASSERT_TRUE(WaitConnected());

    bool hung = false;
    loop.Post(30000, [&] {
        hung = true;
        link.Status(stsFailed);
    });
    clsInstrument record;
    EXPECT_FALSE(link.GetInstrument(&record));
    EXPECT_FALSE(hung) << "the read did not end after the line dropped";
    EXPECT_EQ(events.disconnects, 1);
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(serial.IsOpen());
}

}  // namespace
}  // namespace tz
