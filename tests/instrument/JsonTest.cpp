#include "instrument/Json.h"

#include <string>

#include <gtest/gtest.h>

namespace tz {
namespace {

TEST(ParseJson, WellFormedDocument_ValuesAndOrderKept) {
    const JsonValue v = ParseJson(
        " {\"b\": [1, -0.5e+3, true, null], \"a\": \"x\\u00e9\\ud83d\\ude00\\n\", \"c\": {}} ");
    ASSERT_EQ(v.type(), JsonValue::Type::Object);
    ASSERT_EQ(v.Keys().size(), 3u);
    EXPECT_EQ(v.Keys()[0], "b");
    const JsonValue* b = v.Find("b");
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Items().size(), 4u);
    EXPECT_EQ(b->Items()[1].Text(), "-0.5e+3");  // numbers keep their text
    EXPECT_TRUE(b->Items()[2].AsBool());
    EXPECT_TRUE(b->Items()[3].IsNull());
    EXPECT_EQ(v.Find("a")->Text(), "x\xC3\xA9\xF0\x9F\x98\x80\n");
    EXPECT_EQ(v.Find("c")->type(), JsonValue::Type::Object);
    EXPECT_EQ(v.Find("missing"), nullptr);
}

struct MalformedCase {
    const char* text;
    const char* reason;  // part of the error message
    std::size_t line, column;
};

// The text is refused with an error naming the reason and the place.
void ExpectRefused(const std::string& text, const char* reason, std::size_t line, std::size_t column) {
    SCOPED_TRACE(::testing::Message() << "input: " << text);
    try {
        ParseJson(text);
        ADD_FAILURE() << "accepted";
    } catch (const JsonError& e) {
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        EXPECT_EQ(e.Line(), line) << e.what();
        EXPECT_EQ(e.Column(), column) << e.what();
    }
}

TEST(ParseJson, MalformedInput_ErrorNamesReasonAndPosition) {
    const MalformedCase cases[] = {
        {"", "unexpected end of input", 1, 1},
        {"   \n  ", "unexpected end of input", 2, 3},
        {"{", "expected a key", 1, 2},
        {"{\"a\" 1}", "expected ':'", 1, 6},
        {"{\"a\": 1,}", "expected a key", 1, 9},
        {"[1, 2,]", "unexpected character", 1, 7},
        {"[1 2]", "expected ',' or ']'", 1, 4},
        {"{'a': 1}", "expected a key", 1, 2},
        {"{\"a\": 1}\n x", "unexpected text after", 2, 2},
        {"012", "leading zero", 1, 2},
        {"1.", "digit after the decimal point", 1, 3},
        {"-", "expected a digit", 1, 2},
        {"1e", "digit in the exponent", 1, 3},
        {"+1", "unexpected character", 1, 1},
        {"NaN", "unexpected character", 1, 1},
        {"tru", "invalid literal", 1, 1},
        {"nul", "invalid literal", 1, 1},
        {"// note\n{}", "unexpected character", 1, 1},
        {"\"abc", "unterminated string", 1, 1},
        {"\"a\tb\"", "control character", 1, 3},
        {"\"\\x\"", "invalid escape", 1, 2},
        {"\"\\u12G4\"", "four hexadecimal digits", 1, 6},
        {"\"\\ud800\"", "unpaired high surrogate", 1, 2},
        {"\"\\udc00\"", "unpaired low surrogate", 1, 2},
        {"\"\xFF\"", "invalid UTF-8", 1, 2},
        {"\"\xC0\xAF\"", "invalid UTF-8", 1, 2},        // overlong "/"
        {"\"\xED\xA0\x80\"", "invalid UTF-8", 1, 2},    // encoded surrogate
        {"\"\xE2\x82\"", "invalid UTF-8", 1, 2},        // cut short by the quote
        {"{\"a\": 1, \"a\": 2}", "repeated key \"a\"", 1, 10},
    };
    for (const MalformedCase& c : cases) ExpectRefused(c.text, c.reason, c.line, c.column);
}

TEST(ParseJson, BytesTheLibraryWouldTakeOrEndAt_AreRefusedInPlace) {
    struct Case {
        std::string text;
        const char* reason;
        std::size_t column;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF{}", "unexpected character", 1},         // byte order mark
        {std::string("{}\0 x", 5), "unexpected text after", 3},  // a NUL byte ends nothing
        {std::string("[\"a\0\"]", 6), "control character", 4},
        {"[1, 1e400]", "number out of range", 5},
        {"{\"a\": [0-1]}", "expected ',' or ']'", 9},
    };
    for (const Case& c : cases) ExpectRefused(c.text, c.reason, 1, c.column);
}

TEST(WriteJson, ControlCharacters_WrittenAsTheRecordFilesHaveThem) {
    EXPECT_EQ(WriteJson(JsonValue::String("\b\f\t\\b")), "\"\\u0008\\u000c\\t\\\\b\"\n");
}

TEST(ParseJson, DeepNesting_RefusedWithoutExhaustingTheStack) {
    const std::string ok = std::string(JsonMaxDepth, '[') + std::string(JsonMaxDepth, ']');
    EXPECT_NO_THROW(ParseJson(ok));
    const std::string deep(100000, '[');
    EXPECT_THROW(ParseJson(deep), JsonError);
    const std::string objects = [] {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += "{\"a\":";
        return s;
    }();
    EXPECT_THROW(ParseJson(objects), JsonError);
}

TEST(WriteJson, OutputIsAsciiAndReadsBack) {
    JsonValue root = JsonValue::Object();
    JsonValue list = JsonValue::Array();
    list.Append(JsonValue::Number("-1.5"));
    list.Append(JsonValue::Bool(false));
    list.Append(JsonValue());
    root.Add("list", list);
    root.Add("text", JsonValue::String(std::string("q\"b\\\x01\x7F\xC3\xA9\xF0\x9F\x98\x80", 12)));
    JsonValue nested = JsonValue::Array();
    nested.Append(JsonValue::Object());
    root.Add("nested", nested);
    EXPECT_FALSE(root.Add("list", JsonValue()));  // a key is added once

    const std::string text = WriteJson(root);
    for (char c : text) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_NE(text.find("\"list\": [-1.5, false, null]"), std::string::npos) << text;
    EXPECT_NE(text.find("\\u0001\\u007f\\u00e9\\ud83d\\ude00"), std::string::npos) << text;

    const JsonValue back = ParseJson(text);
    EXPECT_EQ(back.Find("text")->Text(), root.Find("text")->Text());
    EXPECT_EQ(WriteJson(back), text);
}

}  // namespace
}  // namespace tz
