#include "instrument/CopySettings.h"

namespace tz {
namespace {

// The channels whose zero settings the dialog shows (channel 1 has none).
constexpr Integer kZeroChannels[] = {0, 2, 3, 4, 5};

}  // namespace

// The list is written out rather than derived from the row tables, so that the tests, which walk
// the row tables, find any setting missing here.
void CopySettings(clsInstrument& target, const clsInstrument& source, bool changedOnly) {
#define TZ_COPY(Name)                                                                            \
    if (!changedOnly || source.Change_##Name()) target.Name(source.Name())
#define TZ_COPY_AT(Name, Index)                                                                  \
    if (!changedOnly || source.Change_##Name(Index)) target.Name(Index, source.Name(Index))

    // Calibration and bump-test limits.
    TZ_COPY(DispCalLimit);
    TZ_COPY(CalLimit);
    TZ_COPY(CalCheck);
    TZ_COPY(CalCheckALL);
    TZ_COPY(BumpFunction);
    TZ_COPY(BumpTime);
    TZ_COPY(BumpThreshold);
    TZ_COPY(BumpFailCalTime);
    TZ_COPY(BumpFailAfter);
    TZ_COPY(DispBumpLimit);
    TZ_COPY(BumpLimit);
    TZ_COPY(BumpCheck);
    TZ_COPY(BumpCheckALL);

    // Alarm behaviour, zero adjustment, man-down and inert-gas functions.
    TZ_COPY(AlarmMode);
    TZ_COPY(AlarmSilence);
    TZ_COPY(LunchBreak);
    TZ_COPY(AutoZero);
    TZ_COPY(DemandZero);
    for (const Integer gas : kZeroChannels) {
        TZ_COPY_AT(Zero, gas);
        TZ_COPY_AT(ZeroForce, gas);
    }
    TZ_COPY(PumpOnOffDisp);
    TZ_COPY(ManDown);
    TZ_COPY(Panic);
    TZ_COPY(ManDown1);
    TZ_COPY(ManDown2);
    TZ_COPY(ManDown3);
    TZ_COPY(InertMode);
    TZ_COPY(Inert1st);
    TZ_COPY(Inert2nd);
    TZ_COPY(IRRange);
    TZ_COPY(LcBhMode);
    TZ_COPY(BhTime);
    TZ_COPY(LcBuzzer);
    TZ_COPY(LeakCOdisp);

    // Display, logging, beeps and passwords.
    TZ_COPY(dlogOnOff);
    TZ_COPY(LogOverWrite);
    TZ_COPY(Confirmation);
    TZ_COPY(ConfirmationTime);
    TZ_COPY(DispID);
    TZ_COPY(LcdBackLight);
    TZ_COPY(KeySound);
    TZ_COPY(UseMaintePassword);
    TZ_COPY(MaintePassword);
    TZ_COPY(DateDispType);
    TZ_COPY(LangType);
    TZ_COPY(UseUserPassword);
    TZ_COPY(UserPassword2);
    TZ_COPY(PeakBar);
    TZ_COPY(Inverse);

    // Factory settings.
    TZ_COPY(SpecNo);
    TZ_COPY(SpecType);
    TZ_COPY(AlarmO2);
    TZ_COPY(AlarmOnOff);
    TZ_COPY(LcdContrast);
    TZ_COPY(RemainTimeDisp);
    TZ_COPY(PasswordProtect);
    for (Integer gas = 0; gas < clsInstrument::GasChannels; ++gas) TZ_COPY_AT(SensorDate, gas);
    TZ_COPY(CSAdata);
    // Without a flag of its own, a difference is the only sign that the text was edited.
    if (!changedOnly || target.PIDdata() != source.PIDdata()) target.PIDdata(source.PIDdata());

    // Identifiers and lists.
    TZ_COPY(StationID);
    TZ_COPY(UserID);
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i) {
        TZ_COPY_AT(StationList, i);
        TZ_COPY_AT(UserList, i);
    }

#undef TZ_COPY_AT
#undef TZ_COPY
}

}  // namespace tz
