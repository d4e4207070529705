#include "instrument/ConverterList.h"

#include <cmath>
#include <optional>

#include "text/Catalogue.h"

namespace tz {
namespace {

struct ConverterRow {
    const char* label;           // 14 characters
    Integer analogIndex;         // entry of AnalogValue
    std::optional<int> range;    // check range pair; none for an unchecked channel
    bool millivolts;             // "ch" channels are converted, "EX" channels shown as read
};

// In the order the list shows them; AnalogValue follows the same order.
constexpr ConverterRow kRows[] = {
    {"ch0 PRES.     ", 0, 0, true},    {"ch1 OX  AMP   ", 1, 1, true},
    {"ch2 CO  AMP   ", 2, 2, true},    {"ch3 H2S AMP   ", 3, 3, true},
    {"ch4 OX TH     ", 4, 4, true},    {"ch5 NC TH     ", 5, 5, true},
    {"ch6 SM1 TH    ", 6, 6, true},    {"ch7 SM2 TH    ", 7, 7, true},
    {"ch12 BUL      ", 8, 8, true},    {"ch13 BUD      ", 9, 9, true},
    {"ch14 SM1 RS   ", 10, std::nullopt, true}, {"ch15 SM2 RS   ", 11, std::nullopt, true},
    {"EX NC   AMP   ", 12, 10, false}, {"EX G X        ", 13, 11, false},
    {"EX G Y        ", 14, 12, false}, {"EX G Z        ", 15, 13, false},
};

constexpr int kMinimumRomFor10eV = 5606;
const std::string kUnsetPidList(14, '0');

// Millivolts of a 12-bit converter with a 3.3 V reference.
double ShownValue(const ConverterRow& row, Integer reading) {
    return row.millivolts ? reading * 3300.0 / 4096.0 : reading;
}

// Whole number followed by "mV", right-aligned in six characters.
std::string ValueField(double value) {
    const std::string text = "   " + std::to_string(static_cast<long>(std::round(value))) + "mV";
    return text.substr(text.size() - 6);
}

InfoColour ColourOf(const ConverterRow& row, double value, const AdCheckRanges& ranges) {
    if (!row.range) return InfoColour::Navy;
    const AdCheckRange& range = ranges[static_cast<std::size_t>(*row.range)];
    return range.Low <= value && value <= range.High ? InfoColour::ListGreen : InfoColour::Red;
}

ColouredLine LampLine(const std::string& lamp, const std::string& version) {
    if (version != kUnsetPidList)
        return {LoadMessage(20017, {lamp, version}), InfoColour::Green};
    return {LoadMessage(20016, {lamp}), InfoColour::Red};
}

}  // namespace

Rgb RgbOf(InfoColour colour) {
    switch (colour) {
    case InfoColour::ListGreen: return {0, 128, 64};
    case InfoColour::Red: return {255, 0, 0};
    case InfoColour::Navy: return {0, 0, 128};
    case InfoColour::Green: return {0, 255, 0};
    }
    return {0, 0, 0};
}

std::vector<ColouredLine> ListConverterValues(const clsInstrument& record,
                                              const AdCheckRanges& ranges) {
    std::vector<ColouredLine> lines;
    lines.push_back({"TZ-7300 Analog to Digital Converter Values List", InfoColour::ListGreen});
    for (const ConverterRow& row : kRows) {
        const double value = ShownValue(row, record.AnalogValue(row.analogIndex));
        lines.push_back({std::string("\t") + row.label + ": " + ValueField(value),
                         ColourOf(row, value, ranges)});
    }
    return lines;
}

std::vector<ConverterValue> ConverterValues(const clsInstrument& record, const AdCheckRanges& ranges) {
    std::vector<ConverterValue> values;
    for (const ConverterRow& row : kRows) {
        ConverterValue v;
        v.label = row.label;
        v.label.erase(v.label.find_last_not_of(' ') + 1);
        v.reading = record.AnalogValue(row.analogIndex);
        v.shown = ShownValue(row, v.reading);
        v.millivolts = row.millivolts;
        v.checked = row.range.has_value();
        v.inRange = ColourOf(row, v.shown, ranges) != InfoColour::Red;
        values.push_back(std::move(v));
    }
    return values;
}

std::vector<ColouredLine> ListConverterValues(const clsInstrument& record) {
    return ListConverterValues(record, Program().AdCheck);
}

std::vector<ColouredLine> CheckPidLists(const clsInstrument& record) {
    std::vector<ColouredLine> lines{LampLine("10.6eV", record.PIDver())};
    if (record.RomNumber() >= kMinimumRomFor10eV)
        lines.push_back(LampLine("10.0eV", record.PID10ver()));
    else
        lines.push_back({LoadMessage(20018), InfoColour::Red});
    return lines;
}

}  // namespace tz
