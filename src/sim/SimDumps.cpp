// Memory dumps. "EP,R,nnnn" answers block nnnn of the memory image as 512 raw bytes, without a
// frame. "EF,R," answers the start of the image as a listing in blocks, one line of 32 bytes
// each: bank "0000", line number from 0001, byte count, the bytes as hexadecimal text. Each block
// waits for the host's acknowledgement; the last ends the transfer.
#include <algorithm>

#include "sim/SimCommands.h"
#include "sim/SimField.h"
#include "sim/SimParse.h"

namespace tz {
namespace {

constexpr std::size_t BinaryBlock = 512;
constexpr std::size_t ListingLine = 32;

std::size_t ListingBytes(const SimState& s) { return std::min(s.listingBytes, s.memory.size()); }

int ListingLines(const SimState& s) {
    return static_cast<int>((ListingBytes(s) + ListingLine - 1) / ListingLine);
}

// Line `index` (0-based) of the listing; the line number sent counts from 1.
std::string ListingBlock(const SimState& s, int index) {
    const std::size_t begin = static_cast<std::size_t>(index) * ListingLine;
    const std::size_t count = std::min(ListingLine, ListingBytes(s) - begin);
    std::string data;
    for (std::size_t i = begin; i < begin + count; ++i) data += SimField::Hex(s.memory[i], 2);
    return "0000," + SimField::Hex(index + 1, 4) + "," + SimField::Hex(static_cast<long long>(count), 2) +
           "," + data;
}

SimReply Listing(SimState& s, const std::string&) {
    const int lines = ListingLines(s);
    if (lines == 0) return SimReply::Refused();
    SimReply reply{ListingBlock(s, 0)};
    reply.blocks = lines;
    reply.nextBlock = ListingBlock;
    return reply;
}

// Four hexadecimal digits naming a block of the image.
SimReply BinaryBlockOf(SimState& s, const std::string& payload) {
    const auto block = SimParse::Hex(payload, 4);
    const std::size_t blocks = s.memory.size() / BinaryBlock;
    if (payload.size() != 4 || !block || *block < 0 || static_cast<std::size_t>(*block) >= blocks)
        return SimReply::Refused();
    const auto begin = s.memory.begin() + static_cast<std::ptrdiff_t>(*block * BinaryBlock);
    SimReply reply{std::string(begin, begin + BinaryBlock)};
    reply.raw = true;
    return reply;
}

const SimCommand kDumps[] = {
    SimCommand{"EF,R", Listing},
    SimCommand{"EP,R", BinaryBlockOf},
};

}  // namespace

std::span<const SimCommand> SimDumpCommands() { return kDumps; }

}  // namespace tz
