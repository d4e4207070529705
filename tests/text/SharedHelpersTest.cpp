#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/Errors.h"
#include "text/SharedHelpers.h"

namespace tz {
namespace {

struct KeyCase {
    int code;
    bool keyCode;    // CheckKeyCode
    bool idKeyCode;  // CheckIdKeyCode
};

const KeyCase kKeyCases[] = {
    {8, true, true},      // backspace
    {0, false, false},    {7, false, false},   {9, false, false},   {13, false, false},
    {31, false, false},   {' ', true, true},   {'*', true, false},  {'-', true, true},
    {'_', false, true},   {'/', false, true},  {'<', false, true},  {'>', false, true},
    {'0', true, true},    {'9', true, true},   {'A', true, true},   {'Z', true, true},
    {'a', true, true},    {'z', true, true},   {'#', false, false}, {'\'', false, false},
    {'.', false, false},  {'@', false, false}, {'[', false, false}, {'`', false, false},
    {'{', false, false},  {'~', false, false}, {127, false, false}, {200, false, false},
    {-1, false, false},   {0x3042, false, false},
};

TEST(SharedHelpers, KeyFilters_AllowOnlyTheirCharacters) {
    for (const auto& c : kKeyCases) {
        EXPECT_EQ(CheckKeyCode(static_cast<Integer>(c.code)), c.keyCode) << "code " << c.code;
        EXPECT_EQ(CheckIdKeyCode(static_cast<Integer>(c.code)), c.idKeyCode) << "code " << c.code;
    }
}

struct IdTextCase {
    std::string text;
    bool plain, symbols, symbolsAndApostrophe, apostropheOnly;
};

const IdTextCase kIdTextCases[] = {
    {"", true, true, true, true},
    {"STATION-01 <A>_/", true, true, true, true},
    {"O'HARA", false, false, true, false},
    {"NO#5", false, true, true, false},
    {"A!\"$%&()*+,.:;=?@[\\]^`{|}~", false, true, true, false},
    {"TAB\tX", false, false, false, false},
    {"DEL\x7f", false, false, false, false},
    {"caf\xc3\xa9", false, false, false, false},  // non-ASCII never passes
};

TEST(SharedHelpers, CheckIdText_SymbolsAndApostropheNeedTheirFlags) {
    for (const auto& c : kIdTextCases) {
        EXPECT_EQ(CheckIdText(c.text, false, false), c.plain) << c.text;
        EXPECT_EQ(CheckIdText(c.text, true, false), c.symbols) << c.text;
        EXPECT_EQ(CheckIdText(c.text, true, true), c.symbolsAndApostrophe) << c.text;
        EXPECT_EQ(CheckIdText(c.text, false, true), c.apostropheOnly) << c.text;
    }
}

TEST(SharedHelpers, BlankToDashes_EmptyIdentifiersBecomeDashesByKind) {
    EXPECT_EQ(BlankToDashes("   ", 2), std::string(20, '-'));
    EXPECT_EQ(BlankToDashes("", 0), std::string(16, '-'));
    EXPECT_EQ(BlankToDashes(" ", 1), std::string(16, '-'));
    EXPECT_EQ(BlankToDashes("  ", 3), "");
    EXPECT_EQ(BlankToDashes("", -1), "");
}

TEST(SharedHelpers, BlankToDashes_TrimsSpacesOnlyAndKeepsInnerText) {
    EXPECT_EQ(BlankToDashes(" AB ", 0), "AB");
    EXPECT_EQ(BlankToDashes("  A B  ", 2), "A B");
    EXPECT_EQ(BlankToDashes("\tAB", 0), "\tAB");
    EXPECT_EQ(BlankToDashes("XYZ", 7), "XYZ");
}

TEST(SharedHelpers, IsDigitsOnly_AcceptsDigitsAndEmptyText) {
    EXPECT_TRUE(IsDigitsOnly(""));
    EXPECT_TRUE(IsDigitsOnly("0123456789"));
    for (const char* bad : {" 1", "1 ", "-1", "1.5", "12a", "\xd9"}) EXPECT_FALSE(IsDigitsOnly(bad)) << bad;
}

TEST(SharedHelpers, IsValidYyMmDd_ChecksCalendarOfYear20yy) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"240229", true},   {"230229", false},  {"000229", true},  // 2000 is a leap year
        {"261231", true},   {"261301", false},  {"260001", false}, {"260100", false},
        {"260431", false},  {"991231", true},   {"2402291", true},  // only six characters count
        {"24022", false},   {"", false},        {"24-2-9", false},  {" 40229", false},
        {"24022x", false},  {"2402290000", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidYyMmDd(c.text), c.valid) << '"' << c.text << '"';
}

TEST(SharedHelpers, SingleToHex_GivesBigEndianUpperCaseDigits) {
    EXPECT_EQ(SingleToHex(1.0f), "3F800000");
    EXPECT_EQ(SingleToHex(0.0f), "00000000");
    EXPECT_EQ(SingleToHex(-2.5f), "C0200000");
    EXPECT_EQ(SingleToHex(0.1f), "3DCCCCCD");
    EXPECT_EQ(SingleToHex(std::numeric_limits<Single>::denorm_min()), "00000001");
}

TEST(SharedHelpers, HexToSingle_InvertsSingleToHex) {
    EXPECT_EQ(HexToSingle("3F800000"), 1.0f);
    EXPECT_EQ(HexToSingle("3dcccccd"), 0.1f);
    for (const Single v : {0.0f, -0.0f, 1.0f, -150.0f, 20.9f, 3.4e38f, 1e-40f}) {
        const Single back = HexToSingle(SingleToHex(v));
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    EXPECT_TRUE(std::isnan(HexToSingle("7FC00000")));
}

TEST(SharedHelpers, HexToSingle_RejectsAnythingButEightHexDigits) {
    for (const char* bad : {"", "3F80000", "3F8000000", " 3F80000", "3F80000G", "3F80 000", "&H3F8000",
                            "3F80000\n"})
        EXPECT_THROW(HexToSingle(bad), ConversionError) << '"' << bad << '"';
}

TEST(SharedHelpers, PadHex2_PadsOnlyOneCharacterTexts) {
    EXPECT_EQ(PadHex2("A"), "0A");
    EXPECT_EQ(PadHex2("0"), "00");
    EXPECT_EQ(PadHex2(""), "");
    EXPECT_EQ(PadHex2("FF"), "FF");
    EXPECT_EQ(PadHex2("123"), "123");
}

}  // namespace
}  // namespace tz
