#pragma once
// The program's event loop on Qt: timers are Qt timers, and Yield() hands control to Qt's event
// dispatcher, which sleeps until a timer is due or a device has data, so waiting never spins.
// Needs a QCoreApplication (or QApplication) in the thread that uses it.
#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "link/IEventLoop.h"

namespace tz {

class QtEventLoop : public IEventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    TimerId StartTimer(int intervalMs, std::function<void()> callback) override;
    void StopTimer(TimerId id) override;
    void Post(int delayMs, std::function<void()> callback) override;
    void Yield() override;
    Date Now() const override;

    // Timers and posted callbacks that have not yet ended (for tests and diagnostics).
    std::size_t PendingCount() const { return entries_.size(); }

private:
    class Dispatcher;
    struct Entry {
        int qtTimerId = 0;
        bool repeat = false;
        std::shared_ptr<std::function<void()>> callback;
    };

    TimerId Add(int intervalMs, bool repeat, std::function<void()> callback);
    void Fire(int qtTimerId);

    std::unique_ptr<Dispatcher> dispatcher_;
    std::map<TimerId, Entry> entries_;
    std::map<int, TimerId> byQtId_;
    TimerId nextId_ = 1;
};

}  // namespace tz
