// The 100 ms link timer (handshake, reply timeout, retries, keep-alive) and the 1000 ms gas poll.
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "link/ResponseReceived.h"
#include "link/uclTzif.h"

namespace tz {

namespace {
constexpr Long kAttemptTicks = 10;   // a connection attempt is abandoned after one second
constexpr Integer kKeepAliveTicks = 5;
constexpr int kPollMs = 1000;
}  // namespace

void uclTzif::OnLinkTimer() {
    ++tickCount_;
    if (connection_ == connConnecting)
        ConnectTick();
    else if (connection_ == connConnected)
        TimeoutTick();
    // The infrared port's service call, every sixth tick, whichever port is in use.
    if (keepAlive_ < 1) {
        irda_.Service();
        keepAlive_ = kKeepAliveTicks;
    } else {
        --keepAlive_;
    }
}

// Handshake: "RC,R," until a reply names the model, at most Retry attempts.
void uclTzif::ConnectTick() {
    if (status_ == stsWaitRead) {
        if (tickCount_ > kAttemptTicks) {  // unanswered: the next tick makes a new attempt
            status_ = stsReset;
            errorCount_ = 0;
            tickCount_ = 0;
        }
        return;
    }
    LogMessage(msgConnectStarted);
    if (retryCount_ >= retry_) {
        status_ = stsReset;
        connection_ = connNone;
        errorCount_ = 0;
        listener_->AlarmMessage(LinkText(msgNoResponse));
    } else {
        ++retryCount_;
        if (retryCount_ > 1 && retryCount_ % 5 == 0) {
            Integer fifths = static_cast<Integer>(retryCount_ / 5);
            listener_->ConnectRetry(fifths);
        }
        status_ = stsWaitRead;
        SendCommand("RC,R,", false);  // InitFlag false: the counter keeps counting attempts
    }
    tickCount_ = 0;
}

// Connected: when the reply timeout runs out, repeat the exchange or give it up.
void uclTzif::TimeoutTick() {
    if (timeoutCountdown_ >= 1) {
        --timeoutCountdown_;
        return;
    }
    if (retryCount_ >= retry_) {
        if (status_ == stsCompleted || status_ == stsIdle) return;
        if (status_ == stsCancelled) {
            status_ = stsIdle;
        } else {
            status_ = stsFailed;
            ResponseReceived = false;
        }
        return;
    }
    ++retryCount_;
    switch (status_) {
    case stsBlockTransfer:
        if (!lastFrame_.empty() && lastFrame_.back() == EOT)
            Retransmit();
        else
            SendAcknowledge(NAK, false, true);
        break;
    case stsBinaryDump:
        log_.LogWrite("= timeout =");
        binaryRetry_ = true;
        cancel_ = true;
        break;
    case stsWaitRead:
    case stsWaitWrite:
        if (LastFrameNeverRepeated())
            timeoutCountdown_ = timeoutTicks_;  // not repeated, but still given a full timeout
        else
            Retransmit();
        break;
    default:
        break;
    }
}

void uclTzif::RunDensty(bool on) {
    if (on && !pollTimer_) {
        pollTimer_ = loop_.StartTimer(kPollMs, [this] { OnPollTimer(); });
        tickCount_ = 0;
    } else if (!on && pollTimer_) {
        while (status_ == stsWaitRead) loop_.Yield();  // let the reading in flight end
        loop_.StopTimer(pollTimer_);
        pollTimer_ = 0;
    }
}

void uclTzif::OnPollTimer() {
    if (status_ == stsIdle || status_ == stsCompleted) {
        status_ = stsWaitRead;
        retryCount_ = 0;
        SendCommand("DN,R,", true);
    } else if (status_ == stsWaitRead) {
        LogMessage(msgReadingTimeout, NowText());
        status_ = stsIdle;  // the next tick asks again
    }
}

}  // namespace tz
