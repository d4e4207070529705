#pragma once
// The desktop program's start: Main refuses a second copy, reads the switches, sets the program
// font and password, shows the splash modally and hands over to the password window.
#include <string>
#include <vector>

#include "platform/SingleInstance.h"
#include "ui/common/UiContext.h"

namespace tz::ui {

enum class StartResult {
    Started,         // the password window is open; the program runs on window events
    AlreadyRunning,  // another copy runs: message 99 was shown, the program ends at once
};

// arguments: the command line after the program's own path.
StartResult Main(UiContext& context, const std::vector<std::string>& arguments,
                 SingleInstanceLock& instance);

// "--version" and "--help", found anywhere in the upper-cased command line like the program's
// switches; the program prints the text and ends without a window.
bool WantsVersion(const std::vector<std::string>& arguments);
bool WantsHelp(const std::vector<std::string>& arguments);
std::string VersionText();
std::string HelpText();

}  // namespace tz::ui
