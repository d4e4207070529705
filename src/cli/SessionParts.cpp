#include "cli/SessionParts.h"

#include "link/Frame.h"

namespace tz::cli {

std::string FrameBody(const std::string& frame) {
    const std::string head = std::string(1, STX) + FrameAddress;
    const std::size_t etx = frame.find(ETX);
    if (frame.rfind(head, 0) != 0 || etx == std::string::npos || etx < head.size()) return {};
    std::string body = frame.substr(head.size(), etx - head.size());
    // Acknowledgements start with ACK or NAK and are not commands.
    if (!body.empty() && (body[0] == ACK || body[0] == NAK)) return {};
    return body;
}

void SentFramesPort::Output(const std::string& bytes) {
    std::string body = FrameBody(bytes);
    if (!body.empty()) {
        bodies_.push_back(body);
        lastBody_ = std::move(body);
    }
    inner_.Output(bytes);
}

std::vector<std::string> SentFramesPort::TakeBodies() {
    std::vector<std::string> taken;
    taken.swap(bodies_);
    return taken;
}

}  // namespace tz::cli
