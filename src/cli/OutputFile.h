#pragma once
// Output files are written whole or not at all: the text goes to a temporary file beside the
// target, which then replaces it in one step. A failure or an interruption leaves any earlier
// file as it was.
#include <filesystem>
#include <ostream>
#include <string>

namespace tz::cli {

// Writes `text` to `path`, or to `out` when the path is "-". Throws CliFailure(ExitUsage) when
// the file cannot be written.
void WriteWholeFile(const std::string& path, const std::string& text, std::ostream& out);

// Refuses, before any exchange, an output file that could not be written: its folder must exist
// and take a new file, and the path must not name a folder. "-" (standard output) always passes.
// Throws CliFailure(ExitUsage) naming the file and the reason.
void RequireWritableOutput(const std::string& path);

// The same for a folder that files are written into (the log folder); `what` names it in the
// message ("--log-dir").
void RequireWritableFolder(const std::filesystem::path& folder, const std::string& what);

// A temporary file beside a target, removed when it is dropped unless it was committed. An
// operation that writes a file itself (a memory dump) writes it here first.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& Path() const { return temp_; }
    // Puts the temporary file in the target's place. Throws CliFailure(ExitUsage) on failure.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    bool committed_ = false;
};

}  // namespace tz::cli
