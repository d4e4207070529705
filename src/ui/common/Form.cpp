#include "ui/common/Form.h"

namespace tz::ui {

void Form::LoadForm() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void Form::ActivateForm() {
    LoadForm();
    ++activations_;
    Form_Activate(activations_ == 1);
}

Form* AsForm(QWidget* window) { return dynamic_cast<Form*>(window); }

void ShowForm(QWidget& window) {
    Form* form = AsForm(&window);
    if (form) form->LoadForm();
    window.show();
    window.raise();
    window.activateWindow();
    if (form) form->ActivateForm();
}

}  // namespace tz::ui
