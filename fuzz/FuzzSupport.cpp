#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"

namespace tz::fuzz {

void Check(bool holds, std::string_view what, std::string_view detail) {
    if (holds) return;
    const std::string report = "property failed: " + std::string(what) + "\n" + std::string(detail) + "\n";
    std::fwrite(report.data(), 1, report.size(), stderr);
    std::abort();
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::string DifferentLines(const std::string& a, const std::string& b) {
    const std::vector<std::string> left = Lines(a), right = Lines(b);
    std::string report;
    for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        const std::string l = i < left.size() ? left[i] : "(none)";
        const std::string r = i < right.size() ? right[i] : "(none)";
        if (l != r) report += "line " + std::to_string(i + 1) + ":\n  " + l + "\n  " + r + "\n";
    }
    return report;
}

namespace {

std::string LoadedSettingsText(const std::string& text, const clsInstrument& into) {
    clsInstrument loaded = into;
    try {
        LoadSettingsText(loaded, text);
    } catch (const SettingsFileError& e) {
        Check(false, "a saved settings file loads", std::string(e.what()) + "\nline: " + e.Line() +
                                                        "\nfile:\n" + text);
    }
    return SettingsFileText(loaded);
}

}  // namespace

void CheckSettingsRoundTrip(const clsInstrument& record) {
    const std::string saved = SettingsFileText(record);
    // Into the record it came from (an instrument's own settings put back) and into a blank one
    // (another instrument).
    for (const clsInstrument& into : {record, clsInstrument{}}) {
        const std::string again = LoadedSettingsText(saved, into);
        Check(again == saved, "a saved settings file loads and saves to the same bytes",
              "saved, then loaded and saved:\n" + DifferentLines(saved, again));
    }
}

void CheckRecordJsonRoundTrip(const clsInstrument& record) {
    const std::string json = RecordToJson(record);
    clsInstrument back;
    const RecordJsonResult read = RecordFromJson(json, back);
    Check(read.Ok, "a written record reads back", read.Error);
    Check(read.UnknownKeys.empty(), "a written record has only known keys");
    std::string differences;
    for (const std::string& name : RecordDifferences(record, back)) differences += name + " ";
    Check(differences.empty(), "a written record reads back equal", differences);
    Check(RecordToJson(back) == json, "a record read back writes the same bytes");
}

}  // namespace tz::fuzz
