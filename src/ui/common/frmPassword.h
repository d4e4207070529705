#pragma once
// The password window, the gate in front of the program: the right password (any letter case)
// opens the main window; Cancel and the close box ask "End ?" until the password was accepted.
#include <QDialog>
#include <string>

#include "ui/common/Form.h"
#include "ui/common/UiContext.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tz::ui {

class frmPassword : public QDialog, public Form {
    Q_OBJECT

public:
    explicit frmPassword(UiContext& context, QWidget* parent = nullptr);

protected:
    void Form_Load() override;
    void closeEvent(QCloseEvent* event) override;
    // Escape is Cancel: it closes the window through the close handling.
    void reject() override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    UiContext& context_;
    std::string password_;  // the program password when the window opened
    QLabel* lblPass_ = nullptr;
    QLineEdit* txtPass_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace tz::ui
