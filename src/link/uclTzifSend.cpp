// Sending: DataSend and the frames the link sends on its own (retransmissions, ACK and NAK).
#include <array>

#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "link/ResponseReceived.h"
#include "link/uclTzif.h"

namespace tz {

void uclTzif::DataSend(const std::string& frame, bool initFlag) {
    receiveBuffer_.clear();
    if (UseIrda()) {
        // The binary dump's block length must not apply to a text frame.
        const int binaryLength = irda_.BinaryReceiveLength();
        irda_.BinaryReceiveLength(0);
        irda_.Output(frame);
        irda_.BinaryReceiveLength(binaryLength);
    } else {
        serial_.Output(frame);
    }
    listener_->StsTransmit();
    ResponseReceived = false;
    lastFrame_ = frame;
    timeoutCountdown_ = timeoutTicks_;
    if (initFlag) retryCount_ = 0;
    LogMessage(msgWrite, ShowControlChars(frame));
}

void uclTzif::SendCommand(const std::string& body, bool initFlag) { DataSend(BuildFrame(body, EOT), initFlag); }

void uclTzif::Retransmit() { DataSend(lastFrame_, false); }

void uclTzif::SendAcknowledge(char code, bool initFlag, bool fiveCharacterEcho) {
    DataSend(BuildFrame(std::string(1, code) + Echo(fiveCharacterEcho), ETB), initFlag);
}

// The code, comma, access letter and comma of the last frame sent (seven characters for "IH").
// When the last frame was itself an acknowledgement, its echo is repeated: the ACK or NAK in
// front of it is not part of the command, and taking it in would shift the echo by one character
// with every block of a transfer.
std::string uclTzif::Echo(bool fiveCharacterEcho) const {
    const bool seven = !fiveCharacterEcho && lastFrame_.find("IH") != std::string::npos;
    const std::size_t length = seven ? 7 : 5;
    std::size_t start = 5;
    while (start < lastFrame_.size() && (lastFrame_[start] == ACK || lastFrame_[start] == NAK)) ++start;
    return start < lastFrame_.size() ? lastFrame_.substr(start, length) : std::string();
}

// Commands that start an action the instrument must not run twice (clearing, zero or span
// calibration): a lost reply fails the exchange rather than repeating the command.
bool uclTzif::LastFrameNeverRepeated() const {
    static const std::array<const char*, 5> kOnceOnly = {"UX,W", "XC,W", "SZ,W", "S1,W", "S2,W"};
    for (const char* body : kOnceOnly)
        if (lastFrame_.find(body) != std::string::npos) return true;
    return false;
}

}  // namespace tz
