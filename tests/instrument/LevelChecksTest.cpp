#include "instrument/LevelChecks.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

constexpr Single kNone = -101.0f;

struct FixedCase {
    Integer channel;
    LevelKind kind;
    Integer alarmO2;
    Single value;
    bool expected;
};

// Channels 0 to 3 with the levels of a freshly chosen gas: combustible full scale 100, oxygen
// full scale 40 with warning 19.5 and alarm 23.5.
clsInstrument FixedChannels(Integer alarmO2) {
    clsInstrument rec;
    rec.GasFullScale(0, 100.0f);
    rec.GasFullScale(1, 40.0f);
    rec.Warning(1, 19.5f);
    rec.Alarm(1, 23.5f);
    rec.AlarmO2(alarmO2);
    return rec;
}

TEST(CheckLevel, FixedChannels_LimitsByRole) {
    using K = LevelKind;
    const FixedCase cases[] = {
        // Combustible gas: warning 0 or more, alarm at most 60 % of the full scale, no STEL/TWA.
        {0, K::Warning, 0, 0.0f, true},
        {0, K::Warning, 0, 95.0f, true},
        {0, K::Warning, 0, -0.5f, false},
        {0, K::Alarm, 0, 60.0f, true},
        {0, K::Alarm, 0, 60.5f, false},
        {0, K::Alarm, 0, 61.0f, false},
        {0, K::Stel, 0, 0.0f, false},
        {0, K::Twa, 0, 5.0f, false},
        {0, K::Stel, 0, kNone, true},
        // Oxygen, "L-H": 18.0 to 25.0 for both levels.
        {1, K::Warning, 0, 18.0f, true},
        {1, K::Warning, 0, 17.9f, false},
        {1, K::Warning, 0, 24.0f, true},
        {1, K::Alarm, 0, 25.0f, true},
        {1, K::Alarm, 0, 25.1f, false},
        // Oxygen, "L-LL": 18.0 to 20.9.
        {1, K::Warning, 1, 20.9f, true},
        {1, K::Warning, 1, 24.0f, false},
        {1, K::Alarm, 1, 18.0f, true},
        {1, K::Alarm, 1, 17.5f, false},
        // Oxygen, "H-HH": warning below the alarm (23.5), alarm from the warning (19.5) to the
        // full scale (40).
        {1, K::Warning, 2, 23.4f, true},
        {1, K::Warning, 2, 23.5f, false},
        {1, K::Alarm, 2, 19.5f, true},
        {1, K::Alarm, 2, 19.4f, false},
        {1, K::Alarm, 2, 40.0f, true},
        {1, K::Alarm, 2, 40.5f, false},
        // An oxygen alarm type the program does not know allows nothing but "not used".
        {1, K::Warning, 3, 19.5f, false},
        {1, K::Warning, 3, kNone, true},
        {1, K::Stel, 0, 1.0f, false},
        {1, K::Twa, 0, kNone, true},
        // Hydrogen sulphide: 0 to 30 for all four levels.
        {2, K::Warning, 0, 0.0f, true},
        {2, K::Alarm, 0, 30.0f, true},
        {2, K::Stel, 0, 30.5f, false},
        {2, K::Twa, 0, -1.0f, false},
        {2, K::Twa, 0, kNone, true},
        // Carbon monoxide: 0 to 200.
        {3, K::Warning, 0, 200.0f, true},
        {3, K::Alarm, 0, 200.5f, false},
        {3, K::Stel, 0, 150.0f, true},
        {3, K::Twa, 0, -0.5f, false},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "channel " << c.channel << " kind "
                                          << static_cast<int>(c.kind) << " AlarmO2 " << c.alarmO2
                                          << " value " << c.value);
        EXPECT_EQ(CheckLevel(FixedChannels(c.alarmO2), c.channel, c.kind, c.value), c.expected);
    }
}

TEST(CheckLevel, ChannelOutsideZeroToFive_Refused) {
    const clsInstrument rec;
    EXPECT_FALSE(CheckLevel(rec, -1, LevelKind::Warning, kNone));
    EXPECT_FALSE(CheckLevel(rec, 6, LevelKind::Warning, 1.0f));
}

// Channel 4 measuring 0 to 100 ppm, with a second range of 0 to 10000 ppb (factor 1000, step 1).
class RelativeChannel : public ::testing::Test {
protected:
    static constexpr Integer kCh = 4;
    clsInstrument rec;

