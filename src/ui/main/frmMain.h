#pragma once
// The program's main window. For now the window itself (title, font, size), which the password
// window opens through UiContext::OpenMainWindow; its controls, the link control and the commands
// come with it later, behind the same factory.
#include <QMainWindow>
#include <memory>

#include "ui/common/Form.h"
#include "ui/common/UiContext.h"

namespace tz::ui {

class frmMain : public QMainWindow, public Form {
    Q_OBJECT

public:
    explicit frmMain(UiContext& context, QWidget* parent = nullptr);

protected:
    void Form_Load() override;

private:
    UiContext& context_;
};

// The factory the program gives UiContext::SetMainWindowFactory.
std::unique_ptr<QWidget> CreateMainWindow(UiContext& context);

}  // namespace tz::ui
