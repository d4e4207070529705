// The configuration file from any text: reading never throws, and what the program then writes
// reads back to the same settings. The file spells a STEL or TWA level that is off -1, which
// reading stores as the record's "no value" (-101) and writing then spells -101, so the text of
// a second writing may differ from the first there and only there; from then on every writing
// is the same bytes (but for the run counter, which each writing advances).
#include <string>

#include "FuzzSupport.h"
#include "app/ConfigFile.h"
#include "app/StartupDefaults.h"
#include "app/modMain.h"

namespace {

constexpr tz::Date kNow = 46000.25;  // the stamp in the file's header

// Writes the state, reads the text over the start-up defaults as the program does, and returns
// the text together with the state read back.
std::string WriteAndRead(const tz::ProgramState& state, bool english, tz::ProgramState& back) {
    using namespace tz;
    const std::string written = ConfigurationText(state, kNow, english);
    ApplyStartupDefaults(back, true);
    const ConfigReadResult read = ReadConfigurationText(back, written);
    fuzz::Check(read == ConfigReadResult::Complete, "a written configuration file reads to its end", written);
    back.ExecuteCount = state.ExecuteCount;  // each writing counts one run more
    return written;
}

// The text with every level field of -1 spelled -101.
std::string OffAsNoValue(std::string text) {
    for (const char* end : {"\t", "\r\n"}) {
        const std::string from = std::string("\t-1") + end, to = std::string("\t-101") + end;
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    ProgramState state;
    ApplyStartupDefaults(state, true);
    ReadConfigurationText(state, fuzz::AsText(data, size));
    for (const bool english : {true, false}) {
        ProgramState first, second, third;
        const std::string written = WriteAndRead(state, english, first);
        const std::string again = WriteAndRead(first, english, second);
        const std::string thirdText = WriteAndRead(second, english, third);
        fuzz::Check(OffAsNoValue(again) == OffAsNoValue(written),
                    "a configuration file read back keeps its settings", fuzz::DifferentLines(written, again));
        fuzz::Check(thirdText == again, "a configuration file read back writes the same bytes",
                    fuzz::DifferentLines(again, thirdText));
    }
    return 0;
}
