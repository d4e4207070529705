#pragma once
// The port choice that the desktop program and the command line share.
#include <string>

#include "app/modMain.h"
#include "link/IPort.h"
#include "link/uclTzif.h"
#include "platform/IDialogs.h"
#include "platform/SerialPortLookup.h"

namespace tz {

// Chooses the link's port and opens it.
//
// The USB infrared module is looked up (FindUsbSerialPort with UsbInfraredModuleId); "IRCOMM
// NUM" becomes its port number, or 0 when there is none or several (several are also reported
// through dialogs). With a module, the serial transport is used: port number and device of the
// module, RTS and DTR on, RTS/CTS handshaking, the "COMM SETTINGS" line settings. Without one the
// link uses the infrared port whenever that port reports itself active. Either way the port is
// then opened.
//
// A device named directly wins: namedDevice (the command line's --port), or else the
// configuration file's "COMM DEVICE" (program.CommDevice). It is opened the same way as a found
// module, no lookup is made and "IRCOMM NUM" is left as it is. A device given as a number ("3")
// names the serial port of that number (SerialPortLookup.h): on Windows COM3, elsewhere the third
// port of the enumeration.
//
// Returns whether a serial port was chosen (a module found or a device named); whether it opened
// is the link's PortOpen.
bool SelectPort(uclTzif& link, IPort& serial, ProgramState& program, IDialogs* dialogs,
                const std::string& namedDevice = {},
                const SerialPortEnumerator& enumerate = SystemSerialPorts);

}  // namespace tz
