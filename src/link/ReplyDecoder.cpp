#include "link/ReplyDecoder.h"

#include <cstdlib>

#include "link/Frame.h"
#include "link/ReplyFields.h"
#include "link/ReplyHandlers.h"
#include "text/Errors.h"

namespace tz {

namespace {

constexpr std::size_t kShortestFrame = 15;

const ReplyTableMap& Replies() {
    static const ReplyTableMap table = [] {
        ReplyTableMap t;
        AddOptionReplies(t);
        AddGasReplies(t);
        AddIdentityReplies(t);
        return t;
    }();
    return table;
}

// CRs become field separators; every character outside 32 to 127 goes (STX, ETX, the
// terminator, ACK and NAK); then the address and the checksum.
std::string ReplyText(const std::string& frame) {
    std::string text;
    text.reserve(frame.size());
    for (char c : frame) {
        if (c == CR) c = ',';
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 32 && u <= 127) text += c;
    }
    if (text.size() <= 6) return {};
    return text.substr(4, text.size() - 6);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool ReplyContext::RepeatsSent(std::size_t n) const {
    const std::string writeCode = code.substr(0, 2) + ",W";
    const std::vector<std::string> sent = SentFields(host.LastFrame(), writeCode);
    if (sent.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (static_cast<Integer>(i) >= Count() || !SameField(Field(static_cast<Integer>(i)), sent[i])) return false;
    return true;
}

bool FrameChecksumMatches(const std::string& frame) {
    if (frame.size() < 3) return false;
    const int high = HexDigit(frame[frame.size() - 3]);
    const int low = HexDigit(frame[frame.size() - 2]);
    return high >= 0 && low >= 0 && high * 16 + low == FrameChecksum(frame.substr(0, frame.size() - 3));
}

bool DecodeReply(const std::string& frame, clsInstrument* record, IReplyHost& host, std::string& replyData) {
    if (frame.size() < kShortestFrame) {
        host.LogLine(FormatErrorLine);
        return false;
    }
    if (!FrameChecksumMatches(frame)) {
        host.LogLine(ChecksumErrorLine);  // a damaged reply never reaches the record
        return false;
    }
    const char status = frame[10];
    const std::string text = ReplyText(frame);
    const std::string code = text.substr(0, 4);
    replyData = text.size() > 5 ? text.substr(5) : std::string();

    const auto entry = Replies().find(code);
    if (entry == Replies().end()) return false;
    if (entry->second.storesInRecord && !record) return false;

    clsToken tokens;
    tokens.AddDelimiters(std::string(1, CR));
    tokens.AddDelimiters(",");
    try {
        tokens.Source(replyData);
        ReplyContext reply{record, host, frame, code, replyData, tokens, status};
        return entry->second.handler(reply);
    } catch (const TokenLimitError&) {
        host.LogLine(FormatErrorLine);  // more fields than any reply has
        return false;
    } catch (const ConversionError&) {
        return false;  // values stored before the bad field stay
    } catch (const OverflowError&) {
        return false;
    } catch (const std::out_of_range&) {
        return false;
    }
}

}  // namespace tz
