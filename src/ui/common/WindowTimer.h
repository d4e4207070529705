#pragma once
// A window's timer control (tmrTimer, tmrInter) on the program's event loop: an interval, an
// enabled flag and the tick. On the Qt loop it ticks in real time; on a VirtualEventLoop a test
// steps it with RunFor. It stops when it is disabled or destroyed, also from inside its own tick.
#include <functional>

#include "link/IEventLoop.h"

namespace tz::ui {

class WindowTimer {
public:
    explicit WindowTimer(IEventLoop& loop) : loop_(loop) {}
    ~WindowTimer() { Enabled(false); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Milliseconds between ticks; a running timer starts counting again from now.
    int Interval() const { return intervalMs_; }
    void Interval(int ms);

    bool Enabled() const { return id_ != 0; }
    void Enabled(bool on);

    // What runs on every tick.
    void OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

    // Interval, tick and start in one call.
    void Start(int ms, std::function<void()> tick);

private:
    IEventLoop& loop_;
    int intervalMs_ = 0;
    IEventLoop::TimerId id_ = 0;
    std::function<void()> tick_;
};

}  // namespace tz::ui
