// The communication log: line format, control characters, path, and a folder that cannot be
// written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/CommLog.h"
#include "link/VirtualEventLoop.h"
#include "text/DateTime.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

struct ControlCase {
    std::string text;
    std::string shown;
};

class ShowControlCharsCase : public ::testing::TestWithParam<ControlCase> {};

TEST_P(ShowControlCharsCase, Spelled) { EXPECT_EQ(ShowControlChars(GetParam().text), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(
    CommLog, ShowControlCharsCase,
    ::testing::Values(ControlCase{"\x02" "0001SZ,R,\x03" "E3\x04", "[STX]0001SZ,R,[ETX]E3[EOT]"},
                      ControlCase{std::string("\x05\x06\x15\x17\x1A\x1B", 6), "[ENQ][ACK][NAK][ETB][SUB][ESC]"},
                      ControlCase{std::string(1, '\0') + "\x1F\x01", "[00][1F][01]"},
                      ControlCase{"a\rb\nc", "a\rb\nc"},
                      ControlCase{" ~\x7F", " ~\x7F"}));

class CommLogFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tz_commlog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder, fs::perms::owner_all, ec);
        fs::remove_all(folder, ec);
    }
    std::string Contents() const {
        std::ifstream in(folder / CommLogFileName, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    VirtualEventLoop clock{*MakeDate({2026, 5, 4, 9, 8, 7})};
};

TEST_F(CommLogFile, Line_TimeSpaceTextCrLf) {
    CommLog log(clock);
    log.Folder(folder.string());
    log.LogWrite("W : [STX]");
    log.LogWrite("second");
    EXPECT_EQ(Contents(), "09:08:07 W : [STX]\r\n09:08:07 second\r\n");
}

TEST_F(CommLogFile, FolderWithOrWithoutTrailingSeparator_SamePath) {
    CommLog a(clock), b(clock);
    a.Folder(folder.string());
    b.Folder(folder.string() + "/");
    EXPECT_EQ(a.Path(), b.Path());
    EXPECT_EQ(fs::path(a.Path()).filename(), CommLogFileName);
}

TEST_F(CommLogFile, UnwritableFolder_LineLostNothingThrown) {
    CommLog log(clock);
    log.Folder((folder / "missing" / "deeper").string());
    std::vector<std::string> seen;
    log.SetObserver([&](const std::string& line) { seen.push_back(line); });
    EXPECT_NO_THROW(log.LogWrite("lost"));
    EXPECT_EQ(log.LostLines(), 1);
    EXPECT_EQ(seen, std::vector<std::string>{"09:08:07 lost"});
}

TEST_F(CommLogFile, NoFolder_NothingWritten) {
    CommLog log(clock);
    log.LogWrite("nowhere");
    EXPECT_EQ(log.LostLines(), 0);
    EXPECT_TRUE(log.Path().empty());
}

}  // namespace
}  // namespace tz
