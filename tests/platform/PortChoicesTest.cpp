#include "platform/PortChoices.h"

#include <gtest/gtest.h>

#include "text/Catalogue.h"

namespace tz {
namespace {

std::vector<SerialPortEntry> SomePorts() {
    return {{"ttyUSB10", "/dev/ttyUSB10", 0x0403, 0x6001, "FT232R USB UART"},
            {"ttyS0", "/dev/ttyS0", {}, {}, ""},
            {"ttyUSB2", "/dev/ttyUSB2", 0x10C4, 0xEA60, "CP2102 USB to UART Bridge Controller"}};
}

TEST(PortChoices, ListedInNumberOrderWithTheModuleMarkedAndTheConfiguredDeviceKept) {
    SetLanguage(Language::English);
    const struct {
        std::string configured;
        std::vector<std::string> lines;
    } cases[] = {
        {"",
         {"ttyS0", "ttyUSB2 - CP2102 USB to UART Bridge Controller - USB 10C4:EA60 - USB infrared module",
          "ttyUSB10 - FT232R USB UART - USB 0403:6001"}},
        // A device the system reports is not listed twice.
        {"/dev/ttyUSB10",
         {"ttyS0", "ttyUSB2 - CP2102 USB to UART Bridge Controller - USB 10C4:EA60 - USB infrared module",
          "ttyUSB10 - FT232R USB UART - USB 0403:6001"}},
        {"/dev/pts/7",
         {"ttyS0", "ttyUSB2 - CP2102 USB to UART Bridge Controller - USB 10C4:EA60 - USB infrared module",
          "ttyUSB10 - FT232R USB UART - USB 0403:6001", "/dev/pts/7 - not listed by the system"}},
    };
    for (const auto& c : cases) {
        const auto choices = ListPortChoices(SomePorts(), c.configured, PortNumbering::EnumerationOrder);
        std::vector<std::string> lines;
        for (const PortChoice& choice : choices) lines.push_back(PortChoiceText(choice));
        EXPECT_EQ(lines, c.lines) << c.configured;
        EXPECT_EQ(choices.back().reported, c.configured != "/dev/pts/7");
    }
}

TEST(PortChoices, ComNamesKeepOnlyNumberedPorts) {
    const auto choices = ListPortChoices({{"COM7", "COM7", 0x10C4, 0xEA60, ""}, {"COM3", "COM3", {}, {}, ""},
                                          {"LPT1", "LPT1", {}, {}, ""}},
                                         "", PortNumbering::ComNames);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].device, "COM3");
    EXPECT_EQ(UsbIdsText(choices[0]), "");
    EXPECT_TRUE(choices[1].infraredModule);
    EXPECT_EQ(UsbIdsText(choices[1]), "10C4:EA60");
}

}  // namespace
}  // namespace tz
