#include "instrument/ParameterReadBack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "instrument/CopySettings.h"
#include "instrument/ParameterTestSupport.h"
#include "instrument/RecordJson.h"

namespace tz {
namespace {

using namespace testing;

// The dialog as it opens on a record: its own copy, no flag set, the grids filled.
struct OpenDialog {
    explicit OpenDialog(const clsInstrument& instrument) {
        CopySettings(record, instrument, false);
        record.ClearChangeFlags();
        cells = ParameterGridTexts(record);
        edited = NoParameterEdits();
    }
    // An edit that passed its end-of-edit check.
    void Edit(ParamGrid grid, Integer row, const std::string& text) {
        const auto g = static_cast<std::size_t>(grid);
        ASSERT_TRUE(CheckRowEdit(grid, row, text, cells[g])) << row << " \"" << text << "\"";
        cells[g][static_cast<std::size_t>(row)] = text;
        edited[g][static_cast<std::size_t>(row)] = true;
        NoteAcceptedEdit(record, grid, row);
    }
    ParameterReadBack ReadBack() { return ReadBackParameterRows(record, cells, edited); }

    clsInstrument record;
    ParameterCells cells;
    ParameterEdits edited;
};

class ParameterReadBackTest : public ::testing::Test {
protected:
    LanguageScope english_{Language::English};
};

TEST_F(ParameterReadBackTest, OkWithoutEdits_LeavesTheProgramsRecordAsItWas) {
    clsInstrument instrument = RecordAsRead();
    const clsInstrument before = instrument;
    OpenDialog dialog(instrument);
    const ParameterReadBack result = dialog.ReadBack();
    EXPECT_TRUE(result.Refused.empty());
    EXPECT_EQ(result.Assigned, 0);
    CopySettings(instrument, dialog.record, true);
    EXPECT_EQ(RecordDifferences(instrument, before), std::vector<std::string>{});
}

// Even a row the user opened and left as it was reads back as the record's value: the mended
// rows (passwords, sensor dates, inert levels, values no entry stands for) among them.
TEST_F(ParameterReadBackTest, EveryRowEditedToItsOwnText_AssignsNothing) {
    OpenDialog dialog(RecordAsRead());
    for (const ParameterRow* row : AllParameterRows()) {
        const auto g = static_cast<std::size_t>(row->Grid);
        dialog.Edit(row->Grid, row->Row, dialog.cells[g][static_cast<std::size_t>(row->Row)]);
    }
    const clsInstrument before = dialog.record;
    const ParameterReadBack result = dialog.ReadBack();
    EXPECT_TRUE(result.Refused.empty());
    EXPECT_EQ(result.Assigned, 0);
    EXPECT_EQ(RecordDifferences(dialog.record, before), std::vector<std::string>{});
}

TEST_F(ParameterReadBackTest, EditedRows_StoreTheirDecodedValue_AndFlagIt) {
    OpenDialog dialog(RecordAsRead());
    dialog.Edit(P, 38, "LC BH");
    dialog.Edit(P, 50, "0999");
    dialog.Edit(M, 3, "0123");
    dialog.Edit(F, 10, "000101");  // unchanged: stays as it was, unflagged
    dialog.Edit(F, 7, "240229");
    dialog.Edit(P, 35, "19.5");    // unchanged
    dialog.Edit(P, 36, "12.3");
    dialog.Edit(F, 0, "AB 12");
    dialog.Edit(F, 1, "Japan");
    dialog.Edit(F, 14, "X,Y");
    const ParameterReadBack result = dialog.ReadBack();
    EXPECT_TRUE(result.Refused.empty());
    EXPECT_EQ(result.Assigned, 8);

    const clsInstrument& r = dialog.record;
    EXPECT_EQ(r.LcBhMode(), 3);
    EXPECT_TRUE(r.Change_LcBhMode());
    EXPECT_EQ(r.MaintePassword(), "0999");
    EXPECT_TRUE(r.Change_MaintePassword());
    EXPECT_EQ(r.UserPassword2(), "0123");
    EXPECT_EQ(r.SensorDate(3), "000101");
    EXPECT_FALSE(r.Change_SensorDate(3));
    EXPECT_EQ(r.SensorDate(0), "240229");
    EXPECT_TRUE(r.Change_SensorDate(0));
    EXPECT_EQ(r.Inert1st(), 19.5f);
    EXPECT_TRUE(r.Change_Inert1st());  // row 35 marks its setting as the edit ends
    EXPECT_EQ(r.Inert2nd(), 12.3f);
    EXPECT_EQ(r.SpecNo(), "AB 12");
    EXPECT_EQ(r.SpecType(), "0");
    EXPECT_EQ(r.PIDdata(), "X,Y");
}

TEST_F(ParameterReadBackTest, OffInAnyOffOnRow_StoresZero) {
    clsInstrument instrument;
    for (const ParameterRow* row : AllParameterRows())
        if (row->Editor.Kind == EditorKind::Choice && row->Editor.Choices == ChoiceListId::OffOn)
            row->Property.Assign(instrument, Integer{1});
    OpenDialog dialog(instrument);
    Integer offOnRows = 0;
    for (const ParameterRow* row : AllParameterRows())
        if (row->Editor.Kind == EditorKind::Choice && row->Editor.Choices == ChoiceListId::OffOn) {
            dialog.Edit(row->Grid, row->Row, "Off");
            ++offOnRows;
        }
    EXPECT_EQ(dialog.ReadBack().Assigned, offOnRows);
    for (const ParameterRow* row : AllParameterRows())
        if (row->Editor.Kind == EditorKind::Choice && row->Editor.Choices == ChoiceListId::OffOn) {
            EXPECT_EQ(row->Property.Read(dialog.record), RowValue(Integer{0})) << Describe(*row);
            EXPECT_TRUE(row->Property.Changed(dialog.record)) << Describe(*row);
        }
}

TEST_F(ParameterReadBackTest, RowsTheUserDidNotEdit_KeepTheRecordsValueWhateverTheirText) {
    OpenDialog dialog(RecordAsRead());
    dialog.cells[0][1] = "999";
    dialog.cells[0][0] = "On";
    dialog.cells[1][7] = "nonsense";
    const ParameterReadBack result = dialog.ReadBack();
    EXPECT_TRUE(result.Refused.empty());
    EXPECT_EQ(result.Assigned, 0);
    EXPECT_EQ(dialog.record.CalLimit(), 1);
    EXPECT_FALSE(dialog.record.Change_CalLimit());
}

TEST_F(ParameterReadBackTest, AnEditedRowItsCheckRefuses_StoresNothingAndIsNamed) {
    OpenDialog dialog(RecordAsRead());
    dialog.Edit(P, 38, "LC BH");
    dialog.Edit(P, 32, "25");
    dialog.cells[0][33] = "24";  // below row 32, as no accepted edit could leave it: both refused
    dialog.edited[0][33] = true;
    dialog.cells[0][1] = "366";
    dialog.edited[0][1] = true;
    const clsInstrument before = dialog.record;
    const ParameterReadBack result = dialog.ReadBack();
    EXPECT_EQ(result.Refused, (std::vector<RowRef>{{P, 1}, {P, 32}, {P, 33}}));
    EXPECT_EQ(result.Assigned, 0);
    EXPECT_EQ(RecordDifferences(dialog.record, before), std::vector<std::string>{});
}

TEST_F(ParameterReadBackTest, GridsOfAnotherShape_AreRefused) {
    OpenDialog dialog(RecordAsRead());
    dialog.cells[2].pop_back();
    EXPECT_THROW(dialog.ReadBack(), std::invalid_argument);
    OpenDialog other(RecordAsRead());
    other.edited[0].push_back(false);
    EXPECT_THROW(other.ReadBack(), std::invalid_argument);
}

// The whole of OK: only what the user changed reaches the program's record, flagged for writing.
TEST_F(ParameterReadBackTest, OkAfterEdits_CarriesExactlyTheChangesBack) {
    clsInstrument instrument = RecordAsRead();
    const clsInstrument before = instrument;
    OpenDialog dialog(instrument);
    dialog.Edit(P, 1, "1");       // same value, but row 1 marks its setting at once
    dialog.Edit(P, 38, "LC BH");
    dialog.Edit(M, 3, "0123");
    std::vector<std::string> stations;
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i)
        stations.push_back(dialog.record.StationList(i));
    stations[3] = "GATE 3";
    ASSERT_TRUE(dialog.ReadBack().Refused.empty());
    EXPECT_EQ(StoreStationList(dialog.record, stations), 1);
    CopySettings(instrument, dialog.record, true);

