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
