#include "sim/SimStateJson.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <system_error>

#include "instrument/Json.h"
#include "instrument/RecordJson.h"
#include "text/WholeFile.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMemoryBytes = 1u << 20;
constexpr std::size_t kZeroCounts = std::tuple_size_v<decltype(SimState::zeroCounts)>;
constexpr std::size_t kSecondRanges = std::tuple_size_v<decltype(SimState::secondRangeFactor)>;
constexpr Integer kFirstSecondRangeGas = 4;

// A value of the "SimState" member of the wrong kind or range; the key is added by the reader.
struct SectionError {
    std::string What;
};

// ---- Values ----

JsonValue Whole(long long value) { return JsonValue::Number(std::to_string(value)); }

long long WholeFrom(const JsonValue& v, long long low, long long high) {
    const std::string expected =
        "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    if (v.type() != JsonValue::Type::Number) throw SectionError{expected};
    long long value = 0;
    const std::string& text = v.Text();
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw SectionError{expected + ", found " + text};
    return value;
}

JsonValue SingleToJson(Single value) {
    if (std::isnan(value)) return JsonValue::String("NaN");
    if (std::isinf(value)) return JsonValue::String(value > 0 ? "Infinity" : "-Infinity");
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return JsonValue::Number(std::string(buf, result.ptr));
}

Single SingleFrom(const JsonValue& v) {
    if (v.type() == JsonValue::Type::String) {
        if (v.Text() == "NaN") return std::numeric_limits<Single>::quiet_NaN();
        if (v.Text() == "Infinity") return std::numeric_limits<Single>::infinity();
        if (v.Text() == "-Infinity") return -std::numeric_limits<Single>::infinity();
    }
    if (v.type() != JsonValue::Type::Number) throw SectionError{"expected a number"};
    Single value = 0;
    const std::string& text = v.Text();
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw SectionError{text + " is outside the range of a single-precision number"};
    return value;
}

// Dates as the record writes them: ISO 8601 where a calendar date reproduces the day count.
JsonValue DateToJson(Date value) {
    const std::string iso = DateToIso(value);
    if (!iso.empty()) return JsonValue::String(iso);
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return JsonValue::Number(std::string(buf, result.ptr));
}

Date DateFrom(const JsonValue& v) {
    Date date = 0;
    if (v.type() == JsonValue::Type::String) {
        if (IsoToDate(v.Text(), date)) return date;
        throw SectionError{"\"" + v.Text() + "\" is not a date and time as yyyy-mm-ddThh:mm:ss"};
    }
    if (v.type() == JsonValue::Type::Number) {
        const std::string& text = v.Text();
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), date);
        if (ec == std::errc() && end == text.data() + text.size() && std::isfinite(date)) return date;
    }
    throw SectionError{"expected a date as \"yyyy-mm-ddThh:mm:ss\" or a day count"};
}

// The model travels in a reply field: printable ASCII without the field separator.
std::string ModelFrom(const JsonValue& v) {
    if (v.type() != JsonValue::Type::String || v.Text().empty())
        throw SectionError{"expected the model name as a text"};
    for (const char c : v.Text())
        if (c < 0x20 || c > 0x7E || c == ',')
            throw SectionError{"the model name may hold printable ASCII characters other than ','"};
    return v.Text();
}

const JsonValue& ArrayOf(const JsonValue& v, std::size_t count) {
    if (v.type() != JsonValue::Type::Array || v.Items().size() != count)
        throw SectionError{"expected an array of " + std::to_string(count) + " entries"};
    return v;
}

// Reads each entry; an error names the entry.
template <typename Read>
void ForEachEntry(const JsonValue& array, std::size_t count, Read read) {
    const std::vector<JsonValue>& items = ArrayOf(array, count).Items();
    for (std::size_t i = 0; i < count; ++i) {
        try {
            read(items[i], i);
        } catch (const SectionError& e) {
            throw SectionError{"entry " + std::to_string(i) + ": " + e.What};
        }
    }
}

// ---- The record ----

