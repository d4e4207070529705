#include "instrument/ListFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

#include "text/SharedHelpers.h"
#include "text/TextLines.h"

namespace tz {

namespace {

constexpr std::size_t kMaxName = 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

ListFileError FaultyLine(int lineNumber, const std::string& line, const std::string& why) {
    return ListFileError("list file line " + std::to_string(lineNumber) + " (" + why + "): " + line, lineNumber,
                         line);
}

// The entry number before the separator: decimal digits, spaces around them allowed.
int EntryNumber(std::string_view text, int lineNumber, const std::string& line) {
    const auto first = text.find_first_not_of(' ');
    text = first == std::string_view::npos ? std::string_view() : text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw FaultyLine(lineNumber, line, "the entry number is not a number");
    int number = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (result.ec != std::errc() || number < 1 || number > clsInstrument::ListEntries)
        throw FaultyLine(lineNumber, line,
                         "the entry number is outside 1 to " + std::to_string(clsInstrument::ListEntries));
    return number;
}

}  // namespace

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

std::vector<ListFileEntry> ParseListFile(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<ListFileEntry> entries;
    std::array<int, clsInstrument::ListEntries> lineOfEntry{};  // 0: not named yet
    int lineNumber = 0;
    for (const std::string& line : TextLines(text)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const std::size_t separator = line.find_first_of(",\t");
        if (separator == std::string::npos) throw FaultyLine(lineNumber, line, "no comma after the entry number");
        const int entry = EntryNumber(std::string_view(line).substr(0, separator), lineNumber, line);
        int& firstLine = lineOfEntry[static_cast<std::size_t>(entry - 1)];
        if (firstLine != 0)
            throw FaultyLine(lineNumber, line,
                             "entry " + std::to_string(entry) + " is already on line " + std::to_string(firstLine));
        firstLine = lineNumber;
        entries.push_back({entry, line.substr(separator + 1)});
    }
    if (entries.empty()) throw ListFileError("the list file holds no entries", 0, {});
    return entries;
}

std::vector<ListFileEntry> LoadListFile(const std::filesystem::path& file) {
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(file, ec)) in.open(file, std::ios::binary);
    if (!in.is_open()) throw ListFileError("cannot open the list file " + file.string(), 0, {});
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ListFileError("cannot read the list file " + file.string(), 0, {});
    return ParseListFile(text.str());
}

bool IsProperName(const std::string& name) { return name.size() <= kMaxName && CheckIdText(name, true, true); }

std::vector<int> ImproperEntries(const NameList& names) {
    std::vector<int> entries;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!IsProperName(names[i])) entries.push_back(static_cast<int>(i + 1));
    return entries;
}

std::vector<int> ImproperEntries(const std::vector<ListFileEntry>& entries) {
    std::vector<int> improper;
    for (const ListFileEntry& e : entries)
        if (!IsProperName(e.name)) improper.push_back(e.entry);
    std::sort(improper.begin(), improper.end());
    return improper;
}

}  // namespace tz
