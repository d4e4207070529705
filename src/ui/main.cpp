// tz7300-setup: the desktop set-up program of the TZ-7300.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "link/InactiveIrdaPort.h"
#include "platform/ProgramFolders.h"
#include "platform/QtEventLoop.h"
#include "platform/QtSerialPort.h"
#include "platform/SingleInstance.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/QtDialogs.h"
#include "ui/common/UiContext.h"
#include "ui/main/ProgramStart.h"
#include "ui/main/frmMain.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Answered before any window system is touched, so they work without a display.
    if (tz::ui::WantsHelp(arguments)) {
        std::cout << tz::ui::HelpText();
        return 0;
    }
    if (tz::ui::WantsVersion(arguments)) {
        std::cout << tz::ui::VersionText();
        return 0;
    }

    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--port") tz::ui::frmMain::CommandLinePort() = arguments[i + 1];
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tz7300-setup"));

    tz::QtEventLoop loop;
    tz::QtSerialPort serial;
    tz::InactiveIrdaPort irda;
    tz::ui::QtDialogs dialogs;
    tz::ui::QtModalRunner modal;

    tz::ProgramState& program = tz::Program();
    program.ProgramFolder = tz::ChooseProgramFolder();
    program.LogFolder = tz::ChooseLogFolder();
    tz::EnsureFolder(program.ProgramFolder);
    tz::EnsureFolder(program.LogFolder);

    tz::ui::UiContext context(dialogs, modal, loop, program, serial, irda);
    context.SetMainWindowFactory(tz::ui::CreateMainWindow);

    tz::SingleInstanceLock instance;
    if (tz::ui::Main(context, arguments, instance) == tz::ui::StartResult::AlreadyRunning) return 0;
    return app.exec();
}
