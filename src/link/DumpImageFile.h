#pragma once
// The local image file of a binary memory dump. The image is built in a temporary file beside
// the target and put in its place in one step, so the target is always either the file it was
// before or a complete image, never a half-written one.
#include <cstddef>
#include <fstream>
#include <string>

namespace tz {

class DumpImageFile {
public:
    static constexpr long ImageBytes = 1048576;

    DumpImageFile() = default;
    ~DumpImageFile() { Discard(); }
    DumpImageFile(const DumpImageFile&) = delete;
    DumpImageFile& operator=(const DumpImageFile&) = delete;

    // Starts the temporary image: erased (every byte 255) when `fresh` or when the target does
    // not exist, otherwise the target's bytes (cut or padded with 255 to the image size).
    // keepOpen: the blocks will be written through WriteBlock; otherwise another writer (the
    // infrared port) stores them in TempPath. False, with nothing left behind, when the
    // temporary file cannot be written.
    bool Begin(const std::string& target, bool fresh, bool keepOpen);
    bool Active() const { return !temp_.empty(); }
    const std::string& TempPath() const { return temp_; }
    // Writes one whole block at its position in the image; false on a write error or a block
    // outside the image.
    bool WriteBlock(long position, const char* data, std::size_t size);
    // Puts the image in place of the target; false (temporary file removed) when that fails.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

private:
    std::string target_, temp_;
    std::fstream file_;
};

}  // namespace tz
