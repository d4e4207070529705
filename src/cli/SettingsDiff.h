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

std::vector<SettingDifference> SettingsDifferences(const clsInstrument& left, const clsInstrument& right);

// `base` with the settings file applied. Throws CliFailure(ExitUsage) naming the file and the
// line when the file cannot be read or holds a malformed line; unknown codes are passed to
// `onUnknown`.
clsInstrument WithSettingsFile(const clsInstrument& base, const std::filesystem::path& file,
                               const std::function<void(const std::string&)>& onUnknown);

// The differences as a table under the two column titles.
std::string DifferencesText(const std::vector<SettingDifference>& differences, const std::string& leftTitle,
                            const std::string& rightTitle);

}  // namespace tz::cli
