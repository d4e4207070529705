// Replies about the instrument itself (identity, versions, clock, lists, passwords), the
// connection handshake, and the acknowledging replies of actions and calibration.
#include "instrument/clsInstrument.h"
#include "link/Frame.h"
#include "link/ReplyFields.h"
#include "link/ReplyHandlers.h"
#include "text/NumberFormat.h"

namespace tz {

bool AcceptAlways(ReplyContext&) { return true; }

bool AcceptIfAck(ReplyContext& reply) { return reply.status == ACK || reply.Refuse(ResponseErrorLine); }

bool AcceptIfAckQuiet(ReplyContext& reply) { return reply.status == ACK; }

bool FlagAck(ReplyContext& reply) {
    reply.host.SetAcknowledged(reply.status == ACK);
    return true;
}

bool EqualFirst(ReplyContext& reply) { return reply.RepeatsSent(1); }

namespace {

constexpr Integer kChannels = 6;

// ---- Texts ----

using TextStore = void (*)(clsInstrument&, const std::string&);

struct TextRow {
    const char* code;
    TextStore store;
    bool writeEqual;  // the write reply repeats the text
};

const TextRow kTexts[] = {
    {"LV", [](clsInstrument& r, const std::string& t) { r.PIDver(t); }, false},
    {"L6", [](clsInstrument& r, const std::string& t) { r.PID10ver(t); }, false},
    {"IN", [](clsInstrument& r, const std::string& t) { r.SerialNo(t); r.Change_SerialNo(false); }, true},
    {"HN", [](clsInstrument& r, const std::string& t) { r.DummySerial(t); r.Change_DummySerial(false); }, true},
    {"BS", [](clsInstrument& r, const std::string& t) { r.SpecNo(t); r.Change_SpecNo(false); }, true},
};

// ---- Station and user lists: "****" for the instrument's own identifier, or a list index ----

struct ListRow {
    const char* code;
    void (*own)(clsInstrument&, const std::string&);
    void (*entry)(clsInstrument&, Integer, const std::string&);
};

const ListRow kLists[] = {
    {"XS", [](clsInstrument& r, const std::string& t) { r.StationID(t); r.Change_StationID(false); },
     [](clsInstrument& r, Integer n, const std::string& t) { r.StationList(n, t); r.Change_StationList(n, false); }},
    {"XZ", [](clsInstrument& r, const std::string& t) { r.UserID(t); r.Change_UserID(false); },
     [](clsInstrument& r, Integer n, const std::string& t) { r.UserList(n, t); r.Change_UserList(n, false); }},
};

bool ReadList(const ListRow& row, ReplyContext& reply) {
    const std::string index = reply.Field(0);
    // The text is the rest of the line after the index and its comma; it may hold commas.
    const std::string text = reply.data.size() > 5 ? reply.data.substr(5) : std::string();
    if (index == "****") {
        row.own(*reply.record, text);
        return true;
    }
    if (index.size() != 4 || !IsHexText(index)) return false;
    const Long entry = HexToLong(index);
    if (entry < 0 || entry >= clsInstrument::ListEntries) return false;
    row.entry(*reply.record, static_cast<Integer>(entry), text);
    return true;
}

// ---- Clock ----

bool ReadClock(ReplyContext& reply) {
    const std::string field = reply.Field(0);
    if (field.size() != 12) return false;
    Date date = 0;
    if (!ParseDateTime12(field, date)) {
        reply.record->FailLine("HC,R");
        reply.host.LogLine(std::string(ImproperDateLine) + field);
        return false;
    }
    reply.record->SysDate(date);
    reply.record->SysDateOffset(reply.host.Now() - date);
    return true;
}

// The instrument echoes the whole frame it was sent.
bool WriteClock(ReplyContext& reply) {
    std::string echoed = reply.frame;
    for (char& c : echoed)
        if (c == CR) c = ',';
    return echoed == reply.host.LastFrame() || reply.Refuse(ResponseErrorLine);
}

// ---- Passwords and the instrument type (SpecNo, SpecType) ----

bool ReadPassword(ReplyContext& reply, void (clsInstrument::*use)(Integer), void (clsInstrument::*useFlag)(bool),
                  void (clsInstrument::*text)(const std::string&), void (clsInstrument::*textFlag)(bool)) {
    const std::string first = reply.Field(0);
    bool accepted = true;
    if (IsNumericText(first)) {
        (reply.record->*use)(FlagOf(first));
        (reply.record->*useFlag)(false);
    } else {
        accepted = false;
    }
    (reply.record->*text)(reply.Field(1));
    (reply.record->*textFlag)(false);
    return accepted;
}

bool ReadSpecType(ReplyContext& reply) {
    const std::string field = reply.Field(0);
    if (field == "1" || field == "0") {
        reply.record->SpecType(field);
        reply.record->Change_SpecType(false);
    }
    return true;
}

bool ReadInert(ReplyContext& reply, void (clsInstrument::*store)(Single), void (clsInstrument::*flag)(bool)) {
    const std::string field = reply.Field(0);
    if (!IsNumericText(field)) return false;
    (reply.record->*store)(TextToSingle(field));
    (reply.record->*flag)(false);
    return true;
}

// ---- Calibration ----

bool ReadSixFieldsOnly(ReplyContext& reply) {
    return reply.Count() == kChannels || reply.Refuse(FormatErrorLine);
}

// The six-character result of a zero calibration, one character per channel; SUB while it runs.
bool ConfirmZero(ReplyContext& reply) {
    const std::string result = TrimSpaces(reply.Field(0));
    if (result.size() == 6) {
        reply.host.SetZeroResult(result);
        return true;
    }
    reply.host.SetZeroResult("");
    return reply.status == SUB || reply.Refuse(ResponseErrorLine);
}

bool SpanResult(ReplyContext& reply) {
    const std::string result = TrimSpaces(reply.Field(0));
    reply.host.SetSpanResult(result.size() == 6 ? result : std::string());
    return true;
}

// ---- Memory-dump listing ----

// Fields: bank, line number (hexadecimal, from 1), byte count, the data as hexadecimal text.
bool ReadListingLine(ReplyContext& reply) {
    constexpr std::size_t kMostLineDigits = 6;  // keeps the line's address within 32 bits
    const std::string line = TrimSpaces(reply.Field(1));
    const std::string data = TrimSpaces(reply.Field(3));
    if (reply.Count() < 4 || !IsHexText(line) || line.size() > kMostLineDigits || (!data.empty() && !IsHexText(data)))
        return reply.Refuse(FormatErrorLine);
    const Long number = HexToLong(line);
    if (number < 1) return reply.Refuse(FormatErrorLine);
    reply.host.ListingData(number, data);
    return true;
}

// ---- Connection ----

bool ReadModel(ReplyContext& reply) {
    if (reply.frame.find(ModelName) == std::string::npos) return false;
    reply.host.ModelRecognised();
    return true;
}

}  // namespace

void AddIdentityReplies(ReplyTableMap& table) {
    for (const TextRow& row : kTexts) {
        const std::string code = row.code;
        table[code + ",R"] = {[&row](ReplyContext& reply) {
                                  row.store(*reply.record, TrimSpaces(reply.Field(0)));
                                  return true;
                              },
                              true};
        if (row.writeEqual) table[code + ",W"] = {EqualFirst, false};
    }
    for (const ListRow& row : kLists) {
        const std::string code = row.code;
        table[code + ",R"] = {[&row](ReplyContext& reply) { return ReadList(row, reply); }, true};
        table[code + ",W"] = {AcceptAlways, false};
    }
    table["HC,R"] = {ReadClock, true};
    table["HC,W"] = {WriteClock, false};
    table["G1,R"] = {[](ReplyContext& reply) {
                         reply.record->PIDdata(reply.data);
                         return true;
                     },
                     true};
    table["VS,R"] = {[](ReplyContext& reply) {
                         const std::string field = reply.Field(0);
                         if (!IsHexText(field)) return false;
                         reply.record->SUM(TrimSpaces(field));
                         return true;
                     },
                     true};
    table["MP,R"] = {[](ReplyContext& reply) {
                         return ReadPassword(reply, &clsInstrument::UseMaintePassword, &clsInstrument::Change_UseMaintePassword,
                                             &clsInstrument::MaintePassword, &clsInstrument::Change_MaintePassword);
                     },
                     true};
    table["MP,W"] = {[](ReplyContext& reply) { return reply.RepeatsSent(2); }, false};
    table["MO,R"] = {[](ReplyContext& reply) {
                         return ReadPassword(reply, &clsInstrument::UseUserPassword, &clsInstrument::Change_UseUserPassword,
                                             &clsInstrument::UserPassword2, &clsInstrument::Change_UserPassword2);
                     },
                     true};
    table["MO,W"] = {AcceptAlways, false};
    table["UJ,R"] = {ReadSpecType, true};
    table["UJ,W"] = {EqualFirst, false};
    table["A3,R"] = {[](ReplyContext& r) { return ReadInert(r, &clsInstrument::Inert1st, &clsInstrument::Change_Inert1st); }, true};
    table["A3,W"] = {AcceptAlways, false};
    table["A4,R"] = {[](ReplyContext& r) { return ReadInert(r, &clsInstrument::Inert2nd, &clsInstrument::Change_Inert2nd); }, true};
    table["A4,W"] = {AcceptAlways, false};

    table["SZ,R"] = {ReadSixFieldsOnly, false};
    table["SZ,W"] = {AcceptIfAck, false};
    table["SZ,C"] = {ConfirmZero, false};
    table["S1,D"] = {ReadSixFieldsOnly, false};
    table["S1,W"] = {SpanResult, false};
    table["S2,W"] = {SpanResult, false};
    table["S2,C"] = {SpanResult, false};

    table["RC,R"] = {ReadModel, false};
    table["EF,R"] = {ReadListingLine, false};
    table["ES,R"] = {ReadListingLine, false};

    // Actions: acknowledged starts, and confirmations polled until the instrument says done.
    for (const char* code : {"XC,W", "XY,W", "RO,W", "UX,W", "DW,W", "XH,E", "LR,W", "SQ,W", "SN,W"})
        table[code] = {AcceptIfAck, false};
    for (const char* code : {"XC,C", "XY,C", "UX,C", "DW,C", "LR,C"}) table[code] = {FlagAck, false};
    table["FB,R"] = {AcceptIfAckQuiet, false};
    table["FB,W"] = {AcceptIfAckQuiet, false};
    table["BP,W"] = {EqualFirst, false};  // a refused pump switch must not count as done
}

}  // namespace tz
