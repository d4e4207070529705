#pragma once
// The station and user list files: one line per entry, the entry number (1 to 128), a comma and
// the name as it stands.
#include <array>
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"

namespace tz::cli {

using NameList = std::vector<std::string>;

// "Station List" or "User List": the argument of message 8056.
enum class ListKind { Stations, Users };
std::string ListTitle(ListKind kind);

// The record's 128 entries of the list.
NameList ListOf(const clsInstrument& record, ListKind kind);

// The file text: "1,NAME" ... "128,NAME", each line ending in CR LF.
std::string ListFileText(const NameList& names);

// Reads a list file: line by line, the entry number up to the first comma or tab is dropped and
// the rest of the line is the name, commas and tabs included, so nothing of a name is lost; a line
// without a separator gives an empty name. At most 128 lines are taken; `extraLines` counts the
// ones beyond.
NameList ParseListFile(const std::string& text, int* extraLines = nullptr);

// A name is proper when it has at most 16 characters, all between the space and "~".
bool IsProperName(const std::string& name);
// Entry numbers (from 1) of the improper names.
std::vector<int> ImproperEntries(const NameList& names);

}  // namespace tz::cli
