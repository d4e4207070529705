// The memory dumps of debug mode: dump-eeprom (the hexadecimal listing) and dump-flash (the
// binary image, all of it or a range of blocks).
#include <algorithm>
#include <array>
#include <charconv>

#include "cli/CliText.h"
#include "cli/ProgressText.h"
#include "cli/CommandTable.h"
#include "cli/OutputFile.h"
#include "text/DateTime.h"

namespace tz::cli {

namespace {

void RequireDebugMode(const CliContext& context, std::string_view command) {
    if (!context.Options().debug) throw CliFailure(ExitUsage, std::string(command) + " is a debug-mode command: give --debug");
}

int DumpEeprom(CliContext& context, const ParsedArgs& args) {
    RequireDebugMode(context, "dump-eeprom");
    RequireWritableOutput(args.positional[0]);
    uclTzif& link = context.Link();
    // The link writes the listing itself; it goes to a temporary file that replaces the target
    // only when the whole listing arrived.
    TemporaryFile file(args.positional[0]);
    context.Io().err << Text(5463, {args.positional[0]}) << "\n";
    const Date start = context.Now();
    context.ShowProgress([&] { return ListingProgressText(link.ListingBlocks(), context.SecondsSince(start)); });
    const bool ok = link.GetRomDump2(file.Path().string());
    if (ok)
        context.CompleteProgress();
    else
        context.ShowProgress({});
    context.RequireOk(ok, Text(5469));
    file.Commit();
    context.Io().out << Text(5464, {args.positional[0]}) << " (" << link.ListingBlocks() << " blocks)\n";
    return ExitSuccess;
}

int Block(const std::string& text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value >= uclTzif::DumpBlockCount)
        return -1;
    return value;
}

// "A-B" in blocks of 512 bytes, 0 to 2047.
std::pair<Integer, Integer> BlockRange(const ParsedArgs& args) {
    if (!args.Has("blocks")) return {0, static_cast<Integer>(uclTzif::DumpBlockCount - 1)};
    const std::string text = args.Value("blocks");
    const std::size_t dash = text.find('-');
    const int first = dash == std::string::npos ? Block(text) : Block(text.substr(0, dash));
    const int last = dash == std::string::npos ? first : Block(text.substr(dash + 1));
    if (first < 0 || last < first)
        throw CliFailure(ExitUsage, "--blocks takes A-B with 0 <= A <= B <= " +
                                        std::to_string(uclTzif::DumpBlockCount - 1) + ", not \"" + text + "\"");
    return {static_cast<Integer>(first), static_cast<Integer>(last)};
}

// The block that the link's message "Get FLASH Image 01A0" names as fetched; -1 before any.
int FetchedBlock(const std::string& message) {
    const std::string head = "Get FLASH Image ";
    int block = -1;
    if (message.rfind(head, 0) == 0) {
        const char* digits = message.data() + head.size();
        std::from_chars(digits, message.data() + message.size(), block, 16);
    }
    return block;
}

// Runs the dump and, after each block timeout, continues it from the block that timed out (the
// link holds the blocks received so far). It gives up after as many timeouts in a row without a
// new block as the link's retry count allows (at least one), or when the user interrupts.
bool FetchImage(CliContext& context, const std::string& file, Integer first, Integer last) {
    uclTzif& link = context.Link();
    const int allowedStalls = std::max(1, static_cast<int>(link.Retry()));
    int stalls = 0;
    while (true) {
        const Integer from = first;
        link.BinaryRetry(false);
        if (link.GetBinDump(file, first, last)) return true;
        if (!link.BinaryRetry() || context.Environment().Interrupted()) return false;
        stalls = first > from ? 0 : stalls + 1;
        if (stalls >= allowedStalls) return false;
        context.Io().err << "One more time ! (from block " << first << ")\n";
    }
}

int DumpFlash(CliContext& context, const ParsedArgs& args) {
    RequireDebugMode(context, "dump-flash");
    auto [first, last] = BlockRange(args);
    RequireWritableOutput(args.positional[0]);
    const int total = last - first + 1;
    context.Link();  // connected before the clock starts
    const Integer from = first;
    const Date start = context.Now();
    int done = 0;  // a continued dump starts its messages over; what arrived stays counted
    context.ShowProgress([&] {
        const int block = FetchedBlock(context.LastDumpMessage());
        if (block >= from) done = std::max(done, block - from + 1);
        return BlockProgressText("Flash image", done, total, context.SecondsSince(start));
    });
    const bool ok = FetchImage(context, args.positional[0], first, last);
    if (ok)
        context.CompleteProgress();
    else
        context.ShowProgress({});
    context.RequireOk(ok, Text(5469));
    context.Io().out << "Flash image written to " << args.positional[0] << " (" << total << " blocks of "
                     << uclTzif::DumpBlockBytes << " bytes)\n";
    return ExitSuccess;
}

constexpr std::array<OptionRule, 1> kFlashOptions = {{{"blocks", "A-B", "blocks of 512 bytes to fetch (default 0-2047)"}}};

}  // namespace

std::vector<CliCommand> DumpCommandRows() {
    return {
        {"dump-eeprom", "FILE", "write the memory dump listing (debug mode)", "", {}, 1, 1, DumpEeprom},
        {"dump-flash", "FILE [--blocks A-B]", "copy the 1 MiB flash image into FILE (debug mode)",
         "Without --blocks the whole image is fetched and FILE replaced; with --blocks the blocks\n"
         "are laid into an existing image (a missing one starts with every byte 255). A block\n"
         "that times out is asked for again; FILE changes only when every block arrived.",
         kFlashOptions, 1, 1, DumpFlash},
    };
}

}  // namespace tz::cli
