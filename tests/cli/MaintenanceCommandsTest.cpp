// The maintenance operations against the simulated instrument: what each one makes the instrument
// do, confirmation, and failures.
#include <gtest/gtest.h>

#include <functional>

#include "cli/CliTestRig.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;

struct MaintenanceCase {
    const char* command;
    std::function<int(const SimState&)> done;  // how often the instrument carried it out
    const char* success;
};

const MaintenanceCase kCases[] = {
    {"clear-logger", [](const SimState& s) { return s.maintenance.dataClears; }, "TZ-7300 Data Removal Complete."},
    {"clear-power-log", [](const SimState& s) { return s.maintenance.powerDataClears; },
     "TZ-7300 ClearPowerArea Complete ."},
    {"default", [](const SimState& s) { return s.maintenance.defaultResets; }, "TZ-7300 DEFAULT Complete ."},
    {"restore-factory", [](const SimState& s) { return s.maintenance.factoryRestores; },
     "Restore Default Settings ... Finished"},
    {"write-check-data", [](const SimState& s) { return s.maintenance.checks; }, "TZ-7300 Upload Complete."},
    {"power-off", [](const SimState& s) { return s.poweredOff ? 1 : 0; }, "TZ-7300 Auto Power OFF Complete."},
};

void PrintTo(const MaintenanceCase& c, std::ostream* os) { *os << c.command; }

class MaintenanceCommands : public ::testing::TestWithParam<MaintenanceCase> {
protected:
    SimEnvironment env;
    FileTestFolder folder;
};

TEST_P(MaintenanceCommands, WithYes_InstrumentCarriesItOutOnce) {
    const CliResult r = RunTz(env, folder.Path(), {"--yes", GetParam().command});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(GetParam().done(env.sim.State()), 1);
    EXPECT_NE(r.out.find(GetParam().success), std::string::npos) << r.out;
}

TEST_P(MaintenanceCommands, AnsweredNo_NothingDoneExitFour) {
    const std::string no = "n\n";
    const CliResult r = RunTz(env, folder.Path(), {GetParam().command}, &no);
    EXPECT_EQ(r.code, 4);
    EXPECT_NE(r.err.find("[y/N]"), std::string::npos);
    EXPECT_EQ(GetParam().done(env.sim.State()), 0);
}

TEST_P(MaintenanceCommands, NoTerminalNoYes_RefusedWithoutActing) {
    const CliResult r = RunTz(env, folder.Path(), {GetParam().command});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(GetParam().done(env.sim.State()), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, MaintenanceCommands, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.command;
                             std::erase(name, '-');
                             return name;
                         });

TEST(MaintenanceFailures, ClearRefusedByInstrument_ExitOneWithFailureText) {
    SimEnvironment env;
    FileTestFolder folder;
    SimFaults faults;
    faults.refused = {"XC,W"};
    env.sim.SetFaults(faults);
    const CliResult r = RunTz(env, folder.Path(), {"--yes", "clear-logger"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.find("Complete"), std::string::npos) << r.out;
    EXPECT_EQ(env.sim.State().maintenance.dataClears, 0);
}

TEST(MaintenanceFailures, PowerOffUnanswered_ReportedAsFailureNotSuccess) {
    SimEnvironment env;
    FileTestFolder folder;
    SimFaults faults;
    faults.refused = {"RO,W"};
    faults.refuseSilently = true;
    env.sim.SetFaults(faults);
    const CliResult r = RunTz(env, folder.Path(), {"--yes", "--retry", "1", "power-off"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("TZ-7300 No Response."), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tz::cli::test
