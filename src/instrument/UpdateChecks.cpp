#include "instrument/UpdateChecks.h"

#include "instrument/WarningLevel.h"

namespace tz {
namespace {

// Catalogue numbers of the refusals and the question.
constexpr int kLevelText = 5361, kLevelTitle = 5362;
constexpr int kAutoCalText = 5380, kAutoCalTitle = 5381;
constexpr int kNoSensorText = 5365, kNoSensorTitle = 5366;
constexpr int kNoNameText = 5369, kNoNameTitle = 5370;
constexpr int kFactorySaveQuestion = 5262, kUpdateQuestion = 5309, kUpdateTitle = 5310;

// Channel 5 is left out of the level check; STEL and TWA are checked from channel 2 on, as the
// first two channels never use them.
constexpr Integer kLastLevelChannel = 4;
constexpr Integer kFirstExposureChannel = 2;

UpdateCheckResult Refusal(UpdateCheck check, int text, int title, Integer channel) {
    UpdateCheckResult r;
    r.Check = check;
    r.TextMessage = text;
    r.TitleMessage = title;
    r.Channel = channel;
    return r;
}

Single LevelOf(const clsInstrument& record, Integer channel, LevelKind kind) {
    switch (kind) {
    case LevelKind::Warning: return record.Warning(channel);
    case LevelKind::Alarm: return record.Alarm(channel);
    case LevelKind::Stel: return record.Stel(channel);
    case LevelKind::Twa: return record.Twa(channel);
    }
    return static_cast<Single>(NoValue);
}

}  // namespace

UpdateCheckResult CheckUpdateLevels(const clsInstrument& record) {
    for (Integer ch = 0; ch <= kLastLevelChannel; ++ch) {
        if (!record.GasEnabled(ch)) continue;
        UpdateCheckResult r = Refusal(UpdateCheck::LevelRange, kLevelText, kLevelTitle, ch);
        if (!CheckLevelOrder(record, ch)) {
            r.OrderBroken = true;
            return r;
        }
        for (LevelKind kind :
             {LevelKind::Warning, LevelKind::Alarm, LevelKind::Stel, LevelKind::Twa}) {
            const bool exposure = kind == LevelKind::Stel || kind == LevelKind::Twa;
            if (exposure && ch < kFirstExposureChannel) continue;
            if (!CheckLevel(record, ch, kind, LevelOf(record, ch, kind))) {
                r.Level = kind;
                return r;
            }
        }
    }
    return UpdateCheckResult{};
}

UpdateCheckResult CheckUpdate(const clsInstrument& record, WriteKind kind, bool asFactorySave) {
    if (UpdateCheckResult levels = CheckUpdateLevels(record); levels.Refused()) return levels;

    for (Integer ch = 0; ch < clsInstrument::GasChannels; ++ch)
        if (!IsAtWarningLevel(record, ch, record.AutoCalib(ch)))
            return Refusal(UpdateCheck::AutoCalibration, kAutoCalText, kAutoCalTitle, ch);

    bool anyEnabled = false;
    for (Integer ch = 0; ch < clsInstrument::GasChannels; ++ch)
        anyEnabled = anyEnabled || record.GasEnabled(ch);
    if (!anyEnabled) return Refusal(UpdateCheck::NoSensor, kNoSensorText, kNoSensorTitle, -1);

    for (Integer ch = 0; ch < clsInstrument::GasChannels; ++ch)
        if (record.GasEnabled(ch) && record.GasName(ch).empty())
            return Refusal(UpdateCheck::NoGasName, kNoNameText, kNoNameTitle, ch);

    const bool factorySave = kind == WriteKind::Settings && asFactorySave;
    UpdateCheckResult confirm;
    confirm.TextMessage = factorySave ? kFactorySaveQuestion : kUpdateQuestion;
    confirm.TitleMessage = kUpdateTitle;
    return confirm;
}

void MarkForWrite(clsInstrument& record, WriteKind kind) {
    if (kind == WriteKind::Settings)
        record.SetChangeFlags(true, false);
    else
        record.SetChangeFlags(false, true);
}

}  // namespace tz