    auto differences = RecordDifferences(instrument, before);
    std::sort(differences.begin(), differences.end());
    std::vector<std::string> expected = {"Change_CalLimit",  "Change_LcBhMode",
                                         "Change_StationList", "Change_UserPassword2",
                                         "LcBhMode",         "StationList",
                                         "UserPassword2"};
    EXPECT_EQ(differences, expected);
    EXPECT_EQ(instrument.LcBhMode(), 3);
    EXPECT_EQ(instrument.UserPassword2(), "0123");
    EXPECT_EQ(instrument.StationList(3), "GATE 3");
    EXPECT_TRUE(instrument.Change_StationList(3));
    EXPECT_FALSE(instrument.Change_StationList(2));
}

TEST_F(ParameterReadBackTest, StoringALists_AssignsOnlyNamesThatDifferExactly) {
    clsInstrument record = RecordAsRead();
    std::vector<std::string> users;
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) users.push_back(record.UserList(i));
    users[0] += " ";           // a trailing space is a difference
    users[9] = "SMITH";
    users.push_back("ENTRY 129");  // beyond the list: ignored
    EXPECT_EQ(StoreUserList(record, users), 2);
    EXPECT_EQ(record.UserList(0), std::string(16, '-') + " ");
    EXPECT_EQ(record.UserList(9), "SMITH");
    EXPECT_TRUE(record.Change_UserList(0));
    EXPECT_TRUE(record.Change_UserList(9));
    EXPECT_FALSE(record.Change_UserList(1));
    EXPECT_EQ(record.UserList(128), "");

    EXPECT_EQ(StoreStationList(record, {"  GATE 3"}), 1);  // fewer names: the rest stay
    EXPECT_EQ(record.StationList(0), "  GATE 3");
    EXPECT_EQ(record.StationList(3), "  GATE 3");
    EXPECT_FALSE(record.Change_StationList(3));
    EXPECT_EQ(StoreStationList(record, {"  GATE 3"}), 0);
}

}  // namespace
}  // namespace tz
