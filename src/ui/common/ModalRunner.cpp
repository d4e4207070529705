#include "ui/common/ModalRunner.h"

#include <QPointer>
#include <QTimer>

namespace tz::ui {

int ModalRunner::RunModal(QDialog& window) {
    Form* form = AsForm(&window);
    if (form) form->LoadForm();
    // The owner may close while the modal window runs; look at it only if it is still there.
    QPointer<QWidget> owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const int result = Execute(window, form);
    if (owner) {
        if (Form* ownerForm = AsForm(owner.data())) ownerForm->ActivateForm();
    }
    return result;
}

int QtModalRunner::Execute(QDialog& window, Form* form) {
    if (form) QTimer::singleShot(0, &window, [form] { form->ActivateForm(); });
    return window.exec();
}

}  // namespace tz::ui
