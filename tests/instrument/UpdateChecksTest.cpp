#include "instrument/UpdateChecks.h"

#include <functional>

#include <gtest/gtest.h>

#include "instrument/InstrumentSettings.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

// The four standard channels with the levels a fresh instrument carries; channels 4 and 5 off.
clsInstrument StandardInstrument() {
    struct Channel {
        const char* name;
        Single fullScale, warning, alarm, stel, twa, autoCalib;
    };
    const Channel channels[] = {
        {"CH4", 100.0f, 10.0f, 50.0f, -101.0f, -101.0f, 50.0f},
        {"O2", 40.0f, 19.5f, 23.5f, -101.0f, -101.0f, 12.0f},
        {"H2S", 100.0f, 10.0f, 30.0f, 15.0f, 10.0f, 25.0f},
        {"CO", 500.0f, 25.0f, 50.0f, 200.0f, 25.0f, 100.0f},
    };
    clsInstrument rec;
    rec.AlarmO2(0);
    for (Integer ch = 0; ch < 4; ++ch) {
        const Channel& c = channels[ch];
        rec.GasName(ch, c.name);
        rec.GasEnabled(ch, true);
        rec.GasFullScale(ch, c.fullScale);
        rec.Warning(ch, c.warning);
        rec.Alarm(ch, c.alarm);
        rec.Stel(ch, c.stel);
        rec.Twa(ch, c.twa);
        rec.AutoCalib(ch, c.autoCalib);
    }
    return rec;
}

// A photo-ionisation sensor on channel `ch` with its warning above its alarm.
void AddConflictingSensor(clsInstrument& rec, Integer ch) {
    rec.GasName(ch, "VOC");
    rec.GasUnit(ch, "ppm");
    rec.GasEnabled(ch, true);
    rec.GasFullScale(ch, 100.0f);
    rec.Warning(ch, 60.0f);
    rec.Alarm(ch, 50.0f);
}

class UpdateChecks : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }
    void TearDown() override { ResetInstrumentSettings(); }
};

TEST_F(UpdateChecks, StandardInstrument_AsksTheUpdateQuestion) {
    const UpdateCheckResult r = CheckUpdate(StandardInstrument(), WriteKind::Settings, false);
    EXPECT_FALSE(r.Refused());
    EXPECT_EQ(r.Check, UpdateCheck::Confirm);
    EXPECT_EQ(LoadMessage(r.TextMessage), "Update Ready?");
    EXPECT_EQ(LoadMessage(r.TitleMessage), "Update");
}

TEST_F(UpdateChecks, FactorySave_AsksToSaveDefaultsOnlyForSettings) {
    const clsInstrument rec = StandardInstrument();
    EXPECT_EQ(LoadMessage(CheckUpdate(rec, WriteKind::Settings, true).TextMessage),
              "Save as Default Settings. Ready ?");
    EXPECT_EQ(LoadMessage(CheckUpdate(rec, WriteKind::Identifiers, true).TextMessage),
              "Update Ready?");
}

struct RefusalCase {
    const char* scenario;
    std::function<void(clsInstrument&)> change;
    UpdateCheck check;  // Confirm: the change does not stop the write
    const char* text;
    const char* title;
    Integer channel;
};

