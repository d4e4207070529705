#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/Errors.h"
#include "text/clsToken.h"

namespace tz {
namespace {

std::vector<std::string> CountedTokens(const clsToken& t) {
    std::vector<std::string> tokens;
    for (Integer i = 0; i < t.TokenCount(); ++i) tokens.push_back(t.Tokens(i));
    return tokens;
}

// The configuration file's characters: tab delimits, apostrophe quotes, semicolon comments.
class ConfigLineToken : public ::testing::Test {
protected:
    void SetUp() override {
        token.AddDelimiters("\t");
        token.AddStrings("'");
        token.AddComments(";");
    }
    clsToken token;
};

TEST_F(ConfigLineToken, Lines_SplitIntoExpectedTokens) {
    const struct {
        std::string source;
        std::vector<std::string> tokens;
    } cases[] = {
        {"TIMEOUT\t500", {"TIMEOUT", "500"}},
        {"\t\tA\t\t\tB\t", {"A", "B"}},
        {"A\t'x\ty'", {"A", "x\ty"}},
        {"A\t''", {"A", ""}},
        {"", {}},
        {"\t\t\t", {}},
        {"A\t'open quote\tto the end", {"A", "open quote\tto the end"}},
        {"lost'kept'", {"kept"}},                       // text right before an opening quote is dropped
        {"'a;b'\tc", {"a;b", "c"}},                     // a comment character inside a quote is text
        {"'a'b'c'", {"a", "c"}},                        // b sits outside the quotes and is dropped
        {"A B\tC", {"A B", "C"}},
    };
    for (const auto& c : cases) {
        token.Source(c.source);
        EXPECT_EQ(token.Source(), c.source);
        EXPECT_EQ(CountedTokens(token), c.tokens) << '"' << c.source << '"';
    }
}

TEST_F(ConfigLineToken, CommentOnlyLine_NoTokensAndRestInSlotZero) {
    token.Source("; a comment");
    EXPECT_EQ(token.TokenCount(), 0);
    EXPECT_EQ(token.Tokens(0), " a comment");
}

TEST_F(ConfigLineToken, CommentAfterTokens_DropsPendingTokenAndStoresRestUncounted) {
    token.Source("A\tB;c");
    EXPECT_EQ(CountedTokens(token), std::vector<std::string>{"A"});
    EXPECT_EQ(token.Tokens(1), "c");
}

TEST_F(ConfigLineToken, ShorterSplit_LeavesOlderTokensInSlotsAboveCount) {
    token.Source("one\ttwo\tthree");
    ASSERT_EQ(token.TokenCount(), 3);
    token.Source("uno");
    EXPECT_EQ(token.TokenCount(), 1);
    EXPECT_EQ(token.Tokens(0), "uno");
    EXPECT_EQ(token.Tokens(1), "two");
    EXPECT_EQ(token.Tokens(2), "three");
}

TEST_F(ConfigLineToken, TokenCountAssigned_SlotsUntouchedAndNextSplitRecounts) {
    token.Source("a\tb");
    token.TokenCount(7);
    EXPECT_EQ(token.TokenCount(), 7);
    EXPECT_EQ(token.Tokens(0), "a");
    token.Source("c");
    EXPECT_EQ(CountedTokens(token), std::vector<std::string>{"c"});
}

TEST(clsToken, NewObject_IsEmpty) {
    clsToken t;
    EXPECT_EQ(t.Source(), "");
    EXPECT_EQ(t.TokenCount(), 0);
    EXPECT_EQ(t.Tokens(0), "");
    EXPECT_EQ(t.Delimiters(0), "");
    EXPECT_EQ(t.StringRanges(0), "");
    EXPECT_EQ(t.Comments(0), "");
    t.Source("no characters named");
    EXPECT_EQ(CountedTokens(t), std::vector<std::string>{"no characters named"});
}

TEST(clsToken, ReplyLine_CarriageReturnAndCommaDelimit) {
    clsToken t;
    t.AddDelimiters("\r");
    t.AddDelimiters(",");
    t.Source("GN,R,,CH4 , 50\r");
    EXPECT_EQ(CountedTokens(t), (std::vector<std::string>{"GN", "R", "CH4 ", " 50"}));
}

TEST(clsToken, CharacterInSeveralLists_CommentBeatsStringBeatsDelimiter) {
    clsToken t;
    t.AddDelimiters(",");
    t.AddDelimiters("'");
    t.AddStrings("'");
    t.AddStrings(";");
    t.AddComments(";");
    t.Source("a,'b,c';d");
    EXPECT_EQ(CountedTokens(t), (std::vector<std::string>{"a", "b,c"}));
    EXPECT_EQ(t.Tokens(2), "d");
}

TEST(clsToken, MultiCharacterEntry_NeverMatches) {
    clsToken t;
    t.AddDelimiters(", ");
    t.Source("a, b");
    EXPECT_EQ(CountedTokens(t), std::vector<std::string>{"a, b"});
}

TEST(clsToken, EleventhAddition_IsIgnored) {
    clsToken t;
    const std::string ten = "0123456789";
    for (const char c : ten) t.AddDelimiters(std::string(1, c));
    t.AddDelimiters("x");
    for (Integer i = 0; i < 10; ++i) EXPECT_EQ(t.Delimiters(i), std::string(1, ten[static_cast<size_t>(i)]));
    EXPECT_EQ(t.Delimiters(10), "");
    t.Source("a1bxc");
    EXPECT_EQ(CountedTokens(t), (std::vector<std::string>{"a", "bxc"}));

    for (const char c : ten) t.AddStrings(std::string(1, c));
    t.AddStrings("x");
    EXPECT_EQ(t.StringRanges(9), "9");
    EXPECT_EQ(t.StringRanges(10), "");
    for (const char c : ten) t.AddComments(std::string(1, c));
    t.AddComments("x");
    EXPECT_EQ(t.Comments(9), "9");
    EXPECT_EQ(t.Comments(10), "");
}

TEST(clsToken, EntryAssignedAboveCount_TakesNoPartInSplitting) {
    clsToken t;
    t.AddDelimiters(",");
    t.Delimiters(1, ";");
    EXPECT_EQ(t.Delimiters(1), "");  // not readable either: above the count
    t.Source("a;b,c");
    EXPECT_EQ(CountedTokens(t), (std::vector<std::string>{"a;b", "c"}));

    t.Delimiters(0, ";");  // within the count it replaces the entry
    EXPECT_EQ(t.Delimiters(0), ";");
    t.Source("a;b,c");
    EXPECT_EQ(CountedTokens(t), (std::vector<std::string>{"a", "b,c"}));

    t.Delimiters(-1, "x");  // outside 0 to 9: ignored
    t.Delimiters(10, "x");
    t.AddDelimiters(",");
    EXPECT_EQ(t.Delimiters(1), ",");
}

TEST(clsToken, ClearLists_StopsSplitting) {
    clsToken t;
    t.AddDelimiters(",");
    t.AddStrings("\"");
    t.AddComments("#");
    t.ClearDelimiters();
    t.ClearStrings();
    t.ClearComments();
    EXPECT_EQ(t.Delimiters(0), "");
    t.Source("a,\"b\"#c");
    EXPECT_EQ(CountedTokens(t), std::vector<std::string>{"a,\"b\"#c"});
    t.AddDelimiters("|");
    EXPECT_EQ(t.Delimiters(0), "|");
}

TEST(clsToken, TokensSlots_WritableToSlot255ReadableTo254) {
    clsToken t;
    t.Tokens(0, "first");
    t.Tokens(254, "last readable");
    t.Tokens(255, "write only");
    EXPECT_EQ(t.Tokens(0), "first");
    EXPECT_EQ(t.Tokens(254), "last readable");
    EXPECT_EQ(t.Tokens(255), "");
    EXPECT_EQ(t.Tokens(-1), "");
    EXPECT_EQ(t.Tokens(256), "");
    EXPECT_EQ(t.TokenCount(), 0);  // writing slots does not count them
    EXPECT_THROW(t.Tokens(256, "x"), std::out_of_range);
    EXPECT_THROW(t.Tokens(-1, "x"), std::out_of_range);
}

std::string CommaLine(int tokens) {
    std::string line;
    for (int i = 0; i < tokens; ++i) line += (i ? "," : "") + std::to_string(i);
    return line;
}

TEST(clsToken, TwoHundredFiftySixTokens_Fit) {
    clsToken t;
    t.AddDelimiters(",");
    t.AddComments(";");
    t.Source(CommaLine(256));
    EXPECT_EQ(t.TokenCount(), 256);
    EXPECT_EQ(t.Tokens(254), "254");
    // No slot is left for the comment text, which is not a token: the line still splits.
    t.Source(CommaLine(256) + ",;rest");
    EXPECT_EQ(t.TokenCount(), 256);
    EXPECT_EQ(t.Tokens(0), "0");
}

TEST(clsToken, TwoHundredFiftySeventhToken_RaisesTokenLimitError) {
    clsToken t;
    t.AddDelimiters(",");
    EXPECT_THROW(t.Source(CommaLine(257)), TokenLimitError);
    EXPECT_EQ(t.TokenCount(), 256);
    t.AddStrings("'");
    EXPECT_THROW(t.Source(CommaLine(256) + ",''"), TokenLimitError);  // an empty quoted token counts
    EXPECT_THROW(t.Source(CommaLine(257)), std::out_of_range);       // also an index error
}

}  // namespace
}  // namespace tz
