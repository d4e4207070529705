#include "instrument/RecordJson.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <unordered_map>

#include "instrument/Json.h"
#include "text/DateTime.h"

namespace tz {
namespace {

// A value of the wrong kind or range; the reader adds the key (and entry) it belongs to.
struct FieldError {
    std::string What;
};

// ---- Texts: one character per byte, bytes above 127 as U+0080 to U+00FF ----

std::string BytesToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// `utf8` is valid UTF-8 (ParseJson checks it).
std::string Utf8ToBytes(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += utf8[i];
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
        } else {
            throw FieldError{"a text may hold only characters up to U+00FF (one byte each)"};
        }
    }
    return out;
}

// ---- Numbers ----

// The texts that stand for values JSON numbers cannot hold.
bool IsNonFiniteText(const std::string& text) {
    return text == "NaN" || text == "Infinity" || text == "-Infinity";
}

template <typename Float>
JsonValue FloatToJson(Float value) {
    if (std::isnan(value)) return JsonValue::String("NaN");
    if (std::isinf(value)) return JsonValue::String(value > 0 ? "Infinity" : "-Infinity");
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return JsonValue::Number(std::string(buf, result.ptr));
}

template <typename Float>
Float FloatFromJson(const JsonValue& v, const char* expected) {
    if (v.type() == JsonValue::Type::String) {
        if (v.Text() == "NaN") return std::numeric_limits<Float>::quiet_NaN();
        if (v.Text() == "Infinity") return std::numeric_limits<Float>::infinity();
        if (v.Text() == "-Infinity") return -std::numeric_limits<Float>::infinity();
    }
    if (v.type() != JsonValue::Type::Number) throw FieldError{std::string("expected ") + expected};
    const std::string& text = v.Text();
    Float value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw FieldError{text + " is outside the range of " + expected};
    return value;
}

template <typename Int>
Int WholeFromJson(const JsonValue& v) {
    const std::string range = "a whole number from " +
                              std::to_string(std::numeric_limits<Int>::min()) + " to " +
                              std::to_string(std::numeric_limits<Int>::max());
    if (v.type() != JsonValue::Type::Number) throw FieldError{"expected " + range};
    const std::string& text = v.Text();
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw FieldError{"expected " + range + ", found " + text};
    return static_cast<Int>(value);
}

// ---- Codecs: one per kind of value ----

struct IntegerCodec {
    static JsonValue Write(Integer v) { return JsonValue::Number(std::to_string(v)); }
    static Integer Read(const JsonValue& v) { return WholeFromJson<Integer>(v); }
};

struct LongCodec {
    static JsonValue Write(Long v) { return JsonValue::Number(std::to_string(v)); }
    static Long Read(const JsonValue& v) { return WholeFromJson<Long>(v); }
};

struct SingleCodec {
    static JsonValue Write(Single v) { return FloatToJson(v); }
    static Single Read(const JsonValue& v) {
        return FloatFromJson<Single>(v, "a single-precision number");
    }
};

struct BoolCodec {
    static JsonValue Write(bool v) { return JsonValue::Bool(v); }
    static bool Read(const JsonValue& v) {
        if (v.type() != JsonValue::Type::Bool) throw FieldError{"expected true or false"};
        return v.AsBool();
    }
};

struct TextCodec {
    static JsonValue Write(const std::string& v) { return JsonValue::String(BytesToUtf8(v)); }
    static std::string Read(const JsonValue& v) {
        if (v.type() != JsonValue::Type::String)
            throw FieldError{"expected a text in double quotes"};
        return Utf8ToBytes(v.Text());
    }
};

// A count of days that is not a point in time.
struct DaysCodec {
    static JsonValue Write(Date v) { return FloatToJson(v); }
    static Date Read(const JsonValue& v) { return FloatFromJson<Date>(v, "a number of days"); }
};

// A point in time: ISO 8601, null for "no date", the day count where no calendar date fits.
struct DateCodec {
    static constexpr Date kNoDate = NoValue;

    static JsonValue Write(Date v) {
        if (v == kNoDate) return JsonValue();
        const std::string iso = DateToIso(v);
        return iso.empty() ? FloatToJson(v) : JsonValue::String(iso);
    }
    static Date Read(const JsonValue& v) {
        if (v.IsNull()) return kNoDate;
        Date date = 0;
        if (v.type() == JsonValue::Type::String && IsoToDate(v.Text(), date)) return date;
        if (v.type() == JsonValue::Type::String && !IsNonFiniteText(v.Text()))
            throw FieldError{"\"" + v.Text() + "\" is not a date and time as yyyy-mm-ddThh:mm:ss"};
        return FloatFromJson<Date>(v, "a date as \"yyyy-mm-ddThh:mm:ss\", null or a day count");
    }
};

