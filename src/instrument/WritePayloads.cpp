#include "instrument/WritePayloads.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "instrument/modGasCommon.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;

// Fields built per gas channel 0 to 5, joined with ",".
template <typename Field>
std::string JoinChannels(Field field) {
    std::string out;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        if (gas > 0) out += ',';
        out += field(gas);
    }
    return out;
}

std::string Join(std::initializer_list<std::string> fields) {
    std::string out;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) out += ',';
        out += field;
        first = false;
    }
    return out;
}

// The low-range mark of a channel as the instrument spells it.
std::string RangeMark(bool isLo) { return isLo ? "L" : "H"; }

struct AlarmPointAccess {
    std::string_view code;
    Single (clsInstrument::*value)(Integer) const;
    bool (clsInstrument::*isLo)(Integer) const;
};

constexpr AlarmPointAccess kAlarmPoints[] = {
    {"A1", &clsInstrument::Warning, &clsInstrument::WarnIsLo},
    {"A2", &clsInstrument::Alarm, &clsInstrument::AlarmIsLo},
    {"AS", &clsInstrument::Stel, &clsInstrument::StelIsLo},
    {"AW", &clsInstrument::Twa, &clsInstrument::TwaIsLo},
    {"SA", &clsInstrument::AutoCalib, &clsInstrument::AutoCalIsLo},
};

const AlarmPointAccess& AccessOf(AlarmPoint point) {
    return kAlarmPoints[static_cast<std::size_t>(point)];
}

std::string NotFittedOr(bool enabled, const std::string& field) {
    return enabled ? field : NotFittedGasInfo;
}

std::string MainRangeField(const clsInstrument& r, Integer gas) {
    return NotFittedOr(r.GasEnabled(gas),
                       GasInfoField(r.GasName(gas), r.GasFullScale(gas), r.GasDesit(gas),
                                    r.GasPoint(gas), r.GasUnit(gas)));
}

std::string SecondRangeField(const clsInstrument& r, Integer gas) {
    return NotFittedOr(r.GasEnabled(gas),
                       GasInfoField(r.GasName(gas), r.GasFullScale_l(gas), r.GasDigit_l(gas),
                                    r.GasPoint_l(gas), r.GasUnit_l(gas)));
}

std::string ListEntryPayload(Integer index, const std::string& entry) {
    return EncodeHex(index, 4) + "," + EncodeFix(entry, 16);
}

