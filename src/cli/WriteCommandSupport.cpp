#include "cli/WriteCommandSupport.h"

#include "cli/CliText.h"
#include "cli/ProgressText.h"
#include "link/WritePlan.h"
#include "text/DateTime.h"

namespace tz::cli {

namespace {

const char* LevelName(LevelKind level) {
    switch (level) {
    case LevelKind::Warning: return "warning";
    case LevelKind::Alarm: return "alarm";
    case LevelKind::Stel: return "STEL";
    case LevelKind::Twa: return "TWA";
    }
    return "level";
}

std::string Names(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text.empty() ? "none" : text;
}

}  // namespace

std::string StoppedWriteText(const StoppedWrite& stopped, bool interrupted) {
    const std::size_t total = stopped.written.size() + stopped.unconfirmed.size() + stopped.notWritten.size();
    std::string text = std::string(interrupted ? "Writing interrupted" : "Writing failed") + " after " +
                       std::to_string(stopped.written.size()) + " of " + std::to_string(total) + " settings.\n";
    text += "Written: " + Names(stopped.written) + "\n";
    if (!stopped.unconfirmed.empty())
        text += "Sent, no reply (may or may not have been taken): " + Names(stopped.unconfirmed) + "\n";
    text += "Not written: " + Names(stopped.notWritten) + "\n";
    if (stopped.closingUnconfirmed) text += "The instrument did not confirm the end of the write.\n";
    return text;
}

std::string RefusalText(const UpdateCheckResult& result, const clsInstrument& record) {
    std::string text = Text(result.TextMessage) + " (" + Text(result.TitleMessage) + ")";
    if (result.Channel < 0) return text;
    text += "\nChannel " + std::to_string(result.Channel + 1) + " (" + Trim(record.GasName(result.Channel)) + ")";
    if (result.Check == UpdateCheck::LevelRange)
        text += result.OrderBroken ? ": warning and alarm are out of order"
                                   : std::string(": ") + LevelName(result.Level) + " is outside its limits";
    return text;
}

UpdateCheckResult RequireChecksPass(const clsInstrument& record, WriteKind kind, bool asDefault) {
    const UpdateCheckResult check = CheckUpdate(record, kind, asDefault);
    if (check.Refused()) throw CliFailure(ExitRefused, RefusalText(check, record));
    return check;
}

bool WriteSettings(CliContext& context, clsInstrument& record, WriteKind kind, bool asDefault,
                   const std::function<void()>& beforeWriting,
                   const std::function<void(const StoppedWrite&)>& onStopped) {
    const UpdateCheckResult check = RequireChecksPass(record, kind, asDefault);
    uclTzif& link = context.Link();
    if (!context.Confirm(Text(check.TextMessage))) {
        context.Io().err << "Nothing written.\n";
        return false;
    }
    if (beforeWriting) beforeWriting();
    MarkForWrite(record, kind);
    const std::vector<std::string> planned = PlannedWrites(record);
    context.TakeSentBodies();
    link.AddLog(Text(5535, {FormatGeneralDate(context.Now())}));
    context.Io().err << Text(5428) << "\n";
    context.ShowProgress([&context] { return WriteProgressText(context.SentCount()); });
    const bool ok = link.SetInstrument(&record, asDefault);
    if (ok) {
        context.CompleteProgress();
    } else {
        context.ShowProgress({});
        const StoppedWrite stopped = SplitStoppedWrite(planned, context.TakeSentBodies());
        context.Io().err << StoppedWriteText(stopped, context.Environment().Interrupted());
        if (onStopped) onStopped(stopped);
    }
    context.RequireOk(ok, "Writing the settings failed.");
    context.Io().err << Text(5429) << "\n";
    return true;
}

void AppendReport(CliContext& context, const clsInstrument& record, ReportMode mode) {
    std::string error;
    const std::string& suffix = context.Program().FactoryRecordSuffix;
    if (!WriteSettingsReport(record, mode, context.LogFolder(), suffix, context.Now(), &error))
        context.Io().err << "Cannot add the report line: " << error << "\n";
}

}  // namespace tz::cli
