#pragma once
// The serial ports a user chooses among, as the desktop program's port choice and the command
// line's port listing show them: the ports the system reports, in the order they are numbered,
// with their description and USB identifiers, the USB infrared module marked, and the configured
// device that the system does not report (a pseudo-terminal, a port unplugged) kept in the list.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/SerialPortLookup.h"

namespace tz {

struct PortChoice {
    std::string device;       // what the port is opened by ("/dev/ttyUSB0", "COM7")
    std::string portName;     // "ttyUSB0", "COM7"; the device itself for one not reported
    std::string description;  // the system's description; may be empty
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    bool infraredModule = false;  // the USB infrared module (UsbInfraredModuleId)
    bool reported = true;         // false: the configured device, not reported by the system now
};

// The system's ports in number order (NumberPorts), then `configured` when it is not empty and
// none of them is opened by that device.
std::vector<PortChoice> ListPortChoices(std::vector<SerialPortEntry> ports, const std::string& configured,
                                        PortNumbering numbering = NativePortNumbering());

// "10C4:EA60" (upper-case hexadecimal), or empty when the port has no USB identifiers.
std::string UsbIdsText(const PortChoice& choice);

// One line for a person: the port name, the description, "USB 10C4:EA60", and the marks for the
// infrared module and for a device not reported now (texts from the message catalogue), the
// parts that apply separated by " - ".
std::string PortChoiceText(const PortChoice& choice);

}  // namespace tz
