#pragma once
// The link against the simulated instrument at virtual time, with the arrival time of every
// command, the link's log lines and the dump progress messages kept for the tests of the
// maintenance, calibration and dump operations.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "link/LinkTestRig.h"
#include "sim/SimInstrument.h"

namespace tz::test {

// The simulated instrument behind a recorder that notes when each command frame arrived.
class TimedSim : public ILoopbackDevice {
public:
    TimedSim(SimInstrument& sim, const VirtualEventLoop& loop) : sim_(sim), loop_(loop) {}

    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        arrivals.emplace_back(BodyOf(bytes), loop_.ElapsedMs());
        sim_.OnBytesFromHost(bytes, reply);
    }
    void OnPortOpened() override { sim_.OnPortOpened(); }
    void OnPortClosed() override { sim_.OnPortClosed(); }

    std::vector<std::pair<std::string, std::int64_t>> arrivals;

private:
    SimInstrument& sim_;
    const VirtualEventLoop& loop_;
};

class DumpListener : public RecordingListener {
public:
    void DumpMessage(const std::string& message) override { dumpMessages.push_back(message); }
    std::vector<std::string> dumpMessages;
};

struct SimLinkRig {
    VirtualEventLoop loop;
    SimInstrument sim;
    TimedSim device{sim, loop};
    LoopbackPort port{loop, device};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    DumpListener events;
    clsInstrument record;
    std::vector<std::string> logLines;

    SimLinkRig() {
        link.SetListener(&events);
        link.Log().SetObserver([this](const std::string& line) { logLines.push_back(line); });
        link.Retry(3);
        link.Timeout(1);
        link.Instrument(&record);
    }

    // Opens the port, runs the handshake and forgets its traffic.
    bool Connect() {
        link.PortOpen(true);
        loop.RunUntil([this] { return link.Connected() || !events.alarms.empty(); }, 10000);
        sim.ClearReceivedCommands();
        device.arrivals.clear();
        logLines.clear();
        return link.Connected();
    }

    void Faults(const SimFaults& faults) { sim.SetFaults(faults); }
    void Refuse(const std::string& key) {
        SimFaults faults = sim.Faults();
        faults.refused.insert(key);
        sim.SetFaults(faults);
    }

    const std::vector<std::string>& Commands() const { return sim.ReceivedCommands(); }

    // Milliseconds between successive arrivals of the given command body.
    std::vector<std::int64_t> GapsOf(const std::string& body) const {
        std::vector<std::int64_t> gaps;
        std::int64_t previous = -1;
        for (const auto& [sent, at] : device.arrivals) {
            if (sent != body) continue;
            if (previous >= 0) gaps.push_back(at - previous);
            previous = at;
        }
        return gaps;
    }

    bool Logged(const std::string& part) const {
        for (const std::string& line : logLines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
};

}  // namespace tz::test
