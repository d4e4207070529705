#include "platform/SelectPort.h"

#include <limits>
#include <string>

namespace tz {
namespace {

// Handshaking mode of the module's port: RTS/CTS.
constexpr int ModuleHandshaking = comRTS;

void UseSerialPort(uclTzif& link, const ProgramState& program) {
    link.SerialComm(true);
    if (program.IrCommNum > 0) link.CommPort(program.IrCommNum);
    link.RTSEnable(true);
    link.DTREnable(true);
    link.Handshaking(ModuleHandshaking);
    link.Settings(program.CommSettings);
}

// A device given as a whole number from 1 names the port of that number; 0 when it is not one.
int PortNumberOf(const std::string& device) {
    if (device.empty() || device.size() > 5 || device.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int number = std::stoi(device);
    return number <= std::numeric_limits<Integer>::max() ? number : 0;
}

}  // namespace

bool SelectPort(uclTzif& link, IPort& serial, ProgramState& program, IDialogs* dialogs,
                const std::string& namedDevice, const SerialPortEnumerator& enumerate) {
    bool useSerial = false;
    // The command line's device comes before the configuration file's.
    const std::string& device = namedDevice.empty() ? program.CommDevice : namedDevice;
    const int number = PortNumberOf(device);
    if (number > 0) {
        // The port numbered so now; without one the port keeps the number, and opening it says
        // that no device has it.
        serial.DeviceName(DeviceForPort(number, enumerate, NativePortNumbering()));
        useSerial = true;
    } else if (!device.empty()) {
        serial.DeviceName(device);
        useSerial = true;
    } else {
        const UsbPortLookup found =
            FindUsbSerialPort(UsbInfraredModuleId, dialogs, {}, enumerate, NativePortNumbering());
        const bool fits = found.portNumber > 0 &&
                          found.portNumber <= std::numeric_limits<Integer>::max();
        program.IrCommNum = fits ? static_cast<Integer>(found.portNumber) : 0;
        // The device found is opened as it was found, even if the numbering changes meanwhile.
        serial.DeviceName(fits ? found.device : std::string());
        useSerial = program.IrCommNum != 0;
    }
    if (useSerial) {
        UseSerialPort(link, program);
        if (number > 0) link.CommPort(static_cast<Integer>(number));
    } else {
        link.SerialComm(false);
    }
    link.PortOpen(true);
    return useSerial;
}

}  // namespace tz
