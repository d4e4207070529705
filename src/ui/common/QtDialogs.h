#pragma once
// The dialogs of the desktop program: QMessageBox with the named icons, QFileDialog with the
// program's filter texts, QApplication::beep and the application's override cursor.
#include "platform/IDialogs.h"

namespace tz::ui {

class QtDialogs : public IDialogs {
public:
    QtDialogs() = default;
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override;
    void BusyPointer(bool busy) override;

private:
    std::string RunFileDialog(const FileDialogRequest& request, bool save);
    bool busy_ = false;
};

}  // namespace tz::ui
