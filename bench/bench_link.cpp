// CPU time per exchange of the link control: a complete read (328 exchanges) and a full write
// against the simulated instrument, at virtual time. The serial line itself costs about 20 ms per exchange at
// 9600 baud; the protocol work must be negligible beside it.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "instrument/clsInstrument.h"
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

void BM_FullWrite(benchmark::State& state) {
    SimFaults faults;
    faults.baudRate = state.range(0);
    Bench bench(faults, 3);
    clsInstrument record;
    if (!bench.link.GetInstrument(&record)) throw std::runtime_error("read failed");
    double exchanges = 0, hostBytes = 0, virtualMs = 0;
    for (auto _ : state) {
        FlagEverything(record);
        const int before = bench.sim.Count().commands;
        const std::size_t written = bench.port.Written().size();
        const auto start = bench.loop.ElapsedMs();
        if (!bench.link.SetInstrument(&record, false)) state.SkipWithError("write failed");
        exchanges += bench.sim.Count().commands - before;
        hostBytes += static_cast<double>(bench.port.Written().size() - written);
        virtualMs += static_cast<double>(bench.loop.ElapsedMs() - start);
    }
    PerExchangeCounter(state, exchanges);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["virtual_ms_per_write"] = virtualMs / iterations;
    if (virtualMs > 0) state.counters["host_bytes_per_virtual_s"] = hostBytes * 1000.0 / virtualMs;
}
// Unpaced (protocol cost only) and paced at 921600 baud.
BENCHMARK(BM_FullWrite)->Arg(0)->Arg(921600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tz
