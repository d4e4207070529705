#include "instrument/SettingsFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "instrument/WritePayloads.h"
#include "instrument/modGasCommon.h"
#include "text/Errors.h"
#include "text/NumberFormat.h"
#include "text/clsToken.h"
#include "text/TextLines.h"
#include "text/WholeFile.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;
constexpr std::string_view kNoValueMark = "*****";

// A field of the line being loaded could not be used; the loader names the line.
struct BadField {
    std::string reason;
};

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The fields of one split line. Only the tokens of this split are read: a field the line does
// not have is empty text, never a leftover of an earlier line.
class LineFields {
public:
    explicit LineFields(const clsToken& tokens) : tokens_(tokens) {}

    std::string Text(int i) const {
        return i < tokens_.TokenCount() ? tokens_.Tokens(static_cast<Integer>(i)) : std::string();
    }

    // int(t): a decimal number, rounded to the nearest whole number (halves to even).
    Integer Int(int i) const {
        const std::string text = Text(i);
        if (!IsNumericText(text)) throw NotANumber(i);
        const double value = std::nearbyint(static_cast<double>(TextToSingle(text)));
        if (value < -32768 || value > 32767)
            throw BadField{"field " + std::to_string(i + 1) + " is out of range"};
        return static_cast<Integer>(value);
    }

    // hex(t): hexadecimal digits; four digits or fewer are the 16-bit pattern ("FFFF" is -1).
    Integer Hex(int i) const {
        const std::string text = Trim(Text(i));
        const auto bad = [&](const char* what) {
            return BadField{"field " + std::to_string(i + 1) + " " + what};
        };
        if (text.empty() || text.size() > 8 || !std::all_of(text.begin(), text.end(), IsHexDigit))
            throw bad("is not a hexadecimal number");
        std::uint32_t value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value, 16);
        if (text.size() <= 4) return static_cast<Integer>(static_cast<std::uint16_t>(value));
        if (value > 32767) throw bad("is out of range");
        return static_cast<Integer>(value);
    }

    // sng(t): a number as a single-precision value.
    Single Sng(int i) const {
        const std::string text = Text(i);
        if (!IsNumericText(text)) throw NotANumber(i);
        return TextToSingle(text);
    }

    // A gas value field: a number, or the no-value mark "*****" that the file writes for a value
    // the record does not hold. Any other text is a fault, never a silent "no value".
    Single SngOrNone(int i) const {
        if (Trim(Text(i)) == kNoValueMark) return NoValue;
        return Sng(i);
    }

    // flag(t): a number, 1 when it starts with "1".
    Integer Flag(int i) const {
        const std::string text = Trim(Text(i));
        if (!IsNumericText(text)) throw NotANumber(i);
        return text[0] == '1' ? 1 : 0;
    }

    // A range marker: "L" (second range) or "H".
    bool IsLo(int i) const {
        const std::string text = Text(i);
        if (text != "L" && text != "H") throw BadField{"field " + std::to_string(i + 1) + " is not H or L"};
        return text == "L";
    }

    static BadField NotANumber(int i) { return BadField{"field " + std::to_string(i + 1) + " is not a number"}; }

private:
    const clsToken& tokens_;
};

using Apply = void (*)(clsInstrument& record, const LineFields& fields);

struct LoadRow {
    std::string_view code;
    Apply apply;
};

template <void (clsInstrument::*SetValue)(Integer, Single),
          void (clsInstrument::*SetIsLo)(Integer, bool)>
void ApplyAlarmPoint(clsInstrument& r, const LineFields& f) {
    // Every field is read before anything is stored, so a malformed line leaves the levels alone.
    std::array<Single, kChannels> values{};
    for (int gas = 0; gas < kChannels; ++gas) values[static_cast<std::size_t>(gas)] = f.SngOrNone(gas + 2);
    const bool lo4 = f.IsLo(8), lo5 = f.IsLo(9);
    for (int gas = 0; gas < kChannels; ++gas)
        (r.*SetValue)(static_cast<Integer>(gas), values[static_cast<std::size_t>(gas)]);
    (r.*SetIsLo)(4, lo4);
    (r.*SetIsLo)(5, lo5);
}

