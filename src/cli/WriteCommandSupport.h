#pragma once
// The steps that writing settings shares between load and write-ids: the checks of "Update", the
// question, marking what is written, the write itself, and the report line.
#include <functional>

#include "cli/CliContext.h"
#include "cli/WriteVerify.h"
#include "instrument/SettingsReport.h"
#include "instrument/UpdateChecks.h"

namespace tz::cli {

// The lines that say how far a stopped write came.
std::string StoppedWriteText(const StoppedWrite& stopped, bool interrupted);

// The refusal of a check as printed: the catalogue text, and the channel and level at fault.
std::string RefusalText(const UpdateCheckResult& result, const clsInstrument& record);

// The checks alone: CliFailure(ExitRefused) with the refusal's text when one refuses; otherwise
// the question to ask.
UpdateCheckResult RequireChecksPass(const clsInstrument& record, WriteKind kind, bool asDefault);

// Runs the checks (exit 3 when one refuses), asks the question (false when the answer is no;
// nothing is written then), marks the record and writes it. `beforeWriting`, when given, runs once
// the checks and the question have let the write go ahead, just before the first command is sent
// (the backup of `load`). A write that fails or is interrupted part-way prints which settings
// were written, which were sent without a reply and which were not written, calls `onStopped`
// (when given) with them, and then throws CliFailure (exit 1, or 130 when interrupted).
bool WriteSettings(CliContext& context, clsInstrument& record, WriteKind kind, bool asDefault,
                   const std::function<void()>& beforeWriting = {},
                   const std::function<void(const StoppedWrite&)>& onStopped = {});

// Adds the report line of a write to the settings report of the log folder.
void AppendReport(CliContext& context, const clsInstrument& record, ReportMode mode);

}  // namespace tz::cli
