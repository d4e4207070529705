// The JSON reader on any text: it returns a value or throws JsonError, never anything else; what
// it read writes as a text that reads back to the same value, written as the same bytes.
#include <string>

#include "FuzzSupport.h"
#include "instrument/Json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    const std::string_view text = fuzz::AsText(data, size);
    JsonValue value;
    try {
        value = ParseJson(text);
    } catch (const JsonError& e) {
        fuzz::Check(e.Offset() <= text.size() && e.Line() >= 1 && e.Column() >= 1,
                    "an error names a place within the text", e.what());
        return 0;
    }
    const std::string written = WriteJson(value);
    JsonValue back;
    try {
        back = ParseJson(written);
    } catch (const JsonError& e) {
        fuzz::Check(false, "written JSON reads back", std::string(e.what()) + "\n" + written);
    }
    fuzz::Check(WriteJson(back) == written, "JSON read back writes the same bytes", written);
    return 0;
}
