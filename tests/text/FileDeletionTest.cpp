#include "text/FileDeletion.h"

#include <gtest/gtest.h>

#include <fstream>

#include "instrument/FileTestFolder.h"

namespace tz {
namespace {

using testing::FileTestFolder;
namespace fs = std::filesystem;

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

// Counts the waits between checks and never sleeps.
DeleteWait CountingWait(int& waits) { return {5, [&waits] { ++waits; }, {}}; }

TEST(DeleteAndWaitGone, ExistingFile_GoneWithoutWaiting) {
    FileTestFolder folder;
    Touch(folder / "a.log");
    int waits = 0;
    std::string error;
    EXPECT_TRUE(DeleteAndWaitGone(folder / "a.log", &error, CountingWait(waits)));
    EXPECT_FALSE(fs::exists(folder / "a.log"));
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(error.empty());
}

TEST(DeleteAndWaitGone, MissingFile_IsAlreadyGone) {
    FileTestFolder folder;
    int waits = 0;
    EXPECT_TRUE(DeleteAndWaitGone(folder / "none.log", nullptr, CountingWait(waits)));
    EXPECT_EQ(waits, 0);
}

TEST(DeleteAndWaitGone, FileThatKeepsBeingListed_GivesUpAfterTheLastCheck) {
    FileTestFolder folder;
    const fs::path file = folder / "held.log";
    Touch(file);
    // A system that keeps the deleted file listed (still open elsewhere) for ever.
    int waits = 0;
    DeleteWait wait = CountingWait(waits);
    wait.StillListed = [](const fs::path&) { return true; };
    std::string error;
    EXPECT_FALSE(DeleteAndWaitGone(file, &error, wait));
    EXPECT_EQ(waits, 5);
    EXPECT_NE(error.find("still there"), std::string::npos);

    // Listed for two more checks, then gone.
    Touch(file);
    int checks = 0;
    waits = 0;
    wait.StillListed = [&checks](const fs::path&) { return ++checks <= 2; };
    EXPECT_TRUE(DeleteAndWaitGone(file, &error, wait));
    EXPECT_EQ(waits, 2);
}

TEST(DeleteAndWaitGone, FolderInThePlaceOfTheFile_RefusedAndKept) {
    FileTestFolder folder;
    fs::create_directories(folder / "SerialLog.log" / "inner");
    std::string error;
    int waits = 0;
    EXPECT_FALSE(DeleteAndWaitGone(folder / "SerialLog.log", &error, CountingWait(waits)));
    EXPECT_TRUE(fs::exists(folder / "SerialLog.log" / "inner"));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(waits, 0);
}

}  // namespace
}  // namespace tz
