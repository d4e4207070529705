#pragma once
// What every window of the desktop program reaches the outside world through: the dialogs, the
// modal runner, the event loop its timers run on, the program-wide state, the serial and infrared
// ports the main window's link control opens, and the main window itself. The program builds one
// from the Qt implementations (main.cpp); a window test builds one from the scripted ones
// (tests/ui/UiTestRig.h). Windows take it by reference and keep it for their lifetime.
#include <QWidget>
#include <functional>
#include <memory>

#include "app/modMain.h"
#include "link/IEventLoop.h"
#include "link/IIrdaPort.h"
#include "link/IPort.h"
#include "platform/IDialogs.h"
#include "platform/SerialPortLookup.h"

namespace tz {
class uclTzif;
}

namespace tz::ui {

class ModalRunner;
class UiContext;

// Makes the program's main window. The program passes CreateMainWindow (ui/main/frmMain.h);
// a test may pass its own.
using MainWindowFactory = std::function<std::unique_ptr<QWidget>(UiContext&)>;

class UiContext {
public:
    UiContext(IDialogs& dialogs, ModalRunner& modal, IEventLoop& loop, ProgramState& program,
              IPort& serial, IIrdaPort& irda, SerialPortEnumerator serialPorts = SystemSerialPorts);
    ~UiContext();
    UiContext(const UiContext&) = delete;
    UiContext& operator=(const UiContext&) = delete;

    IDialogs& Dialogs() const { return dialogs_; }
    ModalRunner& Modal() const { return modal_; }
    IEventLoop& Loop() const { return loop_; }
    ProgramState& Program() const { return program_; }
    IPort& SerialPort() const { return serial_; }
    IIrdaPort& IrdaPort() const { return irda_; }
    const SerialPortEnumerator& SerialPorts() const { return serialPorts_; }

    // The program's one link control. The window that owns it (the main window) registers it
    // here so that other windows reach it (the progress window's Cancel); nullptr until then and
    // after the owner unregisters it (Link(nullptr)) on closing.
    uclTzif* Link() const { return link_; }
    void Link(uclTzif* link) { link_ = link; }

    // The main window: made through the factory the first time, then shown with ShowForm (load,
    // show, first activation). It lives as long as the context.
    void SetMainWindowFactory(MainWindowFactory factory) { mainWindowFactory_ = std::move(factory); }
    QWidget& OpenMainWindow();
    QWidget* MainWindow() const { return mainWindow_.get(); }

private:
    IDialogs& dialogs_;
    ModalRunner& modal_;
    IEventLoop& loop_;
    ProgramState& program_;
    IPort& serial_;
    IIrdaPort& irda_;
    SerialPortEnumerator serialPorts_;
    uclTzif* link_ = nullptr;
    MainWindowFactory mainWindowFactory_;
    std::unique_ptr<QWidget> mainWindow_;
};

}  // namespace tz::ui
