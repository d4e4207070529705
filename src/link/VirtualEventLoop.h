#pragma once
// An event loop on a virtual clock, for tests and benchmarks. Yield() runs the next due event and
// moves the clock to its due time, so a timeout of seconds costs nothing and repeats exactly.
// Waiting with nothing scheduled is a fault of the caller and throws instead of hanging.
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <unordered_map>

#include "link/IEventLoop.h"

namespace tz {

// Thrown by VirtualEventLoop::Yield when no event is pending or scheduled.
class NothingScheduledError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class VirtualEventLoop : public IEventLoop {
public:
    // The clock starts at startDate (default 2025/01/01 00:00:00) with no time elapsed.
    VirtualEventLoop();
    explicit VirtualEventLoop(Date startDate);

    TimerId StartTimer(int intervalMs, std::function<void()> callback) override;
    void StopTimer(TimerId id) override;
    void Post(int delayMs, std::function<void()> callback) override;
    void Yield() override;
    Date Now() const override;

    void StartDate(Date value) { startDate_ = value; }
    Date StartDate() const { return startDate_; }
    std::int64_t ElapsedMs() const { return nowMs_; }

    // Runs every event due within the next durationMs, then sets the clock to the end of it.
    void RunFor(std::int64_t durationMs);
    // Yields until the condition holds; false (condition still false) after maxEvents events.
    bool RunUntil(const std::function<bool()>& condition, long maxEvents = 1000000);
    // Events handled since construction.
    std::uint64_t EventCount() const { return eventCount_; }

private:
    struct Key {
        std::int64_t due;
        std::uint64_t seq;
        bool operator<(const Key& o) const { return due != o.due ? due < o.due : seq < o.seq; }
    };
    struct Entry {
        TimerId timer = 0;  // 0: a posted one-shot callback; timer ids are never reused
        std::function<void()> callback;
    };
    struct Timer {
        int intervalMs;
        std::shared_ptr<std::function<void()>> callback;
    };

    void Schedule(std::int64_t due, Entry entry);
    // Removes and runs the earliest live entry due no later than limitMs; false when there is none.
    bool RunNext(std::int64_t limitMs);

    Date startDate_;
    std::int64_t nowMs_ = 0;
    std::uint64_t seq_ = 0;
    std::uint64_t eventCount_ = 0;
    TimerId nextTimer_ = 1;
    std::map<Key, Entry> queue_;
    std::unordered_map<TimerId, Timer> timers_;
};

}  // namespace tz
