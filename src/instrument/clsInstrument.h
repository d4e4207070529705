#pragma once
// clsInstrument: everything the program knows about one instrument. Every setting that can be
// written to the instrument carries a change flag `Change_<setting>`; the writer sends exactly the
// flagged settings and clears each flag once the instrument has acknowledged it.
//
// The record is a plain value holder: it validates and converts nothing. It is an ordinary value
// type, so a window can edit a copy and assign it back.
//
// Properties follow the house convention: `X()` reads, `X(value)` assigns; indexed properties take
// the gas or list index first.
//
// Index rules:
//  - Guarded accessors (the per-gas properties other than Warning, Alarm, Stel, Twa and
//    Change_ZeroForce; StationList, UserList and their flags) accept gas 0 to 5 and list entries
//    0 to 127. Outside that, a read gives the type's empty value and an assignment is ignored.
//  - Unguarded accessors (Warning, Alarm, Stel, Twa, Change_ZeroForce: gas 0 to 6; PortCh,
//    LimitValue, LimitValueIsLo: 0 to 6; AnalogValue: 0 to 16) throw std::out_of_range outside
//    their slots.
#include <array>
#include <cstddef>
#include <string>

#include "text/Types.h"

namespace tz {

class clsInstrument {
public:
    static constexpr Integer GasChannels = 6;   // gas indexes 0 to 5 reach the guarded accessors
    static constexpr Integer GasSlots = 7;      // gas indexes 0 to 6 exist in storage
    static constexpr Integer ListEntries = 128; // station and user list entries 0 to 127
    static constexpr Integer PortSlots = 7;     // PortCh, LimitValue, LimitValueIsLo: 0 to 6
    static constexpr Integer AnalogSlots = 17;  // AnalogValue: 0 to 16

    // A new record holds the defaults of ClearDatas and no change flag.
    clsInstrument();

    // Puts every value back to its default (some identity and history values are kept), then
    // clears every change flag.
    void ClearDatas();
    // Sets the change flags in two groups: pIDflag for the identity values (user and station IDs,
    // both lists, and the serial number outside factory mode), pFlag for everything else.
    // Change_FlowLevel and Change_pressOffset keep their values.
    void SetChangeFlags(bool pFlag, bool pIDflag);
    // SetChangeFlags(false, false).
    void ClearChangeFlags();

