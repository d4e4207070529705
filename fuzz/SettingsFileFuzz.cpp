// The settings file from any text: a load either applies the file or stops at a line it names,
// and the record it leaves saves, loads back and saves to the same bytes.
#include <string>

#include "FuzzSupport.h"
#include "instrument/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    clsInstrument record;
    try {
        LoadSettingsText(record, fuzz::AsText(data, size), [](const std::string&) {});
    } catch (const SettingsFileError& e) {
        fuzz::Check(e.LineNumber() >= 1, "a refused line is named by its number", e.what());
    }
    fuzz::CheckSettingsRoundTrip(record);
    return 0;
}
