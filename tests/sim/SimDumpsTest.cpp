#include <string>

#include "sim/SimField.h"
#include "sim/SimHarness.h"

namespace tz::test {
namespace {

class SimDumpsTest : public SimHarness {
protected:
    std::string ImageBytes(std::size_t begin, std::size_t count) {
        const auto& m = sim.State().memory;
        return std::string(m.begin() + static_cast<std::ptrdiff_t>(begin),
                           m.begin() + static_cast<std::ptrdiff_t>(begin + count));
    }
    std::string ImageHex(std::size_t begin, std::size_t count) {
        std::string hex;
        for (unsigned char c : ImageBytes(begin, count)) hex += SimField::Hex(c, 2);
        return hex;
    }
};

// ---- Binary blocks ----

TEST_F(SimDumpsTest, BinaryBlock_The512RawBytesOfThatBlock) {
    ASSERT_EQ(sim.State().memory.size(), 1u << 20);
    const struct { const char* index; std::size_t block; } cases[] = {
        {"0000", 0}, {"0005", 5}, {"07FF", 2047}, {"07ff", 2047}};
    for (const auto& c : cases) {
        const std::string reply = Reply(std::string("EP,R,") + c.index);
        ASSERT_EQ(reply.size(), 512u) << c.index;
        EXPECT_EQ(reply, ImageBytes(c.block * 512, 512)) << c.index;
    }
}

TEST_F(SimDumpsTest, BinaryBlockOutsideTheImage_Refused) {
    for (const char* index : {"0800", "FFFF", "5", "00005", "XYZW", ""})
        EXPECT_EQ(Reply(std::string("EP,R,") + index), Status("EP,R", NAK)) << index;
}

// Raw bytes have no checksum: the corruption switch leaves them alone, a lost block is still
// lost, and a NAK repeats the block as it was.
TEST_F(SimDumpsTest, BinaryBlockUnderFaults_BytesIntactOrNotSentAtAll) {
    SimFaults faults;
    faults.corruptChecksum = 1;
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("EP,R,0005"), ImageBytes(5 * 512, 512));
    EXPECT_EQ(sim.Corrupted(), 0);
    EXPECT_EQ(Feed(BuildFrame(std::string(1, NAK) + "EP,R,", ETB)), ImageBytes(5 * 512, 512));
    faults.corruptChecksum = 0;
    faults.dropReply = 1;
    sim.SetFaults(faults);
    EXPECT_EQ(Reply("EP,R,0006"), "");
}

// ---- Listing in blocks ----

// One listing block: bank, line number, byte count, data.
std::string Block(int line, std::size_t count, const std::string& hex, char terminator) {
    return BuildFrame("EF,R,0000," + SimField::Hex(line, 4) + "," +
                          SimField::Hex(static_cast<long long>(count), 2) + "," + hex,
                      terminator);
}

TEST_F(SimDumpsTest, Listing_OneBlockPerAcknowledgement_LastEndsWithEot) {
    sim.State().listingBytes = 100;  // three full lines and one of four bytes
    EXPECT_EQ(Reply("EF,R,"), Block(1, 32, ImageHex(0, 32), ETB));
    EXPECT_EQ(Ack("EF,R,"), Block(2, 32, ImageHex(32, 32), ETB));
    EXPECT_EQ(Ack(std::string(1, ACK) + "EF,R"), Block(3, 32, ImageHex(64, 32), ETB));
    EXPECT_EQ(Ack("EF,R,"), Block(4, 4, ImageHex(96, 4), EOT));
    EXPECT_EQ(Ack("EF,R,"), "");  // the transfer is over
    EXPECT_EQ(sim.Count().blocksAcked, 3);
}

TEST_F(SimDumpsTest, Listing_NakRepeatsTheBlockWithoutMovingOn) {
    sim.State().listingBytes = 64;
    Reply("EF,R,");
    const std::string second = Ack("EF,R,");
    EXPECT_EQ(Feed(BuildFrame(std::string(1, NAK) + "EF,R,", ETB)), second);
    EXPECT_EQ(second.back(), EOT);
    EXPECT_EQ(Ack("EF,R,"), "");
}

// The host that asks again (its request timed out) gets the listing from the start; any other
// command ends the transfer.
TEST_F(SimDumpsTest, Listing_NewCommandEndsOrRestartsTheTransfer) {
    sim.State().listingBytes = 96;
    const std::string first = Reply("EF,R,");
    Ack("EF,R,");
    EXPECT_EQ(Reply("EF,R,"), first);
    Reply("RC,R,");
    EXPECT_EQ(Ack("EF,R,"), "");
}

// The whole default listing walked block by block gives back the start of the image.
TEST_F(SimDumpsTest, Listing_WholeTransfer_EqualsTheImage) {
    const std::size_t bytes = sim.State().listingBytes;
    ASSERT_EQ(bytes % 32, 0u);
    std::string hex, frame = Reply("EF,R,");
    int blocks = 1;
    for (;;) {
        const std::size_t data = frame.rfind(',') + 1, etx = frame.find(ETX);
        hex += frame.substr(data, etx - data);
        if (frame.back() == EOT) break;
        ASSERT_EQ(frame.back(), ETB);
        frame = Ack("EF,R,");
        ++blocks;
    }
    EXPECT_EQ(blocks, static_cast<int>(bytes / 32));
    EXPECT_EQ(hex, ImageHex(0, bytes));
}

TEST_F(SimDumpsTest, EmptyListing_Refused) {
    sim.State().listingBytes = 0;
    EXPECT_EQ(Reply("EF,R,"), Status("EF,R", NAK));
}

}  // namespace
}  // namespace tz::test
