#pragma once
// The catalogue messages that the link writes to the log or raises to its host.
#include <string>

namespace tz {

enum LinkMessage : int {
    msgNoResponse = 5405,        // "TZ-7300 No Response. Check Port,Cable And Power.~c"
    msgConnectStarted = 5512,    // "---StartUp Connect Sequence Started---"
    msgConnectFinished = 5514,   // "---StartUp Connect Sequence Finished---~c"
    msgBreak = 5542,             // "Break Signal Found. Date = ~1"
    msgFrameError = 5543,
    msgOverrun = 5544,
    msgRxOverflow = 5545,
    msgParity = 5546,
    msgTxFull = 5547,
    msgDcbError = 5548,
    msgRead = 5549,              // "R : ~1"
    msgIrdaConnected = 5550,     // "TZ-7300 ...Conneted. Date = ~1"
    msgWrite = 5552,             // "W : ~1"
    msgReadingTimeout = 5560,    // "--- Current reading download time out.Date= ~1 ---~c"
};

// The message's text with "~1" replaced by the argument.
std::string LinkText(int number, const std::string& argument = {});

}  // namespace tz
