#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
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

// Now() keeps the milliseconds: it lies between two clock readings taken around it, each with its
// fraction of a second (a reading cut to whole seconds falls before the first).
TEST_F(QtEventLoopTest, Now_CarriesTheFractionOfTheSecond) {
    const auto asDate = [](const QDateTime& at) {
        const QDate d = at.date();
        const QTime t = at.time();
        return MakeDate({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}).value() +
               t.msec() / 86400000.0;
    };
    QDateTime before = QDateTime::currentDateTime();
    while (before.time().msec() == 0) before = QDateTime::currentDateTime();  // a whole second proves nothing
    const Date now = loop.Now();
    const QDateTime after = QDateTime::currentDateTime();
    const Date slack = 1e-9;  // rounding of the day count, far below a millisecond (1.16e-8 days)
    EXPECT_GE(now, asDate(before) - slack) << FormatGeneralDate(now);
    EXPECT_LE(now, asDate(after) + slack);
}

}  // namespace
}  // namespace tz
