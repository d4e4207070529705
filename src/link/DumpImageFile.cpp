#include "link/DumpImageFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

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

// True when a file can be created beside the target (the probe is removed again).
bool FolderWritable(const std::string& target) {
    const fs::path probe = TemporaryPathFor(target);
    const bool created = static_cast<bool>(std::ofstream(probe, std::ios::binary | std::ios::trunc));
    std::error_code ignored;
    fs::remove(probe, ignored);
    return created;
}

}  // namespace

bool DumpImageFile::Begin(const std::string& target, bool fresh, bool staging) {
    Discard();
    if (!FolderWritable(target)) return false;
    std::error_code error;
    const bool exists = fs::exists(target, error);
    image_ = InitialImage(target, fresh || !exists);
    target_ = target;
    stamp_ = TargetStamp();
    active_ = true;
    if (staging && !Stage()) {
        Discard();
        return false;
    }
    return true;
}

bool DumpImageFile::Resume(const std::string& target, long position, bool staging) {
    if (heldAt_ < 0 || target != target_ || position != heldAt_ || TargetStamp() != stamp_) return false;
    heldAt_ = -1;
    active_ = true;
    if (staging && !Stage()) {
        Discard();
        return false;
    }
    return true;
}

// The target's size and time of last change, so that a held image is not continued into a file
// that something else replaced meanwhile.
std::string DumpImageFile::TargetStamp() const {
    std::error_code error;
    const auto size = fs::file_size(target_, error);
    if (error) return "absent";
    const auto changed = fs::last_write_time(target_, error);
    return std::to_string(size) + "@" + std::to_string(changed.time_since_epoch().count());
}

// The staging file starts as the image itself, so that whatever the other writer leaves out
// reads back as the image's own bytes.
bool DumpImageFile::Stage() {
    staged_ = TemporaryPathFor(target_).string();
    std::ofstream out(staged_, std::ios::binary | std::ios::trunc);
    out.write(image_.data(), static_cast<std::streamsize>(image_.size()));
    out.close();
    if (out) return true;
    RemoveStaging();
    return false;
}

bool DumpImageFile::WriteBlock(long position, const char* data, std::size_t size) {
    if (!active_ || position < 0 || position + static_cast<long>(size) > ImageBytes) return false;
    std::copy(data, data + size, image_.begin() + position);
    return true;
}

bool DumpImageFile::LoadStagedBlock(long position, std::size_t size) {
    if (!active_ || staged_.empty() || position < 0 || position + static_cast<long>(size) > ImageBytes) return false;
    std::ifstream in(staged_, std::ios::binary);
    in.seekg(position);
    std::vector<char> block(size);
    in.read(block.data(), static_cast<std::streamsize>(size));
    return in && WriteBlock(position, block.data(), size);
}

bool DumpImageFile::Commit() {
    if (!active_) return false;
    RemoveStaging();
    const bool written = WriteFileWhole(target_, std::string_view(image_.data(), image_.size()));
    Discard();
    return written;
}

void DumpImageFile::Hold(long position) {
    if (!active_) return;
    RemoveStaging();
    active_ = false;
    heldAt_ = position;
}

void DumpImageFile::RemoveStaging() {
    if (staged_.empty()) return;
    std::error_code ignored;
    fs::remove(staged_, ignored);
    staged_.clear();
}

void DumpImageFile::Discard() {
    RemoveStaging();
    image_.clear();
    image_.shrink_to_fit();
    target_.clear();
    stamp_.clear();
    heldAt_ = -1;
    active_ = false;
}

}  // namespace tz
