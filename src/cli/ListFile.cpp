#include "cli/ListFile.h"

#include "text/SharedHelpers.h"

namespace tz::cli {

namespace {
constexpr std::size_t kMaxName = 16;
}

std::string ListTitle(ListKind kind) { return kind == ListKind::Stations ? "Station List" : "User List"; }

NameList ListOf(const clsInstrument& record, ListKind kind) {
    NameList names;
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i)
        names.push_back(kind == ListKind::Stations ? record.StationList(i) : record.UserList(i));
    return names;
}

std::string ListFileText(const NameList& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += std::to_string(i + 1) + "," + names[i] + "\r\n";
    return text;
}

NameList ParseListFile(const std::string& text, int* extraLines) {
    NameList names;
    int extra = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (names.size() == static_cast<std::size_t>(clsInstrument::ListEntries)) {
            ++extra;
            continue;
        }
        const std::size_t separator = line.find_first_of(",\t");
        names.push_back(separator == std::string::npos ? std::string() : line.substr(separator + 1));
    }
    if (extraLines) *extraLines = extra;
    return names;
}

bool IsProperName(const std::string& name) { return name.size() <= kMaxName && CheckIdText(name, true, true); }

std::vector<int> ImproperEntries(const NameList& names) {
    std::vector<int> entries;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!IsProperName(names[i])) entries.push_back(static_cast<int>(i + 1));
    return entries;
}

}  // namespace tz::cli
