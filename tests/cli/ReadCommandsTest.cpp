// info, read, save, report and monitor against the simulated instrument, and the failures every
// command shares: no port, a port that does not open, a silent instrument, an interruption.
#include <gtest/gtest.h>

#include "cli/CliTestRig.h"
#include "instrument/Json.h"
#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"
#include "link/RecordCompare.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

class ReadCommands : public ::testing::Test {
protected:
    SimEnvironment env;
    FileTestFolder folder;
    CliResult Run(std::vector<std::string> args) { return RunTz(env, folder.Path(), std::move(args)); }
};

TEST_F(ReadCommands, Info_PrintsIdentityClockAndChannelTable) {
    const CliResult r = Run({"info"});
    ASSERT_EQ(r.code, 0) << r.err;
    const clsInstrument& sim = env.sim.State().record;
    EXPECT_NE(r.out.find("Serial No.: " + sim.SerialNo()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ROM: " + std::to_string(sim.RomNumber())), std::string::npos);
    EXPECT_NE(r.out.find("TZ-7300 Date/Time: "), std::string::npos);
    EXPECT_NE(r.out.find("Ch  Gas"), std::string::npos);
    // Channel 3 holds hydrogen sulphide in ppm: warning 5.0, alarm 10.0 in one decimal.
    EXPECT_NE(r.out.find("H2S  30.0 ppm"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("TZ-7300 Analog to Digital Converter Values List"), std::string::npos);
    EXPECT_NE(r.out.find("PID list (10.6eV)"), std::string::npos);
}

TEST_F(ReadCommands, ReadJson_RecordEqualsSimulatedInstrument) {
    const auto file = folder / "read.json";
    const CliResult r = Run({"read", "--json", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    clsInstrument read;
    const RecordJsonResult parsed = RecordFromJson(ReadWholeFile(file), read);
    ASSERT_TRUE(parsed.Ok) << parsed.Error;
    EXPECT_EQ(tz::test::ReadValueDifferences(read, RecordAsRead(env.sim.State())), std::vector<std::string>{});
}

// The record of read --json, and the converter channels with their readings and checks.
TEST_F(ReadCommands, InfoJson_RecordOfReadJsonPlusConverterValues) {
    const CliResult r = Run({"info", "--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    clsInstrument read;
    const RecordJsonResult parsed = RecordFromJson(r.out, read);
    ASSERT_TRUE(parsed.Ok) << parsed.Error;
    EXPECT_EQ(tz::test::ReadValueDifferences(read, RecordAsRead(env.sim.State())), std::vector<std::string>{});

    const JsonValue root = ParseJson(r.out);
    const JsonValue* converter = root.Find("Converter");
    ASSERT_NE(converter, nullptr);
    ASSERT_EQ(converter->Items().size(), 16u);
    const clsInstrument& sim = env.sim.State().record;
    const JsonValue& ch0 = converter->Items().front();
    EXPECT_EQ(ch0.Find("Label")->Text(), "ch0 PRES.");
    EXPECT_EQ(ch0.Find("Reading")->Text(), std::to_string(sim.AnalogValue(0)));
    EXPECT_EQ(ch0.Find("Value")->Text(), std::to_string(std::lround(sim.AnalogValue(0) * 3300.0 / 4096.0)));
    EXPECT_EQ(ch0.Find("Unit")->Text(), "mV");
    EXPECT_EQ(ch0.Find("InRange")->type(), JsonValue::Type::Bool);
    const JsonValue& unchecked = converter->Items()[10];
    EXPECT_EQ(unchecked.Find("Label")->Text(), "ch14 SM1 RS");
    EXPECT_TRUE(unchecked.Find("InRange")->IsNull());
    EXPECT_EQ(converter->Items().back().Find("Unit")->Text(), "");
}

TEST_F(ReadCommands, ReadJson_DashWritesStandardOutput) {
    const CliResult r = Run({"read", "--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    clsInstrument read;
    EXPECT_TRUE(RecordFromJson(r.out, read).Ok);
    EXPECT_EQ(read.SerialNo(), env.sim.State().record.SerialNo());
}

TEST_F(ReadCommands, Progress_OnATerminalOnly) {
    SimFaults slow;
    slow.replyDelayMs = 5;
    env.sim.SetFaults(slow);
    const std::vector<std::string> args = {"--port", SimDevice, "--log-dir", folder.Path().string(), "info"};
    const CliResult terminal = RunArgs(env, args, nullptr, true);
    ASSERT_EQ(terminal.code, 0);
    EXPECT_NE(terminal.err.find(" of 328"), std::string::npos) << terminal.err;
    const CliResult piped = RunArgs(env, args, nullptr, false);
    ASSERT_EQ(piped.code, 0);
    EXPECT_EQ(piped.err, "");
}

// An instrument that answers 1.5 s late. A timeout that covers the delay reads it exactly; one
// that does not is still read exactly while retries let each answer arrive (the answers to the
// repetitions are dropped as stale); without retries the read fails with exit 1 and says why.
struct LateCase {
    const char* name;
    std::vector<std::string> options;
    int code;
};

class LateInstrument : public ::testing::TestWithParam<LateCase> {};

TEST_P(LateInstrument, ExactRecordOrCleanFailure) {
    SimEnvironment env;
    FileTestFolder folder;
    const auto file = folder / "read.json";
    // The handshake and the first commands answered at once; from 0.2 s on every answer comes
    // 1.5 s after its command.
    SimFaults quick, late;
    quick.replyDelayMs = 10;
    late.replyDelayMs = 1500;
    env.sim.SetFaults(quick);
    env.loop.Post(200, [&] { env.sim.SetFaults(late); });
    std::vector<std::string> args = GetParam().options;
    args.insert(args.end(), {"read", "--json", file.string()});
    const CliResult r = RunTz(env, folder.Path(), args);
    ASSERT_EQ(r.code, GetParam().code) << r.err;
    if (r.code == 0) {
        clsInstrument read;
        ASSERT_TRUE(RecordFromJson(ReadWholeFile(file), read).Ok);
        EXPECT_EQ(tz::test::ReadValueDifferences(read, RecordAsRead(env.sim.State())), std::vector<std::string>{});
    } else {
        EXPECT_NE(r.err.find("TZ-7300 No Response."), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("reply timeout of 1 s"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

INSTANTIATE_TEST_SUITE_P(ReadCommands, LateInstrument,
                         ::testing::Values(LateCase{"TimeoutRaisedTo2", {"--timeout", "2", "--retry", "0"}, 0},
                                           LateCase{"DefaultTimeout", {}, 0},
                                           LateCase{"Timeout1WithRetries", {"--timeout", "1", "--retry", "2"}, 0},
                                           LateCase{"Timeout1WithoutRetries", {"--timeout", "1", "--retry", "0"}, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadCommands, ReadWithoutJson_IsUsageError) { EXPECT_EQ(Run({"read"}).code, 2); }

TEST_F(ReadCommands, Save_WritesTheInstrumentsSettingsFile) {
    const auto file = folder / "unit.seq";
    const CliResult r = Run({"save", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadWholeFile(file), SettingsFileText(RecordAsRead(env.sim.State())));
}

TEST_F(ReadCommands, Report_AppendsOneLinePerRunUnderATitleLine) {
    ASSERT_EQ(Run({"report", "--suffix", "_A"}).code, 0);
    const CliResult second = Run({"report", "--suffix", "_A"});
    ASSERT_EQ(second.code, 0) << second.err;
    const std::string text = ReadWholeFile(folder / "TZ7300_Setting_A.csv");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.substr(text.find('\n') + 1, 5), "Read,");
}

TEST_F(ReadCommands, Report_SuffixThatCouldLeaveTheLogFolder_RefusedBeforeReading) {
    for (const char* suffix : {"A/B", "/..", "..", "A\x01"}) {
        const CliResult r = Run({"report", "--suffix", suffix});
        EXPECT_EQ(r.code, 2) << suffix;
        EXPECT_NE(r.err.find("The character that cannot be used for the file name is included."), std::string::npos);
    }
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(ReadCommands, Monitor_PrintsOneLinePerSecondWithReadings) {
    const CliResult r = Run({"monitor", "--seconds", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 3) << r.out;
    EXPECT_NE(r.out.find("20.9 vol%"), std::string::npos) << r.out;
}

TEST_F(ReadCommands, NoPortNamedAndNoModule_ErrorNamesPortOption) {
    const CliResult r = RunArgs(env, {"--lang", "en", "info"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--port"), std::string::npos) << r.err;
}

TEST_F(ReadCommands, PortThatDoesNotOpen_ExitsOneWithTheReason) {
    const CliResult r = Run({"--port", "/dev/nothing", "info"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("/dev/nothing"), std::string::npos) << r.err;
}

TEST_F(ReadCommands, SilentInstrument_ExitsOneWithNoResponseWithinRetries) {
    SimFaults silent;
    silent.dropReply = 1.0;
    env.sim.SetFaults(silent);
    const CliResult r = Run({"--timeout", "1", "--retry", "2", "info"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("TZ-7300 No Response. Check Port,Cable And Power."), std::string::npos) << r.err;
    // Two handshake attempts of about a second each, and the time to notice the last one failed.
    EXPECT_LE(env.loop.ElapsedMs(), 6000);
}

TEST_F(ReadCommands, InstrumentStopsAnsweringMidRead_ExitsOneAndWritesNoFile) {
    SimFaults faults;
    faults.refused = {"HA,R"};
    faults.refuseSilently = true;
    env.sim.SetFaults(faults);
    const auto file = folder / "x.json";
    const CliResult r = Run({"--retry", "2", "read", "--json", file.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("TZ-7300 No Response."), std::string::npos) << r.err;
    EXPECT_EQ(env.sim.ReceivedCommands().back(), "HA,R,");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ReadCommands, InterruptDuringRead_Exits130AndWritesNoFile) {
    env.interrupt = [this] { return env.sim.ReceivedCommands().size() > 100; };
    const auto file = folder / "cut.json";
    const CliResult r = Run({"read", "--json", file.string()});
    EXPECT_EQ(r.code, 130);
    EXPECT_NE(r.err.find("Cominucation Canceled."), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_LT(env.sim.ReceivedCommands().size(), 328u);
}

}  // namespace
}  // namespace tz::cli::test
