#pragma once
// What the program's logic asks of the person in front of it: message boxes, the open-file and
// save-file dialogs, the system beep and the busy pointer. The desktop program shows real
// dialogs (QtDialogs), the command line prints the text (StreamDialogs), and tests script the
// answers and record what was shown.
#include <functional>
#include <string>

namespace tz {

enum class MsgIcon { None, Stop, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// One open-file or save-file dialog.
struct FileDialogRequest {
    std::string title;        // empty: the dialog's own default title
    // Pairs of description and patterns, each part closed by "|", as the catalogue writes them:
    // "All files (*.*)|*.*|Config Data (*.seq)|*.seq|" (text/FileFilter.h reads it).
    std::string filter;
    int filterIndex = 1;      // the filter preselected, counted from 1 as the filter text lists them
    std::string fileName;     // proposed name, with or without a folder; empty: none
    std::string folder;       // folder the dialog opens in; empty: the dialog's choice
    bool mustExist = false;   // open: only an existing file; save: only into an existing folder
    bool overwritePrompt = false;  // save: ask before an existing file is replaced
};

class IDialogs {
public:
    virtual ~IDialogs() = default;

    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) = 0;

    // The chosen file's full path, or empty text when the user cancelled ("no file").
    virtual std::string OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;

    virtual void Beep() = 0;

    // The busy (hourglass) pointer on, or back to the default pointer. A state, not a count:
    // switching it on twice needs one switch back.
    virtual void BusyPointer(bool busy) = 0;
};

// The answer of a message box closed without pressing a button (Escape, close box): Cancel where
// it is offered, else No, else Ok.
inline MsgAnswer EscapeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::Ok: break;
    }
    return MsgAnswer::Ok;
}

// Gives the text of a catalogue message by its number (the message catalogue's LoadMessage).
using MessageLoader = std::function<std::string(int number)>;

}  // namespace tz
