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

}  // namespace tz::cli
