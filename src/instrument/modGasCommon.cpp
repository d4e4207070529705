#include "instrument/modGasCommon.h"

#include <cctype>

#include "instrument/InstrumentSettings.h"
#include "text/Errors.h"

namespace tz {
namespace {

struct StatusWord {
    Single code;
    const char* text;
};

// Words the instrument sends instead of a reading, by the code the record stores for them. The
// three large values are raw readings that mean the same as their neighbouring code.
constexpr StatusWord kStatusWords[] = {
    {-101, "-----"},      {65535, "-----"},      {-102, "NORMAL"},     {-103, "WARNING"},
    {-104, "ALARM"},      {-105, "STEL"},        {-106, "TWA"},        {-107, "OVER"},
    {-118, "?????"},      {65280, "?????"},      {-121, "*****"},      {56797, "*****"},
    {-130, "Fail(Air)"},  {-131, "Fail(Span)"},  {-132, "Fail(Sen.)"}, {-133, "Fail(Com.)"},
    {-134, "Fail(Ram)"},  {-135, "Fail(Rom)"},   {-136, "Fail(Ext.)"}, {-150, "Fail(ALK.)"},
    {-151, "Fail(NIMH)"}, {-152, "Fail(FLOW)"},  {-153, "Fail(RAM)"},  {-154, "Fail(ROM)"},
    {-155, "Fail(FRAM)"}, {-156, "Fail(FLA.)"},  {-157, "Fail(CLO.)"}, {-170, "CAL ON"},
    {-171, "CAL OFF"},    {-172, "CLEAR"},       {-173, "LEL"},        {-174, "ppm"},
    {-175, "vol"},        {-176, "ELE ON"},      {-177, "ELE OFF"},    {-178, "CAT ON"},
    {-179, "CAT OFF"},    {-180, "AIR"},
};

struct StatusPrefix {
    const char* prefix;
    Single code;
};

// Status words in a reading text, recognised by their first three letters.
constexpr StatusPrefix kStatusPrefixes[] = {
    {"OVE", -107}, {"WAR", -103}, {"ALR", -104}, {"STE", -105}, {"TWA", -106}, {"NOR", -102},
};

const std::string kNoGasLabel = "----(---)";

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Columns `first` (1-based) to first + length - 1 of a field; shorter where the field ends.
std::string Columns(const std::string& field, std::size_t first, std::size_t length) {
    return first - 1 < field.size() ? field.substr(first - 1, length) : std::string();
}

// Displays use at most three decimals; any other count shows whole numbers.
int DisplayDecimals(Integer decimals) { return decimals >= 1 && decimals <= 3 ? decimals : 0; }

struct RangeColumns {
    Single fullScale;
    Single step;
    Integer decimals;
    std::string unit;
};

// A number column holds a value the five-character field writes back as the same value: not a
// negative one (written as "*****") nor one too wide for the decimals of the range (its leading
// digits would be cut), so that a range read in is written out as it was read.
bool WritesBack(Single value, Integer decimals) {
    const std::string written = NumberField5(value, decimals);
    return IsNumericText(written) && TextToSingle(written) == value;
}

// The number and unit columns of a gas information field; ConversionError for a number column
// that is not a number or that could not be written back.
RangeColumns ReadRangeColumns(const std::string& field) {
    const std::string stepText = Columns(field, 17, 5);
    const RangeColumns range{TextToSingle(Columns(field, 12, 5)), TextToSingle(stepText),
                             DecimalsOf(stepText), Trim(Columns(field, 22, 4))};
    if (!WritesBack(range.fullScale, range.decimals) || !WritesBack(range.step, range.decimals) ||
        DecimalsOf(NumberField5(range.step, range.decimals)) != range.decimals)
        throw ConversionError("gas range cannot be written back: \"" + field + "\"");
    return range;
}

bool SecondRangeAbsent(const std::string& field) {
    return field == NotFittedGasInfo || Columns(field, 12, 5) == "*****";
}

bool MainRangeNotFitted(const std::string& field) {
    return field == NotFittedGasInfo || field.rfind("---", 0) == 0;
}

}  // namespace

std::string GasValueText(Single value, Integer decimals, bool convert) {
    for (const StatusWord& word : kStatusWords)
        if (value == word.code) return word.text;
    const Single shown = convert ? value * SharedInstrumentSettings().ConvParam : value;
    return FormatFixed(shown, DisplayDecimals(decimals));
}

std::string NumberFieldUncut(Single value, Integer decimals) {
    if (value < 0) return "*****";
    const std::string text = FormatFixed(value, DisplayDecimals(decimals));
    return text.size() >= 5 ? text : std::string(5 - text.size(), ' ') + text;
}

std::string NumberField5(Single value, Integer decimals) {
    const std::string field = NumberFieldUncut(value, decimals);
    return field.substr(field.size() - 5);
}

std::string DecimalFormat(Integer decimals) {
    if (decimals < 0 || decimals > 9) return {};
    return decimals == 0 ? "#0" : "#0." + std::string(static_cast<std::size_t>(decimals), '0');
}

Integer DecimalsOf(const std::string& text) {
    const auto point = text.find('.');
    if (point == std::string::npos) return 0;
    return static_cast<Integer>(text.size() - point - 1);
}

std::string GasLabelOf(const clsInstrument& record, Integer gas, bool withFullScale) {
    const std::string name = record.GasName(gas);
    if (Trim(name).empty()) return kNoGasLabel;
    // Channel 4 never shows its full scale.
    if (withFullScale && gas != 4) {
        return name + "(" +
               FormatNumber(record.GasFullScale(gas), DecimalFormat(record.GasPoint(gas))) +
               record.GasUnit(gas) + ")";
    }
    return name + "(" + record.GasUnit(gas) + ")";
}

std::string GasLabel(const std::string& name, const std::string& unit, Single fullScale,
                     Integer decimals) {
    if (Trim(name).empty()) return kNoGasLabel;
    if (fullScale != -1)
        return name + "(" + FormatNumber(fullScale, DecimalFormat(decimals)) + unit + ")";
    return name + "(" + unit + ")";
}

Single ParseGasValue(const std::string& text) {
    if (IsNumericText(text)) return TextToSingle(text);
    std::string prefix = Trim(text).substr(0, 3);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const StatusPrefix& word : kStatusPrefixes)
        if (prefix == word.prefix) return word.code;
    return NoValue;
}

