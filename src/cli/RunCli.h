#pragma once
// One run of the tz7300 command line: reads the arguments (without the program name), prepares
// the program's state as the desktop program does (start-up defaults, then the configuration
// file, which is never written), runs the command and returns the exit code.
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/LinkEnvironment.h"

namespace tz::cli {

int RunCli(const std::vector<std::string>& args, CliIo& io, ILinkEnvironment& env);

}  // namespace tz::cli
