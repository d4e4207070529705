// Replays files through a fuzz target without libFuzzer: each argument is a file or a folder
// whose files (not those starting with '.') are fed in name order. A target that finds a fault
// aborts; a missing argument path is an error too, so a misnamed corpus cannot pass unseen.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace fs = std::filesystem;

namespace {

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path path = argv[i];
        std::vector<fs::path> files;
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            for (const auto& entry : fs::directory_iterator(path, ec))
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else if (fs::is_regular_file(path, ec)) {
            files.push_back(path);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
        for (const fs::path& file : files) {
            if (!Replay(file)) {
                std::fprintf(stderr, "%s: cannot be read\n", file.string().c_str());
                return 2;
            }
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
