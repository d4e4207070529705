#pragma once
// A link control on a virtual clock, wired to a scripted instrument: every command frame the link
// writes is recorded, and a script decides what, if anything, comes back and when.
#include <functional>
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"
#include "link/Frame.h"
#include "link/ILoopbackDevice.h"
#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "link/uclTzif.h"

namespace tz::test {

// A reply piece: bytes and the delay after which they arrive.
struct Piece {
    std::string bytes;
    int delayMs = 20;
};

// A reply frame from the instrument.
inline std::string Reply(const std::string& body, char terminator = EOT) { return BuildFrame(body, terminator); }

// The same frame with a wrong checksum.
inline std::string Corrupted(const std::string& frame) {
    std::string bad = frame;
    char& digit = bad[bad.size() - 2];
    digit = digit == '0' ? '1' : '0';
    return bad;
}

// The body of a frame (between the address and ETX).
inline std::string BodyOf(const std::string& frame) {
    const std::size_t etx = frame.find(ETX);
    return frame.size() > 5 && etx != std::string::npos ? frame.substr(5, etx - 5) : std::string();
}

class ScriptedDevice : public ILoopbackDevice {
public:
    using Script = std::function<std::vector<Piece>(const std::string& body)>;

    void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) override {
        frames.push_back(bytes);
        bodies.push_back(BodyOf(bytes));
        times.push_back(clock ? clock->ElapsedMs() : 0);
        if (!script) return;
        for (const Piece& piece : script(bodies.back())) reply(piece.bytes, piece.delayMs);
    }

    // Bodies sent with the given start ("RC,R," counts the handshake attempts).
    int CountOf(const std::string& start) const {
        int n = 0;
        for (const std::string& body : bodies)
            if (body.rfind(start, 0) == 0) ++n;
        return n;
    }

    Script script;
    const VirtualEventLoop* clock = nullptr;
    std::vector<std::string> frames;
    std::vector<std::string> bodies;
    std::vector<long long> times;
};

// Answers the handshake with the model name; everything else goes to the inner script.
inline ScriptedDevice::Script Handshaking(ScriptedDevice::Script inner = {}) {
    return [inner](const std::string& body) -> std::vector<Piece> {
        if (body == "RC,R,") return {{Reply("RC,R,TZ-7300,1.00")}};
        return inner ? inner(body) : std::vector<Piece>{};
    };
}

class RecordingListener : public ILinkListener {
public:
    void OnConnect() override { ++connects; }
    void Densty(const std::array<Single, 6>& values, bool lo5, bool lo6) override {
        readings.push_back(values);
        lowMarks.push_back({lo5, lo6});
    }
    void ConnectRetry(Integer& count) override { retries.push_back(count); }
    void InstMessage(std::string& message) override { messages.push_back(message); }
    void InterMessage(const std::string& message) override { interMessages.push_back(message); }
    void AlarmMessage(const std::string& message) override { alarms.push_back(message); }
    void OnDisconnect() override { ++disconnects; }
    void IrDAError(Integer& code) override { irdaErrors.push_back(code); }
    void StsTransmit() override { ++transmits; }
    void StsIdle() override { ++idles; }

    int connects = 0, disconnects = 0, transmits = 0, idles = 0;
    std::vector<std::array<Single, 6>> readings;
    std::vector<std::array<bool, 2>> lowMarks;
    std::vector<Integer> retries;
    std::vector<std::string> messages, interMessages, alarms;
    std::vector<Integer> irdaErrors;
};

// The whole rig; the link's log lines are kept in memory.
struct LinkRig {
    VirtualEventLoop loop;
    ScriptedDevice device;
    LoopbackPort port{loop, device};
    InactiveIrdaPort irda;
    uclTzif link{port, irda, loop};
    RecordingListener events;
    clsInstrument record;
    std::vector<std::string> logLines;

    LinkRig() {
        device.clock = &loop;
        link.SetListener(&events);
        link.Log().SetObserver([this](const std::string& line) { logLines.push_back(line); });
        link.Retry(3);
        link.Timeout(3);
        link.Instrument(&record);
    }

    // Opens the port and runs the handshake against a device that names the model.
    bool Connect(ScriptedDevice::Script inner = {}) {
        device.script = Handshaking(std::move(inner));
        link.PortOpen(true);
        loop.RunUntil([this] { return link.Connected(); }, 1000);
        device.frames.clear();
        device.bodies.clear();
        device.times.clear();
        return link.Connected();
    }

    bool Logged(const std::string& part) const {
        for (const std::string& line : logLines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
};

}  // namespace tz::test
