#include "instrument/SettingsReport.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <system_error>

#include "app/PresentDate.h"
#include "app/modMain.h"
#include "instrument/ParameterChoices.h"
#include "instrument/ReportSuffix.h"
#include "instrument/modGasCommon.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"
#include "text/NumberFormat.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;
const std::string kNoGas = "-----";

using Fields = std::vector<std::pair<std::string, std::string>>;

std::string Msg(int number, const std::vector<std::string>& args = {}) {
    return LoadMessage(number, args);
}

std::string OnOff(Integer value) { return value == 1 ? "ON" : "OFF"; }

std::string Number(Long value) { return std::to_string(value); }

// The text listed for a value; empty text for a value without one, so the columns stay aligned.
std::string Listed(Integer value, std::initializer_list<std::string> texts) {
    if (value < 0 || static_cast<std::size_t>(value) >= texts.size()) return {};
    return *(texts.begin() + value);
}

// A list the parameter dialog offers for the same setting; empty text for a value it does not list.
std::string Listed(ChoiceListId list, Integer value) { return ChoiceText(list, value).value_or(""); }

std::string LimitCheck(Integer value) { return Listed(ChoiceListId::LimitCheck, value); }

std::string AllOrFourGas(Integer value) { return value == 1 ? "ALL" : "4GAS"; }

std::string ModeWord(ReportMode mode) {
    return Listed(static_cast<Integer>(mode), {"Read", "Write", "WriteID", "WriteSpan"});
}

std::string Destination(const std::string& specType) {
    if (!IsNumericText(specType)) return {};
    const Single value = TextToSingle(specType);
    if (value != 0 && value != 1) return {};
    return Listed(ChoiceListId::Destination, static_cast<Integer>(value));
}

std::string DateFormatName(Integer value) {
    if (value == 0) return Msg(8073);
    if (value == 1) return Msg(8074);
    return Msg(8075);
}

std::string LanguageName(Integer value) {
    return Listed(value, {Msg(8090), Msg(8093), Msg(8095), Msg(8096), Msg(8097), Msg(8098),
                          Msg(8091), Msg(8092), Msg(8094)});
}

// At least five digits, with leading zeros; a longer number is written in full.
std::string RomText(Long rom) {
    const std::string digits = Number(rom);
    if (rom < 0 || digits.size() >= 5) return digits;
    return std::string(5 - digits.size(), '0') + digits;
}

std::string PortsText(const clsInstrument& r) {
    std::string out;
    for (Integer gas = 0; gas < kChannels; ++gas)
        out += r.PortCh(gas) == -1 ? std::string("-") : Number(r.PortCh(gas));
    return out;
}

std::string PidText(std::string data) {
    for (char& c : data)
        if (c == ',') c = '/';
    return data;
}

// The instrument's clock: the present time less the offset when that is a date at all.
Date InstrumentTime(Date now, Date offset) {
    const Date instrument = now - offset;
    return IsRepresentableDate(instrument) ? instrument : now;
}

void AddGasColumns(Fields& f, const clsInstrument& r, Integer gas) {
    static constexpr int kTitles[] = {5648, 5650, 5651, 5652, 5653, 5654,
                                      9001, 9002, 9003, 9004, 9005, 9006};
    std::vector<std::string> values;
    if (r.GasEnabled(gas)) {
        const Integer d = r.GasPoint(gas);
        values = {r.GasName(gas),
                  NumberFieldUncut(r.Warning(gas), d),
                  NumberFieldUncut(r.Alarm(gas), d),
                  NumberFieldUncut(r.Stel(gas), d),
                  NumberFieldUncut(r.Twa(gas), d),
                  NumberFieldUncut(r.AutoCalib(gas), d),
                  FormatGeneralDate(r.CalibDate(gas)),
                  NumberFieldUncut(r.CalibBefore(gas), d),
                  NumberFieldUncut(r.CalibAfter(gas), d),
                  FormatGeneralDate(r.BumpDates(gas)),
                  NumberFieldUncut(r.BumpResult(gas), d),
                  NumberFieldUncut(r.BumpConcentration(gas), d)};
    } else {
        values.assign(std::size(kTitles), kNoGas);
    }
    for (std::size_t i = 0; i < std::size(kTitles); ++i) f.emplace_back(Msg(kTitles[i]), values[i]);
}

// Channels 0, 2, 3, 4, 5 under the names Gas1, Gas3 ... Gas6 (channel 1 has no such setting).
constexpr Integer kSettableZeroChannels[] = {0, 2, 3, 4, 5};

