#pragma once
// After a write, the instrument is read back and every write command that was sent is compared
// with the same command built from the read-back record. Settings that the writer encodes
// lossily, or does not send, are so judged as the instrument holds them.
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"

namespace tz::cli {

struct WriteMismatch {
    std::string command;  // "A1", or "XS 001F" for a list entry
    std::string written;  // payload sent
    std::string readBack; // payload built from the read-back record
};

// `sentBodies` are the command bodies sent by the write ("A1,W, 50.0,..."); bodies that are not
// setting writes (the closing "DW", the default save "FB", reads) are skipped.
std::vector<WriteMismatch> CompareWithReadBack(const std::vector<std::string>& sentBodies,
                                               const clsInstrument& readBack);

// The setting a command body writes, named as PlannedWrites names it ("A1", "XS 001F"); empty for
// a body that is not a write.
std::string SettingWriteName(const std::string& body);

// How far a write that stopped part-way came. Every exchange waits for its reply before the next
// command goes out, so the settings sent before the last one were acknowledged; the last one's
// reply never came (failed or interrupted), so whether the instrument took it is not known.
struct StoppedWrite {
    std::vector<std::string> written;      // acknowledged
    std::vector<std::string> unconfirmed;  // sent last, no reply
    std::vector<std::string> notWritten;   // never sent
    bool closingUnconfirmed = false;       // every setting acknowledged, the closing command not
};
StoppedWrite SplitStoppedWrite(const std::vector<std::string>& planned, const std::vector<std::string>& sentBodies);

}  // namespace tz::cli
