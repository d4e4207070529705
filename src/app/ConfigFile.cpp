#include "app/ConfigFile.h"

#include <array>
#include <fstream>
#include <sstream>
#include <functional>
#include <limits>
#include <system_error>
#include <utility>

#include "app/ConfigValues.h"
#include "app/PresentDate.h"
#include "app/StartupDefaults.h"
#include "text/DateTime.h"
#include "text/clsToken.h"
#include "text/WholeFile.h"

namespace tz {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------
// Scrambling of the password line

std::string EncodeText(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t v = static_cast<unsigned char>(text[i]) + i;
        out += static_cast<char>(static_cast<unsigned char>(70 + v % 16));
        out += static_cast<char>(static_cast<unsigned char>(70 + v / 16));
    }
    return out;
}

std::string DecodeText(const std::string& text) {
    std::string out;
    out.reserve(text.size() / 2);
    for (std::size_t k = 0; k + 1 < text.size(); k += 2) {
        const long a = static_cast<unsigned char>(text[k]);
        const long b = static_cast<unsigned char>(text[k + 1]);
        const long low = ((a - 70) % 16 + 16) % 16;  // always 0 to 15, also for hand-edited text
        const long code = 16 * (b - 70) + low - static_cast<long>(k / 2);
        out += static_cast<char>(static_cast<unsigned char>(code & 0xFF));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Folders

namespace {

bool CanCreateFileIn(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path probe = folder / (".tz7300-write-test-" + std::to_string(attempt));
        if (fs::exists(probe, ec)) continue;
        bool created = false;
        {
            std::ofstream out(probe, std::ios::binary);
            created = out.is_open();
        }
        if (created) fs::remove(probe, ec);
        return created;
    }
    return false;
}

}  // namespace

fs::path ChooseWritableFolder(const std::vector<fs::path>& candidates) {
    for (const fs::path& folder : candidates)
        if (!folder.empty() && CanCreateFileIn(folder)) return folder;
    return candidates.empty() ? fs::path{} : candidates.back();
}

fs::path ConfigurationFilePath(const fs::path& folder) { return folder / ConfigFileName; }

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

using Values = ConfigValues;

void ReadGasInst(ProgramState& s, const Values& v) {
    if (!v.IsNumber(0)) return;  // not a channel line
    const Integer n = *v.Int16(0, 0);
    if (n < 1 || n > 6) throw StopReading{};
    const Integer c = static_cast<Integer>(n - 1);
    clsInstrument& rec = s.DefaultRecord;
    if (auto t = v.Text(1)) rec.GasName(c, *t);
    if (auto f = v.Flag(2, "TRUE")) rec.GasEnabled(c, *f);
    if (auto f = v.Flag(3, "TRUE")) s.GasLocked[static_cast<std::size_t>(c)] = *f;
    if (auto x = v.Int16(4, 0)) rec.GasPoint(c, *x);
    if (auto t = v.Text(5)) rec.GasUnit(c, *t);
    if (auto x = v.Level(6)) rec.Warning(c, *x);
    if (auto x = v.Level(7)) rec.Alarm(c, *x);
    if (auto x = v.OffLevel(8)) rec.Stel(c, *x);
    if (auto x = v.OffLevel(9)) rec.Twa(c, *x);
    if (auto x = v.Level(10)) rec.GasDesit(c, *x);
    if (auto x = v.Level(11)) rec.GasFullScale(c, *x);
    if (auto x = v.Level(12)) rec.AutoCalib(c, *x);
    if (auto x = v.Level(13)) s.FactoryAutoCalib[static_cast<std::size_t>(c)] = *x;
    if (auto x = v.Int32(14, 0)) s.GraphColor[static_cast<std::size_t>(c)] = *x;
}

void ReadChgGas(ProgramState& s, const Values& v) {
    if (!v.IsNumber(0) || !v.IsNumber(1)) return;
    const Integer channel = *v.Int16(0, 0);
    const Integer entry = *v.Int16(1, 0);
    if (channel < 1 || channel > GasTableChannels || entry < 1 || entry > GasTableEntries)
        throw StopReading{};
    GasTableEntry& e = s.GasTable[static_cast<std::size_t>(channel - 1)][static_cast<std::size_t>(entry - 1)];
    if (auto t = v.Text(2)) e.GasName = *t;
    if (auto f = v.Flag(3, "TRUE")) e.Enabled = *f;
    if (auto f = v.Flag(4, "TRUE")) e.Locked = *f;
    if (auto x = v.Int16(5, 0)) e.GasPoint = *x;
    if (auto t = v.Text(6)) e.GasUnit = *t;
    if (auto x = v.Level(7)) e.Warning = *x;
    if (auto x = v.Level(8)) e.Alarm = *x;
    if (auto x = v.OffLevel(9)) e.Stel = *x;
    if (auto x = v.OffLevel(10)) e.Twa = *x;
    if (auto x = v.Level(11)) e.GasDesit = *x;
    if (auto x = v.Level(12)) e.GasFullScale = *x;
    if (auto x = v.Level(13)) e.AutoCalib = *x;
}

void ReadDefaultValue1(ProgramState& s, const Values& v) {
    clsInstrument& rec = s.DefaultRecord;
    if (auto x = v.Int16(0, 90)) rec.CalLimit(*x);
    if (auto x = v.Int16(1, 30)) rec.LcdBackLight(*x);
    if (auto x = v.Int16(2, 1)) rec.AlarmMode(*x);
    if (auto x = v.Int16(3, 5)) rec.Intervals(*x);
    if (auto x = v.Int16(4, 0)) rec.DispCalLimit(*x);
    if (auto x = v.Int16(5, 0)) rec.CalCheck(*x);
}

void ReadDefaultValue2(ProgramState& s, const Values& v) {
    clsInstrument& rec = s.DefaultRecord;
    if (auto x = v.Int16(0, 1)) rec.LogOverWrite(*x);
    if (auto x = v.Int16(1, 128)) rec.FlowValue(*x);
    if (auto x = v.Int16(2, 1)) rec.AlarmO2(*x);
    if (auto x = v.Int16(3, 0)) rec.AutoZero(*x);
    if (auto x = v.Int16(4, 1)) rec.DemandZero(*x);
    if (auto x = v.Int16(5, 0)) rec.UseUserPassword(*x);
}

void ReadFont(ProgramState& s, const Values& v) {
    FontDescription& f = s.ProgramFont;
    if (auto t = v.Text(0)) f.Name = *t;
    if (auto x = v.Number(1, 9.0f)) f.Size = *x;
    if (auto b = v.Flag(2, "TRUE")) {
        f.Bold = *b;
        f.Weight = *b ? 700 : 400;
    }
    if (auto b = v.Flag(3, "TRUE")) f.Italic = *b;
    if (auto b = v.Flag(4, "TRUE")) f.Underline = *b;
}

using Handler = std::function<void(ProgramState&, const Values&)>;

// Every key the file may hold (upper case) and what its values feed.
const std::vector<std::pair<std::string, Handler>>& KeyHandlers() {
    static const std::vector<std::pair<std::string, Handler>> handlers = [] {
        std::vector<std::pair<std::string, Handler>> h = {
            {"EXECUTE COUNT", [](ProgramState& s, const Values& v) { v.Set(0, s.ExecuteCount, Long{0}); }},
            {"SERIAL LOG FILE", [](ProgramState& s, const Values& v) { v.SetFlag(0, s.SerialLogFile, "ON"); }},
            {"FACTORY RECORD SUFFIX", [](ProgramState& s, const Values& v) { v.SetText(0, s.FactoryRecordSuffix); }},
            {"IRCOMM NUM", [](ProgramState& s, const Values& v) { v.Set(0, s.IrCommNum, Integer{4}); }},
            {"COMM SETTINGS", [](ProgramState& s, const Values& v) { v.SetText(0, s.CommSettings); }},
            {"COMM DEVICE", [](ProgramState& s, const Values& v) { v.SetText(0, s.CommDevice); }},
            {"TIMEOUT", [](ProgramState& s, const Values& v) { v.Set(0, s.Timeout, Integer{3}); }},
            {"DELAY", [](ProgramState& s, const Values& v) { v.Set(0, s.Delay, Integer{100}); }},
            {"RETRY", [](ProgramState& s, const Values& v) { v.Set(0, s.Retry, Integer{3}); }},
            {"AUTO LOAD MODE", [](ProgramState& s, const Values& v) {
                 v.SetFlag(0, s.AutoLoad, "TRUE");
                 v.SetFlag(1, s.AutoRemoveData, "TRUE");
             }},
            {"FONT", ReadFont},
            {"LIMITDAYS", [](ProgramState& s, const Values& v) { v.Set(0, s.LimitDays, Integer{0}); }},
            {"CALIB. RANGE", [](ProgramState& s, const Values& v) {
                 for (std::size_t i = 0; i < s.CalibRange.size(); ++i) v.Set(i, s.CalibRange[i], Single{0});
             }},
            {"DEFAULTVALUE1", ReadDefaultValue1},
            {"DEFAULTVALUE2", ReadDefaultValue2},
            {"GAS INST", ReadGasInst},
            {"CONV PARAM", [](ProgramState& s, const Values& v) { v.Set(0, s.ConvParam.Factor, Single{0.2f}); }},
            {"CHGGAS", ReadChgGas},
            {"SIZE VALUES", [](ProgramState& s, const Values& v) {
                 v.Set(0, s.WindowState, Integer{0});
                 v.Set(1, s.WindowWidth, Single{7680});
                 v.Set(2, s.WindowHeight, Single{5760});
             }},
            {"PRT WIDTH", [](ProgramState& s, const Values& v) {
                 v.Set(0, s.PrtWidth[0], Single{1});
                 v.Set(1, s.PrtWidth[1], Single{1});
             }},
            {"TZ-7300", [](ProgramState& s, const Values& v) {
                 if (auto t = v.Text(0)) s.ProgramPassword = DecodeText(DecodeText(*t));
             }},
            {"CALUNITONWAIT", [](ProgramState& s, const Values& v) { v.Set(0, s.CalUnitOnWait, Integer{120}); }},
            {"CALSPANONWAIT", [](ProgramState& s, const Values& v) { v.Set(0, s.CalSpanOnWait, Integer{120}); }},
            {"CALSPANOFFWAIT", [](ProgramState& s, const Values& v) { v.Set(0, s.CalSpanOffWait, Integer{30}); }},
            {"COMPLETELY VIEW", [](ProgramState& s, const Values& v) { v.SetFlag(0, s.CompletelyView, "TRUE"); }},
            {"TREND SEARCH", [](ProgramState& s, const Values& v) {
                 v.Set(0, s.TrendSearch[0], Integer{0});
                 v.Set(1, s.TrendSearch[1], Integer{0});
             }},
        };
        for (std::size_t row = 0; row < AdCheckKeys.size(); ++row) {
            h.emplace_back(UpperAscii(AdCheckKeys[row]), [row](ProgramState& s, const Values& v) {
                if (auto x = v.StrictInt16(0)) s.AdCheck[row].Low = *x;
                if (auto x = v.StrictInt16(1)) s.AdCheck[row].High = *x;
            });
        }
        return h;
    }();
    return handlers;
}

const Handler* FindHandler(const std::string& key) {
    const std::string upper = UpperAscii(key);
    for (const auto& [name, handler] : KeyHandlers())
        if (name == upper) return &handler;
    return nullptr;
}

// A prepared tokenizer: ";" starts a comment, tab separates, the apostrophe quotes.
void PrepareTokenizer(clsToken& tokens) {
    tokens.ClearDelimiters();
    tokens.ClearStrings();
    tokens.ClearComments();
    tokens.AddComments(";");
    tokens.AddDelimiters("\t");
    tokens.AddStrings("'");
}

// Handles one line; throws StopReading (or the tokenizer's error) when the reading must end.
void ReadLine(ProgramState& state, clsToken& tokens, const std::string& line) {
    tokens.Source(line);
    const int count = tokens.TokenCount();
    if (count < 2) return;
    const Handler* handler = FindHandler(tokens.Tokens(0));
    if (handler == nullptr) return;
    std::vector<std::string> values;
    for (int i = 1; i < count; ++i) values.push_back(tokens.Tokens(static_cast<Integer>(i)));
    (*handler)(state, Values(std::move(values)));
}

}  // namespace

