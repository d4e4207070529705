// zero and span: calibration runs with the pump switched on, and the per-channel results.
#include <array>

#include "cli/CliText.h"
#include "cli/ProgressText.h"
#include "cli/CommandTable.h"
#include "instrument/CalibrationRules.h"
#include "instrument/modGasCommon.h"
#include "text/DateTime.h"

namespace tz::cli {

namespace {

constexpr Integer kChannels = 6;
constexpr Single kNoValue = -101;

// The gas information and calibration gas concentrations, as the calibration window loads them.
clsInstrument CalibrationRecord(CliContext& context) {
    uclTzif& link = context.Link();
    clsInstrument cal;
    context.RequireOk(link.GetGasInfo(&cal) && link.GetAutoCalDensty(&cal), Text(5413));
    return cal;
}

// The pump runs while the instrument calibrates, and is switched off again on every way out.
class PumpOn {
public:
    explicit PumpOn(uclTzif& link) : link_(link) { link_.SetPump(true); }
    ~PumpOn() { link_.SetPump(false); }
    PumpOn(const PumpOn&) = delete;
    PumpOn& operator=(const PumpOn&) = delete;

private:
    uclTzif& link_;
};

// One line per channel that took part; exit 1 when any failed.
int PrintResults(CliContext& context, const clsInstrument& cal, const std::array<bool, 6>& tookPart,
                 bool (uclTzif::*status)(Integer) const) {
    int failed = 0;
    for (Integer gas = 0; gas < kChannels; ++gas) {
        if (!tookPart[static_cast<std::size_t>(gas)]) continue;
        const std::string name = Trim(cal.GasName(gas));
        if ((context.Link().*status)(gas)) {
            context.Io().out << name << "  " << Text(5354) << "\n";
        } else {
            context.Io().out << name << "  Failed\n";
            ++failed;
        }
    }
    if (failed) throw CliFailure(ExitInstrument, std::to_string(failed) + " channel(s) failed the calibration.");
    return ExitSuccess;
}

// The calibration changes the instrument's readings, so it is confirmed like a write (--yes, or a
// "y" at the terminal); answered no, nothing is sent.
void ConfirmCalibration(CliContext& context, const std::string& question) {
    if (context.Confirm(question)) return;
    context.Io().err << "Nothing done.\n";
    throw CliFailure(ExitDeclined, "Calibration not started.");
}

int Zero(CliContext& context, const ParsedArgs&) {
    ConfirmCalibration(context, "Zero calibration of every channel: apply clean air. Start?");
    const clsInstrument cal = CalibrationRecord(context);
    uclTzif& link = context.Link();
    std::array<bool, 6> available{};
    for (Integer gas = 0; gas < kChannels; ++gas) available[static_cast<std::size_t>(gas)] = CanTakePart(cal, gas);
    bool ok = false;
    {
        PumpOn pump(link);
        context.Io().err << Text(6002) << "\n";
        const Date start = context.Now();
        context.ShowProgress([&] { return WaitProgressText(Text(6002), context.SecondsSince(start)); });
        ok = link.ZeroCal("111111");  // a zero run always asks for all six channels
        if (ok)
            context.CompleteProgress();
        else
            context.ShowProgress({});
    }
    if (!ok) link.AddLog(Text(5516, {FormatGeneralDate(context.Now())}));
    context.RequireOk(ok, Text(5413));
    return PrintResults(context, cal, available, &uclTzif::ZeroStatus);
}

// --select: six characters 0 or 1, channel 1 first.
std::array<bool, 6> Selection(const std::string& text, const clsInstrument& cal) {
    if (text.size() != 6 || text.find_first_not_of("01") != std::string::npos)
        throw CliFailure(ExitUsage, "--select takes six characters 0 or 1, channel 1 first, such as 101000");
    std::array<bool, 6> selected{};
    for (Integer gas = 0; gas < kChannels; ++gas) {
        selected[static_cast<std::size_t>(gas)] = text[static_cast<std::size_t>(gas)] == '1';
        if (selected[static_cast<std::size_t>(gas)] && !CanTakePart(cal, gas))
            throw CliFailure(ExitUsage, "channel " + std::to_string(gas + 1) +
                                            " cannot take part: no sensor or no calibration gas concentration");
    }
    if (text == "000000") throw CliFailure(ExitUsage, Text(5345) + " (" + Text(5346) + ")");
    return selected;
}

// --conc: six fields, "*" keeping the instrument's concentration; each within the range's scale.
void ApplyConcentrations(const std::string& text, clsInstrument& cal) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(text.substr(start, comma - start));
    fields.push_back(text.substr(start));
    if (fields.size() != 6) throw CliFailure(ExitUsage, "--conc takes six comma-separated values, * to keep one");
    for (Integer gas = 0; gas < kChannels; ++gas) {
        const std::string field = Trim(fields[static_cast<std::size_t>(gas)]);
        if (field == "*") continue;
        Single value = kNoValue;
        if (IsNumericText(field)) value = TextToSingle(field);
        if (!IsNumericText(field) || value < 0 || value > CalibrationRange(cal, gas).FullScale)
            throw CliFailure(ExitUsage, "--conc value \"" + field + "\" for channel " + std::to_string(gas + 1) +
                                            " is not a concentration from 0 to its full scale");
        cal.AutoCalib(gas, value);
    }
}

int Span(CliContext& context, const ParsedArgs& args) {
    if (!args.Has("select")) throw CliFailure(ExitUsage, "span needs --select, such as --select 101000");
    clsInstrument cal = CalibrationRecord(context);
    const std::array<bool, 6> selected = Selection(args.Value("select"), cal);
    if (args.Has("conc")) ApplyConcentrations(args.Value("conc"), cal);
    std::string channels;
    for (Integer gas = 0; gas < kChannels; ++gas)
        if (selected[static_cast<std::size_t>(gas)])
            channels += (channels.empty() ? "" : ", ") + std::to_string(gas + 1) + " (" + Trim(cal.GasName(gas)) + ")";
    ConfirmCalibration(context, "Span calibration of channel(s) " + channels + ": apply the calibration gas. Start?");
    uclTzif& link = context.Link();
    bool ok = false;
    {
        PumpOn pump(link);
        link.AddLog(Text(5515, {FormatGeneralDate(context.Now())}));
        context.Io().err << Text(6003) << "\n";
        ok = link.SpanCal(BuildSpanRequest(cal, selected));
    }
    context.RequireOk(ok, Text(5413));
    return PrintResults(context, cal, selected, &uclTzif::SpanStatus);
}

constexpr std::array<OptionRule, 2> kSpanOptions = {{
    {"select", "101000", "channels that take part, channel 1 first"},
    {"conc", "50,*,25,*,*,*", "calibration gas concentrations; * keeps the instrument's"},
}};

}  // namespace

std::vector<CliCommand> CalibrationCommandRows() {
    return {
        {"zero", "", "zero calibration of every channel, with the per-channel results",
         "Apply clean air first. Asks for confirmation on a terminal unless --yes. Exit 1 when a\n"
         "channel failed.",
         {}, 0, 0, Zero},
        {"span", "--select 101000 [--conc 50,*,25,*,*,*]", "span calibration of the selected channels",
         "Apply the calibration gas first. Concentrations are in the unit of each channel's\n"
         "calibration gas concentration (the second range for channels 5 and 6 when the instrument\n"
         "keeps it there). Asks for confirmation on a terminal unless --yes. Exit 1 when a channel\n"
         "failed.",
         kSpanOptions, 0, 0, Span},
    };
}

}  // namespace tz::cli
