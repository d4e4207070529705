#include "cli/CliContext.h"

#include <algorithm>
#include <cmath>

#include "app/InstrumentRead.h"
#include "cli/CliText.h"
#include "cli/ProgressText.h"
#include "cli/SessionParts.h"
#include "link/ReadTable.h"
#include "link/ResponseReceived.h"
#include "text/DateTime.h"

namespace tz::cli {

namespace {

constexpr int kTickMs = 100;
constexpr double kSecondsPerDay = 86400.0;

// A connection attempt is given up after about a second; a few seconds more cover a slow port.
double HandshakeLimitSeconds(int attempts) { return attempts * 1.5 + 3.0; }

// Position of a read command in the complete read, counting only the commands sent.
int ReadPosition(const std::string& body) {
    int position = 0;
    for (int i = 0; i <= ReadTableLastSent; ++i) {
        const std::string& entry = ReadTable()[static_cast<std::size_t>(i)];
        if (entry.empty()) continue;
        ++position;
        if (entry == body) return position;
    }
    return 0;
}

constexpr int kReadCommands = 328;

}  // namespace

CliContext::CliContext(CliIo& io, const GlobalOptions& options, ILinkEnvironment& env, ProgramState& program)
    : io_(io), options_(options), env_(env), program_(program) {}

CliContext::~CliContext() {
    ShowProgress({});
    if (ticker_) env_.Loop().StopTimer(ticker_);
    if (link_) {
        link_->RunDensty(false);
        link_->PortOpen(false);
    }
}

std::filesystem::path CliContext::LogFolder() const {
    return options_.logDir.empty() ? std::filesystem::path(".") : std::filesystem::path(options_.logDir);
}

uclTzif& CliContext::Link() {
    if (!link_) Connect();
    return *link_;
}

void CliContext::Connect() {
    port_ = std::make_unique<SentFramesPort>(env_.Serial());
    listener_ = std::make_unique<SessionListener>();
    link_ = std::make_unique<uclTzif>(*port_, env_.Irda(), env_.Loop());
    listener_->onTransmit = [this] { CheckCancel(); };
    link_->SetListener(listener_.get());
    link_->LogFolder(LogFolder().string());
    link_->Timeout(program_.Timeout);
    ticker_ = env_.Loop().StartTimer(kTickMs, [this] { Tick(); });
    if (!env_.ChoosePort(*link_, program_, options_.port))
        throw CliFailure(ExitUsage,
                         "No instrument port: no USB infrared module was found. Name the instrument's "
                         "serial device with --port DEVICE.");
    if (!link_->PortOpen()) {
        const std::string device = options_.port.empty() ? env_.Serial().DeviceName() : options_.port;
        std::string message = "Cannot open port " + device + ": " + env_.Serial().LastError();
        if (!device.empty() && device.find_first_not_of("0123456789") == std::string::npos)
            message += "\n'tz7300 ports' lists the port numbers.";
        throw CliFailure(ExitInstrument, message);
    }
    WaitForConnection();
}

void CliContext::WaitForConnection() {
    // The handshake counts its attempts against Retry; at least one attempt is always made.
    const int attempts = std::max(1, static_cast<int>(program_.Retry));
    link_->Retry(static_cast<Integer>(attempts));
    const Date deadline = Now() + HandshakeLimitSeconds(attempts) / kSecondsPerDay;
    while (!link_->Connected()) {
        CheckInterrupted();
        if (listener_->alarmed || Now() > deadline) {
            link_->AddLog(Text(5522, {FormatGeneralDate(Now())}));
            throw CliFailure(ExitInstrument, Text(5417));
        }
        env_.Loop().Yield();
    }
    link_->Retry(program_.Retry);
}

void CliContext::CheckCancel() {
    if (env_.Interrupted() && link_) link_->Cancel(true);
}

void CliContext::Tick() {
    CheckCancel();
    if (!progress_ || !io_.errIsTerminal) return;
    std::string text = progress_();
    if (text == shownProgress_) return;
    shownProgress_ = text;
    io_.err << "\r\x1b[K" << text << std::flush;
}

void CliContext::ShowProgress(std::function<std::string()> text) {
    if (!text && !shownProgress_.empty() && io_.errIsTerminal) io_.err << "\r\x1b[K" << std::flush;
    shownProgress_.clear();
    progress_ = std::move(text);
}

void CliContext::CompleteProgress() {
    if (progress_ && io_.errIsTerminal) io_.err << "\r\x1b[K" << progress_() << "\n" << std::flush;
    progress_ = {};
    shownProgress_.clear();
}

void CliContext::CheckInterrupted() {
    if (env_.Interrupted()) throw CliFailure(ExitInterrupted, Text(5462));
}

void CliContext::RequireOk(bool ok, const std::string& failure) {
    if (ok) return;
    CheckInterrupted();
    throw CliFailure(ExitInstrument, ResponseReceived ? failure : NoReplyText());
}

std::string CliContext::NoReplyText() const {
    return Text(5417) + "\nNo reply came within the reply timeout of " + std::to_string(program_.Timeout) +
           " s; an instrument that answers later needs a larger --timeout.";
}

void CliContext::ReadInstrument(clsInstrument& record) {
    uclTzif& link = Link();
    const Date start = Now();
    link.AddLog(Text(5517, {FormatGeneralDate(start)}));
    ShowProgress([this] { return ReadProgressText(ReadPosition(port_->LastBody()), kReadCommands); });
    const bool ok = link.GetInstrument(&record);
    if (ok)
        CompleteProgress();
    else
        ShowProgress({});
    FinishInstrumentRead(record, program_, ok);
    if (!ok) ReportReadFailure(record);
    // The histories complete the summary; the settings are already read when they fail.
    link.GetLatestHistory(&record);
    link.GetLatestBumpHistory(&record);
    link.AddLog(Text(5519, {FormatGeneralDate(Now()), FormatGeneralDate(Now() - start).substr(11)}));
}

void CliContext::ReportReadFailure(const clsInstrument& record) {
    link_->AddLog(Text(5520) + " " + record.FailLine());
    link_->AddLog(Text(5521, {FormatGeneralDate(Now())}));
    CheckInterrupted();
    if (!ResponseReceived) throw CliFailure(ExitInstrument, NoReplyText());
    // The command that failed is the last one sent.
    std::string message = Text(5416) + " (" + port_->LastBody() + ")";
    if (record.FailLine() == "HC,R") message += "\n" + Text(5590);
    throw CliFailure(ExitInstrument, message);
}

bool CliContext::Confirm(const std::string& question) {
    if (options_.yes) return true;
    if (!io_.inIsTerminal)
        throw CliFailure(ExitUsage, question + "\nNot asked without a terminal: give --yes to go ahead.");
    io_.err << question << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(io_.in, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES" || answer == "Yes";
}

std::vector<std::string> CliContext::TakeSentBodies() { return port_ ? port_->TakeBodies() : std::vector<std::string>{}; }

std::size_t CliContext::SentCount() const { return port_ ? port_->PendingCount() : 0; }

std::string CliContext::LastDumpMessage() const { return listener_ ? listener_->lastDumpMessage : std::string(); }

void CliContext::OnReadings(ReadingsHandler handler) {
    Link();
    listener_->onReadings = std::move(handler);
}

}  // namespace tz::cli
