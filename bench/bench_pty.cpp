// Whole-program figures over a real pseudo-terminal: tz7300-sim runs as its own process and paces
// its replies at a baud rate; this process is the reading program (the link on QtEventLoop and
// QtSerialPort). Reported:
//  - a full read (GetInstrument) and a binary dump (GetBinDump) at 115200 and 921600 baud, as
//    achieved bytes per second against the line-rate limit (baud / 10: ten bit times a byte);
//  - the CPU this process uses while connected and idle for ten seconds (getrusage);
//  - unpaced, full-read exchanges per second.
//
// Bytes are counted at this process's port: "sent" is the commands and acknowledgements, "recv"
// the replies. The simulator paces only its replies, so the line-rate ratio is the received
// bytes per second against baud / 10; the rate over both directions is shown beside it.
//
// The dump covers the whole 1 MiB image, 2048 blocks of 512 bytes (about 92 s at 115200 baud and
// 13 s at 921600; the whole run takes about two minutes); TZ_BENCH_DUMP_BLOCKS shortens it. The
// simulator is TZ7300_SIM, or the one built with this program.
#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "instrument/clsInstrument.h"
#include "link/InactiveIrdaPort.h"
#include "link/uclTzif.h"
#include "platform/QtEventLoop.h"
#include "platform/QtSerialPort.h"

namespace tz {
namespace {

constexpr int kDefaultDumpBlocks = uclTzif::DumpBlockCount;
constexpr int kIdleSeconds = 10;
constexpr int kUnpacedReads = 5;

// The serial adapter, counting what passes through it.
class CountingPort : public QtSerialPort {
public:
    CountingPort() : QtSerialPort([](int) { return std::string(); }) {}
    void Output(const std::string& bytes) override {
        sent += static_cast<long long>(bytes.size());
        ++frames;
        QtSerialPort::Output(bytes);
    }
    std::string Input() override {
        std::string bytes = QtSerialPort::Input();
        received += static_cast<long long>(bytes.size());
        return bytes;
    }
    long long sent = 0, received = 0, frames = 0;
};

struct Traffic {
    long long sent = 0, received = 0, frames = 0;
    double seconds = 0;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string SimExecutable() {
    if (const char* path = std::getenv("TZ7300_SIM"); path && *path) return path;
    return TZ_SIM_EXECUTABLE;
}

int DumpBlocks() {
    const char* text = std::getenv("TZ_BENCH_DUMP_BLOCKS");
    if (!text || !*text) return kDefaultDumpBlocks;
    const long blocks = std::strtol(text, nullptr, 10);
    if (blocks < 1 || blocks > uclTzif::DumpBlockCount)
        throw std::runtime_error("TZ_BENCH_DUMP_BLOCKS must be 1 to 2048");
    return static_cast<int>(blocks);
}

// One simulator process at one baud rate and the link connected to it.
class Session {
public:
    explicit Session(long baud) {
        sim_.setStandardErrorFile(QProcess::nullDevice());  // its closing tally would break the table
        sim_.start(QString::fromStdString(SimExecutable()), {"--baud", QString::number(baud)});
        if (!sim_.waitForStarted(10000)) throw std::runtime_error("tz7300-sim did not start");
        if (!RunUntil([&] { return sim_.canReadLine(); }, 10000))
            throw std::runtime_error("tz7300-sim printed no device");
        port_.DeviceName(sim_.readLine().trimmed().toStdString());
        link_.Retry(3);
        link_.Timeout(3);
        link_.SerialComm(true);
        link_.PortOpen(true);
        if (!RunUntil([&] { return link_.Connected(); }, 10000))
            throw std::runtime_error("no connection: " + port_.LastError());
    }
    ~Session() {
        link_.PortOpen(false);
        sim_.terminate();
        if (!sim_.waitForFinished(5000)) sim_.kill();
    }

    uclTzif& Link() { return link_; }
    QtEventLoop& Loop() { return loop_; }

    // Runs one operation and counts its traffic and its real time.
    Traffic Measure(const std::function<bool()>& operation) {
        const Traffic before = Counts();
        const auto start = std::chrono::steady_clock::now();
        if (!operation()) throw std::runtime_error("the operation failed");
        Traffic t;
        t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        t.sent = port_.sent - before.sent;
        t.received = port_.received - before.received;
        t.frames = port_.frames - before.frames;
        return t;
    }

