#pragma once
// Switchable, seeded faults of the simulated instrument's replies. The same seed and the same
// traffic give the same faults, so a test or benchmark that runs with faults is repeatable.
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tz {

struct SimFaults {
    std::uint32_t seed = 1;
    // Latency before the first byte of every reply, in milliseconds.
    int replyDelayMs = 0;
    // Pacing: each byte takes ten bit times at this rate (0: no pacing).
    long baudRate = 0;
    // Probabilities, 0 to 1, drawn for every reply transmitted.
    double dropReply = 0;        // the reply is never sent
    double corruptChecksum = 0;  // the reply's checksum digits are wrong
    double splitReply = 0;       // the reply arrives in 2 to maxPieces pieces
    int maxPieces = 4;
    // Each piece after the first arrives up to this many milliseconds later than pacing alone
    // would deliver it.
    int pieceGapMs = 0;
    // Commands ("XC,W", code and access letter) that the instrument refuses. A refused command is
    // answered with its code, access letter and NAK as the status character, or not at all when
    // refuseSilently is set.
    std::set<std::string> refused;
    bool refuseSilently = false;
};

// One transmission of a reply frame: the pieces to deliver, each with its delay counted from the
// moment the command arrived.
struct SimPiece {
    std::string bytes;
    int delayMs = 0;
};

// Draws the faults of each transmission. Three draws per transmission (drop, corrupt, split)
// whatever the switches, so that enabling one fault does not change the draws of the others.
class SimFaultInjector {
public:
    explicit SimFaultInjector(const SimFaults& faults = {});

    const SimFaults& Faults() const { return faults_; }
    // Replaces the switches and restarts the random sequence from their seed.
    void Configure(const SimFaults& faults);

    // The pieces through which `frame` reaches the host; empty when the reply is dropped.
    std::vector<SimPiece> Transmit(const std::string& frame);

    // What happened so far.
    int Dropped() const { return dropped_; }
    int Corrupted() const { return corrupted_; }
    int Split() const { return split_; }

private:
    double Uniform();                   // [0, 1)
    int Below(int bound);               // [0, bound)
    std::string CorruptChecksum(const std::string& frame);
    std::vector<std::size_t> CutPoints(std::size_t size);
    int PacedMs(std::size_t bytes) const;  // pacing of the first `bytes` bytes of this reply

    SimFaults faults_;
    std::mt19937 rng_;
    // Pacing rounds to whole milliseconds; the remainder carries into the next reply so that a
    // long transfer keeps the exact line rate.
    double carryMs_ = 0;
    int dropped_ = 0, corrupted_ = 0, split_ = 0;
};

}  // namespace tz
