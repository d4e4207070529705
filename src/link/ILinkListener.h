#pragma once
// The events of the link control, delivered to one host. Every event has an empty default, so a
// host overrides only the ones it cares about.
#include <array>
#include <string>

#include "text/Types.h"

namespace tz {

class ILinkListener {
public:
    virtual ~ILinkListener() = default;

    // The instrument answered the connection handshake with its model name.
    virtual void OnConnect() {}
    // Gas readings of channels 1 to 6, then the low-range marks of channels 5 and 6.
    virtual void Densty(const std::array<Single, 6>& /*readings*/, bool /*lowRange5*/,
                        bool /*lowRange6*/) {}
    // Retransmission after a bad reply (retries used), or every fifth connection attempt
    // (attempts / 5).
    virtual void ConnectRetry(Integer& /*count*/) {}
    // A message the record collected while a read was waiting.
    virtual void InstMessage(std::string& /*message*/) {}
    // Progress of the history reads.
    virtual void InterMessage(const std::string& /*message*/) {}
    // The connection attempts were exhausted.
    virtual void AlarmMessage(const std::string& /*message*/) {}
    // Progress of the memory dumps.
    virtual void DumpMessage(const std::string& /*message*/) {}
    // The serial line lost both CTS and DSR.
    virtual void OnDisconnect() {}
    // The infrared port reported a socket error.
    virtual void IrDAError(Integer& /*errorCode*/) {}
    // A frame was transmitted, or data arrived.
    virtual void StsTransmit() {}
    // The infrared receive handler finished with a receive event.
    virtual void StsIdle() {}
};

}  // namespace tz
