#pragma once
// File-dialog filter texts as the program's message catalogue writes them: pairs of a description
// and its patterns, each part followed by a vertical bar,
//   "All files (*.*)|*.*|Config Data (*.seq)|*.seq|"
// Several patterns of one pair are separated by ";" ("*.csv;*.txt").
#include <string>
#include <string_view>
#include <vector>

namespace tz {

struct FileFilterEntry {
    std::string description;            // "Config Data (*.seq)"
    std::vector<std::string> patterns;  // "*.seq"

    bool operator==(const FileFilterEntry&) const = default;
};

// The pairs of a filter text, in order. The last bar may be left out; a description without a
// pattern part gets "*"; empty patterns are dropped. An empty text gives no pairs.
std::vector<FileFilterEntry> ParseFileFilter(std::string_view text);

// The filter as a file dialog lists it: the description without a trailing "(...)" of its own,
// followed by the patterns in parentheses, separated by spaces. "*.*" matches every file, also
// one without an extension, so it is written "*": "All files (*)", "Config Data (*.seq)".
std::string NameFilterText(const FileFilterEntry& entry);

// The extension a saved file gets when the user types a name without one: "seq" for a filter
// whose first pattern is "*.seq"; empty when the first pattern names no single extension.
std::string DefaultSuffix(const FileFilterEntry& entry);

}  // namespace tz