void ParseGasInfo(const std::string& field, clsInstrument& record, Integer gas) {
    if (MainRangeNotFitted(field)) {
        record.GasName(gas, "");
        record.GasEnabled(gas, false);
        record.GasFullScale(gas, NoValue);
        record.GasDesit(gas, 0);
        record.GasPoint(gas, NoValue);
        record.GasUnit(gas, "");
        record.Warning(gas, NoValue);
        record.Alarm(gas, NoValue);
        record.Stel(gas, NoValue);
        record.Twa(gas, NoValue);
        record.AutoCalib(gas, NoValue);
        return;
    }
    // Every column is read before anything is stored, so a bad field leaves the record alone.
    const RangeColumns range = ReadRangeColumns(field);
    record.GasName(gas, Trim(Columns(field, 1, 10)));
    record.GasEnabled(gas, true);
    record.GasFullScale(gas, range.fullScale);
    record.GasDesit(gas, range.step);
    record.GasPoint(gas, range.decimals);
    record.GasUnit(gas, range.unit);
}

void ParseSecondRangeInfo(const std::string& field, clsInstrument& record, Integer gas) {
    if (SecondRangeAbsent(field)) {
        record.GasFullScale_l(gas, NoValue);
        record.GasDigit_l(gas, NoValue);
        record.GasPoint_l(gas, NoValue);
        record.GasUnit_l(gas, "");
        return;
    }
    const RangeColumns range = ReadRangeColumns(field);
    record.GasFullScale_l(gas, range.fullScale);
    record.GasDigit_l(gas, range.step);
    record.GasPoint_l(gas, range.decimals);
    record.GasUnit_l(gas, range.unit);
}

void ParseGasInfoFields(const std::vector<std::string>& fields, clsInstrument& record) {
    for (std::size_t i = 0; i < fields.size() && i < 8; ++i) {
        const bool second = i >= 6;
        if (second ? !SecondRangeAbsent(fields[i]) : !MainRangeNotFitted(fields[i]))
            ReadRangeColumns(fields[i]);
    }
    for (std::size_t i = 0; i < fields.size() && i < 6; ++i)
        ParseGasInfo(fields[i], record, static_cast<Integer>(i));
    if (fields.size() >= 8) {
        ParseSecondRangeInfo(fields[6], record, 4);
        ParseSecondRangeInfo(fields[7], record, 5);
    }
}

}  // namespace tz
