#pragma once
// Deleting a file and waiting until the file system no longer lists it (a file that is still
// open elsewhere can linger after its deletion on some systems). The wait is bounded: it never
// hangs the program, and a failure is reported so the caller can go on and say so.
#include <filesystem>
#include <functional>
#include <string>

namespace tz {

struct DeleteWait {
    // How often the file is looked for after the deletion before giving up.
    int Checks = 200;
    // Runs between two checks. Empty: a pause of 10 ms, so 200 checks wait at most 2 s. A window
    // passes a function that lets its events run; tests pass one that never sleeps.
    std::function<void()> Between;
    // Asks whether the file is still listed after its deletion. Empty: the file system is asked.
    // (Tests stand in for a system that keeps a deleted file listed while it is still open.)
    std::function<bool(const std::filesystem::path&)> StillListed;
};

// Deletes `file` if it exists and waits until it is gone. True when it is gone (or was never
// there). False, with the reason in *error when given, when it cannot be deleted (no permission,
// a folder in its place) or is still listed after the last check. Never throws.
bool DeleteAndWaitGone(const std::filesystem::path& file, std::string* error = nullptr,
                       const DeleteWait& wait = {});

}  // namespace tz
