#include "app/GasSelection.h"

#include <gtest/gtest.h>

#include "app/InstrumentRead.h"

namespace tz {
namespace {

GasTableEntry Oxygen() {
    GasTableEntry e;
    e.Enabled = true;
    e.GasName = "O2";
    e.GasUnit = "%";
    e.GasPoint = 1;
    e.Warning = 19.5f;
    e.Alarm = 23.5f;
    e.Stel = -101;
    e.Twa = -101;
    e.GasDesit = 0.1f;
    e.GasFullScale = 40;
    e.AutoCalib = 12;
    e.Ratio = 1.5f;
    e.Zero = 0;
    return e;
}

TEST(ApplyGasTableEntry, CopiesEveryFieldWithItsChangeFlag) {
    clsInstrument record;
    record.AlarmO2(1);
    record.WarnIsLo(1, true);
    record.AutoCalIsLo(1, true);
    record.ClearChangeFlags();
    ApplyGasTableEntry(record, 1, Oxygen());
    EXPECT_EQ(record.GasName(1), "O2");
    EXPECT_TRUE(record.GasEnabled(1));
    EXPECT_EQ(record.GasPoint(1), 1);
    EXPECT_EQ(record.GasUnit(1), "%");
    EXPECT_FLOAT_EQ(record.Warning(1), 19.5f);
    EXPECT_FLOAT_EQ(record.Alarm(1), 23.5f);
    EXPECT_FLOAT_EQ(record.Stel(1), -101);
    EXPECT_FLOAT_EQ(record.Twa(1), -101);
    EXPECT_FLOAT_EQ(record.GasDesit(1), 0.1f);
    EXPECT_FLOAT_EQ(record.GasFullScale(1), 40);
    EXPECT_FLOAT_EQ(record.AutoCalib(1), 12);
    EXPECT_FLOAT_EQ(record.Ratio(1), 1.5f);
    EXPECT_EQ(record.Zero(1), 0);
    // The table's levels are main-range values.
    EXPECT_FALSE(record.WarnIsLo(1));
    EXPECT_FALSE(record.AutoCalIsLo(1));
    EXPECT_TRUE(record.Change_Warn(1) && record.Change_Alarm(1) && record.Change_AutoCal(1));
    EXPECT_TRUE(record.Change_GasEnable(1) && record.Change_GasPoint(1) && record.Change_Ratio(1));
    EXPECT_EQ(record.AlarmO2(), 0);
}

TEST(ApplyGasTableEntry, OnlyOxygenNamesResetTheOxygenAlarmType) {
    const std::pair<const char*, bool> names[] = {{"OXY", true}, {"O2 ", true}, {"CO", false}, {"XO2", false},
                                                  {"o2", false}};
    for (const auto& [name, resets] : names) {
        clsInstrument record;
        record.AlarmO2(2);
        GasTableEntry gas = Oxygen();
        gas.GasName = name;
        ApplyGasTableEntry(record, 3, gas);
        EXPECT_EQ(record.AlarmO2(), resets ? 0 : 2) << name;
    }
}

TEST(ChosenGas, ConfirmedPresentEntriesOnly) {
    GasTableType table{};
    table[2][1] = Oxygen();
    table[2][16] = Oxygen();
    EXPECT_EQ(ChosenGas(table, 2, true, 1), &table[2][1]);
    EXPECT_EQ(ChosenGas(table, 2, false, 1), nullptr);  // Cancel
    EXPECT_EQ(ChosenGas(table, 2, true, -1), nullptr);  // OK without a choice
    EXPECT_EQ(ChosenGas(table, 2, true, 0), nullptr);   // an absent entry
    EXPECT_EQ(ChosenGas(table, 2, true, 16), nullptr);  // never listed
    EXPECT_EQ(ChosenGas(table, 7, true, 1), nullptr);
}

TEST(SwitchChannel, DecisionAndSwitchingOff) {
    EXPECT_EQ(ChannelSwitchFor(true, true), ChannelSwitch::ChooseGas);
    EXPECT_EQ(ChannelSwitchFor(false, true), ChannelSwitch::RefuseFixed);
    EXPECT_EQ(ChannelSwitchFor(false, false), ChannelSwitch::AskDisable);

    clsInstrument record;
    ApplyGasTableEntry(record, 4, Oxygen());
    record.Stel(4, 3);
    record.ClearChangeFlags();
    SwitchChannelOff(record, 4);
    EXPECT_FALSE(record.GasEnabled(4));
    for (const Single level : {record.Warning(4), record.Alarm(4), record.Stel(4), record.Twa(4), record.AutoCalib(4)})
        EXPECT_FLOAT_EQ(level, -101);
    EXPECT_TRUE(record.Change_GasEnable(4) && record.Change_Warn(4) && record.Change_AutoCal(4));
    EXPECT_EQ(record.GasName(4), "O2");  // the gas stays known for switching it on again
}

TEST(FinishInstrumentRead, ReadCountsAsDataFailureCountsAsNothing) {
    ProgramState state;
    state.GasLocked = {true, false, true, false, true, true, true};
    clsInstrument record;
    record.ImportFlag(true);
    FinishInstrumentRead(record, state, true);
    EXPECT_TRUE(record.CommFlags());
    EXPECT_FALSE(record.ImportFlag());
    // Fixed channels among 0 to 3 are switched on; 4 and 5 are not touched.
    EXPECT_TRUE(record.GasEnabled(0));
    EXPECT_FALSE(record.GasEnabled(1));
    EXPECT_TRUE(record.GasEnabled(2));
    EXPECT_FALSE(record.GasEnabled(4));

    clsInstrument failed;
    failed.CommFlags(true);
    failed.ImportFlag(true);
    FinishInstrumentRead(failed, state, false);
    EXPECT_FALSE(failed.CommFlags());
    EXPECT_FALSE(failed.ImportFlag());
    EXPECT_FALSE(failed.GasEnabled(0));
}

}  // namespace
}  // namespace tz
