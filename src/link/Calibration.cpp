// Calibration operations: zero calibration with its result poll, span calibration, the oxygen
// concentration, and the upload of calibration factors.
#include <cctype>
#include <vector>

#include "instrument/clsInstrument.h"
#include "link/LinkMessages.h"
#include "link/ReplyFields.h"
#include "link/uclTzif.h"
#include "text/Errors.h"
#include "text/SharedHelpers.h"

namespace tz {

namespace {

constexpr int msgCalibrationFailed = 5516;  // "---Calibration Upload Failed---. Date = ~1~c"
constexpr int msgUpdateFailed = 5679;       // "Update Failed "
constexpr int msgUpdateFinished = 5680;
constexpr int kZeroPollMs = 1000;
constexpr Integer kChannels = 6;
constexpr std::size_t kResultLength = 6;

// The fields of a calibration payload or reply, split at "," and CR and trimmed.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == ',' || c == '\r')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (std::string& field : fields) field = TrimSpaces(field);
    return fields;
}

std::string FieldAt(const std::vector<std::string>& fields, Integer i) {
    return static_cast<std::size_t>(i) < fields.size() ? fields[static_cast<std::size_t>(i)] : std::string();
}

bool SameHexText(const std::string& a, const std::string& b) {
    if (a.size() != b.size() || a.empty()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace

void uclTzif::LogCalibrationFailure() { LogMessage(msgCalibrationFailed, NowText()); }

bool uclTzif::CalibrationStep(const std::string& body) {
    const bool ok = SendAction(body);
    if (!ok) LogCalibrationFailure();
    return ok;
}

// The instrument answers the result poll with SUB while the calibration runs and with one result
// character per channel when it is over. A result from an earlier run is forgotten first, so that
// ZeroStatus never reports a calibration that did not happen.
bool uclTzif::ZeroCal(const std::string& GasFlag) {
    BeginOperation();
    zeroResult_.clear();
    const bool ok = SendAction("SZ,W," + GasFlag) &&
                    PollUntil("SZ,C,", stsWaitWrite, kZeroPollMs, [this] { return zeroResult_.size() == kResultLength; });
    if (!ok) LogCalibrationFailure();
    return ok;
}

bool uclTzif::SpanCal(const std::string& GasFlag) {
    BeginOperation();
    spanResult_.clear();
    return CalibrationStep("S2,W," + GasFlag);
}

bool uclTzif::zCal(const std::string& O2denst) {
    BeginOperation();
    return CalibrationStep("SN,W," + O2denst);
}

// The instrument repeats the six factors as it now holds them; a channel whose factor came back
// as sent is stored in the record, any other counts as not taken.
bool uclTzif::UpdateCalibrationFactor(const std::string& Datas, std::string& failes) {
    BeginOperation();
    if (!SendAction("S1,D," + Datas)) {
        log_.LogWrite(LinkText(msgUpdateFailed) + " ( no answer to S1,D )");
        return false;
    }
    const std::vector<std::string> sent = Fields(Datas);
    const std::vector<std::string> repeated = Fields(lastReplyData_);
    std::string outcome;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = FieldAt(repeated, gas);
        bool taken = SameHexText(FieldAt(sent, gas), field);
        if (taken) {
            try {
                const Single factor = HexToSingle(field);
                if (instrument_) {
                    instrument_->SpanData(gas, factor);
                    instrument_->Change_SpanData(gas, false);
                }
            } catch (const ConversionError&) {
                taken = false;
            }
        }
        outcome += taken ? '0' : '1';
    }
    failes += outcome;
    const bool ok = outcome.find('1') == std::string::npos;
    if (ok)
        LogMessage(msgUpdateFinished);
    else
        log_.LogWrite(LinkText(msgUpdateFailed) + " ( factors not taken: " + outcome + " )");
    return ok;
}

}  // namespace tz
