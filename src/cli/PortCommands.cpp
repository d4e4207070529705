// ports: the serial ports of the machine with the numbers --port takes.
#include <cstdio>

#include "cli/CliText.h"
#include "cli/CommandTable.h"
#include "cli/TextTable.h"

namespace tz::cli {

namespace {

std::string UsbIdText(const ListedPort& port) {
    if (!port.vendorId || !port.productId) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", static_cast<unsigned>(*port.vendorId),
                  static_cast<unsigned>(*port.productId));
    return text;
}

int Ports(CliContext& context, const ParsedArgs&) {
    const std::vector<ListedPort> ports = context.Environment().SerialPorts();
    if (ports.empty()) {
        context.Io().out << "No serial ports found.\n";
        return ExitSuccess;
    }
    std::vector<TextRow> rows = {{"No.", "Name", "Device", "Description", "USB"}};
    for (const ListedPort& p : ports)
        rows.push_back({std::to_string(p.number), p.name, p.device, OrDash(Trim(p.description)),
                        UsbIdText(p) + (p.infraredModule ? " (infrared module)" : "")});
    context.Io().out << FormatTable(rows);
    return ExitSuccess;
}

}  // namespace

std::vector<CliCommand> PortCommandRows() {
    return {
        {"ports", "", "list the serial ports with the numbers --port takes",
         "Without --port the USB infrared module (marked) is used. On Windows a number is the one of\n"
         "COM<n>; elsewhere the ports are numbered from 1 in the order of their names, so a number\n"
         "can change when adapters are plugged in or out.",
         {}, 0, 0, Ports},
    };
}

}  // namespace tz::cli
