#include "instrument/clsInstrument.h"

#include <optional>
#include <stdexcept>

#include "instrument/InstrumentSettings.h"
#include "instrument/modGasCommon.h"
#include "text/SharedHelpers.h"

namespace tz {

namespace {

constexpr std::size_t Index(auto e) { return static_cast<std::size_t>(e); }

// The dash placeholders of empty identifiers.
const std::string kIdDashes = BlankToDashes("", 0);      // station and user IDs, list entries
const std::string kSerialDashes = BlankToDashes("", 2);  // serial and manufacture numbers

}  // namespace

// ---- Tables ----------------------------------------------------------------------------------

// One Integer option: the flag that assigning it sets (none for values that are only read from
// the instrument) and the value ClearDatas puts back (none: ClearDatas keeps the value).
struct clsInstrument::OptionRow {
    Opt opt;
    std::optional<Flag> flag;
    std::optional<Integer> clearTo;
};

const clsInstrument::OptionRow& clsInstrument::OptionOf(Opt opt) {
    static constexpr OptionRow kOptions[] = {
        {Opt::HcMode, Flag::HCMode, 0},
        {Opt::AlarmMode, Flag::AlarmMode, 0},
        {Opt::AlarmMode2, Flag::AlarmMode2, 0},
        {Opt::AlarmO2, Flag::AlarmO2, 1},
        {Opt::AlarmOnOff, Flag::AlarmOnOff, 1},
        {Opt::StelTwaOnOff, Flag::StelTwaOnOff, 1},
        {Opt::AIdata, Flag::AIdata, 0},
        {Opt::AJdata, Flag::AJdata, 0},
        {Opt::ABdata, Flag::ABdata, 0},
        {Opt::CSAdata, Flag::CSAdata, 0},
        {Opt::RA, Flag::RA, 0},
        {Opt::Intervals, Flag::Interval, 0},
        {Opt::DispID, Flag::DispID, std::nullopt},
        {Opt::CalLimit, Flag::CalLimit, 1},
        {Opt::DispCalLimit, Flag::DispCalLimit, 0},
        {Opt::CalCheck, Flag::CalCheck, 0},
        {Opt::CalCheckALL, Flag::CalCheckALL, 1},
        {Opt::BumpFunction, Flag::BumpFunction, std::nullopt},
        {Opt::BumpLimit, Flag::BumpLimit, std::nullopt},
        {Opt::DispBumpLimit, Flag::DispBumpLimit, std::nullopt},
        {Opt::BumpCheck, Flag::BumpCheck, std::nullopt},
        {Opt::BumpCheckALL, Flag::BumpCheckALL, 1},
        {Opt::BumpTime, Flag::BumpTime, 2},
        {Opt::BumpThreshold, Flag::BumpThreshold, 1},
        {Opt::BumpFailAfter, Flag::BumpFailAfter, 1},
        {Opt::BumpFailCalTime, Flag::BumpFailCalTime, 0},
        {Opt::BumpFailBehavior, Flag::BumpFailBehavior, 0},
        {Opt::SpanAllowance, Flag::SpanAllowance, 0},
        {Opt::LunchBreak, Flag::LunchBreak, std::nullopt},
        {Opt::AlarmSilence, Flag::AlarmSilence, std::nullopt},
        {Opt::Confirmation, Flag::Confirmation, std::nullopt},
        {Opt::ConfirmationTime, Flag::ConfirmationTime, std::nullopt},
        {Opt::LogOverWrite, Flag::LogOverWrite, 0},
        {Opt::LcdBackLight, Flag::LcdBackLight, 1},
        {Opt::autoBackLight, Flag::autoBackLight, 1},
        {Opt::LcdContrast, Flag::LcdContrast, std::nullopt},
        {Opt::Inverse, Flag::Inverse, 0},
        {Opt::InertMode, Flag::InertMode, 0},
        {Opt::LcBhMode, Flag::LcBhMode, 0},
        {Opt::BhTime, Flag::BhTime, 0},
        {Opt::LcBuzzer, Flag::LcBuzzer, 0},
        {Opt::IRRange, Flag::IRRange, 0},
        {Opt::LangType, Flag::LangType, 0},
        {Opt::AutoZero, Flag::AutoZero, 0},
        {Opt::DemandZero, Flag::DemandZero, 0},
        {Opt::UseUserPassword, Flag::UseUserPassword, 0},
        {Opt::UseMaintePassword, Flag::UseMaintePassword, 1},
        {Opt::PasswordProtect, Flag::PasswordProtect, 0},
        {Opt::dlogOnOff, Flag::dlogOnOff, 0},
        {Opt::PumpOnOffDisp, Flag::PumpOnOffDisp, 0},
        {Opt::PeakBar, Flag::PeakBar, 0},
        {Opt::LeakCOdisp, Flag::LeakCOdisp, 0},
        {Opt::Lc_PpmAuto, Flag::Lc_PpmAuto, 0},
        {Opt::pressOffset, Flag::pressOffset, std::nullopt},
        {Opt::Battery, Flag::Battery, std::nullopt},
        {Opt::RemainTimeDisp, Flag::RemainTimeDisp, 0},
        {Opt::KeySound, Flag::KeySound, 0},
        {Opt::ManDown, Flag::ManDown, 0},
        {Opt::Panic, Flag::Panic, 0},
        {Opt::ManDown1, Flag::ManDown1, 0},
        {Opt::ManDown2, Flag::ManDown2, 0},
        {Opt::ManDown3, Flag::ManDown3, 0},
        {Opt::DateDispType, Flag::DateDispType, 0},
        {Opt::SHmode, std::nullopt, std::nullopt},
        {Opt::FlowValue, std::nullopt, std::nullopt},
    };
    static_assert(std::size(kOptions) == Index(Opt::Count));
    static constexpr bool kInOrder = [] {
        for (std::size_t i = 0; i < std::size(kOptions); ++i)
            if (Index(kOptions[i].opt) != i) return false;
        return true;
    }();
    static_assert(kInOrder, "option rows follow the order of Opt");
    return kOptions[Index(opt)];
}

// How SetChangeFlags treats a scalar flag.
clsInstrument::FlagGroup clsInstrument::GroupOf(Flag flag) {
    switch (flag) {
    case Flag::SerialNo:
    case Flag::DummySerial: return FlagGroup::Serial;
    case Flag::UserID:
    case Flag::StationID: return FlagGroup::Identity;
    case Flag::FlowLevel:
    case Flag::pressOffset: return FlagGroup::Kept;
    default: return FlagGroup::Settings;
    }
}

// ---- Life cycle ------------------------------------------------------------------------------

clsInstrument::clsInstrument() { ClearDatas(); }

void clsInstrument::ClearDatas() {
    key_.clear();
    messageString_.clear();
    commFlags_ = false;

    userID_ = kIdDashes;
    stationID_ = kIdDashes;
    serialNo_ = kSerialDashes;
    dummySerial_ = kSerialDashes;

    romNumber_ = 0;
    pidVer_.clear();
    pid10Ver_.clear();
    sysDate_ = 0;
    sysDateOffset_ = 0;

    for (std::size_t i = 0; i < opts_.size(); ++i) {
        const OptionRow& row = OptionOf(static_cast<Opt>(i));
        if (row.clearTo) opts_[i] = *row.clearTo;
    }
    inert1st_ = 0;
    inert2nd_ = 0;
    for (Integer i = 0; i < GasChannels; ++i) portCh_[Index(i)] = -1;

    userPassword2_ = "4826";
    passwordStr_ = "4826";
    maintePassword_ = "6159";

    for (Integer i = 0; i < ListEntries; ++i) {
        stationList_[Index(i)] = kIdDashes;
        userList_[Index(i)] = kIdDashes;
    }
    stationID_ = stationList_[0];
    userID_ = userList_[0];
    specType_ = "0";

    for (Integer gas = 0; gas < GasChannels; ++gas) {
        ResetGas(gas);
        ParseGasInfo(NotFittedGasInfo, *this, gas);
    }
    ClearChangeFlags();
}

void clsInstrument::ResetGas(Integer gas) {
    GasRecord& g = gas_[Index(gas)];
    g.GasName.clear();
    g.GasUnit.clear();
    g.GasDesit = 0;
    g.GasPoint = 0;
    g.GasEnabled = false;
    g.GasFullScale = NoValue;
    g.Warning = g.Alarm = g.Stel = g.Twa = NoValue;
    g.CalibDate = NoValue;
    g.CalibBefore = g.CalibAfter = g.AutoCalib = g.SpanData = g.Ratio = NoValue;
    g.SensorDate = "000101";
    g.Zero = g.OverScale = g.ZeroForce = 0;
    g.GasFullScale_l = g.GasDigit_l = g.Factor_l = NoValue;
    g.GasPoint_l = NoValue;
    g.GasUnit_l = "-101";
    // The bump-test history, the low-range marks and the logged readings are kept.
}

void clsInstrument::SetChangeFlags(bool pFlag, bool pIDflag) {
    const bool factory = SharedInstrumentSettings().FactoryMode;
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        const Flag flag = static_cast<Flag>(i);
        switch (GroupOf(flag)) {
        case FlagGroup::Settings: flags_[i] = pFlag; break;
        case FlagGroup::Identity: flags_[i] = pIDflag; break;
        case FlagGroup::Serial:
            if (factory) flags_[i] = pFlag;
            else flags_[i] = flag == Flag::SerialNo ? pIDflag : false;
            break;
        case FlagGroup::Kept: break;
        }
    }
    for (Integer i = 0; i < ListEntries; ++i) {
        changeStationList_[Index(i)] = pIDflag;
        changeUserList_[Index(i)] = pIDflag;
    }
    for (Integer gas = 0; gas < GasChannels; ++gas) gas_[Index(gas)].Flags.fill(pFlag);
}

