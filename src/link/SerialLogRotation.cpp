#include "link/SerialLogRotation.h"

#include "link/CommLog.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

constexpr int kRotationFailedMessage = 30450;
constexpr int kDeleteFailedMessage = 30451;

SerialLogOutcome Failure(SerialLogOutcome::Result result, const fs::path& file, std::string error) {
    return {result, file, std::move(error)};
}

// Only files are logs; a folder of that name is never moved (and blocks the shift into it).
bool IsLogFile(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

// Moves `from` into the place of `to`, removing `to` first. Empty text on success, else why.
std::string Shift(const fs::path& from, const fs::path& to, const DeleteWait& wait, fs::path& failed) {
    std::string error;
    if (!DeleteAndWaitGone(to, &error, wait)) {
        failed = to;
        return error;
    }
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) {
        failed = from;
        return ec.message();
    }
    return {};
}

}  // namespace

fs::path SerialLogPath(const fs::path& logFolder, int generation) {
    if (generation <= 0) return logFolder / CommLogFileName;
    return logFolder / ("SerialLog" + std::to_string(generation) + ".log");
}

std::string SerialLogOutcome::PaneText() const {
    switch (Outcome) {
    case Result::Ready: return {};
    case Result::RotationFailed: return LoadMessage(kRotationFailedMessage, {File.filename().string(), Error});
    case Result::DeleteFailed: return LoadMessage(kDeleteFailedMessage, {File.filename().string(), Error});
    }
    return {};
}

SerialLogOutcome RotateSerialLogs(const fs::path& logFolder, const DeleteWait& wait) {
    for (int k = SerialLogGenerations - 1; k >= 0; --k) {
        const fs::path from = SerialLogPath(logFolder, k);
        if (!IsLogFile(from)) continue;
        fs::path failed;
        std::string error = Shift(from, SerialLogPath(logFolder, k + 1), wait, failed);
        if (!error.empty()) return Failure(SerialLogOutcome::Result::RotationFailed, failed, std::move(error));
    }
    return {};
}

SerialLogOutcome PrepareSerialLog(const fs::path& logFolder, bool keepGenerations, const DeleteWait& wait) {
    if (keepGenerations) {
        SerialLogOutcome rotated = RotateSerialLogs(logFolder, wait);
        if (!rotated.Ok()) return rotated;
    }
    const fs::path present = SerialLogPath(logFolder, 0);
    std::string error;
    if (!DeleteAndWaitGone(present, &error, wait))
        return Failure(SerialLogOutcome::Result::DeleteFailed, present, std::move(error));
    return {};
}

}  // namespace tz
