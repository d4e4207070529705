// Set-up, properties and the choice of port.
#include "link/uclTzif.h"

#include <stdexcept>

namespace tz {

namespace {
constexpr int kLinkTimerMs = 100;
constexpr Integer kMaxTimeoutSeconds = 3276;  // ten ticks a second must fit a 16-bit count
}  // namespace

uclTzif::uclTzif(IPort& serial, IIrdaPort& irda, IEventLoop& loop)
    : serial_(serial), irda_(irda), loop_(loop), log_(loop) {
    status_ = stsReset;
    serial_.SetListener(this);
    serial_.Handshaking(comNone);
    serial_.DTREnable(false);
    serial_.RTSEnable(false);
    serial_.Settings("115200,n,8,1");
    irda_.SetListener(this);
    irda_.Passive(!irda_.Active());
    irda_.Close();
    keepAlive_ = 5;
    lastFrame_.clear();
    TimerEnabled(true);
    connection_ = connNone;
    errorCount_ = 0;
}

uclTzif::~uclTzif() {
    TimerEnabled(false);
    if (pollTimer_) loop_.StopTimer(pollTimer_);
    serial_.SetListener(nullptr);
    irda_.SetListener(nullptr);
}

void uclTzif::ApplyDesign(const LinkDesign& design) {
    Enabled(design.Enabled);
    CommPort(design.CommPort);
    DTREnable(design.DTREnable);
    RTSEnable(design.RTSEnable);
    Settings(design.Settings);
}

LinkDesign uclTzif::StoredDesign() const {
    return LinkDesign{Enabled(), CommPort(), DTREnable(), RTSEnable(), Settings()};
}

void uclTzif::Timeout(Integer seconds) {
    if (seconds < 0 || seconds > kMaxTimeoutSeconds)
        throw std::out_of_range("Timeout must be 0 to 3276 seconds");
    timeoutTicks_ = static_cast<Integer>(seconds * 10);
}

bool uclTzif::UseIrda() const { return !serialComm_ && irda_.Active(); }

Integer uclTzif::CommPort() const {
    return static_cast<Integer>(UseIrda() ? irda_.CommPort() : serial_.CommPort());
}

void uclTzif::CommPort(Integer number) { serial_.CommPort(number); }

bool uclTzif::PortOpen() const { return UseIrda() ? irda_.IsOpen() : serial_.IsOpen(); }

void uclTzif::PortOpen(bool open) {
    if (UseIrda()) {
        if (open)
            irda_.Open();
        else
            irda_.Close();
        return;
    }
    // A port that cannot be opened is not an error here: the caller reads PortOpen afterwards.
    if (open) {
        serial_.Open();
    } else {
        serial_.Close();
        // Closing the port ends the connection, as losing the modem lines does.
        if (connection_ != connNone) SerialLineChanged();
    }
}

bool uclTzif::DTREnable() const { return UseIrda() ? irda_.DTREnable() : serial_.DTREnable(); }

void uclTzif::DTREnable(bool on) {
    if (UseIrda())
        irda_.DTREnable(on);
    else
        serial_.DTREnable(on);
}

bool uclTzif::RTSEnable() const { return UseIrda() ? irda_.RTSEnable() : serial_.RTSEnable(); }

void uclTzif::RTSEnable(bool on) {
    if (UseIrda())
        irda_.RTSEnable(on);
    else
        serial_.RTSEnable(on);
}

Integer uclTzif::Handshaking() const {
    return static_cast<Integer>(UseIrda() ? irda_.Handshaking() : serial_.Handshaking());
}

void uclTzif::Handshaking(Integer mode) {
    if (UseIrda())
        irda_.Handshaking(mode);
    else
        serial_.Handshaking(mode);
}

std::string uclTzif::Settings() const { return UseIrda() ? irda_.Settings() : serial_.Settings(); }

void uclTzif::Settings(const std::string& settings) {
    if (UseIrda())
        irda_.Settings(settings);
    else
        serial_.Settings(settings);  // a malformed text leaves the port's settings as they were
}

void uclTzif::TimerEnabled(bool on) {
    if (on && !linkTimer_) {
        linkTimer_ = loop_.StartTimer(kLinkTimerMs, [this] { OnLinkTimer(); });
    } else if (!on && linkTimer_) {
        loop_.StopTimer(linkTimer_);
        linkTimer_ = 0;
    }
}

Single uclTzif::FactCal(Integer index) const {
    if (index < 0 || index >= static_cast<Integer>(factCal_.size()))
        throw std::out_of_range("FactCal index must be 0 to 4");
    return factCal_[static_cast<std::size_t>(index)];
}

void uclTzif::FactCal(Integer index, Single value) {
    if (index < 0 || index >= static_cast<Integer>(factCal_.size()))
        throw std::out_of_range("FactCal index must be 0 to 4");
    factCal_[static_cast<std::size_t>(index)] = value;
}

bool uclTzif::ChannelPassed(const std::string& result, Integer gas) {
    return result.size() == 6 && gas >= 0 && gas <= 5 && result[static_cast<std::size_t>(gas)] == '0';
}

}  // namespace tz
