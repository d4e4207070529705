#include "instrument/GridEditRules.h"

#include <gtest/gtest.h>

#include "instrument/GridTestRecord.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using testing::GridTestRecord;
using C = GridColumn;
using Outcome = GridEdit::Outcome;

class GridEditRules : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }
    clsInstrument record = GridTestRecord();
};

struct EditCase {
    const char* scenario;
    Integer channel;
    GridColumn column;
    const char* typed;
    Outcome outcome;
    EditRefusal refusal;
    Single value;  // stored value when accepted
    bool isLo;
    const char* text;  // text shown when accepted
};

TEST_F(GridEditRules, TypedLevels_AcceptedRoundedOrRefused) {
    const Outcome A = Outcome::Accepted, R = Outcome::Refused, U = Outcome::Unchanged;
    using E = EditRefusal;
    const EditCase cases[] = {
        {"alarm above 60 % of the full scale", 0, C::Alarm, "61", R, E::OutsideLimits, 0, false, ""},
        {"alarm at 60 % of the full scale", 0, C::Alarm, "60", A, E::None, 60, false, "60"},
        {"alarm rounded onto 60", 0, C::Alarm, "60.4", A, E::None, 60, false, "60"},
        {"not a number", 0, C::Warning, "abc", R, E::NotANumber, 0, false, ""},
        {"empty text", 0, C::Warning, "", U, E::None, 0, false, ""},
        {"only spaces", 2, C::Alarm, "   ", U, E::None, 0, false, ""},
        {"negative, which rounding would turn into 0", 2, C::Warning, "-5", R, E::Negative, 0, false, ""},
        {"STEL of the combustible channel", 0, C::Stel, "1", R, E::ReadOnly, 0, false, ""},
        {"TWA of the oxygen channel", 1, C::Twa, "1", R, E::ReadOnly, 0, false, ""},
        {"oxygen warning 24 with the falling type", 1, C::Warning, "24", R, E::OutsideLimits, 0, false, ""},
        {"oxygen warning 20.9 with the falling type", 1, C::Warning, " 20.9 ", A, E::None, 20.9f, false, "20.9"},
        {"H2S rounded up to the step 0.5", 2, C::Warning, "10.3", A, E::None, 10.5f, false, "10.5"},
        {"H2S half step goes to the even multiple", 2, C::Warning, "10.25", A, E::None, 10.0f, false, "10.0"},
        {"H2S warning above its alarm is accepted", 2, C::Warning, "29", A, E::None, 29, false, "29.0"},
        {"H2S above 30", 2, C::Stel, "30.5", R, E::OutsideLimits, 0, false, ""},
        {"rounding quotient beyond 32 bits", 2, C::Warning, "2000000000", R, E::TooFine, 0, false, ""},
        {"CO STEL at its limit", 3, C::Stel, "200", A, E::None, 200, false, "200"},
        {"dual range keeps the main range", 4, C::Warning, "4.96", A, E::None, 5.0f, false, "5.0"},
        {"dual range main warning above the alarm", 4, C::Warning, "5.1", R, E::OutsideLimits, 0, false, ""},
        {"same-unit second range by value", 5, C::Warning, "80", A, E::None, 80, true, "80"},
        {"same-unit main range by value, step 10", 5, C::Alarm, "154", A, E::None, 150, false, "150"},
        {"auto-cal at the full scale", 0, C::AutoCal, "100", A, E::None, 100, false, "100"},
        {"auto-cal above the full scale", 0, C::AutoCal, "100.4", R, E::OutsideLimits, 0, false, ""},
        {"auto-cal rounded", 2, C::AutoCal, "20.2", A, E::None, 20.0f, false, "20.0"},
        {"auto-cal negative", 3, C::AutoCal, "-1", R, E::Negative, 0, false, ""},
        {"auto-cal in the second range by value", 5, C::AutoCal, "40", A, E::None, 40, true, "40"},
        {"position as text", 0, C::Position, "x", R, E::NotANumber, 0, false, ""},
        {"position with decimals", 0, C::Position, "2.5", R, E::NotWholeNumber, 0, false, ""},
        {"position 0", 0, C::Position, "0", R, E::OutsideLimits, 0, false, ""},
        {"position 7", 0, C::Position, "7", R, E::OutsideLimits, 0, false, ""},
        {"position written 3.0", 0, C::Position, "3.0", A, E::None, 3, false, "3"},
        {"rate", 0, C::Rate, "1.5", A, E::None, 1.5f, false, "1.50"},
        {"rate rounded down to two decimals", 3, C::Rate, "1.004", A, E::None, 1.0f, false, "1.00"},
        {"rate rounding up to 2.00", 3, C::Rate, "1.995", R, E::OutsideLimits, 0, false, ""},
        {"rate 2", 3, C::Rate, "2", R, E::OutsideLimits, 0, false, ""},
        {"rate below 1", 3, C::Rate, "0.99", R, E::OutsideLimits, 0, false, ""},
        {"rate as text", 3, C::Rate, "--", R, E::NotANumber, 0, false, ""},
        {"rate empty", 3, C::Rate, "", U, E::None, 0, false, ""},
        {"gas label", 3, C::Gas, "CO", R, E::ReadOnly, 0, false, ""},
        {"check box as text", 3, C::Enable, "1", R, E::ReadOnly, 0, false, ""},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.scenario);
        const GridEdit edit = EditGridCell(record, c.channel, c.column, c.typed);
        EXPECT_EQ(edit.Result, c.outcome);
        EXPECT_EQ(edit.Refusal, c.refusal);
        if (c.outcome == Outcome::Accepted) {
            EXPECT_FLOAT_EQ(edit.Value, c.value);
            EXPECT_EQ(edit.IsLo, c.isLo);
            EXPECT_EQ(edit.Text, c.text);
        }
        EXPECT_EQ(edit.Reason.empty(), c.outcome != Outcome::Refused);
    }
}

