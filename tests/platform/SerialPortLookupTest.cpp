#include <gtest/gtest.h>

#include <vector>

#include "RecordingDialogs.h"
#include "platform/SerialPortLookup.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using test::RecordingDialogs;

std::string CatalogueStandIn(int number) { return "message " + std::to_string(number); }

SerialPortEntry Port(const std::string& name, const std::string& device,
                     std::optional<std::uint16_t> vid = {}, std::optional<std::uint16_t> pid = {}) {
    return SerialPortEntry{name, device, vid, pid, ""};
}

SerialPortEnumerator Fake(std::vector<SerialPortEntry> ports) {
    return [ports] { return ports; };
}

const SerialPortEntry kModemUsb0 = Port("ttyUSB0", "/dev/ttyUSB0", 0x0403, 0x6001);
const SerialPortEntry kModuleUsb1 = Port("ttyUSB1", "/dev/ttyUSB1", 0x10C4, 0xEA60);
const SerialPortEntry kModuleUsb10 = Port("ttyUSB10", "/dev/ttyUSB10", 0x10C4, 0xEA60);
const SerialPortEntry kPlainS0 = Port("ttyS0", "/dev/ttyS0");

class FindUsbSerialPortTest : public ::testing::Test {
protected:
    UsbPortLookup Find(std::vector<SerialPortEntry> ports,
                       PortNumbering numbering = PortNumbering::EnumerationOrder,
                       const std::string& id = UsbInfraredModuleId) {
        return FindUsbSerialPort(id, &dialogs, CatalogueStandIn, Fake(std::move(ports)),
                                 numbering);
    }
    RecordingDialogs dialogs;
};

TEST_F(FindUsbSerialPortTest, NoModule_NumberZeroNothingShown) {
    const auto r = Find({kModemUsb0, kPlainS0});
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.portNumber, 0);
    EXPECT_EQ(r.device, "");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FindUsbSerialPortTest, OneModule_ItsNumberAndDevice) {
    // Natural order: ttyS0 1, ttyUSB0 2, ttyUSB1 3.
    const auto r = Find({kModuleUsb1, kPlainS0, kModemUsb0});
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.portNumber, 3);
    EXPECT_EQ(r.device, "/dev/ttyUSB1");
    EXPECT_TRUE(dialogs.shown.empty());
    // The number leads back to the same device.
    EXPECT_EQ(DeviceForPort(r.portNumber, Fake({kModuleUsb1, kPlainS0, kModemUsb0}),
                            PortNumbering::EnumerationOrder),
              "/dev/ttyUSB1");
}

TEST_F(FindUsbSerialPortTest, OneModuleOnWindows_NumberFromComName) {
    const auto r = Find({Port("COM3", "COM3", 0x0403, 0x6001),
                         Port("COM7", "COM7", 0x10C4, 0xEA60)},
                        PortNumbering::ComNames);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.portNumber, 7);
    EXPECT_EQ(r.device, "COM7");
}

TEST_F(FindUsbSerialPortTest, SeveralModules_StopMessageAndNumberZero) {
    const auto r = Find({kModuleUsb1, kModemUsb0, kModuleUsb10});
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.portNumber, 0);
    EXPECT_EQ(r.device, "");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "message 20014");
    EXPECT_EQ(dialogs.shown[0].title, "message 20015");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Stop);
}

TEST_F(FindUsbSerialPortTest, SeveralModules_TextsFromTheCatalogue) {
    FindUsbSerialPort(UsbInfraredModuleId, &dialogs, {}, Fake({kModuleUsb1, kModuleUsb10}),
                      PortNumbering::EnumerationOrder);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, LoadMessage(MsgSeveralUsbModules));
    EXPECT_EQ(dialogs.shown[0].title, LoadMessage(MsgModuleFinderTitle));
    EXPECT_FALSE(dialogs.shown[0].text.empty());
}

