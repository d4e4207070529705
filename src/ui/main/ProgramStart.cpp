#include "ui/main/ProgramStart.h"

#include <QApplication>
#include <iostream>

#include "app/WindowTexts.h"
#include "text/Catalogue.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/WindowHelpers.h"
#include "ui/common/frmOpen.h"
#include "ui/common/frmPassword.h"

#ifndef TZ_PROGRAM_VERSION
#define TZ_PROGRAM_VERSION "unknown"
#endif

namespace tz::ui {

StartResult Main(UiContext& context, const std::vector<std::string>& arguments,
                 SingleInstanceLock& instance) {
    const SingleInstanceLock::Result lock = instance.TryAcquire();
    if (lock == SingleInstanceLock::Result::AlreadyRunning) {
        context.Dialogs().MsgBox(LoadMessage(MsgAlreadyStarted), MainTitle(), MsgIcon::Stop,
                                 MsgButtons::Ok);
        return StartResult::AlreadyRunning;
    }
    if (lock == SingleInstanceLock::Result::Unavailable) {
        // Without a lock file a second copy cannot be told apart; starting beats locking out.
        std::cerr << "tz7300-setup: cannot create " << instance.FilePath().toStdString()
                  << "; a second copy would not be noticed\n";
    }

    ProgramState& program = context.Program();
    ApplyStartup(program, arguments);  // switches, font, password "8640", not yet accepted
    QApplication::setFont(ToQFont(program.ProgramFont));

    context.Dialogs().BusyPointer(true);
    {
        frmOpen splash(context);
        context.Modal().RunModal(splash);
    }
    context.Dialogs().BusyPointer(false);

    program.ProgramPassword = "8640";
    program.PasswordAccepted = false;
    ShowForm(*new frmPassword(context));  // deletes itself when it closes
    return StartResult::Started;
}

bool WantsVersion(const std::vector<std::string>& arguments) {
    return CommandLineHas(arguments, "--VERSION");
}

bool WantsHelp(const std::vector<std::string>& arguments) {
    return CommandLineHas(arguments, "--HELP") || CommandLineHas(arguments, "-H");
}

std::string VersionText() {
    return "tz7300-setup " TZ_PROGRAM_VERSION " (" + MainTitle() + ", P.No." + ProgramPartNumber() +
           ")\n";
}

std::string HelpText() {
    return "Usage: tz7300-setup [-DEBUG] [-SEIZO] [--port DEVICE]\n"
           "The TZ-7300 set-up program. It asks for the program password, then opens the main\n"
           "window, which connects to the instrument through the USB infrared module or the\n"
           "serial device named in TZ7300Config.ini (\"COMM Device\").\n"
           "\n"
           "  -DEBUG      debug mode: logger download and memory dumps\n"
           "  -SEIZO      factory mode: manufacture number, flash check, calibration factors\n"
           "  --port DEVICE  use this serial device (kept until the program ends)\n"
           "  --version   print the version and end\n"
           "  -h, --help  print this text and end\n"
           "\n"
           "The switches are found anywhere on the command line, in any letter case.\n";
}

}  // namespace tz::ui
