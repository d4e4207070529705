#include "platform/SelectPort.h"

#include <limits>

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

}  // namespace

bool SelectPort(uclTzif& link, IPort& serial, ProgramState& program, IDialogs* dialogs,
                const std::string& namedDevice, const SerialPortEnumerator& enumerate) {
    bool useSerial = false;
    // The command line's device comes before the configuration file's.
    const std::string& device = namedDevice.empty() ? program.CommDevice : namedDevice;
    if (!device.empty()) {
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
    } else {
        link.SerialComm(false);
    }
    link.PortOpen(true);
    return useSerial;
}

}  // namespace tz
