#include "cli/SettingsInput.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ConfigValues.h"
#include "cli/CliTypes.h"
#include "cli/SettingsDiff.h"
#include "instrument/SettingsFile.h"
#include "text/clsToken.h"

namespace tz::cli {

namespace {

struct CodeLine {
    int number = 0;
    std::string code;
};

// The lines that carry a code, split as the loader splits them (fields at ",", comments from
// ";"); blank and comment-only lines are left out.
std::vector<CodeLine> CodeLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    std::istringstream lines(content.str());
    clsToken tokens;
    tokens.AddDelimiters(",");
    tokens.AddComments(";");
    std::vector<CodeLine> found;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        tokens.Source(line);
        if (tokens.TokenCount() > 0) found.push_back({number, UpperAscii(tokens.Tokens(0))});
    }
    return found;
}

}  // namespace

clsInstrument LoadSettingsInput(const clsInstrument& base, const std::filesystem::path& file, std::ostream& warnings) {
    std::vector<std::string> unknown;
    clsInstrument record = WithSettingsFile(base, file, [&](const std::string& code) { unknown.push_back(code); });
    // The file loaded, so every line is well formed; the loader tells the unknown codes in file
    // order, which places each of them on its line.
    const std::vector<CodeLine> lines = CodeLines(file);
    std::size_t next = 0;
    for (const std::string& code : unknown) {
        while (next < lines.size() && lines[next].code != code) ++next;
        warnings << file.string();
        if (next < lines.size()) warnings << " line " << lines[next++].number;
        warnings << ": " << UnknownCodeMessage(code) << "\n";
    }
    if (lines.size() <= unknown.size()) throw CliFailure(ExitUsage, "no settings in " + file.string());
    return record;
}

}  // namespace tz::cli