// ---- The property table ----

using Writer = JsonValue (*)(const clsInstrument&);
using Reader = void (*)(const JsonValue&, clsInstrument&);

struct Property {
    const char* Name;
    bool IsFlag;  // a change flag: read after every value, since assigning a value may set one
    Writer Write;
    Reader Read;
};

template <typename Codec, typename Get>
JsonValue WriteArray(Integer count, Get get) {
    JsonValue array = JsonValue::Array();
    for (Integer i = 0; i < count; ++i) array.Append(Codec::Write(get(i)));
    return array;
}

template <typename Set>
void ReadArray(const JsonValue& v, Integer count, Set set) {
    if (v.type() != JsonValue::Type::Array || v.Items().size() != static_cast<std::size_t>(count))
        throw FieldError{"expected an array of " + std::to_string(count) + " entries"};
    for (Integer i = 0; i < count; ++i) {
        try {
            set(v.Items()[static_cast<std::size_t>(i)], i);
        } catch (const FieldError& e) {
            throw FieldError{"entry " + std::to_string(i) + ": " + e.What};
        }
    }
}

constexpr Integer kGas = clsInstrument::GasChannels;
constexpr Integer kGasSlots = clsInstrument::GasSlots;
constexpr Integer kPorts = clsInstrument::PortSlots;
constexpr Integer kAnalog = clsInstrument::AnalogSlots;
constexpr Integer kList = clsInstrument::ListEntries;

#define TZ_SCALAR_PROP(Codec, Name, IsFlag)                                                      \
    Property {                                                                                   \
        #Name, IsFlag, [](const clsInstrument& r) { return Codec::Write(r.Name()); },            \
            [](const JsonValue& v, clsInstrument& r) { r.Name(Codec::Read(v)); }                 \
    }
#define TZ_ARRAY_PROP(Codec, Name, Count, IsFlag)                                                \
    Property {                                                                                   \
        #Name, IsFlag,                                                                           \
            [](const clsInstrument& r) {                                                         \
                return WriteArray<Codec>(Count, [&](Integer i) { return r.Name(i); });           \
            },                                                                                   \
            [](const JsonValue& v, clsInstrument& r) {                                           \
                ReadArray(v, Count, [&](const JsonValue& item, Integer i) {                      \
                    r.Name(i, Codec::Read(item));                                                \
                });                                                                              \
            }                                                                                    \
    }
#define TZ_VALUE(Codec, Name) TZ_SCALAR_PROP(Codec, Name, false)
#define TZ_FLAG(Name) TZ_SCALAR_PROP(BoolCodec, Name, true)
#define TZ_GAS(Codec, Name) TZ_ARRAY_PROP(Codec, Name, kGas, false)
#define TZ_GAS_FLAG(Name) TZ_ARRAY_PROP(BoolCodec, Name, kGas, true)

