#include "platform/PtyDeviceHost.h"

#include <stdexcept>

namespace tz {

PtyDeviceHost::PtyDeviceHost(PseudoTerminal& pty, ILoopbackDevice& device, IEventLoop& loop)
    : pty_(pty), device_(device), loop_(loop) {
    if (!pty_.IsOpen() || !pty_.KeepsSlaveOpen()) {
        throw std::logic_error("PtyDeviceHost needs an open pair that keeps its slave side open");
    }
    readable_ = std::make_unique<QSocketNotifier>(pty_.MasterFd(), QSocketNotifier::Read);
    writable_ = std::make_unique<QSocketNotifier>(pty_.MasterFd(), QSocketNotifier::Write);
    writable_->setEnabled(false);
    // Without this report the device would never learn that a new client opened the port (the
    // pair's own slave handle hides the opens and closes), and an instrument powered off by one
    // client would stay silent for every later one.
    pty_.WatchReconfiguration();
    QObject::connect(readable_.get(), &QSocketNotifier::activated, readable_.get(),
                     [this] { OnReadable(); });
    QObject::connect(writable_.get(), &QSocketNotifier::activated, writable_.get(),
                     [this] { Flush(); });
}

PtyDeviceHost::~PtyDeviceHost() = default;

void PtyDeviceHost::OnReadable() {
    bool reconfigured = false;
    const std::string bytes = pty_.Read(&reconfigured);
    if (reconfigured) OnLineSet();
    if (bytes.empty()) return;
    bytesIn_ += static_cast<long>(bytes.size());
    // Replies scheduled after this host is gone, or for a client before the line was set again,
    // are dropped.
    std::weak_ptr<bool> alive = alive_;
    const long generation = generation_;
    device_.OnBytesFromHost(bytes, [this, alive, generation](const std::string& reply, int delayMs) {
        loop_.Post(delayMs, [this, alive, generation, reply] {
            if (alive.lock() && generation == generation_) Send(reply);
        });
    });
}

// A client opened the port (or closed it, restoring its settings): the device starts afresh, as
// on a line that was just opened, and nothing meant for the previous client reaches the next.
void PtyDeviceHost::OnLineSet() {
    ++generation_;
    pending_.clear();
    writable_->setEnabled(false);
    device_.OnPortOpened();
}

void PtyDeviceHost::Send(const std::string& bytes) {
    pending_ += bytes;
    Flush();
}

void PtyDeviceHost::Flush() {
    while (!pending_.empty()) {
        const long written = pty_.Write(pending_);
        if (written < 0) {  // the pair is broken: nobody can receive these
            pending_.clear();
            break;
        }
        if (written == 0) break;
        bytesOut_ += written;
        pending_.erase(0, static_cast<std::size_t>(written));
    }
    writable_->setEnabled(!pending_.empty());
}

}  // namespace tz
