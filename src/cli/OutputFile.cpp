#include "cli/OutputFile.h"

#include <atomic>
#include <fstream>
#include <system_error>

#include "cli/CliTypes.h"
#include "text/WholeFile.h"

namespace tz::cli {


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
