#pragma once
// Shared by the platform tests: the one application object Qt needs, and a wait on the real
// event loop that gives up (instead of hanging) if the awaited thing never happens.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>
#include <memory>

#include "platform/QtEventLoop.h"

namespace tz::test {

inline QCoreApplication& QtApp() {
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Fixture base: the application object exists before any member of the fixture is built.
class QtAppTest : public ::testing::Test {
protected:
    QtAppTest() { QtApp(); }
};

// Yields until done() holds; false if it still does not after a generous guard time.
// A light heartbeat keeps the loop turning for conditions that no event announces.
inline bool WaitUntil(QtEventLoop& loop, const std::function<bool()>& done,
                      int guardMs = 10000) {
    const auto expired = std::make_shared<bool>(false);
    loop.Post(guardMs, [expired] { *expired = true; });
    const auto heartbeat = loop.StartTimer(5, [] {});
    while (!done() && !*expired) loop.Yield();
    loop.StopTimer(heartbeat);
    return done();
}

}  // namespace tz::test
