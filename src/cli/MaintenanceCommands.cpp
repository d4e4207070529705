// The maintenance operations: clear-logger, clear-power-log, default, restore-factory,
// write-check-data, power-off. Each asks for confirmation on a terminal unless --yes.
#include <array>

#include "cli/CliText.h"
#include "cli/ProgressText.h"
#include "cli/CommandTable.h"
#include "link/ResponseReceived.h"

namespace tz::cli {

namespace {

// A text of the catalogue, or a literal where the program has none.
struct Words {
    int message = 0;
    const char* literal = "";
    std::string Get() const { return message ? Text(message) : std::string(literal); }
};

struct Maintenance {
    std::string_view name;
    std::string_view summary;
    Words question, start, success, failure;
    bool (uclTzif::*operation)();
};

constexpr std::array<Maintenance, 6> kMaintenance = {{
    {"clear-logger", "clear the instrument's logged data", {5343}, {5433}, {5434}, {5435}, &uclTzif::BodyDataClear},
    {"clear-power-log", "clear the instrument's power log", {0, "Clear Power Log ?"}, {5470}, {5471}, {5472},
     &uclTzif::PowerDataClear},
    {"default", "reset the instrument to its default settings", {5374}, {5466}, {5467}, {5468},
     &uclTzif::DefaultInstrument},
    {"restore-factory", "restore the instrument's factory settings", {5264}, {5428}, {5259}, {5260},
     &uclTzif::RestoreFactorySet},
    {"write-check-data", "fill the logger memory with the check pattern", {5309}, {5428}, {5429},
     {0, "Write check data failed"}, &uclTzif::SetCheckData},
    {"power-off", "switch the instrument off", {5347}, {5406}, {5407}, {5408}, &uclTzif::BodyPowerOff},
}};

// Switching off reports success whatever happened; whether the instrument answered tells.
bool Succeeded(const Maintenance& m, bool result) {
    return m.operation == &uclTzif::BodyPowerOff ? result && ResponseReceived : result;
}

int RunMaintenance(CliContext& context, const Maintenance& m) {
    uclTzif& link = context.Link();
    if (!context.Confirm(m.question.Get())) {
        context.Io().err << "Nothing done.\n";
        return ExitDeclined;
    }
    context.Io().err << m.start.Get() << "\n";
    const Date start = context.Now();
    context.ShowProgress([&] { return WaitProgressText(m.start.Get(), context.SecondsSince(start)); });
    const bool ok = Succeeded(m, (link.*(m.operation))());
    if (ok)
        context.CompleteProgress();
    else
        context.ShowProgress({});
    context.RequireOk(ok, m.failure.Get());
    context.Io().out << m.success.Get() << "\n";
    return ExitSuccess;
}

template <std::size_t I>
int Handler(CliContext& context, const ParsedArgs&) {
    return RunMaintenance(context, kMaintenance[I]);
}

template <std::size_t I>
CliCommand Row() {
    return {kMaintenance[I].name, "", kMaintenance[I].summary, "Asks for confirmation on a terminal unless --yes.",
            {}, 0, 0, Handler<I>};
}

}  // namespace

std::vector<CliCommand> MaintenanceCommandRows() { return {Row<0>(), Row<1>(), Row<2>(), Row<3>(), Row<4>(), Row<5>()}; }

}  // namespace tz::cli
