#pragma once
// A serial port whose far end is an in-process device. Bytes the link writes go straight to the
// device; the device's answers arrive through the event loop after their delay, each piece as one
// data-received event. The port has no modem lines: once open it reports CTS and DSR on, so the
// link's connection handshake starts.
#include <memory>
#include <string>

#include "link/IEventLoop.h"
#include "link/ILoopbackDevice.h"
#include "link/IPort.h"

namespace tz {

class LoopbackPort : public IPort {
public:
    LoopbackPort(IEventLoop& loop, ILoopbackDevice& device);
    ~LoopbackPort() override;
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;

    void SetListener(IPortListener* listener) override { listener_ = listener; }

    void CommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    void DeviceName(const std::string& device) override { deviceName_ = device; }
    std::string DeviceName() const override { return deviceName_; }
    bool Settings(const std::string& settings) override;
    std::string Settings() const override { return settings_; }
    void DTREnable(bool on) override { dtr_ = on; }
    bool DTREnable() const override { return dtr_; }
    void RTSEnable(bool on) override { rts_ = on; }
    bool RTSEnable() const override { return rts_; }
    void Handshaking(int mode) override { handshaking_ = mode; }
    int Handshaking() const override { return handshaking_; }

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::string LastError() const override { return lastError_; }

    void Output(const std::string& bytes) override;
    std::string Input() override;
    long ModemStatus() const override { return modemStatus_; }

    // Test controls: a port that refuses to open, a line event, a change of the modem lines.
    void FailOpen(const std::string& error) { failOpen_ = error; }
    void RaiseLineEvent(int eventCode);
    void SetModemLines(bool cts, bool dsr);
    // Everything the link has written since the port was made.
    const std::string& Written() const { return written_; }

private:
    void Deliver(int eventCode);

    IEventLoop& loop_;
    ILoopbackDevice& device_;
    IPortListener* listener_ = nullptr;
    // Events still queued on the loop check this before touching the port, which may be gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    unsigned session_ = 0;  // bytes answered before a close are not delivered after it

    int commPort_ = 1;
    std::string deviceName_;
    std::string settings_ = "9600,n,8,1";
    bool dtr_ = false, rts_ = false;
    int handshaking_ = comNone;
    bool open_ = false;
    std::string failOpen_;
    std::string lastError_;
    long modemStatus_ = 0;
    std::string input_;
    std::string written_;
};

// True when the text has the form "baud,parity,databits,stopbits" with a known parity letter.
bool IsValidLineSettings(const std::string& settings);

}  // namespace tz
