#pragma once
// Texts and small rules of the start-up windows that need no widget: the part number in titles,
// the splash texts, the password comparison and the progress window's modes.
#include <string>

#include "text/Types.h"

namespace tz {

// Message numbers the start-up windows use.
inline constexpr int MsgAlreadyStarted = 99;     // "It has already started."
inline constexpr int MsgEndQuestion = 5373;      // "End ?"
inline constexpr int MsgPleaseInputPassword = 7005;
inline constexpr int MsgOk = 7010;
inline constexpr int MsgCancel = 7011;
inline constexpr int MsgIncorrectPassword = 7101;
inline constexpr int MsgPasswordTitle = 7102;
inline constexpr int MsgNowUploading = 6001;
inline constexpr int MsgAdjustingZero = 6002;
inline constexpr int MsgAdjustingSpan = 6003;
inline constexpr int MsgNowDownloading = 6004;
inline constexpr int MsgCancelButton = 6005;
inline constexpr int MsgNowCancelProcessing = 6006;
inline constexpr int MsgNowWriting = 6058;

// The title of the "End ?" question of the password and main windows.
inline constexpr const char* EndQuestionTitle = "TZ-7300";
// The line the progress window logs when the user cancels a transfer.
inline constexpr const char* UserCancelLogLine = "= User Cancel =";

// The program's part number: "05006" with the Japanese catalogue (message 101 "JP"), else "05683".
std::string ProgramPartNumber();

// Message 5001, " [P.No.", the part number and "]"; in factory mode " <製造ｵﾌﾟｼｮﾝ>" follows.
std::string MainWindowTitle(bool factoryMode);

// The splash window's part-number label ("P.No.05683") and the maker's name in the wording of
// the active catalogue (one wording for English, the other for every other language).
std::string SplashVersionText();
std::string SplashCompanyText();

// The password window's comparison: both texts upper-cased (letters a to z), then equal.
bool IsProgramPassword(const std::string& typed, const std::string& programPassword);

// What the progress window shows for a mode when it loads: the message for its title and message
// line, and whether its Cancel button is offered. Mode 1 (the cancellable transfers, all of them
// downloads from the instrument) says "Now Downloading"; a mode the program does not set shows
// as mode 0.
struct ProgressModeView {
    int message = MsgNowDownloading;
    bool cancelShown = false;
};
ProgressModeView ProgressModeTexts(Integer mode);

}  // namespace tz
