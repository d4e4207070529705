#pragma once
// The settings that differ between two records, judged as the settings file writes them: two
// records hold the same settings exactly when every line of their settings files is equal. Each
// differing line is named by the record properties it carries.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "instrument/Json.h"
#include "instrument/clsInstrument.h"

namespace tz::cli {

struct SettingDifference {
    std::string code;   // the settings file line's code ("A1")
    std::string name;   // the property and entry ("Warning[3]"), or the code itself
    std::string left;   // the values as text
    std::string right;
};

// Entry `index` (-1: a property without entries) of property `name` of `record` as the program
// shows it; `json` is its JSON form. Gas values carry their channel's decimals (levels in the
// range their mark names, with the second range's unit), dates the general date format, texts
// are trimmed, flags read on/off (range marks L/H), other numbers as plain numbers.
std::string SettingValueText(const clsInstrument& record, const std::string& name, int index, const JsonValue& json);

// Every line of the two records' settings files compared.
std::vector<SettingDifference> SettingsDifferences(const clsInstrument& left, const clsInstrument& right);

// A settings file applied to a record, and the codes of the lines the file holds.
struct SettingsFileContent {
    clsInstrument record;
    std::vector<std::string> codes;
};


// `base` with the settings file applied, and the lines the file holds. Throws
// CliFailure(ExitUsage) naming the file and the line when the file cannot be read or holds a
// malformed line; unknown codes are passed to `onUnknown`.
SettingsFileContent ReadSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                                     const std::function<void(const std::string&)>& onUnknown);
// The record alone.
clsInstrument WithSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                               const std::function<void(const std::string&)>& onUnknown);

// Two files compared for what they hold: the lines both hold, and each line one of them holds
// alone, shown as "(not in the file)" on the other side. Each file is applied over the other,
// so what a line depends on (the decimals and channels of "GJ") comes from the other file when
// the file itself does not hold it. Faults as WithSettingsFile.
std::vector<SettingDifference> FileDifferences(const std::filesystem::path& left, const std::filesystem::path& right,
                                               const std::function<void(const std::string&)>& onUnknown);

// The differences as a table under the two column titles.
std::string DifferencesText(const std::vector<SettingDifference>& differences, const std::string& leftTitle,
                            const std::string& rightTitle);

}  // namespace tz::cli
