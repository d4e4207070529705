// The logger image download with its second attempt, against the simulated instrument.
#include "link/LoggerImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "SimLinkRig.h"

namespace tz::test {
namespace {

namespace fs = std::filesystem;

class LoggerImage : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 (std::string("tz_logger_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        image = folder / "TZ7300.DAT";
        ASSERT_TRUE(rig.Connect());
        // Replies take 5 ms each, so the download runs for seconds of virtual time.
        SimFaults slow;
        slow.replyDelayMs = 5;
        rig.Faults(slow);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The instrument answers nothing from `from` ms to `to` ms of the download (0: to the end).
    void SilentBetween(int from, int to) {
        rig.loop.Post(from, [this] {
            SimFaults silent;
            silent.dropReply = 1.0;
            rig.Faults(silent);
        });
        if (to > 0) rig.loop.Post(to, [this] {
            SimFaults slow;
            slow.replyDelayMs = 5;
            rig.Faults(slow);
        });
    }
    std::size_t Sent(const std::string& body) const {
        return static_cast<std::size_t>(std::count(rig.Commands().begin(), rig.Commands().end(), body));
    }
    bool ImageEqualsMemory() const {
        std::ifstream in(image, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        return bytes == rig.sim.State().memory;
    }

    SimLinkRig rig;
    fs::path folder;
    fs::path image;
};

TEST_F(LoggerImage, BlockTimeout_SecondAttemptResumesAtThatBlockAndCompletesTheImage) {
    SilentBetween(300, 800);
    int announced = 0;
    const LoggerImageResult result = DownloadLoggerImage(rig.link, &rig.record, image.string(), [&] { ++announced; });
    EXPECT_TRUE(result.Ok);
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.Attempts, 2);
    EXPECT_EQ(announced, 1);
    ASSERT_GT(result.ResumedFrom, 0);
    // The blocks before the timeout are not fetched again; the one that timed out is.
    EXPECT_EQ(Sent("EP,R,0000"), 1u);
    char block[16];
    std::snprintf(block, sizeof block, "EP,R,%04X", static_cast<unsigned>(result.ResumedFrom));
    EXPECT_EQ(Sent(block), 2u);
    EXPECT_TRUE(ImageEqualsMemory());
}

TEST_F(LoggerImage, SilentInstrument_TwoAttemptsThenFailureWithoutAFile) {
    SilentBetween(300, 0);
    const LoggerImageResult result = DownloadLoggerImage(rig.link, &rig.record, image.string());
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.Attempts, 2);
    EXPECT_FALSE(fs::exists(image));
}

TEST_F(LoggerImage, UserCancel_EndsAtOnceAsCancelled) {
    rig.loop.Post(300, [this] { rig.link.Cancel(true); });
    const LoggerImageResult result = DownloadLoggerImage(rig.link, &rig.record, image.string());
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Attempts, 1);
    EXPECT_FALSE(fs::exists(image));
}

}  // namespace
}  // namespace tz::test
