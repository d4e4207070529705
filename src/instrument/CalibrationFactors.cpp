#include "instrument/CalibrationFactors.h"

#include "instrument/GridEditRules.h"
#include "text/Catalogue.h"
#include "text/NumberFormat.h"
#include "text/SharedHelpers.h"

namespace tz {
namespace {

constexpr Integer kChannels = clsInstrument::GasChannels;
constexpr int kInvalidRate = 30403;
constexpr int kNoSpanFactor = 30404;
constexpr int kUpdateFinished = 5680;
constexpr int kUpdateFailed = 5679;

FactorDatas Refuse(const clsInstrument& record, Integer channel, int message, const std::string& rate) {
    FactorDatas result;
    result.Channel = channel;
    const std::string gas = TrimSpaces(record.GasName(channel));
    const std::string number(1, static_cast<char>('1' + channel));
    result.Reason = LoadMessage(message, {number, gas.empty() ? std::string("-") : gas, TrimSpaces(rate)});
    return result;
}

}  // namespace

FactorDatas BuildCalibrationFactorDatas(const clsInstrument& record, const std::array<std::string, 6>& rateTexts) {
    FactorDatas result;
    for (Integer c = 0; c < kChannels; ++c) {
        const std::string& text = rateTexts[static_cast<std::size_t>(c)];
        const auto rate = ValidRate(text);
        if (!rate) return Refuse(record, c, kInvalidRate, text);
        const Single span = record.SpanData(c);
        if (span == static_cast<Single>(NoValue)) return Refuse(record, c, kNoSpanFactor, text);
        const std::string factor = SingleToHex(*rate * span);
        result.Datas.append(c > 0 ? "," : "").append(factor);
    }
    result.Ok = true;
    return result;
}

std::array<bool, 6> RefusedFactorChannels(const std::string& failes) {
    std::array<bool, 6> refused{};
    for (std::size_t i = 0; i < refused.size() && i < failes.size(); ++i) refused[i] = failes[i] == '1';
    return refused;
}

std::string CalibrationFactorResultText(bool ok, const std::string& failes) {
    if (ok) return LoadMessage(kUpdateFinished);
    return LoadMessage(kUpdateFailed) + " ( " + failes + " )";
}

}  // namespace tz
