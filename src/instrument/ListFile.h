#pragma once
// The station and user list files: one line per entry, the entry number (1 to 128), a comma and
// the name as it stands. The command line and the parameter dialog read and write them here.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/clsInstrument.h"
#include "text/Errors.h"

namespace tz {

using NameList = std::vector<std::string>;

// "Station List" or "User List": the argument of message 8056.
enum class ListKind { Stations, Users };
std::string ListTitle(ListKind kind);

// The record's 128 entries of the list.
NameList ListOf(const clsInstrument& record, ListKind kind);

// The file text: "1,NAME" ... "128,NAME", each line ending in CR LF.
std::string ListFileText(const NameList& names);

// One line of a list file: the entry it names (1 to 128) and the name.
struct ListFileEntry {
    int entry = 0;
    std::string name;
    bool operator==(const ListFileEntry&) const = default;
};

// A list file that cannot be used. For a faulty line LineNumber() (from 1) and Line() name it;
// they are 0 and empty when the file as a whole is at fault.
class ListFileError : public FileLineError {
public:
    using FileLineError::FileLineError;
};

// Reads a list file's text: each line is the entry number, a comma (or a tab) and the name, which
// is the rest of the line as it stands, commas and tabs included. The number chooses the entry;
// blank lines are skipped and entries the file does not name are not in the result. A line without
// a separator, a number that is not a whole number from 1 to 128, or an entry named twice throws
// ListFileError naming the line; so does a file without any entry. A byte order mark before the
// first line is dropped.
std::vector<ListFileEntry> ParseListFile(std::string_view text);

// The same for a file; ListFileError also when it cannot be read.
std::vector<ListFileEntry> LoadListFile(const std::filesystem::path& file);

// A name is proper when it has at most 16 characters, all between the space and "~".
bool IsProperName(const std::string& name);
// Entry numbers (from 1) of the improper names.
std::vector<int> ImproperEntries(const NameList& names);
std::vector<int> ImproperEntries(const std::vector<ListFileEntry>& entries);

}  // namespace tz
