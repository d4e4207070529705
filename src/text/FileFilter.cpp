#include "text/FileFilter.h"

namespace tz {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        parts.emplace_back(text.substr(start, stop - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return parts;
}

std::string TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?[") != std::string_view::npos;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view text) {
    std::vector<std::string> parts = Split(text, '|');
    // The closing bar leaves one empty part behind.
    if (!parts.empty() && parts.back().empty()) parts.pop_back();

    std::vector<FileFilterEntry> entries;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        FileFilterEntry entry;
        entry.description = parts[i];
        if (i + 1 < parts.size()) {
            for (const std::string& pattern : Split(parts[i + 1], ';')) {
                std::string trimmed = TrimSpaces(pattern);
                if (!trimmed.empty()) entry.patterns.push_back(std::move(trimmed));
            }
        }
        if (entry.patterns.empty()) entry.patterns.push_back("*");
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string NameFilterText(const FileFilterEntry& entry) {
    std::string description = TrimSpaces(entry.description);
    if (!description.empty() && description.back() == ')') {
        const std::size_t open = description.rfind('(');
        if (open != std::string::npos) description = TrimSpaces(description.substr(0, open));
    }
    std::string patterns;
    for (const std::string& pattern : entry.patterns) {
        if (!patterns.empty()) patterns += ' ';
        patterns += pattern == "*.*" ? "*" : pattern;
    }
    if (description.empty()) return patterns;
    return description + " (" + patterns + ")";
}

std::string DefaultSuffix(const FileFilterEntry& entry) {
    if (entry.patterns.empty()) return {};
    const std::string& first = entry.patterns.front();
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return {};
    const std::string suffix = first.substr(2);
    return HasWildcard(suffix) ? std::string() : suffix;
}

}  // namespace tz
