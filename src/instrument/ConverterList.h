#pragma once
// The lines that follow a read in the information pane: the instrument's analogue-to-digital
// converter readings checked against their plausibility ranges, and the state of the
// photo-ionisation lamp lists. Both are returned as coloured lines; the main window adds them to
// its pane, the command line prints them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "instrument/clsInstrument.h"

namespace tz {

// The colours of these lines.
enum class InfoColour {
    ListGreen,  // (0,128,64): the title, a reading inside its range
    Red,        // (255,0,0): a reading outside its range, a lamp list that is not set
    Navy,       // (0,0,128): a reading without a range
    Green,      // (0,255,0): a lamp list that is set
};

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

Rgb RgbOf(InfoColour colour);

struct ColouredLine {
    std::string text;
    InfoColour colour;
    bool operator==(const ColouredLine&) const = default;
};

using AdCheckRanges = std::array<AdCheckRange, AdCheckRows>;

// The title line, then one line per converter channel: ch0 to ch7, ch12 BUL, ch13 BUD, the two
// unchecked ch14 / ch15 lines, then the four EX channels. Each line is a TAB, the 14-character
// label, ": " and the value right-aligned in six characters ("1599mV"). The "ch" channels show
// millivolts of a 12-bit converter with a 3.3 V reference; the EX channels show the reading.
std::vector<ColouredLine> ListConverterValues(const clsInstrument& record,
                                              const AdCheckRanges& ranges);
// The same with the program's ranges.
std::vector<ColouredLine> ListConverterValues(const clsInstrument& record);

// One converter channel as values, in the order of the list: the label without its padding, the
// instrument's reading, the value the list shows (millivolts for the "ch" channels) and its check
// against the range (none for an unchecked channel).
struct ConverterValue {
    std::string label;
    Integer reading = 0;
    double shown = 0;
    bool millivolts = false;
    bool checked = false;
    bool inRange = true;
};
std::vector<ConverterValue> ConverterValues(const clsInstrument& record, const AdCheckRanges& ranges);

// The 10.6 eV lamp list line, then the 10.0 eV one (or the line that the instrument's program
// does not support it, before program number 5606).
std::vector<ColouredLine> CheckPidLists(const clsInstrument& record);

}  // namespace tz
