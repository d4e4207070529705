#pragma once
// Everything a window test needs, fresh for each test:
//   - the one QApplication (offscreen: CTest sets QT_QPA_PLATFORM=offscreen, and so does this
//     header when the test runs by hand);
//   - a VirtualEventLoop that every window timer and the link run on (step it with RunFor);
//   - ScriptedDialogs and ScriptedModalRunner (script answers and modal windows beforehand);
//   - the simulated instrument behind a LoopbackPort, the inactive infrared port, and on request
//     a uclTzif on them registered as the program's link (Link());
//   - the program-wide state reset (ResetProgram), English texts, and a fresh temporary folder
//     as program folder and log folder;
//   - a UiContext over all of it, whose main window factory is the program's (CreateMainWindow).
// At its end the rig fails the test for every scripted answer or modal script left unused, and
// removes the windows the test left open.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "ScriptedDialogs.h"
#include "ScriptedModalRunner.h"
#include "app/modMain.h"
#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "link/uclTzif.h"
#include "sim/SimInstrument.h"
#include "text/Catalogue.h"
#include "ui/common/UiContext.h"
#include "ui/common/WindowHelpers.h"
#include "ui/common/frmUpload.h"
#include "ui/main/frmMain.h"

namespace tz::test {

// The application object of the test process, made on first use and kept to the end.
inline QApplication& UiApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform says of each raise() and size hint that it cannot; that is noise.
        static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& where, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support"))) standard(type, where, text);
        });
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

// A named control that is missing is the test's fault, and says so with the names there are.
class ControlNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline std::string NamesIn(const QWidget& root) {
    std::string names;
    for (const QWidget* child : root.findChildren<QWidget*>())
        if (!child->objectName().isEmpty()) names += " " + child->objectName().toStdString();
    return names;
}

// The control named `name` in the window (by objectName), of class T.
template <class T = QWidget>
T& Control(QWidget& window, const std::string& name) {
    T* found = window.findChild<T*>(QString::fromStdString(name));
    if (!found) {
        throw ControlNotFound(window.objectName().toStdString() + " has no " +
                              T::staticMetaObject.className() + " named \"" + name +
                              "\"; its named controls:" + NamesIn(window));
    }
    return *found;
}

// The open top-level window named `name`, of class T.
template <class T = QWidget>
T& Window(const std::string& name) {
    T* found = dynamic_cast<T*>(ui::FindFormByName(name));
    if (!found) throw ControlNotFound("no open window \"" + name + "\" of the expected class");
    return *found;
}

// ---- What a user does ----

// A left click in the middle of the control (a disabled control ignores it, as for a user).
inline void Click(QWidget& control) { QTest::mouseClick(&control, Qt::LeftButton); }
inline void Click(QWidget& window, const std::string& name) { Click(Control<QWidget>(window, name)); }

// Types the text into the field key by key, after the text it holds.
inline void Type(QWidget& field, const std::string& text) {
    QTest::keyClicks(&field, QString::fromStdString(text));
}
// Replaces the field's text by typing (select all, then the keys).
inline void TypeOver(QLineEdit& field, const std::string& text) {
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    Type(field, text);
}

struct UiAppGuard {
    UiAppGuard() { UiApp(); }
};

inline std::filesystem::path FreshTestFolder() {
    static std::atomic<int> counter{0};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tz7300-ui-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// No serial port in the machine: the USB infrared module lookup finds nothing.
inline std::vector<SerialPortEntry> NoSerialPorts() { return {}; }

class UiTestRig : private UiAppGuard {
public:
    UiTestRig() : language_(ActiveLanguage()) {
        ResetProgram();
        SetLanguage(Language::English);
        Program().ProgramFolder = folder;
        Program().LogFolder = folder;
        context.SetMainWindowFactory(ui::CreateMainWindow);
    }

    ~UiTestRig() {
        EXPECT_EQ(dialogs.Pending(), 0u) << "scripted answers never asked for:" << dialogs.PendingDescription();
        EXPECT_EQ(modal.Pending(), 0u) << "modal windows scripted but never opened:" << modal.PendingDescription();
        ui::frmUpload::Unload();
        // Windows the test left open go without their close handling (no questions asked).
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->parentWidget() == nullptr && window != context.MainWindow() &&
                window->objectName().startsWith(QStringLiteral("frm")))
                delete window;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        context.Link(nullptr);
        link_.reset();
        ResetProgram();
        SetLanguage(language_);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    UiTestRig(const UiTestRig&) = delete;
    UiTestRig& operator=(const UiTestRig&) = delete;

    // The program's link control on the loopback port, made on first use: it decodes into the
    // program-wide record, logs into logLines, and is registered with the context.
    uclTzif& Link() {
        if (!link_) {
            link_ = std::make_unique<uclTzif>(port, irda, loop);
            link_->Log().SetObserver([this](const std::string& line) { logLines.push_back(line); });
            link_->Instrument(&Program().Instrument);
            context.Link(link_.get());
        }
        return *link_;
    }

    // Opens the link's port and runs the connection handshake with the simulated instrument.
    bool Connect() {
        uclTzif& link = Link();
        link.Retry(3);
        link.Timeout(1);
        link.PortOpen(true);
        loop.RunUntil([&link] { return link.Connected(); }, 10000);
        sim.ClearReceivedCommands();
        logLines.clear();
        return link.Connected();
    }

    bool Logged(const std::string& part) const {
        for (const std::string& line : logLines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }

    // Deletes the windows that closed themselves with deleteLater.
    static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private:
    Language language_;

public:
    std::filesystem::path folder = FreshTestFolder();
    VirtualEventLoop loop;
    ScriptedDialogs dialogs;
    ScriptedModalRunner modal;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    ui::UiContext context{dialogs, modal, loop, Program(), port, irda, NoSerialPorts};
    std::vector<std::string> logLines;

private:
    std::unique_ptr<uclTzif> link_;
};

}  // namespace tz::test
