#pragma once
// What a command-line run needs from the platform: the ports and the event loop the link runs on,
// the port choice, the program folder, and whether the user asked to stop (SIGINT). The
// executable gives the Qt serial port and event loop; tests give the simulated instrument on a
// loopback port at virtual time.
#include <filesystem>
#include <string>

#include "app/modMain.h"
#include "link/IEventLoop.h"
#include "link/IIrdaPort.h"
#include "link/IPort.h"
#include "link/uclTzif.h"

namespace tz::cli {

class ILinkEnvironment {
public:
    virtual ~ILinkEnvironment() = default;

    virtual IPort& Serial() = 0;
    virtual IIrdaPort& Irda() = 0;
    virtual IEventLoop& Loop() = 0;

    // Chooses the link's port (the named device, else the USB infrared module), applies the line
    // settings of `program` and opens it. False when no port could be chosen; the link's
    // PortOpen tells whether a chosen port opened.
    virtual bool ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) = 0;

    // The folder that holds the configuration file.
    virtual std::filesystem::path ProgramFolder() = 0;

    // True once the user asked to stop the running operation.
    virtual bool Interrupted() = 0;
};

}  // namespace tz::cli