const Property kProperties[] = {
    // Identity, versions and bookkeeping.
    TZ_VALUE(TextCodec, SerialNo), TZ_VALUE(TextCodec, DummySerial), TZ_VALUE(TextCodec, StationID),
    TZ_VALUE(TextCodec, UserID), TZ_VALUE(TextCodec, SpecNo), TZ_VALUE(TextCodec, SpecType),
    TZ_VALUE(LongCodec, RomNumber), TZ_VALUE(TextCodec, SUM), TZ_VALUE(TextCodec, PIDver),
    TZ_VALUE(TextCodec, PID10ver), TZ_VALUE(TextCodec, PIDdata), TZ_VALUE(DateCodec, SysDate),
    TZ_VALUE(DaysCodec, SysDateOffset), TZ_VALUE(TextCodec, Key),
    TZ_VALUE(TextCodec, MessageString),
    TZ_VALUE(TextCodec, FailLine), TZ_VALUE(BoolCodec, CommFlags), TZ_VALUE(BoolCodec, ImportFlag),

    // Instrument options.
    TZ_VALUE(IntegerCodec, HcMode), TZ_VALUE(IntegerCodec, AlarmMode),
    TZ_VALUE(IntegerCodec, AlarmMode2), TZ_VALUE(IntegerCodec, AlarmO2),
    TZ_VALUE(IntegerCodec, AlarmOnOff), TZ_VALUE(IntegerCodec, StelTwaOnOff),
    TZ_VALUE(IntegerCodec, AIdata), TZ_VALUE(IntegerCodec, AJdata), TZ_VALUE(IntegerCodec, ABdata),
    TZ_VALUE(IntegerCodec, CSAdata), TZ_VALUE(IntegerCodec, RA), TZ_VALUE(IntegerCodec, Intervals),
    TZ_VALUE(IntegerCodec, DispID), TZ_VALUE(IntegerCodec, CalLimit),
    TZ_VALUE(IntegerCodec, DispCalLimit), TZ_VALUE(IntegerCodec, CalCheck),
    TZ_VALUE(IntegerCodec, CalCheckALL), TZ_VALUE(IntegerCodec, BumpFunction),
    TZ_VALUE(IntegerCodec, BumpLimit), TZ_VALUE(IntegerCodec, DispBumpLimit),
    TZ_VALUE(IntegerCodec, BumpCheck), TZ_VALUE(IntegerCodec, BumpCheckALL),
    TZ_VALUE(IntegerCodec, BumpTime), TZ_VALUE(IntegerCodec, BumpThreshold),
    TZ_VALUE(IntegerCodec, BumpFailAfter), TZ_VALUE(IntegerCodec, BumpFailCalTime),
    TZ_VALUE(IntegerCodec, BumpFailBehavior), TZ_VALUE(IntegerCodec, SpanAllowance),
    TZ_VALUE(IntegerCodec, LunchBreak), TZ_VALUE(IntegerCodec, AlarmSilence),
    TZ_VALUE(IntegerCodec, Confirmation), TZ_VALUE(IntegerCodec, ConfirmationTime),
    TZ_VALUE(IntegerCodec, LogOverWrite), TZ_VALUE(IntegerCodec, LcdBackLight),
    TZ_VALUE(IntegerCodec, autoBackLight), TZ_VALUE(IntegerCodec, LcdContrast),
    TZ_VALUE(IntegerCodec, Inverse), TZ_VALUE(IntegerCodec, InertMode),
    TZ_VALUE(IntegerCodec, LcBhMode), TZ_VALUE(IntegerCodec, BhTime),
    TZ_VALUE(IntegerCodec, LcBuzzer), TZ_VALUE(IntegerCodec, IRRange),
    TZ_VALUE(IntegerCodec, LangType), TZ_VALUE(IntegerCodec, AutoZero),
    TZ_VALUE(IntegerCodec, DemandZero), TZ_VALUE(IntegerCodec, UseUserPassword),
    TZ_VALUE(IntegerCodec, UseMaintePassword), TZ_VALUE(IntegerCodec, PasswordProtect),
    TZ_VALUE(IntegerCodec, dlogOnOff), TZ_VALUE(IntegerCodec, PumpOnOffDisp),
    TZ_VALUE(IntegerCodec, PeakBar), TZ_VALUE(IntegerCodec, LeakCOdisp),
    TZ_VALUE(IntegerCodec, Lc_PpmAuto), TZ_VALUE(IntegerCodec, pressOffset),
    TZ_VALUE(IntegerCodec, Battery), TZ_VALUE(IntegerCodec, RemainTimeDisp),
    TZ_VALUE(IntegerCodec, KeySound), TZ_VALUE(IntegerCodec, ManDown),
    TZ_VALUE(IntegerCodec, Panic),
    TZ_VALUE(IntegerCodec, ManDown1), TZ_VALUE(IntegerCodec, ManDown2),
    TZ_VALUE(IntegerCodec, ManDown3), TZ_VALUE(IntegerCodec, DateDispType),
    TZ_VALUE(SingleCodec, Inert1st), TZ_VALUE(SingleCodec, Inert2nd),
    TZ_VALUE(TextCodec, UserPassword2), TZ_VALUE(TextCodec, MaintePassword),
    TZ_VALUE(TextCodec, PasswordStr), TZ_VALUE(LongCodec, FlowLevel),

    // Values read from the instrument.
    TZ_VALUE(IntegerCodec, SHmode), TZ_VALUE(IntegerCodec, FlowValue),
    TZ_VALUE(SingleCodec, AdrealValue), TZ_ARRAY_PROP(IntegerCodec, AnalogValue, kAnalog, false),
    TZ_ARRAY_PROP(SingleCodec, LimitValue, kPorts, false),
    TZ_ARRAY_PROP(BoolCodec, LimitValueIsLo, kPorts, false),
    TZ_ARRAY_PROP(IntegerCodec, PortCh, kPorts, false),

    // Gas channels.
    TZ_GAS(TextCodec, GasName), TZ_GAS(BoolCodec, GasEnabled), TZ_GAS(TextCodec, GasUnit),
    TZ_GAS(SingleCodec, GasFullScale), TZ_GAS(SingleCodec, GasDesit),
    TZ_GAS(IntegerCodec, GasPoint),
    TZ_ARRAY_PROP(SingleCodec, Warning, kGasSlots, false),
    TZ_ARRAY_PROP(SingleCodec, Alarm, kGasSlots, false),
    TZ_ARRAY_PROP(SingleCodec, Stel, kGasSlots, false),
    TZ_ARRAY_PROP(SingleCodec, Twa, kGasSlots, false), TZ_GAS(SingleCodec, AutoCalib),
    TZ_GAS(SingleCodec, SpanData), TZ_GAS(SingleCodec, Ratio), TZ_GAS(IntegerCodec, Zero),
    TZ_GAS(IntegerCodec, OverScale), TZ_GAS(IntegerCodec, ZeroForce),
    TZ_GAS(TextCodec, SensorDate), TZ_GAS(DateCodec, CalibDate), TZ_GAS(SingleCodec, CalibBefore),
    TZ_GAS(SingleCodec, CalibAfter), TZ_GAS(DateCodec, BumpDates), TZ_GAS(SingleCodec, BumpResult),
    TZ_GAS(SingleCodec, BumpConcentration),
    // Second range.
    TZ_GAS(SingleCodec, GasFullScale_l), TZ_GAS(SingleCodec, GasDigit_l),
    TZ_GAS(IntegerCodec, GasPoint_l), TZ_GAS(TextCodec, GasUnit_l), TZ_GAS(SingleCodec, Factor_l),
    TZ_GAS(BoolCodec, WarnIsLo), TZ_GAS(BoolCodec, AlarmIsLo), TZ_GAS(BoolCodec, StelIsLo),
    TZ_GAS(BoolCodec, TwaIsLo), TZ_GAS(BoolCodec, AutoCalIsLo), TZ_GAS(BoolCodec, BeforeIsLo),
    TZ_GAS(BoolCodec, AfterIsLo), TZ_GAS(BoolCodec, BumpResultIsLo),
    TZ_GAS(BoolCodec, BumpConcentrationIsLo),
    // Logged readings.
    TZ_GAS(SingleCodec, LogMax), TZ_GAS(SingleCodec, LogMin), TZ_GAS(SingleCodec, LogAvr),
    TZ_GAS(DateCodec, LogMaxDate), TZ_GAS(DateCodec, LogMinDate),

    // Station and user lists.
    TZ_ARRAY_PROP(TextCodec, StationList, kList, false),
    TZ_ARRAY_PROP(TextCodec, UserList, kList, false),

    // Change flags.
    TZ_FLAG(Change_SerialNo), TZ_FLAG(Change_DummySerial), TZ_FLAG(Change_StationID),
    TZ_FLAG(Change_UserID), TZ_FLAG(Change_SpecNo), TZ_FLAG(Change_SpecType),
    TZ_FLAG(Change_HCMode), TZ_FLAG(Change_AlarmMode), TZ_FLAG(Change_AlarmMode2),
    TZ_FLAG(Change_AlarmO2), TZ_FLAG(Change_AlarmOnOff), TZ_FLAG(Change_StelTwaOnOff),
    TZ_FLAG(Change_AIdata), TZ_FLAG(Change_AJdata), TZ_FLAG(Change_ABdata), TZ_FLAG(Change_CSAdata),
    TZ_FLAG(Change_RA), TZ_FLAG(Change_Interval), TZ_FLAG(Change_DispID), TZ_FLAG(Change_CalLimit),
    TZ_FLAG(Change_DispCalLimit), TZ_FLAG(Change_CalCheck), TZ_FLAG(Change_CalCheckALL),
    TZ_FLAG(Change_BumpFunction), TZ_FLAG(Change_BumpLimit), TZ_FLAG(Change_DispBumpLimit),
    TZ_FLAG(Change_BumpCheck), TZ_FLAG(Change_BumpCheckALL), TZ_FLAG(Change_BumpTime),
    TZ_FLAG(Change_BumpThreshold), TZ_FLAG(Change_BumpFailAfter), TZ_FLAG(Change_BumpFailCalTime),
    TZ_FLAG(Change_BumpFailBehavior), TZ_FLAG(Change_SpanAllowance), TZ_FLAG(Change_LunchBreak),
    TZ_FLAG(Change_AlarmSilence), TZ_FLAG(Change_Confirmation), TZ_FLAG(Change_ConfirmationTime),
    TZ_FLAG(Change_LogOverWrite), TZ_FLAG(Change_LcdBackLight), TZ_FLAG(Change_autoBackLight),
    TZ_FLAG(Change_LcdContrast), TZ_FLAG(Change_Inverse), TZ_FLAG(Change_InertMode),
    TZ_FLAG(Change_LcBhMode), TZ_FLAG(Change_BhTime), TZ_FLAG(Change_LcBuzzer),
    TZ_FLAG(Change_IRRange), TZ_FLAG(Change_LangType), TZ_FLAG(Change_AutoZero),
    TZ_FLAG(Change_DemandZero), TZ_FLAG(Change_UseUserPassword), TZ_FLAG(Change_UseMaintePassword),
    TZ_FLAG(Change_PasswordProtect), TZ_FLAG(Change_dlogOnOff), TZ_FLAG(Change_PumpOnOffDisp),
    TZ_FLAG(Change_PeakBar), TZ_FLAG(Change_LeakCOdisp), TZ_FLAG(Change_Lc_PpmAuto),
    TZ_FLAG(Change_pressOffset), TZ_FLAG(Change_Battery), TZ_FLAG(Change_RemainTimeDisp),
    TZ_FLAG(Change_KeySound), TZ_FLAG(Change_ManDown), TZ_FLAG(Change_Panic),
    TZ_FLAG(Change_ManDown1), TZ_FLAG(Change_ManDown2), TZ_FLAG(Change_ManDown3),
    TZ_FLAG(Change_DateDispType), TZ_FLAG(Change_Inert1st), TZ_FLAG(Change_Inert2nd),
    TZ_FLAG(Change_UserPassword2), TZ_FLAG(Change_MaintePassword), TZ_FLAG(Change_PasswordStr),
    TZ_FLAG(Change_FlowLevel), TZ_FLAG(Change_IsCustom), TZ_FLAG(Change_PortCh),
    TZ_GAS_FLAG(Change_GasPoint), TZ_GAS_FLAG(Change_GasEnable), TZ_GAS_FLAG(Change_Warn),
    TZ_GAS_FLAG(Change_Alarm), TZ_GAS_FLAG(Change_Stel), TZ_GAS_FLAG(Change_Twa),
    TZ_GAS_FLAG(Change_AutoCal), TZ_GAS_FLAG(Change_Zero), TZ_GAS_FLAG(Change_OverScale),
    TZ_GAS_FLAG(Change_SpanData), TZ_ARRAY_PROP(BoolCodec, Change_ZeroForce, kGasSlots, true),
    TZ_GAS_FLAG(Change_Ratio), TZ_GAS_FLAG(Change_SensorDate),
    TZ_ARRAY_PROP(BoolCodec, Change_StationList, kList, true),
    TZ_ARRAY_PROP(BoolCodec, Change_UserList, kList, true),
};

