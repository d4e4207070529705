#include "instrument/ParameterRows.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "instrument/ParameterTestSupport.h"

namespace tz {
namespace {

using namespace testing;

TEST(ParameterRows, Grids_HoldTheirRows_EachAtItsOwnNumber) {
    EXPECT_EQ(ParamGridRowCount(ParamGrid::Parameter), 51);
    EXPECT_EQ(ParamGridRowCount(ParamGrid::Factory), 15);
    EXPECT_EQ(ParamGridRowCount(ParamGrid::Maintenance), 6);
    for (const ParamGrid grid : ParamGrids) {
        const auto rows = ParameterRows(grid);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].Grid, grid);
            EXPECT_EQ(rows[i].Row, static_cast<Integer>(i));
            EXPECT_EQ(&ParameterRowAt(grid, static_cast<Integer>(i)), &rows[i]);
        }
    }
}

TEST(ParameterRows, RowsOutsideAGrid_AreRefused) {
    EXPECT_THROW(ParameterRowAt(ParamGrid::Parameter, 51), std::out_of_range);
    EXPECT_THROW(ParameterRowAt(ParamGrid::Factory, 15), std::out_of_range);
    EXPECT_THROW(ParameterRowAt(ParamGrid::Maintenance, -1), std::out_of_range);
}

TEST(ParameterRows, Labels_ComeFromTheCatalogueWithTheirArgument_OrAreLiterals) {
    LanguageScope english(Language::English);
    const RowText cases[] = {
        {ParamGrid::Parameter, 0, "Cal.Limit Display"},
        {ParamGrid::Parameter, 1, "Calibration Time Limit(1-365days)"},
        {ParamGrid::Parameter, 18, "Zero Follower (Gas1)"},
        {ParamGrid::Parameter, 19, "Zero Follower (Gas3)"},
        {ParamGrid::Parameter, 22, "Zero Follower (Gas6)"},
        {ParamGrid::Parameter, 23, "Suppress (Gas1)"},
        {ParamGrid::Parameter, 27, "Suppress (Gas6)"},
        {ParamGrid::Parameter, 33, "Man Down Time"},
        {ParamGrid::Parameter, 50, "Maintenance Password"},
        {ParamGrid::Factory, 0, "Spec No"},
        {ParamGrid::Factory, 4, "LCD Contrast(0-50)"},
        {ParamGrid::Factory, 7, "Sensor First Use Date (GAS1)"},
        {ParamGrid::Factory, 12, "Sensor First Use Date (GAS6)"},
        {ParamGrid::Factory, 14, "PID"},
        {ParamGrid::Maintenance, 1, "SELECT LANGUAGE"},
        {ParamGrid::Maintenance, 5, "LCD INVERSION"},
    };
    for (const auto& c : cases) EXPECT_EQ(RowLabel(ParameterRowAt(c.grid, c.row)), c.text);

    LanguageScope japanese(Language::Japanese);
    EXPECT_EQ(RowLabel(ParameterRowAt(ParamGrid::Parameter, 19)), "ゼロフォロワー (Gas3)");
    EXPECT_EQ(RowLabel(ParameterRowAt(ParamGrid::Factory, 4)), "LCD Contrast(0-50)");
}

