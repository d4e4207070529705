#pragma once
// What the gas selection window lists for a channel slot of the gas table, and how it arranges it.
#include <string>
#include <vector>

#include "app/modMain.h"

namespace tz {

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
