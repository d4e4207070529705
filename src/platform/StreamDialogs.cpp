#include "platform/StreamDialogs.h"

namespace tz {

MsgAnswer StreamDialogs::MsgBox(const std::string& text, const std::string& title, MsgIcon,
                                MsgButtons buttons) {
    out_ << (title.empty() ? text : title + ": " + text) << '\n';
    out_.flush();
    const bool yesNo = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
    return yesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

}  // namespace tz
