#pragma once
// The progress window of the main window's transfers: a title, a one-line message, a moving busy
// indicator and, for the cancellable transfers (mode 1), a Cancel button that asks the link
// control to stop. It is one program-wide window, made on first use and discarded when it closes;
// it is never modal, so the main window keeps working while it shows.
//
// A command sets ProgramState::ProgressMode, calls frmUpload::Load (which reads the mode once),
// overwrites the title and, if it wants, the message, calls ShowWindow, and closes it with
// frmUpload::Unload on every path on which it ends. The main window writes the link's
// DumpMessage texts with Message() while the window is open (frmUpload::Instance()).
#include <QWidget>
#include <string>

#include "text/Types.h"
#include "ui/common/Form.h"
#include "ui/common/UiContext.h"
#include "ui/common/WindowTimer.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tz::ui {

class frmUpload : public QWidget, public Form {
    Q_OBJECT

public:
    static constexpr int TickMs = 500;

    // The window, made and loaded (reading the progress mode) when there is none.
    static frmUpload& Load(UiContext& context);
    // The open window, or nullptr.
    static frmUpload* Instance();
    // Closes and discards the window, if there is one.
    static void Unload();

    ~frmUpload() override;

    void Title(const std::string& title);
    std::string Title() const;
    // The message line (lblUpload); shown at once, also while a transfer runs.
    void Message(const std::string& text);
    std::string Message() const;
    // Shows the window without a modal state and without an owner.
    void ShowWindow();

    // The mode read when the window loaded.
    Integer Mode() const { return mode_; }
    const WindowTimer& tmrInter() const { return tmrInter_; }

protected:
    void Form_Load() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit frmUpload(UiContext& context);
    void cmdUpload_Click();
    void tmrInter_Timer();
    void FitHeight();

    static frmUpload* instance_;

    UiContext& context_;
    WindowTimer tmrInter_;
    Integer mode_ = 0;
    QLabel* lblUpload_ = nullptr;
    QProgressBar* amnUpload_ = nullptr;
    QPushButton* cmdUpload_ = nullptr;
};

}  // namespace tz::ui