    void SetUp() override {
        rec.GasUnit(kCh, "ppm");
        rec.GasFullScale(kCh, 100.0f);
        rec.Warning(kCh, 20.0f);
        rec.Alarm(kCh, 50.0f);
    }
    void MakeDualRange() {
        rec.GasUnit_l(kCh, "ppb");
        rec.GasFullScale_l(kCh, 10000.0f);
        rec.GasDigit_l(kCh, 1.0f);
        rec.Factor_l(kCh, 1000.0f);
    }
    bool Check(LevelKind kind, Single value) const { return CheckLevel(rec, kCh, kind, value); }
};

TEST_F(RelativeChannel, SingleRange_WarningUpToAlarmAlarmUpToFullScale) {
    EXPECT_TRUE(Check(LevelKind::Warning, 50.0f));
    EXPECT_FALSE(Check(LevelKind::Warning, 50.5f));
    EXPECT_FALSE(Check(LevelKind::Warning, -1.0f));
    EXPECT_TRUE(Check(LevelKind::Alarm, 20.0f));
    EXPECT_FALSE(Check(LevelKind::Alarm, 19.5f));
    EXPECT_TRUE(Check(LevelKind::Alarm, 100.0f));
    EXPECT_FALSE(Check(LevelKind::Alarm, 100.5f));
}

TEST_F(RelativeChannel, OtherLevelNotUsed_AnyValueAllowed) {
    rec.Alarm(kCh, kNone);
    EXPECT_TRUE(Check(LevelKind::Warning, 500.0f));
    rec.Warning(kCh, kNone);
    EXPECT_TRUE(Check(LevelKind::Alarm, 500.0f));
}

TEST_F(RelativeChannel, SecondRangeInSameUnit_ComparedUnconverted) {
    rec.GasUnit_l(kCh, "ppm");
    rec.GasFullScale_l(kCh, 10.0f);
    rec.Factor_l(kCh, 1000.0f);
    rec.AlarmIsLo(kCh, true);
    EXPECT_TRUE(Check(LevelKind::Warning, 50.0f));   // 50 against the alarm 50 as stored
    EXPECT_FALSE(Check(LevelKind::Warning, 51.0f));
}

TEST_F(RelativeChannel, DualRange_WarningConvertedToSecondRange) {
    MakeDualRange();
    rec.Alarm(kCh, 8000.0f);
    rec.AlarmIsLo(kCh, true);
    // A main-range warning: 5 ppm is 5000 ppb, below the 8000 ppb alarm; 9 ppm is above it.
    EXPECT_TRUE(Check(LevelKind::Warning, 5.0f));
    EXPECT_FALSE(Check(LevelKind::Warning, 9.0f));
    EXPECT_FALSE(Check(LevelKind::Warning, 101.0f));  // above the main full scale
    // A second-range warning is compared as it stands and limited by the second full scale.
    rec.WarnIsLo(kCh, true);
    EXPECT_TRUE(Check(LevelKind::Warning, 8000.0f));
    EXPECT_FALSE(Check(LevelKind::Warning, 8001.0f));
    // A main-range alarm is converted too: warning 5 ppm against an alarm of 4 ppm (4000 ppb).
    rec.WarnIsLo(kCh, false);
    rec.Alarm(kCh, 4.0f);
    rec.AlarmIsLo(kCh, false);
    EXPECT_FALSE(Check(LevelKind::Warning, 5.0f));
    EXPECT_TRUE(Check(LevelKind::Warning, 4.0f));
}

TEST_F(RelativeChannel, DualRange_AlarmCappedAtSecondFullScale) {
    MakeDualRange();
    rec.Warning(kCh, 3000.0f);
    rec.WarnIsLo(kCh, true);
    // A main-range alarm of 50 ppm is 50000 ppb, lowered to the 10000 ppb full scale: allowed.
    EXPECT_TRUE(Check(LevelKind::Alarm, 50.0f));
    EXPECT_TRUE(Check(LevelKind::Alarm, 3.0f));    // 3000 ppb, equal to the warning
    EXPECT_FALSE(Check(LevelKind::Alarm, 2.0f));   // 2000 ppb, below the warning
    EXPECT_FALSE(Check(LevelKind::Alarm, 100.5f)); // above the main full scale
    rec.AlarmIsLo(kCh, true);
    EXPECT_TRUE(Check(LevelKind::Alarm, 10000.0f));
    EXPECT_FALSE(Check(LevelKind::Alarm, 10001.0f));
    EXPECT_FALSE(Check(LevelKind::Alarm, 2999.0f));
    // A main-range warning above the second range is lowered to its full scale before comparing.
    rec.Warning(kCh, 60.0f);
    rec.WarnIsLo(kCh, false);
    EXPECT_TRUE(Check(LevelKind::Alarm, 10000.0f));
    EXPECT_FALSE(Check(LevelKind::Alarm, 9999.0f));
}

