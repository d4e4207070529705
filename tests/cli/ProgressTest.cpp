// The progress line on a terminal: what the read, the write, the long waits and the dumps show
// while they run and the final line each leaves, against the simulated instrument at virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "cli/CliTestRig.h"
#include "cli/ProgressText.h"
#include "instrument/SettingsFile.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;

// The texts the progress line showed, in order: each is written after "\r\x1b[K".
std::vector<std::string> Shown(const std::string& err) {
    std::vector<std::string> texts;
    const std::string clear = "\r\x1b[K";
    for (std::size_t at = err.find(clear); at != std::string::npos;) {
        const std::size_t begin = at + clear.size();
        const std::size_t next = err.find(clear, begin);
        std::string text = err.substr(begin, next == std::string::npos ? std::string::npos : next - begin);
        if (const std::size_t end = text.find('\n'); end != std::string::npos) text.erase(end);
        if (!text.empty()) texts.push_back(text);
        at = next;
    }
    return texts;
}

// The progress text that stayed as a line when the operation finished.
std::string FinalLine(const std::string& err, const std::string& start) {
    std::smatch match;
    const std::regex line("\r\x1b\\[K(" + start + "[^\r\n]*)\n");
    return std::regex_search(err, match, line) ? match[1].str() : std::string();
}

bool AnyMatches(const std::vector<std::string>& texts, const std::string& pattern) {
    const std::regex re(pattern);
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return std::regex_match(t, re); });
}

class Progress : public ::testing::Test {
protected:
    SimEnvironment env;
    FileTestFolder folder;
    // On a terminal, with replies a little late so that the progress ticks see the operation run.
    CliResult Run(std::vector<std::string> args, int delayMs = 5) {
        SimFaults slow = env.sim.Faults();
        slow.replyDelayMs = delayMs;
        env.sim.SetFaults(slow);
        std::vector<std::string> all = {"--port", SimDevice, "--lang", "en", "--log-dir", folder.Path().string(), "--yes"};
        all.insert(all.end(), args.begin(), args.end());
        return RunArgs(env, all, nullptr, true);
    }
};

TEST_F(Progress, Read_CountsUpAndEndsAt328Of328) {
    const CliResult r = Run({"info"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(FinalLine(r.err, "Reading"), "Reading 328 of 328");
    EXPECT_TRUE(AnyMatches(Shown(r.err), "Reading [1-9][0-9]? of 328"));
}

TEST_F(Progress, Load_CountsEveryCommandSent) {
    const auto file = folder / "unit.seq";
    ASSERT_EQ(Run({"save", file.string()}).code, 0);
    env.sim.ClearReceivedCommands();
    const CliResult r = Run({"load", file.string(), "--no-backup"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto& sent = env.sim.ReceivedCommands();
    const auto writes = std::count_if(sent.begin(), sent.end(), [](const std::string& c) { return c.compare(2, 3, ",W,") == 0; });
    ASSERT_GT(writes, 50);
    EXPECT_EQ(FinalLine(r.err, "Writing"), "Writing: " + std::to_string(writes) + " commands sent");
}

TEST_F(Progress, ClearLogger_ShowsTheTimeElapsedWhileTheInstrumentWorks) {
    env.sim.State().maintenance.dataClear.notYet = 2;  // three polls five seconds apart
    const CliResult r = Run({"clear-logger"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> shown = Shown(r.err);
    EXPECT_TRUE(AnyMatches(shown, "TZ-7300 Start Data Removal\\. \\.\\.\\. 0:0[5-9] elapsed")) << r.err;
    EXPECT_EQ(FinalLine(r.err, "TZ-7300 Start"), "TZ-7300 Start Data Removal. ... 0:15 elapsed");
}

TEST_F(Progress, DumpFlash_PercentageAndTimeLeft_FinalLineCountsTheBlocks) {
    const auto file = folder / "flash.img";
    const CliResult r = Run({"--debug", "dump-flash", file.string(), "--blocks", "0-99"}, 50);
    ASSERT_EQ(r.code, 0) << r.err;
    // 100 blocks of about 50 ms: the share grows and the time left is a few seconds.
    EXPECT_TRUE(AnyMatches(Shown(r.err), "Flash image: ([1-9][0-9]) of 100 blocks \\(\\1%\\), 0:0[0-5] left")) << r.err;
    EXPECT_EQ(FinalLine(r.err, "Flash image"), "Flash image: 100 of 100 blocks (100%)");
    EXPECT_NE(r.out.find("(100 blocks of 512 bytes)"), std::string::npos) << r.out;
}

TEST_F(Progress, DumpEeprom_CountsTheBlocksListed) {
    env.sim.State().listingBytes = 32 * 40;  // forty blocks of one listing line
    const auto file = folder / "DumpEF.dat";
    const CliResult r = Run({"--debug", "dump-eeprom", file.string()}, 50);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(AnyMatches(Shown(r.err), "Dump list: [1-3]?[0-9] blocks?, 0:0[0-2] elapsed")) << r.err;
    EXPECT_EQ(FinalLine(r.err, "Dump list"), "Dump list: 40 blocks, 0:02 elapsed");
    EXPECT_NE(r.out.find("Finished. (40 blocks)"), std::string::npos) << r.out;
}

struct TextCase {
    std::string text, expected;
};

TEST(ProgressText, CountsDurationsAndShares) {
    const TextCase cases[] = {
        {WriteProgressText(1), "Writing: 1 command sent"},
        {WriteProgressText(54), "Writing: 54 commands sent"},
        {DurationText(0.4), "0:00"},
        {DurationText(75), "1:15"},
        {DurationText(3723), "1:02:03"},
        {BlockProgressText("Flash image", 0, 2048, 0), "Flash image: 0 of 2048 blocks (0%)"},
        {BlockProgressText("Flash image", 512, 2048, 30), "Flash image: 512 of 2048 blocks (25%), 1:30 left"},
        {BlockProgressText("Flash image", 2048, 2048, 120), "Flash image: 2048 of 2048 blocks (100%)"},
        {WaitProgressText("Start Data Removal.\r\n", 12), "Start Data Removal. ... 0:12 elapsed"},
        {ListingProgressText(1, 0), "Dump list: 1 block, 0:00 elapsed"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(c.text, c.expected);
}

}  // namespace
}  // namespace tz::cli::test