void clsInstrument::ClearChangeFlags() { SetChangeFlags(false, false); }

// ---- Helpers ---------------------------------------------------------------------------------

void clsInstrument::SetOption(Opt opt, Integer value) {
    Value(opt) = value;
    if (const auto flag = OptionOf(opt).flag) FlagRef(*flag) = true;
}

clsInstrument::GasRecord* clsInstrument::Guarded(Integer gas) {
    return gas >= 0 && gas < GasChannels ? &gas_[Index(gas)] : nullptr;
}

const clsInstrument::GasRecord* clsInstrument::Guarded(Integer gas) const {
    return gas >= 0 && gas < GasChannels ? &gas_[Index(gas)] : nullptr;
}

clsInstrument::GasRecord& clsInstrument::Slot(Integer gas) {
    if (gas < 0 || gas >= GasSlots) throw std::out_of_range("gas index " + std::to_string(gas));
    return gas_[Index(gas)];
}

const clsInstrument::GasRecord& clsInstrument::Slot(Integer gas) const {
    if (gas < 0 || gas >= GasSlots) throw std::out_of_range("gas index " + std::to_string(gas));
    return gas_[Index(gas)];
}

bool clsInstrument::GasFlagOf(Integer gas, GasFlag flag) const {
    const GasRecord* g = Guarded(gas);
    return g && g->Flags[Index(flag)];
}