// One row per write command, in the writer's order. Each builder reads the record only.
constexpr WriteCommand kWriteCommands[] = {
    {"IN", [](const clsInstrument& r) { return EncodeFix(r.SerialNo(), 20); }},
    {"HN", [](const clsInstrument& r) { return EncodeFix(r.DummySerial(), 20); }},
    {"XS", [](const clsInstrument& r) { return "****," + EncodeFix(r.StationID(), 16); }},
    {"XZ", [](const clsInstrument& r) { return "****," + EncodeFix(r.UserID(), 16); }},
    {"UG",
     [](const clsInstrument& r) {
         return JoinChannels([&](Integer gas) {
             return r.PortCh(gas) == -1 ? std::string("F") : EncodeDec(r.PortCh(gas));
         });
     }},
    {"GJ", GasInfoPayload},
    {"AT", [](const clsInstrument& r) { return EncodeDec(r.AlarmO2()); }},
    {"A1", [](const clsInstrument& r) { return AlarmPointPayload(r, AlarmPoint::Warning); }},
    {"A2", [](const clsInstrument& r) { return AlarmPointPayload(r, AlarmPoint::Alarm); }},
    {"AS", [](const clsInstrument& r) { return AlarmPointPayload(r, AlarmPoint::Stel); }},
    {"AW", [](const clsInstrument& r) { return AlarmPointPayload(r, AlarmPoint::Twa); }},
    {"SA", [](const clsInstrument& r) { return AlarmPointPayload(r, AlarmPoint::AutoCal); }},
    {"AP", [](const clsInstrument& r) { return EncodeDec(r.AlarmMode()); }},
    {"SC", [](const clsInstrument& r) { return EncodeHex(r.CalLimit(), 4); }},
    {"XP", [](const clsInstrument& r) { return EncodeHex(r.Intervals(), 4); }},
    {"SD", [](const clsInstrument& r) { return EncodeBit(r.DispCalLimit()); }},
    {"SM", [](const clsInstrument& r) { return EncodeDec(r.CalCheck()); }},
    {"XW", [](const clsInstrument& r) { return EncodeDec(r.LogOverWrite()); }},
    {"XT", [](const clsInstrument& r) { return EncodeHex(r.LcdBackLight(), 4); }},
    {"SJ", [](const clsInstrument& r) { return EncodeDec(r.AutoZero()); }},
    {"SG", [](const clsInstrument& r) { return EncodeDec(r.DemandZero()); }},
    {"MP",
     [](const clsInstrument& r) {
         return EncodeDec(r.UseMaintePassword()) + "," + r.MaintePassword();
     }},
    {"PG", [](const clsInstrument& r) { return EncodeDec(r.PasswordProtect()); }},
    {"UJ", [](const clsInstrument& r) { return r.SpecType(); }},
    {"BJ", [](const clsInstrument& r) { return EncodeDec(r.DispBumpLimit()); }},
    {"BK", [](const clsInstrument& r) { return EncodeHex(r.BumpLimit(), 4); }},
    {"BL", [](const clsInstrument& r) { return EncodeDec(r.BumpCheck()); }},
    {"BU",
     [](const clsInstrument& r) {
         return Join({EncodeHex(r.BumpTime(), 2), EncodeHex(r.BumpThreshold(), 2),
                      EncodeHex(r.BumpFailCalTime(), 2), EncodeDec(r.BumpFailAfter())});
     }},
    {"BV", [](const clsInstrument& r) { return EncodeDec(r.BumpFunction()); }},
    {"XB",
     [](const clsInstrument& r) {
         return EncodeDec(r.Confirmation()) + "," + EncodeHex(r.ConfirmationTime(), 2);
     }},
    {"PS",
     [](const clsInstrument& r) {
         return JoinChannels([&](Integer gas) {
             return r.GasEnabled(gas) ? r.SensorDate(gas) : std::string("******");
         });
     }},
    {"BS", [](const clsInstrument& r) { return EncodeFix(r.SpecNo(), 10); }},
    {"AF", [](const clsInstrument& r) { return EncodeDec(r.AlarmOnOff()); }},
    {"XL", [](const clsInstrument& r) { return EncodeDec(r.LunchBreak()); }},
    {"PO", [](const clsInstrument& r) { return EncodeDec(r.PumpOnOffDisp()); }},
    {"XI", [](const clsInstrument& r) { return EncodeDec(r.DispID()); }},
    {"XA", [](const clsInstrument& r) { return EncodeDec(r.AlarmSilence()); }},
    {"EB", [](const clsInstrument& r) { return EncodeDec(r.PeakBar()); }},
    {"BW", [](const clsInstrument& r) { return EncodeDec(r.BumpCheckALL()); }},
    {"SW", [](const clsInstrument& r) { return EncodeDec(r.CalCheckALL()); }},
    {"WB",
     [](const clsInstrument& r) {
         return Join({EncodeDec(r.InertMode()), EncodeDec(r.LcBhMode()),
                      EncodeHex(r.BhTime(), 2), EncodeDec(r.LcBuzzer())});
     }},
    {"UL", [](const clsInstrument& r) { return EncodeHex(r.LcdContrast(), 2); }},
    {"UZ",
     [](const clsInstrument& r) {
         std::string out;
         for (Integer gas = 0; gas < kChannels; ++gas) out += EncodeDec(r.Zero(gas)).back();
         return out;
     }},
    {"US",
     [](const clsInstrument& r) {
         return JoinChannels([&](Integer gas) { return EncodeDec(r.ZeroForce(gas)); });
     }},
    {"FF", [](const clsInstrument& r) { return EncodeDec(r.IRRange()); }},
    {"A3", [](const clsInstrument& r) { return EncodeNum(r.Inert1st(), r.GasPoint(1)); }},
    {"A4", [](const clsInstrument& r) { return EncodeNum(r.Inert2nd(), r.GasPoint(1)); }},
    {"MO",
     [](const clsInstrument& r) {
         return EncodeDec(r.UseUserPassword()) + "," + r.UserPassword2();
     }},
    {"KL", [](const clsInstrument& r) { return EncodeDec(r.Inverse()); }},
    {"XD", [](const clsInstrument& r) { return EncodeDec(r.RemainTimeDisp()); }},
    {"JZ", [](const clsInstrument& r) { return EncodeDec(r.KeySound()); }},
    {"AN",
     [](const clsInstrument& r) {
         return Join({EncodeDec(r.Panic()), EncodeDec(r.ManDown()), EncodeHex(r.ManDown1(), 2),
                      EncodeHex(r.ManDown2(), 2), EncodeHex(r.ManDown3(), 2)});
     }},
    {"X7", [](const clsInstrument& r) { return EncodeDec(r.dlogOnOff()); }},
    {"UW", [](const clsInstrument& r) { return EncodeDec(r.DateDispType()); }},
    {"U9", [](const clsInstrument& r) { return EncodeBit(r.CSAdata()); }},
    {"EJ", [](const clsInstrument& r) { return EncodeDec(r.LangType()); }},
    {"UO", [](const clsInstrument& r) { return EncodeDec(r.LeakCOdisp()); }},
};

}  // namespace

