#pragma once
// Command-line options of tz7300-sim, the simulated instrument on a pseudo-terminal.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tz {

struct SimHostOptions {
    bool help = false;
    bool version = false;  // --version
    std::string linkPath;  // --link: a symbolic link made to the device, removed on exit
    std::string statePath;      // --state: the instrument's state loaded from this JSON file
    std::string saveStatePath;  // --save-state: the state saved to this JSON file on exit
    std::uint32_t seed = 1;
    int replyDelayMs = 0;
    long baudRate = 0;     // 0: replies are not paced
    double dropReply = 0;
    double corruptChecksum = 0;
    double splitReply = 0;
    int maxPieces = 4;
    int pieceGapMs = 0;
};

// Reads the arguments after the program name. A malformed or unknown option gives nullopt and
// the reason in error.
std::optional<SimHostOptions> ParseSimHostOptions(const std::vector<std::string>& args,
                                                  std::string& error);

// The --help text.
std::string SimHostUsage();

}  // namespace tz
