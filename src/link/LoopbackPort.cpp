#include "link/LoopbackPort.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace tz {

bool IsValidLineSettings(const std::string& settings) {
    std::vector<std::string> parts;
    std::stringstream in(settings);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    if (parts.size() != 4) return false;
    auto digits = [](const std::string& s) {
        if (s.empty() || s.size() > 7) return false;
        for (unsigned char c : s)
            if (!std::isdigit(c)) return false;
        return true;
    };
    const std::string parity = parts[1];
    return digits(parts[0]) && std::stol(parts[0]) > 0 && parity.size() == 1 &&
           std::string("neoms").find(static_cast<char>(std::tolower(parity[0]))) != std::string::npos &&
           (parts[2] == "5" || parts[2] == "6" || parts[2] == "7" || parts[2] == "8") &&
           (parts[3] == "1" || parts[3] == "1.5" || parts[3] == "2");
}

LoopbackPort::LoopbackPort(IEventLoop& loop, ILoopbackDevice& device) : loop_(loop), device_(device) {}

LoopbackPort::~LoopbackPort() { *alive_ = false; }

bool LoopbackPort::Settings(const std::string& settings) {
    if (!IsValidLineSettings(settings)) return false;
    settings_ = settings;
    return true;
}

bool LoopbackPort::Open() {
    if (open_) return true;
    if (!failOpen_.empty()) {
        lastError_ = failOpen_;
        return false;
    }
    open_ = true;
    lastError_.clear();
    input_.clear();
    device_.OnPortOpened();
    SetModemLines(true, true);
    return true;
}

void LoopbackPort::Close() {
    if (!open_) return;
    open_ = false;
    ++session_;
    input_.clear();
    modemStatus_ = 0;
    device_.OnPortClosed();
}

void LoopbackPort::Output(const std::string& bytes) {
    if (!open_) return;
    written_ += bytes;
    std::weak_ptr<bool> alive = alive_;
    const unsigned session = session_;
    device_.OnBytesFromHost(bytes, [this, alive, session](const std::string& reply, int delayMs) {
        loop_.Post(delayMs, [this, alive, session, reply] {
            if (alive.expired() || session != session_ || !open_) return;
            input_ += reply;
            if (listener_) listener_->OnComm(comEvReceive);
        });
    });
}

std::string LoopbackPort::Input() {
    std::string taken;
    taken.swap(input_);
    return taken;
}

void LoopbackPort::Deliver(int eventCode) {
    std::weak_ptr<bool> alive = alive_;
    loop_.Post(0, [this, alive, eventCode] {
        if (!alive.expired() && listener_) listener_->OnComm(eventCode);
    });
}

void LoopbackPort::RaiseLineEvent(int eventCode) { Deliver(eventCode); }

void LoopbackPort::SetModemLines(bool cts, bool dsr) {
    modemStatus_ = (cts ? ModemCts : 0) | (dsr ? ModemDsr : 0);
    Deliver(comEvCTS);
}

}  // namespace tz
