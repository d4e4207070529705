#pragma once
// One simulated instrument's complete state. The settings and values that the program's record
// also holds live in an instrument record, so that a test can compare "the record the program
// read" with "what the instrument holds" directly; the rest (clock, raw converter-side values,
// the memory image) is kept beside it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"
#include "sim/SimMaintenance.h"
#include "text/Types.h"

namespace tz {

// Seed of the memory image of a fresh simulated instrument.
inline constexpr std::uint32_t DefaultMemorySeed = 0x7300u;

struct SimState {
    // Everything the program can read into its record. Its change flags are all false: they mean
    // nothing on the instrument side.
    clsInstrument record;

    // Model name in the connection reply.
    std::string model = "TZ-7300";
    // The instrument's clock. It stands still unless a test or a clock write moves it.
    Date clock = 0;
    // Raw zero-point counts of the six channels, listed by the zero-calibration read.
    std::array<Integer, 6> zeroCounts{};
    // Second-range factors of channels 5 and 6 as the instrument sends them (before the program
    // rescales them by the two ranges' decimals); an absent factor is sent as "********".
    std::array<Single, 2> secondRangeFactor{};
    std::array<bool, 2> hasSecondRangeFactor{};
    // The instrument's memory image, dumped block by block (1 MiB, deterministic content made
    // from memorySeed).
    std::vector<std::uint8_t> memory;
    std::uint32_t memorySeed = DefaultMemorySeed;
    // Bytes from the start of the memory image that the listing transfer ("EF,R,") covers, 32 a
    // block.
    std::size_t listingBytes = 8192;

    // The settings that "FB,W," keeps as the instrument's defaults and that "FB,R," and a
    // finished "UX" bring back.
    clsInstrument defaults;
    // Actions, polls and calibration outcomes.
    SimMaintenance maintenance;
    // Switched off by "RO,W,": the instrument answers nothing until the port is opened again.
    bool poweredOff = false;
};

// The record a complete read leaves in the program: the instrument's record with the clock as
// instrument date. (The date offset depends on the PC's clock and is not compared.)
clsInstrument RecordAsRead(const SimState& state);

// A realistic instrument: combustible gas in %LEL, oxygen, hydrogen sulphide, carbon monoxide, a
// photo-ionisation channel with a second low range in ppb, and a sixth channel not fitted; every
// option away from its default where the option allows it, named entries in both lists,
// calibration and bump history, converter values and present readings. Its defaults are these
// settings.
SimState DefaultSimState();

// A deterministic memory image of `size` bytes (a simple pseudo-random sequence from `seed`).
std::vector<std::uint8_t> MakeMemoryImage(std::size_t size, std::uint32_t seed = DefaultMemorySeed);

}  // namespace tz
