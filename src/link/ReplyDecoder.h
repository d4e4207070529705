#pragma once
// DecodeReply: checks one received frame and copies its values into the instrument record. Each
// reply code has its own handler in a table (ReplyTable.cpp and its siblings); the checks common
// to all replies (length, checksum, code and data) are made here.
#include <array>
#include <string>

#include "text/Types.h"

namespace tz {

class clsInstrument;

// What a reply handler may touch on the link control besides the record.
class IReplyHost {
public:
    virtual ~IReplyHost() = default;
    virtual void LogLine(const std::string& text) = 0;
    virtual Date Now() const = 0;
    // The complete frame most recently sent.
    virtual const std::string& LastFrame() const = 0;
    virtual void SetAcknowledged(bool value) = 0;
    virtual void SetZeroResult(const std::string& value) = 0;
    virtual void SetSpanResult(const std::string& value) = 0;
    // A reply to "RC,R," named the model.
    virtual void ModelRecognised() = 0;
    virtual void GasReadings(const std::array<Single, 6>& readings, bool lowRange5, bool lowRange6) = 0;
    // A line of the memory-dump listing: its line number (from 1) and its data as hexadecimal text.
    virtual void ListingData(Long /*lineNumber*/, const std::string& /*hexData*/) {}
};

// Log lines of the decoder.
inline constexpr const char* FormatErrorLine = "<<< Format error >>>";
inline constexpr const char* ResponseErrorLine = "<<< Response error >>>";
inline constexpr const char* ChecksumErrorLine = "<<< Checksum error >>>";
inline constexpr const char* ImproperDateLine = "<<< improper date at HC >>> ";
// A reply that answers another command than the one waiting (a late answer, or the answer to a
// retransmission that crossed the first answer) is logged with this line and dropped.
inline std::string StaleReplyLine(const std::string& waitingFor) {
    return "<<< Stale reply discarded, waiting for " + waitingFor + " >>>";
}

// The model name that a reply to "RC,R," must contain.
inline constexpr const char* ModelName = "TZ-7300";

// Decodes frame (STX through terminator) into record (may be null: then only replies that store
// nothing can be accepted). replyData receives the data part of the reply. True when accepted.
bool DecodeReply(const std::string& frame, clsInstrument* record, IReplyHost& host,
                 std::string& replyData);

// The code and access letter of a received frame ("HC,R"); empty for a frame that does not begin
// with STX (the tail of a reply whose beginning was dropped).
std::string ReplyCode(const std::string& frame);

// The code and access letter of the command that a sent frame carries; for an acknowledgement
// (ACK or NAK and the echo of the command) those of the echo. Empty when nothing was sent.
std::string SentCode(const std::string& sentFrame);

// Field `index` of a reply's data, split at "," and CR; empty beyond its fields.
std::string ReplyDataField(const std::string& frame, int index);

// True when the received frame can be the answer to the command in sentFrame: the same code and
// access letter and, for the entries of the station and user lists, the same entry (the reply
// repeats the entry's address "001F" or "****").
bool AnswersCommand(const std::string& frame, const std::string& sentFrame);

// True when the two checksum digits before the terminator match the frame's text.
bool FrameChecksumMatches(const std::string& frame);

}  // namespace tz
