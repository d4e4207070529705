#include "instrument/MainWindowFields.h"

#include <gtest/gtest.h>

#include "text/DateTime.h"

namespace tz {
namespace {

TEST(IsValidIdText, LengthByKindAndTheKeyCharacters) {
    const std::string twenty(20, 'A'), sixteen(16, '9');
    struct Case {
        Integer kind;
        std::string text;
        bool valid;
    } const cases[] = {
        {0, "", true},           {0, twenty, true},         {0, twenty + "B", false},
        {3, twenty, true},       {3, twenty + "-", false},  {1, sixteen, true},
        {1, sixteen + "X", false}, {2, sixteen + " ", false}, {2, "AB-12 *x", true},
        {0, "A_B", false},       {1, "A/B", false},         {2, "\x08", false},
        {4, "", false},          {-1, "A", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidIdText(c.kind, c.text), c.valid) << c.kind << " \"" << c.text << "\"";
}

TEST(FilterIdKey, UpperCaseWithinTheLimitAndBackspace) {
    IdKey key = FilterIdKey(0, "AB", 2, 0, 'a');
    EXPECT_TRUE(key.Accepted);
    EXPECT_EQ(key.Key, 'A');
    // The 21st character of the serial number and the 17th of the station are refused.
    EXPECT_FALSE(FilterIdKey(0, std::string(20, 'A'), 20, 0, 'B').Accepted);
    EXPECT_FALSE(FilterIdKey(1, std::string(16, 'A'), 3, 0, 'B').Accepted);
    // Typing over a selection replaces it, so a full field takes a key in place of the selection.
    EXPECT_TRUE(FilterIdKey(1, std::string(16, 'A'), 3, 2, 'B').Accepted);
    EXPECT_FALSE(FilterIdKey(2, "AB", 1, 0, '_').Accepted);
    EXPECT_TRUE(FilterIdKey(2, std::string(16, 'A'), 16, 0, '\x08').Accepted);
    // A selection reaching beyond the text is clamped.
    EXPECT_TRUE(FilterIdKey(0, "AB", 5, 9, 'z').Accepted);
}

TEST(LeaveIdField, ValidTextStoredInUpperCaseInvalidTextReset) {
    clsInstrument record;
    record.ClearChangeFlags();
    EXPECT_EQ(LeaveIdField(record, 1, "site-7"), "SITE-7");
    EXPECT_EQ(record.StationID(), "SITE-7");
    EXPECT_TRUE(record.Change_StationID());
    EXPECT_EQ(LeaveIdField(record, 0, "SN_01"), record.SerialNo());
    EXPECT_FALSE(record.Change_SerialNo());
    EXPECT_EQ(LeaveIdField(record, 3, "M-1"), "M-1");
    EXPECT_EQ(record.DummySerial(), "M-1");
    EXPECT_EQ(LeaveIdField(record, 2, "U1"), "U1");
    EXPECT_EQ(IdFieldValue(record, 2), "U1");
}

TEST(IntervalChoiceIndex, TheEqualEntryOr300) {
    EXPECT_EQ(IntervalChoices[IntervalChoiceIndex(10)], 10);
    EXPECT_EQ(IntervalChoices[IntervalChoiceIndex(600)], 600);
    EXPECT_EQ(IntervalChoices[IntervalChoiceIndex(0)], 300);
    EXPECT_EQ(IntervalChoices[IntervalChoiceIndex(45)], 300);
}

TEST(SelectedListEntry, TheLastEntryEqualAfterTrimming) {
    clsInstrument record;
    record.StationList(3, "NORTH");
    record.StationList(70, " NORTH  ");
    record.StationID("NORTH");
    EXPECT_EQ(SelectedStationEntry(record), 70);
    record.StationID("SOUTH");
    EXPECT_EQ(SelectedStationEntry(record), -1);
    // Every entry starts as the placeholder the identifier starts with.
    EXPECT_EQ(SelectedUserEntry(record), 127);
}

TEST(MainWindowClocks, PcClockAlwaysInstrumentClockOnceReadAndValid) {
    const Date now = *MakeDate({2024, 5, 6, 12, 0, 0});
    clsInstrument record;
    ClockTexts clocks = MainWindowClocks(now, record, 6);
    EXPECT_EQ(clocks.Pc, "2024/05/06 12:00:00");
    EXPECT_EQ(clocks.Instrument, "");

    record.CommFlags(true);
    record.SysDateOffset(1.0 / 24);  // the instrument is an hour behind
    clocks = MainWindowClocks(now, record, 6);
    EXPECT_EQ(clocks.Instrument, "2024/05/06 11:00:00");
    EXPECT_FALSE(clocks.ResetOffset);
    EXPECT_EQ(MainWindowClocks(now, record, 1).Instrument, "");
    EXPECT_EQ(MainWindowClocks(now, record, 0).Instrument, "");

    record.SysDateOffset(1e300);
    clocks = MainWindowClocks(now, record, 2);
    EXPECT_EQ(clocks.Instrument, "2024/05/06 12:00:00");
    EXPECT_TRUE(clocks.ResetOffset);
}

}  // namespace
}  // namespace tz
