#include "platform/QtEventLoop.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimerEvent>
#include <algorithm>
#include <stdexcept>

#include "text/DateTime.h"

namespace tz {

// One QObject receives every timer event and hands it back to the loop by Qt's timer id.
// Timers are started and killed on it directly, so stopping a timer (even from inside its own
// callback) never deletes an object that Qt is still delivering to.
class QtEventLoop::Dispatcher : public QObject {
public:
    explicit Dispatcher(QtEventLoop& loop) : loop_(loop) {}

protected:
    void timerEvent(QTimerEvent* event) override { loop_.Fire(event->timerId()); }

private:
    QtEventLoop& loop_;
};

QtEventLoop::QtEventLoop() : dispatcher_(std::make_unique<Dispatcher>(*this)) {
    if (!QCoreApplication::instance()) {
        // Without an application object Qt has no dispatcher to sleep in, and Yield would spin.
        throw std::logic_error("QtEventLoop needs a QCoreApplication");
    }
}

QtEventLoop::~QtEventLoop() {
    for (const auto& [id, entry] : entries_) dispatcher_->killTimer(entry.qtTimerId);
}

IEventLoop::TimerId QtEventLoop::Add(int intervalMs, bool repeat, std::function<void()> callback) {
    const int qtId = dispatcher_->startTimer(std::max(0, intervalMs), Qt::PreciseTimer);
    if (qtId == 0) throw std::runtime_error("QtEventLoop: the system refused a timer");
    const TimerId id = nextId_++;
    entries_[id] = Entry{qtId, repeat, std::make_shared<std::function<void()>>(std::move(callback))};
    byQtId_[qtId] = id;
    return id;
}

IEventLoop::TimerId QtEventLoop::StartTimer(int intervalMs, std::function<void()> callback) {
    return Add(intervalMs, true, std::move(callback));
}

void QtEventLoop::StopTimer(TimerId id) {
    const auto it = entries_.find(id);
    if (it == entries_.end()) return;
    dispatcher_->killTimer(it->second.qtTimerId);
    byQtId_.erase(it->second.qtTimerId);
    entries_.erase(it);
}

void QtEventLoop::Post(int delayMs, std::function<void()> callback) {
    Add(delayMs, false, std::move(callback));
}

void QtEventLoop::Fire(int qtTimerId) {
    const auto byQt = byQtId_.find(qtTimerId);
    if (byQt == byQtId_.end()) return;
    const TimerId id = byQt->second;
    // Hold the callback: it may stop its own timer, or yield and see it stopped.
    const auto callback = entries_.at(id).callback;
    if (!entries_.at(id).repeat) StopTimer(id);
    (*callback)();
}

void QtEventLoop::Yield() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

Date QtEventLoop::Now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    const auto date = MakeDate({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
    // The fraction of the second counts too: waits and once-a-second loops measure with Now().
    return date ? *date + t.msec() / 86400000.0 : 0.0;
}

}  // namespace tz