    // ---- Gas channels (guarded, gas 0 to 5) ----
    std::string GasName(Integer gas) const;
    void GasName(Integer gas, const std::string& value);
    Single GasDesit(Integer gas) const;           void GasDesit(Integer gas, Single value);
    Integer GasPoint(Integer gas) const;          void GasPoint(Integer gas, Integer value);
    std::string GasUnit(Integer gas) const;
    void GasUnit(Integer gas, const std::string& value);
    Single GasFullScale(Integer gas) const;       void GasFullScale(Integer gas, Single value);
    bool GasEnabled(Integer gas) const;           void GasEnabled(Integer gas, bool value);
    Date CalibDate(Integer gas) const;            void CalibDate(Integer gas, Date value);
    Single CalibBefore(Integer gas) const;        void CalibBefore(Integer gas, Single value);
    Single CalibAfter(Integer gas) const;         void CalibAfter(Integer gas, Single value);
    Single AutoCalib(Integer gas) const;          void AutoCalib(Integer gas, Single value);
    Single SpanData(Integer gas) const;           void SpanData(Integer gas, Single value);
    Date BumpDates(Integer gas) const;            void BumpDates(Integer gas, Date value);
    Single BumpResult(Integer gas) const;         void BumpResult(Integer gas, Single value);
    Single BumpConcentration(Integer gas) const;  void BumpConcentration(Integer gas, Single value);
    std::string SensorDate(Integer gas) const;
    void SensorDate(Integer gas, const std::string& value);
    Integer Zero(Integer gas) const;              void Zero(Integer gas, Integer value);
    Integer OverScale(Integer gas) const;         void OverScale(Integer gas, Integer value);
    Integer ZeroForce(Integer gas) const;         void ZeroForce(Integer gas, Integer value);
    Single Ratio(Integer gas) const;              void Ratio(Integer gas, Single value);
    // Second (low) range, used on channels 4 and 5.
    Single GasFullScale_l(Integer gas) const;     void GasFullScale_l(Integer gas, Single value);
    Single GasDigit_l(Integer gas) const;         void GasDigit_l(Integer gas, Single value);
    Integer GasPoint_l(Integer gas) const;        void GasPoint_l(Integer gas, Integer value);
    std::string GasUnit_l(Integer gas) const;
    void GasUnit_l(Integer gas, const std::string& value);
    Single Factor_l(Integer gas) const;           void Factor_l(Integer gas, Single value);
    // Low-range marks ("L" rather than "H" in the instrument's text).
    bool WarnIsLo(Integer gas) const;             void WarnIsLo(Integer gas, bool value);
    bool AlarmIsLo(Integer gas) const;            void AlarmIsLo(Integer gas, bool value);
    bool StelIsLo(Integer gas) const;             void StelIsLo(Integer gas, bool value);
    bool TwaIsLo(Integer gas) const;              void TwaIsLo(Integer gas, bool value);
    bool AutoCalIsLo(Integer gas) const;          void AutoCalIsLo(Integer gas, bool value);
    bool BeforeIsLo(Integer gas) const;           void BeforeIsLo(Integer gas, bool value);
    bool AfterIsLo(Integer gas) const;            void AfterIsLo(Integer gas, bool value);
    bool BumpResultIsLo(Integer gas) const;       void BumpResultIsLo(Integer gas, bool value);
    bool BumpConcentrationIsLo(Integer gas) const;
    void BumpConcentrationIsLo(Integer gas, bool value);
    // Logged readings.
    Single LogMax(Integer gas) const;             void LogMax(Integer gas, Single value);
    Single LogMin(Integer gas) const;             void LogMin(Integer gas, Single value);
    Single LogAvr(Integer gas) const;             void LogAvr(Integer gas, Single value);
    Date LogMaxDate(Integer gas) const;           void LogMaxDate(Integer gas, Date value);
    Date LogMinDate(Integer gas) const;           void LogMinDate(Integer gas, Date value);

    // ---- Alarm points (unguarded, gas 0 to 6; std::out_of_range beyond) ----
    Single Warning(Integer gas) const;            void Warning(Integer gas, Single value);
    Single Alarm(Integer gas) const;              void Alarm(Integer gas, Single value);
    Single Stel(Integer gas) const;               void Stel(Integer gas, Single value);
    Single Twa(Integer gas) const;                void Twa(Integer gas, Single value);

    // ---- Per-gas change flags (guarded, gas 0 to 5; Change_ZeroForce unguarded, 0 to 6) ----
    bool Change_GasPoint(Integer gas) const;      void Change_GasPoint(Integer gas, bool value);
    bool Change_GasEnable(Integer gas) const;     void Change_GasEnable(Integer gas, bool value);
    bool Change_Warn(Integer gas) const;          void Change_Warn(Integer gas, bool value);
    bool Change_Alarm(Integer gas) const;         void Change_Alarm(Integer gas, bool value);
    bool Change_Stel(Integer gas) const;          void Change_Stel(Integer gas, bool value);
    bool Change_Twa(Integer gas) const;           void Change_Twa(Integer gas, bool value);
    bool Change_AutoCal(Integer gas) const;       void Change_AutoCal(Integer gas, bool value);
    bool Change_Zero(Integer gas) const;          void Change_Zero(Integer gas, bool value);
    bool Change_OverScale(Integer gas) const;     void Change_OverScale(Integer gas, bool value);
    bool Change_SpanData(Integer gas) const;      void Change_SpanData(Integer gas, bool value);
    bool Change_ZeroForce(Integer gas) const;     void Change_ZeroForce(Integer gas, bool value);
    bool Change_Ratio(Integer gas) const;         void Change_Ratio(Integer gas, bool value);
    bool Change_SensorDate(Integer gas) const;    void Change_SensorDate(Integer gas, bool value);

