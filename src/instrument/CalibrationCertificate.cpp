#include "instrument/CalibrationCertificate.h"

#include "instrument/modGasCommon.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"

namespace tz {

namespace {

constexpr int kTitle = 30902;
constexpr int kSerial = 30903;
constexpr int kManufacture = 30904;
constexpr int kProgram = 30905;
constexpr int kPcTime = 30906;
constexpr int kInstrumentTime = 30907;
constexpr int kOperator = 30908;
constexpr int kZeroRun = 30909;
constexpr int kSpanRun = 30910;
constexpr int kKind = 5216;  // "Calibration"
constexpr int kHeads[] = {30911, 30912, 30913, 30914, 30915};
constexpr int kPassed = 30916;
constexpr int kFailed = 30917;
constexpr int kOverall = 30918;
constexpr const char* kNoValue = "-----";

// A history value in the range its low-range mark names.
std::string HistoryText(const clsInstrument& record, Integer ch, Single value, bool low) {
    if (value <= NoValue) return kNoValue;
    const Integer decimals = low ? record.GasPoint_l(ch) : record.GasPoint(ch);
    const std::string unit = low ? record.GasUnit_l(ch) : record.GasUnit(ch);
    return GasValueText(value, decimals, false) + " " + unit;
}

}  // namespace

CertificateText BuildCalibrationCertificate(const clsInstrument& program, const clsInstrument& cal,
                                            const CalibrationRun& run, const std::string& operatorName) {
    CertificateText text;
    text.Title = LoadMessage(kTitle);
    const Long rom = program.RomNumber();
    text.Fields = {
        {LoadMessage(kSerial), program.SerialNo()},
        {LoadMessage(kManufacture), program.DummySerial()},
        {LoadMessage(kProgram), rom > 0 ? std::to_string(rom) : std::string(kNoValue)},
        {LoadMessage(kPcTime), FormatGeneralDate(run.Finished)},
        {LoadMessage(kInstrumentTime), FormatGeneralDate(run.Finished + program.SysDateOffset())},
        {LoadMessage(kOperator), operatorName},
        {LoadMessage(kKind), LoadMessage(run.IsZero ? kZeroRun : kSpanRun)},
    };
    for (int head : kHeads) text.Heads.push_back(LoadMessage(head));
    bool every = true;
    for (Integer ch = 0; ch < clsInstrument::GasChannels; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        if (!run.TookPart[i]) continue;
        const bool passed = run.Ok && run.Statuses[i];
        every = every && passed;
        const GasRange range = CalibrationRange(cal, ch);
        const std::string applied =
            run.IsZero ? GasValueText(0, range.Decimals, false) + " " + range.Unit
                       : (run.Concentrations[i] <= NoValue
                              ? std::string(kNoValue)
                              : GasValueText(run.Concentrations[i], range.Decimals, false) + " " + range.Unit);
        text.Rows.push_back({GasLabelOf(cal, ch, true), applied, LoadMessage(passed ? kPassed : kFailed),
                             HistoryText(program, ch, program.CalibBefore(ch), program.BeforeIsLo(ch)),
                             HistoryText(program, ch, program.CalibAfter(ch), program.AfterIsLo(ch))});
    }
    text.Passed = run.Ok && every && !text.Rows.empty();
    text.Verdict = LoadMessage(kOverall, {LoadMessage(text.Passed ? kPassed : kFailed)});
    return text;
}

}  // namespace tz
