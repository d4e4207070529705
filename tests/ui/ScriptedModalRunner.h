#pragma once
// The modal runner of window tests. Each modal window the code under test opens is shown
// (offscreen), activated as in the program, and handed to the next script in the queue, which
// drives its controls and lets it close; RunModal then returns at once. A modal window without a
// script, with another name than scripted, or still open after its script fails the test and is
// closed (rejected), so a test never hangs on a modal loop.
#include <gtest/gtest.h>

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/common/ModalRunner.h"

namespace tz::test {

class ScriptedModalRunner : public ui::ModalRunner {
public:
    using Script = std::function<void(QDialog& window)>;

    // The next modal window must be named `objectName`; the script runs while it is open.
    ScriptedModalRunner& Expect(const std::string& objectName, Script script) {
        queue_.push_back({objectName, std::move(script)});
        return *this;
    }
    // The same with the window as its own class.
    template <class W>
    ScriptedModalRunner& Expect(const std::string& objectName, std::function<void(W&)> script) {
        return Expect(objectName, [objectName, script](QDialog& window) {
            W* typed = dynamic_cast<W*>(&window);
            if (!typed) {
                ADD_FAILURE() << "modal window " << objectName << " is not of the expected class";
                return;
            }
            script(*typed);
        });
    }

    std::size_t Pending() const { return queue_.size(); }
    std::string PendingDescription() const {
        std::string text;
        for (const Expected& e : queue_) text += " " + e.name + ";";
        return text;
    }

    // The objectName of every modal window opened, in order.
    std::vector<std::string> opened;

protected:
    int Execute(QDialog& window, ui::Form* form) override {
        const std::string name = window.objectName().toStdString();
        opened.push_back(name);
        window.setWindowModality(Qt::ApplicationModal);
        window.show();
        if (form) form->ActivateForm();
        bool ran = false;
        if (queue_.empty()) {
            ADD_FAILURE() << "unscripted modal window " << name;
        } else {
            Expected next = std::move(queue_.front());
            queue_.pop_front();
            if (next.name != name) {
                ADD_FAILURE() << "modal window " << name << " opened where " << next.name
                              << " was scripted";
            } else {
                next.script(window);
                ran = true;
            }
        }
        if (window.isVisible()) {
            if (ran) ADD_FAILURE() << "modal window " << name << " is still open after its script";
            window.reject();
            window.hide();
        }
        return window.result();
    }

private:
    struct Expected {
        std::string name;
        Script script;
    };
    std::deque<Expected> queue_;
};

}  // namespace tz::test
