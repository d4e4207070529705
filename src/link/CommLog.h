#pragma once
// The communication log "SerialLog.log": one line per frame sent or received, per port error and
// per milestone of the link's operations, each prefixed with the time of day. The file is opened
// and closed for every line. A line that cannot be written is dropped; the link goes on.
#include <functional>
#include <string>

#include "link/IEventLoop.h"

namespace tz {

inline constexpr const char* CommLogFileName = "SerialLog.log";

class CommLog {
public:
    using Observer = std::function<void(const std::string& line)>;

    explicit CommLog(const IEventLoop& clock) : clock_(clock) {}

    // The folder the log is written to; with no folder set nothing goes to a file.
    void Folder(const std::string& folder) { folder_ = folder; }
    const std::string& Folder() const { return folder_; }
    // The log file's path: the folder, a separator unless the folder already ends with one, and
    // the file name. Empty when no folder is set.
    std::string Path() const;

    // LogWrite: appends "hh:nn:ss text" and CR LF.
    void LogWrite(const std::string& text);

    // Also hands every line (without CR LF) to the observer, e.g. a verbose command line.
    void SetObserver(Observer observer) { observer_ = std::move(observer); }
    // Lines that could not be written to the file since the log was made.
    long LostLines() const { return lostLines_; }

private:
    const IEventLoop& clock_;
    std::string folder_;
    Observer observer_;
    long lostLines_ = 0;
};

// A printable form of a frame: control characters spelled as [STX], [ETX], [EOT], [ENQ], [ACK],
// [NAK], [ETB], [SUB], [ESC] or [hh]; CR and LF are kept as they are.
std::string ShowControlChars(const std::string& text);

// "hh:nn:ss" of a date, 24-hour.
std::string TimeOfDayText(Date value);

}  // namespace tz