void clsInstrument::SetGasFlag(Integer gas, GasFlag flag, bool value) {
    if (GasRecord* g = Guarded(gas)) g->Flags[Index(flag)] = value;
}

namespace {

template <typename T, std::size_t N>
T& At(std::array<T, N>& slots, Integer index, const char* what) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        throw std::out_of_range(std::string(what) + " index " + std::to_string(index));
    return slots[Index(index)];
}

template <typename T, std::size_t N>
const T& At(const std::array<T, N>& slots, Integer index, const char* what) {
    return At(const_cast<std::array<T, N>&>(slots), index, what);
}

bool IsListIndex(Integer index) { return index >= 0 && index < clsInstrument::ListEntries; }

}  // namespace

// ---- Gas channels ----------------------------------------------------------------------------

// Guarded per-gas value without a flag of its own.
#define TZ_GAS_VALUE(Type, Param, Name)                                                          \
    Type clsInstrument::Name(Integer gas) const {                                                \
        const GasRecord* g = Guarded(gas);                                                       \
        return g ? g->Name : Type{};                                                             \
    }                                                                                            \
    void clsInstrument::Name(Integer gas, Param value) {                                         \
        if (GasRecord* g = Guarded(gas)) g->Name = value;                                        \
    }

// Guarded per-gas value whose assignment sets its per-gas flag.
#define TZ_GAS_FLAGGED(Type, Param, Name, FlagName)                                              \
    Type clsInstrument::Name(Integer gas) const {                                                \
        const GasRecord* g = Guarded(gas);                                                       \
        return g ? g->Name : Type{};                                                             \
    }                                                                                            \
    void clsInstrument::Name(Integer gas, Param value) {                                         \
        if (GasRecord* g = Guarded(gas)) {                                                       \
            g->Name = value;                                                                     \
            g->Flags[Index(GasFlag::FlagName)] = true;                                           \
        }                                                                                        \
    }

