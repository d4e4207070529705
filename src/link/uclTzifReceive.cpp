// Receiving: the events of both ports and the cutting of reply frames out of the receive buffer.
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "link/ResponseReceived.h"
#include "link/uclTzif.h"
#include "text/DateTime.h"
#include "text/TextCompare.h"

namespace tz {

namespace {

// Serial line errors: the log message and the exchange state they leave.
struct LineError {
    int eventCode;
    int message;
    Long status;  // -1: the exchange state is left as it is
};

constexpr LineError kLineErrors[] = {
    {comEventBreak, msgBreak, -1},
    {comEventFrame, msgFrameError, stsFailed},
    {comEventOverrun, msgOverrun, stsFailed},
    {comEventRxOver, msgRxOverflow, stsFailed},
    {comEventRxParity, msgParity, stsFailed},
    {comEventTxFull, msgTxFull, stsCompleted},
    {comEventDCB, msgDcbError, stsCompleted},
};

// End of the first frame: the earlier of the first ETB and the first EOT; npos when neither.
std::size_t FirstTerminator(const std::string& buffer) {
    const std::size_t etb = buffer.find(ETB);
    const std::size_t eot = buffer.find(EOT);
    return etb < eot ? etb : eot;
}

bool HoldsFrameEnd(const std::string& buffer) {
    return buffer.find_first_of(std::string{CR, ETB, EOT}) != std::string::npos;
}

bool IsWaitingStatus(Long status) {
    return status == stsBlockTransfer || status == stsWaitRead || status == stsWaitWrite ||
           status == stsBinaryDump;
}

}  // namespace

std::string uclTzif::NowText() const { return FormatGeneralDate(loop_.Now()); }

void uclTzif::OnComm(int eventCode) {
    if (!serial_.IsOpen()) return;
    switch (eventCode) {
    case comEvReceive:
        ReceiveSerialData();
        break;
    case comEvCTS:
    case comEvDSR:
        SerialLineChanged();
        break;
    default:
        SerialLineError(eventCode);
        break;
    }
}

void uclTzif::ReceiveSerialData() {
    listener_->StsTransmit();
    ResponseReceived = true;
    errorCount_ = 0;
    receiveBytes_ = serial_.Input();
    if (status_ != stsBinaryDump) {
        receiveBuffer_ += receiveBytes_;
        receiveBytes_.clear();
    }
    if (cancel_) {
        status_ = stsCancelled;
        receiveBuffer_.clear();
        return;
    }
    if (status_ == stsBinaryDump) StoreBinaryChunk(receiveBytes_);
    ProcessReceiveBuffer();
}

void uclTzif::SerialLineChanged() {
    const long lines = serial_.ModemStatus();
    retryCount_ = 0;
    if ((lines & (ModemCts | ModemDsr)) == 0) {
        connection_ = connNone;
        // An exchange still waiting for its reply has lost its instrument: it fails. Reporting
        // it completed would let an operation go on to its next command, which nothing times
        // out while disconnected.
        status_ = IsWaitingStatus(status_) ? stsFailed : stsCompleted;
        listener_->OnDisconnect();
    } else {
        connection_ = connConnecting;  // a new handshake follows
    }
}

void uclTzif::SerialLineError(int eventCode) {
    for (const LineError& error : kLineErrors) {
        if (error.eventCode != eventCode) continue;
        if (eventCode == comEventTxFull && connection_ == connConnecting) return;
        ++errorCount_;
        LogMessage(error.message, NowText());
        if (error.status >= 0) status_ = error.status;
        return;
    }
}

void uclTzif::OnIrdaComm(int eventCode) {
    switch (eventCode) {
    case irEvReceive:
        ReceiveIrdaData();
        break;
    case irEvConnected:
        if (connection_ != connNone) return;
        LogMessage(msgIrdaConnected, NowText());
        retryCount_ = 0;
        receiveBuffer_.clear();
        tickCount_ = 0;
        connection_ = connConnecting;
        break;
    case irEvSocketError: {
        status_ = stsFailed;
        ++errorCount_;
        Integer error = static_cast<Integer>(irda_.ErrorNumber());
        log_.LogWrite("Soket Error[" + NowText() + "](" + std::to_string(error) + ")");
        listener_->IrDAError(error);
        break;
    }
    default:
        status_ = stsFailed;
        ++errorCount_;
        log_.LogWrite("IrDA Error[" + NowText() + "][" + std::to_string(eventCode) + "] (" +
                      std::to_string(irda_.ErrorNumber()) + ")");
        break;
    }
}

void uclTzif::ReceiveIrdaData() {
    listener_->StsTransmit();
    ResponseReceived = true;
    if (status_ != stsBinaryDump) {
        errorCount_ = 0;
        const int count = irda_.InputCount();
        const std::string text = irda_.InputText();
        receiveBuffer_ += count >= 0 && static_cast<std::size_t>(count) < text.size()
                              ? text.substr(0, static_cast<std::size_t>(count))
                              : text;
    } else {
        irda_.StoreBlock(dumpPath_, dumpPosition_ + dumpReceived_);
        dumpReceived_ += 512;
        if (dumpReceived_ == dumpExpected_) status_ = stsCompleted;
    }
    if (cancel_) {
        status_ = stsCancelled;
        receiveBuffer_.clear();
        listener_->StsIdle();
        return;
    }
    ProcessReceiveBuffer();
    listener_->StsIdle();
}

void uclTzif::ProcessReceiveBuffer() {
    // A line that delivers bytes without ever ending a frame must not fill the memory: beyond
    // many times the longest reply the instrument sends, what is held is noise and is dropped
    // (a waiting exchange then times out and is repeated).
    if (receiveBuffer_.size() > MaxReceiveBuffer) {
        receiveBuffer_.clear();
        LogMessage(msgRxOverflow, NowText());
        return;
    }
    while (HoldsFrameEnd(receiveBuffer_)) {
        const std::size_t end = FirstTerminator(receiveBuffer_);
        if (end == std::string::npos) {
            // A CR before any ETB or EOT: the reply is malformed.
            if (!RepeatAfterBadReply(true)) return;
            continue;
        }
        std::string frame = receiveBuffer_.substr(0, end + 1);
        receiveBuffer_.erase(0, end + 1);
        LogMessage(msgRead, ShowControlChars(frame));
        // Bytes before the frame's STX are line noise.
        if (const std::size_t start = frame.rfind(STX); start != std::string::npos && start > 0) frame.erase(0, start);
        if (IsStaleReply(frame)) {
            // Not the answer to the command waiting: dropped, and the wait goes on within the
            // timeout that is running, without a retry.
            log_.LogWrite(StaleReplyLine(SentCode(lastFrame_)));
            continue;
        }
        receivedFrame_ = frame;  // kept on both ports, for the writer's echo comparison
        if (!DecodeReply(frame)) {
            RepeatAfterBadReply(false);
            continue;
        }
        if (frame.back() == EOT)
            status_ = stsCompleted;
        else
            SendAcknowledge(ACK, true);  // the block was taken: ask for the next one
    }
}

// A reply to another command than the last one sent, a reply that comes after its exchange
// failed, the tail of a reply whose beginning was dropped, or a listing block that was already
// taken (the instrument repeats a block when a NAK crossed its first copy).
bool uclTzif::IsStaleReply(const std::string& frame) const {
    if (!AnswersCommand(frame, lastFrame_)) return true;
    // Once connected, a reply that comes after its exchange failed answers nothing. A late
    // answer to the last command is still taken after the exchange completed (two frames in one
    // piece) or was left idle (the gas poll's reading that came after its poll gave up waiting).
    if (connection_ == connConnected && status_ == stsFailed) return true;
    if (status_ != stsBlockTransfer) return false;
    const std::string code = ReplyCode(frame);
    if (code != "EF,R" && code != "ES,R") return false;
    const std::string line = TrimSpaces(ReplyDataField(frame, 1));
    if (line.empty() || line.size() > 6 || line.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        return false;  // the decoder refuses it
    return std::stol(line, nullptr, 16) <= listingLine_;
}

// A malformed reply is answered with the last frame again; a rejected one with the last frame
// (while a read or write waits, unless the command must not run twice) or with a NAK (block
// transfers). False, with the exchange failed, once the retries are used up.
bool uclTzif::RepeatAfterBadReply(bool malformed) {
    if (retryCount_ >= retry_) {
        status_ = stsFailed;
        return false;
    }
    ++retryCount_;
    if (malformed) {
        if (retryCount_ > 1) {
            Integer count = retryCount_;
            listener_->ConnectRetry(count);
        }
        Retransmit();
    } else if (status_ == stsWaitRead || status_ == stsWaitWrite) {
        if (!LastFrameNeverRepeated()) Retransmit();
    } else {
        SendAcknowledge(NAK, false);
    }
    return true;
}

}  // namespace tz
