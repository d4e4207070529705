#pragma once
// The one event loop the program runs on. Operations that wait for the instrument call Yield(),
// which blocks until at least one event (received bytes, a timer) has been handled; nothing spins.
#include <functional>

#include "text/Types.h"

namespace tz {

class IEventLoop {
public:
    using TimerId = int;

    virtual ~IEventLoop() = default;

    // Starts a periodic timer; the callback runs every intervalMs until StopTimer.
    virtual TimerId StartTimer(int intervalMs, std::function<void()> callback) = 0;
    virtual void StopTimer(TimerId id) = 0;

    // Runs the callback once, delayMs from now (0: as soon as the loop runs).
    virtual void Post(int delayMs, std::function<void()> callback) = 0;

    // Handles at least one pending event, blocking until one is due.
    virtual void Yield() = 0;

    // The present date and time in the record's date model.
    virtual Date Now() const = 0;
};

}  // namespace tz
