#pragma once
// The two moments of a window's life that its behaviour hangs on: loading (once, before it is
// first shown) and activation (each time it becomes the active window; the first activation is
// flagged). They run through these functions on an explicit path, never through the window
// system's activation events, so a window behaves the same in the program and offscreen in a test:
//   - ShowForm shows a window that is not modal: load, show, first activation;
//   - ModalRunner::RunModal opens a modal one: load, show, activation, wait until it closes, then
//     the owner's activation (the owner becomes the active window again).
#include <QWidget>

namespace tz::ui {

class Form {
public:
    virtual ~Form() = default;

    // Runs Form_Load once per window object.
    void LoadForm();
    // Loads if needed, then runs Form_Activate; `first` is true on the first activation only.
    void ActivateForm();

    bool IsLoaded() const { return loaded_; }
    int ActivationCount() const { return activations_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate(bool /*first*/) {}

private:
    bool loaded_ = false;
    int activations_ = 0;
};

// The window's Form part, or nullptr for a plain widget.
Form* AsForm(QWidget* window);

// Shows a window without a modal state: loads it (when it is a Form), shows and raises it, then
// runs its activation.
void ShowForm(QWidget& window);

}  // namespace tz::ui
