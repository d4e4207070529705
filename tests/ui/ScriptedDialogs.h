#pragma once
// Dialogs for window tests: every message box and file dialog is answered from a queue the test
// fills beforehand, and everything shown is recorded (texts, titles, icons, buttons; filters,
// preselected filter and proposed names of file dialogs), as are beeps and the busy pointer.
// A box or dialog that the test did not script fails the test at once, with what it showed, and
// gets the answer that changes least (Escape's), so nothing ever waits for a person.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "platform/IDialogs.h"

namespace tz::test {

struct ShownMessageBox {
    std::string text;
    std::string title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer answer = MsgAnswer::Ok;
};

struct ShownFileDialog {
    bool save = false;
    FileDialogRequest request;
    std::string answer;  // the path returned; empty when cancelled
};

inline const char* Name(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Ok: return "Ok";
    case MsgAnswer::Cancel: return "Cancel";
    case MsgAnswer::Yes: return "Yes";
    case MsgAnswer::No: return "No";
    }
    return "?";
}

inline bool Offers(MsgButtons buttons, MsgAnswer answer) {
    switch (buttons) {
    case MsgButtons::Ok: return answer == MsgAnswer::Ok;
    case MsgButtons::OkCancel: return answer == MsgAnswer::Ok || answer == MsgAnswer::Cancel;
    case MsgButtons::YesNo: return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesNoCancel: return answer != MsgAnswer::Ok;
    }
    return false;
}

class ScriptedDialogs : public IDialogs {
public:
    // The next message box is answered `answer`; when expectedText is given, the box's text must
    // contain it.
    ScriptedDialogs& Answer(MsgAnswer answer, std::string expectedText = {}) {
        queue_.push_back({Kind::Box, answer, {}, std::move(expectedText)});
        return *this;
    }
    // The next file dialog (open or save) returns this path.
    ScriptedDialogs& ChooseFile(std::string path) {
        queue_.push_back({Kind::File, MsgAnswer::Ok, std::move(path), {}});
        return *this;
    }
    // The next file dialog is cancelled.
    ScriptedDialogs& CancelFile() { return ChooseFile({}); }

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override {
        ShownMessageBox shown{text, title, icon, buttons, EscapeAnswer(buttons)};
        if (queue_.empty() || queue_.front().kind != Kind::Box) {
            ADD_FAILURE() << "unscripted message box [" << title << "] \"" << text << "\""
                          << (queue_.empty() ? "" : " (a file dialog was scripted next)");
        } else {
            const Scripted next = queue_.front();
            queue_.pop_front();
            if (!next.expectedText.empty() && text.find(next.expectedText) == std::string::npos)
                ADD_FAILURE() << "message box [" << title << "] \"" << text
                              << "\" where the script expected \"" << next.expectedText << "\"";
            if (!Offers(buttons, next.answer))
                ADD_FAILURE() << "message box \"" << text << "\" has no " << Name(next.answer)
                              << " button";
            else
                shown.answer = next.answer;
        }
        boxes.push_back(shown);
        return shown.answer;
    }

    std::string OpenFileDialog(const FileDialogRequest& request) override { return File(request, false); }
    std::string SaveFileDialog(const FileDialogRequest& request) override { return File(request, true); }

    void Beep() override { ++beeps; }
    void BusyPointer(bool on) override {
        busy = on;
        busyChanges.push_back(on);
    }

    // Answers scripted but not asked for yet.
    std::size_t Pending() const { return queue_.size(); }
    std::string PendingDescription() const {
        std::ostringstream text;
        for (const Scripted& s : queue_) {
            if (s.kind == Kind::Box)
                text << " box answer " << Name(s.answer) << " for \"" << s.expectedText << "\";";
            else
                text << " file dialog answer \"" << s.path << "\";";
        }
        return text.str();
    }

    std::vector<ShownMessageBox> boxes;
    std::vector<ShownFileDialog> fileDialogs;
    int beeps = 0;
    bool busy = false;
    std::vector<bool> busyChanges;

private:
    enum class Kind { Box, File };
    struct Scripted {
        Kind kind;
        MsgAnswer answer;
        std::string path;
        std::string expectedText;
    };

    std::string File(const FileDialogRequest& request, bool save) {
        ShownFileDialog shown{save, request, {}};
        if (queue_.empty() || queue_.front().kind != Kind::File) {
            ADD_FAILURE() << "unscripted " << (save ? "save" : "open") << "-file dialog \""
                          << request.title << "\" filter \"" << request.filter << "\"";
        } else {
            shown.answer = queue_.front().path;
            queue_.pop_front();
        }
        fileDialogs.push_back(shown);
        return shown.answer;
    }

    std::deque<Scripted> queue_;
};

}  // namespace tz::test