// All eight fields are read first: a line cut short or with a bad column changes nothing.
void ApplyGasInfo(clsInstrument& r, const LineFields& f) {
    std::vector<std::string> fields;
    for (int i = 2; i < 10; ++i) fields.push_back(f.Text(i));
    ParseGasInfoFields(fields, r);
}

// Channels with a port number keep it; every channel marked "F" receives the lowest free number.
void ApplyPorts(clsInstrument& r, const LineFields& f) {
    std::array<bool, kChannels> used{};
    for (int gas = 0; gas < kChannels; ++gas) {
        Integer port = -1;
        if (Trim(f.Text(gas + 2)) != "F") {
            port = f.Int(gas + 2);
            if (port < 0 || port >= kChannels)
                throw BadField{"port number " + std::to_string(port) + " is outside 0 to 5"};
            used[static_cast<std::size_t>(port)] = true;
        }
        r.PortCh(static_cast<Integer>(gas), port);
    }
    for (Integer gas = 0; gas < kChannels; ++gas) {
        if (r.PortCh(gas) != -1) continue;
        const auto freePort = std::find(used.begin(), used.end(), false);
        if (freePort == used.end()) break;
        *freePort = true;
        r.PortCh(gas, static_cast<Integer>(freePort - used.begin()));
    }
}

