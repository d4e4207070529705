#include "instrument/ParameterEdit.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "instrument/ParameterTestSupport.h"

namespace tz {
namespace {

using namespace testing;

std::string Shown(const clsInstrument& record, ParamGrid grid, Integer row) {
    return RowDisplayText(record, ParameterRowAt(grid, row));
}

class ParameterEdit : public ::testing::Test {
protected:
    LanguageScope english_{Language::English};
};

TEST_F(ParameterEdit, Cells_ShowTheEntryOfTheValue_TheNumberWhereNoneStandsForIt_OrTheText) {
    clsInstrument r = RecordAsRead();
    r.LcBhMode(3);
    r.DispCalLimit(1);
    r.AlarmMode(1);
    r.CalLimit(365);
    const RowText cases[] = {
        {P, 0, "On"},       {P, 1, "365"},      {P, 3, "-1"},       {P, 5, "2"},
        {P, 13, "Latch"},   {P, 35, "19.5"},    {P, 36, "20.9"},    {P, 38, "LC BH"},
        {P, 50, "0123"},    {F, 0, "TZ-01"},    {F, 1, "7"},        {F, 10, "000101"},
        {F, 13, "2"},       {F, 14, "ISOBUTYLENE,1.000,10.6"},      {M, 1, "12"},
        {M, 3, "0007"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(r, c.grid, c.row), c.text) << c.row;

    clsInstrument fresh;
    EXPECT_EQ(Shown(fresh, P, 35), "0.0");
    EXPECT_EQ(Shown(fresh, F, 1), "Japan");  // SpecType "0"
    fresh.SpecType("1");
    EXPECT_EQ(Shown(fresh, F, 1), "Other");
    fresh.LangType(2);
    EXPECT_EQ(Shown(fresh, M, 1), "ITALIAN");
    // A level with more decimals than the row's is shown as it is, not rounded.
    fresh.Inert1st(19.55f);
    EXPECT_EQ(Shown(fresh, P, 35), "19.55");
}

TEST_F(ParameterEdit, CellTexts_DecodeToTheRowsKindOfValue) {
    const struct {
        ParamGrid grid;
        Integer row;
        const char* text;
        RowValue value;
    } cases[] = {
        {P, 38, "LC BH", Integer{3}},
        {P, 0, "Off", Integer{0}},
        {P, 0, " on", Integer{1}},
        {P, 5, "90", Integer{90}},
        {P, 5, "2", Integer{2}},  // a shown value that no entry stands for
        {P, 3, "-1", Integer{-1}},
        {P, 1, "365", Integer{365}},
        {P, 35, "19.5", Single{19.5f}},
        {P, 35, "20.9", Single{20.9f}},
        {P, 36, "7", Single{7.0f}},
        {P, 50, "0123", std::string("0123")},
        {F, 7, "000101", std::string("000101")},
        {F, 0, "AB 12", std::string("AB 12")},
        {F, 1, "Japan", std::string("0")},
        {F, 1, "Other", std::string("1")},
        {F, 14, "ISOBUTYLENE,1.000", std::string("ISOBUTYLENE,1.000")},
        {M, 1, "KOREAN", Integer{8}},
    };
    for (const auto& c : cases) {
        const auto value = DecodeRowText(ParameterRowAt(c.grid, c.row), c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
    }
    EXPECT_FALSE(DecodeRowText(ParameterRowAt(P, 0), "Maybe").has_value());
    EXPECT_FALSE(DecodeRowText(ParameterRowAt(P, 1), "12a").has_value());
    EXPECT_FALSE(DecodeRowText(ParameterRowAt(P, 1), "99999").has_value());
    EXPECT_FALSE(DecodeRowText(ParameterRowAt(P, 35), "19.55").has_value());
}

// What a row shows reads back as the very value it was filled from, so an untouched row can
// never change the record, whatever the record held.
TEST_F(ParameterEdit, EveryRowsShownText_DecodesToTheRecordsValue) {
    for (const clsInstrument& record : {clsInstrument(), RecordAsRead()}) {
        for (const ParameterRow* row : AllParameterRows()) {
            const auto value = DecodeRowText(*row, RowDisplayText(record, *row));
            ASSERT_TRUE(value.has_value()) << Describe(*row);
            EXPECT_EQ(*value, row->Property.Read(record)) << Describe(*row);
        }
    }
}

TEST_F(ParameterEdit, RowTextCheck_IsKeyedByGridAndRow) {
    const RowTextVerdict cases[] = {
        // Choice rows check nothing, whatever their number.
        {P, 0, "anything at all", true},
        {P, 3, "12345", true},
        {P, 7, "abc", true},
        {M, 0, "x", true},
        // Whole numbers: digits, no more than the maximum has.
        {P, 1, "365", true},
        {P, 1, "3650", false},
        {P, 1, "1.5", false},
        {P, 1, "-1", false},
        {P, 10, "30", true},
        {P, 47, "255", true},
        {P, 47, "25a", false},
        {P, 23, "3", true},
        {P, 23, "33", false},
        {F, 4, "50", true},
        {F, 4, "5 ", false},
        // Inert levels: one point, one digit after it.
        {P, 35, "19.5", true},
        {P, 35, "19.", true},
        {P, 35, ".5", true},
        {P, 35, "19.55", false},
        {P, 35, "1.2.3", false},
        {P, 36, "123", false},
        // Passwords: four digits at the most.
        {P, 50, "1234", true},
        {P, 50, "12345", false},
        {M, 3, "0123", true},
        {M, 3, "01a", false},
        // All six sensor dates: six digits at the most.
        {F, 7, "240229", true},
        {F, 10, "123456", true},
        {F, 10, "1234567", false},
        {F, 12, "24022a", false},
        // Spec number: ten characters of CheckKeyCode.
        {F, 0, "AB-12 *", true},
        {F, 0, "1234567890", true},
        {F, 0, "12345678901", false},
        {F, 0, "AB_1", false},
        // PID data: printable characters.
        {F, 14, "ISOBUTYLENE,1.000,10.6", true},
        {F, 14, "caf\xC3\xA9", false},
        {F, 14, "a\tb", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowTextCheck(c.grid, c.row, c.text), c.accepted)
            << static_cast<int>(c.grid) << "/" << c.row << " \"" << c.text << "\"";
    EXPECT_THROW(RowTextCheck(M, 6, "1"), std::out_of_range);
}

TEST_F(ParameterEdit, TypedKeys_AreUpperCased_AndDroppedWhereTheRowRefusesTheResult) {
    const struct {
        ParamGrid grid;
        Integer row;
        const char* before;
        std::size_t start, selected;
        int key, entered;
    } cases[] = {
        {F, 0, "", 0, 0, 'a', 'A'},
        {F, 0, "AB", 2, 0, 'z', 'Z'},
        {F, 0, "1234567890", 10, 0, 'X', 0},  // eleventh character
        {F, 0, "1234567890", 0, 1, 'X', 'X'}, // replaces the selected one
        {P, 50, "123", 3, 0, '4', '4'},
        {P, 50, "1234", 4, 0, '5', 0},        // a fifth digit cannot be typed
        {P, 50, "1234", 0, 4, '5', '5'},
        {P, 50, "12", 1, 0, 'a', 0},
        {M, 3, "1234", 2, 0, '0', 0},
        {F, 10, "24022", 5, 0, '9', '9'},
        {F, 10, "240229", 6, 0, '1', 0},
        {P, 35, "19", 2, 0, '.', '.'},
        {P, 35, "19.5", 4, 0, '5', 0},
        {P, 35, "19.5", 2, 0, '.', 0},
        {P, 1, "36", 2, 0, '6', '6'},
        {P, 0, "", 0, 0, 'x', 'X'},           // a choice row takes any key
        {P, 0, "", 0, 0, 0x3042, 0x3042},
        {F, 14, "", 0, 0, 0x3042, 0},         // beyond ASCII
        {P, 50, "1234", 4, 0, 8, 8},          // backspace always passes
        {P, 50, "1234", 9, 3, '1', 0},        // a caret beyond the end is the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterTypedKey(c.grid, c.row, c.before, c.start, c.selected, c.key), c.entered)
            << static_cast<int>(c.grid) << "/" << c.row << " \"" << c.before << "\" + " << c.key;
}

TEST_F(ParameterEdit, EndOfEdit_RefusesEmptyTextsAndTextsOutsideTheRowsLimits) {
    const clsInstrument record = RecordAsRead();
    const ParameterCells cells = ParameterGridTexts(record);
    const RowTextVerdict cases[] = {
        {P, 1, "366", false},     {P, 1, "365", true},      {P, 1, "1", true},
        {P, 1, "0", false},       {P, 1, "", false},        {P, 1, "   ", false},
        {P, 10, "30", true},      {P, 10, "31", false},     {P, 10, "0", true},
        {P, 23, "3", true},       {P, 27, "4", false},      {P, 45, "60", true},
        {P, 45, "61", false},     {P, 45, "0", false},      {P, 47, "255", true},
        {P, 47, "256", false},    {F, 4, "50", true},       {F, 4, "51", false},
        {P, 35, "20.9", true},    {P, 35, "21.0", false},   {P, 35, "21", false},
        {P, 36, "0", true},       {P, 36, "19.5", true},    {P, 36, ".", false},
        {P, 50, "012", false},    {P, 50, "0123", true},    {M, 3, "999", false},
        {M, 3, "4826", true},     {F, 7, "240230", false},  {F, 7, "240229", true},
        {F, 8, "230229", false},  {F, 9, "241301", false},  {F, 10, "000101", true},
        {F, 11, "24022", false},  {F, 12, "991231", true},  {F, 0, "TZ-7300", true},
        {F, 0, " ", false},       {F, 14, "X", true},       {F, 14, "", false},
        {P, 38, "LC BH", true},   {P, 38, "lc bh", true},   {P, 38, "Nope", false},
        // A value no entry stands for may stay as it was shown, but not be made up.
        {P, 5, "2", true},        {P, 5, "3", false},       {F, 1, "7", true},
        {F, 1, "8", false},       {F, 13, "2", true},       {F, 13, "On", true},
    };
    for (const auto& c : cases) {
        const auto& gridTexts = cells[static_cast<std::size_t>(c.grid)];
        EXPECT_EQ(CheckRowEdit(c.grid, c.row, c.text, gridTexts), c.accepted)
            << static_cast<int>(c.grid) << "/" << c.row << " \"" << c.text << "\"";
    }
}

// The three man-down times must rise: 10 <= row 31 <= row 32 <= row 33 <= 120, each checked
// against the values now in the grid.
TEST_F(ParameterEdit, ManDownTimes_AreCheckedAgainstTheirNeighboursInTheGrid) {
    const auto gridWith = [](const char* time1, const char* time2, const char* time3) {
        std::vector<std::string> texts = ParameterGridTexts(clsInstrument())[0];
        texts[31] = time1;
        texts[32] = time2;
        texts[33] = time3;
        return texts;
    };
    const struct {
        const char* time1;
        const char* time2;
        const char* time3;
        Integer row;
        const char* text;
        bool accepted;
    } cases[] = {
        {"0", "9", "60", 31, "10", false},   // row 32 below 10
        {"0", "10", "60", 31, "10", true},
        {"0", "10", "60", 31, "11", false},  // above row 32
        {"0", "60", "60", 31, "9", false},   // below 10 whatever row 32 holds
        {"20", "30", "60", 32, "19", false},
        {"20", "30", "60", 32, "20", true},
        {"20", "30", "60", 32, "60", true},
        {"20", "30", "60", 32, "61", false},
        {"20", "30", "60", 33, "120", true},
        {"20", "30", "60", 33, "121", false},
        {"20", "30", "60", 33, "29", false},
        {"20", "30", "60", 33, "30", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckRowEdit(P, c.row, c.text, gridWith(c.time1, c.time2, c.time3)), c.accepted)
            << c.time1 << " " << c.time2 << " " << c.time3 << ": row " << c.row << " = "
            << c.text;
}

TEST_F(ParameterEdit, AcceptedEdits_MarkTheNamedFreeTextRowsAtOnce_AndNoOthers) {
    std::set<std::pair<ParamGrid, Integer>> atOnce;
    for (const Integer row : {1, 10, 23, 24, 25, 26, 27, 31, 32, 33, 35, 36}) atOnce.insert({P, row});

    for (const ParameterRow* row : AllParameterRows()) {
        clsInstrument record = RecordAsRead();
        const RowValue value = row->Property.Read(record);
        NoteAcceptedEdit(record, row->Grid, row->Row);
        const bool marked = row->Property.Changed && row->Property.Changed(record);
        EXPECT_EQ(marked, atOnce.count({row->Grid, row->Row}) == 1) << Describe(*row);
        EXPECT_EQ(row->Property.Read(record), value) << Describe(*row);
    }
}

TEST_F(ParameterEdit, ChangedRows_AreThoseWhoseTextStandsForAnotherValue) {
    const clsInstrument opened = RecordAsRead();
    std::vector<std::string> texts = ParameterGridTexts(opened)[0];
    EXPECT_EQ(ChangedRowCount(opened, P, texts), 0);

    texts[5] = "2";       // still the unlisted bump time
    texts[0] = "off";     // the same entry in other letters
    texts[35] = "19.5";
    EXPECT_EQ(ChangedRowCount(opened, P, texts), 0);

    texts[5] = "30";
    texts[35] = "19.6";
    texts[50] = "0124";
    EXPECT_EQ(ChangedRowCount(opened, P, texts), 3);
    EXPECT_TRUE(RowShowsChange(opened, P, 5, "30"));
    EXPECT_FALSE(RowShowsChange(opened, P, 36, "20.9"));
    EXPECT_TRUE(RowShowsChange(opened, F, 7, "240229"));
    EXPECT_TRUE(RowShowsChange(opened, P, 0, "Maybe"));  // stands for no value
}

}  // namespace
}  // namespace tz
