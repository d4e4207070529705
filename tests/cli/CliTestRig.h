#pragma once
// The command line run in-process against the simulated instrument on a loopback port at virtual
// time: a whole `tz7300` call, with its output, error text and exit code.
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/LinkEnvironment.h"
#include "cli/RunCli.h"
#include "instrument/FileTestFolder.h"
#include "link/InactiveIrdaPort.h"
#include "link/LoopbackPort.h"
#include "link/VirtualEventLoop.h"
#include "platform/SelectPort.h"
#include "sim/SimInstrument.h"

namespace tz::cli::test {

// The port the tests name with --port; any other name fails to open like a missing device.
inline const std::string SimDevice = "/dev/ttySIM";

class SimEnvironment : public ILinkEnvironment {
public:
    explicit SimEnvironment(SimState state = DefaultSimState()) : sim(std::move(state)) {}

    IPort& Serial() override { return port; }
    IIrdaPort& Irda() override { return irda; }
    IEventLoop& Loop() override { return loop; }
    bool ChoosePort(uclTzif& link, ProgramState& program, const std::string& device) override {
        port.FailOpen(device == SimDevice ? std::string() : "No such file or directory");
        // No USB module is ever found here, so only a named device is chosen.
        return SelectPort(link, port, program, nullptr, device, [] { return std::vector<SerialPortEntry>{}; });
    }
    std::vector<ListedPort> SerialPorts() override { return ports; }
    std::filesystem::path ProgramFolder() override { return programFolder; }
    bool Interrupted() override { return interrupt && interrupt(); }

    VirtualEventLoop loop;
    SimInstrument sim;
    LoopbackPort port{loop, sim};
    InactiveIrdaPort irda;
    std::filesystem::path programFolder;
    std::function<bool()> interrupt;
    std::vector<ListedPort> ports;
};

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs one call exactly as given.
inline CliResult RunArgs(SimEnvironment& env, const std::vector<std::string>& args, const std::string* input = nullptr,
                         bool errIsTerminal = false) {
    std::ostringstream out, err;
    std::istringstream in(input ? *input : std::string());
    CliIo io{out, err, in, input != nullptr, errIsTerminal};
    CliResult result;
    result.code = RunCli(args, io, env);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Runs one call with --port naming the simulated instrument, English texts and the log folder
// `logDir`; `input` is what a person would type at a terminal (then standard input is one).
inline CliResult RunTz(SimEnvironment& env, const std::filesystem::path& logDir, std::vector<std::string> args,
                       const std::string* input = nullptr) {
    std::vector<std::string> all = {"--port", SimDevice, "--lang", "en", "--log-dir", logDir.string()};
    all.insert(all.end(), args.begin(), args.end());
    return RunArgs(env, all, input);
}

}  // namespace tz::cli::test