#undef TZ_GAS_FLAG
#undef TZ_GAS
#undef TZ_FLAG
#undef TZ_VALUE
#undef TZ_ARRAY_PROP
#undef TZ_SCALAR_PROP

// Reads one property; a value of the wrong kind becomes the result's error.
bool ReadProperty(const Property& p, const JsonValue& value, clsInstrument& record,
                  RecordJsonResult& result) {
    try {
        p.Read(value, record);
        return true;
    } catch (const FieldError& e) {
        result.Error = std::string("\"") + p.Name + "\": " + e.What;
        return false;
    }
}

// ---- ISO 8601 dates ----

bool ReadDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool SameBits(Date a, Date b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Day counts of 0100-01-01 and 9999-12-31, the calendar the record's dates can name.
constexpr Date kFirstDay = -657434.0, kLastDay = 2958465.0;

}  // namespace

bool IsoToDate(std::string_view text, Date& value) {
    // yyyy-mm-ddThh:mm:ss[.f...]
    DateParts p;
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return false;
    if (!ReadDigits(text, 0, 4, p.year) || !ReadDigits(text, 5, 2, p.month) ||
        !ReadDigits(text, 8, 2, p.day) || !ReadDigits(text, 11, 2, p.hour) ||
        !ReadDigits(text, 14, 2, p.minute) || !ReadDigits(text, 17, 2, p.second))
        return false;
    double fraction = 0;
    if (text.size() > 19) {
        const std::size_t digits = text.size() - 20;
        int units = 0;
        if (text[19] != '.' || digits < 1 || digits > 9 || !ReadDigits(text, 20, digits, units))
            return false;
        fraction = units / std::pow(10.0, static_cast<double>(digits));
    }
    const std::optional<Date> checked = MakeDate(p);
    if (!checked) return false;
    const std::optional<Date> day = MakeDate({p.year, p.month, p.day, 0, 0, 0});
    const double time = (p.hour * 3600.0 + p.minute * 60.0 + p.second + fraction) / 86400.0;
    // The time of day is a positive fraction also of a day count before 1899-12-30.
    value = *day >= 0 ? *day + time : *day - time;
    return true;
}