TEST_F(GridEditRules, RefusedAlarm_ReasonNamesTheValueAndTheLimit) {
    const GridEdit edit = EditGridCell(record, 0, C::Alarm, "61");
    EXPECT_EQ(edit.Reason, "61 %LEL is outside the limits. Alarm: 0 to 60 %LEL (60 % of the full scale)");
    EXPECT_EQ(EditGridCell(record, 2, C::Warning, "abc").Reason, "\"abc\" is not a number. Warning: 0 to 30 ppm");
}

TEST_F(GridEditRules, OxygenWarning24_AcceptedWithTheRisingFallingType) {
    record.AlarmO2(0);
    const GridEdit edit = EditGridCell(record, 1, C::Warning, "24");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_EQ(edit.Text, "24.0");
}

TEST_F(GridEditRules, DualRangeLevel_StaysInTheRangeItIsExpressedIn) {
    // Warning in ppb: compared with the alarm of 5.0 ppm = 5000 ppb.
    record.WarnIsLo(4, true);
    GridEdit edit = EditGridCell(record, 4, C::Warning, "4999.6");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_FLOAT_EQ(edit.Value, 5000);
    EXPECT_TRUE(edit.IsLo);
    EXPECT_EQ(edit.Text, "5000");
    edit = EditGridCell(record, 4, C::Warning, "6000");
    EXPECT_EQ(edit.Refusal, EditRefusal::OutsideLimits);
    // A 50 ppm alarm converts to 50000 ppb, beyond 16 bits but within the rules.
    record.Warning(4, 1.0f);
    EXPECT_TRUE(EditGridCell(record, 4, C::Alarm, "50").Accepted());
}

TEST_F(GridEditRules, LevelCheck_UsesTheLowRangeMarkTheEditSets) {
    // STEL marked in the second range (full scale 100): 150 lands in the main range (full scale
    // 1000) and is checked there; with the old mark it would be refused.
    record.StelIsLo(5, true);
    const GridEdit edit = EditGridCell(record, 5, C::Stel, "150");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_FALSE(edit.IsLo);
    EXPECT_FLOAT_EQ(edit.Value, 150);
}

TEST_F(GridEditRules, RangeWithoutStep_KeepsTheTypedValue) {
    record.GasDesit(3, 0);
    const GridEdit edit = EditGridCell(record, 3, C::Warning, "33");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_FLOAT_EQ(edit.Value, 33);
}

TEST_F(GridEditRules, AcceptedLevel_StoredWithItsMarkAndChangeFlag) {
    record.WarnIsLo(5, false);
    const GridEdit edit = EditGridCell(record, 5, C::Warning, "80");
    ApplyGridEdit(record, 5, C::Warning, edit);
    EXPECT_FLOAT_EQ(record.Warning(5), 80);
    EXPECT_TRUE(record.WarnIsLo(5));
    EXPECT_TRUE(record.Change_Warn(5));
    EXPECT_FALSE(record.Change_Alarm(5));

    const GridEdit autoCal = EditGridCell(record, 5, C::AutoCal, "40");
    ApplyGridEdit(record, 5, C::AutoCal, autoCal);
    EXPECT_FLOAT_EQ(record.AutoCalib(5), 40);
    EXPECT_TRUE(record.AutoCalIsLo(5));
    EXPECT_TRUE(record.Change_AutoCal(5));
}

TEST_F(GridEditRules, RefusedUnchangedAndRateEdits_StoreNothing) {
    const clsInstrument before = record;
    const std::pair<GridColumn, const char*> edits[] = {{C::Alarm, "61"}, {C::Alarm, ""}, {C::Rate, "1.5"}};
    for (const auto& [column, typed] : edits) ApplyGridEdit(record, 0, column, EditGridCell(record, 0, column, typed));
    EXPECT_FLOAT_EQ(record.Alarm(0), before.Alarm(0));
    EXPECT_FALSE(record.Change_Alarm(0));
    EXPECT_FALSE(record.Change_PortCh());
}

