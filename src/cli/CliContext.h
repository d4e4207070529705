#pragma once
// One run of a command: the streams, the program's options and state, and the link to the
// instrument, connected on first use. Failures end the command with CliFailure, whose text comes
// from the message catalogue where the program has one.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/LinkEnvironment.h"
#include "instrument/clsInstrument.h"
#include "link/uclTzif.h"

namespace tz::cli {

class SentFramesPort;
class SessionListener;

class CliContext {
public:
    CliContext(CliIo& io, const GlobalOptions& options, ILinkEnvironment& env, ProgramState& program);
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    CliIo& Io() { return io_; }
    const GlobalOptions& Options() const { return options_; }
    ProgramState& Program() { return program_; }
    ILinkEnvironment& Environment() { return env_; }
    // --log-dir, or the working directory.
    std::filesystem::path LogFolder() const;
    Date Now() { return env_.Loop().Now(); }

    // The link, connected to the instrument (the first call chooses and opens the port and waits
    // for the connection handshake). Throws CliFailure when there is no port or no answer.
    uclTzif& Link();

    // The complete read of the desktop program's "Instrument Information": every setting, then
    // the latest calibration and bump-test history. Throws CliFailure when the read fails.
    void ReadInstrument(clsInstrument& record);

    // Ends the command when an operation failed: exit 130 when the user interrupted it, else
    // exit 1 with `failure` (or the no-response text when the instrument never answered).
    void RequireOk(bool ok, const std::string& failure);
    // Exit 130 at once when the user has interrupted.
    void CheckInterrupted();

    // Asks a yes/no question on the terminal unless --yes was given; false when the user says no.
    // Without a terminal and without --yes the command is refused (exit 2): a script must say
    // --yes for an operation that changes the instrument.
    bool Confirm(const std::string& question);

    // Bodies of the command frames sent since the last call ("A1,W, 50.0, ...").
    std::vector<std::string> TakeSentBodies();
    // How many command frames were sent since the last TakeSentBodies.
    std::size_t SentCount() const;

    // Live readings: called with each gas poll reply while RunDensty is on.
    using ReadingsHandler = std::function<void(const std::array<Single, 6>&, bool lowRange5, bool lowRange6)>;
    void OnReadings(ReadingsHandler handler);

    // The link's last progress message of a memory dump.
    std::string LastDumpMessage() const;

    // Progress on a terminal's standard error while an operation runs: the text is asked for every
    // 100 ms and printed when it changed. An empty function stops it and clears the line.
    void ShowProgress(std::function<std::string()> text);
    // Stops the progress after a finished operation; on a terminal its final text stays as a line.
    void CompleteProgress();
    // Seconds of the event loop's clock since `start`.
    double SecondsSince(Date start) { return (Now() - start) * 86400.0; }

private:
    void Connect();
    void WaitForConnection();
    void Tick();
    // Sets the link's Cancel once the user has asked to stop.
    void CheckCancel();
    void ReportReadFailure(const clsInstrument& record);
    // The no-response text of an exchange that timed out once connected, naming the timeout.
    std::string NoReplyText() const;

    CliIo& io_;
    GlobalOptions options_;
    ILinkEnvironment& env_;
    ProgramState& program_;
    std::unique_ptr<SentFramesPort> port_;
    std::unique_ptr<SessionListener> listener_;
    std::unique_ptr<uclTzif> link_;
    IEventLoop::TimerId ticker_ = 0;
    std::function<std::string()> progress_;
    std::string shownProgress_;
};

}  // namespace tz::cli
