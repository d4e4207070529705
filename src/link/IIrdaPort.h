#pragma once
// The infrared port as the link sees it. The platforms the program is built for have no IrDA
// stack; the shipped implementation reports itself inactive, so all traffic goes to the serial port.
#include <string>

namespace tz {

// Event codes of the infrared port's communication event.
enum IrdaEvent : int { irEvReceive = 2, irEvConnected = 1020, irEvSocketError = 1021 };

class IIrdaListener {
public:
    virtual ~IIrdaListener() = default;
    virtual void OnIrdaComm(int eventCode) = 0;
};

class IIrdaPort {
public:
    virtual ~IIrdaPort() = default;

    virtual void SetListener(IIrdaListener* listener) = 0;

    virtual bool Active() const = 0;
    // The start-up flag the link sets to the inverse of Active().
    virtual void Passive(bool on) = 0;

    virtual void CommPort(int number) = 0;
    virtual int CommPort() const = 0;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void Settings(const std::string& settings) = 0;
    virtual std::string Settings() const = 0;
    virtual void DTREnable(bool on) = 0;
    virtual bool DTREnable() const = 0;
    virtual void RTSEnable(bool on) = 0;
    virtual bool RTSEnable() const = 0;
    virtual void Handshaking(int mode) = 0;
    virtual int Handshaking() const = 0;

    virtual void Output(const std::string& text) = 0;
    virtual std::string InputText() = 0;
    virtual int InputCount() const = 0;
    virtual int ErrorNumber() const = 0;

    // Binary block length used by the binary memory dump (512 while dumping, else 0).
    virtual void BinaryReceiveLength(int length) = 0;
    virtual int BinaryReceiveLength() const = 0;
    // Stores the last received binary block in the dump file at the given position.
    virtual bool StoreBlock(const std::string& path, long position) = 0;

    // Called by the link every 600 ms.
    virtual void Service() = 0;
};

}  // namespace tz
