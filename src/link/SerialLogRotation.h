#pragma once
// The communication log's generations in the log folder, kept when "SERIAL LOG FILE" is on:
// SerialLog.log is the present run's log, SerialLog1.log to SerialLog9.log the nine before it.
// The main window prepares the log at load, before the port opens, so that the new run's first
// lines land in a new log. Nothing here waits forever or throws: a file that cannot be moved or
// removed ends the step, keeps every log as it was, and is reported for a pane line.
//
//   const SerialLogOutcome outcome = PrepareSerialLog(folder, Program().SerialLogFile, wait);
//   if (!outcome.Ok()) AddInfo(outcome.PaneText(), red);  // the log is appended to instead
#include <filesystem>
#include <string>

#include "text/FileDeletion.h"

namespace tz {

// SerialLog.log for generation 0, SerialLog<k>.log for generations 1 to 9.
std::filesystem::path SerialLogPath(const std::filesystem::path& logFolder, int generation);

inline constexpr int SerialLogGenerations = 9;

struct SerialLogOutcome {
    enum class Result {
        Ready,           // done: rotated and/or the present log removed as asked
        RotationFailed,  // a generation could not be removed or renamed; later ones were left alone
        DeleteFailed,    // SerialLog.log could not be removed; new lines are appended to it
    };
    Result Outcome = Result::Ready;
    std::filesystem::path File;  // the file that could not be removed or renamed
    std::string Error;           // why, in the system's words

    bool Ok() const { return Outcome == Result::Ready; }
    // The pane line for a failure (red) in the active language; empty when Ok.
    std::string PaneText() const;
};

// Shifts the generations up by one: for k from 8 down to 1, SerialLog<k>.log replaces
// SerialLog<k+1>.log (which is deleted first, waiting until it is gone); then SerialLog.log
// becomes SerialLog1.log. Missing generations are skipped. Stops at the first file that cannot
// be removed or renamed, so that no log is overwritten by a shift that did not happen.
SerialLogOutcome RotateSerialLogs(const std::filesystem::path& logFolder, const DeleteWait& wait = {});

// The load step: rotates when `keepGenerations` ("SERIAL LOG FILE"), then removes SerialLog.log
// if it is still there. After a failed rotation nothing is removed: the present log is kept and
// appended to.
SerialLogOutcome PrepareSerialLog(const std::filesystem::path& logFolder, bool keepGenerations,
                                  const DeleteWait& wait = {});

}  // namespace tz
