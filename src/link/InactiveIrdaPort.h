#pragma once
// The infrared port on platforms without an IrDA stack: it reports itself inactive, so the link
// sends everything through the serial port. It still counts the link's service calls and keeps
// what it is given, so that a test can see that it was never written to.
#include <string>

#include "link/IIrdaPort.h"

namespace tz {

class InactiveIrdaPort : public IIrdaPort {
public:
    void SetListener(IIrdaListener* listener) override { listener_ = listener; }

    bool Active() const override { return false; }
    void Passive(bool on) override { passive_ = on; }
    bool Passive() const { return passive_; }

    void CommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool Open() override { return false; }
    void Close() override {}
    bool IsOpen() const override { return false; }
    void Settings(const std::string& settings) override { settings_ = settings; }
    std::string Settings() const override { return settings_; }
    void DTREnable(bool on) override { dtr_ = on; }
    bool DTREnable() const override { return dtr_; }
    void RTSEnable(bool on) override { rts_ = on; }
    bool RTSEnable() const override { return rts_; }
    void Handshaking(int mode) override { handshaking_ = mode; }
    int Handshaking() const override { return handshaking_; }

    void Output(const std::string& text) override { written_ += text; }
    std::string InputText() override { return {}; }
    int InputCount() const override { return 0; }
    int ErrorNumber() const override { return 0; }

    void BinaryReceiveLength(int length) override { binaryLength_ = length; }
    int BinaryReceiveLength() const override { return binaryLength_; }
    bool StoreBlock(const std::string&, long) override { return false; }

    void Service() override { ++serviceCalls_; }

    long ServiceCalls() const { return serviceCalls_; }
    const std::string& Written() const { return written_; }

private:
    IIrdaListener* listener_ = nullptr;
    bool passive_ = false;
    int commPort_ = 0;
    std::string settings_ = "9600,n,8,1";
    bool dtr_ = false, rts_ = false;
    int handshaking_ = 0;
    int binaryLength_ = 0;
    long serviceCalls_ = 0;
    std::string written_;
};

}  // namespace tz
