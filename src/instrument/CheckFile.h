#pragma once
// The flash check's file comparison: the logger image downloaded from the instrument against the
// check data file that holds the known test pattern.
#include <cstddef>
#include <filesystem>

namespace tz {

// Both files are compared as 1024 blocks of 1024 bytes (1 MiB); block 576 differs by design (it is
// read but not compared). True when every other byte is equal. A file that is missing or shorter
// than 1 MiB makes the files different; bytes beyond 1 MiB are not looked at.
bool CompareCheckFile(const std::filesystem::path& checkDataFile,
                      const std::filesystem::path& imageFile);

// The same for the program's files: "TZ7300_Check.DAT" in the program folder and the downloaded
// image "TZ7300.DAT" in the log folder.
bool CompareCheckFile();

inline constexpr std::size_t CheckFileBlockSize = 1024;
inline constexpr std::size_t CheckFileBlocks = 1024;
inline constexpr std::size_t CheckFileSkippedBlock = 576;

}  // namespace tz
