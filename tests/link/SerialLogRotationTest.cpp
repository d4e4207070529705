#include "link/SerialLogRotation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "instrument/FileTestFolder.h"
#include "link/LoopDeleteWait.h"
#include "link/VirtualEventLoop.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using testing::FileTestFolder;
using testing::ReadWholeFile;
namespace fs = std::filesystem;

// Never sleeps: a deleted file is gone at once on the systems the tests run on.
const DeleteWait kNoWait{3, [] {}, {}};

class SerialLogRotation : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }

    // Generation k holds the text "k".
    void WriteGenerations(int first, int last) {
        for (int k = first; k <= last; ++k) std::ofstream(SerialLogPath(folder.Path(), k)) << k;
    }
    std::string Generation(int k) const {
        const fs::path file = SerialLogPath(folder.Path(), k);
        return fs::exists(file) ? ReadWholeFile(file) : "(none)";
    }

    FileTestFolder folder;
};

TEST_F(SerialLogRotation, FullSet_ShiftsUpDropsTheOldestAndLeavesNoPresentLog) {
    WriteGenerations(0, 9);
    const SerialLogOutcome outcome = PrepareSerialLog(folder.Path(), true, kNoWait);
    EXPECT_TRUE(outcome.Ok());
    EXPECT_EQ(outcome.PaneText(), "");
    EXPECT_EQ(Generation(0), "(none)");
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(Generation(k), std::to_string(k - 1)) << k;
}

TEST_F(SerialLogRotation, Gaps_AreSkipped) {
    WriteGenerations(0, 0);
    WriteGenerations(3, 3);
    EXPECT_TRUE(RotateSerialLogs(folder.Path(), kNoWait).Ok());
    EXPECT_EQ(Generation(1), "0");
    EXPECT_EQ(Generation(2), "(none)");
    EXPECT_EQ(Generation(4), "3");
}

TEST_F(SerialLogRotation, WithoutGenerations_OnlyThePresentLogIsRemoved) {
    WriteGenerations(0, 2);
    EXPECT_TRUE(PrepareSerialLog(folder.Path(), false, kNoWait).Ok());
    EXPECT_EQ(Generation(0), "(none)");
    EXPECT_EQ(Generation(1), "1");
    EXPECT_EQ(Generation(2), "2");
    EXPECT_TRUE(PrepareSerialLog(folder.Path(), false, kNoWait).Ok());  // nothing left to remove
}

TEST_F(SerialLogRotation, GenerationThatCannotBeReplaced_StopsWithEveryLogKept) {
    WriteGenerations(0, 4);
    // A folder in the place of SerialLog5.log: generation 4 cannot move up.
    fs::create_directories(SerialLogPath(folder.Path(), 5) / "x");
    const SerialLogOutcome outcome = PrepareSerialLog(folder.Path(), true, kNoWait);
    EXPECT_EQ(outcome.Outcome, SerialLogOutcome::Result::RotationFailed);
    EXPECT_EQ(outcome.File.filename(), "SerialLog5.log");
    EXPECT_EQ(outcome.PaneText().rfind("The communication logs could not be rotated (SerialLog5.log: ", 0), 0u)
        << outcome.PaneText();
    // Nothing was shifted, and the present log stays to be appended to.
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(Generation(k), std::to_string(k)) << k;
}

TEST_F(SerialLogRotation, PresentLogThatCannotBeRemoved_ReportedForAppending) {
    fs::create_directories(SerialLogPath(folder.Path(), 0) / "x");
    const SerialLogOutcome outcome = PrepareSerialLog(folder.Path(), false, kNoWait);
    EXPECT_EQ(outcome.Outcome, SerialLogOutcome::Result::DeleteFailed);
    EXPECT_EQ(outcome.PaneText().rfind("The communication log SerialLog.log could not be removed (", 0), 0u)
        << outcome.PaneText();
}

TEST_F(SerialLogRotation, DeletedLogStillListed_ReportedInsteadOfWaitingForEver) {
    WriteGenerations(0, 0);
    DeleteWait wait = kNoWait;
    wait.StillListed = [](const fs::path&) { return true; };
    EXPECT_EQ(PrepareSerialLog(folder.Path(), false, wait).Outcome, SerialLogOutcome::Result::DeleteFailed);
}

// The wait on the event loop: the loop's timers keep running while it waits, it gives up after
// its limit on the loop's clock, and a file that goes at once costs no wait at all.
TEST_F(SerialLogRotation, WaitOnTheEventLoop_RunsTheLoopAndEndsAtItsLimit) {
    const struct {
        bool lingers;
        SerialLogOutcome::Result outcome;
        std::int64_t elapsedMs;
    } cases[] = {{false, SerialLogOutcome::Result::Ready, 0}, {true, SerialLogOutcome::Result::DeleteFailed, 2000}};
    for (const auto& c : cases) {
        WriteGenerations(0, 0);
        VirtualEventLoop loop;
        int ticks = 0;
        loop.StartTimer(100, [&ticks] { ++ticks; });
        DeleteWait wait = DeleteWaitOnLoop(loop, 2000, 10);
        if (c.lingers) wait.StillListed = [](const fs::path&) { return true; };
        EXPECT_EQ(PrepareSerialLog(folder.Path(), false, wait).Outcome, c.outcome) << c.lingers;
        EXPECT_EQ(loop.ElapsedMs(), c.elapsedMs) << c.lingers;
        EXPECT_EQ(ticks, static_cast<int>(c.elapsedMs / 100)) << c.lingers;
    }
}

}  // namespace
}  // namespace tz