std::string GasWord(Integer gas) { return "Gas" + std::to_string(gas + 1); }

// A field that holds a comma, a quote or a line break is quoted, so it stays one column.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

template <typename Pick>
std::string JoinFields(const Fields& fields, Pick pick) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(pick(fields[i]));
    }
    return line;
}

}  // namespace

std::filesystem::path SettingsReportPath(const std::filesystem::path& logFolder,
                                         const std::string& suffix) {
    return logFolder / ("TZ7300_Setting" + suffix + ".csv");
}

namespace {

// Identity, clock and the instrument's options, in report order.
void AddIdentityAndOptionColumns(Fields& f, const clsInstrument& r, ReportMode mode, Date now) {
    const auto add = [&](std::string title, std::string value) {
        f.emplace_back(std::move(title), std::move(value));
    };
    add(Msg(9000), ModeWord(mode));
    add(Msg(5212), FormatGeneralDate(now));
    add(Msg(5213), FormatGeneralDate(InstrumentTime(now, r.SysDateOffset())));
    add(Msg(5608), r.SerialNo());
    add(Msg(8003), r.DummySerial());
    add(Msg(5609), r.StationID());
    add(Msg(5610), r.UserID());
    add(Msg(8042), r.SpecNo());
    add("ROM", RomText(r.RomNumber()));
    add("SUM", r.SUM());
    add(Msg(8004), r.AlarmMode() == 1 ? Msg(8006) : Msg(8005));
    add(Msg(5655), Number(r.CalLimit()));
    add(Msg(8010), OnOff(r.DispCalLimit()));
    add(Msg(8011), LimitCheck(r.CalCheck()));
    add(Msg(5223), Number(r.Intervals()));
    add(Msg(8044), OnOff(r.Confirmation()));
    add(Msg(8099), Number(r.ConfirmationTime()));
    add(Msg(8047), OnOff(r.LunchBreak()));
    add(Msg(8048), OnOff(r.AlarmSilence()));
    add(Msg(8009), OnOff(r.LogOverWrite()));
    add(Msg(8015), Destination(r.SpecType()));
    add(Msg(8022), Listed(ChoiceListId::OxygenAlarm, r.AlarmO2()));
    add(Msg(8023), Number(r.LcdBackLight()));
    add(Msg(8019), OnOff(r.AutoZero()));
    add(Msg(8020), OnOff(r.DemandZero()));
    add(Msg(8021), OnOff(r.UseUserPassword()));
    add(Msg(8024), r.UserPassword2());
    add(Msg(8026), Number(r.FlowLevel()));
    add(Msg(8043), Number(r.pressOffset()));
    add(Msg(8037), OnOff(r.AlarmOnOff()));
    add(Msg(8083), OnOff(r.BumpFunction()));
    add(Msg(8080), Number(r.BumpLimit()));
    add(Msg(8081), OnOff(r.DispBumpLimit()));
    add(Msg(8082), LimitCheck(r.BumpCheck()));
    add(Msg(8029), Number(r.BumpTime()));
    add(Msg(8030), Number(r.BumpThreshold()));
    add(Msg(8032), Number(r.BumpFailCalTime()));
    add(Msg(8031), OnOff(r.BumpFailAfter()));
    add(Msg(8033), Listed(r.LcBhMode(), {"OFF", "LC", "BH", "LC BH"}));
    add(Msg(8034), Number(r.BhTime()));
    add(Msg(8049), OnOff(r.DispID()));
    add(Msg(8061), OnOff(r.dlogOnOff()));
    add(Msg(8051), OnOff(r.PeakBar()));
}

// Zero, password, sensor and display settings that follow the options.
void AddSettingColumns(Fields& f, const clsInstrument& r) {
    const auto add = [&](std::string title, std::string value) {
        f.emplace_back(std::move(title), std::move(value));
    };
    for (Integer gas : kSettableZeroChannels) add(Msg(8050, {GasWord(gas)}), OnOff(r.Zero(gas)));
    add(Msg(8087), AllOrFourGas(r.CalCheckALL()));
    add(Msg(8084), AllOrFourGas(r.BumpCheckALL()));
    add(Msg(8062), OnOff(r.PumpOnOffDisp()));
    add(Msg(8112), OnOff(r.UseMaintePassword()));
    add(Msg(8113), r.MaintePassword());
    add(Msg(8114), OnOff(r.PasswordProtect()));
    for (Integer gas = 0; gas < kChannels; ++gas)
        add(Msg(8116, {std::to_string(gas + 1)}), r.SensorDate(gas));
    add("LCD Contrast", Number(r.LcdContrast()));
    for (Integer gas : kSettableZeroChannels)
        add(Msg(8065, {GasWord(gas)}), Number(r.ZeroForce(gas)));
    add(Msg(8109), Listed(r.IRRange(), {"AUTO", "LOW ONLY", "HI ONLY"}));
    add(Msg(8107), FormatGeneral(r.Inert1st()));
    add(Msg(8108), FormatGeneral(r.Inert2nd()));
    add(Msg(8100), OnOff(r.Inverse()));
    add(Msg(8064), OnOff(r.RemainTimeDisp()));
    add(Msg(8111), OnOff(r.KeySound()));
    add(Msg(8066), OnOff(r.ManDown()));
    add(Msg(8067), OnOff(r.Panic()));
    add(Msg(8071), DateFormatName(r.DateDispType()));
    add("Ch", PortsText(r));
    add(Msg(8089), LanguageName(r.LangType()));
    add(Msg(8110), OnOff(r.LeakCOdisp()));
    add("PID", PidText(r.PIDdata()));
}

// The six channels, both lists, and the columns added last.
void AddChannelAndListColumns(Fields& f, const clsInstrument& r) {
    const auto add = [&](std::string title, std::string value) {
        f.emplace_back(std::move(title), std::move(value));
    };
    for (Integer gas = 0; gas < kChannels; ++gas) AddGasColumns(f, r, gas);
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i)
        add("Station" + std::to_string(i + 1), r.StationList(i));
    for (Integer i = 0; i < clsInstrument::ListEntries; ++i)
        add("User" + std::to_string(i + 1), r.UserList(i));
    add(Msg(8106), OnOff(r.InertMode()));
    add(Msg(8121), OnOff(r.CSAdata()));
    add(Msg(8068), Number(r.ManDown1()));
    add(Msg(8069), Number(r.ManDown2()));
    add(Msg(8070), Number(r.ManDown3()));
    for (Integer gas = 0; gas < kChannels; ++gas)
        add(GasWord(gas) + Msg(5681), FormatGeneral(r.SpanData(gas)));
    add("PID List Ver", r.PIDver());
}

}  // namespace

