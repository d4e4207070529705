#pragma once
// Dialogs for the command line: each message box is printed as one line "title: text" and
// answered with the first button (Ok or Yes), so a script never waits for a person. A terminal
// has no file dialogs (they answer "no file"), no beep and no pointer.
#include <ostream>

#include "platform/IDialogs.h"

namespace tz {

class StreamDialogs : public IDialogs {
public:
    explicit StreamDialogs(std::ostream& out) : out_(out) {}
    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;
    std::string OpenFileDialog(const FileDialogRequest&) override { return {}; }
    std::string SaveFileDialog(const FileDialogRequest&) override { return {}; }
    void Beep() override {}
    void BusyPointer(bool) override {}

private:
    std::ostream& out_;
};

}  // namespace tz
