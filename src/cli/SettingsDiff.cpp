#include "cli/SettingsDiff.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/CliText.h"
#include "cli/CliTypes.h"
#include "cli/InfoSummary.h"
#include "cli/TextTable.h"
#include "instrument/Json.h"
#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"
#include "instrument/modGasCommon.h"

namespace tz::cli {

namespace {

// The JSON text of a value: what decides whether two entries differ.
std::string RawText(const JsonValue& v) {
    switch (v.type()) {
    case JsonValue::Type::Null: return "null";
    case JsonValue::Type::Bool: return v.AsBool() ? "true" : "false";
    case JsonValue::Type::String: return "\"" + v.Text() + "\"";
    default: return v.Text();
    }
}

using GasSingle = Single (clsInstrument::*)(Integer) const;
using GasBool = bool (clsInstrument::*)(Integer) const;
using GasInteger = Integer (clsInstrument::*)(Integer) const;
using GasDate = Date (clsInstrument::*)(Integer) const;

// Alarm levels: shown in the range their mark names, with the unit when it is the second range.
struct LevelProperty {
    std::string_view name;
    GasSingle value;
    GasBool isLo;
};
constexpr LevelProperty kLevelProperties[] = {
    {"Warning", &clsInstrument::Warning, &clsInstrument::WarnIsLo},
    {"Alarm", &clsInstrument::Alarm, &clsInstrument::AlarmIsLo},
    {"Stel", &clsInstrument::Stel, &clsInstrument::StelIsLo},
    {"Twa", &clsInstrument::Twa, &clsInstrument::TwaIsLo},
    {"AutoCalib", &clsInstrument::AutoCalib, &clsInstrument::AutoCalIsLo},
};

// Gas values of one range, shown with that range's decimals.
struct GasValueProperty {
    std::string_view name;
    GasSingle value;
    GasInteger decimals;
};
constexpr GasValueProperty kGasValueProperties[] = {
    {"GasFullScale", &clsInstrument::GasFullScale, &clsInstrument::GasPoint},
    {"GasDesit", &clsInstrument::GasDesit, &clsInstrument::GasPoint},
    {"SpanData", &clsInstrument::SpanData, &clsInstrument::GasPoint},
    {"GasFullScale_l", &clsInstrument::GasFullScale_l, &clsInstrument::GasPoint_l},
    {"GasDigit_l", &clsInstrument::GasDigit_l, &clsInstrument::GasPoint_l},
};

struct DateProperty {
    std::string_view name;
    GasDate value;
};
constexpr DateProperty kDateProperties[] = {
    {"CalibDate", &clsInstrument::CalibDate},
    {"BumpDates", &clsInstrument::BumpDates},
    {"LogMaxDate", &clsInstrument::LogMaxDate},
    {"LogMinDate", &clsInstrument::LogMinDate},
};

// The range marks, as the instrument and the settings file spell them.
constexpr std::string_view kRangeMarkProperties[] = {"WarnIsLo",  "AlarmIsLo",  "StelIsLo",
                                                     "TwaIsLo",   "AutoCalIsLo", "BeforeIsLo",
                                                     "AfterIsLo", "BumpResultIsLo",
                                                     "BumpConcentrationIsLo", "LimitValueIsLo"};

template <typename Table>
const auto* FindProperty(const Table& table, const std::string& name) {
    for (const auto& row : table)
        if (row.name == name) return &row;
    return static_cast<decltype(&table[0])>(nullptr);
}

bool IsRangeMark(const std::string& name) {
    for (std::string_view mark : kRangeMarkProperties)
        if (mark == name) return true;
    return false;
}

// Values that need the record to be shown: gas values with their channel's decimals, dates.
std::optional<std::string> RecordValueText(const clsInstrument& record, const std::string& name, int index) {
    if (name == "SysDate") return DateText(record.SysDate());
    if (index < 0 || index >= clsInstrument::GasChannels) return std::nullopt;
    const auto gas = static_cast<Integer>(index);
    if (const auto* level = FindProperty(kLevelProperties, name))
        return LevelText(record, gas, (record.*level->value)(gas), (record.*level->isLo)(gas));
    if (const auto* value = FindProperty(kGasValueProperties, name))
        return GasValueText((record.*value->value)(gas), (record.*value->decimals)(gas), false);
    if (const auto* date = FindProperty(kDateProperties, name)) return DateText((record.*date->value)(gas));
    return std::nullopt;
}

// Values shown from their JSON form alone: plain numbers, trimmed texts, on/off.
std::string PlainValueText(const std::string& name, const JsonValue& v) {
    switch (v.type()) {
    case JsonValue::Type::Null: return "-";
    case JsonValue::Type::Bool:
        if (IsRangeMark(name)) return v.AsBool() ? "L" : "H";
        return v.AsBool() ? "on" : "off";
    case JsonValue::Type::String: return OrDash(Trim(v.Text()));
    default: return v.Text();
    }
}

bool IsChangeFlag(const std::string& name) { return name.rfind("Change_", 0) == 0; }

// One difference per differing entry of the property (per index for arrays).
void AddPropertyDifferences(const std::string& code, const std::string& name, const clsInstrument& left,
                            const JsonValue& a, const clsInstrument& right, const JsonValue& b,
                            std::vector<SettingDifference>& out) {
    if (a.type() == JsonValue::Type::Array && b.type() == JsonValue::Type::Array &&
        a.Items().size() == b.Items().size()) {
        for (std::size_t i = 0; i < a.Items().size(); ++i) {
            if (RawText(a.Items()[i]) == RawText(b.Items()[i])) continue;
            const int index = static_cast<int>(i);
            out.push_back({code, name + "[" + std::to_string(i + 1) + "]",
                           SettingValueText(left, name, index, a.Items()[i]),
                           SettingValueText(right, name, index, b.Items()[i])});
        }
        return;
    }
    out.push_back({code, name, SettingValueText(left, name, -1, a), SettingValueText(right, name, -1, b)});
}

// The line's payload: what the file holds after "<code>,W,".
std::string PayloadOf(const std::string& code, const clsInstrument& record) {
    return SettingsFileLine(code, record).substr(code.size() + 3);
}

// The properties that the line `code` of `right` changes in `left`; each side is shown with its own
// record's decimals and range marks.
void AddLineDifferences(const std::string& code, const clsInstrument& left, const clsInstrument& right,
                        std::vector<SettingDifference>& out) {
    clsInstrument before = left;
    clsInstrument after = left;
    LoadSettingsText(after, SettingsFileLine(code, right));
    before.ClearChangeFlags();
    after.ClearChangeFlags();
    const JsonValue a = ParseJson(RecordToJson(before));
    const JsonValue b = ParseJson(RecordToJson(after));
    const std::size_t start = out.size();
    for (const std::string& name : RecordDifferences(before, after))
        if (!IsChangeFlag(name)) AddPropertyDifferences(code, name, left, *a.Find(name), right, *b.Find(name), out);
    if (out.size() == start) {
        // The lines differ in an encoding that no property shows: name the line itself.
        out.push_back({code, code, PayloadOf(code, left), PayloadOf(code, right)});
    }
}

}  // namespace

std::string SettingValueText(const clsInstrument& record, const std::string& name, int index, const JsonValue& json) {
    if (json.type() == JsonValue::Type::Number || json.type() == JsonValue::Type::Null ||
        json.type() == JsonValue::Type::String) {
        if (std::optional<std::string> text = RecordValueText(record, name, index)) return *text;
    }
    return PlainValueText(name, json);
}

namespace {

constexpr std::string_view kNotInFile = "(not in the file)";

bool Holds(const std::vector<std::string>* codes, const std::string& code) {
    return codes == nullptr || std::find(codes->begin(), codes->end(), code) != codes->end();
}

// The lines that differ, among those both sides hold (null: every line); a line one side holds
// alone is a difference of its own.
std::vector<SettingDifference> Differences(const clsInstrument& left, const std::vector<std::string>* leftCodes,
                                           const clsInstrument& right, const std::vector<std::string>* rightCodes) {
    std::vector<SettingDifference> out;
    for (std::string_view code : SettingsFileCodes) {
        const std::string c(code);
        const bool inLeft = Holds(leftCodes, c), inRight = Holds(rightCodes, c);
        if (!inLeft && !inRight) continue;
        if (inLeft != inRight) {
            out.push_back({c, c, inLeft ? PayloadOf(c, left) : std::string(kNotInFile),
                           inRight ? PayloadOf(c, right) : std::string(kNotInFile)});
            continue;
        }
        if (SettingsFileLine(c, left) == SettingsFileLine(c, right)) continue;
        try {
            AddLineDifferences(c, left, right, out);
        } catch (const SettingsFileError&) {
            // A line a record writes but that does not load back (a value the instrument gave
            // that no file holds) cannot be split into properties: name the line itself.
            out.push_back({c, c, PayloadOf(c, left), PayloadOf(c, right)});
        }
    }
    return out;
}

}  // namespace

std::vector<SettingDifference> SettingsDifferences(const clsInstrument& left, const clsInstrument& right) {
    return Differences(left, nullptr, right, nullptr);
}

SettingsFileContent ReadSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                                     const std::function<void(const std::string&)>& onUnknown) {
    SettingsFileContent content{base, {}};
    try {
        content.codes = LoadSettingsFile(content.record, file, onUnknown);
    } catch (const SettingsFileError& e) {
        throw CliFailure(ExitUsage, file.string() + ": " + e.what());
    }
    return content;
}

clsInstrument WithSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                               const std::function<void(const std::string&)>& onUnknown) {
    return ReadSettingsFile(base, file, onUnknown).record;
}

std::string DifferencesText(const std::vector<SettingDifference>& differences, const std::string& leftTitle,
                            const std::string& rightTitle) {
    std::vector<TextRow> rows = {{"Setting", leftTitle, rightTitle}};
    for (const SettingDifference& d : differences) rows.push_back({d.code + " " + d.name, d.left, d.right});
    return FormatTable(rows);
}

std::vector<SettingDifference> FileDifferences(const std::filesystem::path& left, const std::filesystem::path& right,
                                               const std::function<void(const std::string&)>& onUnknown) {
    const clsInstrument blank;
    const SettingsFileContent a = ReadSettingsFile(blank, left, onUnknown);
    const SettingsFileContent b = ReadSettingsFile(blank, right, onUnknown);
    const auto quiet = [](const std::string&) {};
    return Differences(WithSettingsFile(b.record, left, quiet), &a.codes, WithSettingsFile(a.record, right, quiet),
                       &b.codes);
}

}  // namespace tz::cli
