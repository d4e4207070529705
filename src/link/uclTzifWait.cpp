// Waiting for exchanges: Transact, SendAndWait and DisConnect, and what the decoder reports back.
#include "instrument/clsInstrument.h"
#include "link/LinkMessages.h"
#include "link/uclTzif.h"

namespace tz {

void uclTzif::PassOnMessage(bool interProgress) {
    if (!instrument_) return;
    std::string message = instrument_->MessageString();
    if (message.empty()) return;
    if (interProgress)
        listener_->InterMessage(message);
    else
        listener_->InstMessage(message);
    instrument_->MessageString("");
}

void uclTzif::WaitWhileStatus(Long status, bool interProgress) {
    while (status_ == status) {
        PassOnMessage(interProgress);
        loop_.Yield();
    }
}

bool uclTzif::Transact(const std::string& command, clsInstrument* record) {
    if (!record) return false;
    cancel_ = false;
    replyValid_ = true;
    clsInstrument* const previous = instrument_;
    instrument_ = record;
    record->FailLine("");
    status_ = stsWaitRead;
    SendCommand(command, true);
    WaitWhileStatus(stsWaitRead, false);
    instrument_ = previous;
    return status_ == stsCompleted && replyValid_;
}

void uclTzif::SendAndWait(bool& ok, const std::string& frame, bool& result) {
    if (!ok) return;
    status_ = stsWaitWrite;
    DataSend(frame, true);
    while (status_ == stsWaitWrite) loop_.Yield();
    if (status_ != stsCompleted)
        ok = false;
    else
        result = true;
}

bool uclTzif::DisConnect() {
    tickCount_ = 0;
    status_ = stsIdle;
    return false;
}

bool uclTzif::DecodeReply(const std::string& frame) {
    return tz::DecodeReply(frame, instrument_, *this, lastReplyData_);
}

void uclTzif::ModelRecognised() {
    if (connection_ == connConnected) return;
    connection_ = connConnected;
    listener_->OnConnect();
    LogMessage(msgConnectFinished);
}

void uclTzif::GasReadings(const std::array<Single, 6>& readings, bool lowRange5, bool lowRange6) {
    listener_->Densty(readings, lowRange5, lowRange6);
}

void uclTzif::LogMessage(int number, const std::string& argument) {
    log_.LogWrite(LinkText(number, argument));
}

}  // namespace tz
