#include "link/ReplyDecoder.h"

#include <cstdlib>

#include "link/Frame.h"
#include "link/ReplyFields.h"
#include "link/ReplyHandlers.h"
#include "text/Errors.h"
#include "text/TextCompare.h"

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

// The command body of a sent frame: after STX and the address, up to ETX.
std::string SentBody(const std::string& sentFrame) {
    constexpr std::size_t bodyStart = 5;
    const std::size_t etx = sentFrame.find(ETX);
    if (etx == std::string::npos || etx <= bodyStart) return {};
    std::string body = sentFrame.substr(bodyStart, etx - bodyStart);
    body.erase(0, body.find_first_not_of(std::string{ACK, NAK}));
    return body;
}

bool IsListEntryCode(const std::string& code) {
    return code == "XS,R" || code == "XS,W" || code == "XZ,R" || code == "XZ,W";
}

// "****" or four hexadecimal digits.
bool IsEntryAddress(const std::string& field) {
    if (field == "****") return true;
    if (field.size() != 4) return false;
    for (char c : field)
        if (HexDigit(c) < 0) return false;
    return true;
}

}  // namespace

std::string ReplyCode(const std::string& frame) {
    if (frame.empty() || frame[0] != STX) return {};
    return ReplyText(frame).substr(0, 4);
}

std::string SentCode(const std::string& sentFrame) { return SentBody(sentFrame).substr(0, 4); }

std::string ReplyDataField(const std::string& frame, int index) {
    const std::string text = ReplyText(frame);
    if (text.size() <= 5) return {};
    clsToken tokens;
    tokens.AddDelimiters(std::string(1, CR));
    tokens.AddDelimiters(",");
    try {
        tokens.Source(text.substr(5));
        return index >= 0 && index < tokens.TokenCount() ? tokens.Tokens(index) : std::string();
    } catch (const TokenLimitError&) {
        return {};
    }
}

bool AnswersCommand(const std::string& frame, const std::string& sentFrame) {
    const std::string code = ReplyCode(frame);
    if (code.size() != 4 || code != SentCode(sentFrame)) return false;
    if (!IsListEntryCode(code)) return true;
    // A list entry's reply names its entry; a reply that names none is not judged by it.
    const std::string answered = TrimSpaces(ReplyDataField(frame, 0));
    const std::string body = SentBody(sentFrame);
    const std::string asked = body.size() > 5 ? body.substr(5, 4) : std::string();
    return !IsEntryAddress(answered) || answered == asked;
}

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
