#include "cli/OutputFile.h"

#include <atomic>
#include <fstream>
#include <system_error>

#include "cli/CliTypes.h"
#include "text/WholeFile.h"

namespace tz::cli {

namespace {

// Why no new file can be made in `folder`, or empty when one can: a file is made and removed.
std::string FolderRefusal(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) return "the folder " + folder.string() + " does not exist";
    if (!std::filesystem::is_directory(folder, error)) return folder.string() + " is not a folder";
    const std::filesystem::path probe = TemporaryPathFor(folder / ".tz7300-write-check");
    {
        std::ofstream stream(probe, std::ios::binary | std::ios::trunc);
        if (!stream) return "the folder " + folder.string() + " cannot be written";
    }
    std::filesystem::remove(probe, error);
    return {};
}

}  // namespace

void RequireWritableOutput(const std::string& path) {
    if (path == "-") return;
    const std::filesystem::path target(path);
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(target, error))
        throw CliFailure(ExitUsage, "Cannot write " + path + ": it is a folder, not a file");
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string refusal = FolderRefusal(folder);
    if (!refusal.empty()) throw CliFailure(ExitUsage, "Cannot write " + path + ": " + refusal);
}

void RequireWritableFolder(const std::filesystem::path& folder, const std::string& what) {
    const std::string refusal = FolderRefusal(folder);
    if (!refusal.empty()) throw CliFailure(ExitUsage, what + " " + folder.string() + ": " + refusal);
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target) : target_(target), temp_(TemporaryPathFor(target)) {}

TemporaryFile::~TemporaryFile() {
    if (committed_) return;
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
}

void TemporaryFile::Commit() {
    std::error_code error;
    std::filesystem::rename(temp_, target_, error);
    if (error) throw CliFailure(ExitUsage, "Cannot write " + target_.string() + ": " + error.message());
    committed_ = true;
}

void WriteWholeFile(const std::string& path, const std::string& text, std::ostream& out) {
    if (path == "-") {
        out << text << std::flush;
        return;
    }
    TemporaryFile file(path);
    {
        std::ofstream stream(file.Path(), std::ios::binary | std::ios::trunc);
        stream << text;
        stream.flush();
        if (!stream) throw CliFailure(ExitUsage, "Cannot write " + path);
    }
    file.Commit();
}

}  // namespace tz::cli
