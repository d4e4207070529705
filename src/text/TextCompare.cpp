#include "text/TextCompare.h"

#include <algorithm>

namespace tz {
namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameFolded(char a, char b) { return FoldCase(a) == FoldCase(b); }

}  // namespace

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameFolded);
}

bool HoldsTextIgnoringCase(const std::string& text, const std::string& part) {
    if (part.empty()) return true;
    return std::search(text.begin(), text.end(), part.begin(), part.end(), SameFolded) != text.end();
}

}  // namespace tz
