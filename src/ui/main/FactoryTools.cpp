#include "ui/main/FactoryTools.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "instrument/CalibrationFactors.h"
#include "instrument/CheckFile.h"
#include "instrument/GridCells.h"
#include "instrument/SettingsReport.h"
#include "link/uclTzif.h"
#include "text/Catalogue.h"
#include "text/DateTime.h"
#include "ui/calibration/frmCalibration.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/QtText.h"
#include "ui/common/frmUpload.h"
#include "ui/main/SettingsGrid.h"
#include "ui/main/frmMain.h"

namespace tz::ui {

namespace {

const QColor Green(0, 192, 0);
const QColor Red(255, 0, 0);
const QColor Brown(128, 32, 0);

constexpr int MsgDownloadTitle = 6056;
constexpr int MsgUploadTitle = 6057;
constexpr int MsgNowWritingMode = 6;

// One second of the main window's 100 ms ticks: the instrument settles its test pattern.
constexpr int SettleTicks = 10;

std::string Elapsed(Date from, Date to) {
    long seconds = static_cast<long>((to - from) * 86400.0 + 0.5);
    if (seconds < 0) seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A check data file that can be compared: present and at least 1 MiB.
bool CheckFileUsable(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size >= CheckFileBlockSize * CheckFileBlocks;
}

}  // namespace

FactoryTools::FactoryTools(frmMain& window, UiContext& context)
    : QObject(&window), window_(window), context_(context) {
    setObjectName(QStringLiteral("FactoryTools"));
    const auto hook = [this](const char* name, void (FactoryTools::*command)()) {
        if (auto* button = window_.findChild<QPushButton*>(QString::fromLatin1(name)))
            connect(button, &QPushButton::clicked, this, command);
    };
    hook("cmdOption(2)", &FactoryTools::Calibration);
    hook("cmdOption(8)", &FactoryTools::FlashCheck);
    hook("cmdOption(10)", &FactoryTools::UpdateCalibrationFactors);
    hook("cmdDown(2)", &FactoryTools::DownloadLogger);
    hook("cmdFRAMDump", &FactoryTools::EepromDump);
}

// ---- Calibration ----

void FactoryTools::Calibration() {
    if (window_.Busy()) return;
    uclTzif& link = window_.Link();
    ProgramState& program = context_.Program();
    link.SetPump(true);
    {
        frmCalibration calibration(context_, &window_);
        calibration.AddInfo = [this](const QString& text, const QColor& colour) { window_.AddInfo(text, colour); };
        program.CalibrationWindowOpen = true;
        window_.CalibrationReadings([&calibration] { calibration.Refresh_InstMoment(); });
        context_.Modal().RunModal(calibration);
        window_.CalibrationReadings({});
        program.CalibrationWindowOpen = false;
    }
    // The window stopped the gas poll as it closed.
    link.SetPump(false);
    window_.RefreshCommandStates();
}

// ---- Logger image ----

LoggerImageResult FactoryTools::DownloadLoggerImage() {
    uclTzif& link = window_.Link();
    ProgramState& program = context_.Program();
    const Date start = context_.Loop().Now();
    if (!link.Connected()) {
        window_.AddInfo(Msg(5422), Red);
        link.AddLog(LoadMessage(5528, {FormatGeneralDate(start)}));
        return {};
    }
    window_.AddInfo(Msg(5465), Green);
    link.AddLog(LoadMessage(5523, {FormatGeneralDate(start)}));
    program.ProgressMode = 1;
    frmUpload& progress = frmUpload::Load(context_);
    progress.Title(LoadMessage(MsgDownloadTitle));
    progress.ShowWindow();
    const LoggerImageResult result = tz::DownloadLoggerImage(link, &program.Instrument, window_.LocalSettingsFile(), [] {
        if (frmUpload* open = frmUpload::Instance()) open->Message("One more time !");
    });
    if (result.Cancelled) {
        window_.AddInfo(Msg(5462), Red);
        link.AddLog(LoadMessage(5589, {FormatGeneralDate(context_.Loop().Now())}));
    } else if (!result.Ok) {
        window_.AddInfo(Msg(5469), Red);
    }
    frmUpload::Unload();
    program.ProgressMode = 0;
    return result;
}

void FactoryTools::DownloadLogger() {
    if (window_.Busy()) return;
    window_.SetBusy(true);
    DownloadLoggerImage();
    window_.SetBusy(false);
}

// ---- Flash check ----

void FactoryTools::FlashCheck() {
    if (window_.Busy()) return;
    if (context_.Dialogs().MsgBox(LoadMessage(5386), LoadMessage(5387), MsgIcon::Question, MsgButtons::YesNo) !=
        MsgAnswer::Yes)
        return;
    window_.SetBusy(true);
    RunFlashCheck();
    frmUpload::Unload();
    context_.Program().ProgressMode = 0;
    window_.SetBusy(false);
}

void FactoryTools::ShowWriteProgress() {
    context_.Program().ProgressMode = MsgNowWritingMode;
    frmUpload& progress = frmUpload::Load(context_);
    progress.Title(LoadMessage(MsgUploadTitle));
    progress.ShowWindow();
}

// A step's outcome: its pane line on success; on failure the progress window closes and the box
// says which step failed.
bool FactoryTools::FlashStep(bool ok, const char* failure, int successLine) {
    if (ok) {
        window_.AddInfo(Msg(successLine), Green);
        return true;
    }
    frmUpload::Unload();
    context_.Dialogs().MsgBox(failure, MainTitle(), MsgIcon::None, MsgButtons::Ok);
    return false;
}

void FactoryTools::RunFlashCheck() {
    uclTzif& link = window_.Link();
    ShowWriteProgress();
    if (!FlashStep(link.BodyDataClear(), "Clear log data failed", 5434)) return;
    if (!FlashStep(link.PowerDataClear(), "Clear power log failed", 5471)) return;
    if (!FlashStep(link.SetCheckData(), "Write check data failed", 5473)) return;
    const int from = window_.TickCount();
    while (window_.TickCount() - from < SettleTicks) context_.Loop().Yield();

    // The download runs in the progress window's download mode, with Cancel.
    frmUpload::Unload();
    const LoggerImageResult image = DownloadLoggerImage();
    if (!image.Ok) {
        window_.AddInfo(Msg(5461), Red);
        link.AddLog(LoadMessage(5574));
        return;
    }

    ShowWriteProgress();
    if (!FlashStep(link.BodyDataClear(), "Clear log data failed", 5434)) return;
    if (!FlashStep(link.PowerDataClear(), "Clear power log failed", 5471)) return;
    frmUpload::Unload();

    const std::string& checkFile = window_.CheckDataFile();
    if (!CheckFileUsable(checkFile)) {
        window_.AddInfo(Msg(30926, {checkFile}), Red);
        return;
    }
    const bool equal = CompareCheckFile(checkFile, window_.LocalSettingsFile());
    window_.AddInfo(Msg(5388, {equal ? "OK" : "NG"}), equal ? Green : Red);
}

// ---- Calibration factors ----

void FactoryTools::PaintRateCell(Integer channel) {
    if (auto* grid = window_.findChild<SettingsGrid*>(QStringLiteral("vfgOption")))
        grid->CellBackColor(static_cast<int>(channel) + 2, static_cast<int>(GridColumn::Rate), Red);
}

void FactoryTools::UpdateCalibrationFactors() {
    if (window_.Busy()) return;
    if (context_.Dialogs().MsgBox(LoadMessage(5676), LoadMessage(5678), MsgIcon::Question, MsgButtons::YesNo) !=
        MsgAnswer::Yes)
        return;
    ProgramState& program = context_.Program();
    auto* grid = window_.findChild<SettingsGrid*>(QStringLiteral("vfgOption"));
    std::array<std::string, 6> rates;
    for (Integer ch = 0; ch < 6; ++ch)
        if (grid && grid->Rows() > ch + 2)
            rates[static_cast<std::size_t>(ch)] = grid->CellText(static_cast<int>(ch) + 2, static_cast<int>(GridColumn::Rate));
    const FactorDatas datas = BuildCalibrationFactorDatas(program.Instrument, rates);
    if (!datas.Ok) {
        if (datas.Channel >= 0) PaintRateCell(datas.Channel);
        context_.Dialogs().MsgBox(datas.Reason, LoadMessage(5678), MsgIcon::Stop, MsgButtons::Ok);
        return;
    }
    window_.SetBusy(true);
    window_.AddInfo(Msg(5678), Green);
    std::string failes;
    const bool ok = window_.Link().UpdateCalibrationFactor(datas.Datas, failes);
    const std::array<bool, 6> refused = RefusedFactorChannels(failes);
    for (Integer ch = 0; ch < 6; ++ch)
        if (refused[static_cast<std::size_t>(ch)]) PaintRateCell(ch);
    auto* suffix = window_.findChild<QLineEdit*>(QStringLiteral("txtSuffix"));
    std::string reportError;
    if (!WriteSettingsReport(program.Instrument, ReportMode::WriteSpan, program.LogFolder,
                             suffix ? FromQ(suffix->text()) : program.FactoryRecordSuffix, context_.Loop().Now(),
                             &reportError))
        window_.AddInfo(ToQ(reportError), Red);
    window_.SetBusy(false);
    context_.Dialogs().MsgBox(CalibrationFactorResultText(ok, failes), MainTitle(), MsgIcon::None, MsgButtons::Ok);
}

// ---- EEPROM dump listing ----

void FactoryTools::EepromDump() {
    if (window_.Busy()) return;
    uclTzif& link = window_.Link();
    ProgramState& program = context_.Program();
    // The listing competes with nothing: not with the gas poll, not with a span run.
    if (link.RunDensty() || program.ProgressMode == 4) {
        context_.Dialogs().MsgBox(LoadMessage(5367), LoadMessage(5368), MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    if (context_.Dialogs().MsgBox(LoadMessage(5379), LoadMessage(5378), MsgIcon::Question, MsgButtons::YesNo) !=
        MsgAnswer::Yes)
        return;
    program.ProgressMode = 1;
    frmUpload& progress = frmUpload::Load(context_);
    progress.Title(LoadMessage(6019));
    progress.Message(LoadMessage(5445));
    progress.ShowWindow();
    window_.SetBusy(true);
    window_.AddInfo(Msg(5463, {}), Brown);
    const Date start = context_.Loop().Now();
    link.AddLog(LoadMessage(5569, {FormatGeneralDate(start)}));
    const bool ok = link.GetRomDump2((program.LogFolder / "DumpEF.dat").string());
    const Date end = context_.Loop().Now();
    const bool cancelled = !ok && link.Cancel();
    if (ok)
        link.AddLog(LoadMessage(5570, {FormatGeneralDate(end), Elapsed(start, end)}));
    else
        link.AddLog(LoadMessage(5571, {FormatGeneralDate(end)}));
    frmUpload::Unload();
    program.ProgressMode = 0;
    window_.SetBusy(false);
    if (ok)
        window_.AddInfo(Msg(5464, {}), Brown);
    else
        window_.AddInfo(cancelled ? Msg(5462) : Msg(5571, {FormatGeneralDate(end)}), Red);
}

}  // namespace tz::ui
