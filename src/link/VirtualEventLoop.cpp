#include "link/VirtualEventLoop.h"

#include <limits>
#include <utility>

#include "text/DateTime.h"

namespace tz {

namespace {
constexpr double kMsPerDay = 86400000.0;
}

VirtualEventLoop::VirtualEventLoop() : VirtualEventLoop(*MakeDate({2025, 1, 1, 0, 0, 0})) {}

VirtualEventLoop::VirtualEventLoop(Date startDate) : startDate_(startDate) {}

IEventLoop::TimerId VirtualEventLoop::StartTimer(int intervalMs, std::function<void()> callback) {
    if (intervalMs < 1) intervalMs = 1;  // a zero interval would never let the clock move
    const TimerId id = nextTimer_++;
    timers_[id] = Timer{intervalMs, std::make_shared<std::function<void()>>(std::move(callback))};
    Schedule(nowMs_ + intervalMs, Entry{id, {}});
    return id;
}

void VirtualEventLoop::StopTimer(TimerId id) { timers_.erase(id); }

void VirtualEventLoop::Post(int delayMs, std::function<void()> callback) {
    Schedule(nowMs_ + (delayMs > 0 ? delayMs : 0), Entry{0, std::move(callback)});
}

void VirtualEventLoop::Schedule(std::int64_t due, Entry entry) {
    queue_.emplace(Key{due, seq_++}, std::move(entry));
}

bool VirtualEventLoop::RunNext(std::int64_t limitMs) {
    while (!queue_.empty()) {
        auto it = queue_.begin();
        if (it->first.due > limitMs) return false;
        const std::int64_t due = it->first.due;
        Entry entry = std::move(it->second);
        queue_.erase(it);
        if (entry.timer == 0) {
            if (due > nowMs_) nowMs_ = due;
            ++eventCount_;
            entry.callback();
            return true;
        }
        auto timer = timers_.find(entry.timer);
        if (timer == timers_.end()) continue;  // stopped since it was scheduled
        if (due > nowMs_) nowMs_ = due;
        // Re-arm before running, so the callback may stop its own timer.
        Schedule(due + timer->second.intervalMs, Entry{entry.timer, {}});
        const auto callback = timer->second.callback;  // keeps the function alive while it runs
        ++eventCount_;
        (*callback)();
        return true;
    }
    return false;
}

void VirtualEventLoop::Yield() {
    if (!RunNext(std::numeric_limits<std::int64_t>::max()))
        throw NothingScheduledError("Yield with no event pending or scheduled");
}

void VirtualEventLoop::RunFor(std::int64_t durationMs) {
    const std::int64_t end = nowMs_ + durationMs;
    while (RunNext(end)) {
    }
    if (end > nowMs_) nowMs_ = end;
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& condition, long maxEvents) {
    for (long i = 0; i < maxEvents; ++i) {
        if (condition()) return true;
        Yield();
    }
    return condition();
}

Date VirtualEventLoop::Now() const { return startDate_ + static_cast<double>(nowMs_) / kMsPerDay; }

}  // namespace tz
