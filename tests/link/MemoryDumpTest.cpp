// Memory dumps against the simulated instrument at virtual time: the binary flash image (whole,
// partial, with dropped replies and timeouts, cancelled) and the hexadecimal listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/SimLinkRig.h"
#include "text/DateTime.h"

namespace tz::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kImage = 1048576;
constexpr std::size_t kBlock = 512;

Bytes ReadBytes(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error) return {};
    Bytes bytes(static_cast<std::size_t>(size));
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteBytes(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class MemoryDump : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("tz_dump_") + test->test_suite_name() + "_" + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        image = folder / "flash.bin";
        ASSERT_TRUE(rig.Connect());
    }
    void TearDown() override { fs::remove_all(folder); }

    const Bytes& Memory() { return rig.sim.State().memory; }
    // Replies take 5 ms each, and from `ms` of the dump on the instrument answers nothing.
    void FallSilentAfter(int ms) {
        SimFaults slow;
        slow.replyDelayMs = 5;
        rig.Faults(slow);
        rig.loop.Post(ms, [this] {
            SimFaults silent;
            silent.dropReply = 1.0;
            rig.Faults(silent);
        });
    }
    bool Dump(Integer first, Integer last) { return rig.link.GetBinDump(image.string(), first, last); }
    // Files in the folder: a dump leaves only its image behind, never a temporary file.
    std::vector<std::string> FolderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        return names;
    }

    SimLinkRig rig;
    fs::path folder, image;
};

TEST_F(MemoryDump, WholeImage_FileEqualsInstrumentMemory) {
    ASSERT_EQ(Memory().size(), kImage);
    EXPECT_TRUE(Dump(0, 2047));
    EXPECT_EQ(rig.Commands().size(), 2048u);
    EXPECT_EQ(rig.Commands().front(), "EP,R,0000");
    EXPECT_EQ(rig.Commands().back(), "EP,R,07FF");
    EXPECT_TRUE(ReadBytes(image) == Memory());
    EXPECT_EQ(rig.link.Status(), stsCompleted);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});
    ASSERT_GE(rig.events.dumpMessages.size(), 3u);
    EXPECT_EQ(rig.events.dumpMessages[0], "Initialize Local Image");
    EXPECT_EQ(rig.events.dumpMessages[1], "Get FLASH Image");
    EXPECT_EQ(rig.events.dumpMessages.back(), "Get FLASH Image 07FF");
    EXPECT_TRUE(rig.Logged("--- Dump List Download Started. ---("));
}

TEST_F(MemoryDump, WholeImageOverExistingFile_Recreated) {
    WriteBytes(image, Bytes(100, 0x11));
    EXPECT_TRUE(Dump(0, 2047));
    EXPECT_TRUE(ReadBytes(image) == Memory());
}

TEST_F(MemoryDump, Block5OfExistingImage_OnlyBytes2560To3071Change) {
    WriteBytes(image, Bytes(kImage, 0x00));
    EXPECT_TRUE(Dump(5, 5));
    EXPECT_EQ(rig.Commands(), std::vector<std::string>{"EP,R,0005"});
    const Bytes file = ReadBytes(image);
    ASSERT_EQ(file.size(), kImage);
    for (std::size_t i = 0; i < kImage; ++i) {
        const bool inBlock = i >= 2560 && i <= 3071;
        if (file[i] != (inBlock ? Memory()[i] : 0x00)) FAIL() << "byte " << i;
    }
}

TEST_F(MemoryDump, Block5WithoutFile_ErasedImageWithTheBlock) {
    EXPECT_TRUE(Dump(5, 5));
    const Bytes file = ReadBytes(image);
    ASSERT_EQ(file.size(), kImage);
    for (std::size_t i = 0; i < kImage; ++i) {
        const bool inBlock = i >= 5 * kBlock && i < 6 * kBlock;
        if (file[i] != (inBlock ? Memory()[i] : 0xFF)) FAIL() << "byte " << i;
    }
}

TEST_F(MemoryDump, BlocksSplitIntoPieces_FileEqualsMemory) {
    SimFaults faults;
    faults.seed = 3;
    faults.splitReply = 1.0;
    faults.maxPieces = 6;
    faults.pieceGapMs = 3;
    rig.Faults(faults);
    EXPECT_TRUE(Dump(0, 2047));
    EXPECT_GT(rig.sim.Split(), 1000);
    EXPECT_TRUE(ReadBytes(image) == Memory());
}