    // ---- Identity, versions and bookkeeping ----
    std::string SerialNo() const;                 void SerialNo(const std::string& value);
    bool Change_SerialNo() const;                 void Change_SerialNo(bool value);
    std::string DummySerial() const;              void DummySerial(const std::string& value);
    bool Change_DummySerial() const;              void Change_DummySerial(bool value);
    std::string StationID() const;                void StationID(const std::string& value);
    bool Change_StationID() const;                void Change_StationID(bool value);
    std::string UserID() const;                   void UserID(const std::string& value);
    bool Change_UserID() const;                   void Change_UserID(bool value);
    std::string SpecNo() const;                   void SpecNo(const std::string& value);
    bool Change_SpecNo() const;                   void Change_SpecNo(bool value);
    std::string SpecType() const;                 void SpecType(const std::string& value);
    bool Change_SpecType() const;                 void Change_SpecType(bool value);
    Long RomNumber() const;                       void RomNumber(Long value);
    std::string SUM() const;                      void SUM(const std::string& value);
    std::string PIDver() const;                   void PIDver(const std::string& value);
    std::string PID10ver() const;                 void PID10ver(const std::string& value);
    std::string PIDdata() const;                  void PIDdata(const std::string& value);
    Date SysDate() const;                         void SysDate(Date value);
    Date SysDateOffset() const;                   void SysDateOffset(Date value);
    std::string Key() const;                      void Key(const std::string& value);
    std::string MessageString() const;            void MessageString(const std::string& value);
    std::string FailLine() const;                 void FailLine(const std::string& value);
    bool CommFlags() const;                       void CommFlags(bool value);
    bool ImportFlag() const;                      void ImportFlag(bool value);

