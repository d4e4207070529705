// Settings writes: each row reads the fields the program sends, sets them in the instrument's
// record and repeats the written frame, which is what the program checks the write against. A
// write whose payload does not read is refused and changes nothing.
#include <array>

#include "sim/SimCommands.h"
#include "sim/SimField.h"
#include "sim/SimParse.h"

namespace tz {
namespace {

using Record = clsInstrument;
using Fields = std::vector<std::string>;
constexpr Integer Channels = 6;

// Applies a write to a copy of the record, so that a payload refused halfway changes nothing.
// The instrument's record carries no change flags.
template <class Apply>
SimReply Write(SimState& s, const std::string& payload, Apply apply) {
    Record r = s.record;
    if (!apply(r, payload)) return SimReply::Refused();
    r.ClearChangeFlags();
    s.record = std::move(r);
    return {payload};
}

// ---- Fixed field lists: one encoding and one property per field ----

enum class Enc { Dec, Hex2, Hex4, Bit, Text };

struct FieldRow {
    Enc enc;
    void (*setInteger)(Record&, Integer) = nullptr;
    void (*setText)(Record&, const std::string&) = nullptr;
};

std::optional<Integer> IntegerField(const std::string& field, Enc enc) {
    switch (enc) {
        case Enc::Dec: return SimParse::Dec(field);
        case Enc::Hex2: return SimParse::Hex(field, 2);
        case Enc::Hex4: return SimParse::Hex(field, 4);
        case Enc::Bit: return SimParse::Bit(field);
        case Enc::Text: break;
    }
    return std::nullopt;
}

template <std::size_t N>
bool SetFields(Record& r, const std::string& payload, const FieldRow (&rows)[N]) {
    const Fields fields = SimParse::Split(payload);
    if (fields.size() != N) return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].enc == Enc::Text) {
            rows[i].setText(r, fields[i]);
            continue;
        }
        const auto value = IntegerField(fields[i], rows[i].enc);
        if (!value) return false;
        rows[i].setInteger(r, *value);
    }
    return true;
}

#define SET(prop) FieldRow{Enc::Dec, [](Record& r, Integer v) { r.prop(v); }}
#define SET_AS(enc, prop) FieldRow{Enc::enc, [](Record& r, Integer v) { r.prop(v); }}
#define SET_TEXT(prop) FieldRow{Enc::Text, nullptr, [](Record& r, const std::string& v) { r.prop(v); }}

// A write of a fixed list of fields, one row per field in the order sent.
#define FIELDS(key, ...)                                                          \
    SimCommand {                                                                  \
        key, [](SimState& s, const std::string& p) {                              \
            static const FieldRow rows[] = {__VA_ARGS__};                         \
            return Write(s, p, [](Record& r, const std::string& f) { return SetFields(r, f, rows); }); \
        }                                                                         \
    }

// ---- Texts of a fixed width ----

// A text padded to its width; the instrument keeps it without the padding.
template <class Set>
bool SetPadded(const std::string& payload, std::size_t width, Set set) {
    if (payload.size() > width) return false;
    set(SimParse::TrimRight(payload));
    return true;
}

// "****," and the current ID, or a four-digit list index, a comma and the entry's text (which may
// itself hold commas).
bool SetListEntry(Record& r, const std::string& payload, bool stations) {
    if (payload.size() < 5 || payload[4] != ',' || payload.size() > 5 + 16) return false;
    const std::string address = payload.substr(0, 4), text = payload.substr(5);
    if (address == "****") {
        stations ? r.StationID(text) : r.UserID(text);
        return true;
    }
    const auto index = SimParse::Hex(address, 4);
    if (address.size() != 4 || !index || *index < 0 || *index >= Record::ListEntries) return false;
    stations ? r.StationList(*index, text) : r.UserList(*index, text);
    return true;
}

// ---- Per-channel lists ----

// Six fields, one per channel, each read by `read` and stored by `set`.
template <class Read, class Set>
bool SetPerChannel(const std::string& payload, Read read, Set set) {
    const Fields fields = SimParse::Split(payload);
    if (fields.size() != Channels) return false;
    std::array<decltype(read(fields[0])), Channels> values;
    for (Integer g = 0; g < Channels; ++g)
        if (!(values[g] = read(fields[g]))) return false;
    for (Integer g = 0; g < Channels; ++g) set(g, *values[g]);
    return true;
}

bool SetPorts(Record& r, const std::string& payload) {
    return SetPerChannel(
        payload,
        [](const std::string& f) -> std::optional<Integer> {
            if (f == "F") return -1;
            const auto port = SimParse::Dec(f);
            return port && *port >= 0 && *port < Channels ? port : std::nullopt;
        },
        [&](Integer g, Integer port) { r.PortCh(g, port); });
}

bool SetZeroForce(Record& r, const std::string& payload) {
    return SetPerChannel(payload, SimParse::Dec, [&](Integer g, Integer v) { r.ZeroForce(g, v); });
}