namespace {

ConfigReadResult ReadLines(ProgramState& state, std::istream& in) {
    try {
        clsToken tokens;
        PrepareTokenizer(tokens);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            ReadLine(state, tokens, line);
        }
        return ConfigReadResult::Complete;
    } catch (...) {
        // A value that may not stand, or a line the tokenizer refuses, ends the reading; what was
        // read so far stays in force.
        return ConfigReadResult::Stopped;
    }
}

}  // namespace

ConfigReadResult ReadConfiguration(ProgramState& state, const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return ConfigReadResult::NoFile;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) return ConfigReadResult::NoFile;
    const ConfigReadResult result = ReadLines(state, in);
    SyncInstrumentSettings(state);
    return result;
}

ConfigReadResult ReadConfigurationText(ProgramState& state, std::string_view text) {
    std::istringstream in{std::string(text)};
    const ConfigReadResult result = ReadLines(state, in);
    SyncInstrumentSettings(state);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

class ConfigWriter {
public:
    void Line(const std::string& text) { out_ += text + "\r\n"; }

    // A value line: the key and its values, separated by tabs.
    void Values(const std::string& key, const std::vector<std::string>& values) {
        std::string line = key;
        for (const std::string& v : values) line += '\t' + v;
        Line(line);
    }

    void Comments(std::initializer_list<const char*> lines) {
        for (const char* l : lines) Line(l);
    }

    std::string Text() const { return out_; }

private:
    std::string out_;
};

std::string Int(long value) { return std::to_string(value); }
std::string Bool(bool value) { return value ? "True" : "False"; }
std::string Upper(bool value) { return value ? "TRUE" : "FALSE"; }

// Texts that may hold spaces are written between apostrophes. An apostrophe inside would end the
// quote early and shift every later value, and a line break would split the line, so those
// characters are replaced.
std::string Quoted(std::string text) {
    for (char& c : text) {
        if (c == '\'') c = '`';
        if (c == '\r' || c == '\n') c = ' ';
    }
    return "'" + text + "'";
}

// A plain text value. Empty texts, and texts that hold a tab or ";", are quoted so that they read
// back as they were.
std::string Plain(const std::string& text) {
    if (text.empty() || text.find_first_of("\t;'\r\n") != std::string::npos) return Quoted(text);
    return text;
}

void WriteHeader(ConfigWriter& w, Date now, bool english) {
    w.Comments({";", ";            TZ-7300 Data logger program"});
    w.Line(";      Last update = " + FormatGeneralDate(now));
    w.Comments({";         Delimiter is tab,comma(,) character", ";           This file is changed set menu", ";"});
    w.Line(english ? ";   Copyright (C) TZ-7300 Setup Program. All rights reserved."
                   : ";   Copyright (C) TZ-7300 Setup Program (Japan). All rights reserved.");
    w.Line(";");
    w.Line("");
}

void WriteCommunication(ConfigWriter& w, const ProgramState& s) {
    // One run more, but never beyond what the reader takes back.
    const Long count = s.ExecuteCount < std::numeric_limits<Long>::max() ? s.ExecuteCount + 1 : s.ExecuteCount;
    w.Values("Execute Count", {Int(count)});
    w.Values("Serial Log File", {s.SerialLogFile ? "ON" : "OFF"});
    w.Values("Factory Record Suffix", {Plain(s.FactoryRecordSuffix)});
    w.Values("IrCOMM Num", {Int(s.IrCommNum)});
    w.Values("COMM Settings", {Plain(s.CommSettings)});
    w.Values("COMM Device", {Plain(s.CommDevice)});
    w.Values("Timeout", {Int(s.Timeout == 0 ? 3 : s.Timeout)});
    w.Values("Delay", {Int(s.Delay == 0 ? 300 : s.Delay)});
    w.Values("Retry", {Int(s.Retry == 0 ? 3 : s.Retry)});
    // The due-date warning is set by hand in the file; it is written back when set so that the
    // program's own write does not lose it.
    if (s.LimitDays != 0) w.Values("LIMITDAYS", {Int(s.LimitDays)});
    w.Line("");
}

void WriteGasInst(ConfigWriter& w, const ProgramState& s) {
    const clsInstrument& rec = s.DefaultRecord;
    for (Integer c = 0; c < 6; ++c) {
        const auto i = static_cast<std::size_t>(c);
        w.Values("Gas Inst",
                 {Int(c + 1), Quoted(rec.GasName(c)), Upper(rec.GasEnabled(c)), Bool(s.GasLocked[i]),
                  Int(rec.GasPoint(c)), Quoted(rec.GasUnit(c)), ConfigNumber(rec.Warning(c)),
                  ConfigNumber(rec.Alarm(c)), ConfigNumber(rec.Stel(c)), ConfigNumber(rec.Twa(c)),
                  ConfigNumber(rec.GasDesit(c)), ConfigNumber(rec.GasFullScale(c)),
                  ConfigNumber(rec.AutoCalib(c)), ConfigNumber(s.FactoryAutoCalib[i]), Int(s.GraphColor[i])});
    }
}

void WriteChgGasEntry(ConfigWriter& w, int channel, int entry, const GasTableEntry& e) {
    w.Values("ChgGas", {Int(channel + 1), Int(entry + 1), Quoted(e.GasName), Upper(e.Enabled), Bool(e.Locked),
                        Int(e.GasPoint), Quoted(e.GasUnit), ConfigNumber(e.Warning), ConfigNumber(e.Alarm),
                        ConfigNumber(e.Stel), ConfigNumber(e.Twa), ConfigNumber(e.GasDesit),
                        ConfigNumber(e.GasFullScale), ConfigNumber(e.AutoCalib)});
}

bool IsEmptyEntry(const GasTableEntry& e) { return !e.Enabled && e.GasName.empty(); }

// Channels 1 to 6, entries 1 to 16 are always written. The seventh channel slot and the 17th entry
// are written only when they hold a gas, so that nothing the file was given is lost on the next write.
void WriteChgGas(ConfigWriter& w, const ProgramState& s) {
    for (int c = 0; c < GasTableChannels; ++c) {
        const bool regular = c < 6;
        bool any = false;
        for (int g = 0; g < GasTableEntries; ++g) any = any || !IsEmptyEntry(s.GasTable[c][g]);
        if (!regular && !any) continue;
        w.Line("; GasNo " + Int(c + 1));
        for (int g = 0; g < GasTableEntries; ++g) {
            const GasTableEntry& e = s.GasTable[c][g];
            if (regular && g < 16) WriteChgGasEntry(w, c, g, e);
            else if (!IsEmptyEntry(e)) WriteChgGasEntry(w, c, g, e);
        }
    }
}

// Start-up choices, font, graph colours and calibration ranges.
void WriteDisplay(ConfigWriter& w, const ProgramState& s) {
    w.Comments({";", "; Formats = Autoload enable, Auto remove data enable", ";"});
    w.Values("Auto Load Mode", {Bool(s.AutoLoad), Bool(s.AutoRemoveData)});
    w.Line("");

    w.Comments({";", "; Formats = Name , Size , Bold , Italic , Underline (Font setting)", ";"});
    const FontDescription& f = s.ProgramFont;
    w.Values("Font", {Quoted(f.Name), ConfigNumber(f.Size), Bool(f.Bold), Bool(f.Italic), Bool(f.Underline)});
    w.Line("");

    w.Comments({";", "; Formats = Scale , Back , Cursor (RGB) (Color datas), Gas1, Gas2, Gas3, Gas4", ";"});
    w.Values("Graph Color", {"0", "0", "0", "0", "1", "0", "0"});
    w.Line("");

    w.Comments({";", "; Formats = Gas1...Gas4 (Calibration Range ... Serial Value Format)", ";"});
    std::vector<std::string> ranges;
    for (Single r : s.CalibRange) ranges.push_back(ConfigNumber(r));
    w.Values("Calib. Range", ranges);
    w.Line("");

}

// The default record, the per-channel gas settings and the changed-gas lists.
void WriteDefaults(ConfigWriter& w, const ProgramState& s) {
    const clsInstrument& rec = s.DefaultRecord;
    w.Comments({";", "; Gas Instrument Information.", ";",
                "; CalibLimit, BackLightTime, AlarmPattern, IntervalCycle, Cal Disp,  Cal Proc"});
    w.Values("DefaultValue1", {Int(rec.CalLimit()), Int(rec.LcdBackLight()), Int(rec.AlarmMode()),
                               Int(rec.Intervals()), Int(rec.DispCalLimit()), Int(rec.CalCheck())});
    w.Line("; Overwrite, FlowDA, Oxy alarm type, Auto Zero, Demand Zero, Enabled UserPassword");
    w.Values("DefaultValue2", {Int(rec.LogOverWrite()), Int(rec.FlowValue()), Int(rec.AlarmO2()),
                               Int(rec.AutoZero()), Int(rec.DemandZero()), Int(rec.UseUserPassword())});

    w.Comments({";", "; Gas Instrument Information.",
                "; Format = No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , TWA , "
                "Digit , FullSacle , AutoCal ,  Fact AutoCal. , GraphColor",
                ";"});
    WriteGasInst(w, s);
    w.Line("");

    w.Values("Conv Param", {ConfigNumber(s.ConvParam.Factor), "False"});
    w.Line("");

    w.Comments({";", ";Changed Gas Lists",
                "; Format = GasNo , No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , "
                "TWA , Digit , FullSacle , AutoCal",
                ";"});
    WriteChgGas(w, s);

}

// Calibration timers, window and print settings, password and A/D check ranges.
void WriteTimersAndWindow(ConfigWriter& w, const ProgramState& s) {
    w.Line(";");
    w.Line("; Calibration Timer 1 : Cal.Unit On After Zero Calib, Bitween wait time.");
    w.Values("CalUnitOnWait", {Int(s.CalUnitOnWait)});
    w.Line("; Calibration Timer 2 : Span Gas valve On To Span Calib, Bitween wait time.");
    w.Values("CalSpanOnWait", {Int(s.CalSpanOnWait)});
    w.Line("; Calibration Timer 3 : Span valve Off After Cal.Unit Off, Bitween wait time.");
    w.Values("CalSpanOffWait", {Int(s.CalSpanOffWait)});
    w.Line("");

    w.Comments({"; ", "; Format = SerialNo,StationID,UserID"});
    w.Values("Data Select", {"False", "False", "False"});
    w.Line("");

    w.Comments({";", "; Formats = Form status , Form Width , Form Height (Twips value)", ";"});
    w.Values("Size Values", {Int(s.WindowState), ConfigNumber(s.WindowWidth), ConfigNumber(s.WindowHeight)});
    w.Line("");

    w.Comments({";", "; Formats = Printing Data Line Width, Printing Scale Line Width", ";"});
    w.Values("Prt Width", {ConfigNumber(s.PrtWidth[0]), ConfigNumber(s.PrtWidth[1])});
    w.Line("");

    w.Comments({";", "; Format = True or False", ";"});
    w.Values("Completely View", {Bool(s.CompletelyView)});
    w.Line("");

    w.Comments({";", "; ; Format = Before Event , After Event", ";"});
    w.Values("Trend Search", {Int(s.TrendSearch[0]), Int(s.TrendSearch[1])});
    w.Line("");

    w.Line(";");
    w.Values("TZ-7300", {EncodeText(EncodeText(s.ProgramPassword))});
    w.Line(";");
    for (std::size_t row = 0; row < AdCheckKeys.size(); ++row)
        w.Values(AdCheckKeys[row], {Int(s.AdCheck[row].Low), Int(s.AdCheck[row].High)});
}

}  // namespace

std::string ConfigurationText(const ProgramState& s, Date now, bool english) {
    ConfigWriter w;
    WriteHeader(w, now, english);
    WriteCommunication(w, s);
    WriteDisplay(w, s);
    WriteDefaults(w, s);
    WriteTimersAndWindow(w, s);
    return w.Text();
}

bool WriteConfiguration(const ProgramState& state, const fs::path& file, Date now, bool english,
                        std::string* error) {
    try {
        return WriteFileWhole(file, ConfigurationText(state, now, english), error);
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return false;
    }
}

ConfigReadResult ReadConfiguration() {
    return ReadConfiguration(Program(), ConfigurationFilePath(Program().ProgramFolder));
}

bool WriteConfiguration() {
    return WriteConfiguration(Program(), ConfigurationFilePath(Program().ProgramFolder), PresentDate(),
                              IsEnglishCatalogue());
}

}  // namespace tz
