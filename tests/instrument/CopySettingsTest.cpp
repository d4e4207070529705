#include "instrument/CopySettings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "instrument/ParameterTestSupport.h"
#include "instrument/RecordJson.h"

namespace tz {
namespace {

using namespace testing;

// A value for the row that its editor allows and that a new record does not hold.
RowValue OtherValue(const ParameterRow& row) {
    const RowValue fresh = row.Property.Read(clsInstrument());
    const RowEditor& editor = row.Editor;
    switch (editor.Kind) {
    case EditorKind::Choice:
        for (const Integer value : ChoiceValues(editor.Choices)) {
            const RowValue candidate = row.Property.Kind == ValueKind::Text
                                           ? RowValue(std::to_string(value))
                                           : RowValue(value);
            if (candidate != fresh) return candidate;
        }
        break;
    case EditorKind::Number:
        if (row.Property.Kind == ValueKind::Single) return Single{12.5f};
        for (const double value : {editor.Min, editor.Min + 1, editor.Max}) {
            const RowValue candidate(static_cast<Integer>(value));
            if (candidate != fresh) return candidate;
        }
        break;
    case EditorKind::Digits: return std::string("0123");
    case EditorKind::SensorDate: return std::string("240229");
    case EditorKind::KeyText: return std::string("AB-12");
    case EditorKind::Text: return std::string("PID TEXT");
    }
    ADD_FAILURE() << "no other value for " << Describe(row);
    return fresh;
}

// Every row of the three grids travels with CopySettings: copied and flagged by the full copy;
// by the changed-only copy exactly when the source flags it. A row that CopySettings leaves out
// fails here.
TEST(CopySettings, EveryGridRow_IsCopiedThroughTheTargetsProperty) {
    for (const ParameterRow* row : AllParameterRows()) {
        const RowValue value = OtherValue(*row);
        clsInstrument source;
        row->Property.Assign(source, value);

        clsInstrument all;
        CopySettings(all, source, false);
        EXPECT_EQ(row->Property.Read(all), value) << "full copy, " << Describe(*row);
        if (row->Property.Changed) {
            EXPECT_TRUE(row->Property.Changed(all)) << "full copy, " << Describe(*row);
        }

        clsInstrument changed;
        CopySettings(changed, source, true);
        EXPECT_EQ(row->Property.Read(changed), value) << "changed only, " << Describe(*row);

        if (!row->Property.Changed) continue;
        source.ClearChangeFlags();
        clsInstrument unflagged;
        const clsInstrument before = unflagged;
        CopySettings(unflagged, source, true);
        EXPECT_EQ(RecordDifferences(unflagged, before), std::vector<std::string>{})
            << "unflagged, " << Describe(*row);
    }
}

TEST(CopySettings, PidDataWithoutAFlag_TravelsInTheChangedOnlyCopyWhenItDiffers) {
    clsInstrument source;
    source.PIDdata("ISOBUTYLENE,1.000,10.6");
    clsInstrument target;
    CopySettings(target, source, true);
    EXPECT_EQ(target.PIDdata(), "ISOBUTYLENE,1.000,10.6");
}

TEST(CopySettings, ListsAndIdentifiers_AreCopied_OnlyFlaggedEntriesWhenChangedOnly) {
    clsInstrument source;
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        source.StationList(i, "ST" + std::to_string(i));
        source.UserList(i, "US" + std::to_string(i));
    }
    source.StationID("TANK 4");
    source.UserID("SMITH");

    clsInstrument all;
    CopySettings(all, source, false);
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        EXPECT_EQ(all.StationList(i), source.StationList(i));
        EXPECT_EQ(all.UserList(i), source.UserList(i));
        EXPECT_TRUE(all.Change_StationList(i));
        EXPECT_TRUE(all.Change_UserList(i));
    }
    EXPECT_EQ(all.StationID(), "TANK 4");
    EXPECT_EQ(all.UserID(), "SMITH");
    EXPECT_TRUE(all.Change_StationID());
    EXPECT_TRUE(all.Change_UserID());

    source.ClearChangeFlags();
    source.Change_StationList(5, true);
    source.Change_UserList(127, true);
    source.Change_UserID(true);
    clsInstrument changed;
    const clsInstrument fresh;
    CopySettings(changed, source, true);
    std::vector<std::string> expected = {"UserID", "StationList", "Change_UserID",
                                         "Change_StationList", "UserList", "Change_UserList"};
    auto differences = RecordDifferences(changed, fresh);
    std::sort(differences.begin(), differences.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(differences, expected);
    EXPECT_EQ(changed.StationList(5), "ST5");
    EXPECT_EQ(changed.StationList(4), fresh.StationList(4));
    EXPECT_EQ(changed.UserList(127), "US127");
    EXPECT_EQ(changed.UserList(126), fresh.UserList(126));
}

// What the dialog does not show stays as the target holds it, even in the full copy.
TEST(CopySettings, SettingsTheDialogDoesNotShow_AreLeftAlone) {
    clsInstrument source;
    source.SetChangeFlags(true, true);
    source.Warning(0, 50.0f);
    source.GasName(2, "H2S");
    source.SerialNo("SN-1");
    source.Intervals(60);
    source.FlowLevel(300);
    source.Zero(1, 1);
    source.ZeroForce(1, 2);
    source.PasswordStr("1111");
    source.AIdata(3);
    clsInstrument target;
    const clsInstrument before = target;
    CopySettings(target, source, false);
    for (const std::string& name : RecordDifferences(target, before)) {
        EXPECT_NE(name, "Warning");
        EXPECT_NE(name, "GasName");
        EXPECT_NE(name, "SerialNo");
        EXPECT_NE(name, "Intervals");
        EXPECT_NE(name, "FlowLevel");
        EXPECT_NE(name, "PasswordStr");
        EXPECT_NE(name, "AIdata");
    }
    EXPECT_EQ(target.Zero(1), 0);
    EXPECT_EQ(target.ZeroForce(1), 0);
    EXPECT_FALSE(target.Change_Warn(0));
}

}  // namespace
}  // namespace tz
