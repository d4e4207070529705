#include "app/GasSelection.h"

#include <stdexcept>

#include "instrument/modGasCommon.h"

namespace tz {

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
