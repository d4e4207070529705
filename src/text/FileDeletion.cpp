#include "text/FileDeletion.h"

#include <chrono>
#include <thread>

namespace tz {
namespace {

namespace fs = std::filesystem;

bool Listed(const fs::path& file) {
    std::error_code ec;
    // A failure to look counts as listed: the file is not known to be gone.
    const fs::file_status status = fs::symlink_status(file, ec);
    if (ec) return ec != std::errc::no_such_file_or_directory;
    return fs::exists(status);
}

void Fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
}

}  // namespace

bool DeleteAndWaitGone(const fs::path& file, std::string* error, const DeleteWait& wait) {
    if (!Listed(file)) return true;
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(file, ec))) {
        Fail(error, "a folder has the name of the file");
        return false;
    }
    fs::remove(file, ec);
    if (ec) {
        Fail(error, ec.message());
        return false;
    }
    const auto listed = [&] { return wait.StillListed ? wait.StillListed(file) : Listed(file); };
    for (int check = 0; check < wait.Checks; ++check) {
        if (!listed()) return true;
        if (wait.Between)
            wait.Between();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!listed()) return true;
    Fail(error, "still there after it was deleted");
    return false;
}

}  // namespace tz
