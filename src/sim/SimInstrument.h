#pragma once
// The simulated instrument as the far end of a loopback port: it collects the bytes the link
// writes, cuts complete frames out of them, answers each command from its state through the
// command table, repeats its last reply when the link answers with NAK, and passes every
// transmission through the seeded fault switches.
#include <string>
#include <vector>

#include "link/ILoopbackDevice.h"
#include "sim/SimFaults.h"
#include "sim/SimState.h"

namespace tz {

class SimInstrument : public ILoopbackDevice {
public:
    explicit SimInstrument(SimState state = DefaultSimState(), const SimFaults& faults = {});

    SimState& State() { return state_; }
    const SimState& State() const { return state_; }

    const SimFaults& Faults() const { return injector_.Faults(); }
    // Replaces the fault switches and restarts their random sequence from the seed.
    void SetFaults(const SimFaults& faults) { injector_.Configure(faults); }

    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override;
    void OnPortOpened() override;
    void OnPortClosed() override;

    // Bodies of the commands received with a valid checksum, in order ("SZ,R,", "XS,R,001F").
    const std::vector<std::string>& ReceivedCommands() const { return received_; }
    void ClearReceivedCommands() { received_.clear(); }

    struct Counters {
        int commands = 0;      // command frames answered (or refused)
        int unknown = 0;       // commands not in the table, refused
        int repeats = 0;       // NAKs answered by repeating the last reply
        int transmissions = 0; // replies handed to the fault switches
        int badFrames = 0;     // frames dropped for a wrong checksum or terminator
    };
    const Counters& Count() const { return counters_; }
    int Dropped() const { return injector_.Dropped(); }
    int Corrupted() const { return injector_.Corrupted(); }
    int Split() const { return injector_.Split(); }

    // Longest stretch of bytes kept while waiting for the end of a frame; beyond it the partial
    // frame is noise and is dropped.
    static constexpr std::size_t MaxPending = 4096;

private:
    void CutFrames(const ReplySink& reply);
    void HandleFrame(const std::string& frame, const ReplySink& reply);
    void HandleCommand(const std::string& body, const ReplySink& reply);
    void Send(const std::string& frame, const ReplySink& reply);

    SimState state_;
    SimFaultInjector injector_;
    std::string pending_;    // received bytes not yet part of a complete frame
    std::string lastReply_;  // the last reply frame, as built (before any fault)
    std::vector<std::string> received_;
    Counters counters_;
};

}  // namespace tz
