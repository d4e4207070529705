#include "ui/common/UiContext.h"

#include <stdexcept>

#include "ui/common/Form.h"

namespace tz::ui {

UiContext::UiContext(IDialogs& dialogs, ModalRunner& modal, IEventLoop& loop, ProgramState& program,
                     IPort& serial, IIrdaPort& irda, SerialPortEnumerator serialPorts)
    : dialogs_(dialogs),
      modal_(modal),
      loop_(loop),
      program_(program),
      serial_(serial),
      irda_(irda),
      serialPorts_(std::move(serialPorts)) {}

UiContext::~UiContext() = default;

QWidget& UiContext::OpenMainWindow() {
    if (!mainWindow_) {
        if (!mainWindowFactory_) throw std::logic_error("UiContext: no main window factory");
        mainWindow_ = mainWindowFactory_(*this);
        if (!mainWindow_) throw std::logic_error("UiContext: the main window factory made nothing");
    }
    ShowForm(*mainWindow_);
    return *mainWindow_;
}

}  // namespace tz::ui
