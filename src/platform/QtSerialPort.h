#pragma once
// The serial port on QSerialPort, as the link's port.
//
// Received data and line changes reach the listener as the link's communication events. Data
// events are delivered from the event loop, never from inside QSerialPort's own notification,
// so a listener that waits (yields) still sees the bytes that arrive meanwhile.
//
// Modem lines: while open, CTS and DSR are watched and each change is one comEvCTS (or comEvDSR
// when only DSR changed) event. Lines already on at open count as a change. A device that cannot
// report its modem lines (a pseudo-terminal) reports both on once it has opened, so the link's
// connection handshake starts. A device that disappears while open (a USB adapter pulled out, the
// far end of a pseudo-terminal closed) is reported as both lines off, then the port closes; it
// can be opened again later.
#include <QSerialPort>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "link/IPort.h"
#include "platform/SerialSettings.h"

namespace tz {

class QtSerialPort : public IPort {
public:
    // Gives the device for a port number when no device is named (SerialPortLookup's
    // DeviceForPort by default).
    using DeviceResolver = std::function<std::string(int number)>;

    // How often the modem lines (and, where the system counts them, line errors) are read.
    static constexpr int ModemPollMs = 200;

    explicit QtSerialPort(DeviceResolver resolve = {});
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    void SetListener(IPortListener* listener) override { listener_ = listener; }

    void CommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    void DeviceName(const std::string& device) override { deviceName_ = device; }
    std::string DeviceName() const override { return deviceName_; }
    // The device the port opens: the named device, else the one found for the port number.
    std::string ResolvedDevice() const;

    bool Settings(const std::string& settings) override;
    std::string Settings() const override { return FormatSerialSettings(settings_); }

    void DTREnable(bool on) override;
    bool DTREnable() const override { return dtr_; }
    void RTSEnable(bool on) override;
    bool RTSEnable() const override { return rts_; }
    void Handshaking(int mode) override;
    int Handshaking() const override { return handshaking_; }

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::string LastError() const override { return lastError_; }

    void Output(const std::string& bytes) override;
    std::string Input() override;
    long ModemStatus() const override { return lines_; }

    // False when the open device cannot report its modem lines (they are then reported on).
    bool ReportsModemLines() const { return reportsLines_; }

private:
    void ApplyLineSettings();
    void ApplyControlLines();
    void Raise(int code);
    void PostReceive();
    void PollLines();
    void PollLineErrors();
    void OnSerialError(QSerialPort::SerialPortError error);
    void ReportLost();

    DeviceResolver resolve_;
    IPortListener* listener_ = nullptr;
    int commPort_ = 0;
    std::string deviceName_;
    SerialSettings settings_;
    bool dtr_ = false;
    bool rts_ = false;
    int handshaking_ = comNone;

    std::unique_ptr<QSerialPort> serial_;
    QTimer poll_;
    bool open_ = false;
    bool lost_ = false;
    bool reportsLines_ = true;
    bool receivePosted_ = false;
    long lines_ = 0;
    unsigned generation_ = 0;  // counts opens; events posted for an earlier open are dropped
    std::string lastError_;
    struct LineErrorCounts;
    std::unique_ptr<LineErrorCounts> errorCounts_;
};

// Why a device did not open, for people: the system's text after the device, and when another
// program holds the device's lock (Qt's "Permission error while locking the device") that is said
// in plain words, as it is not a matter of access rights.
std::string OpenFailureText(const std::string& device, const std::string& systemText);

}  // namespace tz
