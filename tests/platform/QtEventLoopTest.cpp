#include <gtest/gtest.h>

#include <QDate>
#include <string>
#include <vector>

#include "QtTestSupport.h"
#include "text/DateTime.h"

namespace tz {
namespace {

class QtEventLoopTest : public test::QtAppTest {
protected:
    QtEventLoop loop;
};

TEST_F(QtEventLoopTest, PeriodicTimer_RunsUntilStopped) {
    int ticks = 0;
    const auto id = loop.StartTimer(1, [&] { ++ticks; });
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return ticks >= 3; }));
    loop.StopTimer(id);
    const int atStop = ticks;
    bool later = false;
    loop.Post(20, [&] { later = true; });
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return later; }));
    EXPECT_EQ(ticks, atStop);
}

TEST_F(QtEventLoopTest, TimerStoppedFromItsOwnCallback_RunsOnce) {
    int ticks = 0;
    IEventLoop::TimerId id = 0;
    id = loop.StartTimer(1, [&] {
        ++ticks;
        loop.StopTimer(id);
    });
    bool later = false;
    loop.Post(30, [&] { later = true; });
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return later; }));
    EXPECT_EQ(ticks, 1);
}

TEST_F(QtEventLoopTest, Posts_RunOnceEachEarliestDueFirst) {
    std::vector<std::string> order;
    loop.Post(40, [&] { order.push_back("late"); });
    loop.Post(0, [&] { order.push_back("now"); });
    loop.Post(5, [&] { order.push_back("soon"); });
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<std::string>{"now", "soon", "late"}));
}

TEST_F(QtEventLoopTest, YieldInsideCallback_OtherEventsStillRun) {
    bool inner = false, outerDone = false;
    loop.Post(0, [&] {
        loop.Post(2, [&] { inner = true; });
        while (!inner) loop.Yield();
        outerDone = true;
    });
    ASSERT_TRUE(test::WaitUntil(loop, [&] { return outerDone; }));
}

TEST_F(QtEventLoopTest, Yield_ReturnsOnlyAfterSomethingWasHandled) {
    bool ran = false;
    loop.Post(10, [&] { ran = true; });
    // With nothing else pending, the first Yield sleeps until the post is due and handles it.
    while (!ran) loop.Yield();
    EXPECT_EQ(loop.PendingCount(), 0u);
}

TEST_F(QtEventLoopTest, StopUnknownTimer_Ignored) {
    loop.StopTimer(12345);
    EXPECT_EQ(loop.PendingCount(), 0u);
}

TEST_F(QtEventLoopTest, Now_IsTodayInTheDateModel) {
    const QDate today = QDate::currentDate();
    const DateParts parts = SplitDate(loop.Now());
    // Around midnight the date may have moved on between the two readings.
    const QDate seen(parts.year, parts.month, parts.day);
    EXPECT_TRUE(seen == today || seen == today.addDays(1)) << FormatGeneralDate(loop.Now());
}

}  // namespace
}  // namespace tz