// A dropped block times out: the dump stops with BinaryRetry set, holds what it received and
// names the block to fetch next; until the image is complete the existing file stays as it was.
// Continuing from that block completes the image without fetching any block twice.
TEST_F(MemoryDump, DroppedBlocks_TimeoutsResumedUntilImageEqualsMemory) {
    const Bytes before(kImage, 0x3C);
    WriteBytes(image, before);
    SimFaults faults;
    faults.seed = 42;
    faults.dropReply = 0.01;
    faults.splitReply = 0.2;
    rig.Faults(faults);
    Integer first = 0, last = 2047;
    int timeouts = 0;
    while (!rig.link.GetBinDump(image.string(), first, last)) {
        ASSERT_TRUE(rig.link.BinaryRetry());
        ASSERT_EQ(rig.link.Status(), stsIdle);
        ++timeouts;
        ASSERT_LT(timeouts, 100);
        ASSERT_TRUE(ReadBytes(image) == before) << "after timeout " << timeouts;
        ASSERT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});
    }
    EXPECT_EQ(timeouts, rig.sim.Dropped());
    EXPECT_GT(timeouts, 5);
    // Each timed-out block is asked for twice, every other block once.
    EXPECT_EQ(rig.Commands().size(), 2048u + static_cast<std::size_t>(timeouts));
    EXPECT_TRUE(rig.Logged("= timeout ="));
    EXPECT_TRUE(ReadBytes(image) == Memory());
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});
}

// Blocks later than the timeout: each request times out and is made again, so every block is
// answered twice; the second copy comes while the next block is awaited and is not taken for it.
TEST_F(MemoryDump, LateBlocksCrossingRepeats_ImageEqualsMemory) {
    SimFaults late;
    late.replyDelayMs = 1500;
    rig.Faults(late);
    Integer first = 0, last = 29;
    int timeouts = 0;
    while (!rig.link.GetBinDump(image.string(), first, last)) {
        ASSERT_TRUE(rig.link.BinaryRetry());
        ASSERT_LT(++timeouts, 100);
    }
    EXPECT_GE(timeouts, 30);
    EXPECT_TRUE(rig.Logged("<<< Stale copy of the previous block discarded >>>"));
    const Bytes written = ReadBytes(image);
    ASSERT_EQ(written.size(), kImage);
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 30 * kBlock, Memory().begin()));
}

// The answer to a read repeated before the dump comes while a block is awaited: it is no part of
// the block.
TEST_F(MemoryDump, LateTextReplyDuringDump_NotStoredInTheImage) {
    SimFaults late;
    late.replyDelayMs = 2500;
    rig.Faults(late);
    rig.link.Timeout(2);
    ASSERT_TRUE(rig.link.Transact("IN,R,", &rig.record));  // asked twice, answered twice
    SimFaults quick;
    quick.replyDelayMs = 80;
    rig.Faults(quick);
    Integer first = 0, last = 39;
    ASSERT_TRUE(rig.link.GetBinDump(image.string(), first, last));
    EXPECT_TRUE(rig.Logged("<<< Stale reply discarded, waiting for EP,R >>>"));
    const Bytes written = ReadBytes(image);
    ASSERT_EQ(written.size(), kImage);
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 40 * kBlock, Memory().begin()));
}

// A dump that fails part way (the instrument stops answering) never touches the existing file,
// leaves no temporary file, and a later whole dump still starts from the beginning.
TEST_F(MemoryDump, SilentInstrumentMidDump_ExistingFileByteIdenticalNoTemporaryLeft) {
    Bytes before(kImage);
    for (std::size_t i = 0; i < kImage; ++i) before[i] = static_cast<std::uint8_t>(i * 7);
    WriteBytes(image, before);
    FallSilentAfter(2000);
    Integer first = 0, last = 2047;
    EXPECT_FALSE(rig.link.GetBinDump(image.string(), first, last));
    EXPECT_TRUE(rig.link.BinaryRetry());
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 2047);
    EXPECT_TRUE(ReadBytes(image) == before);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});

    // A call that does not continue the held image (another first block) starts afresh.
    rig.Faults(SimFaults{});
    rig.sim.ClearReceivedCommands();
    first = 0;
    EXPECT_TRUE(rig.link.GetBinDump(image.string(), first, last));
    EXPECT_EQ(rig.Commands().size(), 2048u);
    EXPECT_TRUE(ReadBytes(image) == Memory());
}