// The per-channel rows are where a wrong channel would hide.
TEST(ParameterRows, PerChannelRows_ReachTheirChannels) {
    const RowText cases[] = {
        {ParamGrid::Parameter, 18, "Zero(0)"},       {ParamGrid::Parameter, 19, "Zero(2)"},
        {ParamGrid::Parameter, 20, "Zero(3)"},       {ParamGrid::Parameter, 21, "Zero(4)"},
        {ParamGrid::Parameter, 22, "Zero(5)"},       {ParamGrid::Parameter, 23, "ZeroForce(0)"},
        {ParamGrid::Parameter, 24, "ZeroForce(2)"},  {ParamGrid::Parameter, 25, "ZeroForce(3)"},
        {ParamGrid::Parameter, 26, "ZeroForce(4)"},  {ParamGrid::Parameter, 27, "ZeroForce(5)"},
        {ParamGrid::Factory, 7, "SensorDate(0)"},    {ParamGrid::Factory, 8, "SensorDate(1)"},
        {ParamGrid::Factory, 9, "SensorDate(2)"},    {ParamGrid::Factory, 10, "SensorDate(3)"},
        {ParamGrid::Factory, 11, "SensorDate(4)"},   {ParamGrid::Factory, 12, "SensorDate(5)"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ParameterRowAt(c.grid, c.row).Property.Name, c.text);

    clsInstrument record;
    ParameterRowAt(ParamGrid::Parameter, 19).Property.Assign(record, RowValue(Integer{1}));
    EXPECT_EQ(record.Zero(2), 1);
    EXPECT_TRUE(record.Change_Zero(2));
    ParameterRowAt(ParamGrid::Factory, 12).Property.Assign(record, RowValue(std::string("240229")));
    EXPECT_EQ(record.SensorDate(5), "240229");
    EXPECT_TRUE(record.Change_SensorDate(5));
}

// Assigning through one row changes that row's value and flag and no other row's: no two rows
// share a property, and every row's flag is its own property's.
TEST(ParameterRows, EveryRow_ReadsAndFlagsItsOwnProperty) {
    const auto rows = AllParameterRows();
    std::set<std::string> names;
    for (const ParameterRow* row : rows) EXPECT_TRUE(names.insert(row->Property.Name).second);

    for (const ParameterRow* row : rows) {
        clsInstrument record;
        const clsInstrument before = record;
        RowValue changed;
        switch (row->Property.Kind) {
        case ValueKind::Integer: changed = Integer{77}; break;
        case ValueKind::Single: changed = Single{7.5f}; break;
        case ValueKind::Text: changed = std::string("770101"); break;
        }
        row->Property.Assign(record, changed);
        EXPECT_EQ(row->Property.Read(record), changed) << Describe(*row);
        if (row->Property.Changed) {
            EXPECT_TRUE(row->Property.Changed(record)) << Describe(*row);
        }
        for (const ParameterRow* other : rows) {
            if (other == row) continue;
            EXPECT_EQ(other->Property.Read(record), other->Property.Read(before))
                << Describe(*row) << " changed " << Describe(*other);
            if (other->Property.Changed) {
                EXPECT_FALSE(other->Property.Changed(record))
                    << Describe(*row) << " flagged " << Describe(*other);
            }
        }
    }
}

TEST(ParameterRows, MarkChanged_SetsTheRowsFlagWithoutTouchingTheValue) {
    for (const ParameterRow* row : AllParameterRows()) {
        clsInstrument record;
        if (!row->Property.MarkChanged) {
            EXPECT_STREQ(row->Property.Name, "PIDdata");
            EXPECT_EQ(row->Property.Changed, nullptr);
            continue;
        }
        const RowValue value = row->Property.Read(record);
        row->Property.MarkChanged(record);
        EXPECT_TRUE(row->Property.Changed(record)) << Describe(*row);
        EXPECT_EQ(row->Property.Read(record), value) << Describe(*row);
    }
}

TEST(ParameterRows, ChoiceColumn_HoldsTheListForChoiceRowsOnly) {
    LanguageScope english(Language::English);
    EXPECT_EQ(RowChoiceList(ParameterRowAt(ParamGrid::Parameter, 38)), "Off|LC|BH|LC BH");
    EXPECT_EQ(RowChoiceList(ParameterRowAt(ParamGrid::Parameter, 5)), "30|45|60|90");
    EXPECT_EQ(RowChoiceList(ParameterRowAt(ParamGrid::Parameter, 39)), "30|45|60");
    EXPECT_EQ(RowChoiceList(ParameterRowAt(ParamGrid::Factory, 1)), "Japan|Other");
    EXPECT_EQ(RowChoiceList(ParameterRowAt(ParamGrid::Maintenance, 0)),
              "DD/MM/YYYY|MM/DD/YYYY|YYYY/MM/DD");
    for (const ParameterRow* row : AllParameterRows())
        EXPECT_EQ(RowChoiceList(*row).empty(), row->Editor.Kind != EditorKind::Choice)
            << Describe(*row);
}

}  // namespace
}  // namespace tz
