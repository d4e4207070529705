#pragma once
// Shared types of the tz7300 command line: exit codes, the streams a run talks through, the
// failure that ends a command, and the options that apply to every command.
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace tz::cli {

// What a run tells the calling script.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitInstrument = 1,   // the instrument failed, did not answer, or differs (diff, load check)
    ExitUsage = 2,        // bad command line, or an input file that cannot be read
    ExitRefused = 3,      // a check refused the settings; nothing was written
    ExitDeclined = 4,     // the confirmation was answered no; nothing was done
    ExitInterrupted = 130,
};

// The streams of one run and whether they belong to a terminal: progress goes to a terminal's
// standard error only, and confirmation questions are asked only on a terminal.
struct CliIo {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool inIsTerminal = false;
    bool errIsTerminal = false;
};

// Ends the running command: the message goes to standard error, the code is the exit code.
class CliFailure : public std::runtime_error {
public:
    CliFailure(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode Code() const { return code_; }

private:
    ExitCode code_;
};

// Options that every command accepts.
struct GlobalOptions {
    std::string port;                    // --port DEVICE
    std::optional<std::string> settings; // --settings TEXT
    std::optional<int> timeout;          // --timeout SECONDS
    std::optional<int> retry;            // --retry N
    std::string logDir;                  // --log-dir DIR (empty: the working directory)
    bool debug = false;                  // --debug
    bool factory = false;                // --factory
    std::string lang;                    // --lang en|ja (empty: from the locale)
    bool yes = false;                    // --yes
    bool help = false;                   // --help, -h
    bool version = false;                // --version
};

}  // namespace tz::cli
