#pragma once
// The local image file of a binary memory dump. The image is built in memory and written in
// place of the target in one step only when every requested block arrived, so the target is
// always either the file it was before or a complete image. A dump that stops early keeps its
// image in memory (never on disk), so that a call continuing it can complete the same image.
#include <cstddef>
#include <string>
#include <vector>

namespace tz {

class DumpImageFile {
public:
    static constexpr long ImageBytes = 1048576;

    DumpImageFile() = default;
    ~DumpImageFile() { Discard(); }
    DumpImageFile(const DumpImageFile&) = delete;
    DumpImageFile& operator=(const DumpImageFile&) = delete;

    // Starts a new image: erased (every byte 255) when `fresh` or when the target does not
    // exist, otherwise the target's bytes (cut or padded with 255 to the image size).
    // staging: another writer (the infrared port) stores the blocks in a temporary file beside
    // the target, TempPath, from which LoadStagedBlock takes them. False, with nothing left
    // behind, when no file can be written beside the target.
    bool Begin(const std::string& target, bool fresh, bool staging);
    // Continues the held image of a dump that stopped at `position` into the same target; false
    // (nothing changed) when no such image is held or the target changed since it was begun.
    bool Resume(const std::string& target, long position, bool staging);
    bool Active() const { return active_; }
    const std::string& TempPath() const { return staged_; }
    // Lays one whole block into the image at its position; false for a block outside the image.
    bool WriteBlock(long position, const char* data, std::size_t size);
    // Takes a block that the other writer stored in the staging file into the image.
    bool LoadStagedBlock(long position, std::size_t size);
    // Writes the image in place of the target and drops it; false when that fails (the target
    // then stays as it was).
    bool Commit();
    // Ends a dump that stopped at `position`: the target stays as it was, the staging file is
    // removed, and the image is held for Resume.
    void Hold(long position);
    // Drops the image and removes the staging file; the target stays as it was.
    void Discard();

private:
    bool Stage();
    void RemoveStaging();
    std::string TargetStamp() const;

    std::vector<char> image_;
    std::string target_, staged_, stamp_;
    long heldAt_ = -1;  // where a held image continues; -1 when none is held
    bool active_ = false;
};

}  // namespace tz
