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
    QObject::connect(readable_.get(), &QSocketNotifier::activated, readable_.get(),
                     [this] { OnReadable(); });
    QObject::connect(writable_.get(), &QSocketNotifier::activated, writable_.get(),
                     [this] { Flush(); });
}

PtyDeviceHost::~PtyDeviceHost() = default;

void PtyDeviceHost::OnReadable() {
    const std::string bytes = pty_.Read();
    if (bytes.empty()) return;
    bytesIn_ += static_cast<long>(bytes.size());
    // Replies scheduled after this host is gone are dropped.
    std::weak_ptr<bool> alive = alive_;
    device_.OnBytesFromHost(bytes, [this, alive](const std::string& reply, int delayMs) {
        loop_.Post(delayMs, [this, alive, reply] {
            if (alive.lock()) Send(reply);
        });
    });
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
