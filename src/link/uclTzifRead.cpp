// Reading the instrument: the complete read, the identity read, the gas descriptions, the
// automatic-calibration values and the latest calibration and bump-test history.
#include "instrument/clsInstrument.h"
#include "instrument/modGasCommon.h"
#include "link/ReadTable.h"
#include "link/uclTzif.h"

namespace tz {

bool uclTzif::ReadRange(clsInstrument* record, int first, int last, bool clear) {
    if (!record) return false;
    cancel_ = false;
    replyValid_ = true;
    instrument_ = record;
    if (clear) record->ClearDatas();
    record->FailLine("");
    const auto& table = ReadTable();
    for (int index = first; index <= last; ++index) {
        const std::string& body = table[static_cast<std::size_t>(index)];
        if (body.empty()) continue;
        status_ = stsWaitRead;
        SendCommand(body, true);
        WaitWhileStatus(stsWaitRead, false);
        if (status_ != stsCompleted) return false;  // what was read so far stays in the record
    }
    return true;
}

bool uclTzif::GetInstrument(clsInstrument* record) { return ReadRange(record, 0, ReadTableLastSent, true); }

bool uclTzif::GetRomNo(clsInstrument* record) { return ReadRange(record, 0, 4, false); }

bool uclTzif::GetGasInfo(clsInstrument* record) {
    const bool ok = Transact("GJ,R,", record);
    if (!ok && record) {
        // Placeholders rather than stale gases: every channel shows as not fitted.
        status_ = stsIdle;
        for (Integer gas = 0; gas < clsInstrument::GasChannels; ++gas) ParseGasInfo(NotFittedGasInfo, *record, gas);
        ParseSecondRangeInfo(NotFittedGasInfo, *record, 4);
        ParseSecondRangeInfo(NotFittedGasInfo, *record, 5);
    }
    return ok;
}

bool uclTzif::GetAutoCalDensty(clsInstrument* record) {
    const bool ok = Transact("SA,R,", record);
    if (!ok && record) {
        status_ = stsIdle;
        for (Integer gas = 0; gas < clsInstrument::GasChannels; ++gas) record->AutoCalib(gas, NoValue);
        record->AutoCalIsLo(4, true);
        record->AutoCalIsLo(5, true);
    }
    return ok;
}

bool uclTzif::ReadHistory(clsInstrument* record, const std::string& body) {
    if (!record) return false;
    instrument_ = record;
    replyValid_ = true;
    status_ = stsWaitRead;
    SendCommand(body, true);
    WaitWhileStatus(stsWaitRead, true);
    if (status_ == stsCompleted && replyValid_) return true;
    status_ = stsIdle;
    return false;
}

bool uclTzif::GetLatestHistory(clsInstrument* record) { return ReadHistory(record, "SO,R,"); }

bool uclTzif::GetLatestBumpHistory(clsInstrument* record) { return ReadHistory(record, "BO,R,"); }

}  // namespace tz
