#pragma once
// The command line's platform: the Qt serial port and event loop, the inactive infrared port, the
// shared port choice, and SIGINT as the request to stop.
#include "cli/LinkEnvironment.h"
#include "link/InactiveIrdaPort.h"
#include "platform/QtEventLoop.h"
#include "platform/QtSerialPort.h"
#include "platform/StreamDialogs.h"

namespace tz::cli {

class QtLinkEnvironment : public ILinkEnvironment {
public:
    explicit QtLinkEnvironment(std::ostream& messages) : dialogs_(messages) {}

    IPort& Serial() override { return serial_; }
    IIrdaPort& Irda() override { return irda_; }
    IEventLoop& Loop() override { return loop_; }
    bool ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) override;
    std::vector<ListedPort> SerialPorts() override;
    std::filesystem::path ProgramFolder() override;
    bool Interrupted() override;

    // Routes SIGINT and SIGTERM to Interrupted(); a second one ends the program at once.
    static void CatchInterrupt();

private:
    QtEventLoop loop_;
    QtSerialPort serial_;
    InactiveIrdaPort irda_;
    StreamDialogs dialogs_;
};

}  // namespace tz::cli
