#pragma once
// Switching a settings-grid channel on (a gas chosen from the program's gas table) and off, as
// the grid's check box does it. The window asks the questions; these functions decide which one
// and change the record. The gas selection window lists the choices of a slot and arranges them.
//
//   switch (ChannelSwitchFor(checked, Program().GasLocked[channel])) {
//   case ChannelSwitch::RefuseFixed: box 5331 / 5332, tick the box again; break;
//   case ChannelSwitch::AskDisable: Yes/No 5335 / 5336; Yes: SwitchChannelOff(record, channel); break;
//   case ChannelSwitch::ChooseGas: frmGasSel for the channel; then
//       if (auto* gas = ChosenGas(Program().GasTable, channel, ok, selNum)) ApplyGasTableEntry(...);
//       else clear the box; break;
//   }
#include <string>
#include <vector>

#include "app/modMain.h"
#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

enum class ChannelSwitch {
    RefuseFixed,  // unticking a fixed channel: message 5331, title 5332, information icon
    AskDisable,   // unticking another channel: question 5335, title 5336, Yes and No
    ChooseGas,    // ticking: the gas selection window for the channel
};

inline constexpr int FixedSensorMessage = 5331;
inline constexpr int FixedSensorTitle = 5332;
inline constexpr int DisableSensorQuestion = 5335;
inline constexpr int DisableSensorTitle = 5336;

// What a click on a channel's check box leads to; `ticked` is the box's new state.
ChannelSwitch ChannelSwitchFor(bool ticked, bool channelFixed);

// The gas the user chose in the gas selection window: entry `selNum` (0 to 15) of the channel's
// slot when the window was confirmed and the entry is present; nothing (counts as Cancel) for an
// unconfirmed window, no choice, or an entry that is not present.
const GasTableEntry* ChosenGas(const GasTableType& table, Integer channel, bool confirmed, int selNum);

// Copies a gas-table entry into channel 0 to 5 of the record through its properties (which set
// their change flags): GasName, GasEnabled (true), GasPoint, GasUnit, Warning, Alarm, Stel, Twa,
// GasDesit, GasFullScale, AutoCalib, Ratio and Zero. The entry's levels are main-range values, so
// the channel's low-range marks are cleared. A gas whose name begins with "OXY" or "O2" sets
// AlarmO2 to 0.
void ApplyGasTableEntry(clsInstrument& record, Integer channel, const GasTableEntry& entry);

// Switches channel 0 to 5 off: GasEnabled false and its warning, alarm, STEL, TWA and
// auto-calibration levels -101.
void SwitchChannelOff(clsInstrument& record, Integer channel);


// Entries 0 to 15 of a slot may be offered; entry 16 never is.
inline constexpr int GasSelectionOptions = 16;

struct GasChoice {
    int index = 0;        // the entry of the slot, 0 to 15 (the option's index)
    std::string caption;  // GasLabel of the entry: name, "(", full scale, unit, ")"
};

// The enabled entries 0 to 15 of slot gasNo, in entry order. Throws std::out_of_range when gasNo
// is not a slot of the table (0 to 6).
std::vector<GasChoice> GasChoices(const GasTableType& table, int gasNo);

// One column for fewer than five options, otherwise two columns of half the count, rounded up.
struct GasChoiceLayout {
    int columns = 1;
    int rows = 0;
};
GasChoiceLayout GasChoiceArrangement(int count);

}  // namespace tz
