// The infrared transport: port choice, its link events and its receive path.
#include <gtest/gtest.h>

#include "link/LinkMessages.h"
#include "link/LinkTestRig.h"

namespace tz::test {
namespace {

class FakeIrdaPort : public InactiveIrdaPort {
public:
    void SetListener(IIrdaListener* l) override { listener = l; }
    bool Active() const override { return active; }
    bool Open() override { return open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Output(const std::string& text) override {
        written += text;
        lengthWhileWriting = BinaryReceiveLength();
    }
    std::string InputText() override { return std::exchange(input, std::string()); }
    int InputCount() const override { return static_cast<int>(input.size()); }
    int ErrorNumber() const override { return error; }
    bool StoreBlock(const std::string& path, long position) override {
        stored.emplace_back(path, position);
        return true;
    }

    void Receive(const std::string& text) {
        input += text;
        listener->OnIrdaComm(irEvReceive);
    }

    IIrdaListener* listener = nullptr;
    bool active = true, open = false;
    std::string written, input;
    int lengthWhileWriting = -1, error = 0;
    std::vector<std::pair<std::string, long>> stored;
};

struct IrdaRig {
    VirtualEventLoop loop;
    ScriptedDevice device;
    LoopbackPort serial{loop, device};
    FakeIrdaPort irda;
    uclTzif link{serial, irda, loop};
    RecordingListener events;
    clsInstrument record;
    std::vector<std::string> logLines;

    IrdaRig() {
        link.SetListener(&events);
        link.Log().SetObserver([this](const std::string& line) { logLines.push_back(line); });
        link.Retry(3);
        link.Timeout(3);
        link.Instrument(&record);
    }
    bool Logged(const std::string& part) const {
        for (const std::string& line : logLines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
};

TEST(LinkIrda, ActiveAndNotForcedSerial_FramesGoToInfraredWithBinaryLengthZeroed) {
    IrdaRig rig;
    rig.irda.BinaryReceiveLength(512);
    rig.link.DataSend(BuildFrame("SC,R,", EOT), true);
    EXPECT_EQ(rig.irda.written, BuildFrame("SC,R,", EOT));
    EXPECT_EQ(rig.irda.lengthWhileWriting, 0);
    EXPECT_EQ(rig.irda.BinaryReceiveLength(), 512);
    EXPECT_TRUE(rig.serial.Written().empty());
}

TEST(LinkIrda, SerialForced_SerialPortUsed) {
    IrdaRig rig;
    rig.link.SerialComm(true);
    rig.link.PortOpen(true);
    EXPECT_TRUE(rig.serial.IsOpen());
    EXPECT_FALSE(rig.irda.open);
    rig.link.Settings("19200,n,8,1");
    EXPECT_EQ(rig.serial.Settings(), "19200,n,8,1");
}

TEST(LinkIrda, CommPort_AlwaysSetsSerialPort) {
    IrdaRig rig;
    rig.link.CommPort(7);
    EXPECT_EQ(rig.serial.CommPort(), 7);
    EXPECT_NE(rig.irda.CommPort(), 7);
}

TEST(LinkIrda, StartUp_PassiveFlagIsInverseOfActive) {
    IrdaRig rig;
    EXPECT_FALSE(rig.irda.Passive());
    EXPECT_EQ(rig.serial.Settings(), "115200,n,8,1");
    EXPECT_EQ(rig.serial.Handshaking(), comNone);
}

TEST(LinkIrda, LinkEstablished_StartsHandshakeOnlyFromNotConnected) {
    IrdaRig rig;
    rig.irda.listener->OnIrdaComm(irEvConnected);
    EXPECT_EQ(rig.link.ConnectionState(), connConnecting);
    EXPECT_TRUE(rig.Logged(LinkText(msgIrdaConnected, "").substr(0, 10)));
    rig.logLines.clear();
    rig.irda.listener->OnIrdaComm(irEvConnected);
    EXPECT_TRUE(rig.logLines.empty());
}

TEST(LinkIrda, ReplyData_DecodedAndIdleRaised) {
    IrdaRig rig;
    rig.irda.listener->OnIrdaComm(irEvConnected);
    rig.loop.RunFor(150);  // the first tick sends "RC,R,"
    ASSERT_NE(rig.irda.written.find("RC,R,"), std::string::npos);
    rig.irda.Receive(Reply("RC,R,TZ-7300"));
    EXPECT_TRUE(rig.link.Connected());
    EXPECT_EQ(rig.events.idles, 1);
    EXPECT_EQ(rig.link.ReceivedFrame(), Reply("RC,R,TZ-7300"));
}

TEST(LinkIrda, CancelSet_DataDiscardedCancelledAndIdleRaised) {
    IrdaRig rig;
    rig.link.Cancel(true);
    rig.irda.Receive(Reply("SC,R,0001"));
    EXPECT_EQ(rig.link.Status(), stsCancelled);
    EXPECT_EQ(rig.events.idles, 1);
    EXPECT_TRUE(rig.link.ReceiveBuffer().empty());
}

TEST(LinkIrda, SocketError_FailsLogsAndRaisesWithErrorNumber) {
    IrdaRig rig;
    rig.irda.error = 10054;
    rig.irda.listener->OnIrdaComm(irEvSocketError);
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.events.irdaErrors, std::vector<Integer>{10054});
    EXPECT_TRUE(rig.Logged("Soket Error[2025/01/01 00:00:00](10054)"));
    EXPECT_EQ(rig.link.ErrorCount(), 1);
}

TEST(LinkIrda, OtherEvent_FailsAndLogsCodeAndError) {
    IrdaRig rig;
    rig.irda.error = 5;
    rig.irda.listener->OnIrdaComm(1030);
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_TRUE(rig.Logged("IrDA Error[2025/01/01 00:00:00][1030] (5)"));
}

TEST(LinkIrda, BinaryBlock_StoredAtPositionCompleteAt512) {
    IrdaRig rig;
    rig.link.BinDumpPath("image.bin");
    rig.link.Status(stsBinaryDump);
    rig.irda.Receive("");
    ASSERT_EQ(rig.irda.stored.size(), 1u);
    EXPECT_EQ(rig.irda.stored[0], (std::pair<std::string, long>{"image.bin", 0}));
    EXPECT_EQ(rig.link.Status(), stsCompleted);
}

}  // namespace
}  // namespace tz::test
