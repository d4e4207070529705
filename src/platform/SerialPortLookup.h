#pragma once
// Serial ports of the machine, their port numbers, and the lookup of the USB infrared module.
//
// The link names a port by number, as the instrument's original platform did. On Windows the
// number is the one in "COM<n>". Elsewhere the ports found by the enumeration are sorted by name
// (natural order: ttyUSB2 before ttyUSB10) and numbered from 1; a device can always be named
// directly instead, which avoids depending on that order.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/IDialogs.h"

namespace tz {

// The hardware identifier of the USB infrared module.
inline constexpr const char* UsbInfraredModuleId = "VID_10C4&PID_EA60";

// Message numbers of the report when several modules are connected.
inline constexpr int MsgSeveralUsbModules = 20014;
inline constexpr int MsgModuleFinderTitle = 20015;

struct SerialPortEntry {
    std::string portName;  // "COM7", "ttyUSB0"
    std::string device;    // what the port is opened by: "COM7", "/dev/ttyUSB0"
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    std::string description;
};

// Gives the serial ports present now; tests pass a fake list.
using SerialPortEnumerator = std::function<std::vector<SerialPortEntry>()>;

// The ports that the system reports (QSerialPortInfo).
std::vector<SerialPortEntry> SystemSerialPorts();

enum class PortNumbering {
    ComNames,          // the number in "COM<n>" (Windows)
    EnumerationOrder,  // position in the naturally sorted list, from 1 (elsewhere)
};
PortNumbering NativePortNumbering();

struct NumberedPort {
    int number = 0;
    SerialPortEntry entry;
};

// The ports with their numbers, in number order. Under ComNames a port whose name is not
// "COM<n>" gets no number and is left out.
std::vector<NumberedPort> NumberPorts(std::vector<SerialPortEntry> ports, PortNumbering numbering);

// The device for a port number: "COM<n>" under ComNames; otherwise the device numbered so by
// the enumeration, or empty when there is none.
std::string DeviceForPort(int number, const SerialPortEnumerator& enumerate,
                          PortNumbering numbering);
// The same with the system's ports and numbering.
std::string DeviceForPort(int number);

struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};
// Reads "VID_xxxx&PID_xxxx" (four hexadecimal digits each, any case); nullopt otherwise.
std::optional<UsbId> ParseHardwareId(const std::string& hardwareId);

struct UsbPortLookup {
    int count = 0;       // ports that matched
    int portNumber = 0;  // the match's port number when exactly one matched, else 0
    std::string device;  // the match's device when exactly one matched, else empty
};

// Looks for the serial ports whose USB vendor and product match the hardware identifier.
// Exactly one match gives its number and device. Several show message 20014 with title 20015
// and the stop icon through dialogs (when given) and give 0; none gives 0. A malformed
// identifier matches nothing. The texts come from the message catalogue unless loadMessage is
// given.
UsbPortLookup FindUsbSerialPort(const std::string& hardwareId, IDialogs* dialogs,
                                const MessageLoader& loadMessage = {},
                                const SerialPortEnumerator& enumerate = SystemSerialPorts,
                                PortNumbering numbering = NativePortNumbering());

}  // namespace tz
