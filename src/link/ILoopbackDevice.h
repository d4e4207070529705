#pragma once
// The far end of a LoopbackPort: an in-process instrument (the simulated instrument in tests and
// benchmarks). The port hands it every byte the link writes; the device answers through the sink,
// each piece after its own delay on the event loop.
#include <functional>
#include <string>

namespace tz {

class ILoopbackDevice {
public:
    using ReplySink = std::function<void(const std::string& bytes, int delayMs)>;

    virtual ~ILoopbackDevice() = default;

    // Bytes the link wrote, in the order written (possibly several frames, or part of one).
    virtual void OnBytesFromHost(const std::string& bytes, const ReplySink& reply) = 0;
    // The host opened or closed its port.
    virtual void OnPortOpened() {}
    virtual void OnPortClosed() {}
};

}  // namespace tz