// An instrument's record carries no change flags.
void ClearAllChangeFlags(clsInstrument& record) {
    record.ClearChangeFlags();
    record.Change_FlowLevel(false);  // kept by ClearChangeFlags
    record.Change_pressOffset(false);
}

JsonValue RecordObject(const clsInstrument& record) { return ParseJson(RecordToJson(record)); }

// Decimals as a power of ten; a channel without a range counts as none.
double DecimalScale(Integer decimals) {
    return decimals >= 0 && decimals <= 9 ? std::pow(10.0, decimals) : 1.0;
}

// The factor of second range `i` as the instrument sends it, from the record's value in the
// main range's decimals.
void SecondRangeFactorFromRecord(SimState& s, std::size_t i) {
    const auto gas = static_cast<Integer>(kFirstSecondRangeGas + static_cast<Integer>(i));
    const Single kept = s.record.Factor_l(gas);
    s.hasSecondRangeFactor[i] = kept != static_cast<Single>(NoValue);
    s.secondRangeFactor[i] =
        s.hasSecondRangeFactor[i]
            ? static_cast<Single>(kept / DecimalScale(s.record.GasPoint(gas)) *
                                  DecimalScale(s.record.GasPoint_l(gas)))
            : 0;
}

// ---- The "SimState" member ----

JsonValue SectionToJson(const SimState& s) {
    JsonValue section = JsonValue::Object();
    section.Add("Model", JsonValue::String(s.model));
    section.Add("Clock", DateToJson(s.clock));
    JsonValue zero = JsonValue::Array();
    for (const Integer count : s.zeroCounts) zero.Append(Whole(count));
    section.Add("ZeroCounts", std::move(zero));
    JsonValue factors = JsonValue::Array();
    for (std::size_t i = 0; i < kSecondRanges; ++i)
        factors.Append(s.hasSecondRangeFactor[i] ? SingleToJson(s.secondRangeFactor[i]) : JsonValue());
    section.Add("SecondRangeFactors", std::move(factors));
    section.Add("MemorySeed", Whole(s.memorySeed));
    section.Add("ListingBytes", Whole(static_cast<long long>(s.listingBytes)));
    section.Add("Defaults", RecordObject(s.defaults));
    return section;
}

// Reads the "Defaults" member onto the loaded record.
void ReadDefaults(const JsonValue& v, SimState& s, std::vector<std::string>& unknown) {
    if (v.type() != JsonValue::Type::Object)
        throw SectionError{"expected an object of record properties"};
    clsInstrument defaults = s.record;
    const RecordJsonResult read = RecordFromJson(WriteJson(v), defaults);
    if (!read.Ok) throw SectionError{read.Error};
    for (const std::string& key : read.UnknownKeys)
        unknown.push_back(std::string(SimStateJsonKey) + ".Defaults." + key);
    ClearAllChangeFlags(defaults);
    s.defaults = defaults;
}

using SectionReader =
    std::function<void(const JsonValue&, SimState&, std::vector<std::string>& unknown)>;

