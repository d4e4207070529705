#pragma once
// Serves an in-process device (the simulated instrument) on the master side of a
// pseudo-terminal: bytes a client writes to the slave device go to the device, and the device's
// replies are written back, each piece after the delay the device asks for. The pair must keep
// its slave side open (PseudoTerminal(true)): without a client the master would otherwise report
// a hang-up on every turn of the loop. Each time a client sets the line (opening the port does)
// the device is told the port was opened.
#include <QSocketNotifier>
#include <memory>
#include <string>

#include "link/IEventLoop.h"
#include "link/ILoopbackDevice.h"
#include "platform/PseudoTerminal.h"

namespace tz {

class PtyDeviceHost {
public:
    PtyDeviceHost(PseudoTerminal& pty, ILoopbackDevice& device, IEventLoop& loop);
    ~PtyDeviceHost();
    PtyDeviceHost(const PtyDeviceHost&) = delete;
    PtyDeviceHost& operator=(const PtyDeviceHost&) = delete;

    // Bytes received from clients and written to them so far.
    long BytesIn() const { return bytesIn_; }
    long BytesOut() const { return bytesOut_; }

private:
    void OnReadable();
    void OnLineSet();
    void Send(const std::string& bytes);
    void Flush();

    PseudoTerminal& pty_;
    ILoopbackDevice& device_;
    IEventLoop& loop_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    std::string pending_;  // replies the line has not taken yet
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    long generation_ = 0;  // counts the times a client set the line
    long bytesIn_ = 0;
    long bytesOut_ = 0;
};

}  // namespace tz