// What each code does to the record. "PO", "XI", "EB", "US", "FF", "X7" and the first field of
// "XB" are read as decimal numbers, as they are written.
constexpr LoadRow kLoadRows[] = {
    {"A1", ApplyAlarmPoint<&clsInstrument::Warning, &clsInstrument::WarnIsLo>},
    {"A2", ApplyAlarmPoint<&clsInstrument::Alarm, &clsInstrument::AlarmIsLo>},
    {"AS", ApplyAlarmPoint<&clsInstrument::Stel, &clsInstrument::StelIsLo>},
    {"AW", ApplyAlarmPoint<&clsInstrument::Twa, &clsInstrument::TwaIsLo>},
    {"SA", ApplyAlarmPoint<&clsInstrument::AutoCalib, &clsInstrument::AutoCalIsLo>},
    {"AP", [](clsInstrument& r, const LineFields& f) { r.AlarmMode(f.Int(2)); }},
    {"SC", [](clsInstrument& r, const LineFields& f) { r.CalLimit(f.Hex(2)); }},
    {"XP", [](clsInstrument& r, const LineFields& f) { r.Intervals(f.Hex(2)); }},
    {"SD", [](clsInstrument& r, const LineFields& f) { r.DispCalLimit(f.Int(2)); }},
    {"SM", [](clsInstrument& r, const LineFields& f) { r.CalCheck(f.Int(2)); }},
    {"XW", [](clsInstrument& r, const LineFields& f) { r.LogOverWrite(f.Int(2)); }},
    {"XT", [](clsInstrument& r, const LineFields& f) { r.LcdBackLight(f.Hex(2)); }},
    {"AT", [](clsInstrument& r, const LineFields& f) { r.AlarmO2(f.Int(2)); }},
    {"GJ", ApplyGasInfo},
    {"SJ", [](clsInstrument& r, const LineFields& f) { r.AutoZero(f.Flag(2)); }},
    {"SG", [](clsInstrument& r, const LineFields& f) { r.DemandZero(f.Flag(2)); }},
    {"MP",
     [](clsInstrument& r, const LineFields& f) {
         r.UseMaintePassword(f.Flag(2));
         r.MaintePassword(f.Text(3));
     }},
    {"PG", [](clsInstrument& r, const LineFields& f) { r.PasswordProtect(f.Flag(2)); }},
    {"UJ", [](clsInstrument& r, const LineFields& f) { r.SpecType(f.Text(2)); }},
    {"BJ", [](clsInstrument& r, const LineFields& f) { r.DispBumpLimit(f.Flag(2)); }},
    {"BK", [](clsInstrument& r, const LineFields& f) { r.BumpLimit(f.Hex(2)); }},
    {"BL", [](clsInstrument& r, const LineFields& f) { r.BumpCheck(f.Int(2)); }},
    {"BU",
     [](clsInstrument& r, const LineFields& f) {
         r.BumpTime(f.Hex(2));
         r.BumpThreshold(f.Hex(3));
         r.BumpFailCalTime(f.Hex(4));
         r.BumpFailAfter(f.Int(5));
     }},
    {"BV", [](clsInstrument& r, const LineFields& f) { r.BumpFunction(f.Int(2)); }},
    {"XB",
     [](clsInstrument& r, const LineFields& f) {
         r.Confirmation(f.Int(2));
         r.ConfirmationTime(f.Hex(3));
     }},
    {"PS",
     [](clsInstrument& r, const LineFields& f) {
         for (int gas = 0; gas < kChannels; ++gas) r.SensorDate(static_cast<Integer>(gas), f.Text(gas + 2));
     }},
    {"BS", [](clsInstrument& r, const LineFields& f) { r.SpecNo(Trim(f.Text(2))); }},
    {"AF", [](clsInstrument& r, const LineFields& f) { r.AlarmOnOff(f.Int(2)); }},
    {"XL", [](clsInstrument& r, const LineFields& f) { r.LunchBreak(f.Int(2)); }},
    {"PO", [](clsInstrument& r, const LineFields& f) { r.PumpOnOffDisp(f.Int(2)); }},
    {"XI", [](clsInstrument& r, const LineFields& f) { r.DispID(f.Int(2)); }},
    {"XA", [](clsInstrument& r, const LineFields& f) { r.AlarmSilence(f.Int(2)); }},
    {"EB", [](clsInstrument& r, const LineFields& f) { r.PeakBar(f.Int(2)); }},
    {"BW", [](clsInstrument& r, const LineFields& f) { r.BumpCheckALL(f.Int(2)); }},
    {"SW", [](clsInstrument& r, const LineFields& f) { r.CalCheckALL(f.Int(2)); }},
    {"CP", [](clsInstrument&, const LineFields&) {}},
    {"WB",
     [](clsInstrument& r, const LineFields& f) {
         r.InertMode(f.Int(2));
         r.LcBhMode(f.Int(3));
         r.BhTime(f.Hex(4));
         r.LcBuzzer(f.Int(5));
     }},
    {"UL", [](clsInstrument& r, const LineFields& f) { r.LcdContrast(f.Hex(2)); }},
    {"UZ",
     [](clsInstrument& r, const LineFields& f) {
         const std::string zero = f.Text(2);
         // One digit per channel from channel 0; channels beyond the digits given are 0.
         if (zero.empty() || zero.size() > kChannels || zero.find_first_not_of("01") != std::string::npos)
             throw BadField{"field 3 is not one digit 0 or 1 per channel"};
         for (std::size_t gas = 0; gas < kChannels; ++gas)
             r.Zero(static_cast<Integer>(gas), gas < zero.size() && zero[gas] == '1' ? 1 : 0);
     }},
    {"US",
     [](clsInstrument& r, const LineFields& f) {
         for (int gas = 0; gas < kChannels; ++gas) r.ZeroForce(static_cast<Integer>(gas), f.Int(gas + 2));
     }},
    {"FF",
     [](clsInstrument& r, const LineFields& f) {
         r.IRRange(f.Int(2));
         r.Change_IRRange(false);
     }},
    {"A3", [](clsInstrument& r, const LineFields& f) { r.Inert1st(f.SngOrNone(2)); }},
    {"A4", [](clsInstrument& r, const LineFields& f) { r.Inert2nd(f.SngOrNone(2)); }},
    {"MO",
     [](clsInstrument& r, const LineFields& f) {
         r.UseUserPassword(f.Flag(2));
         r.UserPassword2(f.Text(3));
     }},
    {"KL", [](clsInstrument& r, const LineFields& f) { r.Inverse(f.Int(2)); }},
    {"XD", [](clsInstrument& r, const LineFields& f) { r.RemainTimeDisp(f.Int(2)); }},
    {"JZ", [](clsInstrument& r, const LineFields& f) { r.KeySound(f.Int(2)); }},
    {"AN",
     [](clsInstrument& r, const LineFields& f) {
         r.Panic(f.Int(2));
         r.ManDown(f.Int(3));
         r.ManDown1(f.Hex(4));
         r.ManDown2(f.Hex(5));
         r.ManDown3(f.Hex(6));
     }},
    {"U9", [](clsInstrument& r, const LineFields& f) { r.CSAdata(f.Int(2)); }},
    {"X7", [](clsInstrument& r, const LineFields& f) { r.dlogOnOff(f.Int(2)); }},
    {"UW", [](clsInstrument& r, const LineFields& f) { r.DateDispType(f.Int(2)); }},
    {"HF", [](clsInstrument&, const LineFields&) {}},
    {"UG", ApplyPorts},
    {"EJ", [](clsInstrument& r, const LineFields& f) { r.LangType(f.Int(2)); }},
    {"UO", [](clsInstrument& r, const LineFields& f) { r.LeakCOdisp(f.Int(2)); }},
};

