// Maintenance operations: clearing the logged data, resetting to defaults, the sample heater,
// powering off, restoring the factory settings, the clock, the check and the pump. Each sends one
// action command and waits for its exchange through the event loop; some then poll a confirmation
// command until the instrument reports the action done.
#include <cstdio>

#include "link/LinkMessages.h"
#include "link/uclTzif.h"
#include "text/DateTime.h"

namespace tz {

namespace {

constexpr int kNoMessage = 0;
constexpr int msgDataRemoveStart = 5556;
constexpr int msgDataRemoveFinished = 5557;
constexpr int msgDataRemoveFailed = 5558;
constexpr int msgDefaultFinished = 5375;
constexpr int msgDefaultFailed = 5376;
constexpr int msgPowerOffStart = 5506;
constexpr int msgPowerOffFinished = 5507;
constexpr int msgRestoreFinished = 5259;
constexpr int msgRestoreFailed = 5260;

constexpr int kActionPollMs = 5000;
constexpr int kPowerOffWaitMs = 5000;  // the instrument needs this long to switch off

// "YYMMDDhhnnss".
std::string TwelveDigits(Date value) {
    const DateParts p = SplitDate(value);
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", p.year % 100, p.month, p.day, p.hour,
                  p.minute, p.second);
    return text;
}

}  // namespace

// An action started with W and confirmed by polling C until the instrument acknowledges.
struct uclTzif::PolledAction {
    const char* start;    // "XC,W,"
    const char* confirm;  // "XC,C,"
    Long confirmStatus;   // exchange state of the confirmation poll
    int startMessage;     // logged first (kNoMessage: none)
    int finishedMessage;
    int failedMessage;
};

// Common start of every operation: the reply-valid flag set, and a Cancel left over from an
// earlier operation (a dump timeout sets it) cleared so that it cannot fail this one.
void uclTzif::BeginOperation() {
    replyValid_ = true;
    cancel_ = false;
}

// Without a connection the link timer runs no reply timeout, so an unanswered command would wait
// for ever: the exchange fails at once instead.
bool uclTzif::SendAction(const std::string& body, bool initFlag, Long waitStatus) {
    if (connection_ != connConnected) {
        status_ = stsFailed;
        return false;
    }
    status_ = waitStatus;
    SendCommand(body, initFlag);
    while (status_ == waitStatus) loop_.Yield();
    return status_ == stsCompleted;
}

// Waits through the event loop; the thread never sleeps.
void uclTzif::Pause(int ms) {
    bool due = false;
    loop_.Post(ms, [&due] { due = true; });
    while (!due) loop_.Yield();
}

// Sends the confirmation command every pauseMs until done() holds after an exchange; false when
// an exchange fails or PollLimit polls were not enough.
bool uclTzif::PollUntil(const std::string& body, Long waitStatus, int pauseMs, const std::function<bool()>& done,
                        const std::function<void()>& beforePoll) {
    for (Integer polls = 0; pollLimit_ == 0 || polls < pollLimit_; ++polls) {
        Pause(pauseMs);
        if (beforePoll) beforePoll();
        if (!SendAction(body, true, waitStatus)) return false;
        if (done()) return true;
    }
    log_.LogWrite("--- " + body.substr(0, 4) + " not finished after " + std::to_string(pollLimit_) + " polls ---");
    return false;
}

// Polls until a confirmation reply carries ACK (the decoder sets the acknowledged flag).
bool uclTzif::PollUntilAcknowledged(const std::string& body, Long waitStatus, int pauseMs,
                                    const std::function<void()>& beforePoll) {
    acknowledged_ = false;
    return PollUntil(body, waitStatus, pauseMs, [this] { return acknowledged_; }, beforePoll);
}

bool uclTzif::RunPolledAction(const PolledAction& action) {
    BeginOperation();
    if (action.startMessage != kNoMessage) LogMessage(action.startMessage);
    const bool ok = SendAction(action.start) &&
                    PollUntilAcknowledged(action.confirm, action.confirmStatus, kActionPollMs);
    LogMessage(ok ? action.finishedMessage : action.failedMessage);
    return ok;
}

bool uclTzif::BodyDataClear() {
    static const PolledAction action{"XC,W,", "XC,C,", stsWaitWrite, msgDataRemoveStart, msgDataRemoveFinished,
                                     msgDataRemoveFailed};
    return RunPolledAction(action);
}

bool uclTzif::PowerDataClear() {
    static const PolledAction action{"XY,W,", "XY,C,", stsWaitWrite, msgDataRemoveStart, msgDataRemoveFinished,
                                     msgDataRemoveFailed};
    return RunPolledAction(action);
}

bool uclTzif::DefaultInstrument() {
    static const PolledAction action{"UX,W,", "UX,C,", stsWaitRead, kNoMessage, msgDefaultFinished,
                                     msgDefaultFailed};
    return RunPolledAction(action);
}

// The sample heater: switched on (1), the instrument is polled once a second until it is warm.
bool uclTzif::SHOnOff(Integer value) {
    BeginOperation();
    log_.LogWrite("HC Select");
    if (!SendAction("LR,W," + std::to_string(value))) return false;
    if (value != 1) return true;
    return PollUntilAcknowledged("LR,C,", stsWaitWrite, 1000, heaterPollHook_);
}

bool uclTzif::SHWetDry(Integer isDry) {
    BeginOperation();
    return SendAction("SQ,W," + std::to_string(isDry), false);
}

// The instrument switches off and stops answering; the port is closed and, after the instrument
// has had time to go off, the link waits for a new connection. Succeeds whether or not the
// instrument answered.
bool uclTzif::BodyPowerOff() {
    BeginOperation();
    LogMessage(msgPowerOffStart);
    SendAction("RO,W,");
    if (serial_.IsOpen()) serial_.Close();
    irda_.Close();
    tickCount_ = 0;
    Pause(kPowerOffWaitMs);
    connection_ = connNone;
    status_ = stsReset;
    if (!serialComm_) irda_.Open();
    LogMessage(msgPowerOffFinished);
    return true;
}

bool uclTzif::RestoreFactorySet() {
    BeginOperation();
    const bool ok = SendAction("FB,R,");
    LogMessage(ok ? msgRestoreFinished : msgRestoreFailed);
    return ok;
}

bool uclTzif::SetDateTime(Date vData) {
    BeginOperation();
    tickCount_ = 0;
    return SendAction("HC,W," + TwelveDigits(vData));
}

bool uclTzif::SetCheckData() {
    BeginOperation();
    tickCount_ = 0;
    return SendAction("XH,E,");
}

bool uclTzif::SetPump(bool Values) {
    BeginOperation();
    return SendAction(Values ? "BP,W,1" : "BP,W,0");
}

}  // namespace tz
