// tz7300: the command line. One instrument per call; see `tz7300 --help`.
#include <QCoreApplication>
#include <iostream>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

#include "cli/QtLinkEnvironment.h"
#include "cli/RunCli.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tz::cli::QtLinkEnvironment::CatchInterrupt();
    tz::cli::QtLinkEnvironment environment(std::cerr);
    tz::cli::CliIo io{std::cout, std::cerr, std::cin, isatty(0) != 0, isatty(2) != 0};
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tz::cli::RunCli(args, io, environment);
}