// Unguarded alarm point (gas 0 to 6) whose assignment sets its per-gas flag.
#define TZ_GAS_ALARM_POINT(Name, FlagName)                                                       \
    Single clsInstrument::Name(Integer gas) const { return Slot(gas).Name; }                     \
    void clsInstrument::Name(Integer gas, Single value) {                                        \
        GasRecord& g = Slot(gas);                                                                \
        g.Name = value;                                                                          \
        g.Flags[Index(GasFlag::FlagName)] = true;                                                \
    }

#define TZ_GAS_FLAG(Name)                                                                        \
    bool clsInstrument::Change_##Name(Integer gas) const {                                       \
        return GasFlagOf(gas, GasFlag::Name);                                                    \
    }                                                                                            \
    void clsInstrument::Change_##Name(Integer gas, bool value) {                                 \
        SetGasFlag(gas, GasFlag::Name, value);                                                   \
    }

TZ_GAS_VALUE(std::string, const std::string&, GasName)
TZ_GAS_VALUE(Single, Single, GasDesit)
TZ_GAS_FLAGGED(Integer, Integer, GasPoint, GasPoint)
TZ_GAS_VALUE(std::string, const std::string&, GasUnit)
TZ_GAS_VALUE(Single, Single, GasFullScale)
TZ_GAS_FLAGGED(bool, bool, GasEnabled, GasEnable)
TZ_GAS_VALUE(Date, Date, CalibDate)
TZ_GAS_VALUE(Single, Single, CalibBefore)
TZ_GAS_VALUE(Single, Single, CalibAfter)
TZ_GAS_FLAGGED(Single, Single, AutoCalib, AutoCal)
TZ_GAS_FLAGGED(Single, Single, SpanData, SpanData)
TZ_GAS_VALUE(Date, Date, BumpDates)
TZ_GAS_VALUE(Single, Single, BumpResult)
TZ_GAS_VALUE(Single, Single, BumpConcentration)
TZ_GAS_FLAGGED(std::string, const std::string&, SensorDate, SensorDate)
TZ_GAS_FLAGGED(Integer, Integer, Zero, Zero)
TZ_GAS_FLAGGED(Integer, Integer, OverScale, OverScale)
TZ_GAS_FLAGGED(Integer, Integer, ZeroForce, ZeroForce)
TZ_GAS_FLAGGED(Single, Single, Ratio, Ratio)
TZ_GAS_VALUE(Single, Single, GasFullScale_l)
TZ_GAS_VALUE(Single, Single, GasDigit_l)
TZ_GAS_VALUE(Integer, Integer, GasPoint_l)
TZ_GAS_VALUE(std::string, const std::string&, GasUnit_l)
TZ_GAS_VALUE(Single, Single, Factor_l)
TZ_GAS_VALUE(bool, bool, WarnIsLo)
TZ_GAS_VALUE(bool, bool, AlarmIsLo)
TZ_GAS_VALUE(bool, bool, StelIsLo)
TZ_GAS_VALUE(bool, bool, TwaIsLo)
TZ_GAS_VALUE(bool, bool, AutoCalIsLo)
TZ_GAS_VALUE(bool, bool, BeforeIsLo)
TZ_GAS_VALUE(bool, bool, AfterIsLo)
TZ_GAS_VALUE(bool, bool, BumpResultIsLo)
TZ_GAS_VALUE(bool, bool, BumpConcentrationIsLo)
TZ_GAS_VALUE(Single, Single, LogMax)
TZ_GAS_VALUE(Single, Single, LogMin)
TZ_GAS_VALUE(Single, Single, LogAvr)
TZ_GAS_VALUE(Date, Date, LogMaxDate)
TZ_GAS_VALUE(Date, Date, LogMinDate)