// The held image belongs to its file: continuing into another file lays only the rest of the
// range into that file's own image.
TEST_F(MemoryDump, ContinueIntoAnotherFile_HeldImageNotUsed) {
    FallSilentAfter(1000);
    Integer first = 0, last = 2047;
    ASSERT_FALSE(rig.link.GetBinDump(image.string(), first, last));
    ASSERT_GT(first, 0);
    rig.Faults(SimFaults{});
    const fs::path other = folder / "other.bin";
    EXPECT_TRUE(rig.link.GetBinDump(other.string(), first, last));
    const Bytes file = ReadBytes(other);
    ASSERT_EQ(file.size(), kImage);
    const std::size_t start = static_cast<std::size_t>(first) * kBlock;
    EXPECT_TRUE(std::all_of(file.begin(), file.begin() + static_cast<long>(start), [](std::uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(std::equal(file.begin() + static_cast<long>(start), file.end(), Memory().begin() + static_cast<long>(start)));
    EXPECT_FALSE(fs::exists(image));
}

TEST_F(MemoryDump, HostCancel_ExistingFileUntouchedNoTemporaryLeft) {
    const Bytes before(kImage, 0x5A);
    WriteBytes(image, before);
    SimFaults slow;
    slow.replyDelayMs = 5;
    rig.Faults(slow);
    rig.loop.Post(300, [&] { rig.link.Cancel(true); });
    Integer first = 0, last = 2047;
    EXPECT_FALSE(rig.link.GetBinDump(image.string(), first, last));
    EXPECT_FALSE(rig.link.BinaryRetry());
    EXPECT_GT(rig.Commands().size(), 1u);
    EXPECT_LT(rig.Commands().size(), 2048u);
    EXPECT_TRUE(ReadBytes(image) == before);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});
}

TEST_F(MemoryDump, HostCancelWithoutFile_NoFileCreated) {
    rig.loop.Post(1, [&] { rig.link.Cancel(true); });
    SimFaults slow;
    slow.replyDelayMs = 5;
    rig.Faults(slow);
    EXPECT_FALSE(Dump(0, 2047));
    EXPECT_TRUE(FolderFiles().empty());
}

struct RangeCase {
    Integer first, last;
};

class BadRange : public MemoryDump, public testing::WithParamInterface<RangeCase> {};

TEST_P(BadRange, Refused_NothingSentNoFile) {
    EXPECT_FALSE(Dump(GetParam().first, GetParam().last));
    EXPECT_TRUE(rig.Commands().empty());
    EXPECT_TRUE(FolderFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(MemoryDump, BadRange,
                         testing::Values(RangeCase{-1, 5}, RangeCase{0, 2048}, RangeCase{9, 8}, RangeCase{2048, 2048}));

TEST_F(MemoryDump, FolderMissing_FailsWithoutSending) {
    Integer first = 0, last = 0;
    EXPECT_FALSE(rig.link.GetBinDump((folder / "absent" / "flash.bin").string(), first, last));
    EXPECT_TRUE(rig.Commands().empty());
}

// ---- The image file on its own ----

class DumpImage : public MemoryDump {
protected:
    DumpImageFile file;
    const std::string block = std::string(kBlock, 'B');
};

// A held image continues only into the same, unchanged file at the block where it stopped.
TEST_F(DumpImage, HeldImage_ResumedOnlyForSameFileSamePositionUnchangedTarget) {
    WriteBytes(image, Bytes(kImage, 0x00));
    ASSERT_TRUE(file.Begin(image.string(), false, false));
    ASSERT_TRUE(file.WriteBlock(0, block.data(), block.size()));
    file.Hold(512);
    EXPECT_FALSE(file.Active());
    EXPECT_FALSE(file.Resume((folder / "other.bin").string(), 512, false));
    EXPECT_FALSE(file.Resume(image.string(), 1024, false));
    ASSERT_TRUE(file.Resume(image.string(), 512, false));
    ASSERT_TRUE(file.WriteBlock(512, block.data(), block.size()));
    file.Hold(1024);
    WriteBytes(image, Bytes(kImage / 2, 0x00));  // replaced meanwhile
    EXPECT_FALSE(file.Resume(image.string(), 1024, false));
}

// The infrared port's blocks pass through a staging file beside the target, which goes when the
// image is committed or held.
TEST_F(DumpImage, StagedBlocks_TakenIntoTheImageStagingFileRemoved) {
    ASSERT_TRUE(file.Begin(image.string(), true, true));
    ASSERT_FALSE(file.TempPath().empty());
    EXPECT_EQ(ReadBytes(file.TempPath()).size(), kImage);
    {
        std::fstream staged(file.TempPath(), std::ios::in | std::ios::out | std::ios::binary);
        staged.seekp(1024);
        staged.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    ASSERT_TRUE(file.LoadStagedBlock(1024, kBlock));
    file.Hold(1536);
    EXPECT_TRUE(FolderFiles().empty());
    ASSERT_TRUE(file.Resume(image.string(), 1536, true));
    EXPECT_EQ(FolderFiles().size(), 1u);  // the staging file again
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"flash.bin"});
    const Bytes written = ReadBytes(image);
    ASSERT_EQ(written.size(), kImage);
    EXPECT_EQ(written[1023], 0xFF);
    EXPECT_EQ(written[1024], 'B');
    EXPECT_EQ(written[1535], 'B');
    EXPECT_EQ(written[1536], 0xFF);
}

// ---- Listing ----

const char* const kTitle = "Adrs   +0 +1 +2 +3 +4 +5 +6 +7  +8 +9 +A +B +C +D +E +F   List Of ASCII   \r\n";
const std::string kRule = std::string(74, '-') + "\r\n";

std::string ErasedLine(int address) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X ", address);
    return text + std::string("FF FF FF FF FF FF FF FF  FF FF FF FF FF FF FF FF   ................\r\n");
}

class Listing : public MemoryDump {
protected:
    fs::path Listed() const { return folder / "DumpEF.txt"; }
    bool List() { return rig.link.GetRomDump2(Listed().string()); }
    void SetMemory(std::size_t at, const std::string& bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) rig.sim.State().memory[at + i] = static_cast<std::uint8_t>(bytes[i]);
    }
};

