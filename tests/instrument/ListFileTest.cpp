// The station and user list files: reading lines into numbered entries, writing, proper names.
#include "instrument/ListFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "instrument/FileTestFolder.h"

namespace tz {
namespace {

using Entries = std::vector<ListFileEntry>;

TEST(ListFileParse, NumbersChooseTheEntriesNamesKeptWhole) {
    const struct {
        const char* name;
        std::string text;
        Entries expected;
    } cases[] = {
        {"OutOfOrder", "5,PUMP ROOM\r\n1,GATE\r\n128,LAST\r\n", {{5, "PUMP ROOM"}, {1, "GATE"}, {128, "LAST"}}},
        {"BlankLinesSkipped", "\r\n2,B\r\n   \r\n\t\r\n3,C\n\n", {{2, "B"}, {3, "C"}}},
        {"NameAfterFirstSeparator", "1,PLANT A\r\n2\tTAB NAME\r\n3,A,,B\r\n4,\r\n6,  LEFT\n",
         {{1, "PLANT A"}, {2, "TAB NAME"}, {3, "A,,B"}, {4, ""}, {6, "  LEFT"}}},
        {"SpacesAndZerosInTheNumber", " 7 ,X\r\n008,Y", {{7, "X"}, {8, "Y"}}},
        {"ByteOrderMark", "\xEF\xBB\xBF" "9,NINE\r\n", {{9, "NINE"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseListFile(c.text), c.expected) << c.name;
}

TEST(ListFileParse, ExportedFileReadsBackEntryByEntry) {
    NameList names;
    for (int i = 1; i <= 128; ++i) names.push_back("NAME " + std::to_string(i));
    const Entries entries = ParseListFile(ListFileText(names));
    ASSERT_EQ(entries.size(), 128u);
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i], (ListFileEntry{static_cast<int>(i + 1), names[i]}));
}

// Each faulty line stops the read, naming the line; nothing of the file is returned.
TEST(ListFileParse, FaultyLine_NamedWithItsNumber) {
    const struct {
        const char* name;
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {"Zero", "1,A\r\n0,X\r\n", 2, "outside 1 to 128"},
        {"Beyond128", "129,X\r\n", 1, "outside 1 to 128"},
        {"HugeNumber", "1,A\r\n\r\n99999999999999999999,X\r\n", 3, "outside 1 to 128"},
        {"NotANumber", "abc,X\r\n", 1, "not a number"},
        {"Negative", "-1,X\r\n", 1, "not a number"},
        {"NoNumber", ",X\r\n", 1, "not a number"},
        {"HeaderRow", "No,Name\r\n1,A\r\n", 1, "not a number"},
        {"NoComma", "1,A\r\n2 B\r\n", 2, "no comma"},
        {"OtherSeparator", "1;A\r\n", 1, "no comma"},
        {"Repeated", "1,A\r\n2,B\r\n1,C\r\n", 3, "entry 1 is already on line 1"},
        {"RepeatedWithZeros", "7,X\r\n007,Y\r\n", 2, "entry 7 is already on line 1"},
        {"Lines129", ListFileText(NameList(128, "N")) + "1,N\r\n", 129, "already on line 1"},
    };
    for (const auto& c : cases) {
        try {
            ParseListFile(c.text);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const ListFileError& e) {
            EXPECT_EQ(e.LineNumber(), c.line) << c.name;
            const std::string what = e.what();
            EXPECT_NE(what.find("line " + std::to_string(c.line) + " "), std::string::npos) << c.name << ": " << what;
            EXPECT_NE(what.find(c.reason), std::string::npos) << c.name << ": " << what;
            EXPECT_NE(what.find(e.Line()), std::string::npos) << c.name;
            EXPECT_FALSE(e.Line().empty()) << c.name;
        }
    }
}

TEST(ListFileParse, FileWithoutEntries_IsAFault) {
    for (const char* text : {"", "\r\n\r\n", "\xEF\xBB\xBF"}) EXPECT_THROW(ParseListFile(text), ListFileError) << text;
}

TEST(ListFileLoad, MissingFileOrFolder_IsAFault) {
    testing::FileTestFolder folder;
    EXPECT_THROW(LoadListFile(folder / "none.csv"), ListFileError);
    EXPECT_THROW(LoadListFile(folder.Path()), ListFileError);
    testing::WriteWholeFile(folder / "a.csv", "3,C\r\n");
    EXPECT_EQ(LoadListFile(folder / "a.csv"), (Entries{{3, "C"}}));
}

TEST(ListFile, ProperNames_TableOfCases) {
    EXPECT_TRUE(IsProperName(""));
    EXPECT_TRUE(IsProperName("SIXTEEN CHARS OK"));
    EXPECT_TRUE(IsProperName("A'B#C,~"));
    EXPECT_FALSE(IsProperName("SEVENTEEN CHARS!!"));
    EXPECT_FALSE(IsProperName("CAF\xC3\x89"));
    EXPECT_FALSE(IsProperName("TAB\tNAME"));
    EXPECT_EQ(ImproperEntries(Entries{{9, "SEVENTEEN CHARS!!"}, {2, "OK"}, {4, "TAB\tNAME"}}), (std::vector<int>{4, 9}));
}

TEST(ListFile, Text_128NumberedLines) {
    const std::string text = ListFileText(NameList(128, "X"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 128);
    EXPECT_EQ(text.substr(0, 5), "1,X\r\n");
    EXPECT_EQ(text.substr(text.size() - 7), "128,X\r\n");
}

}  // namespace
}  // namespace tz