    // ---- Instrument options (Integer; assigning sets the flag) ----
    Integer HcMode() const;                   void HcMode(Integer value);
    bool Change_HCMode() const;               void Change_HCMode(bool value);
    Integer AlarmMode() const;                void AlarmMode(Integer value);
    bool Change_AlarmMode() const;            void Change_AlarmMode(bool value);
    Integer AlarmMode2() const;               void AlarmMode2(Integer value);
    bool Change_AlarmMode2() const;           void Change_AlarmMode2(bool value);
    Integer AlarmO2() const;                  void AlarmO2(Integer value);
    bool Change_AlarmO2() const;              void Change_AlarmO2(bool value);
    Integer AlarmOnOff() const;               void AlarmOnOff(Integer value);
    bool Change_AlarmOnOff() const;           void Change_AlarmOnOff(bool value);
    Integer StelTwaOnOff() const;             void StelTwaOnOff(Integer value);
    bool Change_StelTwaOnOff() const;         void Change_StelTwaOnOff(bool value);
    Integer AIdata() const;                   void AIdata(Integer value);
    bool Change_AIdata() const;               void Change_AIdata(bool value);
    Integer AJdata() const;                   void AJdata(Integer value);
    bool Change_AJdata() const;               void Change_AJdata(bool value);
    Integer ABdata() const;                   void ABdata(Integer value);
    bool Change_ABdata() const;               void Change_ABdata(bool value);
    Integer CSAdata() const;                  void CSAdata(Integer value);
    bool Change_CSAdata() const;              void Change_CSAdata(bool value);
    Integer RA() const;                       void RA(Integer value);
    bool Change_RA() const;                   void Change_RA(bool value);
    Integer Intervals() const;                void Intervals(Integer value);
    bool Change_Interval() const;             void Change_Interval(bool value);
    Integer DispID() const;                   void DispID(Integer value);
    bool Change_DispID() const;               void Change_DispID(bool value);
    Integer CalLimit() const;                 void CalLimit(Integer value);
    bool Change_CalLimit() const;             void Change_CalLimit(bool value);
    Integer DispCalLimit() const;             void DispCalLimit(Integer value);
    bool Change_DispCalLimit() const;         void Change_DispCalLimit(bool value);
    Integer CalCheck() const;                 void CalCheck(Integer value);
    bool Change_CalCheck() const;             void Change_CalCheck(bool value);
    Integer CalCheckALL() const;              void CalCheckALL(Integer value);
    bool Change_CalCheckALL() const;          void Change_CalCheckALL(bool value);
    Integer BumpFunction() const;             void BumpFunction(Integer value);
    bool Change_BumpFunction() const;         void Change_BumpFunction(bool value);
    Integer BumpLimit() const;                void BumpLimit(Integer value);
    bool Change_BumpLimit() const;            void Change_BumpLimit(bool value);
    Integer DispBumpLimit() const;            void DispBumpLimit(Integer value);
    bool Change_DispBumpLimit() const;        void Change_DispBumpLimit(bool value);
    Integer BumpCheck() const;                void BumpCheck(Integer value);
    bool Change_BumpCheck() const;            void Change_BumpCheck(bool value);
    Integer BumpCheckALL() const;             void BumpCheckALL(Integer value);
    bool Change_BumpCheckALL() const;         void Change_BumpCheckALL(bool value);
    Integer BumpTime() const;                 void BumpTime(Integer value);
    bool Change_BumpTime() const;             void Change_BumpTime(bool value);
    Integer BumpThreshold() const;            void BumpThreshold(Integer value);
    bool Change_BumpThreshold() const;        void Change_BumpThreshold(bool value);
    Integer BumpFailAfter() const;            void BumpFailAfter(Integer value);
    bool Change_BumpFailAfter() const;        void Change_BumpFailAfter(bool value);
    Integer BumpFailCalTime() const;          void BumpFailCalTime(Integer value);
    bool Change_BumpFailCalTime() const;      void Change_BumpFailCalTime(bool value);
    Integer BumpFailBehavior() const;         void BumpFailBehavior(Integer value);
    bool Change_BumpFailBehavior() const;     void Change_BumpFailBehavior(bool value);
    Integer SpanAllowance() const;            void SpanAllowance(Integer value);
    bool Change_SpanAllowance() const;        void Change_SpanAllowance(bool value);
    Integer LunchBreak() const;               void LunchBreak(Integer value);
    bool Change_LunchBreak() const;           void Change_LunchBreak(bool value);
    Integer AlarmSilence() const;             void AlarmSilence(Integer value);
    bool Change_AlarmSilence() const;         void Change_AlarmSilence(bool value);
    Integer Confirmation() const;             void Confirmation(Integer value);
    bool Change_Confirmation() const;         void Change_Confirmation(bool value);
    Integer ConfirmationTime() const;         void ConfirmationTime(Integer value);
    bool Change_ConfirmationTime() const;     void Change_ConfirmationTime(bool value);
    Integer LogOverWrite() const;             void LogOverWrite(Integer value);
    bool Change_LogOverWrite() const;         void Change_LogOverWrite(bool value);
    Integer LcdBackLight() const;             void LcdBackLight(Integer value);
    bool Change_LcdBackLight() const;         void Change_LcdBackLight(bool value);
    Integer autoBackLight() const;            void autoBackLight(Integer value);
    bool Change_autoBackLight() const;        void Change_autoBackLight(bool value);
    Integer LcdContrast() const;              void LcdContrast(Integer value);
    bool Change_LcdContrast() const;          void Change_LcdContrast(bool value);
    Integer Inverse() const;                  void Inverse(Integer value);
    bool Change_Inverse() const;              void Change_Inverse(bool value);
    Integer InertMode() const;                void InertMode(Integer value);
    bool Change_InertMode() const;            void Change_InertMode(bool value);
    Integer LcBhMode() const;                 void LcBhMode(Integer value);
    bool Change_LcBhMode() const;             void Change_LcBhMode(bool value);
    Integer BhTime() const;                   void BhTime(Integer value);
    bool Change_BhTime() const;               void Change_BhTime(bool value);
    Integer LcBuzzer() const;                 void LcBuzzer(Integer value);
    bool Change_LcBuzzer() const;             void Change_LcBuzzer(bool value);
    Integer IRRange() const;                  void IRRange(Integer value);
    bool Change_IRRange() const;              void Change_IRRange(bool value);
    Integer LangType() const;                 void LangType(Integer value);
    bool Change_LangType() const;             void Change_LangType(bool value);
    Integer AutoZero() const;                 void AutoZero(Integer value);
    bool Change_AutoZero() const;             void Change_AutoZero(bool value);
    Integer DemandZero() const;               void DemandZero(Integer value);
    bool Change_DemandZero() const;           void Change_DemandZero(bool value);
    Integer UseUserPassword() const;          void UseUserPassword(Integer value);
    bool Change_UseUserPassword() const;      void Change_UseUserPassword(bool value);
    Integer UseMaintePassword() const;        void UseMaintePassword(Integer value);
    bool Change_UseMaintePassword() const;    void Change_UseMaintePassword(bool value);
    Integer PasswordProtect() const;          void PasswordProtect(Integer value);
    bool Change_PasswordProtect() const;      void Change_PasswordProtect(bool value);
    Integer dlogOnOff() const;                void dlogOnOff(Integer value);
    bool Change_dlogOnOff() const;            void Change_dlogOnOff(bool value);
    Integer PumpOnOffDisp() const;            void PumpOnOffDisp(Integer value);
    bool Change_PumpOnOffDisp() const;        void Change_PumpOnOffDisp(bool value);
    Integer PeakBar() const;                  void PeakBar(Integer value);
    bool Change_PeakBar() const;              void Change_PeakBar(bool value);
    Integer LeakCOdisp() const;               void LeakCOdisp(Integer value);
    bool Change_LeakCOdisp() const;           void Change_LeakCOdisp(bool value);
    Integer Lc_PpmAuto() const;               void Lc_PpmAuto(Integer value);
    bool Change_Lc_PpmAuto() const;           void Change_Lc_PpmAuto(bool value);
    Integer pressOffset() const;              void pressOffset(Integer value);
    bool Change_pressOffset() const;          void Change_pressOffset(bool value);
    Integer Battery() const;                  void Battery(Integer value);
    bool Change_Battery() const;              void Change_Battery(bool value);
    Integer RemainTimeDisp() const;           void RemainTimeDisp(Integer value);
    bool Change_RemainTimeDisp() const;       void Change_RemainTimeDisp(bool value);
    Integer KeySound() const;                 void KeySound(Integer value);
    bool Change_KeySound() const;             void Change_KeySound(bool value);
    Integer ManDown() const;                  void ManDown(Integer value);
    bool Change_ManDown() const;              void Change_ManDown(bool value);
    Integer Panic() const;                    void Panic(Integer value);
    bool Change_Panic() const;                void Change_Panic(bool value);
    Integer ManDown1() const;                 void ManDown1(Integer value);
    bool Change_ManDown1() const;             void Change_ManDown1(bool value);
    Integer ManDown2() const;                 void ManDown2(Integer value);
    bool Change_ManDown2() const;             void Change_ManDown2(bool value);
    Integer ManDown3() const;                 void ManDown3(Integer value);
    bool Change_ManDown3() const;             void Change_ManDown3(bool value);
    Integer DateDispType() const;             void DateDispType(Integer value);
    bool Change_DateDispType() const;         void Change_DateDispType(bool value);

