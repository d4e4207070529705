// The configuration file from any text: reading never throws, and what the program then writes
// reads back to the same settings, written as the same bytes.
#include <string>

#include "FuzzSupport.h"
#include "app/ConfigFile.h"
#include "app/StartupDefaults.h"
#include "app/modMain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    constexpr Date kNow = 46000.25;  // the stamp in the file's header
    // As the program reads it: over the start-up defaults.
    ProgramState state;
    ApplyStartupDefaults(state, true);
    ReadConfigurationText(state, fuzz::AsText(data, size));
    for (const bool english : {true, false}) {
        const std::string written = ConfigurationText(state, kNow, english);
        ProgramState back;
        ApplyStartupDefaults(back, true);
        const ConfigReadResult read = ReadConfigurationText(back, written);
        fuzz::Check(read == ConfigReadResult::Complete, "a written configuration file reads to its end",
                    written);
        const std::string again = ConfigurationText(back, kNow, english);
        fuzz::Check(again == written, "a configuration file read back writes the same bytes",
                    fuzz::DifferentLines(written, again));
    }
    return 0;
}
