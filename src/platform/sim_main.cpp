// tz7300-sim: the simulated instrument served on a pseudo-terminal, so that the desktop program,
// the command line and the benchmarks can talk to it as to a real instrument on a serial port.
#include <QCoreApplication>
#include <QLockFile>
#include <QSocketNotifier>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "platform/PseudoTerminal.h"
#include "platform/PtyDeviceHost.h"
#include "platform/QtEventLoop.h"
#include "platform/SimHostOptions.h"
#include "sim/SimInstrument.h"
#include "sim/SimStateJson.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop through a pipe, so that the exit runs in normal code.
bool RouteStopSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

tz::SimFaults FaultsFrom(const tz::SimHostOptions& o) {
    tz::SimFaults faults;
    faults.seed = o.seed;
    faults.replyDelayMs = o.replyDelayMs;
    faults.baudRate = o.baudRate;
    faults.dropReply = o.dropReply;
    faults.corruptChecksum = o.corruptChecksum;
    faults.splitReply = o.splitReply;
    faults.maxPieces = o.maxPieces;
    faults.pieceGapMs = o.pieceGapMs;
    return faults;
}

// Makes `path` a symbolic link to the device. An old symbolic link there (left by an earlier
// run) is replaced; anything else is left alone and refused.
bool MakeLink(const std::filesystem::path& path, const std::string& device, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        std::filesystem::remove(path, ec);
    } else if (std::filesystem::exists(path, ec)) {
        error = path.string() + " exists and is not a symbolic link";
        return false;
    }
    std::filesystem::create_symlink(device, path, ec);
    if (ec) error = path.string() + ": " + ec.message();
    return !ec;
}

// The link path belongs to one running simulator at a time: a lock file beside it ("PATH.lock")
// is held while it serves. A lock whose process has ended is stale and taken over; nullptr with
// the reason when another running simulator holds it.
std::unique_ptr<QLockFile> LockLink(const std::filesystem::path& path, std::string& error) {
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path.string() + ".lock"));
    lock->setStaleLockTime(0);  // stale only when its process is gone
    if (lock->tryLock(0)) return lock;
    if (lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, application;
        lock->getLockInfo(&pid, &host, &application);
        error = path.string() + " is served by another running simulator (process " + std::to_string(pid) +
                "); stop it or choose another path";
    } else {
        error = path.string() + ".lock cannot be made";
    }
    return nullptr;
}

// Removes the link only while it still points at this run's device.
void RemoveLink(const std::filesystem::path& path, const std::string& device) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec) && std::filesystem::read_symlink(path, ec) == device) {
        std::filesystem::remove(path, ec);
    }
}

// The state to serve: the built-in instrument, with --state's file laid over it. A file that
// cannot be used is reported and gives nothing.
std::optional<tz::SimState> InitialState(const tz::SimHostOptions& o) {
    tz::SimState state = tz::DefaultSimState();
    if (o.statePath.empty()) return state;
    const tz::SimStateJsonResult loaded = tz::LoadSimStateFile(o.statePath, state);
    if (!loaded.Ok) {
        std::cerr << "tz7300-sim: --state " << o.statePath << ": " << loaded.Error << '\n';
        return std::nullopt;
    }
    for (const std::string& key : loaded.UnknownKeys)
        std::cerr << "tz7300-sim: --state " << o.statePath << ": unknown key \"" << key
                  << "\" ignored\n";
    return state;
}

// The state is saved only on exit, so a folder that is not there is reported at the start rather
// than after a whole session.
bool CanSaveStateTo(const std::string& path, std::string& error) {
    if (path.empty()) return true;
    std::error_code ec;
    const std::filesystem::path folder =
        std::filesystem::absolute(std::filesystem::path(path), ec).parent_path();
    if (!ec && std::filesystem::is_directory(folder, ec)) return true;
    error = folder.string() + " is not a folder";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = tz::ParseSimHostOptions(args, error);
    if (!options) {
        std::cerr << "tz7300-sim: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << tz::SimHostUsage();
        return 0;
    }
    if (options->version) {
        std::cout << "tz7300-sim " TZ_PROGRAM_VERSION "\n";
        return 0;
    }

    std::optional<tz::SimState> state = InitialState(*options);
    if (!state) return 2;
    if (!CanSaveStateTo(options->saveStatePath, error)) {
        std::cerr << "tz7300-sim: --save-state " << options->saveStatePath << ": " << error << '\n';
        return 2;
    }

    QCoreApplication app(argc, argv);
    if (!RouteStopSignals()) {
        std::cerr << "tz7300-sim: cannot install the signal handlers\n";
        return 1;
    }
    try {
        std::unique_ptr<QLockFile> linkLock;
        if (!options->linkPath.empty() && !(linkLock = LockLink(options->linkPath, error))) {
            std::cerr << "tz7300-sim: --link " << error << '\n';
            return 1;
        }
        tz::PseudoTerminal pty(true);
        if (!options->linkPath.empty() && !MakeLink(options->linkPath, pty.SlavePath(), error)) {
            std::cerr << "tz7300-sim: --link " << error << '\n';
            return 1;
        }
        tz::QtEventLoop loop;
        tz::SimInstrument instrument(std::move(*state), FaultsFrom(*options));
        tz::PtyDeviceHost host(pty, instrument, loop);
        // The instrument's clock runs. The built-in instrument starts a little behind the PC, as
        // instrument clocks drift; a loaded state keeps the clock it was saved with.
        constexpr tz::Date kSecond = 1.0 / 86400.0;
        if (options->statePath.empty()) instrument.State().clock = loop.Now() - 95 * kSecond;
        loop.StartTimer(1000, [&instrument] { instrument.State().clock += kSecond; });

        QSocketNotifier stop(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&stop, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

        std::cout << pty.SlavePath() << std::endl;
        app.exec();

        if (!options->linkPath.empty()) RemoveLink(options->linkPath, pty.SlavePath());
        std::cerr << "tz7300-sim: served " << instrument.Count().commands << " commands, "
                  << host.BytesIn() << " bytes in, " << host.BytesOut() << " bytes out\n";
        if (!options->saveStatePath.empty() &&
            !tz::SaveSimStateFile(options->saveStatePath, instrument.State(), error)) {
            std::cerr << "tz7300-sim: --save-state " << error << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "tz7300-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
