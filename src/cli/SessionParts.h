#pragma once
// The two helpers a session puts between the link and the platform: a port that notes the
// command frames the link sends (so a write can be checked against what was really sent), and
// the listener of the link's events.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "link/ILinkListener.h"
#include "link/IPort.h"

namespace tz::cli {

// Passes everything to the platform's port and keeps the body of every command frame written.
class SentFramesPort : public IPort {
public:
    explicit SentFramesPort(IPort& inner) : inner_(inner) {}

    void SetListener(IPortListener* listener) override { inner_.SetListener(listener); }
    void CommPort(int number) override { inner_.CommPort(number); }
    int CommPort() const override { return inner_.CommPort(); }
    void DeviceName(const std::string& device) override { inner_.DeviceName(device); }
    std::string DeviceName() const override { return inner_.DeviceName(); }
    bool Settings(const std::string& settings) override { return inner_.Settings(settings); }
    std::string Settings() const override { return inner_.Settings(); }
    void DTREnable(bool on) override { inner_.DTREnable(on); }
    bool DTREnable() const override { return inner_.DTREnable(); }
    void RTSEnable(bool on) override { inner_.RTSEnable(on); }
    bool RTSEnable() const override { return inner_.RTSEnable(); }
    void Handshaking(int mode) override { inner_.Handshaking(mode); }
    int Handshaking() const override { return inner_.Handshaking(); }
    bool Open() override { return inner_.Open(); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    std::string LastError() const override { return inner_.LastError(); }
    void Output(const std::string& bytes) override;
    std::string Input() override { return inner_.Input(); }
    long ModemStatus() const override { return inner_.ModemStatus(); }

    std::vector<std::string> TakeBodies();
    // Command frames written since the last TakeBodies.
    std::size_t PendingCount() const { return bodies_.size(); }
    // The body of the last command frame written.
    const std::string& LastBody() const { return lastBody_; }

private:
    IPort& inner_;
    std::vector<std::string> bodies_;
    std::string lastBody_;
};

// The body of a frame ("XS,R,0001"), or empty for an acknowledgement or a malformed frame.
std::string FrameBody(const std::string& frame);

class SessionListener : public ILinkListener {
public:
    void AlarmMessage(const std::string&) override { alarmed = true; }
    void Densty(const std::array<Single, 6>& readings, bool lo5, bool lo6) override {
        if (onReadings) onReadings(readings, lo5, lo6);
    }
    void DumpMessage(const std::string& message) override { lastDumpMessage = message; }
    void StsTransmit() override {
        if (onTransmit) onTransmit();
    }

    bool alarmed = false;
    std::string lastDumpMessage;
    std::function<void(const std::array<Single, 6>&, bool, bool)> onReadings;
    std::function<void()> onTransmit;
};

}  // namespace tz::cli
