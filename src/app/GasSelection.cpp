#include "app/GasSelection.h"

#include <stdexcept>

#include "instrument/modGasCommon.h"

namespace tz {
namespace {

constexpr Single kNotUsed = static_cast<Single>(NoValue);

bool IsChannel(Integer channel) { return channel >= 0 && channel < clsInstrument::GasChannels; }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

ChannelSwitch ChannelSwitchFor(bool ticked, bool channelFixed) {
    if (ticked) return ChannelSwitch::ChooseGas;
    return channelFixed ? ChannelSwitch::RefuseFixed : ChannelSwitch::AskDisable;
}

const GasTableEntry* ChosenGas(const GasTableType& table, Integer channel, bool confirmed, int selNum) {
    if (!confirmed || channel < 0 || channel >= GasTableChannels || selNum < 0 || selNum >= GasSelectionOptions)
        return nullptr;
    const GasTableEntry& entry = table[static_cast<std::size_t>(channel)][static_cast<std::size_t>(selNum)];
    return entry.Enabled ? &entry : nullptr;
}

void ApplyGasTableEntry(clsInstrument& record, Integer channel, const GasTableEntry& entry) {
    if (!IsChannel(channel)) return;
    record.GasName(channel, entry.GasName);
    record.GasEnabled(channel, true);
    record.GasPoint(channel, entry.GasPoint);
    record.GasUnit(channel, entry.GasUnit);
    record.Warning(channel, entry.Warning);
    record.Alarm(channel, entry.Alarm);
    record.Stel(channel, entry.Stel);
    record.Twa(channel, entry.Twa);
    record.GasDesit(channel, entry.GasDesit);
    record.GasFullScale(channel, entry.GasFullScale);
    record.AutoCalib(channel, entry.AutoCalib);
    record.Ratio(channel, entry.Ratio);
    record.Zero(channel, entry.Zero);
    record.WarnIsLo(channel, false);
    record.AlarmIsLo(channel, false);
    record.StelIsLo(channel, false);
    record.TwaIsLo(channel, false);
    record.AutoCalIsLo(channel, false);
    if (StartsWith(entry.GasName, "OXY") || StartsWith(entry.GasName, "O2")) record.AlarmO2(0);
}

void SwitchChannelOff(clsInstrument& record, Integer channel) {
    if (!IsChannel(channel)) return;
    record.GasEnabled(channel, false);
    record.Warning(channel, kNotUsed);
    record.Alarm(channel, kNotUsed);
    record.Stel(channel, kNotUsed);
    record.Twa(channel, kNotUsed);
    record.AutoCalib(channel, kNotUsed);
}

std::vector<GasChoice> GasChoices(const GasTableType& table, int gasNo) {
    if (gasNo < 0 || gasNo >= GasTableChannels)
        throw std::out_of_range("gas table slot " + std::to_string(gasNo));
    std::vector<GasChoice> choices;
    for (int k = 0; k < GasSelectionOptions; ++k) {
        const GasTableEntry& entry = table[gasNo][k];
        if (!entry.Enabled) continue;
        choices.push_back(
            {k, GasLabel(entry.GasName, entry.GasUnit, entry.GasFullScale, entry.GasPoint)});
    }
    return choices;
}

GasChoiceLayout GasChoiceArrangement(int count) {
    if (count < 5) return {1, count < 0 ? 0 : count};
    return {2, (count + 1) / 2};
}

}  // namespace tz