const LoadRow* FindLoadRow(std::string_view code) {
    const auto it = std::find_if(std::begin(kLoadRows), std::end(kLoadRows),
                                 [&](const LoadRow& row) { return row.code == code; });
    return it == std::end(kLoadRows) ? nullptr : it;
}

// Text lines hold printable characters and tabs; anything else means the file is not a settings
// file.
bool IsTextLine(std::string_view line) {
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 32 && c != '\t';  // DEL is text: a record's texts may hold it
    });
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

SettingsFileError MalformedLine(int lineNumber, const std::string& line, const std::string& why) {
    return SettingsFileError("settings file line " + std::to_string(lineNumber) + " (" + why +
                                 "): " + line,
                             lineNumber, line);
}

// The code of the line when it is one the loader knows and has applied, else empty.
std::string ApplyLine(clsInstrument& record, clsToken& tokens, const std::string& line, int lineNumber,
                      const UnknownCodeHandler& onUnknownCode) {
    if (IsBlank(line)) return {};
    if (!IsTextLine(line)) throw MalformedLine(lineNumber, line, "not text");
    try {
        tokens.Source(line);
    } catch (const TokenLimitError&) {
        throw MalformedLine(lineNumber, line, "too many fields");
    }
    if (tokens.TokenCount() == 0) return {};  // a comment line
    const LineFields fields(tokens);
    const std::string code = Upper(fields.Text(0));
    const LoadRow* row = FindLoadRow(code);
    if (row == nullptr) {
        if (onUnknownCode) onUnknownCode(code);
        return {};
    }
    try {
        row->apply(record, fields);
    } catch (const BadField& bad) {
        throw MalformedLine(lineNumber, line, bad.reason);
    } catch (const ConversionError&) {
        throw MalformedLine(lineNumber, line, "a number field is not a number");
    } catch (const OverflowError&) {
        throw MalformedLine(lineNumber, line, "a number is out of range");
    }
    return code;
}

