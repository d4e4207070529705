#pragma once
// Message boxes as the program's logic sees them. The desktop program shows real message boxes,
// the command line prints the text, and tests script the answers and record what was shown.
#include <functional>
#include <string>

namespace tz {

enum class MsgIcon { None, Stop, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) = 0;
};

// Gives the text of a catalogue message by its number (the message catalogue's LoadMessage).
using MessageLoader = std::function<std::string(int number)>;

}  // namespace tz
