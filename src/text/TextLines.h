#pragma once
// The lines of a text file read whole: split at each LF, a CR before it dropped, so files with
// either line end read alike. A text that ends with a line end has no empty last line.
#include <string>
#include <string_view>
#include <vector>

namespace tz {

std::vector<std::string> TextLines(std::string_view text);

}  // namespace tz
