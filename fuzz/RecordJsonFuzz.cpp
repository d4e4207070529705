// The record's JSON form and the simulator's state file from any text (the first byte chooses
// which): a text is taken or refused with a reason; a record taken writes back to an equal record
// in the same bytes and saves as a settings file that loads back; a state taken saves as a state
// file that reads back to the same bytes.
#include <string>

#include "FuzzSupport.h"
#include "instrument/RecordJson.h"
#include "sim/SimStateJson.h"

namespace {

void RecordForm(std::string_view text) {
    using namespace tz;
    clsInstrument record;
    const RecordJsonResult read = RecordFromJson(text, record);
    if (!read.Ok) {
        fuzz::Check(!read.Error.empty(), "a refused record names the reason");
        return;
    }
    fuzz::CheckRecordJsonRoundTrip(record);
    fuzz::CheckSettingsRoundTrip(record);
}

void StateForm(std::string_view text) {
    using namespace tz;
    static const SimState kDefault = DefaultSimState();
    SimState state = kDefault;
    const SimStateJsonResult read = SimStateFromJson(text, state);
    if (!read.Ok) {
        fuzz::Check(!read.Error.empty(), "a refused state names the reason");
        return;
    }
    const std::string saved = SimStateToJson(state);
    SimState back = kDefault;
    const SimStateJsonResult again = SimStateFromJson(saved, back);
    fuzz::Check(again.Ok, "a saved state reads back", again.Error);
    fuzz::Check(again.UnknownKeys.empty(), "a saved state has only known keys");
    fuzz::Check(SimStateToJson(back) == saved, "a state read back saves the same bytes", saved);
    fuzz::CheckSettingsRoundTrip(state.record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text = tz::fuzz::AsText(data + 1, size - 1);
    if (data[0] & 1) StateForm(text);
    else RecordForm(text);
    return 0;
}
