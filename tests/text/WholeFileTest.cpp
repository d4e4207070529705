#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "text/WholeFile.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class WholeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tz-wholefile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t FilesIn() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    fs::path folder;
};

TEST_F(WholeFileTest, ExistingFile_ReplacedWholeAndNoTemporaryLeft) {
    const fs::path target = folder / "a.seq";
    std::ofstream(target) << "old content that is longer";
    std::ofstream(folder / "a.seq.tmp") << "the user's own file";
    ASSERT_TRUE(WriteFileWhole(target, std::string("new\r\n\0x", 7)));
    EXPECT_EQ(Read(target), std::string("new\r\n\0x", 7));
    EXPECT_EQ(Read(folder / "a.seq.tmp"), "the user's own file");
    EXPECT_EQ(FilesIn(), 2u);
}

TEST_F(WholeFileTest, MissingFolder_FailsWithReasonAndWritesNothing) {
    std::string error;
    EXPECT_FALSE(WriteFileWhole(folder / "none" / "a.seq", "x", &error));
    EXPECT_NE(error.find("a.seq"), std::string::npos);
    EXPECT_EQ(FilesIn(), 0u);
}

TEST_F(WholeFileTest, TargetIsAFolder_FailsAndLeavesItAndNoTemporary) {
    fs::create_directories(folder / "d");
    EXPECT_FALSE(WriteFileWhole(folder / "d", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "d"));
    EXPECT_EQ(FilesIn(), 1u);
}

TEST_F(WholeFileTest, TemporaryNames_DifferEachTime) {
    EXPECT_NE(TemporaryPathFor(folder / "a"), TemporaryPathFor(folder / "a"));
}

}  // namespace
}  // namespace tz