    // ---- Options of other types ----
    Single Inert1st() const;                      void Inert1st(Single value);
    bool Change_Inert1st() const;                 void Change_Inert1st(bool value);
    Single Inert2nd() const;                      void Inert2nd(Single value);
    bool Change_Inert2nd() const;                 void Change_Inert2nd(bool value);
    std::string UserPassword2() const;            void UserPassword2(const std::string& value);
    bool Change_UserPassword2() const;            void Change_UserPassword2(bool value);
    std::string MaintePassword() const;           void MaintePassword(const std::string& value);
    bool Change_MaintePassword() const;           void Change_MaintePassword(bool value);
    std::string PasswordStr() const;              void PasswordStr(const std::string& value);
    bool Change_PasswordStr() const;              void Change_PasswordStr(bool value);
    // Minimum flow level; the parameter dialog writes it itself, so SetChangeFlags and
    // ClearChangeFlags leave its flag alone (as they do for Change_pressOffset).
    Long FlowLevel() const;                       void FlowLevel(Long value);
    bool Change_FlowLevel() const;                void Change_FlowLevel(bool value);
    // A flag without a setting of its own; only SetChangeFlags and ClearChangeFlags touch it.
    bool Change_IsCustom() const;                 void Change_IsCustom(bool value);

    // ---- Values read from the instrument, without a flag ----
    Integer SHmode() const;                       void SHmode(Integer value);
    Integer FlowValue() const;                    void FlowValue(Integer value);
    Single AdrealValue() const;                   void AdrealValue(Single value);
    Integer AnalogValue(Integer index) const;     void AnalogValue(Integer index, Integer value);
    Single LimitValue(Integer index) const;       void LimitValue(Integer index, Single value);
    bool LimitValueIsLo(Integer index) const;     void LimitValueIsLo(Integer index, bool value);

