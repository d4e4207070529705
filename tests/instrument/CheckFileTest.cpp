#include "instrument/CheckFile.h"

#include <gtest/gtest.h>

#include "app/modMain.h"
#include "instrument/FileTestFolder.h"

namespace tz {
namespace {

using testing::FileTestFolder;
using testing::WriteWholeFile;

constexpr std::size_t kImageSize = CheckFileBlocks * CheckFileBlockSize;

// A deterministic 1 MiB pattern.
std::string Image() {
    std::string image(kImageSize, '\0');
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 7 + i / 1024) & 0xFF);
    return image;
}

class CheckFile : public ::testing::Test {
protected:
    bool Compare(const std::string& check, const std::string& image) {
        WriteWholeFile(folder_ / "check.dat", check);
        WriteWholeFile(folder_ / "image.dat", image);
        return CompareCheckFile(folder_ / "check.dat", folder_ / "image.dat");
    }

    FileTestFolder folder_;
};

TEST_F(CheckFile, IdenticalFilesAreEqual) { EXPECT_TRUE(Compare(Image(), Image())); }

TEST_F(CheckFile, OneDifferentByteOutsideTheSkippedBlockMakesThemDifferent) {
    for (std::size_t offset : {std::size_t{0}, std::size_t{575 * 1024 + 1023},
                               std::size_t{577 * 1024}, kImageSize - 1}) {
        std::string image = Image();
        image[offset] = static_cast<char>(image[offset] ^ 0x01);
        EXPECT_FALSE(Compare(Image(), image)) << offset;
    }
}

TEST_F(CheckFile, DifferencesInsideBlock576AreIgnored) {
    std::string image = Image();
    for (std::size_t i = 576 * 1024; i < 577 * 1024; ++i) image[i] = '\x55';
    EXPECT_TRUE(Compare(Image(), image));
}

TEST_F(CheckFile, MissingOrShorterFileIsDifferent) {
    const std::string image = Image();
    EXPECT_FALSE(Compare(image, image.substr(0, kImageSize - 1)));
    EXPECT_FALSE(Compare(image.substr(0, 1000), image));
    EXPECT_FALSE(Compare("", ""));
    WriteWholeFile(folder_ / "image.dat", image);
    EXPECT_FALSE(CompareCheckFile(folder_ / "none.dat", folder_ / "image.dat"));
    EXPECT_FALSE(CompareCheckFile(folder_ / "image.dat", folder_ / "none.dat"));
}

TEST_F(CheckFile, BytesBeyondOneMebibyteAreNotCompared) {
    EXPECT_TRUE(Compare(Image() + "tail", Image()));
}

TEST_F(CheckFile, ProgramFilesComeFromTheProgramAndLogFolders) {
    ResetProgram();
    std::filesystem::create_directories(folder_ / "program");
    std::filesystem::create_directories(folder_ / "log");
    Program().ProgramFolder = folder_ / "program";
    Program().LogFolder = folder_ / "log";
    WriteWholeFile(folder_ / "program" / "TZ7300_Check.DAT", Image());
    WriteWholeFile(folder_ / "log" / "TZ7300.DAT", Image());
    EXPECT_TRUE(CompareCheckFile());
    std::filesystem::remove(folder_ / "log" / "TZ7300.DAT");
    EXPECT_FALSE(CompareCheckFile());
    ResetProgram();
}

}  // namespace
}  // namespace tz
