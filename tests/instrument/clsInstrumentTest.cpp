#include "instrument/clsInstrument.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "instrument/InstrumentSettings.h"

namespace tz {
namespace {

const std::string k16Dashes(16, '-');
const std::string k20Dashes(20, '-');

class RecordTest : public ::testing::Test {
protected:
    void TearDown() override { ResetInstrumentSettings(); }
    clsInstrument rec;
};

// ---- Integer options: one row per option, its flag and what ClearDatas puts back ----

constexpr std::optional<Integer> kKept = std::nullopt;

struct OptionCase {
    const char* name;
    std::function<Integer(const clsInstrument&)> read;
    std::function<void(clsInstrument&, Integer)> assign;
    std::function<bool(const clsInstrument&)> flag;
    std::function<void(clsInstrument&, bool)> setFlag;
    std::optional<Integer> clearTo;
};

#define OPTION(Name, FlagName, Default)                                                          \
    OptionCase {                                                                                 \
        #Name, [](const clsInstrument& r) { return r.Name(); },                                  \
            [](clsInstrument& r, Integer v) { r.Name(v); },                                      \
            [](const clsInstrument& r) { return r.Change_##FlagName(); },                        \
            [](clsInstrument& r, bool v) { r.Change_##FlagName(v); }, Default                    \
    }

const std::vector<OptionCase>& Options() {
    static const std::vector<OptionCase> cases = {
        OPTION(HcMode, HCMode, 0),
        OPTION(AlarmMode, AlarmMode, 0),
        OPTION(AlarmMode2, AlarmMode2, 0),
        OPTION(AlarmO2, AlarmO2, 1),
        OPTION(AlarmOnOff, AlarmOnOff, 1),
        OPTION(StelTwaOnOff, StelTwaOnOff, 1),
        OPTION(AIdata, AIdata, 0),
        OPTION(AJdata, AJdata, 0),
        OPTION(ABdata, ABdata, 0),
        OPTION(CSAdata, CSAdata, 0),
        OPTION(RA, RA, 0),
        OPTION(Intervals, Interval, 0),
        OPTION(DispID, DispID, kKept),
        OPTION(CalLimit, CalLimit, 1),
        OPTION(DispCalLimit, DispCalLimit, 0),
        OPTION(CalCheck, CalCheck, 0),
        OPTION(CalCheckALL, CalCheckALL, 1),
        OPTION(BumpFunction, BumpFunction, kKept),
        OPTION(BumpLimit, BumpLimit, kKept),
        OPTION(DispBumpLimit, DispBumpLimit, kKept),
        OPTION(BumpCheck, BumpCheck, kKept),
        OPTION(BumpCheckALL, BumpCheckALL, 1),
        OPTION(BumpTime, BumpTime, 2),
        OPTION(BumpThreshold, BumpThreshold, 1),
        OPTION(BumpFailAfter, BumpFailAfter, 1),
        OPTION(BumpFailCalTime, BumpFailCalTime, 0),
        OPTION(BumpFailBehavior, BumpFailBehavior, 0),
        OPTION(SpanAllowance, SpanAllowance, 0),
        OPTION(LunchBreak, LunchBreak, kKept),
        OPTION(AlarmSilence, AlarmSilence, kKept),
        OPTION(Confirmation, Confirmation, kKept),
        OPTION(ConfirmationTime, ConfirmationTime, kKept),
        OPTION(LogOverWrite, LogOverWrite, 0),
        OPTION(LcdBackLight, LcdBackLight, 1),
        OPTION(autoBackLight, autoBackLight, 1),
        OPTION(LcdContrast, LcdContrast, kKept),
        OPTION(Inverse, Inverse, 0),
        OPTION(InertMode, InertMode, 0),
        OPTION(LcBhMode, LcBhMode, 0),
        OPTION(BhTime, BhTime, 0),
        OPTION(LcBuzzer, LcBuzzer, 0),
        OPTION(IRRange, IRRange, 0),
        OPTION(LangType, LangType, 0),
        OPTION(AutoZero, AutoZero, 0),
        OPTION(DemandZero, DemandZero, 0),
        OPTION(UseUserPassword, UseUserPassword, 0),
        OPTION(UseMaintePassword, UseMaintePassword, 1),
        OPTION(PasswordProtect, PasswordProtect, 0),
        OPTION(dlogOnOff, dlogOnOff, 0),
        OPTION(PumpOnOffDisp, PumpOnOffDisp, 0),
        OPTION(PeakBar, PeakBar, 0),
        OPTION(LeakCOdisp, LeakCOdisp, 0),
        OPTION(Lc_PpmAuto, Lc_PpmAuto, 0),
        OPTION(pressOffset, pressOffset, kKept),
        OPTION(Battery, Battery, kKept),
        OPTION(RemainTimeDisp, RemainTimeDisp, 0),
        OPTION(KeySound, KeySound, 0),
        OPTION(ManDown, ManDown, 0),
        OPTION(Panic, Panic, 0),
        OPTION(ManDown1, ManDown1, 0),
        OPTION(ManDown2, ManDown2, 0),
        OPTION(ManDown3, ManDown3, 0),
        OPTION(DateDispType, DateDispType, 0),
    };
    return cases;
}
#undef OPTION

// Every scalar flag that is not an Integer option's, with how SetChangeFlags treats it.
enum class Group { Settings, Identity, SerialNo, DummySerial, Kept };

struct FlagCase {
    const char* name;
    std::function<bool(const clsInstrument&)> flag;
    Group group;
};

#define FLAG(Name, G) FlagCase{#Name, [](const clsInstrument& r) { return r.Change_##Name(); }, G}

const std::vector<FlagCase>& OtherFlags() {
    static const std::vector<FlagCase> cases = {
        FLAG(SerialNo, Group::SerialNo),       FLAG(DummySerial, Group::DummySerial),
        FLAG(StationID, Group::Identity),      FLAG(UserID, Group::Identity),
        FLAG(SpecNo, Group::Settings),         FLAG(SpecType, Group::Settings),
        FLAG(Inert1st, Group::Settings),       FLAG(Inert2nd, Group::Settings),
        FLAG(UserPassword2, Group::Settings),  FLAG(MaintePassword, Group::Settings),
        FLAG(PasswordStr, Group::Settings),    FLAG(FlowLevel, Group::Kept),
        FLAG(PortCh, Group::Settings),         FLAG(IsCustom, Group::Settings),
    };
    return cases;
}
#undef FLAG

// ---- Per-gas settings: which flag assigning each one sets ----

struct GasCase {
    const char* name;
    std::function<void(clsInstrument&, Integer)> assign;
    std::function<bool(const clsInstrument&, Integer)> flag;  // empty: the setting has no flag
};

#define GAS(Name, Value, FlagName)                                                               \
    GasCase{#Name, [](clsInstrument& r, Integer g) { r.Name(g, Value); },                        \
            [](const clsInstrument& r, Integer g) { return r.Change_##FlagName(g); }}
#define GAS_NOFLAG(Name, Value)                                                                  \
    GasCase{#Name, [](clsInstrument& r, Integer g) { r.Name(g, Value); }, {}}

const std::vector<GasCase>& GasSettings() {
    static const std::vector<GasCase> cases = {
        GAS(GasPoint, 2, GasPoint),         GAS(GasEnabled, true, GasEnable),
        GAS(Warning, 5.0f, Warn),           GAS(Alarm, 6.0f, Alarm),
        GAS(Stel, 7.0f, Stel),              GAS(Twa, 8.0f, Twa),
        GAS(AutoCalib, 9.0f, AutoCal),      GAS(Zero, 1, Zero),
        GAS(OverScale, 1, OverScale),       GAS(SpanData, 1.5f, SpanData),
        GAS(ZeroForce, 1, ZeroForce),       GAS(Ratio, 0.5f, Ratio),
        GAS(SensorDate, "240131", SensorDate),
        GAS_NOFLAG(GasName, "CO"),          GAS_NOFLAG(GasFullScale, 500.0f),
        GAS_NOFLAG(GasDesit, 1.0f),         GAS_NOFLAG(GasUnit, "ppm"),
        GAS_NOFLAG(CalibBefore, 1.0f),      GAS_NOFLAG(GasFullScale_l, 50.0f),
        GAS_NOFLAG(TwaIsLo, true),          GAS_NOFLAG(LogMax, 3.0f),
    };
    return cases;
}
#undef GAS
#undef GAS_NOFLAG

std::vector<std::function<bool(const clsInstrument&, Integer)>> GasFlags() {
    std::vector<std::function<bool(const clsInstrument&, Integer)>> flags;
    for (const GasCase& c : GasSettings())
        if (c.flag) flags.push_back(c.flag);
    return flags;
}

// Every change flag of the record, read out as one list, so a test can tell which ones are set.
std::vector<bool> AllFlags(const clsInstrument& r) {
    std::vector<bool> flags;
    for (const OptionCase& c : Options()) flags.push_back(c.flag(r));
    for (const FlagCase& c : OtherFlags()) flags.push_back(c.flag(r));
    for (Integer gas = 0; gas < clsInstrument::GasChannels; ++gas)
        for (const auto& flag : GasFlags()) flags.push_back(flag(r, gas));
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        flags.push_back(r.Change_StationList(i));
        flags.push_back(r.Change_UserList(i));
    }
    return flags;
}

int CountSet(const clsInstrument& r) {
    int count = 0;
    for (bool f : AllFlags(r)) count += f ? 1 : 0;
    return count;
}

// ---- Defaults ----

TEST_F(RecordTest, NewRecord_HoldsDefaultsOfEveryOption) {
    for (const OptionCase& c : Options()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.read(rec), c.clearTo.value_or(0));
    }
}

TEST_F(RecordTest, NewRecord_NoChangeFlagSet) {
    EXPECT_EQ(CountSet(rec), 0);
    EXPECT_FALSE(rec.Change_ZeroForce(6));
}

TEST_F(RecordTest, NewRecord_IdentityAndPasswordDefaults) {
    EXPECT_EQ(rec.SerialNo(), k20Dashes);
    EXPECT_EQ(rec.DummySerial(), k20Dashes);
    EXPECT_EQ(rec.StationID(), k16Dashes);
    EXPECT_EQ(rec.UserID(), k16Dashes);
    EXPECT_EQ(rec.StationList(0), k16Dashes);
    EXPECT_EQ(rec.StationList(127), k16Dashes);
    EXPECT_EQ(rec.UserList(127), k16Dashes);
    EXPECT_EQ(rec.SpecType(), "0");
    EXPECT_EQ(rec.MaintePassword(), "6159");
    EXPECT_EQ(rec.UserPassword2(), "4826");
    EXPECT_EQ(rec.PasswordStr(), "4826");
    EXPECT_EQ(rec.RomNumber(), 0);
    EXPECT_EQ(rec.SysDate(), 0.0);
    EXPECT_FALSE(rec.CommFlags());
    for (Integer i = 0; i < clsInstrument::GasChannels; ++i) EXPECT_EQ(rec.PortCh(i), -1);
    EXPECT_EQ(rec.PortCh(6), 0);  // slot 6 is not reset
}

TEST_F(RecordTest, NewRecord_GasChannelsNotFitted) {
    for (Integer i = 0; i < clsInstrument::GasChannels; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rec.GasName(i), "");
        EXPECT_EQ(rec.GasUnit(i), "");
        EXPECT_FALSE(rec.GasEnabled(i));
        EXPECT_EQ(rec.GasPoint(i), -101);
        EXPECT_EQ(rec.GasDesit(i), 0.0f);
        EXPECT_EQ(rec.GasFullScale(i), -101.0f);
        EXPECT_EQ(rec.Warning(i), -101.0f);
        EXPECT_EQ(rec.Alarm(i), -101.0f);
        EXPECT_EQ(rec.Stel(i), -101.0f);
        EXPECT_EQ(rec.Twa(i), -101.0f);
        EXPECT_EQ(rec.AutoCalib(i), -101.0f);
        EXPECT_EQ(rec.CalibDate(i), -101.0);
        EXPECT_EQ(rec.CalibBefore(i), -101.0f);
        EXPECT_EQ(rec.SpanData(i), -101.0f);
        EXPECT_EQ(rec.Ratio(i), -101.0f);
        EXPECT_EQ(rec.SensorDate(i), "000101");
        EXPECT_EQ(rec.Zero(i), 0);
        EXPECT_EQ(rec.GasFullScale_l(i), -101.0f);
        EXPECT_EQ(rec.GasDigit_l(i), -101.0f);
        EXPECT_EQ(rec.GasPoint_l(i), -101);
        EXPECT_EQ(rec.GasUnit_l(i), "-101");
        EXPECT_EQ(rec.Factor_l(i), -101.0f);
    }
    // Slot 6 exists in storage but is never reset.
    EXPECT_EQ(rec.Warning(6), 0.0f);
}

// ---- Assignment and flags ----

TEST_F(RecordTest, AssigningAnOption_SetsExactlyItsOwnFlagEvenWhenUnchanged) {
    for (const OptionCase& c : Options()) {
        SCOPED_TRACE(c.name);
        clsInstrument r;
        c.assign(r, c.read(r));
        EXPECT_TRUE(c.flag(r));
        EXPECT_EQ(CountSet(r), 1);
        c.setFlag(r, false);
        EXPECT_EQ(CountSet(r), 0);
    }
}

TEST_F(RecordTest, AssigningOtherSettings_SetsTheirFlags) {
    const std::vector<std::pair<const char*, std::function<bool(clsInstrument&)>>> cases = {
        {"SerialNo", [](clsInstrument& r) { r.SerialNo("A"); return r.Change_SerialNo(); }},
        {"DummySerial",
         [](clsInstrument& r) { r.DummySerial("A"); return r.Change_DummySerial(); }},
        {"StationID", [](clsInstrument& r) { r.StationID("A"); return r.Change_StationID(); }},
        {"UserID", [](clsInstrument& r) { r.UserID("A"); return r.Change_UserID(); }},
        {"SpecNo", [](clsInstrument& r) { r.SpecNo("A"); return r.Change_SpecNo(); }},
        {"SpecType", [](clsInstrument& r) { r.SpecType("1"); return r.Change_SpecType(); }},
        {"Inert1st", [](clsInstrument& r) { r.Inert1st(1); return r.Change_Inert1st(); }},
        {"Inert2nd", [](clsInstrument& r) { r.Inert2nd(1); return r.Change_Inert2nd(); }},
        {"UserPassword2",
         [](clsInstrument& r) { r.UserPassword2("1"); return r.Change_UserPassword2(); }},
        {"MaintePassword",
         [](clsInstrument& r) { r.MaintePassword("1"); return r.Change_MaintePassword(); }},
        {"PasswordStr",
         [](clsInstrument& r) { r.PasswordStr("1"); return r.Change_PasswordStr(); }},
        {"FlowLevel", [](clsInstrument& r) { r.FlowLevel(70000); return r.Change_FlowLevel(); }},
        {"PortCh", [](clsInstrument& r) { r.PortCh(3, 2); return r.Change_PortCh(); }},
    };
    for (const auto& [name, assignAndReadFlag] : cases) {
        SCOPED_TRACE(name);
        clsInstrument r;
        EXPECT_TRUE(assignAndReadFlag(r));
        EXPECT_EQ(CountSet(r), 1);
    }
}

TEST_F(RecordTest, ValuesWithoutFlag_SetNoFlag) {
    rec.RomNumber(1234);
    rec.SUM("AB12");
    rec.PIDver("1.0");
    rec.SysDate(45000.5);
    rec.Key("k");
    rec.CommFlags(true);
    rec.SHmode(3);
    rec.FlowValue(40);
    rec.AdrealValue(1.5f);
    rec.AnalogValue(16, 1023);
    rec.LimitValue(6, 20.9f);
    rec.LimitValueIsLo(6, true);
    EXPECT_EQ(CountSet(rec), 0);
    EXPECT_EQ(rec.RomNumber(), 1234);
    EXPECT_EQ(rec.SysDate(), 45000.5);
    EXPECT_EQ(rec.AnalogValue(16), 1023);
    EXPECT_EQ(rec.LimitValue(6), 20.9f);
    EXPECT_TRUE(rec.LimitValueIsLo(6));
}

TEST_F(RecordTest, AssigningPerGasSetting_SetsOnlyThatChannelsFlag) {
    for (const GasCase& c : GasSettings()) {
        SCOPED_TRACE(c.name);
        clsInstrument r;
        c.assign(r, 2);
        if (c.flag) {
            EXPECT_TRUE(c.flag(r, 2));
            EXPECT_FALSE(c.flag(r, 1));
            EXPECT_EQ(CountSet(r), 1);
        } else {
            EXPECT_EQ(CountSet(r), 0);
        }
    }
}

TEST_F(RecordTest, LowRangeMarks_AreIndependent) {
    rec.TwaIsLo(3, true);
    EXPECT_TRUE(rec.TwaIsLo(3));
    EXPECT_FALSE(rec.StelIsLo(3));
    rec.StelIsLo(3, true);
    rec.TwaIsLo(3, false);
    EXPECT_TRUE(rec.StelIsLo(3));
    EXPECT_FALSE(rec.TwaIsLo(3));
}

// ---- Index rules ----

TEST_F(RecordTest, GuardedGasAccessors_OutsideChannelsReadEmptyAndIgnoreWrites) {
    for (Integer gas : {Integer{-1}, Integer{6}, Integer{7}, Integer{32767}}) {
        SCOPED_TRACE(gas);
        rec.GasName(gas, "CO");
        rec.GasPoint(gas, 2);
        rec.GasEnabled(gas, true);
        rec.CalibDate(gas, 45000);
        rec.Change_GasPoint(gas, true);
        EXPECT_EQ(rec.GasName(gas), "");
        EXPECT_EQ(rec.GasPoint(gas), 0);
        EXPECT_FALSE(rec.GasEnabled(gas));
        EXPECT_EQ(rec.CalibDate(gas), 0.0);
        EXPECT_FALSE(rec.Change_GasPoint(gas));
    }
    EXPECT_EQ(CountSet(rec), 0);
}

TEST_F(RecordTest, AlarmPoints_ReachSlotSixAndThrowBeyond) {
    rec.Warning(6, 42.0f);
    rec.Twa(6, 43.0f);
    EXPECT_EQ(rec.Warning(6), 42.0f);
    EXPECT_EQ(rec.Twa(6), 43.0f);
    // The flag of slot 6 is guarded, so it stays unreadable.
    EXPECT_FALSE(rec.Change_Warn(6));
    EXPECT_THROW(rec.Warning(7), std::out_of_range);
    EXPECT_THROW(rec.Alarm(7, 1.0f), std::out_of_range);
    EXPECT_THROW(rec.Stel(-1), std::out_of_range);
    EXPECT_THROW(rec.Twa(-1, 1.0f), std::out_of_range);
}

TEST_F(RecordTest, ChangeZeroForce_IsUnguarded) {
    rec.Change_ZeroForce(6, true);
    EXPECT_TRUE(rec.Change_ZeroForce(6));
    EXPECT_THROW(rec.Change_ZeroForce(7), std::out_of_range);
    EXPECT_THROW(rec.Change_ZeroForce(-1, true), std::out_of_range);
    // The setting itself is guarded.
    rec.ZeroForce(6, 1);
    EXPECT_EQ(rec.ZeroForce(6), 0);
}

TEST_F(RecordTest, UnguardedArrays_ThrowOutsideTheirSlots) {
    EXPECT_NO_THROW(rec.PortCh(6, 1));
    EXPECT_THROW(rec.PortCh(7), std::out_of_range);
    EXPECT_THROW(rec.PortCh(-1, 0), std::out_of_range);
    EXPECT_THROW(rec.LimitValue(7), std::out_of_range);
    EXPECT_THROW(rec.LimitValueIsLo(7, true), std::out_of_range);
    EXPECT_NO_THROW(rec.AnalogValue(16));
    EXPECT_THROW(rec.AnalogValue(17), std::out_of_range);
    EXPECT_THROW(rec.AnalogValue(-1, 0), std::out_of_range);
}

TEST_F(RecordTest, ListEntries_OutsideRangeReadEmptyAndIgnoreWrites) {
    EXPECT_EQ(rec.StationList(128), "");
    EXPECT_EQ(rec.UserList(-1), "");
    rec.StationList(128, "X");
    rec.UserList(128, "X");
    rec.Change_StationList(128, true);
    EXPECT_EQ(rec.StationList(128), "");
    EXPECT_FALSE(rec.Change_StationList(128));
    EXPECT_EQ(CountSet(rec), 0);
}

TEST_F(RecordTest, AssigningListEntry_SetsThatEntrysFlagOnly) {
    rec.StationList(5, "STATION-5");
    rec.UserList(127, "USER-127");
    EXPECT_EQ(rec.StationList(5), "STATION-5");
    EXPECT_TRUE(rec.Change_StationList(5));
    EXPECT_FALSE(rec.Change_UserList(5));
    EXPECT_TRUE(rec.Change_UserList(127));
    EXPECT_EQ(CountSet(rec), 2);
}

// ---- SetChangeFlags / ClearChangeFlags ----

bool ExpectedFlag(Group group, bool factory, bool pFlag, bool pIDflag) {
    switch (group) {
    case Group::Settings: return pFlag;
    case Group::Identity: return pIDflag;
    case Group::SerialNo: return factory ? pFlag : pIDflag;
    case Group::DummySerial: return factory ? pFlag : false;
    case Group::Kept: return false;  // never touched: still false on a new record
    }
    return false;
}

TEST_F(RecordTest, SetChangeFlags_FollowsFlagGroupsInBothModes) {
    for (bool factory : {false, true}) {
        for (auto [pFlag, pIDflag] : {std::pair{true, false}, std::pair{false, true},
                                      std::pair{true, true}}) {
            SCOPED_TRACE(::testing::Message() << "factory " << factory << " pFlag " << pFlag
                                              << " pIDflag " << pIDflag);
            SharedInstrumentSettings().FactoryMode = factory;
            clsInstrument r;
            r.SetChangeFlags(pFlag, pIDflag);
            for (const OptionCase& c : Options()) {
                SCOPED_TRACE(c.name);
                const bool kept = std::string(c.name) == "pressOffset";
                EXPECT_EQ(c.flag(r), kept ? false : pFlag);
            }
            for (const FlagCase& c : OtherFlags()) {
                SCOPED_TRACE(c.name);
                EXPECT_EQ(c.flag(r), ExpectedFlag(c.group, factory, pFlag, pIDflag));
            }
            for (Integer gas = 0; gas < clsInstrument::GasChannels; ++gas)
                for (const auto& flag : GasFlags()) EXPECT_EQ(flag(r, gas), pFlag);
            for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
                EXPECT_EQ(r.Change_StationList(i), pIDflag);
                EXPECT_EQ(r.Change_UserList(i), pIDflag);
            }
            // Slot 6 is not part of the six channels.
            EXPECT_FALSE(r.Change_ZeroForce(6));
        }
    }
}

TEST_F(RecordTest, SetChangeFlagsForSettingsFile_LeavesIdentityAlone) {
    rec.SetChangeFlags(true, false);
    EXPECT_FALSE(rec.Change_SerialNo());
    EXPECT_FALSE(rec.Change_DummySerial());
    EXPECT_FALSE(rec.Change_UserID());
    EXPECT_FALSE(rec.Change_StationID());
    EXPECT_FALSE(rec.Change_StationList(0));
    EXPECT_TRUE(rec.Change_KeySound());
    EXPECT_TRUE(rec.Change_Warn(5));

    SharedInstrumentSettings().FactoryMode = true;
    rec.SetChangeFlags(true, false);
    EXPECT_TRUE(rec.Change_SerialNo());
    EXPECT_TRUE(rec.Change_DummySerial());
    EXPECT_FALSE(rec.Change_UserID());
}

TEST_F(RecordTest, ClearChangeFlags_KeepsFlowLevelAndPressOffsetFlags) {
    rec.FlowLevel(100);
    rec.pressOffset(3);
    rec.KeySound(1);
    rec.SetChangeFlags(true, true);
    rec.ClearChangeFlags();
    EXPECT_TRUE(rec.Change_FlowLevel());
    EXPECT_TRUE(rec.Change_pressOffset());
    EXPECT_EQ(CountSet(rec), 2);
    // SetChangeFlags does not set them either.
    rec.Change_FlowLevel(false);
    rec.Change_pressOffset(false);
    rec.SetChangeFlags(true, true);
    EXPECT_FALSE(rec.Change_FlowLevel());
    EXPECT_FALSE(rec.Change_pressOffset());
}

// ---- ClearDatas ----

TEST_F(RecordTest, ClearDatas_RestoresResetOptionsAndKeepsTheOthers) {
    for (const OptionCase& c : Options()) c.assign(rec, 77);
    rec.ClearDatas();
    for (const OptionCase& c : Options()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.read(rec), c.clearTo.value_or(77));
    }
    // Only the flag that clearing leaves alone survives.
    EXPECT_TRUE(rec.Change_pressOffset());
    EXPECT_EQ(CountSet(rec), 1);
}

TEST_F(RecordTest, ClearDatas_KeepsBookkeepingAndHistory) {
    rec.ImportFlag(true);
    rec.FailLine("XX,R");
    rec.SUM("1A2B");
    rec.SpecNo("S-1");
    rec.PIDdata("pid");
    rec.FlowLevel(500);
    rec.SHmode(2);
    rec.BumpDates(1, 45000.25);
    rec.BumpResult(1, 12.5f);
    rec.BumpConcentration(1, 50.0f);
    rec.BumpResultIsLo(1, true);
    rec.LogMax(1, 99.0f);
    rec.LogMinDate(1, 45001.0);
    rec.CommFlags(true);
    rec.Key("key");
    rec.MessageString("msg");
    rec.SerialNo("ABC");
    rec.StationList(3, "ST3");
    rec.GasName(2, "H2S");
    rec.Warning(2, 5.0f);
    rec.ClearDatas();

    EXPECT_TRUE(rec.ImportFlag());
    EXPECT_EQ(rec.FailLine(), "XX,R");
    EXPECT_EQ(rec.SUM(), "1A2B");
    EXPECT_EQ(rec.SpecNo(), "S-1");
    EXPECT_EQ(rec.PIDdata(), "pid");
    EXPECT_EQ(rec.FlowLevel(), 500);
    EXPECT_EQ(rec.SHmode(), 2);
    EXPECT_EQ(rec.BumpDates(1), 45000.25);
    EXPECT_EQ(rec.BumpResult(1), 12.5f);
    EXPECT_EQ(rec.BumpConcentration(1), 50.0f);
    EXPECT_TRUE(rec.BumpResultIsLo(1));
    EXPECT_EQ(rec.LogMax(1), 99.0f);
    EXPECT_EQ(rec.LogMinDate(1), 45001.0);

    EXPECT_FALSE(rec.CommFlags());
    EXPECT_EQ(rec.Key(), "");
    EXPECT_EQ(rec.MessageString(), "");
    EXPECT_EQ(rec.SerialNo(), k20Dashes);
    EXPECT_EQ(rec.StationList(3), k16Dashes);
    EXPECT_EQ(rec.GasName(2), "");
    EXPECT_EQ(rec.Warning(2), -101.0f);
    EXPECT_TRUE(rec.Change_FlowLevel());
    EXPECT_EQ(CountSet(rec), 1);
}

// ---- Copies ----

TEST_F(RecordTest, Copy_IsIndependentAndCopiesBackWithFlags) {
    rec.GasName(1, "O2");
    rec.Warning(1, 18.0f);
    rec.ClearChangeFlags();

    clsInstrument copy = rec;
    copy.Warning(1, 19.0f);
    copy.StationList(4, "EDITED");
    copy.LcdBackLight(30);
    EXPECT_EQ(rec.Warning(1), 18.0f);
    EXPECT_EQ(rec.StationList(4), k16Dashes);
    EXPECT_EQ(CountSet(rec), 0);

    rec = copy;
    EXPECT_EQ(rec.GasName(1), "O2");
    EXPECT_EQ(rec.Warning(1), 19.0f);
    EXPECT_TRUE(rec.Change_Warn(1));
    EXPECT_TRUE(rec.Change_StationList(4));
    EXPECT_EQ(rec.LcdBackLight(), 30);
    EXPECT_TRUE(rec.Change_LcdBackLight());
}

}  // namespace
}  // namespace tz
