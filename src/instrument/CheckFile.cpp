#include "instrument/CheckFile.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "app/modMain.h"

namespace tz {
namespace {

using Block = std::array<char, CheckFileBlockSize>;

// Reads one whole block; false when the file ends before it is full.
bool ReadBlock(std::ifstream& in, Block& block) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    return static_cast<std::size_t>(in.gcount()) == block.size();
}

}  // namespace

bool CompareCheckFile(const std::filesystem::path& checkDataFile,
                      const std::filesystem::path& imageFile) {
    std::ifstream check(checkDataFile, std::ios::binary);
    std::ifstream image(imageFile, std::ios::binary);
    if (!check || !image) return false;
    Block a{}, b{};
    for (std::size_t n = 0; n < CheckFileBlocks; ++n) {
        if (!ReadBlock(check, a) || !ReadBlock(image, b)) return false;
        if (n != CheckFileSkippedBlock && a != b) return false;
    }
    return true;
}

bool CompareCheckFile() {
    const ProgramState& state = Program();
    return CompareCheckFile(state.ProgramFolder / "TZ7300_Check.DAT",
                            state.LogFolder / "TZ7300.DAT");
}

}  // namespace tz
