#include "app/WindowTexts.h"

#include "app/ConfigValues.h"
#include "text/Catalogue.h"

namespace tz {

namespace {

bool JapaneseCatalogue() { return LoadMessage(LanguageCodeMessage) == "JP"; }
bool EnglishCatalogue() { return LoadMessage(LanguageCodeMessage) == "EN"; }

}  // namespace

std::string ProgramPartNumber() { return JapaneseCatalogue() ? "05006" : "05683"; }

std::string MainWindowTitle(bool factoryMode) {
    std::string title = MainTitle() + " [P.No." + ProgramPartNumber() + "]";
    if (factoryMode) title += " <製造ｵﾌﾟｼｮﾝ>";
    return title;
}

std::string SplashVersionText() { return "P.No." + ProgramPartNumber(); }

std::string SplashCompanyText() {
    return EnglishCatalogue() ? "TZ-7300 Instruments" : "TZ-7300 Instruments (Japan)";
}

bool IsProgramPassword(const std::string& typed, const std::string& programPassword) {
    return UpperAscii(typed) == UpperAscii(programPassword);
}

ProgressModeView ProgressModeTexts(Integer mode) {
    switch (mode) {
    case 1: return {MsgNowDownloading, true};
    case 3: return {MsgAdjustingZero, false};
    case 4: return {MsgAdjustingSpan, false};
    case 6: return {MsgNowWriting, false};
    default: return {MsgNowDownloading, false};
    }
}

}  // namespace tz