    // ---- Sensor port of each gas channel (-1: none); one flag for the whole array ----
    Integer PortCh(Integer index) const;          void PortCh(Integer index, Integer value);
    bool Change_PortCh() const;                   void Change_PortCh(bool value);

    // ---- Station and user lists (guarded, entries 0 to 127; 16 characters each) ----
    std::string StationList(Integer index) const;
    void StationList(Integer index, const std::string& value);
    bool Change_StationList(Integer index) const;
    void Change_StationList(Integer index, bool value);
    std::string UserList(Integer index) const;
    void UserList(Integer index, const std::string& value);
    bool Change_UserList(Integer index) const;    void Change_UserList(Integer index, bool value);

private:
    // Integer options and scalar change flags are kept in arrays so that their defaults and
    // flag groups can be tables (see clsInstrument.cpp).
    enum class Opt : std::size_t {
        HcMode, AlarmMode, AlarmMode2, AlarmO2, AlarmOnOff, StelTwaOnOff, AIdata, AJdata, ABdata,
        CSAdata, RA, Intervals, DispID, CalLimit, DispCalLimit, CalCheck, CalCheckALL,
        BumpFunction, BumpLimit, DispBumpLimit, BumpCheck, BumpCheckALL, BumpTime, BumpThreshold,
        BumpFailAfter, BumpFailCalTime, BumpFailBehavior, SpanAllowance, LunchBreak, AlarmSilence,
        Confirmation, ConfirmationTime, LogOverWrite, LcdBackLight, autoBackLight, LcdContrast,
        Inverse, InertMode, LcBhMode, BhTime, LcBuzzer, IRRange, LangType, AutoZero, DemandZero,
        UseUserPassword, UseMaintePassword, PasswordProtect, dlogOnOff, PumpOnOffDisp, PeakBar,
        LeakCOdisp, Lc_PpmAuto, pressOffset, Battery, RemainTimeDisp, KeySound, ManDown, Panic,
        ManDown1, ManDown2, ManDown3, DateDispType, SHmode, FlowValue, Count
    };
    enum class Flag : std::size_t {
        HCMode, AlarmMode, AlarmMode2, AlarmO2, AlarmOnOff, StelTwaOnOff, AIdata, AJdata, ABdata,
        CSAdata, RA, Interval, DispID, CalLimit, DispCalLimit, CalCheck, CalCheckALL, BumpFunction,
        BumpLimit, DispBumpLimit, BumpCheck, BumpCheckALL, BumpTime, BumpThreshold, BumpFailAfter,
        BumpFailCalTime, BumpFailBehavior, SpanAllowance, LunchBreak, AlarmSilence, Confirmation,
        ConfirmationTime, LogOverWrite, LcdBackLight, autoBackLight, LcdContrast, Inverse,
        InertMode, LcBhMode, BhTime, LcBuzzer, IRRange, LangType, AutoZero, DemandZero,
        UseUserPassword, UseMaintePassword, PasswordProtect, dlogOnOff, PumpOnOffDisp, PeakBar,
        LeakCOdisp, Lc_PpmAuto, pressOffset, Battery, RemainTimeDisp, KeySound, ManDown, Panic,
        ManDown1, ManDown2, ManDown3, DateDispType, SerialNo, DummySerial, StationID, UserID,
        SpecNo, SpecType, Inert1st, Inert2nd, UserPassword2, MaintePassword, PasswordStr,
        FlowLevel, PortCh, IsCustom, Count
    };