// 40 bytes: a full line of 32 and a line of 8, which fills one entry and pads it with "F".
TEST_F(Listing, FortyBytes_ExactText) {
    rig.sim.State().listingBytes = 40;
    std::string first16;
    for (int i = 0; i < 16; ++i) first16 += static_cast<char>(i);
    SetMemory(0, first16 + "0123456789:;<=>?" + "ABCDEFGH");
    const std::string date = FormatGeneralDate(rig.loop.Now());
    ASSERT_TRUE(List());
    std::string expected = ";\tTZ-7300 Data Logger Program\r\n;\tFlush ROM Dump (EF) List " + date +
                           "\r\n;\tCopyright (C) TZ-7300 Setup Program. All rights reserved.\r\n\r\n";
    expected += kTitle + kRule;
    expected += "000000 00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F   ................\r\n";
    expected += "000010 30 31 32 33 34 35 36 37  38 39 3A 3B 3C 3D 3E 3F   0123456789:;<=>?\r\n";
    expected += "000020 41 42 43 44 45 46 47 48  FF FF FF FF FF FF FF FF   ABCDEFGH........\r\n";
    for (int address = 0x30; address <= 0xF0; address += 16) expected += ErasedLine(address);
    expected += "\r\n\r\n;\tTotal Download Time = 00:00:00\r\n";
    EXPECT_EQ(ReadText(Listed()), expected);
    EXPECT_EQ(rig.Commands(), std::vector<std::string>{"EF,R,"});
    EXPECT_EQ(rig.sim.Count().blocksAcked, 1);
    EXPECT_EQ(rig.events.dumpMessages, std::vector<std::string>{"Get Dump 000000-0000F0"});
    EXPECT_EQ(rig.link.Status(), stsCompleted);
}

TEST_F(Listing, LettersAtAddress32_PageLine) {
    rig.sim.State().listingBytes = 64;
    SetMemory(32, "ABCDEFGHIJKLMNOP");
    ASSERT_TRUE(List());
    EXPECT_NE(ReadText(Listed()).find("\r\n000020 41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50   ABCDEFGHIJKLMNOP\r\n"),
              std::string::npos);
}

// Everything after the header's date line, which carries the time of the run.
std::string Pages(const std::string& text) { return text.substr(text.find("Adrs")); }

TEST_F(Listing, ManyPages_OnePagePer256Bytes) {
    rig.sim.State().listingBytes = 8192;
    ASSERT_TRUE(List());
    EXPECT_EQ(rig.events.dumpMessages.size(), 32u);
    EXPECT_EQ(rig.events.dumpMessages.back(), "Get Dump 001F00-001FF0");
    const std::string text = ReadText(Listed());
    std::size_t titles = 0;
    for (std::size_t at = text.find("Adrs"); at != std::string::npos; at = text.find("Adrs", at + 1)) ++titles;
    EXPECT_EQ(titles, 32u);
}

