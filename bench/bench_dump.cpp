// The binary image dump (2048 blocks of 512 bytes, 1 MiB) against the simulated instrument at
// virtual time. Paced at a baud rate, the achieved bytes per second of virtual time against the
// line's limit (baud / 10) shows whether the protocol adds idle gaps; the CPU time per dump shows
// the cost of the work itself, which must stay well under the virtual duration.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "link/uclTzif.h"
#include "sim/SimInstrument.h"

namespace tz {
namespace {

constexpr double kImageBytes = 1048576;

struct DumpBench {
    VirtualEventLoop loop;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    std::filesystem::path image = std::filesystem::temp_directory_path() / "tz_bench_dump.bin";

    explicit DumpBench(long baud) {
        link.Retry(3);
        link.Timeout(1);
        link.PortOpen(true);
        if (!loop.RunUntil([this] { return link.Connected(); }, 10000)) throw std::runtime_error("no connection");
        SimFaults faults;
        faults.baudRate = baud;
        sim.SetFaults(faults);
    }
    ~DumpBench() {
        std::error_code ignored;
        std::filesystem::remove(image, ignored);
    }
};

void BM_BinaryDump(benchmark::State& state) {
    const long baud = static_cast<long>(state.range(0));
    DumpBench bench(baud);
    double virtualMs = 0;
    for (auto _ : state) {
        const auto start = bench.loop.ElapsedMs();
        Integer first = 0, last = uclTzif::DumpBlockCount - 1;
        if (!bench.link.GetBinDump(bench.image.string(), first, last)) state.SkipWithError("dump failed");
        virtualMs += static_cast<double>(bench.loop.ElapsedMs() - start);
    }
    const double dumps = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(kImageBytes * dumps));  // bytes per CPU-clock second
    if (baud > 0 && virtualMs > 0) {
        const double virtualRate = kImageBytes * dumps / (virtualMs / 1000.0);
        state.counters["virtual_s_per_dump"] = virtualMs / 1000.0 / dumps;
        state.counters["virtual_bytes_per_s"] = virtualRate;
        state.counters["line_rate_ratio"] = virtualRate / (static_cast<double>(baud) / 10.0);
    }
}
BENCHMARK(BM_BinaryDump)->Arg(0)->Arg(115200)->Arg(921600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tz
