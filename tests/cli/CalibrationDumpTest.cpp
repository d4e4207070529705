// zero and span calibration, and the memory dumps, against the simulated instrument.
#include <gtest/gtest.h>

#include "cli/CliTestRig.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;
using tz::testing::WriteWholeFile;

class CalibrationCommands : public ::testing::Test {
protected:
    SimEnvironment env;
    FileTestFolder folder;
    // Calibrations ask for confirmation; --yes answers it.
    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "--yes");
        return RunTz(env, folder.Path(), std::move(args));
    }
    bool Sent(const std::string& body) const {
        const auto& c = env.sim.ReceivedCommands();
        return std::find(c.begin(), c.end(), body) != c.end();
    }
};

TEST_F(CalibrationCommands, Zero_AllChannelsRequestedResultsPrintedPumpOffAfterwards) {
    const CliResult r = Run({"zero"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(env.sim.State().maintenance.zeroRequest, "111111");
    EXPECT_NE(r.out.find("CH4  Adjustment Complete."), std::string::npos) << r.out;
    EXPECT_TRUE(Sent("BP,W,1"));
    EXPECT_EQ(env.sim.ReceivedCommands().back(), "BP,W,0");
    EXPECT_FALSE(env.sim.State().maintenance.pumpOn);
}

// Without --yes: a terminal's "n" exits 4, no terminal exits 2; either way the pump never ran and
// no calibration was asked for. A "y" goes ahead.
TEST_F(CalibrationCommands, Confirmation_NoOrNoTerminalStartsNothing) {
    const struct {
        std::vector<std::string> args;
        const char* answer;  // nullptr: no terminal
        int code;
        const char* question;
    } cases[] = {
        {{"zero"}, "n\n", 4, "Zero calibration of every channel"},
        {{"zero"}, nullptr, 2, "Zero calibration of every channel"},
        {{"span", "--select", "101000"}, "n\n", 4, "Span calibration of channel(s) 1 (CH4), 3 (H2S)"},
        {{"span", "--select", "100000"}, nullptr, 2, "Span calibration of channel(s) 1 (CH4)"},
    };
    for (const auto& c : cases) {
        SimEnvironment fresh;
        const std::string answer = c.answer ? c.answer : "";
        const CliResult r = RunTz(fresh, folder.Path(), c.args, c.answer ? &answer : nullptr);
        EXPECT_EQ(r.code, c.code) << c.args[0];
        EXPECT_NE(r.err.find(c.question), std::string::npos) << r.err;
        const auto& sent = fresh.sim.ReceivedCommands();
        EXPECT_EQ(std::find(sent.begin(), sent.end(), "BP,W,1"), sent.end()) << c.args[0];
        EXPECT_TRUE(fresh.sim.State().maintenance.zeroRequest.empty());
        EXPECT_TRUE(fresh.sim.State().maintenance.spanRequest.empty());
    }
    const std::string yes = "y\n";
    EXPECT_EQ(RunTz(env, folder.Path(), {"zero"}, &yes).code, 0);
    EXPECT_EQ(env.sim.State().maintenance.zeroRequest, "111111");
}

TEST_F(CalibrationCommands, ZeroWithAFailingChannel_ExitOneNamingIt) {
    env.sim.State().maintenance.zeroPasses[2] = false;
    const CliResult r = Run({"zero"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("H2S  Failed"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("O2  Adjustment Complete."), std::string::npos);
    EXPECT_FALSE(env.sim.State().maintenance.pumpOn);
}

TEST_F(CalibrationCommands, Span_SelectedChannelsWithGivenConcentrations) {
    const CliResult r = Run({"span", "--select", "101000", "--conc", "50,*,25,*,*,*"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string& request = env.sim.State().maintenance.spanRequest;
    EXPECT_EQ(request.substr(0, 30), "101000,   50,*****, 25.0,*****") << request;
    EXPECT_EQ(env.sim.State().record.CalibAfter(0), 50.0f);
    EXPECT_NE(r.out.find("CH4  Adjustment Complete."), std::string::npos);
    EXPECT_NE(r.out.find("H2S  Adjustment Complete."), std::string::npos);
    EXPECT_EQ(r.out.find("O2 "), std::string::npos) << "an unselected channel is not listed";
}

TEST_F(CalibrationCommands, SpanBadRequests_ExitTwoAndNoCalibration) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"span"}, {"span", "--select", "000000"}, {"span", "--select", "10100"},
          {"span", "--select", "000001"},  // channel 6 is not fitted
          {"span", "--select", "100000", "--conc", "500,*,*,*,*,*"},
          {"span", "--select", "100000", "--conc", "50,*"}}) {
        EXPECT_EQ(Run(args).code, 2) << args.back();
    }
    EXPECT_TRUE(env.sim.State().maintenance.spanRequest.empty());
}

TEST_F(CalibrationCommands, DumpsWithoutDebugMode_Refused) {
    EXPECT_EQ(Run({"dump-eeprom", (folder / "e.dat").string()}).code, 2);
    EXPECT_EQ(Run({"dump-flash", (folder / "f.img").string()}).code, 2);
    EXPECT_TRUE(env.sim.ReceivedCommands().empty());
}

TEST_F(CalibrationCommands, DumpFlashBlockRange_LaysTheBlocksIntoAFreshImage) {
    const auto file = folder / "flash.img";
    const CliResult r = Run({"--debug", "dump-flash", file.string(), "--blocks", "5-6"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string image = ReadWholeFile(file);
    ASSERT_EQ(image.size(), 1048576u);
    const auto& memory = env.sim.State().memory;
    EXPECT_TRUE(std::equal(memory.begin() + 2560, memory.begin() + 3584,
                           reinterpret_cast<const unsigned char*>(image.data()) + 2560));
    EXPECT_EQ(static_cast<unsigned char>(image[0]), 255);
}

TEST_F(CalibrationCommands, DumpFlashBadRange_ExitTwo) {
    for (const char* range : {"7-3", "0-2048", "a-b", "-1"})
        EXPECT_EQ(Run({"--debug", "dump-flash", (folder / "f.img").string(), "--blocks", range}).code, 2) << range;
}

// One lost reply in twenty: every whole-image dump meets timeouts; the command continues each
// from the block that timed out until the image is complete.
TEST_F(CalibrationCommands, DumpFlashWithDroppedReplies_ImageCompleteEachBlockFetchedOnceMore) {
    SimFaults lossy;
    lossy.seed = 11;
    lossy.dropReply = 0.05;
    env.sim.SetFaults(lossy);
    const auto file = folder / "flash.img";
    const CliResult r = Run({"--debug", "dump-flash", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string image = ReadWholeFile(file);
    const auto& memory = env.sim.State().memory;
    ASSERT_EQ(image.size(), memory.size());
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), reinterpret_cast<const unsigned char*>(image.data())));
    const auto& sent = env.sim.ReceivedCommands();
    const auto asks = std::count_if(sent.begin(), sent.end(), [](const std::string& c) { return c.rfind("EP,R,", 0) == 0; });
    EXPECT_GT(env.sim.Dropped(), 50);
    EXPECT_LE(asks, 2048 + env.sim.Dropped()) << "a block that arrived is never fetched again";
}

// An instrument that stops answering the dump: exit 1, the old image byte for byte as it was and
// no temporary image left beside it (the communication log may be written there).
TEST_F(CalibrationCommands, DumpFlashSilentInstrument_ExitOneOldFileUntouched) {
    const auto file = folder / "flash.img";
    const std::string before(1048576, '\x42');
    WriteWholeFile(file, before);
    SimFaults silent;
    silent.refused = {"EP,R"};
    silent.refuseSilently = true;
    env.sim.SetFaults(silent);
    const CliResult r = Run({"--debug", "dump-flash", file.string()});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_TRUE(ReadWholeFile(file) == before);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "flash.img" || name.find("flash.img") == std::string::npos) << name;
    }
}

TEST_F(CalibrationCommands, DumpEeprom_WritesTheListing) {
    const auto file = folder / "DumpEF.dat";
    const CliResult r = Run({"--debug", "dump-eeprom", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string listing = ReadWholeFile(file);
    EXPECT_NE(listing.find("Adrs   +0 +1"), std::string::npos);
    EXPECT_NE(listing.find("Total Download Time = "), std::string::npos);
}

TEST_F(CalibrationCommands, DumpEepromInterrupted_Exit130AndNoFile) {
    env.interrupt = [this] { return env.sim.ReceivedCommands().size() > 1; };
    SimFaults slow;
    slow.replyDelayMs = 50;
    env.sim.SetFaults(slow);
    const auto file = folder / "DumpEF.dat";
    const CliResult r = Run({"--debug", "dump-eeprom", file.string()});
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()) ||
                !std::filesystem::exists(file));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().string().find("DumpEF"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace tz::cli::test
