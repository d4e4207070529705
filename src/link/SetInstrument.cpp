// Writing settings: SetInstrument walks the write commands in a fixed order. Each step is sent only
// when its change flags say the setting was edited; on success the flags it names are cleared.
// The first failed exchange stops all sending, so every flag from the failed step on stays set
// and a later call writes exactly what is still missing.
//
// Payloads come from the write-command builders (instrument/WritePayloads.h), the same ones the
// settings file uses, so both always carry the same text.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <string_view>

#include "instrument/WritePayloads.h"
#include "instrument/clsInstrument.h"
#include "link/Frame.h"
#include "link/WritePlan.h"
#include "link/uclTzif.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"

namespace tz {
namespace {

constexpr int msgUploadStarted = 5536;   // "---Instrument Upload Started---. Date = ~1"
constexpr int msgUploadFinished = 5537;  // "... Date = ~1[Time = ~2]~c"
constexpr int msgUploadFailed = 5538;    // "---Instrument Upload Failed---. Date = ~1~c"

// How often the alarm-point commands are tried while the instrument does not repeat them.
constexpr int kAlarmPointRounds = 3;

using Record = clsInstrument;
using Gate = bool (*)(const Record&);
using Clear = void (*)(Record&);

// One write step: the command, the flags that make it go out, and the flags cleared once it was
// acknowledged (nullptr: the flags stay set, so the next call writes the group again).
struct WriteStep {
    std::string_view code;
    Gate gate;
    Clear clear;
};

bool AnyGas(const Record& r, bool (Record::*flag)(Integer) const) {
    for (Integer gas = 0; gas < Record::GasChannels; ++gas)
        if ((r.*flag)(gas)) return true;
    return false;
}

void ClearGas(Record& r, void (Record::*flag)(Integer, bool)) {
    for (Integer gas = 0; gas < Record::GasChannels; ++gas) (r.*flag)(gas, false);
}

// The flag of one setting guards its command and is cleared by it.
#define TZ_ONE(flag) [](const Record& r) { return r.Change_##flag(); }, [](Record& r) { r.Change_##flag(false); }
// Any of the six per-gas flags guards the command; all six are cleared.
#define TZ_GAS(flag)                                                   \
    [](const Record& r) { return AnyGas(r, &Record::Change_##flag); }, \
        [](Record& r) { ClearGas(r, &Record::Change_##flag); }

// Steps before the alarm points: identity, ports, gases, oxygen alarm type.
constexpr WriteStep kLeadingSteps[] = {
    {"IN", TZ_ONE(SerialNo)},
    {"HN", TZ_ONE(DummySerial)},
    {"XS", TZ_ONE(StationID)},  // "****," addresses the current station ID
    {"XZ", TZ_ONE(UserID)},
    {"UG", TZ_ONE(PortCh)},
    {"GJ", TZ_GAS(GasEnable)},
    {"AT", TZ_ONE(AlarmO2)},
};

// Steps after the alarm points, up to the list entries.
constexpr WriteStep kTrailingSteps[] = {
    {"AP", TZ_ONE(AlarmMode)},
    {"SC", TZ_ONE(CalLimit)},
    {"XP", TZ_ONE(Interval)},
    {"SD", TZ_ONE(DispCalLimit)},
    {"SM", TZ_ONE(CalCheck)},
    {"XW", TZ_ONE(LogOverWrite)},
    {"XT", TZ_ONE(LcdBackLight)},
    {"SJ", TZ_ONE(AutoZero)},
    {"SG", TZ_ONE(DemandZero)},
    {"MP", [](const Record& r) { return r.Change_UseMaintePassword() || r.Change_MaintePassword(); },
     [](Record& r) {
         r.Change_UseMaintePassword(false);
         r.Change_MaintePassword(false);
     }},
    // The password text travels elsewhere; its flag only makes the protection switch go out.
    {"PG", [](const Record& r) { return r.Change_PasswordProtect() || r.Change_PasswordStr(); },
     [](Record& r) { r.Change_PasswordProtect(false); }},
    {"UJ", TZ_ONE(SpecType)},
    {"BJ", TZ_ONE(DispBumpLimit)},
    {"BK", TZ_ONE(BumpLimit)},
    {"BL", TZ_ONE(BumpCheck)},
    {"BU",
     [](const Record& r) {
         return r.Change_BumpTime() || r.Change_BumpThreshold() || r.Change_BumpFailAfter() ||
                r.Change_BumpFailCalTime();
     },
     nullptr},
    {"BV", TZ_ONE(BumpFunction)},
    {"XB", TZ_ONE(Confirmation)},
    {"PS", TZ_GAS(SensorDate)},
    {"BS", TZ_ONE(SpecNo)},
    {"AF", [](const Record& r) { return r.Change_AlarmOnOff(); }, nullptr},
    {"XL", TZ_ONE(LunchBreak)},
    {"PO", TZ_ONE(PumpOnOffDisp)},
    {"XI", TZ_ONE(DispID)},
    {"XA", TZ_ONE(AlarmSilence)},
    {"EB", TZ_ONE(PeakBar)},
    // -1 means the instrument has no such setting: never written.
    {"BW", [](const Record& r) { return r.Change_BumpCheckALL() && r.BumpCheckALL() != -1; },
     [](Record& r) { r.Change_BumpCheckALL(false); }},
    {"SW", [](const Record& r) { return r.Change_CalCheckALL() && r.CalCheckALL() != -1; },
     [](Record& r) { r.Change_CalCheckALL(false); }},
    {"WB",
     [](const Record& r) {
         return r.Change_InertMode() || r.Change_LcBhMode() || r.Change_BhTime() || r.Change_LcBuzzer();
     },
     nullptr},
    {"UL", TZ_ONE(LcdContrast)},
    {"UZ", TZ_GAS(Zero)},
    {"US", TZ_GAS(ZeroForce)},
    {"FF", TZ_ONE(IRRange)},
    {"A3", TZ_ONE(Inert1st)},
    {"A4", TZ_ONE(Inert2nd)},
    {"MO", [](const Record& r) { return r.Change_UseUserPassword() || r.Change_UserPassword2(); },
     [](Record& r) {
         r.Change_UseUserPassword(false);
         r.Change_UserPassword2(false);
     }},
    {"KL", TZ_ONE(Inverse)},
    {"XD", TZ_ONE(RemainTimeDisp)},
    {"JZ", TZ_ONE(KeySound)},
    {"AN",
     [](const Record& r) {
         return r.Change_ManDown() || r.Change_Panic() || r.Change_ManDown1() || r.Change_ManDown2() ||
                r.Change_ManDown3();
     },
     [](Record& r) {
         r.Change_ManDown(false);
         r.Change_Panic(false);
         r.Change_ManDown1(false);
         r.Change_ManDown2(false);
         r.Change_ManDown3(false);
     }},
    {"X7", TZ_ONE(dlogOnOff)},
    {"UW", TZ_ONE(DateDispType)},
    {"U9", TZ_ONE(CSAdata)},
    {"EJ", TZ_ONE(LangType)},
    {"UO", TZ_ONE(LeakCOdisp)},
};

#undef TZ_GAS
#undef TZ_ONE

// An indexed change flag: read and assign.
struct IndexedFlag {
    bool (Record::*get)(Integer) const;
    void (Record::*set)(Integer, bool);
};

#define TZ_FLAG(flag) IndexedFlag{&Record::Change_##flag, &Record::Change_##flag}
// The six flags of each alarm-point command, in the order of AlarmPoints.
const IndexedFlag kAlarmPointFlags[] = {TZ_FLAG(Warn), TZ_FLAG(Alarm), TZ_FLAG(Stel), TZ_FLAG(Twa),
                                        TZ_FLAG(AutoCal)};
const IndexedFlag kStationListFlag = TZ_FLAG(StationList);
const IndexedFlag kUserListFlag = TZ_FLAG(UserList);
#undef TZ_FLAG

// Elapsed time as "hh:nn:ss".
std::string ElapsedText(Date start, Date end) {
    const long long seconds = std::max(0LL, std::llround((end - start) * 86400.0));
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// One run of the write sequence: the ok flag (cleared by the first failed exchange) and whether
// the instrument acknowledged anything.
class SettingsWriter {
public:
    SettingsWriter(uclTzif& link, Record& record) : link_(link), record_(record) {}

    void Run() {
        RunSteps(kLeadingSteps);
        AlarmPointRounds();
        RunSteps(kTrailingSteps);
        ListEntries("XS", kStationListFlag, StationListPayload);
        ListEntries("XZ", kUserListFlag, UserListPayload);
    }

    // The closing commands: "DW,W," after any acknowledged write, "FB,W," for a factory save.
    void Close(bool factorySave) {
        if (acknowledged_) Send(WriteBody("DW", ""));
        if (factorySave) Send(WriteBody("FB", ""));
    }

    bool Ok() const { return ok_; }
    bool Acknowledged() const { return acknowledged_; }

private:
    // Sends one body (while the ok flag holds); true when it was acknowledged.
    bool Send(const std::string& body) {
        link_.SendAndWait(ok_, BuildFrame(body, EOT), acknowledged_);
        return ok_;
    }

    void RunSteps(std::span<const WriteStep> steps) {
        for (const WriteStep& step : steps) {
            if (!step.gate(record_)) continue;
            const std::string body = WriteBody(step.code, FindWriteCommand(step.code)->payload(record_));
            if (Send(body) && step.clear) step.clear(record_);
        }
    }

    // The alarm-point commands go out in up to three rounds. A command's flags are cleared only
    // when the instrument's reply repeats the sent frame exactly; otherwise it is sent again in
    // the next round. After the last round the sequence moves on whatever the flags say.
    void AlarmPointRounds() {
        for (int round = 0; round < kAlarmPointRounds; ++round) {
            for (std::size_t i = 0; i < std::size(AlarmPoints); ++i) {
                const IndexedFlag& flags = kAlarmPointFlags[i];
                if (!AnyGas(record_, flags.get)) continue;
                const AlarmPoint point = AlarmPoints[i];
                const std::string frame =
                    BuildFrame(WriteBody(AlarmPointCode(point), AlarmPointPayload(record_, point)), EOT);
                link_.SendAndWait(ok_, frame, acknowledged_);
                if (ok_ && link_.ReceivedFrame() == frame) ClearGas(record_, flags.set);
            }
        }
    }

    // One command per flagged list entry, in index order.
    void ListEntries(std::string_view code, const IndexedFlag& flag,
                     std::string (*payload)(const Record&, Integer)) {
        for (Integer index = 0; index < Record::ListEntries; ++index) {
            if (!(record_.*flag.get)(index)) continue;
            if (Send(WriteBody(code, payload(record_, index)))) (record_.*flag.set)(index, false);
        }
    }

    uclTzif& link_;
    Record& record_;
    bool ok_ = true;
    bool acknowledged_ = false;
};

}  // namespace

std::vector<std::string> PlannedWrites(const clsInstrument& record) {
    std::vector<std::string> planned;
    const auto steps = [&](std::span<const WriteStep> list) {
        for (const WriteStep& step : list)
            if (step.gate(record)) planned.emplace_back(step.code);
    };
    steps(kLeadingSteps);
    for (std::size_t i = 0; i < std::size(AlarmPoints); ++i)
        if (AnyGas(record, kAlarmPointFlags[i].get)) planned.emplace_back(AlarmPointCode(AlarmPoints[i]));
    steps(kTrailingSteps);
    const auto entries = [&](const char* code, const IndexedFlag& flag) {
        for (Integer index = 0; index < Record::ListEntries; ++index)
            if ((record.*flag.get)(index)) planned.push_back(std::string(code) + " " + EncodeHex(index, 4));
    };
    entries("XS", kStationListFlag);
    entries("XZ", kUserListFlag);
    return planned;
}

bool uclTzif::SetInstrument(clsInstrument* iObj, bool AsfactorySave) {
    if (iObj == nullptr) {
        log_.LogWrite(LoadMessage(msgUploadFailed, {FormatGeneralDate(Now())}));
        return false;
    }
    instrument_ = iObj;
    cancel_ = false;  // a cancel of an earlier operation must not end this one
    const Date start = Now();
    log_.LogWrite(LoadMessage(msgUploadStarted, {FormatGeneralDate(start)}));

    SettingsWriter writer(*this, *iObj);
    writer.Run();
    writer.Close(AsfactorySave);

    const Date end = Now();
    if (writer.Ok())
        log_.LogWrite(LoadMessage(msgUploadFinished, {FormatGeneralDate(end), ElapsedText(start, end)}));
    else
        log_.LogWrite(LoadMessage(msgUploadFailed, {FormatGeneralDate(end)}));
    return writer.Acknowledged() && writer.Ok();
}

}  // namespace tz
