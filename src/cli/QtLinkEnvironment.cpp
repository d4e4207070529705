#include "cli/QtLinkEnvironment.h"

#include <csignal>

#include "platform/ProgramFolders.h"
#include "platform/SelectPort.h"
#include "platform/SerialPortLookup.h"

namespace tz::cli {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

// The running exchange ends first; a second signal of the same kind ends the program at once.
void OnInterrupt(int signal) {
    interruptRequested = 1;
    std::signal(signal, SIG_DFL);
}

}  // namespace

void QtLinkEnvironment::CatchInterrupt() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

bool QtLinkEnvironment::Interrupted() { return interruptRequested != 0; }

bool QtLinkEnvironment::ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) {
    return SelectPort(link, serial_, program, &dialogs_, device);
}

std::vector<ListedPort> QtLinkEnvironment::SerialPorts() {
    const std::optional<UsbId> module = ParseHardwareId(UsbInfraredModuleId);
    std::vector<ListedPort> listed;
    for (NumberedPort& port : NumberPorts(SystemSerialPorts(), NativePortNumbering())) {
        SerialPortEntry& e = port.entry;
        const bool isModule = module && e.vendorId == module->vendor && e.productId == module->product;
        listed.push_back({port.number, std::move(e.portName), std::move(e.device), std::move(e.description), e.vendorId,
                          e.productId, isModule});
    }
    return listed;
}

std::filesystem::path QtLinkEnvironment::ProgramFolder() { return ChooseProgramFolder(); }

}  // namespace tz::cli
