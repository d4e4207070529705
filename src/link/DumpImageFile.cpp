#include "link/DumpImageFile.h"

#include <filesystem>
#include <vector>

#include "text/WholeFile.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

constexpr char kErased = static_cast<char>(0xFF);

// The starting content of the image: erased, with the existing file's bytes laid over it.
std::vector<char> InitialImage(const std::string& target, bool fresh) {
    std::vector<char> image(static_cast<std::size_t>(DumpImageFile::ImageBytes), kErased);
    if (fresh) return image;
    std::ifstream in(target, std::ios::binary);
    if (in) in.read(image.data(), static_cast<std::streamsize>(image.size()));
    return image;
}

}  // namespace

bool DumpImageFile::Begin(const std::string& target, bool fresh, bool keepOpen) {
    Discard();
    std::error_code error;
    const bool exists = fs::exists(target, error);
    const std::vector<char> image = InitialImage(target, fresh || !exists);
    target_ = target;
    temp_ = TemporaryPathFor(target).string();
    {
        std::ofstream out(temp_, std::ios::binary | std::ios::trunc);
        out.write(image.data(), static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) {
            Discard();
            return false;
        }
    }
    if (keepOpen) {
        file_.open(temp_, std::ios::in | std::ios::out | std::ios::binary);
        if (!file_) {
            Discard();
            return false;
        }
    }
    return true;
}

bool DumpImageFile::WriteBlock(long position, const char* data, std::size_t size) {
    if (!file_.is_open() || position < 0 || position + static_cast<long>(size) > ImageBytes) return false;
    file_.seekp(position);
    file_.write(data, static_cast<std::streamsize>(size));
    return static_cast<bool>(file_);
}

bool DumpImageFile::Commit() {
    if (!Active()) return false;
    if (file_.is_open()) file_.close();
    const bool written = static_cast<bool>(file_);
    std::error_code error;
    if (written) fs::rename(temp_, target_, error);  // replaces the old file in one step
    if (!written || error) {
        Discard();
        return false;
    }
    temp_.clear();
    target_.clear();
    return true;
}

void DumpImageFile::Discard() {
    if (file_.is_open()) file_.close();
    file_.clear();
    if (!temp_.empty()) {
        std::error_code ignored;
        fs::remove(temp_, ignored);
    }
    temp_.clear();
    target_.clear();
}

}  // namespace tz
