#include "cli/QtLinkEnvironment.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <csignal>
#include <system_error>

#include "app/ConfigFile.h"
#include "platform/SelectPort.h"

namespace tz::cli {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;

void OnInterrupt(int) {
    interruptRequested = 1;
    std::signal(SIGINT, SIG_DFL);
}

bool HasConfiguration(const std::filesystem::path& folder) {
    std::error_code ignored;
    return !folder.empty() && std::filesystem::exists(ConfigurationFilePath(folder), ignored);
}

}  // namespace

void QtLinkEnvironment::CatchInterrupt() { std::signal(SIGINT, OnInterrupt); }

bool QtLinkEnvironment::Interrupted() { return interruptRequested != 0; }

bool QtLinkEnvironment::ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) {
    return SelectPort(link, serial_, program, &dialogs_, device);
}

// The desktop program keeps its configuration beside the executable, or in the per-user
// configuration folder when the executable's folder is not writable; the file is read from
// whichever holds it.
std::filesystem::path QtLinkEnvironment::ProgramFolder() {
    const std::filesystem::path beside = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path user =
        std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString()) /
        "tz7300";
    if (HasConfiguration(beside)) return beside;
    if (HasConfiguration(user)) return user;
    return beside;
}

}  // namespace tz::cli