// Every member of "SimState", in the order they are applied (the memory image before the range
// the listing covers).
const std::vector<std::pair<std::string, SectionReader>>& SectionReaders() {
    static const std::vector<std::pair<std::string, SectionReader>> readers = {
        {"Model", [](const JsonValue& v, SimState& s, auto&) { s.model = ModelFrom(v); }},
        {"Clock", [](const JsonValue& v, SimState& s, auto&) { s.clock = DateFrom(v); }},
        {"ZeroCounts",
         [](const JsonValue& v, SimState& s, auto&) {
             ForEachEntry(v, kZeroCounts, [&](const JsonValue& item, std::size_t i) {
                 s.zeroCounts[i] = static_cast<Integer>(WholeFrom(
                     item, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
             });
         }},
        {"SecondRangeFactors",
         [](const JsonValue& v, SimState& s, auto&) {
             ForEachEntry(v, kSecondRanges, [&](const JsonValue& item, std::size_t i) {
                 s.hasSecondRangeFactor[i] = !item.IsNull();
                 s.secondRangeFactor[i] = item.IsNull() ? 0 : SingleFrom(item);
             });
         }},
        {"MemorySeed",
         [](const JsonValue& v, SimState& s, auto&) {
             const auto seed = static_cast<std::uint32_t>(
                 WholeFrom(v, 0, std::numeric_limits<std::uint32_t>::max()));
             if (seed == s.memorySeed && !s.memory.empty()) return;
             s.memorySeed = seed;
             s.memory = MakeMemoryImage(s.memory.empty() ? kMemoryBytes : s.memory.size(), seed);
         }},
        {"ListingBytes",
         [](const JsonValue& v, SimState& s, auto&) {
             s.listingBytes = static_cast<std::size_t>(
                 WholeFrom(v, 0, static_cast<long long>(s.memory.size())));
         }},
        {"Defaults", ReadDefaults},
    };
    return readers;
}

// Values the section leaves out that a read's record supplies.
void FillFromRecord(const JsonValue& root, const JsonValue& section, SimState& s) {
    if (!section.Find("Clock") && root.Find("SysDate") &&
        s.record.SysDate() != static_cast<Date>(NoValue))
        s.clock = s.record.SysDate();
    if (!section.Find("SecondRangeFactors") && root.Find("Factor_l"))
        for (std::size_t i = 0; i < kSecondRanges; ++i) SecondRangeFactorFromRecord(s, i);
    if (!section.Find("Defaults")) s.defaults = s.record;
}

void ReadSection(const JsonValue& root, SimState& s, std::vector<std::string>& unknown) {
    const JsonValue* found = root.Find(SimStateJsonKey);
    if (found && found->type() != JsonValue::Type::Object)
        throw SectionError{"expected an object"};
    const JsonValue section = found ? *found : JsonValue::Object();
    for (const auto& [key, read] : SectionReaders()) {
        if (const JsonValue* v = section.Find(key)) {
            try {
                read(*v, s, unknown);
            } catch (const SectionError& e) {
                throw SectionError{"\"" + key + "\": " + e.What};
            }
        }
    }
    for (const std::string& key : section.Keys()) {
        bool known = false;
        for (const auto& reader : SectionReaders()) known = known || reader.first == key;
        if (!known) unknown.push_back(std::string(SimStateJsonKey) + "." + key);
    }
    FillFromRecord(root, section, s);
}

}  // namespace

std::string SimStateToJson(const SimState& state) {
    JsonValue root = RecordObject(state.record);
    root.Add(SimStateJsonKey, SectionToJson(state));
    return WriteJson(root);
}

SimStateJsonResult SimStateFromJson(std::string_view text, SimState& state) {
    SimStateJsonResult result;
    JsonValue root;
    if (!ParseJsonObject(text, root, result.Error, "the state is not a JSON object of record properties"))
        return result;

    SimState work = state;
    const RecordJsonResult record = RecordFromJson(root, work.record);
    if (!record.Ok) {
        result.Error = record.Error;
        return result;
    }
    ClearAllChangeFlags(work.record);
    for (const std::string& key : record.UnknownKeys)
        if (key != SimStateJsonKey) result.UnknownKeys.push_back(key);
    try {
        ReadSection(root, work, result.UnknownKeys);
    } catch (const SectionError& e) {
        result.Error = std::string("\"") + SimStateJsonKey + "\": " + e.What;
        result.UnknownKeys.clear();
        return result;
    }
    state = std::move(work);
    result.Ok = true;
    return result;
}

SimStateJsonResult LoadSimStateFile(const fs::path& file, SimState& state) {
    SimStateJsonResult result;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        result.Error = fs::exists(file, ec) ? "not a regular file" : "no such file";
        return result;
    }
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec && size > SimStateFileMaxBytes) {
        result.Error = "larger than a state file can be (" + std::to_string(SimStateFileMaxBytes) +
                       " bytes)";
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        result.Error = "cannot be read";
        return result;
    }
    return SimStateFromJson(text, state);
}

bool SaveSimStateFile(const fs::path& file, const SimState& state, std::string& error) {
    return WriteFileWhole(file, SimStateToJson(state), &error);
}

}  // namespace tz