    // Per-gas change flags, in the order each gas record ends with.
    enum class GasFlag : std::size_t {
        GasPoint, GasEnable, Warn, Alarm, Stel, Twa, AutoCal, Zero, OverScale, SpanData, ZeroForce,
        Ratio, SensorDate, Count
    };

    struct GasRecord {
        std::string GasName;
        Single GasDesit = 0;
        Integer GasPoint = 0;
        std::string GasUnit;
        Single GasFullScale = 0;
        bool GasEnabled = false;
        Single Warning = 0, Alarm = 0, Stel = 0, Twa = 0;
        Date CalibDate = 0;
        Single CalibBefore = 0, CalibAfter = 0, AutoCalib = 0, SpanData = 0;
        Date BumpDates = 0;
        Single BumpResult = 0, BumpConcentration = 0;
        std::string SensorDate;
        Integer Zero = 0, OverScale = 0, ZeroForce = 0;
        Single Ratio = 0;
        Single GasFullScale_l = 0, GasDigit_l = 0;
        Integer GasPoint_l = 0;
        std::string GasUnit_l;
        Single Factor_l = 0;
        bool WarnIsLo = false, AlarmIsLo = false, StelIsLo = false, TwaIsLo = false;
        bool AutoCalIsLo = false, BeforeIsLo = false, AfterIsLo = false;
        bool BumpResultIsLo = false, BumpConcentrationIsLo = false;
        Single LogMax = 0, LogMin = 0, LogAvr = 0;
        Date LogMaxDate = 0, LogMinDate = 0;
        std::array<bool, static_cast<std::size_t>(GasFlag::Count)> Flags{};
    };

    // How SetChangeFlags treats a scalar flag: pFlag, pIDflag, by factory mode, or not at all.
    enum class FlagGroup { Settings, Identity, Serial, Kept };
    struct OptionRow;  // one row of the option table: flag and ClearDatas value
    static const OptionRow& OptionOf(Opt opt);
    static FlagGroup GroupOf(Flag flag);

    Integer& Value(Opt opt) { return opts_[static_cast<std::size_t>(opt)]; }
    Integer Value(Opt opt) const { return opts_[static_cast<std::size_t>(opt)]; }
    void SetOption(Opt opt, Integer value);
    bool& FlagRef(Flag flag) { return flags_[static_cast<std::size_t>(flag)]; }
    bool FlagOf(Flag flag) const { return flags_[static_cast<std::size_t>(flag)]; }

    // Guarded access: nullptr outside gas 0 to 5.
    GasRecord* Guarded(Integer gas);
    const GasRecord* Guarded(Integer gas) const;
    // Unguarded access: std::out_of_range outside gas 0 to 6.
    GasRecord& Slot(Integer gas);
    const GasRecord& Slot(Integer gas) const;
    bool GasFlagOf(Integer gas, GasFlag flag) const;
    void SetGasFlag(Integer gas, GasFlag flag, bool value);
    void ResetGas(Integer gas);

    std::array<GasRecord, GasSlots> gas_{};
    std::array<Integer, static_cast<std::size_t>(Opt::Count)> opts_{};
    std::array<bool, static_cast<std::size_t>(Flag::Count)> flags_{};

    std::string serialNo_, dummySerial_, stationID_, userID_, specNo_, specType_;
    Long romNumber_ = 0;
    std::string sum_, pidVer_, pid10Ver_, pidData_;
    Date sysDate_ = 0, sysDateOffset_ = 0;
    std::string key_, messageString_, failLine_;
    bool commFlags_ = false, importFlag_ = false;

    Single inert1st_ = 0, inert2nd_ = 0;
    std::string userPassword2_, maintePassword_, passwordStr_;
    Long flowLevel_ = 0;
    Single adrealValue_ = 0;
    std::array<Integer, AnalogSlots> analogValue_{};
    std::array<Single, PortSlots> limitValue_{};
    std::array<bool, PortSlots> limitValueIsLo_{};
    std::array<Integer, PortSlots> portCh_{};

    // One slot beyond the accepted entries, as the lists have always had.
    std::array<std::string, ListEntries + 1> stationList_{}, userList_{};
    std::array<bool, ListEntries + 1> changeStationList_{}, changeUserList_{};
};

}  // namespace tz
