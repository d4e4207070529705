// The link's receive path on any bytes from the line: a link control on a loopback port at
// virtual time, connected to the simulated instrument, runs a complete read, a write of every
// setting or a binary dump (the first byte chooses), while the input decides, command by command,
// what comes back instead of the instrument's answer.
//
// After the first byte the input is a list of pieces for the transmissions the link makes, in
// order. A piece header byte holds the length (bits 0-6) and whether another piece for the same
// transmission follows (bit 7); a first piece of length 0 lets the instrument answer. Once the
// input is used up the instrument falls silent, so the operation ends by its timeouts. Every
// operation must end, and a record that a read accepted must save and load back unchanged.
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "FuzzSupport.h"
#include "instrument/SettingsFile.h"
#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "link/uclTzif.h"
#include "sim/SimInstrument.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

struct Piece {
    std::string bytes;
    bool more = false;
};

// The instrument, or the input in its place once the link is connected.
class ScriptedLine : public ILoopbackDevice {
public:
    ScriptedLine(SimInstrument& sim, std::vector<Piece> pieces) : sim_(sim), pieces_(std::move(pieces)) {}

    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        if (!scripted) return sim_.OnBytesFromHost(bytes, reply);
        if (next_ >= pieces_.size()) return;  // silent
        if (!pieces_[next_].more && pieces_[next_].bytes.empty()) {
            ++next_;
            return sim_.OnBytesFromHost(bytes, reply);
        }
        int delay = 1;
        for (bool more = true; more && next_ < pieces_.size(); ++next_, delay += 3) {
            more = pieces_[next_].more;
            reply(pieces_[next_].bytes, delay);
        }
    }
    void OnPortOpened() override { sim_.OnPortOpened(); }
    void OnPortClosed() override { sim_.OnPortClosed(); }

    bool scripted = false;

private:
    SimInstrument& sim_;
    std::vector<Piece> pieces_;
    std::size_t next_ = 0;
};

std::vector<Piece> CutPieces(const std::uint8_t* data, std::size_t size) {
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < size;) {
        const std::uint8_t header = data[at++];
        const std::size_t length = std::min<std::size_t>(header & 0x7F, size - at);
        pieces.push_back({std::string(reinterpret_cast<const char*>(data + at), length), (header & 0x80) != 0});
        at += length;
    }
    return pieces;
}

const SimState& DefaultState() {
    static const SimState state = DefaultSimState();
    return state;
}

// A record with every setting marked changed, so that a write sends every group.
clsInstrument EverySettingChanged() {
    clsInstrument record;
    LoadSettingsText(record, SettingsFileText(record));
    return record;
}

fs::path DumpFile() {
    static const fs::path file =
        fs::temp_directory_path() / ("tz_fuzz_link_" + std::to_string(getpid()) + ".bin");
    return file;
}

}  // namespace
}  // namespace tz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    if (size == 0) return 0;
    VirtualEventLoop loop;
    SimInstrument sim(DefaultState());
    ScriptedLine line(sim, CutPieces(data + 1, size - 1));
    LoopbackPort port(loop, line);
    InactiveIrdaPort irda;
    uclTzif link(port, irda, loop);
    clsInstrument record;
    link.Retry(2);
    link.Timeout(1);
    link.Instrument(&record);
    link.PortOpen(true);
    loop.RunUntil([&] { return link.Connected(); }, 10000);
    fuzz::Check(link.Connected(), "the link connects to the simulated instrument");
    line.scripted = true;

    switch (data[0] % 3) {
    case 0:
        if (link.GetInstrument(&record)) {
            fuzz::CheckSettingsRoundTrip(record);
            fuzz::CheckRecordJsonRoundTrip(record);
        }
        break;
    case 1: {
        static const clsInstrument changed = EverySettingChanged();
        clsInstrument toWrite = changed;
        link.SetInstrument(&toWrite, false);
        break;
    }
    default: {
        Integer first = 0, last = 3;
        link.GetBinDump(DumpFile().string(), first, last);
        std::error_code ec;
        fs::remove(DumpFile(), ec);
        break;
    }
    }
    fuzz::Check(link.Status() != stsWaitRead && link.Status() != stsWaitWrite,
                "an operation that returned waits for no reply");
    link.PortOpen(false);
    return 0;
}
