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

// The model name that a reply to "RC,R," must contain.
inline constexpr const char* ModelName = "TZ-7300";

// Decodes frame (STX through terminator) into record (may be null: then only replies that store
// nothing can be accepted). replyData receives the data part of the reply. True when accepted.
bool DecodeReply(const std::string& frame, clsInstrument* record, IReplyHost& host,
                 std::string& replyData);

// True when the two checksum digits before the terminator match the frame's text.
bool FrameChecksumMatches(const std::string& frame);

}  // namespace tz