TZ_GAS_ALARM_POINT(Warning, Warn)
TZ_GAS_ALARM_POINT(Alarm, Alarm)
TZ_GAS_ALARM_POINT(Stel, Stel)
TZ_GAS_ALARM_POINT(Twa, Twa)

TZ_GAS_FLAG(GasPoint)
TZ_GAS_FLAG(GasEnable)
TZ_GAS_FLAG(Warn)
TZ_GAS_FLAG(Alarm)
TZ_GAS_FLAG(Stel)
TZ_GAS_FLAG(Twa)
TZ_GAS_FLAG(AutoCal)
TZ_GAS_FLAG(Zero)
TZ_GAS_FLAG(OverScale)
TZ_GAS_FLAG(SpanData)
TZ_GAS_FLAG(Ratio)
TZ_GAS_FLAG(SensorDate)

// The one unguarded per-gas flag: it reaches slot 6.
bool clsInstrument::Change_ZeroForce(Integer gas) const {
    return Slot(gas).Flags[Index(GasFlag::ZeroForce)];
}
void clsInstrument::Change_ZeroForce(Integer gas, bool value) {
    Slot(gas).Flags[Index(GasFlag::ZeroForce)] = value;
}

#undef TZ_GAS_VALUE
#undef TZ_GAS_FLAGGED
#undef TZ_GAS_ALARM_POINT
#undef TZ_GAS_FLAG

// ---- Scalars ---------------------------------------------------------------------------------

#define TZ_SCALAR(Type, Param, Name, member)                                                     \
    Type clsInstrument::Name() const { return member; }                                          \
    void clsInstrument::Name(Param value) { member = value; }

#define TZ_SCALAR_FLAGGED(Type, Param, Name, member)                                             \
    Type clsInstrument::Name() const { return member; }                                          \
    void clsInstrument::Name(Param value) {                                                      \
        member = value;                                                                          \
        FlagRef(Flag::Name) = true;                                                              \
    }

#define TZ_FLAG(Name)                                                                            \
    bool clsInstrument::Change_##Name() const { return FlagOf(Flag::Name); }                    \
    void clsInstrument::Change_##Name(bool value) { FlagRef(Flag::Name) = value; }

#define TZ_OPTION(Name, FlagName)                                                                \
    Integer clsInstrument::Name() const { return Value(Opt::Name); }                             \
    void clsInstrument::Name(Integer value) { SetOption(Opt::Name, value); }                     \
    TZ_FLAG(FlagName)

TZ_SCALAR_FLAGGED(std::string, const std::string&, SerialNo, serialNo_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, DummySerial, dummySerial_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, StationID, stationID_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, UserID, userID_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, SpecNo, specNo_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, SpecType, specType_)
TZ_SCALAR_FLAGGED(Single, Single, Inert1st, inert1st_)
TZ_SCALAR_FLAGGED(Single, Single, Inert2nd, inert2nd_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, UserPassword2, userPassword2_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, MaintePassword, maintePassword_)
TZ_SCALAR_FLAGGED(std::string, const std::string&, PasswordStr, passwordStr_)
TZ_SCALAR_FLAGGED(Long, Long, FlowLevel, flowLevel_)

