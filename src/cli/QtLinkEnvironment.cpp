#include "cli/QtLinkEnvironment.h"

#include <csignal>

#include "platform/ProgramFolders.h"
#include "platform/SelectPort.h"

namespace tz::cli {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

void OnInterrupt(int) {
    interruptRequested = 1;
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

void QtLinkEnvironment::CatchInterrupt() { std::signal(SIGINT, OnInterrupt); }

bool QtLinkEnvironment::Interrupted() { return interruptRequested != 0; }

bool QtLinkEnvironment::ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) {
    return SelectPort(link, serial_, program, &dialogs_, device);
}

std::filesystem::path QtLinkEnvironment::ProgramFolder() { return ChooseProgramFolder(); }

}  // namespace tz::cli