TEST_F(UpdateChecks, EachCheck_RefusesItsFaultAndPassesOthers) {
    const char* kLevelText = "Check warning and alarm value. (red color cells)";
    const char* kLevelTitle = "Warning and alarm range.";
    const RefusalCase cases[] = {
        {"H2S warning 40 is above its range", [](clsInstrument& r) { r.Warning(2, 40.0f); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 2},
        {"H2S warning above its alarm",
         [](clsInstrument& r) { r.Warning(2, 25.0f); r.Alarm(2, 20.0f); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 2},
        {"CO STEL 250 is above its range", [](clsInstrument& r) { r.Stel(3, 250.0f); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 3},
        {"combustible alarm above 60 % of full scale", [](clsInstrument& r) { r.Alarm(0, 61.0f); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 0},
        {"combustible STEL is not examined", [](clsInstrument& r) { r.Stel(0, 5.0f); },
         UpdateCheck::Confirm, "Update Ready?", "Update", -1},
        {"a disabled channel's levels are not examined",
         [](clsInstrument& r) {
             r.Warning(2, 40.0f);
             r.AutoCalib(2, -101.0f);
             r.GasEnabled(2, false);
         },
         UpdateCheck::Confirm, "Update Ready?", "Update", -1},
        {"conflicting levels on channel 4", [](clsInstrument& r) { AddConflictingSensor(r, 4); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 4},
        {"conflicting levels on channel 5 do not stop the write",
         [](clsInstrument& r) { AddConflictingSensor(r, 5); },
         UpdateCheck::Confirm, "Update Ready?", "Update", -1},
        {"H2S auto calibration below the warning", [](clsInstrument& r) { r.AutoCalib(2, 5.0f); },
         UpdateCheck::AutoCalibration, "Improper Auto Cal.", "Auto Cal.", 2},
        {"auto calibration is checked on a disabled channel too",
         [](clsInstrument& r) { r.AutoCalib(3, 5.0f); r.GasEnabled(3, false); },
         UpdateCheck::AutoCalibration, "Improper Auto Cal.", "Auto Cal.", 3},
        {"oxygen auto calibration above the warning",
         [](clsInstrument& r) { r.AutoCalib(1, 20.0f); },
         UpdateCheck::AutoCalibration, "Improper Auto Cal.", "Auto Cal.", 1},
        {"level check comes before auto calibration",
         [](clsInstrument& r) { r.AutoCalib(0, 1.0f); r.Warning(3, 250.0f); },
         UpdateCheck::LevelRange, kLevelText, kLevelTitle, 3},
        {"no channel enabled",
         [](clsInstrument& r) { for (Integer ch = 0; ch < 6; ++ch) r.GasEnabled(ch, false); },
         UpdateCheck::NoSensor, "No available sensor.", "No sensor", -1},
        {"an enabled channel without a gas name", [](clsInstrument& r) { r.GasName(3, ""); },
         UpdateCheck::NoGasName, "This is not available combination.",
         "The communication is not possible", 3},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.scenario);
        clsInstrument rec = StandardInstrument();
        c.change(rec);
        const clsInstrument before = rec;
        const UpdateCheckResult r = CheckUpdate(rec, WriteKind::Settings, false);
        EXPECT_EQ(r.Check, c.check);
        EXPECT_EQ(LoadMessage(r.TextMessage), c.text);
        EXPECT_EQ(LoadMessage(r.TitleMessage), c.title);
        EXPECT_EQ(r.Channel, c.channel);
        // The checks change nothing in the record.
        EXPECT_EQ(rec.Change_Warn(2), before.Change_Warn(2));
        EXPECT_EQ(rec.Change_SerialNo(), before.Change_SerialNo());
    }
}

TEST_F(UpdateChecks, LevelRefusal_NamesTheBrokenLevel) {
    clsInstrument rec = StandardInstrument();
    rec.Twa(2, 31.0f);
    UpdateCheckResult r = CheckUpdateLevels(rec);
    EXPECT_EQ(r.Check, UpdateCheck::LevelRange);
    EXPECT_EQ(r.Level, LevelKind::Twa);
    EXPECT_FALSE(r.OrderBroken);

    rec = StandardInstrument();
    rec.Warning(3, 60.0f);  // within 0 to 200 but above the alarm of 50
    r = CheckUpdateLevels(rec);
    EXPECT_EQ(r.Channel, 3);
    EXPECT_TRUE(r.OrderBroken);
}

TEST_F(UpdateChecks, MarkForWrite_SettingsOrIdentifiersOnly) {
    clsInstrument settings = StandardInstrument();
    settings.ClearChangeFlags();
    MarkForWrite(settings, WriteKind::Settings);
    EXPECT_TRUE(settings.Change_Warn(2));
    EXPECT_TRUE(settings.Change_AlarmO2());
    EXPECT_FALSE(settings.Change_StationID());
    EXPECT_FALSE(settings.Change_UserID());
    EXPECT_FALSE(settings.Change_SerialNo());

    clsInstrument ids = StandardInstrument();
    ids.ClearChangeFlags();
    MarkForWrite(ids, WriteKind::Identifiers);
    EXPECT_FALSE(ids.Change_Warn(2));
    EXPECT_FALSE(ids.Change_AlarmO2());
    EXPECT_TRUE(ids.Change_StationID());
    EXPECT_TRUE(ids.Change_UserID());
    EXPECT_TRUE(ids.Change_SerialNo());
}

}  // namespace
}  // namespace tz
