#pragma once
// The reply table: one handler per reply code ("A1,R", "IN,W"), split by subject over
// ReplyTableOptions.cpp, ReplyTableGas.cpp and ReplyTableIdentity.cpp.
#include <functional>
#include <string>
#include <unordered_map>

#include "link/ReplyDecoder.h"
#include "text/clsToken.h"

namespace tz {

// One reply as its handler sees it.
struct ReplyContext {
    clsInstrument* record;   // never null for handlers that store
    IReplyHost& host;
    const std::string& frame;  // the frame as received
    const std::string& code;   // "A1,R"
    const std::string& data;   // the text after the code and its comma
    const clsToken& tokens;    // the data split at "," and CR
    char status;               // the frame's eleventh character (ACK for an accepted action)

    Integer Count() const { return tokens.TokenCount(); }
    // Field i, or empty text beyond the fields of this reply.
    std::string Field(Integer i) const { return i >= 0 && i < Count() ? tokens.Tokens(i) : std::string(); }
    // The reply repeats the first n fields of the write command it answers.
    bool RepeatsSent(std::size_t n) const;
    // Logs the line and refuses the reply.
    bool Refuse(const char* line) const {
        host.LogLine(line);
        return false;
    }
};

struct ReplyEntry {
    std::function<bool(ReplyContext&)> handler;
    bool storesInRecord;  // refused when no record is attached
};

using ReplyTableMap = std::unordered_map<std::string, ReplyEntry>;

void AddOptionReplies(ReplyTableMap& table);
void AddGasReplies(ReplyTableMap& table);
void AddIdentityReplies(ReplyTableMap& table);

// Handlers shared by several codes.
bool AcceptAlways(ReplyContext& reply);
bool AcceptIfAck(ReplyContext& reply);       // ACK, or "<<< Response error >>>"
bool AcceptIfAckQuiet(ReplyContext& reply);  // ACK, without a log line
bool FlagAck(ReplyContext& reply);           // accepted; sets the acknowledged flag from the status
bool EqualFirst(ReplyContext& reply);

}  // namespace tz
