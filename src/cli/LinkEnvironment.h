#pragma once
// What a command-line run needs from the platform: the ports and the event loop the link runs on,
// the port choice, the program folder, and whether the user asked to stop (SIGINT). The
// executable gives the Qt serial port and event loop; tests give the simulated instrument on a
// loopback port at virtual time.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "link/IEventLoop.h"
#include "link/IIrdaPort.h"
#include "link/IPort.h"
#include "link/uclTzif.h"

namespace tz::cli {

// A serial port of the machine as `tz7300 ports` lists it: the number --port takes, the name, the
// device it is opened by, the system's description and the USB identifiers.
struct ListedPort {
    int number = 0;
    std::string name;
    std::string device;
    std::string description;
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    bool infraredModule = false;  // the USB infrared module's identifiers
};

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

    // The serial ports present now, in number order.
    virtual std::vector<ListedPort> SerialPorts() = 0;

    // The folder that holds the configuration file.
    virtual std::filesystem::path ProgramFolder() = 0;

    // True once the user asked to stop the running operation.
    virtual bool Interrupted() = 0;
};

}  // namespace tz::cli
