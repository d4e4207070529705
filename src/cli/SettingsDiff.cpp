#include "cli/SettingsDiff.h"

#include "cli/CliTypes.h"
#include "cli/TextTable.h"
#include "instrument/Json.h"
#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"

namespace tz::cli {

namespace {

std::string ValueText(const JsonValue& v) {
    switch (v.type()) {
    case JsonValue::Type::Null: return "-";
    case JsonValue::Type::Bool: return v.AsBool() ? "true" : "false";
    case JsonValue::Type::String: return "\"" + v.Text() + "\"";
    default: return v.Text();
    }
}

bool IsChangeFlag(const std::string& name) { return name.rfind("Change_", 0) == 0; }

// One difference per differing entry of the property (per index for arrays).
void AddPropertyDifferences(const std::string& code, const std::string& name, const JsonValue& a,
                            const JsonValue& b, std::vector<SettingDifference>& out) {
    if (a.type() == JsonValue::Type::Array && b.type() == JsonValue::Type::Array &&
        a.Items().size() == b.Items().size()) {
        for (std::size_t i = 0; i < a.Items().size(); ++i) {
            const std::string left = ValueText(a.Items()[i]), right = ValueText(b.Items()[i]);
            if (left != right) out.push_back({code, name + "[" + std::to_string(i + 1) + "]", left, right});
        }
        return;
    }
    out.push_back({code, name, ValueText(a), ValueText(b)});
}

// The properties that the line `code` of `right` changes in `left`.
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
        if (!IsChangeFlag(name)) AddPropertyDifferences(code, name, *a.Find(name), *b.Find(name), out);
    if (out.size() == start) {
        // The lines differ in an encoding that no property shows: name the line itself.
        const std::string l = SettingsFileLine(code, left), r = SettingsFileLine(code, right);
        out.push_back({code, code, l.substr(code.size() + 3), r.substr(code.size() + 3)});
    }
}

}  // namespace

std::vector<SettingDifference> SettingsDifferences(const clsInstrument& left, const clsInstrument& right) {
    std::vector<SettingDifference> out;
    for (std::string_view code : SettingsFileCodes) {
        const std::string c(code);
        if (SettingsFileLine(c, left) != SettingsFileLine(c, right)) AddLineDifferences(c, left, right, out);
    }
    return out;
}

clsInstrument WithSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                               const std::function<void(const std::string&)>& onUnknown) {
    clsInstrument record = base;
    try {
        LoadSettingsFile(record, file, onUnknown);
    } catch (const SettingsFileError& e) {
        throw CliFailure(ExitUsage, file.string() + ": " + e.what());
    }
    return record;
}

std::string DifferencesText(const std::vector<SettingDifference>& differences, const std::string& leftTitle,
                            const std::string& rightTitle) {
    std::vector<TextRow> rows = {{"Setting", leftTitle, rightTitle}};
    for (const SettingDifference& d : differences) rows.push_back({d.code + " " + d.name, d.left, d.right});
    return FormatTable(rows);
}

}  // namespace tz::cli
