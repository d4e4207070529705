#include "sim/SimFaults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "link/Frame.h"

namespace tz {

SimFaultInjector::SimFaultInjector(const SimFaults& faults) { Configure(faults); }

void SimFaultInjector::Configure(const SimFaults& faults) {
    faults_ = faults;
    rng_.seed(faults.seed);
    carryMs_ = 0;
    dropped_ = corrupted_ = split_ = 0;
}

// The draws map the generator's 32-bit output directly, so the sequence is the same with every
// standard library.
double SimFaultInjector::Uniform() { return rng_() / 4294967296.0; }

int SimFaultInjector::Below(int bound) {
    return bound <= 1 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(bound));
}

std::vector<SimPiece> SimFaultInjector::Transmit(const std::string& frame) {
    const bool drop = Uniform() < faults_.dropReply;
    const bool corrupt = Uniform() < faults_.corruptChecksum;
    const bool split = Uniform() < faults_.splitReply;
    if (drop) {
        ++dropped_;
        return {};
    }
    const std::string sent = corrupt ? CorruptChecksum(frame) : frame;
    if (corrupt) ++corrupted_;

    std::vector<std::size_t> ends;
    if (split && sent.size() > 1) {
        ++split_;
        ends = CutPoints(sent.size());
    }
    ends.push_back(sent.size());

    std::vector<SimPiece> pieces;
    std::size_t begin = 0;
    int gap = 0;
    for (std::size_t end : ends) {
        if (!pieces.empty()) gap += Below(faults_.pieceGapMs + 1);
        pieces.push_back({sent.substr(begin, end - begin), faults_.replyDelayMs + PacedMs(end) + gap});
        begin = end;
    }
    if (faults_.baudRate > 0) {
        const double exact = carryMs_ + sent.size() * 10000.0 / faults_.baudRate;
        carryMs_ = exact - std::floor(exact);
    }
    return pieces;
}

int SimFaultInjector::PacedMs(std::size_t bytes) const {
    if (faults_.baudRate <= 0) return 0;
    return static_cast<int>(std::floor(carryMs_ + bytes * 10000.0 / faults_.baudRate));
}

// A different, still well-formed pair of hexadecimal digits.
std::string SimFaultInjector::CorruptChecksum(const std::string& frame) {
    const std::size_t etx = frame.rfind(ETX);
    if (etx == std::string::npos || etx + 3 > frame.size()) return frame;
    const int good = std::stoi(frame.substr(etx + 1, 2), nullptr, 16);
    const int bad = (good + 1 + Below(255)) % 256;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", bad);
    std::string out = frame;
    out.replace(etx + 1, 2, digits);
    return out;
}

// 1 to maxPieces - 1 distinct cut positions inside the frame, ascending.
std::vector<std::size_t> SimFaultInjector::CutPoints(std::size_t size) {
    const int wanted = 1 + Below(std::max(faults_.maxPieces, 2) - 1);
    std::vector<std::size_t> cuts;
    for (int i = 0; i < wanted; ++i) cuts.push_back(1 + static_cast<std::size_t>(Below(static_cast<int>(size - 1))));
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

}  // namespace tz
