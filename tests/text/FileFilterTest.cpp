#include <gtest/gtest.h>

#include "text/FileFilter.h"

namespace tz {
namespace {

TEST(FileFilter, CatalogueFilterTexts_ReadAsDescriptionAndPatterns) {
    EXPECT_EQ(ParseFileFilter("All files (*.*)|*.*|Config Data (*.seq)|*.seq|"),
              (std::vector<FileFilterEntry>{{"All files (*.*)", {"*.*"}}, {"Config Data (*.seq)", {"*.seq"}}}));
    EXPECT_EQ(ParseFileFilter("Text|*.txt; *.csv"),  // no closing bar, two patterns
              (std::vector<FileFilterEntry>{{"Text", {"*.txt", "*.csv"}}}));
    EXPECT_EQ(ParseFileFilter("Anything|"), (std::vector<FileFilterEntry>{{"Anything", {"*"}}}));
    EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(FileFilter, NameFilterText_PatternsInParenthesesAndStarDotStarIsEveryFile) {
    struct Case {
        FileFilterEntry entry;
        const char* expected;
    };
    const Case cases[] = {
        {{"All files (*.*)", {"*.*"}}, "All files (*)"},
        {{"Config Data (*.seq)", {"*.seq"}}, "Config Data (*.seq)"},
        {{"カンマ区切り (*.csv)", {"*.csv"}}, "カンマ区切り (*.csv)"},
        {{"Lists", {"*.csv", "*.txt"}}, "Lists (*.csv *.txt)"},
        {{"", {"*.dat"}}, "*.dat"},
    };
    for (const Case& c : cases) EXPECT_EQ(NameFilterText(c.entry), c.expected) << c.entry.description;
}

TEST(FileFilter, DefaultSuffix_OnlyForOneNamedExtension) {
    EXPECT_EQ(DefaultSuffix({"Config Data", {"*.seq"}}), "seq");
    EXPECT_EQ(DefaultSuffix({"All", {"*.*"}}), "");
    EXPECT_EQ(DefaultSuffix({"All", {"*"}}), "");
    EXPECT_EQ(DefaultSuffix({"Logs", {"SerialLog*.log"}}), "");
}

}  // namespace
}  // namespace tz
