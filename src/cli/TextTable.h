#pragma once
// Plain-text tables: columns left-aligned to their widest cell, two spaces apart.
#include <string>
#include <vector>

namespace tz::cli {

using TextRow = std::vector<std::string>;

// The rows as lines (each ending in "\n"), the first row being the header, followed by a rule.
std::string FormatTable(const std::vector<TextRow>& rows, bool header = true);

}  // namespace tz::cli