Fields SettingsReportFields(const clsInstrument& r, ReportMode mode, Date now) {
    Fields f;
    f.reserve(SettingsReportColumns);
    AddIdentityAndOptionColumns(f, r, mode, now);
    AddSettingColumns(f, r);
    AddChannelAndListColumns(f, r);
    return f;
}

std::string SettingsReportTitleLine() {
    return JoinFields(SettingsReportFields(clsInstrument(), ReportMode::Read, 0),
                      [](const auto& field) { return field.first; });
}

std::string SettingsReportDataLine(const clsInstrument& record, ReportMode mode, Date now) {
    return JoinFields(SettingsReportFields(record, mode, now),
                      [](const auto& field) { return field.second; });
}

bool WriteSettingsReport(const clsInstrument& record, ReportMode mode,
                         const std::filesystem::path& logFolder, const std::string& suffix,
                         Date now, std::string* error) {
    if (!IsValidReportSuffix(suffix)) {
        if (error) *error = LoadMessage(ReportSuffixRefusedMessage) + " (\"" + suffix + "\")";
        return false;
    }
    const std::filesystem::path file = SettingsReportPath(logFolder, suffix);
    const auto fail = [&] {
        if (error) *error = "cannot write the settings report " + file.string();
        return false;
    };
    // A file that is missing or empty (its first write failed) is new and gets the title line.
    std::error_code ec;
    const bool existed = std::filesystem::exists(file, ec);
    if (ec) return fail();
    const std::uintmax_t oldSize = existed ? std::filesystem::file_size(file, ec) : 0;
    if (ec) return fail();
    std::string text;
    if (oldSize == 0) text = SettingsReportTitleLine() + "\r\n";
    text += SettingsReportDataLine(record, mode, now) + "\r\n";

    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (out) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
    }
    if (!out) {
        // Take back whatever part of the line reached the file, so it stays as it was.
        std::error_code ignored;
        if (existed)
            std::filesystem::resize_file(file, oldSize, ignored);
        else
            std::filesystem::remove(file, ignored);
        return fail();
    }
    return true;
}

bool WriteSettingsReport(const clsInstrument& record, ReportMode mode, std::string* error) {
    const ProgramState& state = Program();
    return WriteSettingsReport(record, mode, state.LogFolder, state.FactoryRecordSuffix,
                               PresentDate(), error);
}

}  // namespace tz
