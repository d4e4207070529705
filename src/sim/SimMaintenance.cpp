// Maintenance and calibration actions: the commands that start an action answer ACK, the polls
// answer "not yet" (SUB) as often as the test chose and then report done; zero calibration ends
// with a six-character result, span calibration answers its result at once, calibration factors
// are repeated as the instrument took them.
#include "sim/SimCommands.h"
#include "sim/SimField.h"
#include "sim/SimParse.h"

namespace tz {
namespace {

using Record = clsInstrument;
constexpr Integer Channels = 6;

SimReply Start(SimPoll& poll) {
    poll.running = true;
    poll.remaining = poll.notYet;
    return SimReply::Ack();
}

// Not yet while the action runs; done (ACK) when it ends, and again for every later poll, so a
// poll repeated after a lost reply still learns that the action is over.
template <class Finish>
SimReply Poll(SimPoll& poll, Finish finish) {
    if (!poll.running) return SimReply::Ack();
    if (poll.remaining > 0) {
        --poll.remaining;
        return SimReply::NotYet();
    }
    poll.running = false;
    finish();
    return SimReply::Ack();
}

// ---- Calibration ----

// "111111": one character per channel, "1" to calibrate it.
bool IsSelection(const std::string& text) {
    if (text.size() != Channels) return false;
    for (char c : text)
        if (c != '0' && c != '1') return false;
    return true;
}

// "0" passed, "1" failed, "-" not calibrated (not selected or not fitted).
std::string Result(const Record& r, const std::string& selection, const std::array<bool, 6>& passes) {
    std::string result;
    for (Integer g = 0; g < Channels; ++g) {
        if (selection[g] != '1' || !r.GasEnabled(g)) result += '-';
        else result += passes[g] ? '0' : '1';
    }
    return result;
}

SimReply ZeroStart(SimState& s, const std::string& payload) {
    if (!IsSelection(payload)) return SimReply::Refused();
    s.maintenance.zeroRequest = payload;
    s.maintenance.zeroResult.clear();
    return Start(s.maintenance.zero);
}

// SUB while the zero calibration runs, then its result; the result again for a repeated poll;
// refused when no zero calibration was ever started.
SimReply ZeroPoll(SimState& s, const std::string&) {
    SimMaintenance& m = s.maintenance;
    if (!m.zero.running) return m.zeroResult.empty() ? SimReply::Refused() : SimReply{m.zeroResult};
    if (m.zero.remaining > 0) {
        --m.zero.remaining;
        return SimReply::NotYet();
    }
    m.zero.running = false;
    m.zeroResult = Result(s.record, m.zeroRequest, m.zeroPasses);
    return {m.zeroResult};
}

// A passed span calibration becomes the channel's latest calibration: the reading before, and
// the concentration of the calibration gas after (with the low mark sent for channels 5 and 6).
void RecordSpan(Record& r, Date clock, Integer gas, Single concentration, bool lo) {
    r.CalibDate(gas, clock);
    r.CalibBefore(gas, r.LimitValue(gas));
    r.BeforeIsLo(gas, r.LimitValueIsLo(gas));
    r.CalibAfter(gas, concentration);
    r.AfterIsLo(gas, lo);
}

// The selection, then optionally the six calibration-gas concentrations and the low marks of
// channels 5 and 6. The reply is the six-character result.
SimReply SpanStart(SimState& s, const std::string& payload) {
    const std::vector<std::string> fields = SimParse::Split(payload);
    if (!IsSelection(fields[0]) || (fields.size() != 1 && fields.size() != 9))
        return SimReply::Refused();
    SimMaintenance& m = s.maintenance;
    Record r = s.record;
    for (Integer g = 0; g < Channels; ++g) {
        if (fields[0][g] != '1' || !r.GasEnabled(g) || !m.spanPasses[g]) continue;
        Single gas = r.AutoCalib(g);
        bool lo = r.AutoCalIsLo(g);
        if (fields.size() == 9) {
            const auto value = SimParse::Number(fields[1 + g]);
            if (!value) return SimReply::Refused();
            gas = *value;
            lo = g >= 4 && fields[3 + g] == "L";
        }
        RecordSpan(r, s.clock, g, gas, lo);
    }
    r.ClearChangeFlags();
    s.record = std::move(r);
    m.spanRequest = payload;
    m.spanResult = Result(s.record, fields[0], m.spanPasses);
    return {m.spanResult};
}

// Six calibration factors; each is repeated as the instrument now holds it, so a factor the
// instrument did not take comes back as its old value.
SimReply CalibrationFactors(SimState& s, const std::string& payload) {
    const std::vector<std::string> fields = SimParse::Split(payload);
    if (fields.size() != Channels) return SimReply::Refused();
    std::array<Single, Channels> factors{};
    for (Integer g = 0; g < Channels; ++g) {
        const auto factor = SimParse::Float8(fields[g]);
        if (!factor) return SimReply::Refused();
        factors[g] = *factor;
    }
    std::string reply;
    for (Integer g = 0; g < Channels; ++g) {
        if (s.maintenance.factorAccepted[g]) s.record.SpanData(g, factors[g]);
        reply += (g ? "," : "") + SimField::Float8(s.record.SpanData(g));
    }
    s.record.ClearChangeFlags();
    return {reply};
}

// ---- Switches and one-shot actions ----

SimReply SetClock(SimState& s, const std::string& payload) {
    const auto date = SimParse::DateTime12(payload);
    if (!date) return SimReply::Refused();
    s.clock = *date;
    return {payload};
}

// Switching the heater on starts its warm-up, which the program polls; off ends it.
SimReply Heater(SimState& s, const std::string& payload) {
    const auto on = SimParse::Dec(payload);
    if (!on) return SimReply::Refused();
    s.maintenance.heaterOn = *on;
    if (*on == 1) return Start(s.maintenance.heater);
    s.maintenance.heater.running = false;
    return SimReply::Ack();
}

SimReply HeaterDry(SimState& s, const std::string& payload) {
    const auto dry = SimParse::Dec(payload);
    if (!dry) return SimReply::Refused();
    s.maintenance.heaterDry = *dry;
    return SimReply::Ack();
}

SimReply Pump(SimState& s, const std::string& payload) {
    const auto on = SimParse::Bit(payload);
    if (!on) return SimReply::Refused();
    s.maintenance.pumpOn = *on == 1;
    return {payload};
}

void RestoreDefaults(SimState& s) {
    s.record = s.defaults;
    s.record.ClearChangeFlags();
}

#define ACTION(key, body) \
    SimCommand { key, [](SimState& s, const std::string& p) -> SimReply { (void)p; body; } }

const SimCommand kMaintenance[] = {
    ACTION("XC,W", return Start(s.maintenance.dataClear)),
    ACTION("XC,C", return Poll(s.maintenance.dataClear, [&] { ++s.maintenance.dataClears; })),
    ACTION("XY,W", return Start(s.maintenance.powerDataClear)),
    ACTION("XY,C", return Poll(s.maintenance.powerDataClear, [&] { ++s.maintenance.powerDataClears; })),
    ACTION("UX,W", return Start(s.maintenance.defaults)),
    ACTION("UX,C", return Poll(s.maintenance.defaults, [&] {
               RestoreDefaults(s);
               ++s.maintenance.defaultResets;
           })),
    SimCommand{"LR,W", Heater},
    ACTION("LR,C", return Poll(s.maintenance.heater, [] {})),
    SimCommand{"SQ,W", HeaterDry},
    ACTION("SN,W", s.maintenance.o2Density = p; return SimReply::Ack()),
    ACTION("RO,W", s.poweredOff = true; return SimReply::Ack()),
    ACTION("FB,W", s.defaults = s.record; ++s.maintenance.factorySaves; return SimReply::Ack()),
    ACTION("FB,R", RestoreDefaults(s); ++s.maintenance.factoryRestores; return SimReply::Ack()),
    SimCommand{"HC,W", SetClock},
    ACTION("XH,E", ++s.maintenance.checks; return SimReply::Ack()),
    SimCommand{"BP,W", Pump},
    ACTION("DW,W", ++s.maintenance.closingWrites; return SimReply::Ack()),
    SimCommand{"SZ,W", ZeroStart},
    SimCommand{"SZ,C", ZeroPoll},
    SimCommand{"S2,W", SpanStart},
    SimCommand{"S1,D", CalibrationFactors},
};

#undef ACTION

}  // namespace

std::span<const SimCommand> SimMaintenanceCommands() { return kMaintenance; }

}  // namespace tz
