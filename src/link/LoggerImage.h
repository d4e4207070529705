#pragma once
// The logger memory download of the desktop program's debug and factory commands: the program
// number first (GetRomNo), then the whole 1 MiB image into the local file (GetBinDump). A block
// that times out gets one second attempt, which continues from that block with what already
// arrived; a user's Cancel ends the download at once.
#include <functional>
#include <string>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

class uclTzif;

struct LoggerImageResult {
    bool Ok = false;           // every block arrived and the file was written
    bool Cancelled = false;    // the user cancelled (not a block timeout)
    int Attempts = 0;          // 1, or 2 when a block timed out in the first
    Integer ResumedFrom = -1;  // the block the second attempt started at; -1 without one
};

// `beforeSecondAttempt` runs between the attempts (the window shows "One more time !").
LoggerImageResult DownloadLoggerImage(uclTzif& link, clsInstrument* record, const std::string& imageFile,
                                      const std::function<void()>& beforeSecondAttempt = {});

}  // namespace tz