// A sensor date for each channel; a channel that is not fitted is sent as asterisks and keeps
// its date.
bool SetSensorDates(Record& r, const std::string& payload) {
    return SetPerChannel(
        payload,
        [](const std::string& f) -> std::optional<std::string> {
            return f.size() <= 6 ? std::optional(f) : std::nullopt;
        },
        [&](Integer g, const std::string& date) {
            if (!SimParse::IsMask(date)) r.SensorDate(g, date);
        });
}

// Six digits, one per channel: "1" switches the channel's zero function on.
bool SetZero(Record& r, const std::string& payload) {
    if (payload.size() != Channels) return false;
    for (char c : payload)
        if (c < '0' || c > '9') return false;
    for (Integer g = 0; g < Channels; ++g) r.Zero(g, payload[g] == '1' ? 1 : 0);
    return true;
}

// ---- Alarm points ----

struct AlarmPoint {
    void (*value)(Record&, Integer, Single);
    void (*lo)(Record&, Integer, bool);
};

#define ALARM_POINT(prop, mark)                                          \
    AlarmPoint {                                                         \
        [](Record& r, Integer g, Single v) { r.prop(g, v); },            \
        [](Record& r, Integer g, bool lo) { r.mark(g, lo); }             \
    }

std::optional<bool> LowMark(const std::string& field) {
    if (field == "L") return true;
    if (field == "H") return false;
    return std::nullopt;
}

// Six five-character values (asterisks: no value), then the low marks of channels 5 and 6.
bool SetAlarmPoints(Record& r, const std::string& payload, const AlarmPoint& point) {
    const Fields fields = SimParse::Split(payload);
    if (fields.size() != Channels + 2) return false;
    std::array<Single, Channels> values{};
    for (Integer g = 0; g < Channels; ++g) {
        const auto v = SimParse::Number(fields[g]);
        if (!v) return false;
        values[g] = *v;
    }
    const auto lo4 = LowMark(fields[6]), lo5 = LowMark(fields[7]);
    if (!lo4 || !lo5) return false;
    for (Integer g = 0; g < Channels; ++g) point.value(r, g, values[g]);
    point.lo(r, 4, *lo4);
    point.lo(r, 5, *lo5);
    return true;
}

#define ALARM_WRITE(key, prop, mark)                                                     \
    SimCommand {                                                                         \
        key, [](SimState& s, const std::string& p) {                                     \
            return Write(s, p, [](Record& r, const std::string& f) {                     \
                return SetAlarmPoints(r, f, ALARM_POINT(prop, mark));                    \
            });                                                                          \
        }                                                                                \
    }

// ---- Gas information ----

// One 25-character range: name (11), full scale (5), step (5), unit (4).
struct Range {
    std::string name, unit;
    Single fullScale = 0, step = 0;
    Integer decimals = 0;
};

std::optional<Range> ReadRange(const std::string& field) {
    if (field.size() != 25) return std::nullopt;
    Range range;
    range.name = SimParse::Trim(field.substr(0, 11));
    const std::string fullScale = field.substr(11, 5), step = field.substr(16, 5);
    const auto f = SimParse::Number(fullScale), d = SimParse::Number(step);
    if (!f || !d) return std::nullopt;
    range.fullScale = *f;
    range.step = *d;
    range.decimals = SimParse::DecimalsOf(fullScale).value_or(SimParse::DecimalsOf(step).value_or(0));
    range.unit = SimParse::TrimRight(field.substr(21, 4));
    return range;
}

// The main ranges of the six channels, then the second ranges of channels 5 and 6. Asterisks mark
// a channel that is not fitted (main range) or leave the second range as it is.
bool SetGasInformation(Record& r, const std::string& payload) {
    const Fields fields = SimParse::Split(payload);
    if (fields.size() != Channels + 2) return false;
    std::array<std::optional<Range>, Channels + 2> ranges;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (SimParse::IsMask(fields[i]) && fields[i].size() == 25) continue;
        if (!(ranges[i] = ReadRange(fields[i]))) return false;
    }
    for (Integer g = 0; g < Channels; ++g) {
        r.GasEnabled(g, ranges[g].has_value());
        if (!ranges[g]) continue;
        r.GasName(g, ranges[g]->name);
        r.GasFullScale(g, ranges[g]->fullScale);
        r.GasDesit(g, ranges[g]->step);
        r.GasPoint(g, ranges[g]->decimals);
        r.GasUnit(g, ranges[g]->unit);
    }
    for (Integer g = 4; g < Channels; ++g) {
        const auto& second = ranges[Channels + g - 4];
        if (!second) continue;
        r.GasFullScale_l(g, second->fullScale);
        r.GasDigit_l(g, second->step);
        r.GasPoint_l(g, second->decimals);
        r.GasUnit_l(g, second->unit);
    }
    return true;
}

// A single five-character value.
template <class Set>
bool SetNumber(const std::string& payload, Set set) {
    const auto v = SimParse::Number(payload);
    if (!v) return false;
    set(*v);
    return true;
}

