// "COMM DEVICE": a serial device named directly in the configuration file.
#include <algorithm>

#include "app/ConfigFileTestSupport.h"

namespace tz {
namespace {

using CommDeviceConfig = ConfigFolderTest;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST_F(CommDeviceConfig, WrittenAndReadBack_GivesTheSameDevice) {
    const std::string devices[] = {
        "/dev/ttyUSB0",
        "COM3",
        "/dev/serial/by-id/usb-Silicon Labs CP2102 USB to UART-if00-port0",  // spaces
        "/tmp/tz;sim\tlink",  // characters that end a value unless quoted
        "",
    };
    for (const std::string& device : devices) {
        ProgramState source;
        source.CommDevice = device;
        ASSERT_TRUE(WriteConfiguration(source, file_, 45000.0, true));
        ProgramState read;
        read.CommDevice = "/dev/left-over";
        EXPECT_EQ(ReadConfiguration(read, file_), ConfigReadResult::Complete);
        EXPECT_EQ(read.CommDevice, device);
    }
}

TEST_F(CommDeviceConfig, WrittenRightAfterTheLineSettings) {
    ProgramState s;
    s.CommSettings = "115200,n,8,1";
    s.CommDevice = "/dev/ttyUSB1";
    const auto lines = LinesOf(ConfigurationText(s, 45000.0, true));
    const auto settings = std::find(lines.begin(), lines.end(), "COMM Settings\t115200,n,8,1");
    ASSERT_NE(settings, lines.end());
    ASSERT_NE(settings + 1, lines.end());
    EXPECT_EQ(*(settings + 1), "COMM Device\t/dev/ttyUSB1");
}

TEST_F(CommDeviceConfig, KeyInAnyCase_IsRead_FileWithoutItLeavesNoDevice) {
    ProgramState named;
    ReadLines(named, "comm device\t/dev/ttyS1\nCOMM Settings\t9600,n,8,1\n");
    EXPECT_EQ(named.CommDevice, "/dev/ttyS1");

    ProgramState without;
    ReadLines(without, "COMM Settings\t9600,n,8,1\n");
    EXPECT_EQ(without.CommDevice, "");
}

}  // namespace
}  // namespace tz
