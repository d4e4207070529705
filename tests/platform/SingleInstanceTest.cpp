#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "QtTestSupport.h"
#include "platform/SingleInstance.h"

namespace tz {
namespace {

using Result = SingleInstanceLock::Result;

class SingleInstanceTest : public test::QtAppTest {
protected:
    QTemporaryDir folder;
};

TEST_F(SingleInstanceTest, RunningCopy_RefusesTheSecondUntilItEnds) {
    SingleInstanceLock first(folder.path());
    SingleInstanceLock second(folder.path());
    ASSERT_EQ(first.TryAcquire(), Result::Acquired);
    EXPECT_TRUE(first.Held());
    EXPECT_EQ(second.TryAcquire(), Result::AlreadyRunning);
    EXPECT_FALSE(second.Held());
    first.Release();
    EXPECT_EQ(second.TryAcquire(), Result::Acquired);
}

TEST_F(SingleInstanceTest, CrashedCopy_LeftLockIsTakenOver) {
    const pid_t child = ::fork();
    if (child == 0) {
        SingleInstanceLock crashed(folder.path());
        ::_exit(crashed.TryAcquire() == Result::Acquired ? 0 : 1);  // ends without unlocking
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    SingleInstanceLock next(folder.path());
    ASSERT_TRUE(QFile::exists(next.FilePath()));
    EXPECT_EQ(next.TryAcquire(), Result::Acquired);
}

TEST_F(SingleInstanceTest, FolderThatCannotHoldTheLock_Unavailable) {
    SingleInstanceLock missing(QDir(folder.path()).filePath("absent/deeper"));
    EXPECT_EQ(missing.TryAcquire(), Result::Unavailable);
}

}  // namespace
}  // namespace tz