TEST_F(RelativeChannel, DualRange_ConversionOverflow_RefusedNotThrown) {
    MakeDualRange();
    rec.Factor_l(kCh, 1e30f);
    rec.AlarmIsLo(kCh, true);
    EXPECT_NO_THROW(EXPECT_FALSE(Check(LevelKind::Warning, 5.0f)));
    EXPECT_NO_THROW(EXPECT_FALSE(CheckLevelOrder(rec, kCh)));
}

TEST_F(RelativeChannel, StelAndTwa_WithinFullScaleOfTheirRange) {
    MakeDualRange();
    EXPECT_TRUE(Check(LevelKind::Stel, 100.0f));
    EXPECT_FALSE(Check(LevelKind::Stel, 100.5f));
    EXPECT_FALSE(Check(LevelKind::Twa, -0.5f));
    rec.StelIsLo(kCh, true);
    EXPECT_TRUE(Check(LevelKind::Stel, 10000.0f));
    EXPECT_FALSE(Check(LevelKind::Stel, 10000.5f));
    EXPECT_FALSE(Check(LevelKind::Twa, 100.5f));  // TWA still in the main range
}

struct OrderCase {
    Integer channel;
    Integer alarmO2;
    Single warning, alarm;
    bool expected;
};

TEST(CheckLevelOrder, RisingAndFallingAlarms) {
    const OrderCase cases[] = {
        // Oxygen with both levels falling ("L-LL"): the warning is the higher one.
        {1, 1, 19.5f, 18.0f, true},
        {1, 1, 19.0f, 19.0f, true},
        {1, 1, 18.0f, 19.0f, false},
        // Oxygen "L-H" and "H-HH": the warning is the lower one.
        {1, 0, 19.5f, 23.5f, true},
        {1, 0, 23.5f, 19.5f, false},
        {1, 2, 22.0f, 23.0f, true},
        {1, 2, 23.0f, 22.0f, false},
        // Every other channel rises, whatever AlarmO2 says.
        {0, 1, 10.0f, 50.0f, true},
        {2, 1, 20.0f, 10.0f, false},
        {3, 0, 50.0f, 50.0f, true},
        {5, 1, 60.0f, 50.0f, false},
        // A level that is not used has no order to keep.
        {2, 0, kNone, 10.0f, true},
        {2, 0, 10.0f, kNone, true},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "channel " << c.channel << " AlarmO2 " << c.alarmO2
                                          << " warning " << c.warning << " alarm " << c.alarm);
        clsInstrument rec;
        rec.AlarmO2(c.alarmO2);
        rec.Warning(c.channel, c.warning);
        rec.Alarm(c.channel, c.alarm);
        EXPECT_EQ(CheckLevelOrder(rec, c.channel), c.expected);
    }
}

TEST_F(RelativeChannel, Order_DualRangeComparesInSecondRange) {
    MakeDualRange();
    rec.Warning(kCh, 5.0f);  // 5 ppm = 5000 ppb
    rec.Alarm(kCh, 4000.0f);
    rec.AlarmIsLo(kCh, true);
    EXPECT_FALSE(CheckLevelOrder(rec, kCh));
    rec.Alarm(kCh, 6000.0f);
    EXPECT_TRUE(CheckLevelOrder(rec, kCh));
    // The other way round: a second-range warning against a main-range alarm.
    rec.Warning(kCh, 7000.0f);
    rec.WarnIsLo(kCh, true);
    rec.Alarm(kCh, 6.0f);
    rec.AlarmIsLo(kCh, false);
    EXPECT_FALSE(CheckLevelOrder(rec, kCh));
    rec.Alarm(kCh, 7.0f);
    EXPECT_TRUE(CheckLevelOrder(rec, kCh));
}

TEST(CheckLevelOrder, ChannelOutsideZeroToFive_False) {
    EXPECT_FALSE(CheckLevelOrder(clsInstrument(), 6));
}

}  // namespace
}  // namespace tz
