#pragma once
// Every modal window of the program opens through one ModalRunner. The program's runner
// (QtModalRunner) runs the window's own modal loop; a test's runner hands the open window to a
// script that drives its controls and lets it close, without a person and without waiting.
#include <QDialog>

#include "ui/common/Form.h"

namespace tz::ui {

class ModalRunner {
public:
    virtual ~ModalRunner() = default;

    // Loads the window (Form_Load), shows it modally, runs its activation once it is shown, and
    // returns when it has closed, with the dialog's result. Then the window's owner (its parent
    // window), when it is a Form, is activated again, as it becomes the active window.
    int RunModal(QDialog& window);

protected:
    // Shows the loaded window modally, runs form->ActivateForm() once it shows (form may be
    // nullptr), and returns when the window has closed.
    virtual int Execute(QDialog& window, Form* form) = 0;
};

// The program's runner: QDialog::exec, with the activation posted into the modal loop so that it
// runs once the window is on screen.
class QtModalRunner : public ModalRunner {
protected:
    int Execute(QDialog& window, Form* form) override;
};

}  // namespace tz::ui