    // Yields until done() holds or the guard time has passed.
    bool RunUntil(const std::function<bool()>& done, int guardMs) {
        // The guard may fire after this wait has ended, so it owns its flag.
        const auto expired = std::make_shared<bool>(false);
        loop_.Post(guardMs, [expired] { *expired = true; });
        while (!done() && !*expired) loop_.Yield();
        return done();
    }

private:
    Traffic Counts() const {
        Traffic t;
        t.sent = port_.sent;
        t.received = port_.received;
        t.frames = port_.frames;
        return t;
    }

    QProcess sim_;
    QtEventLoop loop_;
    CountingPort port_;
    InactiveIrdaPort irda_;
    uclTzif link_{port_, irda_, loop_};
};

void PrintHeader() {
    std::printf("%-8s %-26s %7s %9s %9s %8s %11s %11s %7s %11s\n", "baud", "operation", "frames",
                "sent B", "recv B", "seconds", "recv B/s", "limit B/s", "ratio", "both B/s");
}

void PrintRow(long baud, const std::string& operation, const Traffic& t) {
    const double limit = static_cast<double>(baud) / 10.0;
    const double received = static_cast<double>(t.received) / t.seconds;
    const double both = static_cast<double>(t.sent + t.received) / t.seconds;
    std::printf("%-8ld %-26s %7lld %9lld %9lld %8.2f %11.0f %11.0f %6.1f%% %11.0f\n", baud,
                operation.c_str(), t.frames, t.sent, t.received, t.seconds, received, limit,
                100.0 * received / limit, both);
    std::fflush(stdout);
}

void PacedFigures(long baud, int blocks, const std::filesystem::path& image) {
    Session session(baud);
    clsInstrument record;
    PrintRow(baud, "full read", session.Measure([&] { return session.Link().GetInstrument(&record); }));
    PrintRow(baud, "binary dump " + std::to_string(blocks) + " blocks", session.Measure([&] {
                 Integer first = 0, last = static_cast<Integer>(blocks - 1);
                 return session.Link().GetBinDump(image.string(), first, last);
             }));
}

void IdleFigure(long baud) {
    Session session(baud);
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    session.RunUntil([] { return false; }, kIdleSeconds * 1000);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("idle, connected at %ld baud for %.1f s: %.3f s CPU (user + system) = %.3f %% "
                "(target under 1 %%)\n",
                baud, wall, cpu, 100.0 * cpu / wall);
}

void UnpacedFigure() {
    Session session(0);
    clsInstrument record;
    Traffic total;
    for (int i = 0; i < kUnpacedReads; ++i) {
        const Traffic t = session.Measure([&] { return session.Link().GetInstrument(&record); });
        total.frames += t.frames;
        total.seconds += t.seconds;
    }
    std::printf("unpaced: %d full reads, %lld exchanges in %.2f s = %.0f exchanges per second\n",
                kUnpacedReads, total.frames, total.seconds,
                static_cast<double>(total.frames) / total.seconds);
}

}  // namespace
}  // namespace tz

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const int blocks = tz::DumpBlocks();
        const auto image = std::filesystem::temp_directory_path() /
                           ("tz_bench_pty_" + std::to_string(::getpid()) + ".bin");
        std::printf("bench_pty: %s on a pseudo-terminal, the link in this process.\n"
                    "Bytes counted at this port (sent: commands and acknowledgements; recv: "
                    "replies).\nThe simulator paces its replies, so ratio = recv B/s against the "
                    "line-rate limit baud/10.\nDump: %d of 2048 blocks (TZ_BENCH_DUMP_BLOCKS=N fetches "
                    "only the first N).\n\n",
                    tz::SimExecutable().c_str(), blocks);
        tz::PrintHeader();
        for (const long baud : {115200L, 921600L}) tz::PacedFigures(baud, blocks, image);
        std::filesystem::remove(image);
        std::printf("\n");
        tz::IdleFigure(115200);
        tz::UnpacedFigure();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_pty: %s\n", e.what());
        return 1;
    }
    return 0;
}