std::string DateToIso(Date value) {
    if (!std::isfinite(value) || value < kFirstDay || value > kLastDay + 1) return {};
    const Date day = std::trunc(value);
    const DateParts date = SplitDate(day);
    if (!IsValidCalendarDate(date.year, date.month, date.day)) return {};
    const double seconds = std::fabs(value - day) * 86400.0;
    // The shortest of whole seconds, milliseconds, microseconds and nanoseconds that reads back
    // as exactly this day count.
    for (int digits : {0, 3, 6, 9}) {
        const long long scale = static_cast<long long>(std::pow(10.0, digits));
        const long long units = std::llround(seconds * static_cast<double>(scale));
        if (units >= 86400LL * scale) continue;
        const long long whole = units / scale;
        char buf[48];
        int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02lld:%02lld:%02lld", date.year,
                              date.month, date.day, whole / 3600, whole / 60 % 60, whole % 60);
        std::string iso(buf, static_cast<std::size_t>(n));
        if (digits > 0) {
            std::string fraction = std::to_string(units % scale);
            const auto zeros = static_cast<std::size_t>(digits) - fraction.size();
            iso += '.' + std::string(zeros, '0') + fraction;
        }
        Date back = 0;
        if (IsoToDate(iso, back) && SameBits(back, value)) return iso;
    }
    return {};
}

