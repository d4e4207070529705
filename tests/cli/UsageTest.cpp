// The command line's own rules: help texts, usage errors and their exit code, option forms.
#include <gtest/gtest.h>

#include <array>
#include <cctype>

#include "cli/CliArgs.h"
#include "cli/CliTestRig.h"
#include "cli/CommandTable.h"

namespace tz::cli::test {
namespace {

TEST(CliUsage, ProgramHelp_ListsEveryCommandAndExitsZero) {
    SimEnvironment env;
    const CliResult r = RunArgs(env, {"--help"});
    EXPECT_EQ(r.code, 0);
    for (const CliCommand& command : Commands())
        EXPECT_NE(r.out.find("  " + std::string(command.name)), std::string::npos) << command.name;
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST(CliUsage, CommandHelp_ShowsItsUsageAndOptionsWithoutTouchingTheInstrument) {
    for (const CliCommand& command : Commands()) {
        SimEnvironment env;
        const CliResult r = RunArgs(env, {std::string(command.name), "--help"});
        EXPECT_EQ(r.code, 0) << command.name;
        EXPECT_NE(r.out.find("Usage: tz7300 [options] " + std::string(command.name)), std::string::npos);
        for (const OptionRule& option : command.options)
            EXPECT_NE(r.out.find("--" + std::string(option.name)), std::string::npos) << command.name;
        EXPECT_TRUE(env.sim.ReceivedCommands().empty()) << command.name;
    }
}

TEST(CliUsage, VersionAndShortHelp_AnsweredWithoutTouchingTheInstrument) {
    SimEnvironment env;
    const CliResult version = RunArgs(env, {"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("tz7300 ", 0), 0u) << version.out;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(version.out.at(7)))) << version.out;
    EXPECT_EQ(RunArgs(env, {"-h"}).out, ProgramHelp());
    EXPECT_EQ(RunArgs(env, {"load", "-h"}).out, CommandHelp(*FindCommand("load")));
    EXPECT_NE(ProgramHelp().find("4 a confirmation\nwas answered no"), std::string::npos);
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST(CliUsage, HelpCommand_NamesTheCommandAsked) {
    SimEnvironment env;
    const CliResult r = RunArgs(env, {"help", "diff"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Usage: tz7300 [options] diff"), std::string::npos);
}

struct UsageCase {
    std::vector<std::string> args;
    std::string errorPart;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    for (const std::string& arg : c.args) *os << arg << ' ';
}

class CliUsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageErrors, ExitTwoWithAPlainReasonAndNothingSent) {
    SimEnvironment env;
    std::vector<std::string> args = {"--port", SimDevice};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliResult r = RunArgs(env, args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(GetParam().errorPart), std::string::npos) << r.err;
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliUsageErrors,
    ::testing::Values(UsageCase{{}, "no command given"}, UsageCase{{"fly"}, "unknown command \"fly\""},
                      UsageCase{{"--colour", "info"}, "unknown option --colour"},
                      UsageCase{{"info", "--csv", "x"}, "unknown option --csv"},
                      UsageCase{{"info", "extra"}, "usage: tz7300 info"},
                      UsageCase{{"save"}, "usage: tz7300 save"},
                      UsageCase{{"--timeout", "soon", "info"}, "--timeout takes a whole number"},
                      UsageCase{{"--retry", "-1", "info"}, "--retry takes a whole number"},
                      UsageCase{{"--lang", "fr", "info"}, "--lang takes en or ja"},
                      UsageCase{{"--settings", "fast", "info"}, "--settings takes baud,parity"},
                      UsageCase{{"info", "--port"}, "option --port needs a value"},
                      UsageCase{{"--debug=yes", "info"}, "option --debug takes no value"},
                      UsageCase{{"monitor", "--seconds", "0"}, "--seconds takes a whole number"},
                      UsageCase{{"monitor", "--seconds=0"}, "--seconds takes a whole number"},
                      UsageCase{{"raed"}, "unknown command \"raed\" (did you mean \"read\"?)"},
                      UsageCase{{"stat1ons"}, "(did you mean \"stations\"?)"},
                      UsageCase{{"xyzzy"}, "unknown command \"xyzzy\"; run"}),
    [](const ::testing::TestParamInfo<UsageCase>& info) {
        std::string name = "Case" + std::to_string(info.index);
        for (const std::string& arg : info.param.args)
            for (char c : arg)
                if (std::isalnum(static_cast<unsigned char>(c))) name += c;
        return name;
    });

TEST(CliArgs, OptionsAnywhereAndInlineValues_AreRead) {
    const CommandLine line = SplitCommandLine({"diff", "--timeout=5", "a.seq", "--port", "/dev/x", "b.seq"});
    EXPECT_EQ(line.command, "diff");
    EXPECT_EQ(line.global.timeout, 5);
    EXPECT_EQ(line.global.port, "/dev/x");
    EXPECT_EQ(line.rest, (std::vector<std::string>{"a.seq", "b.seq"}));
}

TEST(CliArgs, CommandOptionsTakeInlineValuesAndTheLastOneCounts) {
    const std::array<OptionRule, 2> rules = {{{"json", "FILE", ""}, {"all", "", ""}}};
    const ParsedArgs parsed = ParseCommandArgs({"--json=a.json", "x", "--all", "--json", "b=c.json"}, rules);
    EXPECT_EQ(parsed.Value("json"), "b=c.json");
    EXPECT_TRUE(parsed.Has("all"));
    EXPECT_EQ(parsed.positional, std::vector<std::string>{"x"});
    EXPECT_TRUE(SplitCommandLine({"info", "-h"}).global.help);
}

TEST(CliArgs, DoubleDash_EndsOptionsSoAFileMayStartWithDashes) {
    const CommandLine line = SplitCommandLine({"save", "--", "--odd.seq"});
    const ParsedArgs parsed = ParseCommandArgs(line.rest, {});
    EXPECT_EQ(parsed.positional, std::vector<std::string>{"--odd.seq"});
}

}  // namespace
}  // namespace tz::cli::test
