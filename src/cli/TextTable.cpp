#include "cli/TextTable.h"

#include <algorithm>

namespace tz::cli {

namespace {

// Width on screen: UTF-8 continuation bytes take no column.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Line(const TextRow& row, const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
        line += row[c];
        if (c + 1 < row.size()) line += std::string(widths[c] - DisplayWidth(row[c]) + 2, ' ');
    }
    return line + "\n";
}

}  // namespace

std::string FormatTable(const std::vector<TextRow>& rows, bool header) {
    std::vector<std::size_t> widths;
    for (const TextRow& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        text += Line(rows[r], widths);
        if (r == 0 && header) {
            std::size_t total = 0;
            for (std::size_t w : widths) total += w + 2;
            text += std::string(total > 2 ? total - 2 : 0, '-') + "\n";
        }
    }
    return text;
}

}  // namespace tz::cli
