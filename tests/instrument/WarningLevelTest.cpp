#include "instrument/WarningLevel.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

struct LevelCase {
    const char* gasName;
    Single warning;   // the channel's Warning; negative: none set
    Integer alarmO2;
    Integer channel;
    Single value;
    bool expected;
};

TEST(IsAtWarningLevel, FixedAndSetLevelsRisingAndFalling) {
    const LevelCase cases[] = {
        // Oxygen falls: at or below the level.
        {"O2", 18.0f, 1, 1, 18.0f, true},
        {"O2", 18.0f, 1, 1, 18.1f, false},
        {"OXY", 18.0f, 1, 1, 17.0f, true},
        {"O2", 18.0f, 2, 1, 19.5f, true},    // AlarmO2 2: the fixed level 19.5 counts
        {"O2", 18.0f, 2, 1, 19.6f, false},
        {"O2", -101.0f, 1, 1, 19.5f, true},  // no warning set: fixed level
        {"O2", -101.0f, 1, 1, 20.9f, false},
        {"o2", 18.0f, 1, 1, 18.0f, true},    // not named oxygen: rising, 18 >= 18
        {"o2", 18.0f, 1, 1, 17.9f, false},
        // Other gases rise: at or above the level.
        {"CH4", 10.0f, 1, 0, 10.0f, true},
        {"CH4", 10.0f, 1, 0, 9.9f, false},
        {"CH4", -101.0f, 1, 0, 10.0f, true},  // fixed 10.0
        {"H2S", -101.0f, 1, 2, 9.9f, false},  // fixed 10.0
        {"CO", -101.0f, 1, 3, 25.0f, true},   // fixed 25.0
        {"CO", -101.0f, 1, 3, 24.9f, false},
        {"CO", 50.0f, 2, 3, 50.0f, true},     // AlarmO2 only matters for oxygen
        {"CO", 50.0f, 2, 3, 30.0f, false},
        // Outside the test: negative values and other channels pass.
        {"CO", 50.0f, 1, 3, -1.0f, true},
        {"VOC", 50.0f, 1, 4, 0.0f, true},
        {"CH4", 50.0f, 1, -1, 0.0f, true},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.gasName << " warning " << c.warning << " AlarmO2 "
                                          << c.alarmO2 << " ch " << c.channel << " value "
                                          << c.value);
        clsInstrument rec;
        const Integer ch = c.channel >= 0 && c.channel < 6 ? c.channel : 0;
        rec.GasName(ch, c.gasName);
        rec.Warning(ch, c.warning);
        rec.AlarmO2(c.alarmO2);
        EXPECT_EQ(IsAtWarningLevel(rec, c.channel, c.value), c.expected);
    }
}

}  // namespace
}  // namespace tz
