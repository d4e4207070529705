#include "app/GasSelection.h"

namespace tz {
namespace {

constexpr Single kNotUsed = static_cast<Single>(NoValue);
// The gas selection window lists entries 0 to 15 of a slot.
constexpr int kListedEntries = 16;

bool IsChannel(Integer channel) { return channel >= 0 && channel < clsInstrument::GasChannels; }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

ChannelSwitch ChannelSwitchFor(bool ticked, bool channelFixed) {
    if (ticked) return ChannelSwitch::ChooseGas;
    return channelFixed ? ChannelSwitch::RefuseFixed : ChannelSwitch::AskDisable;
}

const GasTableEntry* ChosenGas(const GasTableType& table, Integer channel, bool confirmed, int selNum) {
    if (!confirmed || channel < 0 || channel >= GasTableChannels || selNum < 0 || selNum >= kListedEntries)
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

}  // namespace tz