TEST_F(GridEditRules, PositionEdits_RenumberAndComeBack) {
    // Channel 4 (position 5) moves to 3: the channels at 3 and 4 move to 4 and 5.
    GridEdit edit = EditGridCell(record, 4, C::Position, "3");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_EQ(edit.Positions, (std::array<Integer, 6>{1, 2, 4, 5, 3, 6}));
    ApplyGridEdit(record, 4, C::Position, edit);
    EXPECT_EQ(record.PortCh(4), 2);
    EXPECT_EQ(record.PortCh(2), 3);
    EXPECT_TRUE(record.Change_PortCh());
    // The channel now at 3 goes back to 5.
    edit = EditGridCell(record, 4, C::Position, "5");
    ApplyGridEdit(record, 4, C::Position, edit);
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_EQ(record.PortCh(gas), gas);
}

TEST_F(GridEditRules, PositionOfAChannelWithoutOne_TakesTheFreePlaceFirst) {
    record.PortCh(1, -1);  // shows no position; 2 is the free place
    const GridEdit edit = EditGridCell(record, 1, C::Position, "5");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_EQ(edit.Positions, (std::array<Integer, 6>{1, 5, 2, 3, 4, 6}));
}

struct RenumberCase {
    std::array<Integer, 6> shown;
    Integer channel;
    Integer newNumber;
    std::array<Integer, 6> expected;
};

TEST(RenumberPositions, TableOfMoves) {
    const RenumberCase cases[] = {
        {{1, 2, 3, 4, 5, 6}, 4, 3, {1, 2, 4, 5, 3, 6}},
        {{1, 2, 4, 5, 3, 6}, 4, 5, {1, 2, 3, 4, 5, 6}},
        {{1, 2, 3, 4, 5, 6}, 0, 6, {6, 1, 2, 3, 4, 5}},
        {{1, 2, 3, 4, 5, 6}, 5, 1, {2, 3, 4, 5, 6, 1}},
        {{1, 2, 3, 4, 5, 6}, 2, 3, {1, 2, 3, 4, 5, 6}},
        // Without position (0): the smallest free number is the old one, never 0.
        {{1, 0, 2, 3, 4, 5}, 1, 6, {1, 6, 2, 3, 4, 5}},
        {{0, 2, 3, 4, 5, 6}, 0, 1, {1, 2, 3, 4, 5, 6}},
        {{0, 2, 3, 4, 5, 6}, 0, 4, {4, 1, 2, 3, 5, 6}},
        // Other channels without position stay without; numbers outside 1 to 6 count as none.
        {{1, 2, 0, 0, 3, 9}, 4, 1, {2, 3, 0, 0, 1, 0}},
    };
    for (const RenumberCase& c : cases) {
        const auto result = RenumberPositions(c.shown, c.channel, c.newNumber);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, c.expected) << "channel " << c.channel << " to " << c.newNumber;
    }
    EXPECT_FALSE(RenumberPositions({1, 2, 3, 4, 5, 6}, 0, 0));
    EXPECT_FALSE(RenumberPositions({1, 2, 3, 4, 5, 6}, 0, 7));
    EXPECT_FALSE(RenumberPositions({1, 2, 3, 4, 5, 6}, 6, 1));
}

TEST(ValidRate, OnlyOneToBelowTwoAfterRounding) {
    EXPECT_FLOAT_EQ(*ValidRate("1.00"), 1.0f);
    EXPECT_FLOAT_EQ(*ValidRate(" 1.994 "), 1.99f);
    for (const char* text : {"", "  ", "-----", "abc", "0", "0.994", "1.995", "2", "-1.5", "1e0"})
        EXPECT_FALSE(ValidRate(text).has_value()) << text;
    EXPECT_EQ(RateText(1.5f), "1.50");
}

TEST_F(GridEditRules, UnitRowChoice_SwitchesTheRangeOfTheShownValue) {
    // Warning 1.0 ppm on the dual-range channel: chosen ppb, it reads 1 (no decimals); back to ppm.
    GridEdit edit = EditUnitCell(record, 4, C::Warning, "ppb");
    ASSERT_TRUE(edit.Accepted());
    EXPECT_TRUE(edit.IsLo);
    EXPECT_EQ(edit.Text, "1");
    ApplyUnitEdit(record, 4, C::Warning, edit);
    EXPECT_TRUE(record.WarnIsLo(4));
    EXPECT_FLOAT_EQ(record.Warning(4), 1.0f);
    EXPECT_FALSE(record.Change_Warn(4));

    edit = EditUnitCell(record, 4, C::Warning, "ppm");
    EXPECT_FALSE(edit.IsLo);
    EXPECT_EQ(edit.Text, "1.0");
    EXPECT_EQ(EditUnitCell(record, 4, C::Warning, "ppt").Refusal, EditRefusal::UnknownUnit);
    EXPECT_EQ(EditUnitCell(record, 4, C::Warning, "ppt").Reason, "Unit of this level: ppb or ppm");
    // A second range in the main unit offers no choice; neither do other columns.
    EXPECT_EQ(EditUnitCell(record, 5, C::Warning, "ppm").Refusal, EditRefusal::ReadOnly);
    EXPECT_EQ(EditUnitCell(record, 4, C::Position, "ppm").Refusal, EditRefusal::ReadOnly);
}

}  // namespace
}  // namespace tz
