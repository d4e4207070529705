#pragma once
// The serial line as the link sees it. The port reports everything through one communication
// event with a code; on a data event the link takes all waiting bytes with Input().
#include <string>

namespace tz {

// Event codes of the serial port's communication event.
enum CommEvent : int {
    comEvReceive = 2,        // data received
    comEvCTS = 3,            // CTS changed
    comEvDSR = 4,            // DSR changed
    comEventBreak = 1001,
    comEventFrame = 1004,    // framing error
    comEventOverrun = 1006,
    comEventRxOver = 1008,   // receive buffer overflow
    comEventRxParity = 1009,
    comEventTxFull = 1010,   // transmit buffer full
    comEventDCB = 1011,      // device control block error
};

// Bits of ModemStatus().
constexpr long ModemCts = 16;
constexpr long ModemDsr = 32;

// Handshaking modes.
enum Handshake : int { comNone = 0, comXOnXoff = 1, comRTS = 2, comRTSXOnXOff = 3 };

class IPortListener {
public:
    virtual ~IPortListener() = default;
    virtual void OnComm(int eventCode) = 0;
};

class IPort {
public:
    virtual ~IPort() = default;

    virtual void SetListener(IPortListener* listener) = 0;

    // Port number, and optionally a device named directly (wins over the number when not empty).
    virtual void CommPort(int number) = 0;
    virtual int CommPort() const = 0;
    virtual void DeviceName(const std::string& device) = 0;
    virtual std::string DeviceName() const = 0;

    // "baud,parity,databits,stopbits", e.g. "115200,n,8,1". Returns false for a malformed text,
    // which leaves the settings unchanged.
    virtual bool Settings(const std::string& settings) = 0;
    virtual std::string Settings() const = 0;

    virtual void DTREnable(bool on) = 0;
    virtual bool DTREnable() const = 0;
    virtual void RTSEnable(bool on) = 0;
    virtual bool RTSEnable() const = 0;
    virtual void Handshaking(int mode) = 0;
    virtual int Handshaking() const = 0;

    // Opens with the present settings; false (with LastError) when the port cannot be opened.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual std::string LastError() const = 0;

    // Sends the characters of the text as bytes.
    virtual void Output(const std::string& bytes) = 0;
    // Takes every byte received so far.
    virtual std::string Input() = 0;
    // CTS and DSR bits (ModemCts, ModemDsr).
    virtual long ModemStatus() const = 0;
};

}  // namespace tz