std::string RecordToJson(const clsInstrument& record) {
    JsonValue root = JsonValue::Object();
    for (const Property& p : kProperties) root.Add(p.Name, p.Write(record));
    return WriteJson(root);
}

RecordJsonResult RecordFromJson(std::string_view text, clsInstrument& record) {
    JsonValue root;
    RecordJsonResult result;
    if (!ParseJsonObject(text, root, result.Error, "the JSON text is not an object of record properties"))
        return result;
    return RecordFromJson(root, record);
}

RecordJsonResult RecordFromJson(const JsonValue& root, clsInstrument& record) {
    RecordJsonResult result;
    // The text's members by key; keys that name no property are reported.
    std::unordered_map<std::string_view, const JsonValue*> members;
    for (std::size_t i = 0; i < root.Keys().size(); ++i)
        members.emplace(root.Keys()[i], &root.Values()[i]);
    auto member = [&](const Property& p) -> const JsonValue* {
        const auto it = members.find(p.Name);
        if (it == members.end()) return nullptr;
        const JsonValue* v = it->second;
        members.erase(it);
        return v;
    };

    clsInstrument work = record;
    // Values first: assigning one may set its change flag.
    for (const Property& p : kProperties)
        if (const JsonValue* v = p.IsFlag ? nullptr : member(p))
            if (!ReadProperty(p, *v, work, result)) return result;
    // Then every flag: the text's value, or the one the record had.
    for (const Property& p : kProperties) {
        if (!p.IsFlag) continue;
        const JsonValue* v = member(p);
        const JsonValue kept = v ? JsonValue() : p.Write(record);
        if (!ReadProperty(p, v ? *v : kept, work, result)) return result;
    }
    for (const std::string& key : root.Keys())
        if (members.count(key)) result.UnknownKeys.push_back(key);
    record = work;
    result.Ok = true;
    return result;
}

std::vector<std::string> RecordDifferences(const clsInstrument& a, const clsInstrument& b) {
    std::vector<std::string> names;
    for (const Property& p : kProperties)
        if (WriteJson(p.Write(a)) != WriteJson(p.Write(b))) names.emplace_back(p.Name);
    return names;
}

std::vector<std::string> RecordJsonKeys() {
    std::vector<std::string> names;
    for (const Property& p : kProperties) names.emplace_back(p.Name);
    return names;
}

}  // namespace tz
