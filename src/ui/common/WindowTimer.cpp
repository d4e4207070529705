#include "ui/common/WindowTimer.h"

namespace tz::ui {

void WindowTimer::Interval(int ms) {
    intervalMs_ = ms;
    if (Enabled()) {
        Enabled(false);
        Enabled(true);
    }
}

void WindowTimer::Enabled(bool on) {
    if (on == Enabled()) return;
    if (!on) {
        loop_.StopTimer(id_);
        id_ = 0;
        return;
    }
    // The tick is looked up when it runs, so OnTick may change it while the timer runs.
    id_ = loop_.StartTimer(intervalMs_, [this] {
        if (tick_) tick_();
    });
}

void WindowTimer::Start(int ms, std::function<void()> tick) {
    OnTick(std::move(tick));
    Enabled(false);
    intervalMs_ = ms;
    Enabled(true);
}

}  // namespace tz::ui