TEST_F(FindUsbSerialPortTest, SeveralModulesWithoutDialogs_NumberZero) {
    const auto r = FindUsbSerialPort(UsbInfraredModuleId, nullptr, CatalogueStandIn,
                                     Fake({kModuleUsb1, kModuleUsb10}),
                                     PortNumbering::EnumerationOrder);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.portNumber, 0);
}

TEST_F(FindUsbSerialPortTest, PortWithoutUsbIdentifiers_NeverMatches) {
    EXPECT_EQ(Find({kPlainS0}, PortNumbering::EnumerationOrder, "VID_0000&PID_0000").count, 0);
}

TEST_F(FindUsbSerialPortTest, MalformedIdentifier_MatchesNothing) {
    EXPECT_EQ(Find({kModuleUsb1}, PortNumbering::EnumerationOrder, "VID_10C4").count, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ParseHardwareIdTest, Table) {
    struct Case {
        const char* text;
        bool valid;
        std::uint16_t vendor, product;
    };
    const Case cases[] = {
        {"VID_10C4&PID_EA60", true, 0x10C4, 0xEA60}, {"vid_10c4&pid_ea60", true, 0x10C4, 0xEA60},
        {"VID_0000&PID_FFFF", true, 0x0000, 0xFFFF}, {"VID_10C4&PID_EA6", false, 0, 0},
        {"VID_10C4&PID_EA600", false, 0, 0},         {"VID_10G4&PID_EA60", false, 0, 0},
        {"VID_10C4 PID_EA60", false, 0, 0},          {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto id = ParseHardwareId(c.text);
        ASSERT_EQ(id.has_value(), c.valid) << c.text;
        if (!id) continue;
        EXPECT_EQ(id->vendor, c.vendor) << c.text;
        EXPECT_EQ(id->product, c.product) << c.text;
    }
}

TEST(PortNumberingTest, EnumerationOrder_NaturalSortFromOne) {
    const auto numbered =
        NumberPorts({kModuleUsb10, kModemUsb0, kPlainS0, kModuleUsb1, Port("ttyACM0", "/dev/ttyACM0")},
                    PortNumbering::EnumerationOrder);
    std::vector<std::string> names;
    for (const auto& p : numbered) names.push_back(std::to_string(p.number) + ":" + p.entry.portName);
    EXPECT_EQ(names, (std::vector<std::string>{"1:ttyACM0", "2:ttyS0", "3:ttyUSB0", "4:ttyUSB1",
                                               "5:ttyUSB10"}));
}

TEST(PortNumberingTest, ComNames_NumberIsTheComNumberOthersLeftOut) {
    const auto numbered = NumberPorts({Port("COM12", "COM12"), Port("COM3", "COM3"),
                                       Port("LPT1", "LPT1"), Port("COM", "COM"),
                                       Port("COMX2", "COMX2")},
                                      PortNumbering::ComNames);
    ASSERT_EQ(numbered.size(), 2u);
    EXPECT_EQ(numbered[0].number, 3);
    EXPECT_EQ(numbered[1].number, 12);
}

TEST(DeviceForPortTest, Table) {
    const auto ports = Fake({kModemUsb0, kPlainS0});
    EXPECT_EQ(DeviceForPort(7, ports, PortNumbering::ComNames), "COM7");
    EXPECT_EQ(DeviceForPort(1, ports, PortNumbering::EnumerationOrder), "/dev/ttyS0");
    EXPECT_EQ(DeviceForPort(2, ports, PortNumbering::EnumerationOrder), "/dev/ttyUSB0");
    EXPECT_EQ(DeviceForPort(3, ports, PortNumbering::EnumerationOrder), "");
    EXPECT_EQ(DeviceForPort(0, ports, PortNumbering::EnumerationOrder), "");
    EXPECT_EQ(DeviceForPort(0, ports, PortNumbering::ComNames), "");
    EXPECT_EQ(DeviceForPort(-4, ports, PortNumbering::ComNames), "");
}

}  // namespace
}  // namespace tz