// An enabled channel whose port number is none of 0 to 5 (a record read before its port was
// known) is written with the number loading the file would give it, the lowest free one, so
// that the file loads and saves as it is; "F" when none is free.
std::string PortPayloadOfFile(const clsInstrument& record) {
    const auto hasPort = [&](Integer gas) {
        return record.GasEnabled(gas) && record.PortCh(gas) >= 0 && record.PortCh(gas) < kChannels;
    };
    std::array<bool, kChannels> used{};
    for (Integer gas = 0; gas < kChannels; ++gas)
        if (hasPort(gas)) used[static_cast<std::size_t>(record.PortCh(gas))] = true;
    std::string out;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        if (gas > 0) out += ',';
        if (hasPort(gas)) {
            out += EncodeDec(record.PortCh(gas));
            continue;
        }
        const auto freePort = std::find(used.begin(), used.end(), false);
        if (freePort != used.end()) *freePort = true;
        out += record.GasEnabled(gas) && freePort != used.end()
                   ? EncodeDec(static_cast<Integer>(freePort - used.begin()))
                   : std::string("F");
    }
    return out;
}

// The record as loading its own file would leave it, so that the file loads back as it reads:
// - loading the "GJ" line clears the levels of a channel it names not fitted, so a level the
//   record holds for such a channel is written as no value;
// - a second range without a full scale loads as absent whatever its other columns hold, so it
//   is written as absent (its decimals also give the format of that channel's low levels).
clsInstrument AsLoadable(const clsInstrument& record) {
    clsInstrument out = record;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        if (record.GasEnabled(gas)) continue;
        out.Warning(gas, NoValue);
        out.Alarm(gas, NoValue);
        out.Stel(gas, NoValue);
        out.Twa(gas, NoValue);
        out.AutoCalib(gas, NoValue);
    }
    for (Integer gas : {Integer{4}, Integer{5}}) {
        if (record.GasFullScale_l(gas) >= 0) continue;
        out.GasFullScale_l(gas, NoValue);
        out.GasDigit_l(gas, NoValue);
        out.GasPoint_l(gas, NoValue);
        out.GasUnit_l(gas, "");
    }
    return out;
}

// One line's payload from a record already made loadable.
std::string FilePayload(std::string_view code, const clsInstrument& loadable) {
    if (code == "U9") return EncodeDec(loadable.CSAdata());
    if (code == "UG") return PortPayloadOfFile(loadable);
    return WritePayload(code, loadable);
}

std::string FileLine(std::string_view code, const clsInstrument& loadable) {
    return WriteBody(code, FilePayload(code, loadable)) + ",";
}

}  // namespace

std::string SettingsFileLine(std::string_view code, const clsInstrument& record) {
    if (std::find(SettingsFileCodes.begin(), SettingsFileCodes.end(), code) ==
        SettingsFileCodes.end())
        throw std::invalid_argument("\"" + std::string(code) + "\" is not a settings file line");
    return FileLine(code, AsLoadable(record));
}

std::string SettingsFileText(const clsInstrument& record) {
    const clsInstrument loadable = AsLoadable(record);
    std::string text;
    for (std::string_view code : SettingsFileCodes) text += FileLine(code, loadable) + "\r\n";
    return text;
}

void SaveSettingsFile(const clsInstrument& record, const std::filesystem::path& fileName) {
    std::string error;
    if (!WriteFileWhole(fileName, SettingsFileText(record), &error))
        throw SettingsFileError("cannot save settings file " + error, 0, {});
}

std::string UnknownCodeMessage(const std::string& code) { return "unknown " + code; }

std::vector<std::string> LoadSettingsText(clsInstrument& record, std::string_view text,
                                          const UnknownCodeHandler& onUnknownCode) {
    std::vector<std::string> codes;
    clsToken tokens;
    tokens.AddDelimiters(",");
    tokens.AddComments(";");
    const std::vector<std::string> lines = TextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string code = ApplyLine(record, tokens, lines[i], static_cast<int>(i + 1), onUnknownCode);
        if (!code.empty() && std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    }
    return codes;
}

std::vector<std::string> LoadSettingsFile(clsInstrument& record, const std::filesystem::path& fileName,
                                          const UnknownCodeHandler& onUnknownCode) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw SettingsFileError("cannot open settings file " + fileName.string(), 0, {});
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw SettingsFileError("cannot read settings file " + fileName.string(), 0, {});
    return LoadSettingsText(record, content.str(), onUnknownCode);
}

}  // namespace tz