std::string EncodeDec(Long value) { return std::to_string(value); }

std::string EncodeHex(Integer value, std::size_t digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    // The 16-bit pattern, so a negative value shows its two's complement as the instrument
    // stores it.
    auto bits = static_cast<std::uint16_t>(value);
    std::string out(std::max<std::size_t>(digits, 4), '0');
    for (auto it = out.rbegin(); bits != 0; ++it, bits = static_cast<std::uint16_t>(bits >> 4))
        *it = kDigits[bits & 0xF];
    return out.substr(out.size() - digits);
}

std::string EncodeBit(Long value) { return value != 0 ? "1" : "0"; }

std::string EncodeFix(const std::string& text, std::size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string EncodeNum(Single value, Integer decimals) { return NumberField5(value, decimals); }

std::string WriteBody(std::string_view code, std::string_view payload) {
    std::string body(code);
    body += ",W,";
    body += payload;
    return body;
}

std::string GasInfoField(const std::string& name, Single fullScale, Single step, Integer decimals,
                         const std::string& unit) {
    return (name + std::string(10, ' ')).substr(0, 11) + EncodeNum(fullScale, decimals) +
           EncodeNum(step, decimals) + EncodeFix(unit, 4);
}

std::string GasInfoPayload(const clsInstrument& record) {
    std::string out = JoinChannels([&](Integer gas) { return MainRangeField(record, gas); });
    for (Integer gas : {Integer{4}, Integer{5}}) out += "," + SecondRangeField(record, gas);
    return out;
}

std::string_view AlarmPointCode(AlarmPoint point) { return AccessOf(point).code; }

std::string AlarmPointPayload(const clsInstrument& record, AlarmPoint point) {
    const AlarmPointAccess& access = AccessOf(point);
    const auto isLo = [&](Integer gas) { return (record.*access.isLo)(gas); };
    std::string out = JoinChannels([&](Integer gas) {
        const bool secondRange = gas >= 4 && isLo(gas);
        const Integer decimals = secondRange ? record.GasPoint_l(gas) : record.GasPoint(gas);
        return EncodeNum((record.*access.value)(gas), decimals);
    });
    return out + "," + RangeMark(isLo(4)) + "," + RangeMark(isLo(5));
}

std::string StationListPayload(const clsInstrument& record, Integer index) {
    return ListEntryPayload(index, record.StationList(index));
}

std::string UserListPayload(const clsInstrument& record, Integer index) {
    return ListEntryPayload(index, record.UserList(index));
}

std::span<const WriteCommand> WriteCommands() { return kWriteCommands; }

const WriteCommand* FindWriteCommand(std::string_view code) {
    const auto it = std::find_if(std::begin(kWriteCommands), std::end(kWriteCommands),
                                 [&](const WriteCommand& row) { return row.code == code; });
    return it == std::end(kWriteCommands) ? nullptr : it;
}

std::string WritePayload(std::string_view code, const clsInstrument& record) {
    const WriteCommand* row = FindWriteCommand(code);
    if (row == nullptr)
        throw std::invalid_argument("no write command \"" + std::string(code) + "\"");
    return row->payload(record);
}

}  // namespace tz