#define WRITE(key, body)                                                           \
    SimCommand {                                                                   \
        key, [](SimState& s, const std::string& p) {                               \
            return Write(s, p, [](Record& r, const std::string& f) { return body; }); \
        }                                                                          \
    }

const SimCommand kWrites[] = {
    WRITE("IN,W", SetPadded(f, 20, [&](const std::string& t) { r.SerialNo(t); })),
    WRITE("HN,W", SetPadded(f, 20, [&](const std::string& t) { r.DummySerial(t); })),
    WRITE("XS,W", SetListEntry(r, f, true)),
    WRITE("XZ,W", SetListEntry(r, f, false)),
    WRITE("UG,W", SetPorts(r, f)),
    WRITE("GJ,W", SetGasInformation(r, f)),
    FIELDS("AT,W", SET(AlarmO2)),
    ALARM_WRITE("A1,W", Warning, WarnIsLo),
    ALARM_WRITE("A2,W", Alarm, AlarmIsLo),
    ALARM_WRITE("AS,W", Stel, StelIsLo),
    ALARM_WRITE("AW,W", Twa, TwaIsLo),
    ALARM_WRITE("SA,W", AutoCalib, AutoCalIsLo),
    FIELDS("AP,W", SET(AlarmMode)),
    FIELDS("SC,W", SET_AS(Hex4, CalLimit)),
    FIELDS("XP,W", SET_AS(Hex4, Intervals)),
    FIELDS("SD,W", SET_AS(Bit, DispCalLimit)),
    FIELDS("SM,W", SET(CalCheck)),
    FIELDS("XW,W", SET(LogOverWrite)),
    FIELDS("XT,W", SET_AS(Hex4, LcdBackLight)),
    FIELDS("SJ,W", SET(AutoZero)),
    FIELDS("SG,W", SET(DemandZero)),
    FIELDS("MP,W", SET(UseMaintePassword), SET_TEXT(MaintePassword)),
    FIELDS("PG,W", SET(PasswordProtect)),
    WRITE("UJ,W", (r.SpecType(f), true)),
    FIELDS("BJ,W", SET(DispBumpLimit)),
    FIELDS("BK,W", SET_AS(Hex4, BumpLimit)),
    FIELDS("BL,W", SET(BumpCheck)),
    FIELDS("BU,W", SET_AS(Hex2, BumpTime), SET_AS(Hex2, BumpThreshold),
           SET_AS(Hex2, BumpFailCalTime), SET(BumpFailAfter)),
    FIELDS("BV,W", SET(BumpFunction)),
    FIELDS("XB,W", SET(Confirmation), SET_AS(Hex2, ConfirmationTime)),
    WRITE("PS,W", SetSensorDates(r, f)),
    WRITE("BS,W", SetPadded(f, 10, [&](const std::string& t) { r.SpecNo(t); })),
    FIELDS("AF,W", SET(AlarmOnOff)),
    FIELDS("XL,W", SET(LunchBreak)),
    FIELDS("PO,W", SET(PumpOnOffDisp)),
    FIELDS("XI,W", SET(DispID)),
    FIELDS("XA,W", SET(AlarmSilence)),
    FIELDS("EB,W", SET(PeakBar)),
    FIELDS("BW,W", SET(BumpCheckALL)),
    FIELDS("SW,W", SET(CalCheckALL)),
    FIELDS("WB,W", SET(InertMode), SET(LcBhMode), SET_AS(Hex2, BhTime), SET(LcBuzzer)),
    FIELDS("UL,W", SET_AS(Hex2, LcdContrast)),
    WRITE("UZ,W", SetZero(r, f)),
    WRITE("US,W", SetZeroForce(r, f)),
    FIELDS("FF,W", SET(IRRange)),
    WRITE("A3,W", SetNumber(f, [&](Single v) { r.Inert1st(v); })),
    WRITE("A4,W", SetNumber(f, [&](Single v) { r.Inert2nd(v); })),
    FIELDS("MO,W", SET(UseUserPassword), SET_TEXT(UserPassword2)),
    FIELDS("KL,W", SET(Inverse)),
    FIELDS("XD,W", SET(RemainTimeDisp)),
    FIELDS("JZ,W", SET(KeySound)),
    FIELDS("AN,W", SET(Panic), SET(ManDown), SET_AS(Hex2, ManDown1), SET_AS(Hex2, ManDown2),
           SET_AS(Hex2, ManDown3)),
    FIELDS("X7,W", SET(dlogOnOff)),
    FIELDS("UW,W", SET(DateDispType)),
    FIELDS("U9,W", SET_AS(Bit, CSAdata)),
    FIELDS("EJ,W", SET(LangType)),
    FIELDS("UO,W", SET(LeakCOdisp)),
};

#undef WRITE
#undef ALARM_WRITE
#undef ALARM_POINT
#undef FIELDS
#undef SET_TEXT
#undef SET_AS
#undef SET

}  // namespace

std::span<const SimCommand> SimWriteCommands() { return kWrites; }

}  // namespace tz
