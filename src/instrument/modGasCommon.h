#pragma once
// modGasCommon: gas values as text and back, so that a value looks the same in the grids, the
// report, the settings file and on the wire. Status words that the instrument sends instead of a
// reading are stored as negative codes in the Single that would hold the value.
//
// RoundToStep belongs with these functions; it lives in text/NumberFormat.h and is available
// through this header.
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"
#include "text/NumberFormat.h"
#include "text/Types.h"

namespace tz {

// The gas information field: 10 name, 1 space, 5 full scale, 5 resolution, 4 unit.
inline constexpr std::size_t GasInfoFieldLength = 25;
// 25 asterisks: a channel that is not fitted.
inline const std::string NotFittedGasInfo(GasInfoFieldLength, '*');

// Display text of a value or status code. Status codes (and the raw values 65535, 65280, 56797)
// give their word; other values are shown with 1, 2 or 3 decimals, or none for any other count.
// With convert, the value is first multiplied by the "CONV PARAM" factor.
std::string GasValueText(Single value, Integer decimals, bool convert);

// The protocol's five-character number field: right-aligned, "*****" for negative values; a
// number longer than five characters loses its leftmost characters.
std::string NumberField5(Single value, Integer decimals);
// The same field where nothing may be lost (the settings report): a number longer than five
// characters is written in full.
std::string NumberFieldUncut(Single value, Integer decimals);

// "#0", "#0.0", ... "#0.000000000" for 0 to 9 decimals; empty text otherwise.
std::string DecimalFormat(Integer decimals);

// Characters after the first point ("0.05" → 2, "10" → 0, "5." → 0).
Integer DecimalsOf(const std::string& text);

// "NAME(500ppm)" with the full scale, "NAME(ppm)" without it (always for gas 4),
// "----(---)" for a channel without a name.
std::string GasLabelOf(const clsInstrument& record, Integer gas, bool withFullScale);
// The same from loose values; a full scale of exactly -1 leaves it out.
std::string GasLabel(const std::string& name, const std::string& unit, Single fullScale,
                     Integer decimals);

// A number, or the status code of a status word ("OVER", "WARN", "ALRM", "STEL", "TWA",
// "NORMAL"); -101 for anything else.
Single ParseGasValue(const std::string& text);

// Sets the main range of gas channel `gas` from a gas information field (through the record's
// accessors, so their change flags are set). 25 asterisks or a field starting with "---" mark the
// channel not fitted. Throws ConversionError when a number column is not a number or could not be
// written back as read (see ParseGasInfoFields); the record is then left unchanged.
void ParseGasInfo(const std::string& field, clsInstrument& record, Integer gas);

// Sets the second range of gas channel `gas`; 25 asterisks or "*****" as full scale mark it
// absent. Throws ConversionError as ParseGasInfo does.
void ParseSecondRangeInfo(const std::string& field, clsInstrument& record, Integer gas);

// The fields of a gas information line: the main ranges of channels 0 to 5 from the first six,
// the second ranges of channels 4 and 5 from fields 7 and 8 when there are eight. A number column
// that is not a number, or that the five-character field could not write back as read (a
// negative value, or one too wide for the range's decimals), throws ConversionError before
// anything is stored, so a refused line leaves the record as it was.
void ParseGasInfoFields(const std::vector<std::string>& fields, clsInstrument& record);

}  // namespace tz
