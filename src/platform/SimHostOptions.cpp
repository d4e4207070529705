#include "platform/SimHostOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace tz {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseWhole(const std::string& text, long low, long high, long& value) {
    return ParseNumber(text, value) && value >= low && value <= high;
}

bool ParseProbability(const std::string& text, double& value) {
    return ParseNumber(text, value) && value >= 0.0 && value <= 1.0;
}

using Setter = std::function<bool(SimHostOptions&, const std::string&)>;

Setter WholeInto(long low, long high, std::function<void(SimHostOptions&, long)> store) {
    return [=](SimHostOptions& o, const std::string& text) {
        long value = 0;
        if (!ParseWhole(text, low, high, value)) return false;
        store(o, value);
        return true;
    };
}

Setter ProbabilityInto(double SimHostOptions::*field) {
    return [=](SimHostOptions& o, const std::string& text) { return ParseProbability(text, o.*field); };
}

Setter TextInto(std::string SimHostOptions::*field) {
    return [=](SimHostOptions& o, const std::string& text) {
        o.*field = text;
        return !text.empty();
    };
}

struct OptionRule {
    Setter set;
    const char* expects;
};

const std::map<std::string, OptionRule>& Options() {
    static const std::map<std::string, OptionRule> options = {
        {"--link", {TextInto(&SimHostOptions::linkPath), "a path"}},
        {"--state", {TextInto(&SimHostOptions::statePath), "a JSON file"}},
        {"--save-state", {TextInto(&SimHostOptions::saveStatePath), "a file path"}},
        {"--seed", {WholeInto(0, 4294967295L, [](auto& o, long v) { o.seed = static_cast<std::uint32_t>(v); }),
                    "a whole number from 0 to 4294967295"}},
        {"--delay", {WholeInto(0, 600000, [](auto& o, long v) { o.replyDelayMs = static_cast<int>(v); }),
                     "milliseconds from 0 to 600000"}},
        {"--baud", {WholeInto(0, 100000000, [](auto& o, long v) { o.baudRate = v; }),
                    "a baud rate (0 for no pacing)"}},
        {"--drop", {ProbabilityInto(&SimHostOptions::dropReply), "a probability from 0 to 1"}},
        {"--corrupt", {ProbabilityInto(&SimHostOptions::corruptChecksum), "a probability from 0 to 1"}},
        {"--split", {ProbabilityInto(&SimHostOptions::splitReply), "a probability from 0 to 1"}},
        {"--max-pieces", {WholeInto(2, 1000, [](auto& o, long v) { o.maxPieces = static_cast<int>(v); }),
                          "a whole number from 2 to 1000"}},
        {"--piece-gap", {WholeInto(0, 600000, [](auto& o, long v) { o.pieceGapMs = static_cast<int>(v); }),
                         "milliseconds from 0 to 600000"}},
    };
    return options;
}

}  // namespace

std::optional<SimHostOptions> ParseSimHostOptions(const std::vector<std::string>& args,
                                                  std::string& error) {
    SimHostOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); eq != std::string::npos && name.rfind("--", 0) == 0) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            options.version = true;
            continue;
        }
        const auto entry = Options().find(name);
        if (entry == Options().end()) {
            error = "unknown option \"" + args[i] + "\" (see --help)";
            return std::nullopt;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs " + entry->second.expects;
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!entry->second.set(options, value)) {
            error = name + " \"" + value + "\": expected " + entry->second.expects;
            return std::nullopt;
        }
    }
    return options;
}

std::string SimHostUsage() {
    return "Usage: tz7300-sim [options]\n"
           "Serves a simulated TZ-7300 on a pseudo-terminal. The first line printed is the\n"
           "device to open (for example with --port); stop with Ctrl+C or SIGTERM.\n"
           "\n"
           "  --link PATH         also make PATH a symbolic link to the device (removed on exit);\n"
           "                      refused while another running simulator serves PATH\n"
           "  --state FILE        load the instrument's state from a JSON file: the record as\n"
           "                      `tz7300 read --json FILE` writes it, optionally with a\n"
           "                      \"SimState\" member (clock, zero counts, second-range factors,\n"
           "                      memory seed, defaults); what the file leaves out keeps the\n"
           "                      built-in values\n"
           "  --save-state FILE   save the instrument's state to FILE on exit (written whole)\n"
           "  --seed N            seed of the fault draws (default 1)\n"
           "  --delay MS          latency before every reply, in milliseconds (default 0)\n"
           "  --baud N            pace replies at N baud, ten bit times a byte (default 0: off)\n"
           "  --drop P            probability that a reply is never sent (0 to 1)\n"
           "  --corrupt P         probability that a reply's checksum is wrong (0 to 1)\n"
           "  --split P           probability that a reply arrives in pieces (0 to 1)\n"
           "  --max-pieces N      most pieces of a split reply (default 4)\n"
           "  --piece-gap MS      extra gap of up to MS milliseconds between pieces\n"
           "  -h, --help          show this text\n"
           "  --version           print the version and end\n";
}

}  // namespace tz