TZ_FLAG(SerialNo)
TZ_FLAG(DummySerial)
TZ_FLAG(StationID)
TZ_FLAG(UserID)
TZ_FLAG(SpecNo)
TZ_FLAG(SpecType)
TZ_FLAG(Inert1st)
TZ_FLAG(Inert2nd)
TZ_FLAG(UserPassword2)
TZ_FLAG(MaintePassword)
TZ_FLAG(PasswordStr)
TZ_FLAG(FlowLevel)
TZ_FLAG(PortCh)
TZ_FLAG(IsCustom)

TZ_SCALAR(Long, Long, RomNumber, romNumber_)
TZ_SCALAR(std::string, const std::string&, SUM, sum_)
TZ_SCALAR(std::string, const std::string&, PIDver, pidVer_)
TZ_SCALAR(std::string, const std::string&, PID10ver, pid10Ver_)
TZ_SCALAR(std::string, const std::string&, PIDdata, pidData_)
TZ_SCALAR(Date, Date, SysDate, sysDate_)
TZ_SCALAR(Date, Date, SysDateOffset, sysDateOffset_)
TZ_SCALAR(std::string, const std::string&, Key, key_)
TZ_SCALAR(std::string, const std::string&, MessageString, messageString_)
TZ_SCALAR(std::string, const std::string&, FailLine, failLine_)
TZ_SCALAR(bool, bool, CommFlags, commFlags_)
TZ_SCALAR(bool, bool, ImportFlag, importFlag_)
TZ_SCALAR(Single, Single, AdrealValue, adrealValue_)

Integer clsInstrument::SHmode() const { return Value(Opt::SHmode); }
void clsInstrument::SHmode(Integer value) { Value(Opt::SHmode) = value; }
Integer clsInstrument::FlowValue() const { return Value(Opt::FlowValue); }
void clsInstrument::FlowValue(Integer value) { Value(Opt::FlowValue) = value; }

TZ_OPTION(HcMode, HCMode)
TZ_OPTION(AlarmMode, AlarmMode)
TZ_OPTION(AlarmMode2, AlarmMode2)
TZ_OPTION(AlarmO2, AlarmO2)
TZ_OPTION(AlarmOnOff, AlarmOnOff)
TZ_OPTION(StelTwaOnOff, StelTwaOnOff)
TZ_OPTION(AIdata, AIdata)
TZ_OPTION(AJdata, AJdata)
TZ_OPTION(ABdata, ABdata)
TZ_OPTION(CSAdata, CSAdata)
TZ_OPTION(RA, RA)
TZ_OPTION(Intervals, Interval)
TZ_OPTION(DispID, DispID)
TZ_OPTION(CalLimit, CalLimit)
TZ_OPTION(DispCalLimit, DispCalLimit)
TZ_OPTION(CalCheck, CalCheck)
TZ_OPTION(CalCheckALL, CalCheckALL)
TZ_OPTION(BumpFunction, BumpFunction)
TZ_OPTION(BumpLimit, BumpLimit)
TZ_OPTION(DispBumpLimit, DispBumpLimit)
TZ_OPTION(BumpCheck, BumpCheck)
TZ_OPTION(BumpCheckALL, BumpCheckALL)
TZ_OPTION(BumpTime, BumpTime)
TZ_OPTION(BumpThreshold, BumpThreshold)
TZ_OPTION(BumpFailAfter, BumpFailAfter)
TZ_OPTION(BumpFailCalTime, BumpFailCalTime)
TZ_OPTION(BumpFailBehavior, BumpFailBehavior)
TZ_OPTION(SpanAllowance, SpanAllowance)
TZ_OPTION(LunchBreak, LunchBreak)
TZ_OPTION(AlarmSilence, AlarmSilence)
TZ_OPTION(Confirmation, Confirmation)
TZ_OPTION(ConfirmationTime, ConfirmationTime)
TZ_OPTION(LogOverWrite, LogOverWrite)
TZ_OPTION(LcdBackLight, LcdBackLight)
TZ_OPTION(autoBackLight, autoBackLight)
TZ_OPTION(LcdContrast, LcdContrast)
TZ_OPTION(Inverse, Inverse)
TZ_OPTION(InertMode, InertMode)
TZ_OPTION(LcBhMode, LcBhMode)
TZ_OPTION(BhTime, BhTime)
TZ_OPTION(LcBuzzer, LcBuzzer)
TZ_OPTION(IRRange, IRRange)
TZ_OPTION(LangType, LangType)
TZ_OPTION(AutoZero, AutoZero)
TZ_OPTION(DemandZero, DemandZero)
TZ_OPTION(UseUserPassword, UseUserPassword)
TZ_OPTION(UseMaintePassword, UseMaintePassword)
TZ_OPTION(PasswordProtect, PasswordProtect)
TZ_OPTION(dlogOnOff, dlogOnOff)
TZ_OPTION(PumpOnOffDisp, PumpOnOffDisp)
TZ_OPTION(PeakBar, PeakBar)
TZ_OPTION(LeakCOdisp, LeakCOdisp)
TZ_OPTION(Lc_PpmAuto, Lc_PpmAuto)
TZ_OPTION(pressOffset, pressOffset)
TZ_OPTION(Battery, Battery)
TZ_OPTION(RemainTimeDisp, RemainTimeDisp)
TZ_OPTION(KeySound, KeySound)
TZ_OPTION(ManDown, ManDown)
TZ_OPTION(Panic, Panic)
TZ_OPTION(ManDown1, ManDown1)
TZ_OPTION(ManDown2, ManDown2)
TZ_OPTION(ManDown3, ManDown3)
TZ_OPTION(DateDispType, DateDispType)