TEST_F(Listing, DroppedAndCorruptedBlocks_SameListingAsCleanLine) {
    rig.sim.State().listingBytes = 4096;
    ASSERT_TRUE(List());
    const std::string clean = Pages(ReadText(Listed()));
    SimFaults faults;
    faults.seed = 5;
    faults.dropReply = 0.1;
    faults.corruptChecksum = 0.1;
    faults.splitReply = 0.3;
    rig.Faults(faults);
    rig.link.Retry(8);
    ASSERT_TRUE(List());
    EXPECT_GT(rig.sim.Dropped() + rig.sim.Corrupted(), 5);
    const std::string faulty = Pages(ReadText(Listed()));
    EXPECT_EQ(faulty.substr(0, faulty.rfind(";\tTotal")), clean.substr(0, clean.rfind(";\tTotal")));
}

// Blocks later than the timeout: each is asked for again with a NAK before it arrives, so every
// block comes twice; the second copy is stale and must not be listed or acknowledged.
TEST_F(Listing, LateBlocksCrossingNaks_SameListingAsCleanLine) {
    rig.sim.State().listingBytes = 1024;
    ASSERT_TRUE(List());
    const std::string clean = Pages(ReadText(Listed()));
    SimFaults late;
    late.replyDelayMs = 1500;
    rig.Faults(late);
    ASSERT_TRUE(List());
    EXPECT_TRUE(rig.Logged("<<< Stale reply discarded, waiting for EF,R >>>"));
    EXPECT_EQ(rig.sim.Count().blocksAcked, 2 * (1024 / 32 - 1));  // each block acknowledged once
    const std::string late2 = Pages(ReadText(Listed()));
    EXPECT_EQ(late2.substr(0, late2.rfind(";\tTotal")), clean.substr(0, clean.rfind(";\tTotal")));
}

TEST_F(Listing, SilentInstrument_FailsWithHeaderOnly) {
    SimFaults silent;
    silent.dropReply = 1.0;
    rig.Faults(silent);
    EXPECT_FALSE(List());
    EXPECT_EQ(rig.link.Status(), stsIdle);
    const std::string text = ReadText(Listed());
    EXPECT_EQ(text.find("Adrs"), std::string::npos);
    EXPECT_NE(text.find(";\tTotal Download Time = "), std::string::npos);
}

TEST_F(Listing, FolderMissing_FailsWithoutSending) {
    EXPECT_FALSE(rig.link.GetRomDump2((folder / "absent" / "list.txt").string()));
    EXPECT_TRUE(rig.Commands().empty());
}

// A scripted instrument for replies the simulated one never sends.
TEST(ListingReply, FortyDigitData_TwoEntriesSecondPadded) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) -> std::vector<Piece> {
        if (body == "EF,R,") return {{Reply("EF,R,0000,0003,14,00112233445566778899AABBCCDDEEFF41424344")}};
        return {};
    }));
    const fs::path file = fs::temp_directory_path() / "tz_dump_listing_reply.txt";
    ASSERT_TRUE(rig.link.GetRomDump2(file.string()));
    const std::string text = ReadText(file);
    fs::remove(file);
    EXPECT_NE(text.find("\r\n000040 00 11 22 33 44 55 66 77  88 99 AA BB CC DD EE FF   ..\"3DUfw........\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n000050 41 42 43 44 FF FF FF FF  FF FF FF FF FF FF FF FF   ABCD............\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n000130 FF"), std::string::npos);  // the page filled to 16 entries
}

TEST(ListingReply, LineNumberNotHex_RefusedAsFormatError) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string& body) -> std::vector<Piece> {
        if (body.rfind("EF,R,", 0) == 0 || body.find(NAK) != std::string::npos)
            return {{Reply("EF,R,0000,00G1,02,4142")}};
        return {};
    }));
    const fs::path file = fs::temp_directory_path() / "tz_dump_listing_bad.txt";
    EXPECT_FALSE(rig.link.GetRomDump2(file.string()));
    fs::remove(file);
    EXPECT_TRUE(rig.Logged("<<< Format error >>>"));
    EXPECT_EQ(rig.link.Status(), stsIdle);
}

}  // namespace
}  // namespace tz::test
