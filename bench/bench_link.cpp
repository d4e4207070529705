// CPU time per exchange of the link control: a complete read (328 exchanges) and a full write
// against the simulated instrument, at virtual time. The serial line itself costs about 20 ms per exchange at
// 9600 baud; the protocol work must be negligible beside it.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "instrument/clsInstrument.h"
#include "link/ILoopbackDevice.h"
#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "link/uclTzif.h"
#include "sim/SimInstrument.h"

namespace tz {
namespace {

constexpr double kExchangesPerRead = 328;

struct Bench {
    VirtualEventLoop loop;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};

    explicit Bench(const SimFaults& faults, Integer retry) {
        link.Retry(3);
        link.Timeout(1);
        link.PortOpen(true);
        if (!loop.RunUntil([this] { return link.Connected(); }, 10000)) throw std::runtime_error("no connection");
        sim.SetFaults(faults);
        link.Retry(retry);
    }
};

void PerExchangeCounter(benchmark::State& state, double exchanges) {
    state.counters["exchanges"] = benchmark::Counter(exchanges, benchmark::Counter::kAvgIterations);
    state.counters["cpu_per_exchange"] =
        benchmark::Counter(exchanges, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FullRead(benchmark::State& state) {
    Bench bench(SimFaults{}, 3);
    clsInstrument record;
    for (auto _ : state) {
        if (!bench.link.GetInstrument(&record)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(record);
    }
    PerExchangeCounter(state, kExchangesPerRead * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond);

void BM_FullReadWithLineFaults(benchmark::State& state) {
    SimFaults faults;
    faults.seed = 7300;
    faults.dropReply = 0.10;
    faults.corruptChecksum = 0.05;
    faults.splitReply = 0.30;
    Bench bench(faults, 6);
    clsInstrument record;
    double exchanges = 0;
    for (auto _ : state) {
        const int before = bench.sim.Count().commands;
        if (!bench.link.GetInstrument(&record)) state.SkipWithError("read failed");
        exchanges += bench.sim.Count().commands - before;
    }
    PerExchangeCounter(state, exchanges);
}
BENCHMARK(BM_FullReadWithLineFaults)->Unit(benchmark::kMillisecond);

void BM_SingleExchange(benchmark::State& state) {
    Bench bench(SimFaults{}, 3);
    clsInstrument record;
    for (auto _ : state) {
        if (!bench.link.Transact("A1,R,", &record)) state.SkipWithError("exchange failed");
    }
    PerExchangeCounter(state, static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SingleExchange);

// A full write: the instrument's own settings with every change flag set, so that every write
// command, all 256 list entries and the closing command go out (about 320 exchanges).
void FlagEverything(clsInstrument& record) {
    record.SetChangeFlags(true, true);
    record.Change_DummySerial(true);
}

// Counts the reply bytes the instrument puts on the line, on their way to the port.
class ReplyByteCounter : public ILoopbackDevice {
public:
    explicit ReplyByteCounter(ILoopbackDevice& device) : device_(device) {}
    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        device_.OnBytesFromHost(bytes, [this, &reply](const std::string& piece, int delayMs) {
            replyBytes += static_cast<double>(piece.size());
            reply(piece, delayMs);
        });
    }
    void OnPortOpened() override { device_.OnPortOpened(); }
    void OnPortClosed() override { device_.OnPortClosed(); }
    double replyBytes = 0;

private:
    ILoopbackDevice& device_;
};

// A full write over a counted line. Command and reply take turns on the one line, so the figure
// against the line's limit (baud / 10) counts the bytes of both directions. The simulator paces
// only its replies and the loopback port delivers commands at once, so the commands' own line
// time (their bytes at baud / 10) is added to the virtual time: a write without idle gaps on the
// line comes out at 1.0. The reply direction alone over the virtual time is shown beside it.
void BM_FullWrite(benchmark::State& state) {
    const long baud = static_cast<long>(state.range(0));
    VirtualEventLoop loop;
    SimInstrument sim;
    ReplyByteCounter counted{sim};
    LoopbackPort port{loop, counted};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    link.Retry(3);
    link.Timeout(1);
    link.PortOpen(true);
    if (!loop.RunUntil([&] { return link.Connected(); }, 10000)) throw std::runtime_error("no connection");
    SimFaults faults;
    faults.baudRate = baud;
    sim.SetFaults(faults);
    clsInstrument record;
    if (!link.GetInstrument(&record)) throw std::runtime_error("read failed");
    double exchanges = 0, commandBytes = 0, replyBytes = 0, virtualMs = 0;
    for (auto _ : state) {
        FlagEverything(record);
        const int before = sim.Count().commands;
        const double commandsBefore = static_cast<double>(port.Written().size());
        const double repliesBefore = counted.replyBytes;
        const auto start = loop.ElapsedMs();
        if (!link.SetInstrument(&record, false)) state.SkipWithError("write failed");
        exchanges += sim.Count().commands - before;
        commandBytes += static_cast<double>(port.Written().size()) - commandsBefore;
        replyBytes += counted.replyBytes - repliesBefore;
        virtualMs += static_cast<double>(loop.ElapsedMs() - start);
    }
    PerExchangeCounter(state, exchanges);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["virtual_ms_per_write"] = virtualMs / iterations;
    if (baud > 0 && virtualMs > 0) {
        const double limit = static_cast<double>(baud) / 10.0;  // bytes per second
        const double lineSeconds = virtualMs / 1000.0 + commandBytes / limit;
        state.counters["both_ways_bytes_per_line_s"] = (commandBytes + replyBytes) / lineSeconds;
        state.counters["both_ways_line_rate_ratio"] = (commandBytes + replyBytes) / lineSeconds / limit;
        state.counters["reply_bytes_line_rate_ratio"] = replyBytes / (virtualMs / 1000.0) / limit;
    }
}
// Unpaced (protocol cost only) and paced at 921600 baud.
BENCHMARK(BM_FullWrite)->Arg(0)->Arg(921600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tz
