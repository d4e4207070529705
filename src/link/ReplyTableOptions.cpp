// Replies that carry instrument options: one or a few numeric fields, each stored in one record
// property whose change flag the read clears. Every row names the fields' encodings and what the
// reply to the write command must show.
#include <array>

#include "instrument/clsInstrument.h"
#include "link/ReplyFields.h"
#include "link/ReplyHandlers.h"
#include "text/NumberFormat.h"

namespace tz {

namespace {

enum class Enc {
    Decimal,    // numeric test, 16-bit integer
    Decimal32,  // numeric test, 32-bit integer
    Hex,        // hexadecimal test, 16-bit
    Hex32,      // hexadecimal test, 32-bit
    NumHex,     // numeric test, then converted as hexadecimal
    NumFlag,    // numeric test, then "1" gives 1
    HexFlag,    // hexadecimal test, then "1" gives 1
};

enum class Write {
    None,        // the program never writes it; a write reply is not accepted
    Accepted,    // any reply is accepted
    EqualFirst,  // the first field repeats the written one
};

using Store = void (*)(clsInstrument&, Long);

struct FieldRule {
    Enc enc;
    Store store;
};

struct OptionRow {
    const char* code;
    std::array<FieldRule, 5> fields;
    int fieldCount;
    int exactCount;  // 0: any count; otherwise a different count is a format error
    Write write;
};

// Stores a converted field in a record property and clears its change flag.
#define TZ_INT(prop, flag) [](clsInstrument& r, Long v) { r.prop(NarrowToInteger(v)); r.flag(false); }
#define TZ_LONG(prop, flag) [](clsInstrument& r, Long v) { r.prop(v); r.flag(false); }
#define TZ_ONE(enc, prop, flag) {{{Enc::enc, TZ_INT(prop, flag)}}}, 1

const OptionRow kOptionRows[] = {
    {"AP", TZ_ONE(Decimal, AlarmMode, Change_AlarmMode), 0, Write::EqualFirst},
    {"SC", TZ_ONE(Hex, CalLimit, Change_CalLimit), 0, Write::EqualFirst},
    {"XP", TZ_ONE(Hex, Intervals, Change_Interval), 0, Write::EqualFirst},
    {"SD", TZ_ONE(Decimal, DispCalLimit, Change_DispCalLimit), 0, Write::EqualFirst},
    {"SM", TZ_ONE(Decimal, CalCheck, Change_CalCheck), 0, Write::EqualFirst},
    {"XW", TZ_ONE(Decimal, LogOverWrite, Change_LogOverWrite), 0, Write::EqualFirst},
    {"XT", TZ_ONE(Hex, LcdBackLight, Change_LcdBackLight), 0, Write::EqualFirst},
    {"VP", {{{Enc::Decimal32, [](clsInstrument& r, Long v) { r.RomNumber(v); }}}}, 1, 0, Write::None},
    {"AT", TZ_ONE(Decimal, AlarmO2, Change_AlarmO2), 0, Write::EqualFirst},
    {"SJ", TZ_ONE(NumFlag, AutoZero, Change_AutoZero), 0, Write::EqualFirst},
    {"SG", TZ_ONE(NumFlag, DemandZero, Change_DemandZero), 0, Write::EqualFirst},
    {"PG", TZ_ONE(HexFlag, PasswordProtect, Change_PasswordProtect), 0, Write::EqualFirst},
    {"BJ", TZ_ONE(NumFlag, DispBumpLimit, Change_DispBumpLimit), 0, Write::EqualFirst},
    {"BK", TZ_ONE(Hex, BumpLimit, Change_BumpLimit), 0, Write::EqualFirst},
    {"BL", TZ_ONE(Decimal, BumpCheck, Change_BumpCheck), 0, Write::EqualFirst},
    {"BU",
     {{{Enc::Hex, TZ_INT(BumpTime, Change_BumpTime)},
       {Enc::Hex, TZ_INT(BumpThreshold, Change_BumpThreshold)},
       {Enc::Hex, TZ_INT(BumpFailCalTime, Change_BumpFailCalTime)},
       {Enc::Decimal, TZ_INT(BumpFailAfter, Change_BumpFailAfter)}}},
     4, 0, Write::Accepted},
    {"BV", TZ_ONE(Decimal, BumpFunction, Change_BumpFunction), 0, Write::EqualFirst},
    {"XB",
     {{{Enc::Hex, TZ_INT(Confirmation, Change_Confirmation)},
       {Enc::Hex, TZ_INT(ConfirmationTime, Change_ConfirmationTime)}}},
     2, 0, Write::EqualFirst},
    {"PM", TZ_ONE(Hex, BumpFailBehavior, Change_BumpFailBehavior), 0, Write::EqualFirst},
    {"RA", TZ_ONE(Hex, RA, Change_RA), 0, Write::EqualFirst},
    {"AF", TZ_ONE(Decimal, AlarmOnOff, Change_AlarmOnOff), 0, Write::EqualFirst},
    {"XL", TZ_ONE(Decimal, LunchBreak, Change_LunchBreak), 0, Write::EqualFirst},
    {"PO", TZ_ONE(NumHex, PumpOnOffDisp, Change_PumpOnOffDisp), 0, Write::EqualFirst},
    {"XI", TZ_ONE(NumHex, DispID, Change_DispID), 0, Write::EqualFirst},
    {"XA", TZ_ONE(Decimal, AlarmSilence, Change_AlarmSilence), 0, Write::EqualFirst},
    {"EB", TZ_ONE(NumHex, PeakBar, Change_PeakBar), 0, Write::EqualFirst},
    {"BW", TZ_ONE(Decimal, BumpCheckALL, Change_BumpCheckALL), 0, Write::EqualFirst},
    {"SW", TZ_ONE(Decimal, CalCheckALL, Change_CalCheckALL), 0, Write::EqualFirst},
    {"CP", {{{Enc::Hex32, TZ_LONG(FlowLevel, Change_FlowLevel)}}}, 1, 0, Write::EqualFirst},
    {"U9", TZ_ONE(Hex32, CSAdata, Change_CSAdata), 0, Write::EqualFirst},
    {"WB",
     {{{Enc::Decimal, TZ_INT(InertMode, Change_InertMode)},
       {Enc::Decimal, TZ_INT(LcBhMode, Change_LcBhMode)},
       {Enc::Hex, TZ_INT(BhTime, Change_BhTime)},
       {Enc::Hex, TZ_INT(LcBuzzer, Change_LcBuzzer)}}},
     4, 4, Write::Accepted},
    {"UL", TZ_ONE(Hex, LcdContrast, Change_LcdContrast), 0, Write::EqualFirst},
    {"FF", TZ_ONE(Hex, IRRange, Change_IRRange), 1, Write::Accepted},
    {"KL", TZ_ONE(Decimal, Inverse, Change_Inverse), 0, Write::Accepted},
    {"XD", TZ_ONE(Decimal, RemainTimeDisp, Change_RemainTimeDisp), 0, Write::Accepted},
    {"JZ", TZ_ONE(Decimal, KeySound, Change_KeySound), 0, Write::Accepted},
    {"AN",
     {{{Enc::Decimal, TZ_INT(Panic, Change_Panic)},
       {Enc::Decimal, TZ_INT(ManDown, Change_ManDown)},
       {Enc::Hex, TZ_INT(ManDown1, Change_ManDown1)},
       {Enc::Hex, TZ_INT(ManDown2, Change_ManDown2)},
       {Enc::Hex, TZ_INT(ManDown3, Change_ManDown3)}}},
     5, 0, Write::Accepted},
    {"X7", TZ_ONE(NumHex, dlogOnOff, Change_dlogOnOff), 0, Write::EqualFirst},
    {"UW", TZ_ONE(Decimal, DateDispType, Change_DateDispType), 0, Write::Accepted},
    {"HF", TZ_ONE(Hex, pressOffset, Change_pressOffset), 0, Write::EqualFirst},
    {"HB", TZ_ONE(NumFlag, Battery, Change_Battery), 0, Write::None},
    {"EJ", TZ_ONE(Decimal, LangType, Change_LangType), 0, Write::Accepted},
    {"UO", TZ_ONE(Decimal, LeakCOdisp, Change_LeakCOdisp), 0, Write::Accepted},
};

#undef TZ_ONE
#undef TZ_LONG
#undef TZ_INT

bool PassesTest(Enc enc, const std::string& field) {
    switch (enc) {
    case Enc::Hex:
    case Enc::Hex32:
    case Enc::HexFlag:
        return IsHexText(field);
    default:
        return IsNumericText(field);
    }
}

Long Convert(Enc enc, const std::string& field) {
    switch (enc) {
    case Enc::Decimal:
    case Enc::Decimal32:
        return DecimalToLong(field);
    case Enc::Hex:
    case Enc::NumHex:
        return HexToInteger(field);
    case Enc::Hex32:
        return HexToLong(field);
    case Enc::NumFlag:
    case Enc::HexFlag:
        return FlagOf(field);
    }
    return 0;
}

// A field that fails its test leaves its property and refuses the reply; the others are stored.
bool ReadOption(const OptionRow& row, ReplyContext& reply) {
    if (row.exactCount != 0 && reply.Count() != row.exactCount) return reply.Refuse(FormatErrorLine);
    bool accepted = true;
    for (int i = 0; i < row.fieldCount; ++i) {
        const std::string field = reply.Field(static_cast<Integer>(i));
        const FieldRule& rule = row.fields[static_cast<std::size_t>(i)];
        if (!PassesTest(rule.enc, field)) {
            accepted = false;
            continue;
        }
        rule.store(*reply.record, Convert(rule.enc, field));
    }
    return accepted;
}

bool WriteOption(const OptionRow& row, ReplyContext& reply) {
    switch (row.write) {
    case Write::Accepted:
        return true;
    case Write::EqualFirst:
        return reply.RepeatsSent(1);
    case Write::None:
        break;
    }
    return false;
}

}  // namespace

void AddOptionReplies(ReplyTableMap& table) {
    for (const OptionRow& row : kOptionRows) {
        const std::string code = row.code;
        table[code + ",R"] = {[&row](ReplyContext& reply) { return ReadOption(row, reply); }, true};
        if (row.write != Write::None)
            table[code + ",W"] = {[&row](ReplyContext& reply) { return WriteOption(row, reply); }, false};
    }
}

}  // namespace tz
