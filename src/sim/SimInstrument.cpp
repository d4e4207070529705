#include "sim/SimInstrument.h"

#include <cstdlib>

#include "link/Frame.h"
#include "sim/SimCommands.h"

namespace tz {
namespace {

// STX, address, at least one body character, ETX, two checksum digits, terminator.
constexpr std::size_t TrailerLength = 3;

bool ChecksumMatches(const std::string& frame, std::size_t etx) {
    const std::string digits = frame.substr(etx + 1, 2);
    char* end = nullptr;
    const long received = std::strtol(digits.c_str(), &end, 16);
    return end == digits.c_str() + 2 && received == FrameChecksum(frame.substr(0, etx + 1));
}

// "A1,R," begins every command body: code, comma, access letter, comma.
bool IsCommandBody(const std::string& body) {
    return body.size() >= 5 && body[2] == ',' && body[4] == ',';
}

}  // namespace

SimInstrument::SimInstrument(SimState state, const SimFaults& faults)
    : state_(std::move(state)), injector_(faults) {}

void SimInstrument::OnPortOpened() { pending_.clear(); }

void SimInstrument::OnPortClosed() {
    pending_.clear();
    lastReply_.clear();
}

void SimInstrument::OnBytesFromHost(const std::string& bytes, const ReplySink& reply) {
    pending_ += bytes;
    CutFrames(reply);
}

// Takes every complete frame from the front of the pending bytes. Bytes before an STX are noise;
// a second STX before the ETX starts the frame over (the host abandoned the first one).
void SimInstrument::CutFrames(const ReplySink& reply) {
    for (;;) {
        const std::size_t stx = pending_.find(STX);
        if (stx == std::string::npos) {
            pending_.clear();
            return;
        }
        pending_.erase(0, stx);
        const std::size_t etx = pending_.find(ETX);
        const std::size_t restart = pending_.find(STX, 1);
        if (restart != std::string::npos && (etx == std::string::npos || restart < etx)) {
            ++counters_.badFrames;
            pending_.erase(0, restart);
            continue;
        }
        if (etx == std::string::npos || pending_.size() < etx + 1 + TrailerLength) {
            if (pending_.size() > MaxPending) pending_.clear();
            return;
        }
        const std::string frame = pending_.substr(0, etx + 1 + TrailerLength);
        pending_.erase(0, frame.size());
        HandleFrame(frame, reply);
    }
}

void SimInstrument::HandleFrame(const std::string& frame, const ReplySink& reply) {
    const std::size_t etx = frame.size() - 1 - TrailerLength;
    const char terminator = frame.back();
    const bool addressed = frame.compare(1, 4, FrameAddress) == 0 && etx > 5;
    if ((terminator != EOT && terminator != ETB) || !addressed || !ChecksumMatches(frame, etx)) {
        ++counters_.badFrames;  // a real instrument ignores what it cannot read; the host retries
        return;
    }
    const std::string body = frame.substr(5, etx - 5);
    if (body[0] == NAK) {
        if (lastReply_.empty()) return;
        ++counters_.repeats;
        Send(lastReply_, reply);
        return;
    }
    if (body[0] == ACK) return;  // no multi-block transfer is running that waits for it
    HandleCommand(body, reply);
}

void SimInstrument::HandleCommand(const std::string& body, const ReplySink& reply) {
    if (!IsCommandBody(body)) {
        ++counters_.badFrames;
        return;
    }
    received_.push_back(body);
    ++counters_.commands;
    const std::string key = body.substr(0, 4);
    const std::string payload = body.substr(5);

    SimReply answer;
    if (Faults().refused.count(key)) {
        if (Faults().refuseSilently) return;
        answer = SimReply::Refused();
    } else if (const SimHandler handler = FindSimCommand(key)) {
        answer = handler(state_, payload);
    } else {
        ++counters_.unknown;
        answer = SimReply::Refused();
    }
    if (answer.silent) return;
    lastReply_ = BuildFrame(key + "," + answer.data, EOT);
    Send(lastReply_, reply);
}

void SimInstrument::Send(const std::string& frame, const ReplySink& reply) {
    ++counters_.transmissions;
    for (const SimPiece& piece : injector_.Transmit(frame)) reply(piece.bytes, piece.delayMs);
}

}  // namespace tz
