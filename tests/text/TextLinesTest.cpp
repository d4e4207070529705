#include "text/TextLines.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

TEST(TextLines, EitherLineEndNoEmptyLastLine) {
    using Lines = std::vector<std::string>;
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\r\n\nx\r", {"", "", "x"}},
        {"a\rb\n", {"a\rb"}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(TextLines(text), lines) << text;
}

}  // namespace
}  // namespace tz
