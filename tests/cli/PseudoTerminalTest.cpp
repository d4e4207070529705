// The tz7300 executable against the tz7300-sim executable on a pseudo-terminal, as separate
// processes talking over a real serial line. POSIX systems only, like the simulator's host.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/PresentDate.h"

#ifdef __unix__

#include "cli/ProcessRunner.h"
#include "instrument/FileTestFolder.h"
#include "instrument/RecordJson.h"
#include "link/RecordCompare.h"
#include "platform/PseudoTerminal.h"
#include "sim/SimState.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

std::filesystem::path Tz7300() { return BuiltProgram("src/cli/tz7300"); }

TEST(OnPseudoTerminal, Info_ShowsTheSimulatedIdentityAndChannels) {
    SimProcess sim;
    ASSERT_FALSE(sim.Device().empty());
    FileTestFolder folder;
    const ProcessResult r = RunProgram(Tz7300(), {"--lang", "en", "--log-dir", folder.Path().string(), "--port",
                                                  sim.Device(), "info"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Serial No.: " + DefaultSimState().record.SerialNo()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Ch  Gas"), std::string::npos);
    EXPECT_NE(r.out.find("CO   500 ppm"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::exists(folder / "SerialLog.log"));
}

TEST(OnPseudoTerminal, ReadJson_EqualsTheSimulatedState) {
    SimProcess sim;
    FileTestFolder folder;
    const auto file = folder / "read.json";
    const ProcessResult r = RunProgram(Tz7300(), {"--log-dir", folder.Path().string(), "--port", sim.Device(),
                                                  "read", "--json", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    clsInstrument read;
    ASSERT_TRUE(RecordFromJson(ReadWholeFile(file), read).Ok);
    // The simulator's clock runs from a little behind the PC's; the rest is the built-in state.
    EXPECT_NEAR(read.SysDate(), PresentDate() - 95.0 / 86400.0, 60.0 / 86400.0);
    clsInstrument expected = RecordAsRead(DefaultSimState());
    expected.SysDate(read.SysDate());
    EXPECT_EQ(tz::test::ReadValueDifferences(read, expected), std::vector<std::string>{});
}

TEST(OnPseudoTerminal, SilentLine_ExitsOneWithTheNoResponseText) {
    PseudoTerminal silent(true);  // nobody answers on the master side
    FileTestFolder folder;
    const ProcessResult r = RunProgram(Tz7300(), {"--lang", "en", "--log-dir", folder.Path().string(), "--port",
                                                  silent.SlavePath(), "--timeout", "1", "--retry", "1", "info"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("TZ-7300 No Response. Check Port,Cable And Power."), std::string::npos) << r.err;
}

// A simulator that answers 1.5 s late, over a real line: with a one-second timeout every block is
// asked for twice and answered twice, and the image is still exact; with neither a timeout nor
// retries to cover the delay the program gives up cleanly.
TEST(OnPseudoTerminal, LateInstrument_DumpExactWithRepeats_NoRetriesFailsCleanly) {
    SimProcess sim({"--delay", "1500"});
    ASSERT_FALSE(sim.Device().empty());
    FileTestFolder folder;
    const auto image = folder / "flash.img";
    const std::vector<std::string> common = {"--lang", "en", "--log-dir", folder.Path().string(), "--port", sim.Device()};
    std::vector<std::string> dump = common;
    dump.insert(dump.end(), {"--timeout", "1", "--debug", "dump-flash", image.string(), "--blocks", "0-1"});
    const ProcessResult ok = RunProgram(Tz7300(), dump);
    ASSERT_EQ(ok.code, 0) << ok.err;
    const std::string written = ReadWholeFile(image);
    const auto& memory = DefaultSimState().memory;
    ASSERT_EQ(written.size(), memory.size());
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 1024, reinterpret_cast<const unsigned char*>(written.data())));
    EXPECT_NE(ReadWholeFile(folder / "SerialLog.log").find("<<< Stale copy of the previous block discarded >>>"),
              std::string::npos);

    std::vector<std::string> read = common;
    read.insert(read.end(), {"--timeout", "1", "--retry", "0", "read", "--json", (folder / "read.json").string()});
    const ProcessResult failed = RunProgram(Tz7300(), read);
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find("TZ-7300 No Response."), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "read.json"));
}

TEST(OnPseudoTerminal, MissingDevice_ExitsOneNamingIt) {
    FileTestFolder folder;
    const ProcessResult r = RunProgram(Tz7300(), {"--log-dir", folder.Path().string(), "--port",
                                                  (folder / "ttyNONE").string(), "info"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("ttyNONE"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tz::cli::test

#endif  // __unix__