#undef TZ_SCALAR
#undef TZ_SCALAR_FLAGGED
#undef TZ_FLAG
#undef TZ_OPTION

// ---- Arrays ----------------------------------------------------------------------------------

Integer clsInstrument::AnalogValue(Integer index) const { return At(analogValue_, index, "A/D"); }
void clsInstrument::AnalogValue(Integer index, Integer value) {
    At(analogValue_, index, "A/D") = value;
}

Single clsInstrument::LimitValue(Integer index) const { return At(limitValue_, index, "limit"); }
void clsInstrument::LimitValue(Integer index, Single value) {
    At(limitValue_, index, "limit") = value;
}

bool clsInstrument::LimitValueIsLo(Integer index) const {
    return At(limitValueIsLo_, index, "limit");
}
void clsInstrument::LimitValueIsLo(Integer index, bool value) {
    At(limitValueIsLo_, index, "limit") = value;
}

Integer clsInstrument::PortCh(Integer index) const { return At(portCh_, index, "port"); }
void clsInstrument::PortCh(Integer index, Integer value) {
    At(portCh_, index, "port") = value;
    FlagRef(Flag::PortCh) = true;
}

// ---- Station and user lists ------------------------------------------------------------------

std::string clsInstrument::StationList(Integer index) const {
    return IsListIndex(index) ? stationList_[Index(index)] : std::string();
}
void clsInstrument::StationList(Integer index, const std::string& value) {
    if (!IsListIndex(index)) return;
    stationList_[Index(index)] = value;
    changeStationList_[Index(index)] = true;
}
bool clsInstrument::Change_StationList(Integer index) const {
    return IsListIndex(index) && changeStationList_[Index(index)];
}
void clsInstrument::Change_StationList(Integer index, bool value) {
    if (IsListIndex(index)) changeStationList_[Index(index)] = value;
}

std::string clsInstrument::UserList(Integer index) const {
    return IsListIndex(index) ? userList_[Index(index)] : std::string();
}
void clsInstrument::UserList(Integer index, const std::string& value) {
    if (!IsListIndex(index)) return;
    userList_[Index(index)] = value;
    changeUserList_[Index(index)] = true;
}
bool clsInstrument::Change_UserList(Integer index) const {
    return IsListIndex(index) && changeUserList_[Index(index)];
}
void clsInstrument::Change_UserList(Integer index, bool value) {
    if (IsListIndex(index)) changeUserList_[Index(index)] = value;
}

}  // namespace tz
