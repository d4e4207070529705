#pragma once
// Message boxes recorded instead of shown, each answered Ok; the platform code under test shows
// no file dialogs, so none is expected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/IDialogs.h"

namespace tz::test {

struct ShownBox {
    std::string text, title;
    MsgIcon icon;
};

class RecordingDialogs : public IDialogs {
public:
    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons) override {
        shown.push_back({text, title, icon});
        return MsgAnswer::Ok;
    }
    std::string OpenFileDialog(const FileDialogRequest&) override {
        ADD_FAILURE() << "unexpected open-file dialog";
        return {};
    }
    std::string SaveFileDialog(const FileDialogRequest&) override {
        ADD_FAILURE() << "unexpected save-file dialog";
        return {};
    }
    void Beep() override {}
    void BusyPointer(bool) override {}

    std::vector<ShownBox> shown;
};

}  // namespace tz::test
