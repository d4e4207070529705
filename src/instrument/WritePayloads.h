#pragma once
// Write-command payloads: the text each write command carries after "<code>,W,", built from an
// instrument record. The writer (SetInstrument) and the settings file both build their lines
// here, so the instrument and the file always see the same encodings.
//
// The writer's gates and the flags it clears are not part of this module; a payload is built from
// the record's present values whatever its change flags say.
#include <span>
#include <string>
#include <string_view>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// ---- Field encodings ----

// dec: the value in decimal without padding, with a minus sign when negative.
std::string EncodeDec(Long value);
// hexN: the 16-bit value in upper-case hexadecimal, zero-padded and cut to its rightmost
// `digits` characters (hex2 of 300 is "2C", hex4 of 10 is "000A", hex4 of -1 is "FFFF").
std::string EncodeHex(Integer value, std::size_t digits);
// bit: "1" when the value is not 0, otherwise "0".
std::string EncodeBit(Long value);
// fix: the text padded with spaces on the right and cut to `width` characters.
std::string EncodeFix(const std::string& text, std::size_t width);
// num: the five-character number field with `decimals` decimals, "*****" when negative.
std::string EncodeNum(Single value, Integer decimals);

// "<code>,W,<payload>": a write command's body.
std::string WriteBody(std::string_view code, std::string_view payload);

// ---- Gas information ("GJ") ----

// One 25-character gas information field: the name followed by ten spaces and cut to 11
// characters, the full scale and the step as number fields with `decimals` decimals, the unit
// padded or cut to 4 characters.
std::string GasInfoField(const std::string& name, Single fullScale, Single step, Integer decimals,
                         const std::string& unit);
// Eight fields joined with ",": the main range of channels 0 to 5, then the second range of
// channels 4 and 5; a channel that is not enabled gives 25 asterisks for both.
std::string GasInfoPayload(const clsInstrument& record);

// ---- Alarm points ("A1", "A2", "AS", "AW", "SA") ----

enum class AlarmPoint { Warning, Alarm, Stel, Twa, AutoCal };
inline constexpr AlarmPoint AlarmPoints[] = {AlarmPoint::Warning, AlarmPoint::Alarm,
                                             AlarmPoint::Stel, AlarmPoint::Twa,
                                             AlarmPoint::AutoCal};

// "A1", "A2", "AS", "AW" or "SA".
std::string_view AlarmPointCode(AlarmPoint point);
// Six number fields (channels 4 and 5 with their second-range decimals when their low mark is
// set), then "H" or "L" for the low marks of channels 4 and 5.
std::string AlarmPointPayload(const clsInstrument& record, AlarmPoint point);

// ---- Payloads that take more than the record ----

// "XS" / "XZ" for a list entry: hex4(index) "," fix(entry, 16). Entries outside 0 to 127 read
// as empty text.
std::string StationListPayload(const clsInstrument& record, Integer index);
std::string UserListPayload(const clsInstrument& record, Integer index);

// ---- The table of write commands whose payload comes from the record alone ----

using PayloadBuilder = std::string (*)(const clsInstrument& record);

struct WriteCommand {
    std::string_view code;
    PayloadBuilder payload;
};

// In the order the writer sends them: "IN", "HN", "XS" and "XZ" (the current station and user
// IDs, payload "****," and the 16-character ID), "UG", "GJ", "AT", "A1", "A2", "AS", "AW", "SA",
// "AP" ... "UO". The list entries of "XS" and "XZ" are not in the table (they need an index).
std::span<const WriteCommand> WriteCommands();

// The table row of a code (the ID form for "XS" and "XZ"); nullptr for a code not in the table.
const WriteCommand* FindWriteCommand(std::string_view code);

// The payload of the command `code`; throws std::invalid_argument for a code not in the table.
std::string WritePayload(std::string_view code, const clsInstrument& record);

}  // namespace tz
